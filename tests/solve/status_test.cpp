// The optimization run and its outcome: the calls by objective direction, both status tables,
// the reports, and the solution as the host gets it back.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "solver/client_callbacks.h"
#include "tests/support/solve_fixture.h"

namespace {

using corvane::test::slurp;
using corvane::test::SolveFixture;
using Doubles = std::vector<double>;
using Ints = std::vector<int>;
using Names = std::vector<std::string>;

class Status : public SolveFixture {
  protected:
    Status() { xdbl_set_lpsol(2, Doubles{0.5, 0.5}.data(), nullptr, 2, nullptr, nullptr); }

    bool logHas(const std::string& text) const { return log().find(text) != std::string::npos; }

    void makeMip() { vars.types[1] = vrim_var_word(VRIM_VAR_INTEGER, 0); }

    // The optimizer calls of the run, in order, from the first optimization call on.
    Names runCalls() const {
        Names all = xdbl::callNames();
        const auto first = std::find_if(all.begin(), all.end(), [](const std::string& n) {
            return n == "XPRSminim" || n == "XPRSmaxim" || n == "XPRSchgobjsense";
        });
        return Names(first, all.end());
    }
};

TEST_F(Status, OptimalLpIsReportedWithItsObjective) {
    xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_OPTIMAL);
    xdbl_set_int_attrib(XPRS_SIMPLEXITER, 17);
    xdbl_set_dbl_attrib(XPRS_LPOBJVAL, 1.5);
    const auto outcome = solve();
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(outcome.request, 7);
    EXPECT_TRUE(
        logHas(" *** Successful LP solution found *** \n"
               " *** Optimal Objective Value is 1.5\n"));
    EXPECT_EQ(status(), 1);
    EXPECT_EQ(realItem("FINAL_OBJ"), 1.5);
    EXPECT_EQ(intItem("NUM_ITER"), 17);
    EXPECT_EQ(xdbl::nth("XPRSminim", 1).strings.at(0), "");
}

TEST_F(Status, LpOutcomesWithoutAnOptimum) {
    const struct {
        int lpStatus, result, status;
        const char* message;
    } cases[] = {
        {3, 1, 4, " *** Warning from XPRESS solver. Inconsistent primal LP solution. Code 3\n"},
        {4, 1, 2, " *** Error in XPRESS solver. Incomplete LP solution. Code 4\n"},
        {6, 1, 4, " *** Error in XPRESS solver. Inconsistent dual LP solution. Code 6\n"},
        {0, 2, 8, " *** Error in XPRESS solver. Status unknown. Code 0\n"},
        {9, 2, 8, " *** Error in XPRESS solver. Status unknown. Code 9\n"},
    };
    for (const auto& c : cases) {
        xdbl_set_int_attrib(XPRS_LPSTATUS, c.lpStatus);
        const auto outcome = solve();
        EXPECT_EQ(outcome.result, c.result) << c.lpStatus;
        EXPECT_EQ(status(), c.status) << c.lpStatus;
        EXPECT_TRUE(logHas(c.message)) << log();
        EXPECT_FALSE(realItem("FINAL_OBJ").has_value());
    }
}

TEST_F(Status, InfeasibleLpWritesSumsAndTheReportWithMarkers) {
    xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_INFEAS);
    xdbl_set_dbl_attrib(XPRS_SUMPRIMALINF, 2.5);
    const Ints columns{0, 1};
    const Ints rows{0, 1};
    xdbl_set_scaledinfeas(2, columns.data(), 2, rows.data(), 0, nullptr, 0, nullptr);
    eqns.multipliers = {2.0};
    vars.values = {300.0, 0.0};  // column 1 scaled by 100
    const auto outcome = solve();
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(status(), 7);
    EXPECT_TRUE(
        logHas(" *** Warning from XPRESS solver. Infeasible LP solution. Code 2\n"
               " *** Sum of Primal Infeasibilities = 2.5\n"
               " *** Sum of Dual Infeasibilities (Newton Barrier only) = 0\n"));
    // Column 0 is an ordinary column; row 0, the objective row, is never listed.
    EXPECT_EQ(slurp(file("lpsolver.inf")), "C0\nC1\nR1\n");
    EXPECT_EQ(vars.reducedCosts, (Doubles{1e12 / 100, 1e12}));
    EXPECT_EQ(eqns.duals, (Doubles{2e12}));
}

TEST_F(Status, InfeasibleLpWithoutSumsOrWithBarrier) {
    xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_INFEAS);
    solve();
    EXPECT_FALSE(logHas("Sum of Primal"));
    EXPECT_TRUE(std::filesystem::exists(file("lpsolver.inf")));
    std::filesystem::remove(file("lpsolver.inf"));
    solver->setIntParam("IALG", 4);
    solve();
    EXPECT_FALSE(std::filesystem::exists(file("lpsolver.inf")));
}

TEST_F(Status, DualInfeasibilitiesAreListedWhenThereAreNoPrimalOnes) {
    xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_INFEAS);
    const Ints rows{1};
    const Ints columns{1};
    xdbl_set_scaledinfeas(0, nullptr, 0, nullptr, 1, rows.data(), 1, columns.data());
    solve();
    EXPECT_EQ(slurp(file("lpsolver.inf")), "C1\nR1\n");
}

TEST_F(Status, UnboundedLpReportsItsRayAsRowOrColumn) {
    xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_UNBOUNDED);
    xdbl_set_unbvec(1);
    EXPECT_EQ(solve().result, 1);
    EXPECT_EQ(status(), 3);
    xdbl_set_unbvec(2 + 1);  // rows (objective included) plus column 1
    solve();
    xdbl_set_unbvec(-1);
    solve();
    EXPECT_EQ(slurp(file("lpsolver.inf")), "R1\nC2\n");
}

TEST_F(Status, NoDirectionMeansNoOptimizationCall) {
    obj.sense = 0;
    const auto outcome = solve();
    EXPECT_EQ(xdbl_call_count("XPRSminim") + xdbl_call_count("XPRSmaxim"), 0);
    EXPECT_TRUE(logHas(" *** Error in XPRESS solver. Status unknown. Code 0\n"));
    EXPECT_EQ(outcome.result, 2);
    EXPECT_EQ(status(), 8);
}

TEST_F(Status, MipSearchRunsInTwoStagesAndRestoresTheControls) {
    makeMip();
    xdbl_set_int_attrib(XPRS_MIPSTATUS, XPRS_MIP_OPTIMAL);
    solver->setIntParam("MAXBBMIPTIME", 30);
    solver->setIntParam("IALG", 3);  // restored after the search, which runs with 1
    solve();
    const Names expected{"XPRSchgobjsense",   "XPRSsetintcontrol", "XPRSsetintcontrol",
                         "XPRSmipoptimize",   "XPRSsetintcontrol", "XPRSsetintcontrol",
                         "XPRSmipoptimize",   "XPRSsetintcontrol", "XPRSsetintcontrol",
                         "XPRSsetintcontrol", "XPRSsetintcontrol"};
    const Names run = runCalls();
    ASSERT_GE(run.size(), expected.size());
    EXPECT_EQ(Names(run.begin(), run.begin() + expected.size()), expected);
    EXPECT_EQ(xdbl::nth("XPRSchgobjsense", 1).ints.at(0), 1);
    EXPECT_EQ(xdbl::nth("XPRSmipoptimize", 1).strings.at(0), "l");
    EXPECT_EQ(xdbl::nth("XPRSmipoptimize", 2).strings.at(0), "");
    std::vector<xdbl::ControlSetting> settings = xdbl::controlSettings();
    std::vector<std::pair<int, int>> last;
    for (size_t i = settings.size() - 8; i < settings.size(); ++i)
        last.emplace_back(settings[i].control, static_cast<int>(settings[i].value));
    EXPECT_EQ(last, (std::vector<std::pair<int, int>>{{8010, 528},
                                                      {8023, 1},
                                                      {8007, 1000000000},
                                                      {8020, 30},
                                                      {8010, 35},
                                                      {8023, 3},
                                                      {8007, 100000},
                                                      {8020, 0}}));
}

TEST_F(Status, ControlsAreDumpedOnlyForAMaximisationWithTheMarkedLimit) {
    makeMip();
    solver->setIntParam("MAXLPITER", 111);
    solve();
    EXPECT_EQ(xdbl_call_count("XPRSdumpcontrols"), 0);
    obj.sense = -1;
    solve();
    EXPECT_EQ(xdbl_call_count("XPRSdumpcontrols"), 1);
    EXPECT_EQ(xdbl::nth("XPRSchgobjsense", 2).ints.at(0), -1);
    solver->setIntParam("MAXLPITER", -89);
    solve();
    EXPECT_EQ(xdbl_call_count("XPRSdumpcontrols"), 1);
}

TEST_F(Status, MipOutcomes) {
    makeMip();
    const struct {
        int mipStatus, result, status;
        const char* message;
    } cases[] = {
        {5, 1, 7,
         " *** Error in XPRESS solver. Search is complete. No integer solution exists. Code = 5\n"},
        {3, 1, 7,
         " *** Error in XPRESS solver. Search is incomplete. No integer solution found. Code = "
         "3\n"},
        {2, 1, 7,
         " *** Error in XPRESS solver. LP optimized only. No integer solution. Code = 2\n"},
        {1, 1, 4,
         " *** Error in XPRESS solver. Incomplete LP solution. No integer solution. Code = 1\n"},
    };
    for (const auto& c : cases) {
        xdbl_set_int_attrib(XPRS_MIPSTATUS, c.mipStatus);
        EXPECT_EQ(solve().result, c.result) << c.mipStatus;
        EXPECT_EQ(status(), c.status) << c.mipStatus;
        EXPECT_TRUE(logHas(c.message)) << log();
    }
}

TEST_F(Status, OptimalMipReportsTheMipObjective) {
    makeMip();
    xdbl_set_int_attrib(XPRS_MIPSTATUS, XPRS_MIP_OPTIMAL);
    xdbl_set_dbl_attrib(XPRS_MIPOBJVAL, 42.0);
    xdbl_set_int_attrib(XPRS_SIMPLEXITER, 9);
    EXPECT_EQ(solve().result, 0);
    EXPECT_TRUE(
        logHas(" *** Successful MIP solution found *** \n"
               " *** Optimal Objective Value is 42\n"));
    EXPECT_EQ(realItem("FINAL_OBJ"), 42.0);
    EXPECT_EQ(intItem("NUM_ITER"), 9);
    EXPECT_EQ(xdbl_call_count("XPRSwritebasis"), 2);  // after the search, and at the end
}

TEST_F(Status, SuboptimalMipIsASolutionWithoutSummaryValues) {
    makeMip();
    xdbl_set_int_attrib(XPRS_MIPSTATUS, XPRS_MIP_SOLUTION);
    xdbl_set_dbl_attrib(XPRS_MIPOBJVAL, 7.25);
    EXPECT_EQ(solve().result, 0);
    EXPECT_EQ(status(), 1);
    EXPECT_TRUE(
        logHas(" *** Warning in XPRESS solver. The solution found is feasible but "
               "suboptimal.\n *** Best Integer Objective Value is 7.25\n"));
    EXPECT_FALSE(realItem("FINAL_OBJ").has_value());
    EXPECT_FALSE(intItem("NUM_ITER").has_value());
}

// The host's result code stays as it was, so nothing counts the search as a success: no basis is
// saved at the end of the solve.
TEST_F(Status, UnlistedMipStatusLeavesTheOutcomeAlone) {
    makeMip();
    for (const int mipStatus : {0, 7}) {
        xdbl_reset();
        rtocvgsum_clear(summary);
        xdbl_set_int_attrib(XPRS_MIPSTATUS, mipStatus);
        EXPECT_EQ(solve().result, -100) << mipStatus;
        EXPECT_TRUE(summaryHistory().empty()) << mipStatus;
        EXPECT_FALSE(logHas("XPRESS solver. ")) << log();
        EXPECT_EQ(xdbl_call_count("XPRSwritebasis"), 0) << mipStatus;
    }
}

TEST_F(Status, MipWithoutAnIntegerSolutionReportsFourThenSeven) {
    makeMip();
    xdbl_set_int_attrib(XPRS_MIPSTATUS, XPRS_MIP_INFEAS);
    solve();
    EXPECT_EQ(statusHistory(), (Ints{4, 7}));
}

TEST_F(Status, InfeasibleMipReportCountsOnlyPrimalColumnsAsPrimal) {
    makeMip();
    xdbl_set_int_attrib(XPRS_MIPSTATUS, XPRS_MIP_INFEAS);
    const Ints rows{1};
    const Ints columns{1};
    // No primal-infeasible column: the MIP form lists the dual ones although a row is primal
    // infeasible, where the LP form would list no column at all.
    xdbl_set_scaledinfeas(0, nullptr, 1, rows.data(), 0, nullptr, 1, columns.data());
    solve();
    EXPECT_EQ(slurp(file("lpsolver.inf")), "C1\nR1\n");
    EXPECT_EQ(vars.reducedCosts[1], 1e12);
}

TEST_F(Status, RelaxedMipSolvesTheRelaxationOnly) {
    makeMip();
    solve();  // after a first search every later one is warm-started; a relaxation is not
    xdbl_reset();
    solver->setIntParam("RELMIP", 1);
    xdbl_set_int_attrib(XPRS_MIPSTATUS, XPRS_MIP_LP_OPTIMAL);
    xdbl_set_dbl_attrib(XPRS_LPOBJVAL, 3.5);
    EXPECT_EQ(solve().result, 0);
    EXPECT_EQ(xdbl::nth("XPRSminim", 1).strings.at(0), "l");
    EXPECT_EQ(xdbl_call_count("XPRSmipoptimize"), 0);
    EXPECT_EQ(xdbl_call_count("XPRSaddmipsol"), 0);
    EXPECT_TRUE(
        logHas(" *** Successful Relaxed IP solution found *** \n"
               " *** Optimal Objective Value is 3.5\n"));
    const xdbl::Call solution = xdbl::nth("XPRSgetlpsol", 1);
    EXPECT_NE(solution.pointers.at(1), nullptr);  // the values come from the relaxation
}

TEST_F(Status, MipSolutionComesWithTheDualsOfTheFixedProblem) {
    makeMip();
    obj.sense = -1;
    xdbl_set_int_attrib(XPRS_MIPSTATUS, XPRS_MIP_OPTIMAL);
    solve();
    const Names run = runCalls();
    const auto from = std::find(run.begin(), run.end(), "XPRSgetmipsol");
    ASSERT_NE(from, run.end());
    EXPECT_EQ(Names(from, from + 4),
              (Names{"XPRSgetmipsol", "XPRSfixglobals", "XPRSmaxim", "XPRSgetlpsol"}));
    EXPECT_EQ(xdbl::nth("XPRSfixglobals", 1).ints.at(0), 1);
    EXPECT_EQ(xdbl::nth("XPRSmaxim", 1).strings.at(0), "l");
    const xdbl::Call duals = xdbl::nth("XPRSgetlpsol", 1);
    EXPECT_EQ(duals.pointers.at(1), nullptr);
    EXPECT_EQ(duals.pointers.at(2), nullptr);
    EXPECT_NE(duals.pointers.at(3), nullptr);
}

TEST_F(Status, FirstMipWarmStartFollowsTheModeThenAlwaysTheStartPoint) {
    makeMip();
    vars.values = {300.0, 2.0};  // column 1 is scaled by 100; the integer column is not
    xdbl_set_int_attrib(XPRS_MIPSTATUS, XPRS_MIP_OPTIMAL);
    solve();
    EXPECT_EQ(xdbl_call_count("XPRSaddmipsol"), 0);  // mode 1: none
    vars.values = {500.0, 4.0};
    solve();
    ASSERT_EQ(xdbl_call_count("XPRSaddmipsol"), 1);
    const xdbl::Call start = xdbl::nth("XPRSaddmipsol", 1);
    EXPECT_EQ(start.ints.at(0), 2);
    EXPECT_EQ(start.doubleArrays.at(0), (Doubles{5.0, 4.0}));  // in the optimizer's columns
    EXPECT_FALSE(start.intArrays.at(0).has_value());
}

TEST_F(Status, FirstMipWarmStartFromTheStartPointWhenAsked) {
    makeMip();
    solver->setIntParam("MIPWARMSTART", 2);
    vars.values = {300.0, 2.0};
    solve();
    ASSERT_EQ(xdbl_call_count("XPRSaddmipsol"), 1);
    EXPECT_EQ(xdbl::nth("XPRSaddmipsol", 1).doubleArrays.at(0), (Doubles{3.0, 2.0}));
}

TEST_F(Status, FirstStartPointOfAnotherSizeIsNotOffered) {
    solve();  // keeps a first start point of two columns
    vars = corvane::test::VectorVars({1.0, 2.0, 3.0});
    makeMip();
    solver->setIntParam("MIPWARMSTART", 3);
    solve();
    EXPECT_EQ(xdbl_call_count("XPRSaddmipsol"), 0);
    EXPECT_TRUE(
        logHas(" *** Warning: XPRESS MIP warm start not made. The first start point has 2 "
               "values, the problem has 3 columns\n"))
        << log();
}

TEST_F(Status, FirstMipWarmStartFromTheFirstStartPoint) {
    solve();  // a continuous first solve keeps the first start point
    makeMip();
    solver->setIntParam("MIPWARMSTART", 3);
    vars.values = {700.0, 1.0};
    solve();
    const xdbl::Call start = xdbl::nth("XPRSaddmipsol", 1);
    EXPECT_EQ(start.doubleArrays.at(0), (Doubles{0.0, 0.0}));  // the very first start point
    EXPECT_FALSE(solver->warmStartPending);
}

TEST_F(Status, RetrievalFailureIsReportedAndTheStartValuesGoBack) {
    xdbl_set_return("XPRSgetlpsol", 44);
    xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_INFEAS);
    vars.values = {300.0, 2.0};
    const auto outcome = solve();
    EXPECT_TRUE(logHas(" *** Error in retrieving solution from XPRESS solver. Error code 44\n"));
    EXPECT_EQ(outcome.result, 1);  // the status table decides
    xdbl_set_int_attrib(XPRS_LPSTATUS, 0);
    vars.values = {300.0, 2.0};
    vars.reducedCosts = {5.0, 6.0};
    eqns.duals = {7.0};
    EXPECT_EQ(solve().result, 2);
    EXPECT_EQ(vars.values, (Doubles{300.0, 2.0}));
    EXPECT_EQ(vars.reducedCosts, (Doubles{0.0, 0.0}));
    EXPECT_EQ(eqns.duals, (Doubles{0.0}));
}

// Reads the solve's result code whenever the optimizer sends a message.
struct ResultWatcher : IZOL_XpressControlMsgCallBack {
    const int* result = nullptr;
    Ints seen;
    void onMessage(const char*, int, int, bool) override {
        if (result) seen.push_back(*result);
    }
};

TEST_F(Status, FailedLoadReportsBeforeTheRunGoesOn) {
    static ResultWatcher watcher;  // a registration outlives the test
    makeMip();
    xdbl_set_return("XPRSloadglobal", 31);
    xdbl_fire_message("XPRSmipoptimize", 1, "search", 1);
    corvane::test::Outcome outcome;
    watcher.result = &outcome.result;
    watcher.seen.clear();
    ZOLXpressRegisterClientMsgCallBack(&watcher);
    iterateOnce();
    iterateOnce();
    solver->iterate(&vars, &eqns, &derivs, &obj, &outcome.request, &outcome.done, &outcome.result);
    watcher.result = nullptr;
    EXPECT_EQ(watcher.seen, Ints{-2});  // while the optimizer runs
    // The optimizer refuses the names of a problem it did not load, and that fails the search.
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(statusHistory(), (Ints{8, 8}));
    EXPECT_TRUE(logHas(" *** Error loading problem to XPRESS solver. Error code 31\n")) << log();
}

TEST_F(Status, NoSummaryRecordMeansNoItems) {
    solver = std::make_unique<ZOLXpress>();
    solver->setStringParam("LOGDIR", logDir.string().c_str());
    const int before = rtocvgsum_items_without_record();
    xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_OPTIMAL);
    EXPECT_EQ(solve().result, 0);
    xdbl_set_return("XPRSloadlp", 31);
    solve();
    corvane::test::Outcome missing;
    solver->iterate(nullptr, &eqns, &derivs, &obj, &missing.request, &missing.done,
                    &missing.result);
    EXPECT_EQ(missing.result, -6);
    EXPECT_EQ(rtocvgsum_items_without_record(), before);
}

TEST_F(Status, SolutionIsUnscaledClampedAndReturnedWithDualsAndBasis) {
    vars = corvane::test::VectorVars({300.0, 20.0, 0.0, 0.0});
    vars.lower = {0.0, 10.0, 0.0, -1.0};
    vars.upper = {1000.0, 90.0, 5.0, 1.0};
    derivs.rows = {1, 1, 1, 1};
    derivs.cols = {1, 2, 3, 4};
    derivs.values = {1, 1, 1, 1};
    obj.indices = {1};
    obj.first = {1.0};
    obj.second = {0.0};
    eqns.multipliers = {-3.0};
    xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_OPTIMAL);
    // x1 inside its bounds, x2 below its scaled lower bound 1.0, x3 above 5, x4 inside
    const Doubles x{4.5, 0.5, 6.0, 0.25};
    const Doubles dj{5.0, 1.0, 2.0, 3.0};
    const Doubles dual{9.0, 0.5};
    xdbl_set_lpsol(4, x.data(), dj.data(), 2, nullptr, dual.data());
    const Ints rowStatus{1, 2};
    const Ints columnStatus{1, 0, 2, 3};
    xdbl_set_basis(2, rowStatus.data(), 4, columnStatus.data());
    solve();
    EXPECT_EQ(vars.values, (Doubles{450.0, 10.0, 5.0, 0.25}));
    EXPECT_EQ(vars.reducedCosts, (Doubles{0.05, 0.1, 2.0, 3.0}));
    EXPECT_EQ(eqns.duals, (Doubles{-1.5}));
    EXPECT_EQ(eqns.multipliers, (Doubles{1.0}));
    EXPECT_EQ(eqns.basis, (Ints{2}));
    EXPECT_EQ(vars.basis, (Ints{1, 0, 2, 3}));
}

TEST_F(Status, SemiContinuousFoundAtZeroLosesItsLowerBound) {
    vars.types[0] = vrim_var_word(VRIM_VAR_SEMICONTINUOUS, 0);
    vars.lower = {2.0, 0.0};
    xdbl_set_int_attrib(XPRS_MIPSTATUS, XPRS_MIP_OPTIMAL);
    const Doubles x{0.00005, 0.5};
    xdbl_set_mipsol(2, x.data(), 0, nullptr);
    solve();
    EXPECT_EQ(vars.lower[0], 0.0);

    vars.lower = {2.0, 0.0};
    solver->setIntParam("RELMIP", 1);
    xdbl_set_int_attrib(XPRS_MIPSTATUS, XPRS_MIP_LP_OPTIMAL);
    xdbl_set_lpsol(2, x.data(), nullptr, 0, nullptr, nullptr);
    solve();
    EXPECT_EQ(vars.lower[0], 2.0);
}

TEST_F(Status, HugeFirstValueCountsAsNoSolution) {
    xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_OPTIMAL);
    const Doubles x{1e12, 1.0};
    xdbl_set_lpsol(2, x.data(), nullptr, 0, nullptr, nullptr);
    vars.values = {3.0, 4.0};
    solve();
    EXPECT_EQ(vars.values, (Doubles{3.0, 4.0}));
    EXPECT_EQ(xdbl_call_count("XPRSwritebasis"), 0);
}

TEST_F(Status, ProblemWithoutColumnsIsJudgedByItsResultCode) {
    vars = corvane::test::VectorVars({});
    derivs = corvane::test::VectorDerivs();
    obj.indices.clear();
    obj.first.clear();
    obj.second.clear();
    xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_OPTIMAL);
    eqns.multipliers = {4.0};
    EXPECT_EQ(solve().result, 0);
    EXPECT_EQ(eqns.multipliers, (Doubles{1.0}));  // the solution was taken
}

TEST_F(Status, FiveSolvesLeaveNothingBehind) {
    makeMip();
    xdbl_set_int_attrib(XPRS_MIPSTATUS, XPRS_MIP_OPTIMAL);
    for (int run = 0; run < 5; ++run) EXPECT_EQ(solve().result, 0);
    EXPECT_EQ(xdbl_problems_alive(), 0);
    EXPECT_EQ(solver->colStart, nullptr);
    EXPECT_EQ(solver->problemHandle, nullptr);
    EXPECT_NE(solver->firstStartPoint, nullptr);
    EXPECT_EQ(solver->runCounter, 4);
}

}  // namespace
