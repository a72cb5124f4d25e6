// Starting the optimizer when no optimizer library is on the library search path.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/host/vrim_host.h"
#include "solver/zol_xpress.h"
#include "tests/support/library_names.h"
#include "tests/support/model_providers.h"

namespace {

// The optimizer library is looked for at the first optimizer call of the process, which reports
// its absence once on standard error: a clean-up that made any call would be the one to report
// it. This test therefore runs first.
TEST(NoOptimizer, CleanUpWithoutProblemCallsNothing) {
    ZOLXpress fresh;
    ZOLXpress started;  // holds the arrays of a first call, and no problem
    corvane::test::VectorVars vars{{1.0, 2.0}};
    corvane::test::VectorEqns eqns{{0.0}};
    corvane::test::VectorDerivs derivs;
    corvane::test::VectorObj obj;
    int request = 0, done = 0, result = 0;
    started.iterate(&vars, &eqns, &derivs, &obj, &request, &done, &result);
    ASSERT_NE(started.startPoint, nullptr);

    testing::internal::CaptureStderr();
    fresh.CleanUp();
    started.CleanUp();
    const std::string quiet = testing::internal::GetCapturedStderr();
    EXPECT_EQ(started.startPoint, nullptr);
    EXPECT_EQ(started.problemHandle, nullptr);

    testing::internal::CaptureStderr();
    EXPECT_EQ(started.InitializeXpress(), -3);
    EXPECT_EQ(started.InitializeXpress(), -3);
    const std::string first = testing::internal::GetCapturedStderr();
    EXPECT_EQ(quiet, "");
    EXPECT_NE(first.find(corvane::test::libraryFile("xprs")), std::string::npos) << first;
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 1) << first;
}

TEST(NoOptimizer, InitializeFailsWithStatusEight) {
    rt_cvgsum_t* summary = rtocvgsum_create();
    ZOLXpress solver;
    solver.setConvergenceSummary(summary);
    EXPECT_EQ(solver.InitializeXpress(), -3);
    int status = 0;
    ASSERT_TRUE(rtocvgsum_get_int_item(summary, "STATUS", &status));
    EXPECT_EQ(status, 8);
    rtocvgsum_destroy(summary);
}

}  // namespace
