// Free rows, as callers load them: the objective repeated as row 0 and another free row among
// the constraints. They are reported in full, checked against hand-solved optima and against the
// same problem loaded without them.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "optimizer_test_util.h"

namespace xprstest {
namespace {

constexpr double kTol = 1e-7;
constexpr double kInf = 1e20;
constexpr int kRows = 5;
constexpr int kCols = 3;

// min 2x + 3y + 4z  with 0 <= x <= 4, y, z >= 0:
//   row 0 (N, the objective):  2x + 3y + 4z
//   row 1 (G):                 x + y + z >= need
//   row 2 (N, rhs 1):          x - y + 2z
//   row 3 (L):                 y + z <= 5
//   row 4 (R):                 1 <= x - y <= 3
// With need 6: x at its bound, y = 2 basic, z = 0, objective 14; the only binding row is row 1,
// priced at y's cost 3, so dj = (2 - 3, 0, 4 - 3).
Lp withFreeRows(double need) {
    Lp lp;
    lp.rowtype = {'N', 'G', 'N', 'L', 'R'};
    lp.rhs = {0, need, 1, 5, 3};
    lp.range = {0, 0, 0, 0, 2};
    lp.obj = {2, 3, 4};
    lp.lb = {0, 0, 0};
    lp.ub = {4, kInf, kInf};
    lp.rows = {{2, 3, 4}, {1, 1, 1}, {1, -1, 2}, {0, 1, 1}, {1, -1, 0}};
    return lp;
}

// Rows 1, 3 and 4 alone.
Lp withoutFreeRows(double need) {
    Lp full = withFreeRows(need), lp = full;
    lp.rowtype = {'G', 'L', 'R'};
    lp.rhs = {need, 5, 3};
    lp.range = {0, 0, 2};
    lp.rows = {full.rows[1], full.rows[3], full.rows[4]};
    return lp;
}

const int kBound[] = {1, 3, 4};  // the bounding rows of withFreeRows

class FreeRowTest : public OptimizerTest {
  protected:
    void name() {
        const char cols[] = "x\0y\0z";
        const char rows[] = "cost\0r1\0mid\0r3\0r4";
        ASSERT_EQ(0, XPRSaddnames(prob, XPRS_NAMES_COLUMNS, cols, 0, kCols - 1));
        ASSERT_EQ(0, XPRSaddnames(prob, XPRS_NAMES_ROWS, rows, 0, kRows - 1));
    }
    int loadMip(Lp& lp) {
        lp.pack();
        char type = 'I';
        int col = 1, setStart = 0;
        double limit = 0;
        return XPRSloadglobal(prob, "free", lp.ncols(), lp.nrows(), lp.rowtype.data(),
                              lp.rhs.data(), lp.range.data(), lp.obj.data(), lp.start.data(),
                              nullptr, lp.index.data(), lp.value.data(), lp.lb.data(), lp.ub.data(),
                              1, 0, &type, &col, &limit, nullptr, &setStart, nullptr, nullptr);
    }
    std::string file(const char* leaf) { return ::testing::TempDir() + leaf; }
};

TEST_F(FreeRowTest, LpReportsEveryRowAndMatchesTheProblemWithoutThem) {
    Lp reduced = withoutFreeRows(6);
    ASSERT_EQ(0, load(reduced));
    ASSERT_EQ(0, XPRSminim(prob, ""));
    double rslack[3], rdual[3];
    int rstat[3];
    ASSERT_EQ(0, XPRSgetlpsol(prob, nullptr, rslack, rdual, nullptr));
    ASSERT_EQ(0, XPRSgetbasis(prob, rstat, nullptr));

    Lp lp = withFreeRows(6);
    ASSERT_EQ(0, load(lp));
    for (const char* flags : {"", "p", "d"}) {
        ASSERT_EQ(0, load(lp));
        ASSERT_EQ(0, XPRSminim(prob, flags)) << flags;
        ASSERT_EQ(XPRS_LP_OPTIMAL, intAttrib(XPRS_LPSTATUS)) << flags;
        EXPECT_NEAR(14.0, dblAttrib(XPRS_LPOBJVAL), kTol);
        double x[kCols], slack[kRows], dual[kRows], dj[kCols];
        ASSERT_EQ(0, XPRSgetlpsol(prob, x, slack, dual, dj));
        const double xs[] = {4, 2, 0}, slacks[] = {-14, 0, -1, 3, 1}, djs[] = {-1, 0, 1};
        for (int c = 0; c < kCols; ++c) {
            EXPECT_NEAR(xs[c], x[c], kTol) << flags << c;
            EXPECT_NEAR(djs[c], dj[c], kTol) << flags << c;
        }
        for (int r = 0; r < kRows; ++r) EXPECT_NEAR(slacks[r], slack[r], kTol) << flags << r;
        const double duals[] = {0, 3, 0, 0, 0};
        for (int r = 0; r < kRows; ++r) EXPECT_NEAR(duals[r], dual[r], kTol) << flags << r;
        int rowstat[kRows], colstat[kCols];
        ASSERT_EQ(0, XPRSgetbasis(prob, rowstat, colstat));
        EXPECT_EQ(XPRS_BASIC, rowstat[0]);
        EXPECT_EQ(XPRS_BASIC, rowstat[2]);
        EXPECT_EQ(XPRS_AT_UPPER, colstat[0]);
        EXPECT_EQ(XPRS_BASIC, colstat[1]);
        EXPECT_EQ(XPRS_AT_LOWER, colstat[2]);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(rstat[i], rowstat[kBound[i]]) << flags << i;
            EXPECT_NEAR(rslack[i], slack[kBound[i]], kTol) << flags << i;
            EXPECT_NEAR(rdual[i], dual[kBound[i]], kTol) << flags << i;
        }
    }
}

TEST_F(FreeRowTest, BasisFileRoundTripAndAFileThatMakesAFreeRowNonbasic) {
    Lp lp = withFreeRows(6);
    ASSERT_EQ(0, load(lp));
    name();
    ASSERT_EQ(0, XPRSminim(prob, ""));
    std::string basis = file("xprs_free_row.bss");
    ASSERT_EQ(0, XPRSwritebasis(prob, basis.c_str(), ""));
    {
        std::ifstream in(basis);
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_EQ("NAME          test\n UL x\n XL y r1\nENDATA\n", text.str());
    }
    ASSERT_EQ(0, load(lp));
    name();
    ASSERT_EQ(0, XPRSreadbasis(prob, basis.c_str(), ""));
    ASSERT_EQ(0, XPRSminim(prob, ""));
    EXPECT_EQ(0, intAttrib(XPRS_SIMPLEXITER));
    EXPECT_NEAR(14.0, dblAttrib(XPRS_LPOBJVAL), kTol);

    // A file may make a free row non-basic, here paired with z. The free row stays basic and z
    // leaves the basis, which leaves the optimal basis again.
    {
        std::ofstream out(basis);
        out << "NAME\n XL y r1\n XU z cost\n UL x\nENDATA\n";
    }
    ASSERT_EQ(0, load(lp));
    name();
    ASSERT_EQ(0, XPRSreadbasis(prob, basis.c_str(), ""));
    int rowstat[kRows], colstat[kCols];
    ASSERT_EQ(0, XPRSgetbasis(prob, rowstat, colstat));
    EXPECT_EQ(XPRS_BASIC, rowstat[0]);
    EXPECT_EQ(XPRS_AT_LOWER, colstat[2]);
    ASSERT_EQ(0, XPRSminim(prob, ""));
    EXPECT_EQ(0, intAttrib(XPRS_SIMPLEXITER));
    EXPECT_NEAR(14.0, dblAttrib(XPRS_LPOBJVAL), kTol);
    std::remove(basis.c_str());
}

// With need 6.5 the relaxation takes y = 2.5 (15.5); y integer makes z = 0.5 (16). Fixed at
// y = 2, z is basic and prices row 1 at 4.
TEST_F(FreeRowTest, MipAndFixedResolveReportTheFreeRows) {
    Lp lp = withFreeRows(6.5);
    ASSERT_EQ(0, loadMip(lp));
    ASSERT_EQ(0, XPRSchgobjsense(prob, 1));
    ASSERT_EQ(0, XPRSsetdblcontrol(prob, XPRS_MIPRELSTOP, 0.0));
    ASSERT_EQ(0, XPRSmipoptimize(prob, "l"));
    EXPECT_NEAR(15.5, dblAttrib(XPRS_LPOBJVAL), kTol);
    ASSERT_EQ(0, XPRSmipoptimize(prob, ""));
    ASSERT_EQ(XPRS_MIP_OPTIMAL, intAttrib(XPRS_MIPSTATUS));
    EXPECT_NEAR(16.0, dblAttrib(XPRS_MIPOBJVAL), kTol);
    double x[kCols], slack[kRows];
    ASSERT_EQ(0, XPRSgetmipsol(prob, x, slack));
    const double xs[] = {4, 2, 0.5}, slacks[] = {-16, 0, -2, 2.5, 1};
    for (int c = 0; c < kCols; ++c) EXPECT_NEAR(xs[c], x[c], kTol) << c;
    for (int r = 0; r < kRows; ++r) EXPECT_NEAR(slacks[r], slack[r], kTol) << r;

    ASSERT_EQ(0, XPRSfixglobals(prob, 1));
    ASSERT_EQ(0, XPRSminim(prob, "l"));
    ASSERT_EQ(XPRS_LP_OPTIMAL, intAttrib(XPRS_LPSTATUS));
    EXPECT_NEAR(16.0, dblAttrib(XPRS_LPOBJVAL), kTol);
    double dual[kRows], dj[kCols];
    ASSERT_EQ(0, XPRSgetlpsol(prob, x, slack, dual, dj));
    for (int r = 0; r < kRows; ++r) EXPECT_NEAR(slacks[r], slack[r], kTol) << r;
    const double duals[] = {0, 4, 0, 0, 0}, djs[] = {-2, -1, 0};
    for (int r = 0; r < kRows; ++r) EXPECT_NEAR(duals[r], dual[r], kTol) << r;
    for (int c = 0; c < kCols; ++c) EXPECT_NEAR(djs[c], dj[c], kTol) << c;
}

// Reports that list rows name them in the loaded numbering, never a free row.
TEST_F(FreeRowTest, InfeasibleAndUnboundedReportsUseTheLoadedRows) {
    Lp infeasible = withFreeRows(100);  // x + y + z is at most 4 + 5
    ASSERT_EQ(0, load(infeasible));
    ASSERT_EQ(0, XPRSminim(prob, ""));
    ASSERT_EQ(XPRS_LP_INFEAS, intAttrib(XPRS_LPSTATUS));
    int npv, nps, nds, ndv;
    std::vector<int> colsP(kCols), rowsP(kRows), rowsD(kRows), colsD(kCols);
    ASSERT_EQ(0, XPRSgetscaledinfeas(prob, &npv, &nps, &nds, &ndv, colsP.data(), rowsP.data(),
                                     rowsD.data(), colsD.data()));
    ASSERT_GE(npv + nps, 1);
    auto bounding = [](int r) { return r == 1 || r == 3 || r == 4; };
    for (int i = 0; i < nps; ++i) EXPECT_TRUE(bounding(rowsP[i])) << rowsP[i];
    for (int i = 0; i < nds; ++i) EXPECT_TRUE(bounding(rowsD[i])) << rowsD[i];

    // max z: only row 3 stops z; without it z grows along a ray.
    Lp unbounded = withFreeRows(6);
    unbounded.rowtype[3] = 'N';
    unbounded.obj = {0, 0, 1};
    ASSERT_EQ(0, load(unbounded));
    ASSERT_EQ(0, XPRSmaxim(prob, "p"));
    ASSERT_EQ(XPRS_LP_UNBOUNDED, intAttrib(XPRS_LPSTATUS));
    int index = -1;
    ASSERT_EQ(0, XPRSgetunbvec(prob, &index));
    EXPECT_TRUE(index == 1 || index == 4 || index >= kRows) << index;
    EXPECT_LT(index, kRows + kCols);
}

// Only free rows: CLP gets a problem without rows; the slacks still come from the columns.
TEST_F(FreeRowTest, ProblemOfFreeRowsOnly) {
    Lp lp;
    lp.rowtype = {'N', 'N'};
    lp.rhs = {0, 2};
    lp.obj = {1, -1};
    lp.lb = {0, -2};
    lp.ub = {4, 3};
    lp.rows = {{1, -1}, {1, 1}};
    ASSERT_EQ(0, load(lp));
    ASSERT_EQ(0, XPRSminim(prob, ""));
    ASSERT_EQ(XPRS_LP_OPTIMAL, intAttrib(XPRS_LPSTATUS));
    EXPECT_NEAR(-3.0, dblAttrib(XPRS_LPOBJVAL), kTol);
    double x[2], slack[2], dual[2];
    ASSERT_EQ(0, XPRSgetlpsol(prob, x, slack, dual, nullptr));
    EXPECT_NEAR(3.0, x[1], kTol);
    EXPECT_NEAR(3.0, slack[0], kTol);  // 0 - (0 - 3)
    EXPECT_NEAR(-1.0, slack[1], kTol);
    EXPECT_EQ(0.0, dual[0]);
    EXPECT_EQ(0.0, dual[1]);
    std::string basis = file("xprs_free_only.bss");
    ASSERT_EQ(0, XPRSwritebasis(prob, basis.c_str(), ""));
    ASSERT_EQ(0, load(lp));
    ASSERT_EQ(0, XPRSreadbasis(prob, basis.c_str(), ""));
    ASSERT_EQ(0, XPRSminim(prob, ""));
    EXPECT_EQ(0, intAttrib(XPRS_SIMPLEXITER));
    std::remove(basis.c_str());
}

}  // namespace
}  // namespace xprstest
