// Integer, semi-continuous, special-ordered-set and quadratic problems checked by hand, the
// two-stage search, fixing the entities for duals, the node callback, and the MPS file.
#include <CoinMpsIO.hpp>
#include <CoinPackedMatrix.hpp>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "optimizer_test_util.h"
#include "tests/support/mps_model.h"

namespace xprstest {
namespace {

constexpr double kTol = 1e-6;
constexpr double kInf = 1e20;

class MipTest : public OptimizerTest {
  protected:
    struct Entities {
        std::vector<char> type;
        std::vector<int> col;
        std::vector<double> limit;
        std::vector<char> settype;
        std::vector<int> setstart{0};
        std::vector<int> setcol;
        std::vector<double> setref;
        void addSet(char t, std::vector<int> cols) {
            settype.push_back(t);
            for (size_t k = 0; k < cols.size(); ++k) {
                setcol.push_back(cols[k]);
                setref.push_back(static_cast<double>(k + 1));
            }
            setstart.push_back(static_cast<int>(setcol.size()));
        }
    };

    // The entities of integerProblem(): x, y, z general integers, w binary.
    static Entities integerEntities() {
        Entities e;
        e.type = {'I', 'I', 'I', 'B'};
        e.col = {0, 1, 2, 3};
        e.limit = {0, 0, 0, 0};
        return e;
    }

    // Every one of the first n columns binary (the knapsack items).
    static Entities binaryEntities(int n) {
        Entities e;
        e.type.assign(n, 'B');
        for (int j = 0; j < n; ++j) e.col.push_back(j);
        e.limit.assign(n, 0.0);
        return e;
    }

    int loadGlobal(Lp& lp, Entities& e) {
        lp.pack();
        return XPRSloadglobal(prob, "mip", lp.ncols(), lp.nrows(), lp.rowtype.data(), lp.rhs.data(),
                              lp.range.data(), lp.obj.data(), lp.start.data(), nullptr,
                              lp.index.data(), lp.value.data(), lp.lb.data(), lp.ub.data(),
                              static_cast<int>(e.type.size()), static_cast<int>(e.settype.size()),
                              e.type.data(), e.col.data(), e.limit.data(), e.settype.data(),
                              e.setstart.data(), e.setcol.data(), e.setref.data());
    }

    void solveMip(int sense) {
        ASSERT_EQ(0, XPRSchgobjsense(prob, sense));
        ASSERT_EQ(0, XPRSsetdblcontrol(prob, XPRS_MIPRELSTOP, 0.0));
        ASSERT_EQ(0, XPRSmipoptimize(prob, "l"));
        ASSERT_EQ(0, XPRSmipoptimize(prob, ""));
    }
};

// max 5x + 4y + 3z + 2w + u  with x, y, z general integers, w binary, u continuous:
//   2x + 3y + z <= 5,  4x + y + 2z <= 11,  3x + 4y + 2z <= 8,  x + w <= 2,  u - z/2 <= 1.
// The only optimum is z = 4, w = 1, u = 3 with objective 17.
Lp integerProblem() {
    Lp lp;
    lp.rowtype = {'L', 'L', 'L', 'L', 'L'};
    lp.rhs = {5, 11, 8, 2, 1};
    lp.obj = {5, 4, 3, 2, 1};
    lp.lb = {0, 0, 0, 0, 0};
    lp.ub = {kInf, kInf, kInf, 1, kInf};
    lp.rows = {
        {2, 3, 1, 0, 0}, {4, 1, 2, 0, 0}, {3, 4, 2, 0, 0}, {1, 0, 0, 1, 0}, {0, 0, -0.5, 0, 1}};
    return lp;
}

TEST_F(MipTest, IntegersAndBinariesReachTheHandOptimum) {
    Lp lp = integerProblem();
    Entities e = integerEntities();
    ASSERT_EQ(0, loadGlobal(lp, e));
    ASSERT_EQ(0, XPRSchgobjsense(prob, -1));
    ASSERT_EQ(0, XPRSsetdblcontrol(prob, XPRS_MIPRELSTOP, 0.0));
    ASSERT_EQ(0, XPRSmipoptimize(prob, "l"));
    EXPECT_EQ(XPRS_MIP_LP_OPTIMAL, intAttrib(XPRS_MIPSTATUS));
    double relaxation = dblAttrib(XPRS_LPOBJVAL);
    EXPECT_GE(relaxation, 17.0 - kTol);
    ASSERT_EQ(0, XPRSmipoptimize(prob, ""));
    EXPECT_EQ(XPRS_MIP_OPTIMAL, intAttrib(XPRS_MIPSTATUS));
    EXPECT_NEAR(17.0, dblAttrib(XPRS_MIPOBJVAL), kTol);
    double x[5], slack[5];
    ASSERT_EQ(0, XPRSgetmipsol(prob, x, slack));
    const double expected[5] = {0, 0, 4, 1, 3};
    for (int c = 0; c < 5; ++c) EXPECT_NEAR(expected[c], x[c], kTol) << c;
    EXPECT_NEAR(1.0, slack[0], kTol);  // 5 - 4
    EXPECT_NEAR(0.0, slack[2], kTol);

    // With the entities fixed, the continuous re-solve prices the rows of the fixed problem.
    ASSERT_EQ(0, XPRSfixglobals(prob, 1));
    ASSERT_EQ(0, XPRSmaxim(prob, "l"));
    EXPECT_EQ(XPRS_LP_OPTIMAL, intAttrib(XPRS_LPSTATUS));
    EXPECT_NEAR(17.0, dblAttrib(XPRS_LPOBJVAL), kTol);
    double dual[5], dj[5];
    ASSERT_EQ(0, XPRSgetlpsol(prob, x, nullptr, dual, dj));
    EXPECT_NEAR(3.0, x[4], kTol);
    EXPECT_NEAR(1.0, dual[4], kTol);
    EXPECT_NEAR(0.0, dual[0], kTol);
    EXPECT_NEAR(0.0, dj[4], kTol);
    // The rows over fixed columns are degenerate, but a fixed column's reduced cost still
    // prices it against the duals found: c - A'pi.
    EXPECT_NEAR(3.0 - (dual[0] + 2 * dual[1] + 2 * dual[2] - 0.5 * dual[4]), dj[2], kTol);
}

// A relaxation solved on its own through the continuous calls reports its MIP status as the
// search's first stage would; a later search's status is not overwritten by a re-solve.
TEST_F(MipTest, RelaxationSolvedAloneSetsTheMipStatus) {
    Lp lp = integerProblem();
    Entities e = integerEntities();
    ASSERT_EQ(0, loadGlobal(lp, e));
    ASSERT_EQ(0, XPRSmaxim(prob, ""));
    EXPECT_EQ(0, intAttrib(XPRS_MIPSTATUS));
    ASSERT_EQ(0, XPRSmaxim(prob, "l"));
    EXPECT_EQ(XPRS_MIP_LP_OPTIMAL, intAttrib(XPRS_MIPSTATUS));
    ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_LPITERLIMIT, 0));
    ASSERT_EQ(0, XPRSminim(prob, "l"));
    EXPECT_EQ(XPRS_MIP_LP_NOT_OPTIMAL, intAttrib(XPRS_MIPSTATUS));
    ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_LPITERLIMIT, 1000000));
    solveMip(-1);
    ASSERT_EQ(XPRS_MIP_OPTIMAL, intAttrib(XPRS_MIPSTATUS));
    ASSERT_EQ(0, XPRSfixglobals(prob, 1));
    ASSERT_EQ(0, XPRSmaxim(prob, "l"));
    EXPECT_EQ(XPRS_MIP_OPTIMAL, intAttrib(XPRS_MIPSTATUS));

    // Without entities there is no search to speak of.
    Lp continuous = integerProblem();
    continuous.pack();
    ASSERT_EQ(
        0, XPRSloadlp(prob, "lp", continuous.ncols(), continuous.nrows(), continuous.rowtype.data(),
                      continuous.rhs.data(), continuous.range.data(), continuous.obj.data(),
                      continuous.start.data(), nullptr, continuous.index.data(),
                      continuous.value.data(), continuous.lb.data(), continuous.ub.data()));
    ASSERT_EQ(0, XPRSmaxim(prob, "l"));
    EXPECT_EQ(0, intAttrib(XPRS_MIPSTATUS));

    // An infeasible relaxation says so, as the search's first stage does: 2x + 3y + z <= 5 and
    // x >= 3 leave no point.
    Lp infeasible = integerProblem();
    infeasible.rowtype.push_back('G');
    infeasible.rhs.push_back(3);
    infeasible.rows.push_back({1, 0, 0, 0, 0});
    ASSERT_EQ(0, loadGlobal(infeasible, e));
    ASSERT_EQ(0, XPRSmaxim(prob, "l"));
    EXPECT_EQ(XPRS_LP_INFEAS, intAttrib(XPRS_LPSTATUS));
    EXPECT_EQ(XPRS_MIP_INFEAS, intAttrib(XPRS_MIPSTATUS));
}

// The search on a problem without entities (a QP loaded without them) has nothing to branch on:
// it ends with the continuous optimum, which a QP reaches by the barrier.
//   min -4x - 6y + x^2 + y^2  s.t.  x + y <= 4:  x = 1.5, y = 2.5, objective -12.5.
// The same rows as an LP with x + y >= 30 over x, y <= 10 have no point at all.
TEST_F(MipTest, SearchWithoutEntitiesEndsAtTheContinuousOptimum) {
    struct Case {
        const char* name;
        bool quadratic;
        char rowtype;
        double rhs;
        int rootStatus, searchStatus;
    };
    const Case cases[] = {{"qp", true, 'L', 4, XPRS_MIP_LP_OPTIMAL, XPRS_MIP_OPTIMAL},
                          {"infeasible lp", false, 'G', 30, XPRS_MIP_INFEAS, XPRS_MIP_INFEAS}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Lp lp;
        lp.rowtype = {c.rowtype};
        lp.rhs = {c.rhs};
        lp.obj = {-4, -6};
        lp.lb = {0, 0};
        lp.ub = {10, 10};
        lp.rows = {{1, 1}};
        lp.pack();
        std::vector<int> q = {0, 1};
        std::vector<double> qv = {2, 2};
        ASSERT_EQ(0, XPRSloadqp(prob, "qp", 2, 1, lp.rowtype.data(), lp.rhs.data(), lp.range.data(),
                                lp.obj.data(), lp.start.data(), nullptr, lp.index.data(),
                                lp.value.data(), lp.lb.data(), lp.ub.data(), c.quadratic ? 2 : 0,
                                q.data(), q.data(), qv.data()));
        ASSERT_EQ(0, XPRSmipoptimize(prob, "l"));
        EXPECT_EQ(c.rootStatus, intAttrib(XPRS_MIPSTATUS));
        ASSERT_EQ(0, XPRSmipoptimize(prob, ""));
        EXPECT_EQ(c.searchStatus, intAttrib(XPRS_MIPSTATUS));
        if (c.searchStatus != XPRS_MIP_OPTIMAL) continue;
        EXPECT_NEAR(-12.5, dblAttrib(XPRS_MIPOBJVAL), 1e-6);
        double x[2];
        ASSERT_EQ(0, XPRSgetmipsol(prob, x, nullptr));
        EXPECT_NEAR(1.5, x[0], 1e-5);
        EXPECT_NEAR(2.5, x[1], 1e-5);
        ASSERT_EQ(0, XPRSfixglobals(prob, 1));
        ASSERT_EQ(0, XPRSminim(prob, "l"));
        double dual[1];
        ASSERT_EQ(0, XPRSgetlpsol(prob, x, nullptr, dual, nullptr));
        EXPECT_NEAR(1.0, -dual[0], 1e-5);  // -4 + 2x + pi = 0 at x = 1.5
    }
}

// A transportation problem with integer shipments: 6 sources of supply 20 + 5i, 9 sinks of
// demand 10 + 2j, unit cost (3i + 5j) mod 11 + 1. Its relaxation has an integral optimum, so
// a search without preprocessing, cuts or heuristics has nothing to do beyond the root.
Lp integralTransport(int sources, int sinks) {
    Lp lp;
    for (int i = 0; i < sources; ++i) {
        lp.rowtype.push_back('L');
        lp.rhs.push_back(20 + 5 * i);
    }
    for (int j = 0; j < sinks; ++j) {
        lp.rowtype.push_back('G');
        lp.rhs.push_back(10 + 2 * j);
    }
    lp.rows.assign(sources + sinks, std::vector<double>(sources * sinks, 0.0));
    for (int i = 0; i < sources; ++i) {
        for (int j = 0; j < sinks; ++j) {
            const int c = i * sinks + j;
            lp.obj.push_back((3 * i + 5 * j) % 11 + 1);
            lp.lb.push_back(0);
            lp.ub.push_back(kInf);
            lp.rows[i][c] = 1;
            lp.rows[sources + j][c] = 1;
        }
    }
    return lp;
}

// The search starts from the basis of the relaxation the first stage solved: CBC's driver and
// the branch and cut with CBC's objects both find it optimal and pivot no more (the LP log,
// asked at every simplex iteration, is not asked during the search), where a second solve of the
// relaxation would take about as many iterations as the first.
TEST_F(MipTest, SearchStartsFromTheRelaxationsBasis) {
    for (bool objects : {false, true}) {
        SCOPED_TRACE(objects ? "object search" : "standard driver");
        Lp lp = integralTransport(6, 9);
        Entities e;
        for (int c = 0; c < lp.ncols(); ++c) {
            e.type.push_back('I');
            e.col.push_back(c);
            e.limit.push_back(0);
        }
        if (objects) {
            // A semi-continuous column that the optimum leaves at zero: too dear to use.
            lp.obj.push_back(100);
            lp.lb.push_back(0);
            lp.ub.push_back(50);
            for (auto& row : lp.rows) row.push_back(0);
            lp.rows[6][lp.ncols() - 1] = 1;
            e.type.push_back('S');
            e.col.push_back(lp.ncols() - 1);
            e.limit.push_back(5);
        }
        ASSERT_EQ(0, loadGlobal(lp, e));
        ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_MIPPRESOLVE, 0));
        ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_CUTSTRATEGY, 0));
        ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_HEURSEARCHFREQ, 0));
        ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_LPLOG, 1));
        int asked = 0;
        ASSERT_EQ(0, XPRSsetcblplog(
                         prob,
                         [](XPRSprob, void* count) -> int {
                             ++*static_cast<int*>(count);
                             return 0;
                         },
                         &asked));
        ASSERT_EQ(0, XPRSmipoptimize(prob, "l"));
        ASSERT_EQ(XPRS_MIP_LP_OPTIMAL, intAttrib(XPRS_MIPSTATUS));
        const double relaxation = dblAttrib(XPRS_LPOBJVAL);
        const int rootAsks = asked;
        ASSERT_GE(rootAsks, 10) << "the relaxation should take some pivots";
        asked = 0;
        ASSERT_EQ(0, XPRSmipoptimize(prob, ""));
        EXPECT_EQ(XPRS_MIP_OPTIMAL, intAttrib(XPRS_MIPSTATUS));
        EXPECT_NEAR(relaxation, dblAttrib(XPRS_MIPOBJVAL), kTol);
        EXPECT_LE(asked, 2) << "the search pivoted again; the relaxation took " << rootAsks;
    }
}

TEST_F(MipTest, InfeasibleSearchAndMissingSolutionAreReported) {
    // x + y = 1.5 with x, y integers has no integer solution.
    Lp lp;
    lp.rowtype = {'E'};
    lp.rhs = {1.5};
    lp.obj = {1, 1};
    lp.lb = {0, 0};
    lp.ub = {5, 5};
    lp.rows = {{1, 1}};
    Entities e;
    e.type = {'I', 'I'};
    e.col = {0, 1};
    e.limit = {0, 0};
    ASSERT_EQ(0, loadGlobal(lp, e));
    solveMip(1);
    EXPECT_EQ(XPRS_MIP_INFEAS, intAttrib(XPRS_MIPSTATUS));
    double x[2];
    EXPECT_NE(0, XPRSgetmipsol(prob, x, nullptr));
    EXPECT_NE(0, XPRSfixglobals(prob, 1));
}

TEST_F(MipTest, SemiContinuousColumnTakesZeroOrItsRange) {
    // min 2s + 3y  s.t.  s + y >= need,  s in {0} or [2, 5],  0 <= y <= 10.
    struct Case {
        double need, objective, s;
    };
    for (Case c : {Case{1.5, 4.0, 2.0}, Case{0.5, 1.5, 0.0}, Case{3.0, 6.0, 3.0}}) {
        Lp lp;
        lp.rowtype = {'G'};
        lp.rhs = {c.need};
        lp.obj = {2, 3};
        lp.lb = {0, 0};
        lp.ub = {5, 10};
        lp.rows = {{1, 1}};
        Entities e;
        e.type = {'S'};
        e.col = {0};
        e.limit = {2.0};
        ASSERT_EQ(0, loadGlobal(lp, e));
        solveMip(1);
        ASSERT_EQ(XPRS_MIP_OPTIMAL, intAttrib(XPRS_MIPSTATUS)) << c.need;
        EXPECT_NEAR(c.objective, dblAttrib(XPRS_MIPOBJVAL), kTol) << c.need;
        double x[2];
        ASSERT_EQ(0, XPRSgetmipsol(prob, x, nullptr));
        EXPECT_NEAR(c.s, x[0], kTol) << c.need;
        // Found at 0 it is fixed at 0; otherwise it keeps its range [2, 5].
        ASSERT_EQ(0, XPRSfixglobals(prob, 1));
        ASSERT_EQ(0, XPRSminim(prob, "l"));
        EXPECT_NEAR(c.objective, dblAttrib(XPRS_LPOBJVAL), kTol) << c.need;
    }
}

TEST_F(MipTest, SpecialOrderedSetsOfBothTypes) {
    // SOS1: max x1 + 2x2 + 3x3, x1 + x2 + x3 <= 2, xi <= 1: one member only, so x3 = 1.
    Lp one;
    one.rowtype = {'L'};
    one.rhs = {2};
    one.obj = {1, 2, 3};
    one.lb = {0, 0, 0};
    one.ub = {1, 1, 1};
    one.rows = {{1, 1, 1}};
    Entities e1;
    e1.addSet('1', {0, 1, 2});
    ASSERT_EQ(0, loadGlobal(one, e1));
    solveMip(-1);
    EXPECT_EQ(XPRS_MIP_OPTIMAL, intAttrib(XPRS_MIPSTATUS));
    EXPECT_NEAR(3.0, dblAttrib(XPRS_MIPOBJVAL), kTol);
    ASSERT_EQ(0, XPRSfixglobals(prob, 1));
    ASSERT_EQ(0, XPRSmaxim(prob, "l"));
    EXPECT_NEAR(3.0, dblAttrib(XPRS_LPOBJVAL), kTol);

    // SOS2 over positions 1..4: sum x = 1, sum k x_k = 2.5, max 3x2 + x3 + 4x4. The relaxation
    // mixes x2 and x4 (3.25); two adjacent members allow only x2 = x3 = 0.5, objective 2.
    Lp two;
    two.rowtype = {'E', 'E'};
    two.rhs = {1, 2.5};
    two.obj = {0, 3, 1, 4};
    two.lb = {0, 0, 0, 0};
    two.ub = {1, 1, 1, 1};
    two.rows = {{1, 1, 1, 1}, {1, 2, 3, 4}};
    Entities e2;
    e2.addSet('2', {0, 1, 2, 3});
    ASSERT_EQ(0, loadGlobal(two, e2));
    ASSERT_EQ(0, XPRSchgobjsense(prob, -1));
    ASSERT_EQ(0, XPRSmipoptimize(prob, "l"));
    EXPECT_NEAR(3.25, dblAttrib(XPRS_LPOBJVAL), kTol);
    ASSERT_EQ(0, XPRSsetdblcontrol(prob, XPRS_MIPRELSTOP, 0.0));
    ASSERT_EQ(0, XPRSmipoptimize(prob, ""));
    EXPECT_EQ(XPRS_MIP_OPTIMAL, intAttrib(XPRS_MIPSTATUS));
    EXPECT_NEAR(2.0, dblAttrib(XPRS_MIPOBJVAL), kTol);
    double x[4];
    ASSERT_EQ(0, XPRSgetmipsol(prob, x, nullptr));
    EXPECT_NEAR(0.5, x[1], kTol);
    EXPECT_NEAR(0.5, x[2], kTol);
}

TEST_F(MipTest, BadEntitiesAreRefused) {
    Lp lp = integerProblem();
    Entities badType;
    badType.type = {'Q'};
    badType.col = {0};
    badType.limit = {0};
    EXPECT_NE(0, loadGlobal(lp, badType));
    EXPECT_NE(std::string::npos, lastError().find("entity 0"));
    Entities badCol;
    badCol.type = {'I'};
    badCol.col = {7};
    badCol.limit = {0};
    EXPECT_NE(0, loadGlobal(lp, badCol));
    Entities badSet;
    badSet.addSet('3', {0, 1});
    EXPECT_NE(0, loadGlobal(lp, badSet));
    Entities badMember;
    badMember.addSet('1', {0, 9});
    EXPECT_NE(0, loadGlobal(lp, badMember));
    EXPECT_NE(std::string::npos, lastError().find("set 0"));
}

// CLP and CBC abort the process on coefficients this large; the load refuses them instead, names
// the fault and keeps the problem loaded before.
TEST_F(MipTest, HugeCoefficientsAreRefusedAtLoad) {
    Lp lp = integerProblem();
    Entities e = integerEntities();
    ASSERT_EQ(0, loadGlobal(lp, e));
    Lp hugeObjective = integerProblem();
    hugeObjective.obj[1] = 1e26;
    EXPECT_EQ(6, loadGlobal(hugeObjective, e));
    EXPECT_EQ(
        "problem not loaded: objective coefficient is not a number or of magnitude 1e20 or "
        "more in column 1",
        lastError());
    Lp hugeEntry = integerProblem();
    hugeEntry.rows[2][0] = -1e20;
    EXPECT_EQ(6, loadGlobal(hugeEntry, e));
    EXPECT_EQ(
        "problem not loaded: coefficient is not finite or of magnitude 1e20 or more in "
        "column 0",
        lastError());
    // Just below the limit is a coefficient like any other: with u fixed at zero by it, the
    // optimum is z = 4, w = 1 at 14.
    Lp large = integerProblem();
    large.obj[4] = 9.9e19;
    large.ub[4] = 0;
    ASSERT_EQ(0, loadGlobal(large, e));
    solveMip(-1);
    EXPECT_EQ(XPRS_MIP_OPTIMAL, intAttrib(XPRS_MIPSTATUS));
    EXPECT_NEAR(14.0, dblAttrib(XPRS_MIPOBJVAL), kTol);
}

// A multi-dimensional knapsack over 60 binaries that needs a real search.
Lp knapsack(int n) {
    Lp lp;
    for (int j = 0; j < n; ++j) {
        lp.obj.push_back(10 + (j * 37) % 29);
        lp.lb.push_back(0);
        lp.ub.push_back(1);
    }
    for (int r = 0; r < 5; ++r) {
        std::vector<double> row;
        double total = 0;
        for (int j = 0; j < n; ++j) {
            row.push_back(5 + (j * 13 + r * 7) % 23);
            total += row.back();
        }
        lp.rows.push_back(row);
        lp.rowtype.push_back('L');
        lp.rhs.push_back(std::floor(total / 3));
    }
    return lp;
}

int XPRS_CC stopAtThird(XPRSprob, void* data) {
    int* calls = static_cast<int*>(data);
    return ++*calls >= 3 ? 1 : 0;
}

TEST_F(MipTest, NodeCallbackStopsTheSearch) {
    Lp lp = knapsack(60);
    Entities e = binaryEntities(60);
    ASSERT_EQ(0, loadGlobal(lp, e));
    ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_CUTSTRATEGY, 0));
    ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_HEURSEARCHFREQ, 0));
    int calls = 0;
    ASSERT_EQ(0, XPRSsetcblplog(prob, stopAtThird, &calls));
    solveMip(-1);
    EXPECT_EQ(3, calls);
    int status = intAttrib(XPRS_MIPSTATUS);
    EXPECT_TRUE(status == XPRS_MIP_SOLUTION || status == XPRS_MIP_NO_SOL_FOUND) << status;
}

// Searches of different problems in different threads give the serial results.
TEST(MipThreads, SearchesRunInParallelThreads) {
    ASSERT_EQ(0, XPRSinit(nullptr));
    auto solve = [](int n, double* objective) {
        XPRSprob prob = nullptr;
        if (XPRScreateprob(&prob) != 0) return;
        Lp lp = knapsack(n);
        lp.pack();
        std::vector<char> types(n, 'B');
        std::vector<int> cols(n);
        for (int j = 0; j < n; ++j) cols[j] = j;
        std::vector<double> limits(n, 0.0);
        int setstart = 0;
        XPRSloadglobal(prob, "k", lp.ncols(), lp.nrows(), lp.rowtype.data(), lp.rhs.data(),
                       lp.range.data(), lp.obj.data(), lp.start.data(), nullptr, lp.index.data(),
                       lp.value.data(), lp.lb.data(), lp.ub.data(), n, 0, types.data(), cols.data(),
                       limits.data(), nullptr, &setstart, nullptr, nullptr);
        XPRSsetdblcontrol(prob, XPRS_MIPRELSTOP, 0.0);
        XPRSchgobjsense(prob, -1);
        XPRSmipoptimize(prob, "l");
        XPRSmipoptimize(prob, "");
        XPRSgetdblattrib(prob, XPRS_MIPOBJVAL, objective);
        XPRSdestroyprob(prob);
    };
    double serial[2] = {0, 0}, parallel[2] = {1, 1};
    solve(50, &serial[0]);
    solve(60, &serial[1]);
    std::thread a(solve, 50, &parallel[0]);
    std::thread b(solve, 60, &parallel[1]);
    a.join();
    b.join();
    EXPECT_GT(serial[0], 0.0);
    EXPECT_NEAR(serial[0], parallel[0], kTol);
    EXPECT_NEAR(serial[1], parallel[1], kTol);
    EXPECT_EQ(0, XPRSfree());
}

void XPRS_CC collectLine(XPRSprob, void* data, const char* text, int length, int) {
    static_cast<std::vector<std::string>*>(data)->emplace_back(text, length);
}

// Every search runs on one thread, whatever the thread controls ask: CBC's driver never gets a
// thread count, and a search asked for more says once that it runs on one.
TEST_F(MipTest, SearchesRunOnOneThreadAndSaySoOnce) {
    for (int threads : {1, 2, 150}) {
        SCOPED_TRACE(threads);
        ASSERT_EQ(0, XPRSdestroyprob(prob));
        ASSERT_EQ(0, XPRScreateprob(&prob));
        Lp lp = knapsack(30);
        Entities e = binaryEntities(30);
        ASSERT_EQ(0, loadGlobal(lp, e));
        ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_THREADS, threads));
        std::vector<std::string> lines;
        ASSERT_EQ(0, XPRSaddcbmessage(prob, collectLine, &lines, 0));
        solveMip(-1);
        EXPECT_EQ(XPRS_MIP_OPTIMAL, intAttrib(XPRS_MIPSTATUS));
        std::string command;
        int said = 0;
        for (const std::string& line : lines) {
            if (line.find("command line - xprs") != std::string::npos) command = line;
            if (line.rfind("The search runs on one thread", 0) == 0) ++said;
        }
        ASSERT_FALSE(command.empty());
        EXPECT_EQ(std::string::npos, command.find("-threads")) << command;
        EXPECT_EQ(threads > 1 ? 1 : 0, said);
    }
}

// stein27 (optimum 18) with a semi-continuous column that nothing refers to, which sends it to
// the search with CBC's objects, loaded into a new problem.
XPRSprob loadSteinWithObjects() {
    MpsModel m;
    if (!m.read(std::string(CORVANE_SHARED_DATA) + "/miplib3/stein27.mps.gz")) return nullptr;
    std::vector<char> types(m.integers.size(), 'I');
    std::vector<int> cols = m.integers;
    std::vector<double> limits(m.integers.size(), 0.0);
    m.obj.push_back(0.0);
    m.lb.push_back(0.0);
    m.ub.push_back(2.0);
    m.start.push_back(m.start.back());
    types.push_back('S');
    cols.push_back(m.ncols);
    limits.push_back(1.0);
    ++m.ncols;
    XPRSprob prob = nullptr;
    if (XPRScreateprob(&prob) != 0) return nullptr;
    int setstart = 0;
    if (XPRSloadglobal(prob, "stein27", m.ncols, m.nrows, m.rowtype.data(), m.rhs.data(),
                       m.range.data(), m.obj.data(), m.start.data(), nullptr, m.index.data(),
                       m.value.data(), m.lb.data(), m.ub.data(), static_cast<int>(cols.size()), 0,
                       types.data(), cols.data(), limits.data(), nullptr, &setstart, nullptr,
                       nullptr) != 0)
        return nullptr;
    return prob;
}

// The search proves stein27's optimum; its last log line, with the node count, is returned.
std::string searchSteinToOptimum(XPRSprob prob) {
    std::vector<std::string> lines;
    EXPECT_EQ(0, XPRSaddcbmessage(prob, collectLine, &lines, 0));
    EXPECT_EQ(0, XPRSsetdblcontrol(prob, XPRS_MIPRELSTOP, 0.0));
    EXPECT_EQ(0, XPRSmipoptimize(prob, "l"));
    EXPECT_EQ(0, XPRSmipoptimize(prob, ""));
    int status = 0;
    double objective = 0.0;
    EXPECT_EQ(0, XPRSgetintattrib(prob, XPRS_MIPSTATUS, &status));
    EXPECT_EQ(0, XPRSgetdblattrib(prob, XPRS_MIPOBJVAL, &objective));
    EXPECT_EQ(XPRS_MIP_OPTIMAL, status);
    EXPECT_NEAR(18.0, objective, kTol);
    std::string end;
    for (const std::string& line : lines)
        if (line.rfind("Search ended", 0) == 0) end = line;
    EXPECT_EQ(0, XPRSdestroyprob(prob));
    return end;
}

// The search with CBC's objects, asked for two threads, twice. In CBC's parallel mode its node
// count changed from run to run.
TEST(MipThreads, ObjectSearchOnTwoThreadsIsRepeatable) {
    ASSERT_EQ(0, XPRSinit(nullptr));
    std::vector<std::string> ends;
    for (int run = 0; run < 2; ++run) {
        XPRSprob prob = loadSteinWithObjects();
        ASSERT_NE(prob, nullptr);
        ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_MIPTHREADS, 2));
        ends.push_back(searchSteinToOptimum(prob));
    }
    EXPECT_EQ(0, XPRSfree());
    ASSERT_EQ(2u, ends.size());
    EXPECT_EQ(ends[0], ends[1]);
    std::printf("%s\n", ends[0].c_str());
}

// CUTSTRATEGY in the search with CBC's objects, as the standard driver reads it: -1 and 2 are the
// same default cuts and take the same path, 1 keeps them to the root and 3 forces them at every
// node, each another path.
TEST(MipCuts, CutStrategyOfTheObjectSearchAsTheDriverReadsIt) {
    ASSERT_EQ(0, XPRSinit(nullptr));
    std::map<int, std::string> ends;
    for (const int strategy : {-1, 1, 2, 3}) {
        SCOPED_TRACE(strategy);
        XPRSprob prob = loadSteinWithObjects();
        ASSERT_NE(prob, nullptr);
        ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_CUTSTRATEGY, strategy));
        ends[strategy] = searchSteinToOptimum(prob);
    }
    EXPECT_EQ(0, XPRSfree());
    EXPECT_EQ(ends[-1], ends[2]);
    EXPECT_NE(ends[-1], ends[1]);
    EXPECT_NE(ends[-1], ends[3]);
    EXPECT_NE(ends[1], ends[3]);
}

// MAXMIPSOL ends both searches at their first integer solution, short of the optimum that the
// same search without the limit proves; the library counts the solutions itself.
TEST_F(MipTest, SolutionLimitEndsEitherSearch) {
    for (bool objects : {false, true}) {
        SCOPED_TRACE(objects ? "object search" : "standard driver");
        double optimum = 0.0;
        for (int limit : {0, 1}) {
            ASSERT_EQ(0, XPRSdestroyprob(prob));
            ASSERT_EQ(0, XPRScreateprob(&prob));
            Lp lp = knapsack(60);
            Entities e = binaryEntities(60);
            if (objects) {  // a semi-continuous column that nothing refers to
                lp.obj.push_back(0.0);
                lp.lb.push_back(0.0);
                lp.ub.push_back(2.0);
                for (auto& row : lp.rows) row.push_back(0.0);
                e.type.push_back('S');
                e.col.push_back(60);
                e.limit.push_back(1.0);
            }
            ASSERT_EQ(0, loadGlobal(lp, e));
            ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_MAXMIPSOL, limit));
            ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_HEURSEARCHFREQ, 0));
            ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_CUTSTRATEGY, 0));
            std::vector<std::string> lines;
            ASSERT_EQ(0, XPRSaddcbmessage(prob, collectLine, &lines, 0));
            solveMip(-1);
            bool said = false;
            for (const std::string& line : lines)
                said = said || line.rfind("Search ended, solution limit", 0) == 0;
            if (limit == 0) {
                ASSERT_EQ(XPRS_MIP_OPTIMAL, intAttrib(XPRS_MIPSTATUS));
                optimum = dblAttrib(XPRS_MIPOBJVAL);
                EXPECT_FALSE(said);
            } else {
                EXPECT_EQ(XPRS_MIP_SOLUTION, intAttrib(XPRS_MIPSTATUS));
                EXPECT_LT(dblAttrib(XPRS_MIPOBJVAL), optimum - kTol);
                EXPECT_TRUE(said);
            }
        }
    }
}

TEST_F(MipTest, StartSolutionIsUsedUnderANodeLimit) {
    Lp lp = knapsack(40);
    Entities e = binaryEntities(40);
    ASSERT_EQ(0, loadGlobal(lp, e));
    // Taking the first four items is feasible: each row's capacity is a third of its total.
    std::vector<double> start(4, 1.0);
    std::vector<int> cols = {0, 1, 2, 3};
    ASSERT_EQ(0, XPRSaddmipsol(prob, 4, start.data(), cols.data(), nullptr));
    EXPECT_NE(0, XPRSaddmipsol(prob, 1, start.data(), std::vector<int>{99}.data(), nullptr));
    ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_CUTSTRATEGY, 0));
    ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_HEURSEARCHFREQ, 0));
    ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_MAXNODE, 0));
    solveMip(-1);
    int status = intAttrib(XPRS_MIPSTATUS);
    ASSERT_TRUE(status == XPRS_MIP_SOLUTION || status == XPRS_MIP_OPTIMAL) << status;
    double taken = lp.obj[0] + lp.obj[1] + lp.obj[2] + lp.obj[3];
    EXPECT_GE(dblAttrib(XPRS_MIPOBJVAL), taken - kTol);
}

TEST_F(MipTest, SeparableQuadraticMatchesItsClosedForm) {
    // min sum q_i/2 x_i^2 - c_i x_i over l_i <= x_i <= u_i: x_i = clamp(c_i / q_i).
    const std::vector<double> q = {2, 4, 1, 8}, c = {3, -2, 10, 4}, l = {0, -10, 0, 1},
                              u = {10, 10, 4, 10};
    Lp lp;
    lp.rowtype = {'N'};
    lp.rhs = {0};
    lp.lb = l;
    lp.ub = u;
    lp.rows = {{1, 1, 1, 1}};
    for (double ci : c) lp.obj.push_back(-ci);
    lp.pack();
    std::vector<int> q1 = {0, 1, 2, 3};
    ASSERT_EQ(0,
              XPRSloadqp(prob, "qp", 4, 1, lp.rowtype.data(), lp.rhs.data(), lp.range.data(),
                         lp.obj.data(), lp.start.data(), nullptr, lp.index.data(), lp.value.data(),
                         lp.lb.data(), lp.ub.data(), 4, q1.data(), q1.data(), q.data()));
    // The plug-in always listens at the LP log points, also while a QP runs.
    ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_LPLOG, 1));
    ASSERT_EQ(0, XPRSsetcblplog(
                     prob, [](XPRSprob, void*) -> int { return 0; }, nullptr));
    ASSERT_EQ(0, XPRSminim(prob, ""));
    ASSERT_EQ(XPRS_LP_OPTIMAL, intAttrib(XPRS_LPSTATUS));
    double x[4], expectedObj = 0;
    ASSERT_EQ(0, XPRSgetlpsol(prob, x, nullptr, nullptr, nullptr));
    for (int i = 0; i < 4; ++i) {
        double xi = std::min(u[i], std::max(l[i], c[i] / q[i]));
        EXPECT_NEAR(xi, x[i], 1e-5) << i;
        expectedObj += q[i] / 2 * xi * xi - c[i] * xi;
    }
    EXPECT_NEAR(expectedObj, dblAttrib(XPRS_LPOBJVAL), 1e-6);
}

TEST_F(MipTest, OffDiagonalTermGivenOnceStandsForBoth) {
    // min x^2 + xy + y^2 - 3x, free x and y: the gradient vanishes at x = 2, y = -1, objective -3.
    Lp lp;
    lp.rowtype = {'N'};
    lp.rhs = {0};
    lp.obj = {-3, 0};
    lp.lb = {-kInf, -kInf};
    lp.ub = {kInf, kInf};
    lp.rows = {{1, 1}};
    lp.pack();
    std::vector<int> q1 = {0, 1, 0}, q2 = {0, 1, 1};
    std::vector<double> qv = {2, 2, 1};
    ASSERT_EQ(0,
              XPRSloadqp(prob, "qp", 2, 1, lp.rowtype.data(), lp.rhs.data(), lp.range.data(),
                         lp.obj.data(), lp.start.data(), nullptr, lp.index.data(), lp.value.data(),
                         lp.lb.data(), lp.ub.data(), 3, q1.data(), q2.data(), qv.data()));
    ASSERT_EQ(0, XPRSminim(prob, ""));
    double x[2];
    ASSERT_EQ(0, XPRSgetlpsol(prob, x, nullptr, nullptr, nullptr));
    EXPECT_NEAR(2.0, x[0], 1e-5);
    EXPECT_NEAR(-1.0, x[1], 1e-5);
    EXPECT_NEAR(-3.0, dblAttrib(XPRS_LPOBJVAL), 1e-6);
}

TEST_F(MipTest, ProblemFileReadsBackEqual) {
    std::string file = ::testing::TempDir() + "xprs_write_test.mps";
    // Row 0 is free, row 3 ranged; columns carry every kind of bound and entity.
    Lp lp;
    lp.rowtype = {'N', 'L', 'G', 'R', 'E'};
    lp.rhs = {0, 10, 1, 8, 3};
    lp.range = {0, 0, 0, 2.5, 0};
    lp.obj = {1.0 / 3.0, -2, 0, 4, 1, 0.5};
    lp.lb = {0, -kInf, -1, 0, 0, 0};
    lp.ub = {kInf, 7, 1, 1, 9, 2};
    lp.rows = {{1, 1, 1, 1, 1, 1},
               {1, 2, 0, 0, 0.1234567890123456789, 0},
               {0, 1, 1, 0, 0, 1},
               {1, 0, 0, 1, 1, 0},
               {0, 0, 1, 0, 0, 1}};
    Entities e;
    e.type = {'I', 'B', 'S'};
    e.col = {2, 3, 4};
    e.limit = {0, 0, 1.5};
    e.addSet('1', {0, 5});
    e.addSet('2', {1, 2, 5});
    ASSERT_EQ(0, loadGlobal(lp, e));
    const char names[] = "x1\0x2\0x3\0x4\0x5\0x6";
    ASSERT_EQ(0, XPRSaddnames(prob, XPRS_NAMES_COLUMNS, names, 0, 5));
    ASSERT_EQ(0, XPRSwriteprob(prob, file.c_str(), "p"));

    CoinMpsIO in;
    in.messageHandler()->setLogLevel(0);
    int nsets = 0;
    CoinSet** sets = nullptr;
    ASSERT_EQ(0, in.readMps(file.c_str(), "", nsets, sets));
    ASSERT_EQ(5, in.getNumRows());
    ASSERT_EQ(6, in.getNumCols());
    EXPECT_STREQ("x3", in.columnName(2));
    const double big = 1e30;
    const double rlo[] = {-big, -big, 1, 5.5, 3}, rup[] = {big, 10, big, 8, 3};
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(rlo[r] <= -big, in.getRowLower()[r] <= -1e30) << r;
        EXPECT_EQ(rup[r] >= big, in.getRowUpper()[r] >= 1e30) << r;
        if (rlo[r] > -big) {
            EXPECT_DOUBLE_EQ(rlo[r], in.getRowLower()[r]) << r;
        }
        if (rup[r] < big) {
            EXPECT_DOUBLE_EQ(rup[r], in.getRowUpper()[r]) << r;
        }
    }
    for (int c = 0; c < 6; ++c) EXPECT_EQ(lp.obj[c], in.getObjCoefficients()[c]) << c;
    // The reader's own decimal conversion may differ from the nearest double in the last bit.
    EXPECT_DOUBLE_EQ(0.1234567890123456789, in.getMatrixByCol()->getCoefficient(1, 4));
    EXPECT_TRUE(in.getColLower()[1] <= -1e30);
    EXPECT_EQ(7, in.getColUpper()[1]);
    EXPECT_EQ(-1, in.getColLower()[2]);
    EXPECT_TRUE(in.isInteger(2));
    EXPECT_TRUE(in.isInteger(3));
    EXPECT_EQ(1, in.getColUpper()[3]);
    EXPECT_EQ(1.5, in.getColLower()[4]);  // semi-continuous: 0 or between 1.5 and 9
    EXPECT_EQ(9, in.getColUpper()[4]);
    ASSERT_EQ(2, nsets);
    EXPECT_EQ(1, sets[0]->setType());
    EXPECT_EQ(2, sets[1]->setType());
    ASSERT_EQ(3, sets[1]->numberEntries());
    EXPECT_EQ(5, sets[1]->which()[2]);
    EXPECT_EQ(3.0, sets[1]->weights()[2]);
    for (int s = 0; s < nsets; ++s) delete sets[s];
    delete[] sets;
    std::remove(file.c_str());
}

TEST_F(MipTest, QuadraticObjectiveIsWrittenToTheFile) {
    std::string file = ::testing::TempDir() + "xprs_write_qp.mps";
    Lp lp;
    lp.rowtype = {'L'};
    lp.rhs = {4};
    lp.obj = {1, 1};
    lp.lb = {0, 0};
    lp.ub = {kInf, kInf};
    lp.rows = {{1, 1}};
    lp.pack();
    std::vector<int> q1 = {0, 1, 0}, q2 = {0, 1, 1};
    std::vector<double> qv = {2, 6, 1.5};
    ASSERT_EQ(0,
              XPRSloadqp(prob, "qp", 2, 1, lp.rowtype.data(), lp.rhs.data(), lp.range.data(),
                         lp.obj.data(), lp.start.data(), nullptr, lp.index.data(), lp.value.data(),
                         lp.lb.data(), lp.ub.data(), 3, q1.data(), q2.data(), qv.data()));
    ASSERT_EQ(0, XPRSwriteprob(prob, file.c_str(), "p"));
    CoinMpsIO in;
    in.messageHandler()->setLogLevel(0);
    ASSERT_EQ(0, in.readMps(file.c_str(), ""));
    CoinBigIndex* start = nullptr;
    int* column = nullptr;
    double* element = nullptr;
    ASSERT_EQ(0, in.readQuadraticMps(nullptr, start, column, element, 2));
    CoinPackedMatrix q(false, 2, 2, start[2], element, column, start, nullptr);
    EXPECT_EQ(2, q.getCoefficient(0, 0));
    EXPECT_EQ(6, q.getCoefficient(1, 1));
    EXPECT_EQ(1.5, q.getCoefficient(0, 1) + q.getCoefficient(1, 0));
    delete[] start;
    delete[] column;
    delete[] element;
    std::remove(file.c_str());
}

}  // namespace
}  // namespace xprstest
