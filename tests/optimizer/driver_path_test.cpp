// A cold start of the optimizer library takes the path of CLP's own program at the same
// tolerances: the same simplex (or barrier) iterations for each algorithm, on netlib models read
// the same way. The program `clp` is the independent truth here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <regex>
#include <string>

#include "optimizer/xprs.h"
#include "tests/support/mps_model.h"

namespace {

struct Path {
    int defaultAlg;
    const char* clpAction;
};

struct ClpRun {
    int iterations = -1;
    double objective = 0.0;
};

ClpRun runClp(const std::string& file, const char* action) {
    std::string command = "clp '" + file + "' -primalT 1e-6 -dualT 1e-6 " + action + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    ClpRun run;
    if (!pipe) return run;
    std::string out;
    char buffer[4096];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) out.append(buffer, n);
    std::smatch m;
    static const std::regex result(R"(objective (\S+) - (\d+) iterations)");
    if (std::regex_search(out, m, result)) {
        run.objective = std::stod(m[1]);
        run.iterations = std::stoi(m[2]);
    }
    return run;
}

class DriverPathTest : public ::testing::TestWithParam<Path> {};

TEST_P(DriverPathTest, ColdStartTakesTheIterationsOfClpItself) {
    ASSERT_EQ(0, XPRSinit(nullptr));
    // Dense and sparse, ranges, bounds, degenerate ones.
    for (const char* name : {"25fv47", "agg", "boeing2", "bore3d", "capri", "israel", "kb2",
                             "lotfi", "share1b", "vtpbase"}) {
        SCOPED_TRACE(name);
        std::string file = std::string(CORVANE_SHARED_DATA) + "/netlib/" + name + ".mps.gz";
        xprstest::MpsModel model;
        ASSERT_TRUE(model.read(file));
        XPRSprob prob = nullptr;
        ASSERT_EQ(0, XPRScreateprob(&prob));
        ASSERT_EQ(0, model.load(prob, false));
        ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_DEFAULTALG, GetParam().defaultAlg));
        ASSERT_EQ(0, XPRSminim(prob, ""));
        int iterations = -1, status = 0;
        double objective = 0.0;
        EXPECT_EQ(0, XPRSgetintattrib(prob, XPRS_SIMPLEXITER, &iterations));
        EXPECT_EQ(0, XPRSgetintattrib(prob, XPRS_LPSTATUS, &status));
        EXPECT_EQ(0, XPRSgetdblattrib(prob, XPRS_LPOBJVAL, &objective));
        EXPECT_EQ(0, XPRSdestroyprob(prob));
        ClpRun direct = runClp(file, GetParam().clpAction);
        ASSERT_GE(direct.iterations, 0) << "clp did not run or report";
        EXPECT_EQ(XPRS_LP_OPTIMAL, status);
        EXPECT_EQ(direct.iterations, iterations);
        EXPECT_NEAR(direct.objective, objective, 1e-6 * std::max(1.0, std::fabs(objective)));
    }
    EXPECT_EQ(0, XPRSfree());
}

std::string pathName(const ::testing::TestParamInfo<Path>& info) {
    return std::string(info.param.clpAction + 1);
}

INSTANTIATE_TEST_SUITE_P(EachAlgorithm, DriverPathTest,
                         ::testing::Values(Path{1, "-either"}, Path{2, "-dualS"},
                                           Path{3, "-primalS"}, Path{4, "-barrier"}),
                         pathName);

}  // namespace
