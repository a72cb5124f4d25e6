#include <cstring>

#include "double_fixture.hpp"

namespace {

using ScriptingTest = DoubleTest;

TEST_F(ScriptingTest, OccurrenceScriptOverridesTheBlanketOneAndZeroRestoresSuccess) {
    ASSERT_EQ(xdbl_set_return("XPRSmipoptimize", 7), 0);
    ASSERT_EQ(xdbl_set_return_at("XPRSmipoptimize", 2, 0), 0);
    ASSERT_EQ(xdbl_set_return_at("XPRSmipoptimize", 3, 9), 0);
    EXPECT_EQ(XPRSmipoptimize(prob, ""), 7);
    EXPECT_EQ(XPRSmipoptimize(prob, ""), 7);  // a 0 at an occurrence scripts nothing
    EXPECT_EQ(XPRSmipoptimize(prob, ""), 9);
    xdbl_set_return("XPRSmipoptimize", 0);
    EXPECT_EQ(XPRSmipoptimize(prob, ""), 0);
    EXPECT_EQ(xdbl::count("XPRSmipoptimize"), 4);
    EXPECT_EQ(xdbl::nth("XPRSmipoptimize", 3).result, 9);
}

TEST_F(ScriptingTest, ScriptsNamingNoFunctionAreRefused) {
    EXPECT_EQ(xdbl_set_return("XPRSmipoptimise", 1), -1);
    EXPECT_EQ(xdbl_set_return(nullptr, 1), -1);
    EXPECT_EQ(xdbl_set_return_at("XPRSinit", 0, 1), -1);
    EXPECT_EQ(xdbl_fire_lplog("XPRSminim", -1, 1), -1);
    EXPECT_EQ(xdbl_fire_message("XPRSminim", 0, nullptr, 1), -1);
    EXPECT_EQ(xdbl_call_count("XPRSnothing"), -1);
    EXPECT_EQ(XPRSinit(nullptr), 0);
}

TEST_F(ScriptingTest, ScriptedFailureStoresNothingAndSetsErrorCodeAndText) {
    ASSERT_EQ(XPRSsetintcontrol(prob, XPRS_MAXNODE, 10), 0);
    xdbl_set_return_at("XPRSsetintcontrol", 2, 33);
    EXPECT_EQ(XPRSsetintcontrol(prob, XPRS_MAXNODE, 20), 33);

    int value = -1;
    ASSERT_EQ(XPRSgetintcontrol(prob, XPRS_MAXNODE, &value), 0);
    EXPECT_EQ(value, 10);
    ASSERT_EQ(XPRSgetintattrib(prob, XPRS_ERRORCODE, &value), 0);
    EXPECT_EQ(value, 33);
    char text[512];
    ASSERT_EQ(XPRSgetlasterror(prob, text), 0);
    EXPECT_STREQ(text, "XPRSsetintcontrol failed with code 33");
    EXPECT_EQ(xdbl::nth("XPRSsetintcontrol", 2).ints, (std::vector<int>{XPRS_MAXNODE, 20}));

    xdbl_set_return("XPRSgetintattrib", 5);
    value = -1;
    EXPECT_EQ(XPRSgetintattrib(prob, XPRS_LPSTATUS, &value), 5);
    EXPECT_EQ(value, -1);  // no output on failure
}

TEST_F(ScriptingTest, ScriptedLastErrorSurvivesLaterFailuresAndIsCutToTheBuffer) {
    xdbl_set_last_error(std::string(600, 'e').c_str());
    xdbl_set_return("XPRSminim", 4);
    EXPECT_EQ(XPRSminim(prob, ""), 4);

    char text[600];
    std::memset(text, 'x', sizeof text);
    ASSERT_EQ(XPRSgetlasterror(prob, text), 0);
    EXPECT_EQ(std::strlen(text), 511u);
    EXPECT_EQ(text[512], 'x');
}

TEST_F(ScriptingTest, RefusedControlsStoreNothingButOthersStillDo) {
    xdbl_refuse_control(XPRS_THREADS);
    xdbl_refuse_control(XPRS_MIPTOL);
    EXPECT_EQ(XPRSsetintcontrol(prob, XPRS_THREADS, 4), XDBL_ERR_REFUSED_CONTROL);
    EXPECT_EQ(XPRSsetdblcontrol(prob, XPRS_MIPTOL, 1e-6), XDBL_ERR_REFUSED_CONTROL);
    EXPECT_EQ(XPRSsetintcontrol(prob, XPRS_PRESOLVE, 0), 0);
    EXPECT_EQ(XPRSsetdblcontrol(prob, XPRS_FEASTOL, 1e-7), 0);

    int threads = -1;
    XPRSgetintcontrol(prob, XPRS_THREADS, &threads);
    EXPECT_EQ(threads, 0);
    const std::vector<xdbl::ControlSetting> expected = {
        {XPRS_THREADS, 4, true, XDBL_ERR_REFUSED_CONTROL},
        {XPRS_MIPTOL, 1e-6, false, XDBL_ERR_REFUSED_CONTROL},
        {XPRS_PRESOLVE, 0, true, 0},
        {XPRS_FEASTOL, 1e-7, false, 0},
    };
    EXPECT_EQ(xdbl::controlSettings(), expected);
    EXPECT_EQ(xdbl::lastControlSet(XPRS_FEASTOL), 1e-7);
    EXPECT_FALSE(xdbl::lastControlSet(XPRS_THREADS));
}

TEST_F(ScriptingTest, IntControlsAnswerScriptThenProblemThenDefault) {
    int value = -1;
    XPRSgetintcontrol(prob, XPRS_MPSNAMELENGTH, &value);
    EXPECT_EQ(value, 64);
    XPRSsetintcontrol(prob, XPRS_MPSNAMELENGTH, 8);
    XPRSgetintcontrol(prob, XPRS_MPSNAMELENGTH, &value);
    EXPECT_EQ(value, 8);
    xdbl_set_int_control_answer(XPRS_MPSNAMELENGTH, 1000);
    XPRSgetintcontrol(prob, XPRS_MPSNAMELENGTH, &value);
    EXPECT_EQ(value, 1000);
}

TEST_F(ScriptingTest, AttributesChangeOnTheScriptedCalls) {
    xdbl_set_int_attrib(XPRS_MIPSTATUS, XPRS_MIP_NO_SOL_FOUND);
    xdbl_on_call_set_int_attrib("XPRSmipoptimize", 2, XPRS_MIPSTATUS, XPRS_MIP_OPTIMAL);
    xdbl_on_call_set_dbl_attrib("XPRSmipoptimize", 0, XPRS_MIPOBJVAL, 12.5);
    xdbl_set_return_at("XPRSmipoptimize", 3, 1);

    auto status = [&] {
        int s = 0;
        XPRSgetintattrib(prob, XPRS_MIPSTATUS, &s);
        return s;
    };
    EXPECT_EQ(status(), XPRS_MIP_NO_SOL_FOUND);
    XPRSmipoptimize(prob, "");
    EXPECT_EQ(status(), XPRS_MIP_NO_SOL_FOUND);
    double objective = 0;
    XPRSgetdblattrib(prob, XPRS_MIPOBJVAL, &objective);
    EXPECT_EQ(objective, 12.5);
    XPRSmipoptimize(prob, "");
    EXPECT_EQ(status(), XPRS_MIP_OPTIMAL);

    xdbl_set_dbl_attrib(XPRS_MIPOBJVAL, 0.0);
    XPRSmipoptimize(prob, "");  // scripted to fail: changes nothing
    XPRSgetdblattrib(prob, XPRS_MIPOBJVAL, &objective);
    EXPECT_EQ(objective, 0.0);
}

TEST_F(ScriptingTest, SolutionsFillTheLoadedSizeOnlyWithZerosPastTheScript) {
    loadSmallLp();
    const double x[] = {1, 2, 3, 4, 5};
    const double dual[] = {7};
    xdbl_set_lpsol(5, x, nullptr, 1, nullptr, dual);

    double cols[4] = {-1, -1, -1, -1};
    double rows[3] = {-1, -1, -1};
    double dj[3] = {-1, -1, -1};
    ASSERT_EQ(XPRSgetlpsol(prob, cols, nullptr, rows, dj), 0);
    EXPECT_EQ(std::vector<double>(cols, cols + 4), (std::vector<double>{1, 2, 3, -1}));
    EXPECT_EQ(std::vector<double>(rows, rows + 3), (std::vector<double>{7, 0, -1}));
    EXPECT_EQ(std::vector<double>(dj, dj + 3), (std::vector<double>{0, 0, 0}));
    EXPECT_EQ(xdbl::nth("XPRSgetlpsol", 1).pointers[2], nullptr);  // slack

    const int colsP[] = {0, 1, 2, 0};
    xdbl_set_scaledinfeas(4, colsP, 0, nullptr, 3, nullptr, 0, nullptr);
    int npv = -1, nps = -1, nds = -1, ndv = -1, listP[4] = {-1, -1, -1, -1}, listD[3] = {9, 9, 9};
    ASSERT_EQ(XPRSgetscaledinfeas(prob, &npv, &nps, &nds, &ndv, listP, nullptr, listD, nullptr), 0);
    EXPECT_EQ(npv, 3);
    EXPECT_EQ(listP[3], -1);
    EXPECT_EQ(nds, 2);
    EXPECT_EQ(std::vector<int>(listD, listD + 3), (std::vector<int>{0, 0, 9}));
}

TEST_F(ScriptingTest, NullAndDestroyedHandlesFailWithoutTouchingOutputs) {
    XPRSprob gone = nullptr;
    ASSERT_EQ(XPRScreateprob(&gone), 0);
    ASSERT_EQ(XPRSdestroyprob(gone), 0);
    int value = -1;
    EXPECT_EQ(XPRSgetintattrib(nullptr, XPRS_LPSTATUS, &value), XDBL_ERR_INVALID_PROBLEM);
    EXPECT_EQ(XPRSgetintattrib(gone, XPRS_LPSTATUS, &value), XDBL_ERR_INVALID_PROBLEM);
    EXPECT_EQ(XPRSdestroyprob(gone), XDBL_ERR_INVALID_PROBLEM);
    EXPECT_EQ(value, -1);
    EXPECT_EQ(xdbl_problems_alive(), 1);
    EXPECT_EQ(xdbl_problems_created(), 2);
    EXPECT_EQ(xdbl::nth("XPRScreateprob", 2).pointers[1], gone);
}

TEST_F(ScriptingTest, FreeBalancesInitWithoutGoingBelowZero) {
    XPRSfree();
    XPRSinit(nullptr);
    XPRSinit("/opt/lib");
    EXPECT_EQ(xdbl_init_count(), 2);
    XPRSfree();
    EXPECT_EQ(xdbl_init_count(), 1);
    EXPECT_EQ(xdbl::nth("XPRSinit", 1).strings[0], std::nullopt);
    EXPECT_EQ(xdbl::nth("XPRSinit", 2).strings[0], "/opt/lib");
}

TEST_F(ScriptingTest, ResetForgetsCallsAndScriptsButKeepsLiveProblems) {
    xdbl_set_return("XPRSminim", 3);
    xdbl_set_int_attrib(XPRS_LPSTATUS, 2);
    xdbl_set_version("v9");
    XPRSsetintcontrol(prob, XPRS_MAXNODE, 5);
    XPRSinit(nullptr);

    xdbl_reset();
    EXPECT_EQ(xdbl_call_count(nullptr), 0);
    EXPECT_EQ(xdbl_problems_created(), 0);
    EXPECT_EQ(xdbl_init_count(), 0);
    EXPECT_EQ(XPRSminim(prob, ""), 0);
    int value = -1;
    XPRSgetintattrib(prob, XPRS_LPSTATUS, &value);
    EXPECT_EQ(value, 0);
    XPRSgetintcontrol(prob, XPRS_MAXNODE, &value);
    EXPECT_EQ(value, 5);
    char version[256];
    XPRSgetversion(version);
    EXPECT_STREQ(version, "double 1.0");
    EXPECT_EQ(xdbl_problems_alive(), 1);
}

}  // namespace
