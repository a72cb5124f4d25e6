// The problem as the optimizer receives it: rows, columns, bounds, entities, sets, the scaled
// column-wise matrix with the objective row first, the objective and the names.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "tests/support/solve_fixture.h"

namespace {

using corvane::test::SolveFixture;
using corvane::test::VectorSets;
using Doubles = std::vector<double>;
using Ints = std::vector<int>;

// Four variables and three equations, chosen so that every assembly rule shows:
//   x1 continuous, start 123.4 (scale 100), bounds [0, 500]
//   x2 integer with bounds [0, 1] (a binary), x3 semi-continuous [2, 10], x4 free, the last column
//   e1: <=, residual at zero -4;  e2: >=, residual 3, multiplier 2;  e3: <= but not included
class Assembly : public SolveFixture {
  protected:
    Assembly() {
        vars = corvane::test::VectorVars({123.4, 0.0, 0.0, 50.0});
        vars.upper = {500.0, 1.0, 10.0, 1e21};
        vars.lower = {0.0, 0.0, 2.0, -1e20};
        vars.types = {0, vrim_var_word(VRIM_VAR_INTEGER, 0),
                      vrim_var_word(VRIM_VAR_SEMICONTINUOUS, 0), 0};
        eqns = corvane::test::VectorEqns({-4.0, 3.0, 0.5});
        eqns.multipliers = {1.0, 2.0, 1.0};
        eqns.types = {vrim_eqn_word(VRIM_REL_LESS, 1), vrim_eqn_word(VRIM_REL_GREATER, 1),
                      vrim_eqn_word(VRIM_REL_LESS, 0)};
        derivs.rows = {2, 1, 3, 1, 2};
        derivs.cols = {4, 1, 2, 4, 1};
        derivs.values = {5.0, 1.0, 2.0, 3.0, 0.0};
        obj.indices = {1, 3, 4};
        obj.first = {2.0, 0.0, 1.5};
        obj.second = {0.0, 0.0, 0.0};
        xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_OPTIMAL);
        xdbl_set_int_attrib(XPRS_MIPSTATUS, XPRS_MIP_OPTIMAL);
    }

    static xdbl::Call load(const char* function) { return xdbl::nth(function, 1); }
};

TEST_F(Assembly, MipIsLoadedWithScaledColumnsEntitiesAndTheObjectiveRowFirst) {
    iterateOnce();
    iterateOnce();
    EXPECT_EQ(vars.values, (Doubles{1.234, 0.0, 0.0, 50.0}));  // the start point in scaled units
    iterateOnce();
    ASSERT_EQ(xdbl_call_count("XPRSloadlp") + xdbl_call_count("XPRSloadqp"), 0);
    const xdbl::Call c = load("XPRSloadglobal");
    EXPECT_EQ(c.strings.at(0), "xpress");
    EXPECT_EQ(c.ints, (Ints{4, 4, 2, 0}));
    EXPECT_EQ(c.charArrays.at(0), std::string("NLGN"));
    const auto& d = c.doubleArrays;
    EXPECT_EQ(d.at(0), (Doubles{0.0, 4.0, -6.0, -0.5}));  // rhs
    EXPECT_FALSE(d.at(1).has_value());                    // no ranges
    EXPECT_EQ(d.at(2), (Doubles{200.0, 0.0, 0.0, 1.5}));  // objective, scaled
    EXPECT_EQ(c.intArrays.at(0), (Ints{0, 3, 4, 4, 7}));  // column starts
    EXPECT_FALSE(c.intArrays.at(1).has_value());          // no lengths
    EXPECT_EQ(c.intArrays.at(2), (Ints{0, 1, 2, 3, 0, 2, 1}));
    EXPECT_EQ(d.at(3), (Doubles{2.0, 100.0, 0.0, 2.0, 1.5, 10.0, 3.0}));
    EXPECT_EQ(d.at(4), (Doubles{0.0, 0.0, 0.0, -1e20}));  // lower
    EXPECT_EQ(d.at(5), (Doubles{5.0, 1.0, 10.0, 1e20}));  // upper
    EXPECT_EQ(c.charArrays.at(1), std::string("BS"));
    EXPECT_EQ(c.intArrays.at(3), (Ints{1, 2}));
    EXPECT_EQ(d.at(6), (Doubles{0.0, 2.0}));  // the semi-continuous limit
}

TEST_F(Assembly, NamesLoseTheirPrefixAndTheObjectiveRowIsNamed) {
    vars.names = {"var_flow", "var_", "v", "var_abcdef"};
    eqns.names = {"equ_supply", "equ_demand", "equ_x"};
    solve();
    const xdbl::Call columns = xdbl::nth("XPRSaddnames", 1);
    EXPECT_EQ(columns.ints, (Ints{2, 0, 3}));
    EXPECT_EQ(columns.charArrays.at(0), std::string("flow\0\0\0abcdef\0", 14));
    const xdbl::Call rows = xdbl::nth("XPRSaddnames", 2);
    EXPECT_EQ(rows.ints, (Ints{1, 0, 3}));
    EXPECT_EQ(rows.charArrays.at(0), std::string("ObjRow\0supply\0demand\0x\0", 23));
    EXPECT_EQ(xdbl::nth("XPRSsetintcontrol", 1).ints, (Ints{XPRS_MPSNAMELENGTH, 64}));
}

TEST_F(Assembly, NamesAreCutToTheLengthTheOptimizerAllows) {
    xdbl_set_int_control_answer(XPRS_MPSNAMELENGTH, 5);
    vars.names = {"var_flow", "var_x", "var_y", "var_z"};
    solve();
    EXPECT_EQ(xdbl::nth("XPRSaddnames", 1).charArrays.at(0), std::string("f\0x\0y\0z\0", 8));
    EXPECT_EQ(xdbl::nth("XPRSaddnames", 2).charArrays.at(0), std::string("ObjRo\0e\0e\0e\0", 12));
}

TEST_F(Assembly, ContinuousProblemIsLoadedAsAnLp) {
    vars.types = {0, 0, 0, 0};
    solve();
    const xdbl::Call c = load("XPRSloadlp");
    EXPECT_EQ(c.ints, (Ints{4, 4}));
    EXPECT_EQ(c.doubleArrays.at(4), (Doubles{0.0, 0.0, 2.0, -1e20}));
    EXPECT_FALSE(solver->solveAsMip);
}

TEST_F(Assembly, FixedAndDegenerateIntegersAreNotEntities) {
    vars.types[1] = vrim_var_word(VRIM_VAR_BINARY, 1);  // fixed at its value
    vars.values[1] = 1.0;
    vars.lower[2] = vars.upper[2] = 0.0;  // a semi-continuous with no room
    solve();
    const xdbl::Call c = load("XPRSloadlp");
    EXPECT_EQ(c.doubleArrays.at(4).value()[1], 1.0);
    EXPECT_EQ(c.doubleArrays.at(5).value()[1], 1.0);
    EXPECT_EQ(c.doubleArrays.at(4).value()[2], 0.0);
    EXPECT_EQ(c.doubleArrays.at(5).value()[2], 0.0);
}

TEST_F(Assembly, EntityTypesFollowKindAndBounds) {
    vars.types = {vrim_var_word(VRIM_VAR_INTEGER, 0), vrim_var_word(VRIM_VAR_BINARY, 0),
                  vrim_var_word(VRIM_VAR_SEMICONTINUOUS, 0), vrim_var_word(VRIM_VAR_INTEGER, 0)};
    vars.lower = {0.0, 0.0, 0.0, -3.0};
    vars.upper = {1.0, 5.0, 1.0, 3.0};
    solve();
    const xdbl::Call c = load("XPRSloadglobal");
    EXPECT_EQ(c.charArrays.at(1), std::string("BBBI"));
    EXPECT_EQ(c.intArrays.at(3), (Ints{0, 1, 2, 3}));
    EXPECT_EQ(c.doubleArrays.at(6), (Doubles{0.0, 0.0, 0.0, 0.0}));
}

TEST_F(Assembly, FixMipFixesIntegersAtTheirValuesAndLoadsAnLp) {
    solver->setIntParam("FIXMIP", 1);
    vars.types = {vrim_var_word(VRIM_VAR_INTEGER, 0), vrim_var_word(VRIM_VAR_INTEGER, 0),
                  vrim_var_word(VRIM_VAR_SEMICONTINUOUS, 0),
                  vrim_var_word(VRIM_VAR_SEMICONTINUOUS, 0)};
    vars.values = {2.6, -1.0, 0.0, 4.0};
    vars.lower = {0.0, -5.0, 1.0, 1.0};
    vars.upper = {5.0, 5.0, 8.0, 8.0};
    solve();
    const xdbl::Call c = load("XPRSloadlp");
    EXPECT_EQ(c.doubleArrays.at(4), (Doubles{3.0, 0.0, 0.0, 1.0}));
    EXPECT_EQ(c.doubleArrays.at(5), (Doubles{3.0, 0.0, 0.0, 8.0}));
    // -1.0 rounds to zero, never to a negative zero.
    EXPECT_FALSE(std::signbit(c.doubleArrays.at(4).value()[1]));
    EXPECT_FALSE(std::signbit(c.doubleArrays.at(5).value()[1]));
}

TEST_F(Assembly, InfiniteBoundsOfAScaledColumnStayInfinite) {
    vars.types = {0, 0, 0, 0};
    vars.lower[0] = -1e25;  // x1 is scaled by 100
    vars.upper[0] = 1e20;
    solve();
    const xdbl::Call c = load("XPRSloadlp");
    EXPECT_EQ(c.doubleArrays.at(4).value()[0], -1e20);
    EXPECT_EQ(c.doubleArrays.at(5).value()[0], 1e20);
}

TEST_F(Assembly, StrictRelationsGiveTheirRowTypes) {
    eqns.types = {vrim_eqn_word(VRIM_REL_LESS_STRICT, 1), vrim_eqn_word(VRIM_REL_GREATER_STRICT, 1),
                  vrim_eqn_word(VRIM_REL_EQUAL, 1)};
    solve();
    EXPECT_EQ(load("XPRSloadglobal").charArrays.at(0), std::string("NLGE"));
}

TEST_F(Assembly, ColumnsWithoutElementsAndWithTheObjectiveAlone) {
    vars.types = {0, 0, 0, 0};
    derivs = corvane::test::VectorDerivs();
    obj.indices.clear();
    obj.first.clear();
    obj.second.clear();
    solve();
    const xdbl::Call empty = load("XPRSloadlp");
    EXPECT_EQ(empty.intArrays.at(0), (Ints{0, 0, 0, 0, 0}));
    EXPECT_EQ(empty.intArrays.at(2).value_or(Ints{}), Ints{});

    obj.indices = {3};
    obj.first = {-2.5};
    obj.second = {0.0};
    solve();
    const xdbl::Call objectiveOnly = xdbl::nth("XPRSloadlp", 2);
    EXPECT_EQ(objectiveOnly.intArrays.at(0), (Ints{0, 0, 0, 1, 1}));
    EXPECT_EQ(objectiveOnly.intArrays.at(2), (Ints{0}));
    EXPECT_EQ(objectiveOnly.doubleArrays.at(3), (Doubles{-2.5}));
}

TEST_F(Assembly, FixMipOtherThanOneClassifiesButLoadsWithoutEntities) {
    solver->setIntParam("FIXMIP", 2);
    solve();
    EXPECT_EQ(xdbl_call_count("XPRSloadlp"), 1);
    EXPECT_EQ(solver->numEntities, 2);  // classified all the same
}

TEST_F(Assembly, SetsOfTypesOneAndTwoAreLoadedWithReferenceWeights) {
    VectorSets sets;
    sets.types = {1, 3, 2};
    sets.members = {{1, 2}, {1, 2, 3, 4}, {2, 3, 4}};
    solver->setSetProvider(&sets);
    vars.types = {0, 0, 0, 0};
    solve();
    const xdbl::Call c = load("XPRSloadglobal");
    EXPECT_EQ(c.ints, (Ints{4, 4, 0, 2}));
    EXPECT_EQ(c.charArrays.at(2), std::string("12"));
    EXPECT_EQ(c.intArrays.at(4), (Ints{0, 2, 5}));
    EXPECT_EQ(c.intArrays.at(5), (Ints{0, 1, 1, 2, 3}));
    EXPECT_EQ(c.doubleArrays.at(7), (Doubles{1, 2, 1, 2, 3}));
    EXPECT_TRUE(solver->solveAsMip);
}

TEST_F(Assembly, FixMipZeroesSetMembersAtZero) {
    VectorSets sets;
    sets.types = {1};
    sets.members = {{1, 4}};
    solver->setSetProvider(&sets);
    solver->setIntParam("FIXMIP", 1);
    vars.types = {0, 0, 0, 0};
    vars.values = {0.0, 0.0, 0.0, 7.0};
    solve();
    const xdbl::Call c = load("XPRSloadlp");
    EXPECT_EQ(c.doubleArrays.at(4), (Doubles{0.0, 0.0, 2.0, -1e20}));
    EXPECT_EQ(c.doubleArrays.at(5), (Doubles{0.0, 1.0, 10.0, 1e20}));
}

TEST_F(Assembly, QuadraticTermsAreStatedInScaledColumns) {
    obj.second = {4.0, 0.0, 1e12};
    obj.sense = -1;
    solve();
    ASSERT_EQ(xdbl_call_count("XPRSloadglobal"), 0);  // entities are not passed with a QP
    const xdbl::Call c = load("XPRSloadqp");
    EXPECT_EQ(c.ints, (Ints{4, 4, 1}));
    EXPECT_EQ(c.intArrays.at(3), (Ints{0}));
    EXPECT_EQ(c.intArrays.at(4), (Ints{0}));
    EXPECT_EQ(c.doubleArrays.at(6), (Doubles{-4.0 * 100 * 100}));
    EXPECT_EQ(c.doubleArrays.at(2), (Doubles{-200.0, 0.0, 0.0, -1.5}));
    // What is loaded is continuous, and it is solved and reported as such.
    EXPECT_EQ(xdbl_call_count("XPRSmipoptimize"), 0);
    EXPECT_EQ(xdbl::nth("XPRSmaxim", 1).strings.at(0), "");
    EXPECT_NE(log().find(" *** Warning: XPRESS solves the quadratic problem without its integer "
                         "entities and sets. Entities and sets not passed: 2\n"),
              std::string::npos)
        << log();
    EXPECT_NE(log().find(" *** Successful LP solution found *** \n"), std::string::npos);
    EXPECT_EQ(status(), 1);
}

TEST_F(Assembly, NoQuadraticTermsAfterAQuadraticSolve) {
    obj.second = {4.0, 0.0, 0.0};
    solve();
    obj.second = {0.0, 0.0, 0.0};
    solve();
    EXPECT_EQ(xdbl_call_count("XPRSloadqp"), 1);
    EXPECT_EQ(xdbl_call_count("XPRSloadglobal"), 1);
}

TEST_F(Assembly, FailedLoadIsReportedAndTheNamesStillAdded) {
    xdbl_set_return("XPRSloadglobal", 31);
    xdbl_set_last_error("bad matrix");
    xdbl_set_int_attrib(XPRS_MIPSTATUS, 0);
    const auto outcome = solve();
    EXPECT_NE(
        log().find(" *** Error loading problem to XPRESS solver. Error code 31\nbad matrix\n"),
        std::string::npos)
        << log();
    EXPECT_EQ(xdbl_call_count("XPRSaddnames"), 2);
    EXPECT_EQ(status(), 8);
    // The optimizer refuses the names of a problem it could not load, and the solve fails.
    EXPECT_EQ(outcome.result, 1);
}

TEST_F(Assembly, NoSetProviderMeansNoSets) {
    vars.types = {0, 0, 0, 0};
    solver->setSetProvider(nullptr);
    EXPECT_EQ(solve().request, 7);
    EXPECT_EQ(xdbl_call_count("XPRSloadlp"), 1);
}

TEST_F(Assembly, FailedCreationMakesNoFurtherOptimizerCall) {
    xdbl_set_return("XPRScreateprob", 12);
    const auto outcome = solve();
    EXPECT_EQ(xdbl::callNames(), (std::vector<std::string>{"XPRScreateprob", "XPRSgetversion"}));
    EXPECT_NE(log().find(" *** Error creating XPRESS problem. Error code 12\n"), std::string::npos);
    EXPECT_EQ(outcome.result, -2);
    EXPECT_EQ(outcome.request, 7);
    EXPECT_EQ(status(), 8);
    EXPECT_EQ(vars.values[0], 123.4);
    EXPECT_EQ(solver->iteratePhase, 1);
    EXPECT_EQ(solver->startPoint, nullptr);
}

// A creation that fails after making the problem leaves it behind: it is released, not used.
TEST_F(Assembly, FailedCreationReleasesAHandleItLeft) {
    xdbl_set_return("XPRScreateprob", 12);
    xdbl_fill_handle_on_failure(1);
    const int aliveBefore = xdbl_problems_alive();
    EXPECT_EQ(solve().result, -2);
    EXPECT_EQ(xdbl::callNames(),
              (std::vector<std::string>{"XPRScreateprob", "XPRSdestroyprob", "XPRSgetversion"}));
    EXPECT_EQ(xdbl_problems_alive(), aliveBefore);
    EXPECT_EQ(solver->problemHandle, nullptr);
}

class BadData : public Assembly {
  protected:
    // The solve that met the bad data loads nothing and gives the host its start values back.
    void expectRefused(const std::string& what, const corvane::test::Outcome& outcome,
                       double start = 123.4) {
        EXPECT_NE(log().find(" *** Error in problem data for XPRESS solver. " + what + "\n"),
                  std::string::npos)
            << log();
        EXPECT_EQ(xdbl_call_count("XPRSloadlp") + xdbl_call_count("XPRSloadglobal") +
                      xdbl_call_count("XPRSloadqp"),
                  0);
        EXPECT_EQ(outcome.result, -2);
        EXPECT_EQ(outcome.request, 7);
        EXPECT_EQ(status(), 8);
        EXPECT_EQ(vars.values[0], start);
        EXPECT_EQ(solver->iteratePhase, 1);
        EXPECT_EQ(xdbl_problems_alive(), 0);
    }
};

TEST_F(BadData, JacobianVariableOutOfRange) {
    derivs.cols[2] = 9;
    expectRefused("Jacobian element 3 has variable 9 outside 1..4", solve());
}

TEST_F(BadData, JacobianEquationOutOfRange) {
    derivs.rows[4] = 0;
    expectRefused("Jacobian element 5 has equation 0 outside 1..3", solve());
}

TEST_F(BadData, ObjectiveIndexOutOfRange) {
    obj.indices = {1, 3, 5};
    expectRefused("objective entry 3 has variable 5 outside 1..4", solve());
}

TEST_F(BadData, ObjectiveIndicesNotAscending) {
    obj.indices = {3, 1, 4};
    expectRefused("objective entry 2 has variable 1 after variable 3, not in ascending order",
                  solve());
}

TEST_F(BadData, SetMemberOutOfRange) {
    VectorSets sets;
    sets.types = {2};
    sets.members = {{1, 7}};
    solver->setSetProvider(&sets);
    expectRefused("set 1 has member 7 outside 1..4", solve());
}

TEST_F(BadData, SetCountsThatDisagreeWithTheTypes) {
    struct Miscounting : VectorSets {
        int inqNumSetsOfType(int type) override { return type == 1 ? 3 : 0; }
    } sets;
    sets.types = {1};
    sets.members = {{1, 2}};
    solver->setSetProvider(&sets);
    expectRefused("the set provider counts 3 sets of types 1 and 2 but lists 1", solve());
}

TEST_F(BadData, NegativeElementCount) {
    struct Negative : corvane::test::VectorDerivs {
        int inqNumElements() override { return -1; }
    } negative;
    iterateOnce();
    iterateOnce();
    corvane::test::Outcome outcome;
    solver->iterate(&vars, &eqns, &negative, &obj, &outcome.request, &outcome.done,
                    &outcome.result);
    expectRefused("the Jacobian element count -1 is negative", outcome);
}

// Counts that describe no model, and bounds that are no numbers, are refused before anything is
// allocated by them or loaded: a count in the call that reads it, a bound in the third call.
TEST_F(BadData, CountsAndBoundsThatDescribeNoModel) {
    constexpr int kMax = std::numeric_limits<int>::max();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Counted : corvane::test::VectorEqns {
        using VectorEqns::VectorEqns;
        int count = 0;
        int inqNumEqns() override { return count; }
    };
    struct CountedVars : corvane::test::VectorVars {
        using VectorVars::VectorVars;
        int count = 0;
        int inqNumVars() override { return count; }
    };
    struct CountedObj : corvane::test::VectorObj {
        int count = 0;
        int inqNumTerms() override { return count; }
    };
    struct HugeSets : VectorSets {
        int inqNumMembers(int) override { return kMax; }
    };
    const auto withEquations = [this](int count) {
        Counted counted({-4.0, 3.0, 0.5});
        counted.count = count;
        corvane::test::Outcome outcome;
        solver->iterate(&vars, &counted, &derivs, &obj, &outcome.request, &outcome.done,
                        &outcome.result);
        return outcome;
    };
    const auto withVariables = [this](int count) {
        CountedVars counted({123.7, 0.0, 0.0, 50.0});
        counted.count = count;
        corvane::test::Outcome outcome;
        solver->iterate(&counted, &eqns, &derivs, &obj, &outcome.request, &outcome.done,
                        &outcome.result);
        return outcome;
    };
    const auto withObjectiveTerms = [this](int count) {
        iterateOnce();
        iterateOnce();
        CountedObj counted;
        counted.count = count;
        corvane::test::Outcome outcome;
        solver->iterate(&vars, &eqns, &derivs, &counted, &outcome.request, &outcome.done,
                        &outcome.result);
        return outcome;
    };
    struct Case {
        std::string what;
        std::function<corvane::test::Outcome()> run;
    };
    const std::vector<Case> cases = {
        {"the equation count -1 is negative", [&] { return withEquations(-1); }},
        {"the equation count 2147483647 leaves no room for the objective row",
         [&] { return withEquations(kMax); }},
        {"the variable count -1 is negative", [&] { return withVariables(-1); }},
        {"the objective term count -1 is negative", [&] { return withObjectiveTerms(-1); }},
        {"the Jacobian element count 5 and the objective term count 2147483647 give more matrix "
         "elements than 2147483647",
         [&] { return withObjectiveTerms(kMax); }},
        {"the sets have 4294967294 members, more than 2147483647",
         [&] {
             HugeSets sets;
             sets.types = {1, 2};
             sets.members = {{1}, {2}};
             solver->setSetProvider(&sets);
             const auto outcome = solve();
             solver->setSetProvider(nullptr);
             return outcome;
         }},
        {"variable 2 has the lower bound nan",
         [&] {
             vars.lower[1] = nan;
             return solve();
         }},
        {"variable 3 has the upper bound nan",
         [&] {
             vars.upper[2] = nan;
             return solve();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        xdbl_reset();
        // Scale 100, and 123.7 / 100 * 100 is 123.70000000000002: the start value comes back
        // exactly.
        vars = corvane::test::VectorVars({123.7, 0.0, 0.0, 50.0});
        vars.upper = {500.0, 1.0, 10.0, 1e21};
        vars.lower = {0.0, 0.0, 2.0, -1e20};
        vars.types = {0, vrim_var_word(VRIM_VAR_INTEGER, 0),
                      vrim_var_word(VRIM_VAR_SEMICONTINUOUS, 0), 0};
        expectRefused(c.what, c.run(), 123.7);
    }
}

TEST_F(BadData, VariableCountChangedBetweenCalls) {
    iterateOnce();
    iterateOnce();
    vars = corvane::test::VectorVars({1.234, 0, 0, 0, 0});  // in scaled units, as the host has it
    expectRefused("the variable count 5 differs from 4 in the first call", iterateOnce());
}

TEST_F(BadData, EquationsWithoutADerivativeProvider) {
    iterateOnce();
    iterateOnce();
    corvane::test::Outcome outcome;
    solver->iterate(&vars, &eqns, nullptr, &obj, &outcome.request, &outcome.done, &outcome.result);
    expectRefused("there is no derivative provider for the Jacobian", outcome);

    // Without equations there is no Jacobian to provide.
    eqns = corvane::test::VectorEqns({});
    iterateOnce();
    iterateOnce();
    solver->iterate(&vars, &eqns, nullptr, &obj, &outcome.request, &outcome.done, &outcome.result);
    EXPECT_EQ(xdbl_call_count("XPRSloadglobal"), 1);
}

// A solve cleaned up in its middle has lost its start point: the next call is refused, whichever
// call comes next.
TEST_F(BadData, SolveCleanedUpInItsMiddle) {
    for (const int callsBefore : {1, 2}) {
        xdbl_reset();
        for (int call = 0; call < callsBefore; ++call) iterateOnce();
        solver->CleanUp();
        const auto outcome = iterateOnce();
        EXPECT_NE(log().find(" *** Error in problem data for XPRESS solver. there is no start "
                             "point from the first call\n"),
                  std::string::npos)
            << log();
        EXPECT_EQ(outcome.result, -2);
        EXPECT_EQ(outcome.request, 7);
        EXPECT_EQ(status(), 8);
        EXPECT_EQ(solver->iteratePhase, 1);
        EXPECT_EQ(xdbl_call_count("XPRSloadglobal"), 0);
        vars.values = {123.4, 0.0, 0.0, 50.0};
    }
    xdbl_set_int_attrib(XPRS_MIPSTATUS, XPRS_MIP_OPTIMAL);
    EXPECT_EQ(solve().result, 0);  // the next solve starts afresh
}

TEST_F(BadData, VariableCountChangedAfterTheFirstCall) {
    iterateOnce();
    vars = corvane::test::VectorVars({0, 0, 0, 0, 0});  // all zero, as the first call left them
    expectRefused("the variable count 5 differs from 4 in the first call", iterateOnce());
}

TEST_F(BadData, EquationCountChangedBetweenCalls) {
    iterateOnce();
    iterateOnce();
    eqns = corvane::test::VectorEqns({1.0, 2.0});
    expectRefused("the equation count 2 differs from 3 in the second call", iterateOnce());
}

}  // namespace
