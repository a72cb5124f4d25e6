// Continuous problems through the C interface: solutions and duals checked by hand, infeasible
// and unbounded reports, controls, errors, the log and the callbacks, basis files.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "optimizer_test_util.h"

namespace xprstest {
namespace {

constexpr double kTol = 1e-7;
constexpr double kInf = 1e20;

// min x + y  s.t.  x + 2y >= 4,  3x + y >= 6,  0 <= x - y <= 1 (range), x, y >= 0.
// Optimum x = 1.6, y = 1.2, objective 2.8, duals 0.4 and 0.2 by A'pi = c.
Lp minimisation() {
    Lp lp;
    lp.rowtype = {'N', 'G', 'G', 'R'};
    lp.rhs = {0, 4, 6, 1};
    lp.range = {0, 0, 0, 1};
    lp.obj = {1, 1};
    lp.lb = {0, 0};
    lp.ub = {kInf, kInf};
    lp.rows = {{1, 1}, {1, 2}, {3, 1}, {1, -1}};
    return lp;
}

// max 3x + 2y  s.t.  x + y <= 4,  x + 3y <= 7,  0 <= x <= 3.
// Optimum x = 3, y = 1, objective 11; the binding <= row has dual 2, x at its bound dj 1.
Lp maximisation() {
    Lp lp;
    lp.rowtype = {'N', 'L', 'L'};
    lp.rhs = {0, 4, 7};
    lp.obj = {3, 2};
    lp.lb = {0, 0};
    lp.ub = {3, kInf};
    lp.rows = {{3, 2}, {1, 1}, {1, 3}};
    return lp;
}

// A chain of rows that needs many simplex iterations from a slack basis.
Lp largeLp(int n) {
    Lp lp;
    lp.obj.assign(n, 0.0);
    lp.lb.assign(n, 0.0);
    lp.ub.assign(n, kInf);
    for (int i = 0; i < n; ++i) {
        lp.obj[i] = -1.0 - (i % 7);
        std::vector<double> row(n, 0.0);
        for (int j = 0; j < n; ++j) row[j] = 1.0 + ((i * 31 + j * 17) % 13);
        lp.rows.push_back(row);
        lp.rowtype.push_back('L');
        lp.rhs.push_back(100.0 + i);
    }
    return lp;
}

using LpTest = OptimizerTest;

TEST_F(LpTest, MinimisationGivesPrimalAndDualValues) {
    Lp lp = minimisation();
    ASSERT_EQ(0, load(lp));
    ASSERT_EQ(0, XPRSminim(prob, ""));
    EXPECT_EQ(XPRS_LP_OPTIMAL, intAttrib(XPRS_LPSTATUS));
    EXPECT_NEAR(2.8, dblAttrib(XPRS_LPOBJVAL), kTol);
    double x[2], slack[4], dual[4], dj[2];
    ASSERT_EQ(0, XPRSgetlpsol(prob, x, slack, dual, dj));
    EXPECT_NEAR(1.6, x[0], kTol);
    EXPECT_NEAR(1.2, x[1], kTol);
    EXPECT_NEAR(-2.8, slack[0], kTol);  // rhs 0 minus the free row's activity
    EXPECT_NEAR(0.0, slack[1], kTol);
    EXPECT_NEAR(1.0 - 0.4, slack[3], kTol);
    EXPECT_NEAR(0.0, dual[0], kTol);
    EXPECT_NEAR(0.4, dual[1], kTol);
    EXPECT_NEAR(0.2, dual[2], kTol);
    EXPECT_NEAR(0.0, dual[3], kTol);
    EXPECT_NEAR(0.0, dj[0], kTol);
    EXPECT_NEAR(0.0, dj[1], kTol);
    // Every output may be left out.
    EXPECT_EQ(0, XPRSgetlpsol(prob, nullptr, nullptr, dual, nullptr));
}

TEST_F(LpTest, MaximisationBindingRowHasPositiveDual) {
    Lp lp = maximisation();
    ASSERT_EQ(0, load(lp));
    ASSERT_EQ(0, XPRSmaxim(prob, ""));
    EXPECT_EQ(XPRS_LP_OPTIMAL, intAttrib(XPRS_LPSTATUS));
    EXPECT_NEAR(11.0, dblAttrib(XPRS_LPOBJVAL), kTol);
    double x[2], slack[3], dual[3], dj[2];
    ASSERT_EQ(0, XPRSgetlpsol(prob, x, slack, dual, dj));
    EXPECT_NEAR(3.0, x[0], kTol);
    EXPECT_NEAR(1.0, x[1], kTol);
    EXPECT_NEAR(2.0, dual[1], kTol);
    EXPECT_NEAR(0.0, dual[2], kTol);
    EXPECT_NEAR(1.0, slack[2], kTol);
    EXPECT_NEAR(1.0, dj[0], kTol);
    int rowstat[3], colstat[2];
    ASSERT_EQ(0, XPRSgetbasis(prob, rowstat, colstat));
    EXPECT_EQ(XPRS_BASIC, rowstat[0]);
    EXPECT_EQ(XPRS_AT_LOWER, rowstat[1]);  // slack of the binding <= row is at zero
    EXPECT_EQ(XPRS_BASIC, rowstat[2]);
    EXPECT_EQ(XPRS_AT_UPPER, colstat[0]);
    EXPECT_EQ(XPRS_BASIC, colstat[1]);
}

TEST_F(LpTest, AlgorithmsAgree) {
    for (const char* flags : {"p", "d", "b", "l"}) {
        Lp lp = maximisation();
        ASSERT_EQ(0, load(lp));
        ASSERT_EQ(0, XPRSmaxim(prob, flags)) << flags;
        EXPECT_EQ(XPRS_LP_OPTIMAL, intAttrib(XPRS_LPSTATUS)) << flags;
        EXPECT_NEAR(11.0, dblAttrib(XPRS_LPOBJVAL), 1e-6) << flags;
    }
    for (int alg = 1; alg <= 5; ++alg) {
        Lp lp = minimisation();
        ASSERT_EQ(0, load(lp));
        ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_DEFAULTALG, alg));
        ASSERT_EQ(0, XPRSminim(prob, ""));
        EXPECT_NEAR(2.8, dblAttrib(XPRS_LPOBJVAL), 1e-6) << alg;
    }
    EXPECT_NE(0, XPRSminim(prob, "x"));
}

TEST_F(LpTest, InfeasibleProblemReportsViolations) {
    Lp lp;
    lp.rowtype = {'L', 'G'};
    lp.rhs = {1, 3};
    lp.obj = {1, 1};
    lp.lb = {0, 0};
    lp.ub = {kInf, kInf};
    lp.rows = {{1, 1}, {1, 1}};
    ASSERT_EQ(0, load(lp));
    ASSERT_EQ(0, XPRSminim(prob, ""));
    EXPECT_EQ(XPRS_LP_INFEAS, intAttrib(XPRS_LPSTATUS));
    EXPECT_GT(dblAttrib(XPRS_SUMPRIMALINF), 0.0);
    EXPECT_EQ(0.0, dblAttrib(XPRS_BARDUALINF));
    int npv = -1, nps = -1, nds = -1, ndv = -1;
    std::vector<int> colsP(2, -1), rowsP(2, -1), rowsD(2, -1), colsD(2, -1);
    ASSERT_EQ(0, XPRSgetscaledinfeas(prob, &npv, &nps, &nds, &ndv, colsP.data(), rowsP.data(),
                                     rowsD.data(), colsD.data()));
    ASSERT_GE(npv + nps, 1);
    ASSERT_LE(nps, 2);
    for (int i = 0; i < nps; ++i) EXPECT_TRUE(rowsP[i] == 0 || rowsP[i] == 1);
    for (int i = 0; i < npv; ++i) EXPECT_TRUE(colsP[i] == 0 || colsP[i] == 1);
}

TEST_F(LpTest, UnboundedProblemNamesItsVector) {
    // max x + y  s.t.  x - y <= 1: y grows without limit.
    Lp lp;
    lp.rowtype = {'L'};
    lp.rhs = {1};
    lp.obj = {1, 1};
    lp.lb = {0, 0};
    lp.ub = {kInf, kInf};
    lp.rows = {{1, -1}};
    ASSERT_EQ(0, load(lp));
    int index = -5;
    ASSERT_EQ(0, XPRSgetunbvec(prob, &index));
    EXPECT_EQ(-1, index);  // nothing solved yet
    for (const char* flags : {"p", "d", ""}) {
        ASSERT_EQ(0, load(lp));
        ASSERT_EQ(0, XPRSmaxim(prob, flags));
        EXPECT_EQ(XPRS_LP_UNBOUNDED, intAttrib(XPRS_LPSTATUS)) << flags;
        ASSERT_EQ(0, XPRSgetunbvec(prob, &index));
        EXPECT_GE(index, 0) << flags;
        EXPECT_LT(index, 1 + 2) << flags;
    }
    // Found by the model fuzzer: x5 grows without limit, but its entries of -1e9 leave the duals
    // that stop it within the dual tolerance, and CLP's simplex called 10960.25 optimal.
    Lp hidden;
    hidden.rowtype = {'G', 'L', 'L', 'N', 'L', 'L'};
    hidden.rhs = {3, 0, 5, 2, 5, 0};
    hidden.obj = {-1, -2, 10000, 10, 0.25, 0.5, 1e-7};
    hidden.lb = {0, 0, 0, 0, 0, -kInf, 0};
    hidden.ub = {kInf, 1, 1, 10000, 1, kInf, 10};
    hidden.rows = {{0, 0, -1, -1, 100, 0, 0.5},  {-1, 0.001, 0, -2, -1, 0, 1e-7},
                   {0, 0, 0, -1, 0, -1e9, 0},    {0, 1e-7, 2, 2, -7, 0.001, 1},
                   {10, 0, 0, 0, 0, -1e9, -0.5}, {0, 0, 0, 0, 0, 0, 3}};
    for (const char* flags : {"p", "d", ""}) {
        ASSERT_EQ(0, load(hidden));
        ASSERT_EQ(0, XPRSmaxim(prob, flags));
        EXPECT_EQ(XPRS_LP_UNBOUNDED, intAttrib(XPRS_LPSTATUS)) << flags;
        ASSERT_EQ(0, XPRSgetunbvec(prob, &index));
        EXPECT_EQ(6 + 5, index) << flags;
    }
    Lp bounded = maximisation();
    ASSERT_EQ(0, load(bounded));
    ASSERT_EQ(0, XPRSmaxim(prob, ""));
    ASSERT_EQ(0, XPRSgetunbvec(prob, &index));
    EXPECT_EQ(-1, index);
}

TEST_F(LpTest, BadDataIsRefusedNamingTheFault) {
    Lp lp = minimisation();
    lp.pack();
    std::vector<char> badType = lp.rowtype;
    badType[2] = 'X';
    EXPECT_NE(0, XPRSloadlp(prob, "t", 2, 4, badType.data(), lp.rhs.data(), lp.range.data(),
                            lp.obj.data(), lp.start.data(), nullptr, lp.index.data(),
                            lp.value.data(), lp.lb.data(), lp.ub.data()));
    EXPECT_NE(std::string::npos, lastError().find("row 2"));
    EXPECT_NE(0, intAttrib(XPRS_ERRORCODE));

    std::vector<int> badIndex = lp.index;
    badIndex[1] = 9;
    EXPECT_NE(0, XPRSloadlp(prob, "t", 2, 4, lp.rowtype.data(), lp.rhs.data(), lp.range.data(),
                            lp.obj.data(), lp.start.data(), nullptr, badIndex.data(),
                            lp.value.data(), lp.lb.data(), lp.ub.data()));
    EXPECT_NE(std::string::npos, lastError().find("column 0"));

    std::vector<double> crossed = {5, 0}, upper = {1, kInf};
    EXPECT_NE(0, XPRSloadlp(prob, "t", 2, 4, lp.rowtype.data(), lp.rhs.data(), lp.range.data(),
                            lp.obj.data(), lp.start.data(), nullptr, lp.index.data(),
                            lp.value.data(), crossed.data(), upper.data()));
    std::vector<double> nanObj = {NAN, 1};
    EXPECT_NE(0, XPRSloadlp(prob, "t", 2, 4, lp.rowtype.data(), lp.rhs.data(), lp.range.data(),
                            nanObj.data(), lp.start.data(), nullptr, lp.index.data(),
                            lp.value.data(), lp.lb.data(), lp.ub.data()));
    std::vector<int> badStart = {0, 5, 3};
    EXPECT_NE(0, XPRSloadlp(prob, "t", 2, 4, lp.rowtype.data(), lp.rhs.data(), lp.range.data(),
                            lp.obj.data(), badStart.data(), nullptr, lp.index.data(),
                            lp.value.data(), lp.lb.data(), lp.ub.data()));
    // Nothing was loaded, so nothing can be solved.
    EXPECT_NE(0, XPRSminim(prob, ""));
    // The good data still loads.
    EXPECT_EQ(0, load(lp));
}

TEST_F(LpTest, ControlsAreRangeCheckedAndReadBack) {
    int v = 0;
    ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_MPSNAMELENGTH, 64));
    ASSERT_EQ(0, XPRSgetintcontrol(prob, XPRS_MPSNAMELENGTH, &v));
    EXPECT_EQ(64, v);
    ASSERT_EQ(0, XPRSgetintcontrol(prob, XPRS_DEFAULTALG, &v));
    EXPECT_EQ(1, v);
    EXPECT_NE(0, XPRSsetintcontrol(prob, XPRS_DEFAULTALG, 6));
    EXPECT_NE(0, XPRSsetintcontrol(prob, XPRS_DEFAULTALG, 0));
    ASSERT_EQ(0, XPRSgetintcontrol(prob, XPRS_DEFAULTALG, &v));
    EXPECT_EQ(1, v);  // a refusal changes nothing
    EXPECT_NE(0, XPRSsetintcontrol(prob, XPRS_MIPTHREADS, -2));
    EXPECT_NE(0, XPRSsetintcontrol(prob, 9999, 1));
    EXPECT_NE(0, XPRSsetdblcontrol(prob, XPRS_FEASTOL, 0.0));
    EXPECT_NE(0, XPRSsetdblcontrol(prob, XPRS_OPTIMALITYTOL, -1e-6));
    EXPECT_NE(0, XPRSsetdblcontrol(prob, XPRS_MIPTOL, NAN));
    EXPECT_NE(0, XPRSsetdblcontrol(prob, XPRS_MAXNODE, 1.0));  // an integer control
    EXPECT_NE(std::string::npos, lastError().find("8018"));
    EXPECT_EQ(0, XPRSsetdblcontrol(prob, XPRS_MIPRELSTOP, 0.0));
    EXPECT_EQ(0, XPRSsetdblcontrol(prob, XPRS_FEASTOL, 1e-7));
    const int ints[] = {8007, 8009, 8010, 8011, 8012, 8013, 8018, 8020, 8021, 8023,
                        8026, 8027, 8028, 8052, 8053, 8071, 8077, 8078, 8079, 8130,
                        8131, 8133, 8137, 8138, 8196, 8274, 8275, 8278, 8326};
    for (int id : ints) {
        ASSERT_EQ(0, XPRSgetintcontrol(prob, id, &v)) << id;
        EXPECT_EQ(0, XPRSsetintcontrol(prob, id, v)) << id;
    }
}

// The values the plug-in hands over with its default parameters, and around a MIP search.
TEST_F(LpTest, ThePlugInsDefaultControlsAreAccepted) {
    const std::pair<int, int> ints[] = {
        {8023, 1},         {8011, -1}, {8010, 35},   {8326, 0},      {8009, 500}, {8012, 2},
        {8013, 0},         {8130, 1},  {8052, 1},    {8018, 100000}, {8078, 1},   {8021, 100000000},
        {8026, 1},         {8027, -1}, {8028, -100}, {8138, -1},     {8077, 511}, {8007, 100000},
        {8278, 1},         {8079, 1},  {8274, 2},    {8053, 2},      {8275, 64},  {8020, 0},
        {8196, -1},        {8131, 1},  {8133, 1},    {8137, 1},      {8071, 64},  {8010, 528},
        {8007, 1000000000}};
    for (const auto& [control, value] : ints)
        EXPECT_EQ(0, XPRSsetintcontrol(prob, control, value)) << control << " " << value;
    const std::pair<int, double> doubles[] = {
        {7003, 1e-6}, {7006, 1e-6},  {7007, 1e-13}, {7001, 1e-9}, {7019, 0.0},
        {7020, 1e-5}, {7009, 1e-6},  {7002, 1e-9},  {7008, 1e-6}, {7047, 0.01},
        {7014, 1e-4}, {7042, 0.001}, {7090, 1.0}};
    for (const auto& [control, value] : doubles)
        EXPECT_EQ(0, XPRSsetdblcontrol(prob, control, value)) << control << " " << value;
}

TEST(LibraryState, CallsOutsideTheLibraryLifetimeFail) {
    XPRSprob prob = nullptr;
    EXPECT_NE(0, XPRScreateprob(&prob));
    EXPECT_NE(0, XPRSfree());
    ASSERT_EQ(0, XPRSinit(nullptr));
    char version[64] = "";
    ASSERT_EQ(0, XPRSgetversion(version));
    EXPECT_NE(std::string::npos, std::string(version).find("CLP"));
    EXPECT_NE(std::string::npos, std::string(version).find("CBC"));
    EXPECT_LT(std::string(version).size(), 32u);
    ASSERT_EQ(0, XPRScreateprob(&prob));
    int v;
    EXPECT_NE(0, XPRSgetintattrib(nullptr, XPRS_LPSTATUS, &v));
    EXPECT_NE(0, XPRSminim(nullptr, ""));
    ASSERT_EQ(0, XPRSdestroyprob(prob));
    EXPECT_NE(0, XPRSgetintattrib(prob, XPRS_LPSTATUS, &v));
    EXPECT_NE(0, XPRSdestroyprob(prob));
    EXPECT_EQ(0, XPRSfree());
}

struct Messages {
    std::vector<std::string> lines;
    std::vector<int> types;
};

void XPRS_CC collect(XPRSprob, void* data, const char* text, int length, int type) {
    auto* m = static_cast<Messages*>(data);
    m->lines.emplace_back(text, length);
    m->types.push_back(type);
}

TEST_F(LpTest, LogLinesReachTheFileInOrderAndTheCallback) {
    std::string file = ::testing::TempDir() + "xprs_log_test.log";
    {
        std::ofstream out(file);
        out << "caller line 1\n";
    }
    Messages messages;
    ASSERT_EQ(0, XPRSaddcbmessage(prob, collect, &messages, 0));
    ASSERT_EQ(0, XPRSsetlogfile(prob, file.c_str()));
    Lp lp = maximisation();
    ASSERT_EQ(0, load(lp));
    ASSERT_EQ(0, XPRSmaxim(prob, ""));
    {
        std::ofstream out(file, std::ios::app);
        out << "caller line 2\n";
    }
    ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_MAXNODE, 77));
    ASSERT_EQ(0, XPRSdumpcontrols(prob));
    EXPECT_NE(0, XPRSsetintcontrol(prob, XPRS_DEFAULTALG, 9));
    std::ifstream in(file);
    std::stringstream all;
    all << in.rdbuf();
    std::string text = all.str();
    size_t first = text.find("caller line 1"), second = text.find("caller line 2");
    ASSERT_NE(std::string::npos, first);
    ASSERT_NE(std::string::npos, second);
    EXPECT_NE(std::string::npos, text.substr(first, second - first).find("ptimal"));
    EXPECT_NE(std::string::npos, text.find("MAXNODE = 77", second));
    EXPECT_EQ(std::string::npos, text.find("LPITERLIMIT"));  // at its default
    ASSERT_FALSE(messages.lines.empty());
    EXPECT_EQ(4, messages.types.back());
    EXPECT_EQ(static_cast<int>(messages.lines.back().size()),
              static_cast<int>(std::string(messages.lines.back()).size()));
    bool anyInfo = false;
    for (int t : messages.types) anyInfo = anyInfo || t == 1;
    EXPECT_TRUE(anyInfo);
    std::remove(file.c_str());
}

struct Counter {
    int calls = 0;
    int stopAt = 0;
};

int XPRS_CC countAndStop(XPRSprob, void* data) {
    auto* c = static_cast<Counter*>(data);
    return ++c->calls >= c->stopAt ? -1 : 0;
}

TEST_F(LpTest, CallbackStopsALongSolve) {
    Lp lp = largeLp(150);
    ASSERT_EQ(0, load(lp));
    Counter counter;
    counter.stopAt = 3;
    ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_LPLOG, 1));
    ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_PRESOLVE, 0));
    ASSERT_EQ(0, XPRSsetcblplog(prob, countAndStop, &counter));
    ASSERT_EQ(0, XPRSminim(prob, "p"));
    EXPECT_EQ(XPRS_LP_UNFINISHED, intAttrib(XPRS_LPSTATUS));
    EXPECT_EQ(3, counter.calls);
    EXPECT_LE(intAttrib(XPRS_SIMPLEXITER), 4);
    // Without the callback the same problem solves to the end, from where it stopped.
    ASSERT_EQ(0, XPRSsetcblplog(prob, nullptr, nullptr));
    ASSERT_EQ(0, XPRSminim(prob, "p"));
    EXPECT_EQ(XPRS_LP_OPTIMAL, intAttrib(XPRS_LPSTATUS));
}

TEST_F(LpTest, IterationLimitLeavesTheSolveUnfinished) {
    Lp lp = largeLp(120);
    ASSERT_EQ(0, load(lp));
    ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_LPITERLIMIT, 2));
    ASSERT_EQ(0, XPRSsetintcontrol(prob, XPRS_PRESOLVE, 0));
    ASSERT_EQ(0, XPRSminim(prob, "p"));
    EXPECT_EQ(XPRS_LP_UNFINISHED, intAttrib(XPRS_LPSTATUS));
}

TEST_F(LpTest, BasisFileRoundTripCutsTheIterations) {
    std::string file = ::testing::TempDir() + "xprs_basis_test.bss";
    Lp lp = largeLp(80);
    ASSERT_EQ(0, load(lp));
    ASSERT_EQ(0, XPRSminim(prob, ""));
    double objective = dblAttrib(XPRS_LPOBJVAL);
    int coldIterations = intAttrib(XPRS_SIMPLEXITER);
    ASSERT_GT(coldIterations, 5);
    ASSERT_EQ(0, XPRSwritebasis(prob, file.c_str(), ""));

    ASSERT_EQ(0, load(lp));
    ASSERT_EQ(0, XPRSreadbasis(prob, file.c_str(), ""));
    ASSERT_EQ(0, XPRSminim(prob, ""));
    EXPECT_NEAR(objective, dblAttrib(XPRS_LPOBJVAL), 1e-7 * std::fabs(objective));
    EXPECT_LE(intAttrib(XPRS_SIMPLEXITER), 1);

    EXPECT_NE(0, XPRSreadbasis(prob, (file + ".missing").c_str(), ""));
    // A basis written for another problem names columns this one does not have.
    Lp small = maximisation();
    ASSERT_EQ(0, load(small));
    EXPECT_NE(0, XPRSreadbasis(prob, file.c_str(), ""));
    EXPECT_NE(std::string::npos, lastError().find("unknown"));
    {
        std::ofstream out(file);
        out << "NAME x\n XU C1 R2\n";
    }
    EXPECT_NE(0, XPRSreadbasis(prob, file.c_str(), ""));
    std::remove(file.c_str());
}

TEST_F(LpTest, NamesAppearInTheBasisFile) {
    std::string file = ::testing::TempDir() + "xprs_names_test.bss";
    Lp lp = maximisation();
    ASSERT_EQ(0, load(lp));
    const char cols[] = "apples\0pears";
    const char rows[] = "profit\0land\0labour";
    ASSERT_EQ(0, XPRSaddnames(prob, XPRS_NAMES_COLUMNS, cols, 0, 1));
    ASSERT_EQ(0, XPRSaddnames(prob, XPRS_NAMES_ROWS, rows, 0, 2));
    EXPECT_NE(0, XPRSaddnames(prob, XPRS_NAMES_ROWS, rows, 2, 3));
    ASSERT_EQ(0, XPRSmaxim(prob, ""));
    ASSERT_EQ(0, XPRSwritebasis(prob, file.c_str(), ""));
    std::ifstream in(file);
    std::stringstream all;
    all << in.rdbuf();
    EXPECT_NE(std::string::npos, all.str().find("pears"));
    EXPECT_NE(std::string::npos, all.str().find("UL apples"));
    std::remove(file.c_str());
}

std::string contents(const std::string& file) {
    std::ifstream in(file);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

// Files are rewritten in place: a shorter one written over a longer one keeps nothing of it.
TEST_F(LpTest, ShorterFilesReplaceLongerOnesWhole) {
    std::string fresh = ::testing::TempDir() + "xprs_short_fresh";
    std::string reused = ::testing::TempDir() + "xprs_short_reused";
    Lp large = largeLp(40), small = maximisation();
    ASSERT_EQ(0, load(large));
    ASSERT_EQ(0, XPRSminim(prob, ""));
    ASSERT_EQ(0, XPRSwritebasis(prob, (reused + ".bss").c_str(), ""));
    ASSERT_EQ(0, XPRSwriteprob(prob, (reused + ".mps").c_str(), ""));
    ASSERT_EQ(0, load(small));
    ASSERT_EQ(0, XPRSmaxim(prob, ""));
    for (const char* ext : {".bss", ".mps"}) {
        std::remove((fresh + ext).c_str());
        bool basis = ext[1] == 'b';
        for (const std::string& f : {fresh + ext, reused + ext})
            ASSERT_EQ(0, basis ? XPRSwritebasis(prob, f.c_str(), "")
                               : XPRSwriteprob(prob, f.c_str(), ""));
        EXPECT_EQ(contents(fresh + ext), contents(reused + ext)) << ext;
        EXPECT_NE(std::string::npos, contents(reused + ext).find("ENDATA"));
        std::remove((fresh + ext).c_str());
        std::remove((reused + ext).c_str());
    }
}

// Quadratic problems whose answer CLP's own status gets wrong: the barrier ends "optimal" on an
// infeasible one, the primal method "optimal" at the origin of an unbounded one. Each case is
// solved by hand; maximisations go through the negated problem.
struct QuadraticCase {
    const char* name;
    int sense;  // 1 minimise, -1 maximise
    std::vector<char> rowtype;
    std::vector<double> rhs;
    std::vector<std::vector<double>> rows;
    std::vector<double> obj, lb, ub, qdiag;  // objective c'x + sum qdiag_j x_j^2 / 2
    int status;
    double value;  // objective at the optimum, or the sum of infeasibilities
    int unboundedIndex;
};

TEST_F(LpTest, QuadraticStatusesTellTheTruth) {
    const QuadraticCase cases[] = {
        // x1 + x2 >= 42 with both at most 10: short by 22.
        {"infeasible",
         -1,
         {'G'},
         {42},
         {{1, 1}},
         {0, 1},
         {0, 0},
         {10, 10},
         {-1, 0},
         XPRS_LP_INFEAS,
         22,
         -1},
        // max x2 - x1^2/2 with x2 unbounded above: column 2 (index rows + 1) is the direction.
        {"unbounded",
         -1,
         {'L'},
         {40},
         {{1, 0}},
         {0, 1},
         {0, 0},
         {40, kInf},
         {-1, 0},
         XPRS_LP_UNBOUNDED,
         0,
         1 + 1},
        // max x1 - x1^2 + x2 on x1 + x2 <= 3: x2 = 3 - x1 leaves 3 + x1 - x1^2, best at x1 = 0.5.
        {"maximised",
         -1,
         {'L'},
         {3},
         {{1, 1}},
         {2, 1},
         {0, 0},
         {kInf, kInf},
         {-2, 0},
         XPRS_LP_OPTIMAL,
         3.25,
         -1},
        // min (x1 - 3)^2 + (x2 + 1)^2 - 10 on x1 + x2 = 1, free: x1 = 2.5, x2 = -1.5.
        {"free columns",
         1,
         {'E'},
         {1},
         {{1, 1}},
         {-6, 2},
         {-kInf, -kInf},
         {kInf, kInf},
         {2, 2},
         XPRS_LP_OPTIMAL,
         -9.5,
         -1},
        // min x1 - x1^2 on x1 + x2 <= 3, both in [0, 2]: the objective is concave in x1, so a
        // point where the multipliers hold (x1 = 0) proves nothing; the optimum is x1 = 2.
        {"not convex",
         1,
         {'L'},
         {3},
         {{1, 1}},
         {1, 0},
         {0, 0},
         {2, 2},
         {-2, 0},
         XPRS_LP_UNFINISHED,
         0,
         -1},
        // max x1^2 + x2 on x1 + x2 <= 3 with x1 fixed at 1: the square is a constant, so the
        // problem is the linear one, x2 = 2.
        {"square of a fixed column",
         -1,
         {'L'},
         {3},
         {{1, 1}},
         {0, 1},
         {1, 0},
         {1, kInf},
         {2, 0},
         XPRS_LP_OPTIMAL,
         3,
         -1},
    };
    for (const QuadraticCase& c : cases) {
        Lp lp;
        lp.rowtype = c.rowtype;
        lp.rhs = c.rhs;
        lp.rows = c.rows;
        lp.obj = c.obj;
        lp.lb = c.lb;
        lp.ub = c.ub;
        lp.pack();
        std::vector<int> qcols;
        std::vector<double> qvals;
        for (size_t j = 0; j < c.qdiag.size(); ++j)
            if (c.qdiag[j] != 0) {
                qcols.push_back(static_cast<int>(j));
                qvals.push_back(c.qdiag[j]);
            }
        ASSERT_EQ(0, XPRSloadqp(prob, c.name, lp.ncols(), lp.nrows(), lp.rowtype.data(),
                                lp.rhs.data(), lp.range.data(), lp.obj.data(), lp.start.data(),
                                nullptr, lp.index.data(), lp.value.data(), lp.lb.data(),
                                lp.ub.data(), static_cast<int>(qcols.size()), qcols.data(),
                                qcols.data(), qvals.data()));
        ASSERT_EQ(0, c.sense > 0 ? XPRSminim(prob, "") : XPRSmaxim(prob, ""));
        ASSERT_EQ(c.status, intAttrib(XPRS_LPSTATUS)) << c.name;
        int index = -5;
        ASSERT_EQ(0, XPRSgetunbvec(prob, &index));
        EXPECT_EQ(c.unboundedIndex, index) << c.name;
        if (c.status == XPRS_LP_INFEAS) {
            EXPECT_NEAR(c.value, dblAttrib(XPRS_SUMPRIMALINF), 1e-6) << c.name;
            int npv = 0, nps = 0, nds = 0, ndv = 0;
            std::vector<int> colsP(2), rowsP(1), rowsD(1), colsD(2);
            ASSERT_EQ(0, XPRSgetscaledinfeas(prob, &npv, &nps, &nds, &ndv, colsP.data(),
                                             rowsP.data(), rowsD.data(), colsD.data()));
            EXPECT_EQ(1, nps + npv) << c.name;
        }
        if (c.status != XPRS_LP_OPTIMAL) continue;
        EXPECT_NEAR(c.value, dblAttrib(XPRS_LPOBJVAL), 1e-7) << c.name;
        // The answer comes with a basis: as many basic variables as rows.
        std::vector<int> rowstat(lp.nrows()), colstat(lp.ncols());
        ASSERT_EQ(0, XPRSgetbasis(prob, rowstat.data(), colstat.data()));
        int basic = 0;
        for (int s : rowstat) basic += s == XPRS_BASIC;
        for (int s : colstat) basic += s == XPRS_BASIC;
        EXPECT_EQ(lp.nrows(), basic) << c.name;
    }
}

// Objectives with cross terms beyond the active-set method's size: min sum c_j x_j + x'Qx/2 on
// [0, 10]^400 with Q tridiagonal, 1 on the diagonal and a neighbour term t. At t = 0.4 Q is
// positive definite and x_j = 1 for every third j (cost -1), 0 elsewhere (cost 0.5), meets the
// optimality conditions: -0.5 each, -67 in all. At t = 1 an eigenvalue is near -1 (every 2 x 2
// minor still holds), at t = 3 a minor is negative: neither can be proved optimal.
TEST_F(LpTest, CrossTermsAreCheckedForConvexity) {
    const int n = 400;
    Lp lp;
    lp.rowtype = {'G', 'L'};
    lp.rhs = {5, 500};
    lp.rows.assign(2, std::vector<double>(n, 1.0));
    for (int j = 0; j < n; ++j) {
        lp.obj.push_back(j % 3 == 0 ? -1.0 : 0.5);
        lp.rows[1][j] = 1 + j % 5;
    }
    lp.lb.assign(n, 0.0);
    lp.ub.assign(n, 10.0);
    lp.pack();
    for (const auto& [term, status] :
         {std::pair{0.4, XPRS_LP_OPTIMAL}, std::pair{1.0, XPRS_LP_UNFINISHED},
          std::pair{3.0, XPRS_LP_UNFINISHED}}) {
        std::vector<int> q1, q2;
        std::vector<double> qv;
        for (int j = 0; j < n; ++j) {
            q1.push_back(j), q2.push_back(j), qv.push_back(1.0);
            if (j + 1 < n) q1.push_back(j), q2.push_back(j + 1), qv.push_back(term);
        }
        ASSERT_EQ(0, XPRSloadqp(prob, "cross", n, 2, lp.rowtype.data(), lp.rhs.data(),
                                lp.range.data(), lp.obj.data(), lp.start.data(), nullptr,
                                lp.index.data(), lp.value.data(), lp.lb.data(), lp.ub.data(),
                                static_cast<int>(qv.size()), q1.data(), q2.data(), qv.data()));
        ASSERT_EQ(0, XPRSminim(prob, ""));
        EXPECT_EQ(status, intAttrib(XPRS_LPSTATUS)) << term;
        if (status == XPRS_LP_OPTIMAL) {
            EXPECT_NEAR(-67.0, dblAttrib(XPRS_LPOBJVAL), 1e-6);
        }
    }
}

// Problems in different threads share nothing: each thread's solve matches the serial one and
// its messages reach its own callback only.
TEST(LibraryState, ProblemsSolveInParallelThreads) {
    ASSERT_EQ(0, XPRSinit(nullptr));
    auto solve = [](int n, double* objective, Messages* messages) {
        XPRSprob prob = nullptr;
        if (XPRScreateprob(&prob) != 0) return;
        Lp lp = largeLp(n);
        lp.pack();
        XPRSaddcbmessage(prob, collect, messages, 0);
        XPRSloadlp(prob, "t", lp.ncols(), lp.nrows(), lp.rowtype.data(), lp.rhs.data(),
                   lp.range.data(), lp.obj.data(), lp.start.data(), nullptr, lp.index.data(),
                   lp.value.data(), lp.lb.data(), lp.ub.data());
        XPRSminim(prob, "");
        XPRSgetdblattrib(prob, XPRS_LPOBJVAL, objective);
        XPRSdestroyprob(prob);
    };
    double serial[2] = {0, 0}, parallel[2] = {1, 1};
    Messages quiet[2], loud[2];
    solve(60, &serial[0], &quiet[0]);
    solve(90, &serial[1], &quiet[1]);
    std::thread a(solve, 60, &parallel[0], &loud[0]);
    std::thread b(solve, 90, &parallel[1], &loud[1]);
    a.join();
    b.join();
    EXPECT_EQ(serial[0], parallel[0]);
    EXPECT_EQ(serial[1], parallel[1]);
    // Timings inside the lines may differ; the number of lines may not.
    EXPECT_EQ(quiet[0].lines.size(), loud[0].lines.size());
    EXPECT_EQ(quiet[1].lines.size(), loud[1].lines.size());
    EXPECT_FALSE(loud[0].lines.empty());
    EXPECT_EQ(0, XPRSfree());
}

}  // namespace
}  // namespace xprstest
