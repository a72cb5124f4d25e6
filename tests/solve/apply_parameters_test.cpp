// The parameters as the optimizer receives them: every control in its fixed order, the thread
// rules, and the log line of a refused control.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "params/hardware_threads.h"
#include "tests/support/solve_fixture.h"

namespace {

using corvane::test::machineThreads;
using corvane::test::SolveFixture;
using xdbl::ControlSetting;

ControlSetting intSet(int control, int value) {
    return {control, double(value), true, 0};
}
ControlSetting dblSet(int control, double value) {
    return {control, value, false, 0};
}

class ApplyParameters : public SolveFixture {
  protected:
    ApplyParameters() { xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_OPTIMAL); }

    // The settings made between the message registration and the load: the parameters.
    std::vector<ControlSetting> appliedControls() {
        const int begin = xdbl_call_index("XPRSaddcbmessage", 1);
        const int end = xdbl_call_index(nullptr, xdbl_call_count(nullptr));
        std::vector<ControlSetting> applied;
        for (int index = begin + 1; index < end; ++index) {
            const xdbl::Call c = xdbl::call(index);
            if (c.name.rfind("XPRSload", 0) == 0) break;
            if (c.name == "XPRSsetintcontrol") applied.push_back(intSet(c.ints[0], c.ints[1]));
            if (c.name == "XPRSsetdblcontrol") applied.push_back(dblSet(c.ints[0], c.doubles[0]));
        }
        return applied;
    }

    std::optional<int> lastIntValue(const std::vector<ControlSetting>& settings, int control) {
        std::optional<int> value;
        for (const ControlSetting& s : settings)
            if (s.control == control) value = static_cast<int>(s.value);
        return value;
    }
    int countOf(const std::vector<ControlSetting>& settings, int control) {
        return static_cast<int>(
            std::count_if(settings.begin(), settings.end(),
                          [&](const ControlSetting& s) { return s.control == control; }));
    }
};

TEST_F(ApplyParameters, DefaultsReachTheOptimizerInTheirFixedOrder) {
    solve();
    const std::vector<ControlSetting> expected = {
        intSet(8023, 1),     intSet(8011, -1),     intSet(8010, 35),   intSet(8326, 0),
        intSet(8009, 500),   intSet(8012, 2),      intSet(8013, 0),    intSet(8130, 1),
        intSet(8052, 1),     intSet(8018, 100000), intSet(8078, 1),    intSet(8021, 100000000),
        intSet(8026, 1),     intSet(8027, -1),     intSet(8028, -100), intSet(8138, -1),
        intSet(8077, 511),   intSet(8007, 100000), intSet(8278, 1),    intSet(8275, 64),
        intSet(8020, 0),     intSet(8020, 0),      intSet(8196, -1),   intSet(8131, 1),
        intSet(8133, 1),     dblSet(7003, 1e-6),   dblSet(7006, 1e-6), dblSet(7007, 1e-13),
        dblSet(7001, 1e-9),  dblSet(7019, 0.0),    dblSet(7020, 1e-5), dblSet(7009, 1e-6),
        dblSet(7002, 1e-9),  dblSet(7008, 1e-6),   dblSet(7047, 0.01), dblSet(7014, 1e-4),
        dblSet(7042, 0.001), dblSet(7090, 1.0),
    };
    EXPECT_EQ(appliedControls(), expected);
}

TEST_F(ApplyParameters, EveryParameterReachesItsControl) {
    const struct {
        const char* name;
        int value;
        int control;
    } ints[] = {{"IFPRES", 7, 8011},     {"IFSCAL", 8, 8010},          {"ITRLOG", 9, 8009},
                {"ICRASH", 10, 8012},    {"DEVEX", 11, 8013},          {"MAXNODE", 12, 8018},
                {"MAXMIPSOL", 13, 8021}, {"NODESELECTION", 14, 8026},  {"BACKTRACK", 15, 8027},
                {"MIPLOG", 16, 8028},    {"CUTSTRATEGY", 17, 8138},    {"PRESALG", 18, 8077},
                {"MAXLPITER", 19, 8007}, {"MAXSCALEFACTOR", 20, 8275}, {"HEURSEARCHFREQ", 21, 8196},
                {"IALG", 3, 8023}};
    for (const auto& p : ints) solver->setIntParam(p.name, p.value);
    const struct {
        const char* name;
        double value;
        int control;
    } reals[] = {{"ZTOLZE", 2e-6, 7003}, {"ZTCOST", 3e-6, 7006},         {"ZTETA", 4e-13, 7007},
                 {"ZTOLDA", 5e-9, 7001}, {"OPTCA", 0.5, 7019},           {"OPTCR", 6e-5, 7020},
                 {"ZTOLPV", 7e-9, 7002}, {"ZTOLRP", 8e-6, 7008},         {"ZTOLRI", 0.02, 7047},
                 {"PERCUT", 9e-4, 7014}, {"HEURSEARCHEFFORT", 2.5, 7090}};
    for (const auto& p : reals) solver->setRealParam(p.name, p.value);
    solve();
    const auto applied = appliedControls();
    for (const auto& p : ints) EXPECT_EQ(lastIntValue(applied, p.control), p.value) << p.name;
    for (const auto& p : reals) {
        const auto found =
            std::find_if(applied.begin(), applied.end(),
                         [&](const ControlSetting& s) { return s.control == p.control; });
        ASSERT_NE(found, applied.end()) << p.name;
        EXPECT_EQ(found->value, p.value) << p.name;
    }
}

TEST_F(ApplyParameters, NothingIsAppliedWhenSwitchedOff) {
    solver->setIntParam("IPSLCT", 0);
    solver->setIntParam("IBARTHREAD", machineThreads() + 5);
    solver->setIntParam("MIPWARMSTART", 3);
    solve();
    EXPECT_TRUE(appliedControls().empty());
    EXPECT_EQ(solver->inqIntParam("IBARTHREAD"), machineThreads() + 5);
    EXPECT_EQ(solver->mipWarmStartMode, 1);
    EXPECT_EQ(log().find("Error setting"), std::string::npos);
}

// The thread rules on machines of known sizes.
class OnMachine : public ApplyParameters {
  protected:
    ~OnMachine() override { corvane::setHardwareThreads(0); }

    // A solver made on a machine of `threads` hardware threads.
    void machine(int threads) {
        corvane::setHardwareThreads(threads);
        solver = std::make_unique<ZOLXpress>();
        solver->setConvergenceSummary(summary);
        solver->setStringParam("LOGDIR", logDir.string().c_str());
    }
    void makeMip() { vars.types[1] = vrim_var_word(VRIM_VAR_INTEGER, 0); }
};

TEST_F(OnMachine, ThreadBudgetDefaultsToTheMachine) {
    machine(6);
    EXPECT_EQ(solver->inqIntParam("IBARTHREAD"), 6);
}

TEST_F(OnMachine, ConcurrentModeRunsTheAutomaticAlgorithmOnEveryThread) {
    machine(8);
    solver->setIntParam("IALG", 5);
    solver->setIntParam("IBARTHREAD", 8);
    solve();
    const auto applied = appliedControls();
    EXPECT_EQ(lastIntValue(applied, XPRS_DEFAULTALG), 1);
    EXPECT_EQ(lastIntValue(applied, XPRS_THREADS), 8);
    EXPECT_EQ(lastIntValue(applied, XPRS_CONCURRENTTHREADS), 8);
    EXPECT_EQ(lastIntValue(applied, XPRS_BARTHREADS), 6);  // two threads for the simplex runs
    EXPECT_EQ(countOf(applied, XPRS_BARTHREADS), 1);
}

TEST_F(OnMachine, ConcurrentModeOnTwoThreadsSetsNoBarrierThreads) {
    machine(8);
    solver->setIntParam("IALG", 5);
    solver->setIntParam("IBARTHREAD", 2);
    solve();
    const auto applied = appliedControls();
    EXPECT_EQ(lastIntValue(applied, XPRS_THREADS), 2);
    EXPECT_EQ(lastIntValue(applied, XPRS_CONCURRENTTHREADS), 2);
    EXPECT_EQ(countOf(applied, XPRS_BARTHREADS), 0);
}

TEST_F(OnMachine, BarrierGetsTheThreadBudgetAndTheRestOneThread) {
    machine(4);
    solver->setIntParam("IALG", 4);
    solver->setIntParam("IBARTHREAD", 4);
    solve();
    const auto applied = appliedControls();
    EXPECT_EQ(countOf(applied, XPRS_BARTHREADS), 1);
    EXPECT_EQ(lastIntValue(applied, XPRS_BARTHREADS), 4);
    EXPECT_EQ(lastIntValue(applied, XPRS_THREADS), 1);
}

TEST_F(OnMachine, MipSearchUsesTheBudgetOnlyWithParallelMip) {
    machine(4);
    makeMip();
    solver->setIntParam("IBARTHREAD", 4);
    solve();
    auto applied = appliedControls();
    EXPECT_EQ(lastIntValue(applied, XPRS_MIPTHREADS), 4);
    EXPECT_EQ(lastIntValue(applied, XPRS_THREADS), 4);

    solver->setIntParam("PARALLELMIP", 0);
    xdbl_reset();
    solve();
    applied = appliedControls();
    EXPECT_EQ(lastIntValue(applied, XPRS_MIPTHREADS), 1);
    EXPECT_EQ(lastIntValue(applied, XPRS_THREADS), 1);
}

TEST_F(OnMachine, RelaxedMipFollowsTheContinuousRules) {
    machine(4);
    makeMip();
    solver->setIntParam("RELMIP", 1);
    solve();
    const auto applied = appliedControls();
    EXPECT_EQ(countOf(applied, XPRS_MIPTHREADS), 0);
    EXPECT_EQ(lastIntValue(applied, XPRS_THREADS), 1);
}

// IBARTHREAD 64 on a 4-thread machine: every control that takes the budget gets 4, and so does
// the parameter afterwards.
TEST_F(OnMachine, ThreadBudgetIsCappedAtTheMachine) {
    machine(4);
    solver->setIntParam("IBARTHREAD", 64);
    EXPECT_EQ(solver->inqIntParam("IBARTHREAD"), 64);
    makeMip();
    solve();
    EXPECT_EQ(solver->inqIntParam("IBARTHREAD"), 4);
    auto applied = appliedControls();
    EXPECT_EQ(lastIntValue(applied, XPRS_MIPTHREADS), 4);
    EXPECT_EQ(lastIntValue(applied, XPRS_THREADS), 4);

    vars.types[1] = 0;
    for (const int algorithm : {4, 5}) {
        solver->setIntParam("IBARTHREAD", 64);
        solver->setIntParam("IALG", algorithm);
        xdbl_reset();
        solve();
        applied = appliedControls();
        EXPECT_EQ(lastIntValue(applied, XPRS_BARTHREADS), algorithm == 4 ? 4 : 4 - 2);
        EXPECT_EQ(lastIntValue(applied, XPRS_THREADS), algorithm == 4 ? 1 : 4);
    }
    EXPECT_EQ(lastIntValue(applied, XPRS_CONCURRENTTHREADS), 4);
}

TEST_F(OnMachine, OneThreadMachineSearchesOnOneThread) {
    machine(1);
    makeMip();
    solve();
    const auto applied = appliedControls();
    EXPECT_EQ(lastIntValue(applied, XPRS_MIPTHREADS), 1);
    EXPECT_EQ(lastIntValue(applied, XPRS_THREADS), 1);
}

TEST_F(ApplyParameters, IntegerToleranceNeverBelowFeasibility) {
    solver->setRealParam("ZTOLIS", 1.0e-7);
    solve();
    const auto applied = appliedControls();
    const auto mipTol = std::find_if(applied.begin(), applied.end(), [](const ControlSetting& s) {
        return s.control == XPRS_MIPTOL;
    });
    ASSERT_NE(mipTol, applied.end());
    EXPECT_EQ(mipTol->value, 1.0e-6);
}

TEST_F(ApplyParameters, RefusedControlsAreLoggedAndTheRestStillSet) {
    xdbl_refuse_control(XPRS_MAXMIPSOL);
    xdbl_refuse_control(XPRS_SCALING);
    xdbl_refuse_control(XPRS_MIPTOL);
    xdbl_refuse_control(XPRS_CONTROL_8133);
    solver->setRealParam("ZTOLIS", 1.0e-7);
    solve();
    const std::string text = log();
    EXPECT_NE(text.find("\n *** Error setting XPRESS LP algorithm option 35\n"), std::string::npos);
    EXPECT_NE(text.find("\n *** Error setting XPRESS LP algorithm option 1e+08\n"),
              std::string::npos);
    EXPECT_NE(text.find("\n *** Error setting XPRESS integer feasibility tolerance 1e-07\n"),
              std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3 + 3 + 2) << text;
    EXPECT_EQ(appliedControls().back().control, XPRS_HEURSEARCHEFFORT);
}

TEST_F(ApplyParameters, RefusedAlgorithmShowsTheValuePassed) {
    xdbl_refuse_control(XPRS_DEFAULTALG);
    xdbl_refuse_control(XPRS_MAXTIME);
    xdbl_refuse_control(XPRS_ELIMTOL);
    solver->setIntParam("IALG", 5);
    solver->setIntParam("MAXBBMIPTIME", 30);
    solve();
    const std::string text = log();
    EXPECT_NE(text.find("\n *** Error setting XPRESS LP algorithm option 1\n"), std::string::npos);
    EXPECT_NE(text.find("\n *** Error setting XPRESS LP algorithm option XPRS_MAXTIME option 30\n"
                        " *** Error setting XPRESS LP algorithm option XPRS_MAXTIME option 0\n"),
              std::string::npos);
    EXPECT_NE(text.find(" *** Error setting XPRESS LP algorithm option XPRS_ELIMTOL 0.001\n"),
              std::string::npos);
}

TEST_F(ApplyParameters, WarmStartModeIsCopiedWhenApplied) {
    solver->setIntParam("MIPWARMSTART", 3);
    solve();
    EXPECT_EQ(solver->mipWarmStartMode, 3);
}

}  // namespace
