// Starting the optimizer when no optimizer library is on the library search path.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/host/vrim_host.h"
#include "solver/zol_xpress.h"
#include "tests/support/library_names.h"

namespace {

TEST(NoOptimizer, InitializeFailsWithStatusEightAndOneDiagnostic) {
    rt_cvgsum_t* summary = rtocvgsum_create();
    ZOLXpress solver;
    solver.setConvergenceSummary(summary);
    testing::internal::CaptureStderr();
    EXPECT_EQ(solver.InitializeXpress(), -3);
    EXPECT_EQ(solver.InitializeXpress(), -3);
    const std::string diagnostics = testing::internal::GetCapturedStderr();
    int status = 0;
    ASSERT_TRUE(rtocvgsum_get_int_item(summary, "STATUS", &status));
    EXPECT_EQ(status, 8);
    EXPECT_NE(diagnostics.find(corvane::test::libraryFile("xprs")), std::string::npos) << diagnostics;
    EXPECT_EQ(std::count(diagnostics.begin(), diagnostics.end(), '\n'), 1) << diagnostics;
    rtocvgsum_destroy(summary);
}

TEST(NoOptimizer, CleanUpWithoutProblemCallsNothing) {
    ZOLXpress solver;
    solver.CleanUp();
    EXPECT_EQ(solver.problemHandle, nullptr);
}

}  // namespace
