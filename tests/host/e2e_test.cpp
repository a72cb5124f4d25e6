// `corvane` run as a process on published models, the bundled examples and broken input.
//
// Every check that needs an optimized answer skips, with the reason, while the plug-in reports
// that it did not optimize.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <ClpSimplex.hpp>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/file_text.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

const std::string kCorvane = CORVANE_BIN;
const std::string kData = CORVANE_SHARED_DATA;
const std::string kExamples = CORVANE_EXAMPLES_DIR;
const std::string kSamples = COIN_SAMPLE_DATA;

struct CorvaneRun {
    int exitCode = -1;
    std::string out, err;
    Json solution;  // null when no solution file was written
};

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

using corvane::test::slurp;

// A folder of this test process's own: test cases run side by side.
std::string scratchPath(const std::string& name) {
    return testing::TempDir() + "e2e-" + std::to_string(::getpid()) + "-" + name;
}

std::string scratchDir(const std::string& name) {
    const std::string dir = scratchPath(name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

CorvaneRun corvane(const std::vector<std::string>& args, const std::string& binary = kCorvane) {
    static int counter = 0;
    // Test cases run as processes of their own, side by side: the names carry the process.
    const std::string base = testing::TempDir() + "corvane-run-" + std::to_string(::getpid()) +
                             "-" + std::to_string(++counter);
    std::string command = quoted(binary);
    for (const std::string& arg : args) command += " " + quoted(arg);
    command += " >" + quoted(base + ".out") + " 2>" + quoted(base + ".err") + " </dev/null";
    const int status = std::system(command.c_str());
    CorvaneRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = slurp(base + ".out");
    run.err = slurp(base + ".err");
    return run;
}

// A solve with a solution file in a log directory of its own.
CorvaneRun solve(const std::string& model, const std::string& name,
                 std::vector<std::string> extra = {}) {
    const std::string dir = scratchDir(name);
    const std::string solutionPath = dir + "/solution.json";
    std::vector<std::string> args = {"solve",       model,        "--quiet",   "--logdir",
                                     dir + "/logs", "--solution", solutionPath};
    args.insert(args.end(), extra.begin(), extra.end());
    CorvaneRun run = corvane(args);
    if (fs::exists(solutionPath)) run.solution = Json::parse(std::ifstream(solutionPath));
    return run;
}

bool optimized(const CorvaneRun& run) {
    return run.solution.is_object() && run.solution["solve_done"] == true &&
           run.solution["status"] != 0;
}

#define SKIP_UNLESS_OPTIMIZED(run)                                                           \
    if (!optimized(run))                                                                     \
    GTEST_SKIP() << "the plug-in reported that it did not optimize (exit " << (run).exitCode \
                 << "): these checks wait for the solve.\n"                                  \
                 << (run).out << (run).err

double objectiveOf(const CorvaneRun& run) {
    return run.solution["objective"].is_number() ? run.solution["objective"].get<double>() : NAN;
}

void expectRelativeNear(double actual, double expected, double tolerance) {
    EXPECT_LE(std::fabs(actual - expected), tolerance * std::max(1.0, std::fabs(expected)))
        << "actual " << actual << ", expected " << expected;
}

std::vector<std::pair<std::string, double>> readOptima(const std::string& path, int column) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    std::vector<std::pair<std::string, double>> optima;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream parts(line);
        for (std::string field; std::getline(parts, field, ',');) fields.push_back(field);
        if (static_cast<int>(fields.size()) > column)
            optima.emplace_back(fields[0], std::stod(fields[column]));
    }
    return optima;
}

// A first solve whose answer decides whether the plug-in optimizes at all.
CorvaneRun probe() {
    return solve(kExamples + "/blend.mps", "probe");
}

TEST(PublishedOptima, NetlibLinearPrograms) {
    if (!fs::exists(kData + "/netlib/optima.csv")) GTEST_SKIP() << "no shared data";
    SKIP_UNLESS_OPTIMIZED(probe());
    for (const auto& [name, optimum] : readOptima(kData + "/netlib/optima.csv", 1)) {
        SCOPED_TRACE(name);
        const CorvaneRun run = solve(kData + "/netlib/" + name + ".mps.gz", "netlib-" + name);
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
        EXPECT_EQ(run.solution["status"], 1);
        // e226's published value is its linear part: an objective-row right-hand side of -7.113
        // is the constant +7.113, which the reported objective includes, as CLP's does.
        const double constant = name == "e226" ? 7.113 : 0.0;
        expectRelativeNear(objectiveOf(run) - constant, optimum, 1e-6);
    }
}

TEST(PublishedOptima, ObjectiveConstantAsClpCountsIt) {
    SKIP_UNLESS_OPTIMIZED(probe());
    ClpSimplex clp;
    clp.setLogLevel(0);
    ASSERT_EQ(clp.readMps((kSamples + "/e226.mps").c_str()), 0);
    clp.primal();
    const CorvaneRun run = solve(kSamples + "/e226.mps", "e226-constant");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    expectRelativeNear(objectiveOf(run), clp.objectiveValue(), 1e-6);
}

TEST(PublishedOptima, MiplibIntegerOptima) {
    if (!fs::exists(kData + "/miplib3/optima.csv")) GTEST_SKIP() << "no shared data";
    SKIP_UNLESS_OPTIMIZED(probe());
    for (const auto& [name, optimum] : readOptima(kData + "/miplib3/optima.csv", 1)) {
        SCOPED_TRACE(name);
        // The default gap and cutoff tolerances stop a search short of the proven optimum.
        const CorvaneRun run = solve(kData + "/miplib3/" + name + ".mps.gz", "miplib-" + name,
                                     {"--set", "OPTCR=0", "--set", "PERCUT=0"});
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
        expectRelativeNear(objectiveOf(run), optimum, 1e-6);
    }
}

TEST(PublishedOptima, CoinUtilsSamples) {
    SKIP_UNLESS_OPTIMIZED(probe());
    const std::vector<std::pair<std::string, double>> optima = {{"afiro", -464.7531428571},
                                                                {"brandy", 1518.509896488},
                                                                {"finnis", 172791.0655956},
                                                                {"p0033", 3089.0},
                                                                {"p0201", 7615.0},
                                                                {"p0548", 8691.0},
                                                                {"lseu", 1120.0}};
    for (const auto& [name, optimum] : optima) {
        SCOPED_TRACE(name);
        const CorvaneRun run = solve(kSamples + "/" + name + ".mps", "sample-" + name,
                                     {"--set", "OPTCR=0", "--set", "PERCUT=0"});
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
        expectRelativeNear(objectiveOf(run), optimum, 1e-6);
    }
}

TEST(ModelFeatures, BundledExamplesReachTheirHandCheckedOptima) {
    SKIP_UNLESS_OPTIMIZED(probe());
    const std::vector<std::pair<std::string, double>> optima = {
        {"production.lp", 1250.0},  // maximisation with a constant
        {"blend.mps", 11.0},        // ranged row and a constant
        {"knapsack.lp", 25.0},
        {"semicontinuous.mps", 2.0},
        {"sos1.mps", -3.0}};
    for (const auto& [name, optimum] : optima) {
        SCOPED_TRACE(name);
        const CorvaneRun run = solve(kExamples + "/" + name, "example-" + name);
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
        expectRelativeNear(objectiveOf(run), optimum, 1e-6);
        // Under --quiet the summary is all: nothing of CLP's or CBC's own.
        EXPECT_EQ(0u, run.out.find("Model ")) << run.out;
    }
    const CorvaneRun barrier =
        solve(kExamples + "/blend.mps", "example-barrier", {"--set", "IALG=4"});
    ASSERT_EQ(barrier.exitCode, 0) << barrier.out << barrier.err;
    EXPECT_EQ(0u, barrier.out.find("Model ")) << barrier.out;
}

TEST(ModelFeatures, SeparableQuadraticProgram) {
    SKIP_UNLESS_OPTIMIZED(probe());
    const CorvaneRun run = solve(kExamples + "/separable_qp.mps", "separable-qp");
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    expectRelativeNear(objectiveOf(run), -75.0 / 36.0, 1e-6);
    expectRelativeNear(run.solution["columns"][0]["value"], 5.0 / 6.0, 1e-6);
}

// The quadratic part of an LP objective reaches the solver, in either sense, with the constant.
TEST(ModelFeatures, SeparableQuadraticProgramInLpForm) {
    SKIP_UNLESS_OPTIMIZED(probe());
    const CorvaneRun run = solve(kExamples + "/separable_qp.lp", "separable-qp-lp");
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    expectRelativeNear(objectiveOf(run), -9.5, 1e-6);
    expectRelativeNear(run.solution["columns"][0]["value"], 1.5, 1e-6);
    expectRelativeNear(run.solution["columns"][1]["value"], 2.5, 1e-6);

    const std::string dir = scratchDir("separable-qp-max-input");
    std::ofstream(dir + "/max.lp") << "Maximize\n obj: 4 x + 6 y - [ 2 x^2 + 2 y^2 ] / 2 - 3\n"
                                      "Subject To\n total: x + y <= 4\n";
    const CorvaneRun maximised = solve(dir + "/max.lp", "separable-qp-max");
    ASSERT_EQ(maximised.exitCode, 0) << maximised.out << maximised.err;
    expectRelativeNear(objectiveOf(maximised), 9.5, 1e-6);
    expectRelativeNear(maximised.solution["columns"][0]["value"], 1.5, 1e-6);
}

// The solver drops the integer restriction of a quadratic model and solves the continuous
// problem: the user is told before the solve, and the solution file says so. Continuous optimum
// x = 1.5, y = 2.5, objective -12.5 (the integer one, y = 2 or 3, would be -12).
TEST(ModelFeatures, QuadraticObjectiveWithIntegersIsSolvedWithoutThem) {
    SKIP_UNLESS_OPTIMIZED(probe());
    const std::string dir = scratchDir("qp-integer-input");
    std::ofstream(dir + "/qpint.lp") << "Minimize\n obj: - 4 x - 6 y + [ 2 x^2 + 2 y ^ 2 ] / 2\n"
                                        "Subject To\n total: x + y <= 4\nBounds\n 0 <= y <= 10\n"
                                        "General\n y\nEnd\n";
    for (const std::string relmip : {"0", "1"}) {
        SCOPED_TRACE("RELMIP " + relmip);
        const CorvaneRun run =
            solve(dir + "/qpint.lp", "qp-integer-" + relmip, {"--set", "RELMIP=" + relmip});
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
        EXPECT_NE(run.err.find("corvane: warning: the quadratic objective makes the solver drop 1 "
                               "integer, semi-continuous or set restrictions"),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(run.solution["dropped_restrictions"], 1);
        EXPECT_EQ(run.solution["status"], 1);
        expectRelativeNear(objectiveOf(run), -12.5, 1e-6);
        expectRelativeNear(run.solution["columns"][1]["value"], 2.5, 1e-5);
    }
    const CorvaneRun linear = solve(kExamples + "/knapsack.lp", "qp-integer-none");
    EXPECT_FALSE(linear.solution.contains("dropped_restrictions"));
    // Quadratic terms that are all zero leave a MIP, searched with its integers: y = 1, not 1.25.
    std::ofstream(dir + "/zero-quadratic.lp")
        << "Minimize\n obj: - x - y + [ 0 x ^ 2 ] / 2\nSubject To\n c: x + 2 y <= 3.5\n"
           "Bounds\n x <= 1\n y <= 10\nGeneral\n y\nEnd\n";
    const CorvaneRun zero = corvane({"solve", dir + "/zero-quadratic.lp", "--logdir", dir + "/zq"});
    EXPECT_EQ(zero.exitCode, 0) << zero.err;
    EXPECT_NE(zero.out.find("1 integer or semi-continuous (MIP)"), std::string::npos) << zero.out;
    EXPECT_NE(zero.out.find("Objective   -2 "), std::string::npos) << zero.out;
    EXPECT_EQ(zero.err.find("warning"), std::string::npos) << zero.err;
}

TEST(Parameters, RelaxedMipGivesTheLpRelaxation) {
    SKIP_UNLESS_OPTIMIZED(probe());
    const CorvaneRun knapsack =
        solve(kExamples + "/knapsack.lp", "relmip-knapsack", {"--set", "RELMIP=1"});
    ASSERT_EQ(knapsack.exitCode, 0) << knapsack.err;
    expectRelativeNear(objectiveOf(knapsack), 25.0 + 2.0 / 3.0, 1e-6);
    const CorvaneRun p0033 =
        solve(kData + "/miplib3/p0033.mps.gz", "relmip-p0033", {"--set", "RELMIP=1"});
    ASSERT_EQ(p0033.exitCode, 0) << p0033.err;
    // The catalogue rounds the relaxation to six digits.
    expectRelativeNear(objectiveOf(p0033), 2520.57, 1e-5);
}

TEST(Parameters, WarmStartOverAReusedLogDirectoryCutsIterations) {
    SKIP_UNLESS_OPTIMIZED(probe());
    const std::string dir = scratchDir("warm-start");
    const std::vector<std::string> args = {"solve",    kData + "/netlib/25fv47.mps.gz",
                                           "--quiet",  "--logdir",
                                           dir,        "--set",
                                           "WSTART=1", "--solution"};
    std::vector<std::string> first = args, second = args;
    first.push_back(dir + "/first.json");
    second.push_back(dir + "/second.json");
    const CorvaneRun cold = corvane(first);
    ASSERT_EQ(cold.exitCode, 0) << cold.err;
    EXPECT_NE(cold.err.find("WSTART 0"), std::string::npos) << cold.err;
    const CorvaneRun warm = corvane(second);
    ASSERT_EQ(warm.exitCode, 0) << warm.err;
    EXPECT_EQ(warm.err.find("WSTART 0"), std::string::npos) << warm.err;
    const Json coldSolution = Json::parse(std::ifstream(dir + "/first.json"));
    const Json warmSolution = Json::parse(std::ifstream(dir + "/second.json"));
    EXPECT_LT(warmSolution["iterations"].get<int>(), coldSolution["iterations"].get<int>());
    expectRelativeNear(warmSolution["objective"], coldSolution["objective"], 1e-9);
}

TEST(Parameters, ReportLeavesAProblemFileThatSolvesToTheSameObjective) {
    SKIP_UNLESS_OPTIMIZED(probe());
    const CorvaneRun original =
        solve(kData + "/netlib/adlittle.mps.gz", "report", {"--set", "REPORT=1"});
    ASSERT_EQ(original.exitCode, 0) << original.err;
    const std::string written = scratchPath("report") + "/logs/xpress_0.mps";
    ASSERT_TRUE(fs::exists(written));
    const CorvaneRun again = solve(written, "report-again");
    ASSERT_EQ(again.exitCode, 0) << again.err;
    expectRelativeNear(objectiveOf(again), objectiveOf(original), 1e-9);
}

TEST(Outcomes, InfeasibleModelEndsWithoutSolutionAndLeavesItsReport) {
    const CorvaneRun run = solve(kExamples + "/infeasible.lp", "infeasible");
    SKIP_UNLESS_OPTIMIZED(run);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.solution["status"], 7);
    EXPECT_NE(run.solution["result_code"], 0);
    EXPECT_TRUE(fs::exists(scratchPath("infeasible") + "/logs/lpsolver.inf"));
    EXPECT_NE(run.out.find("infeasible"), std::string::npos) << run.out;
}

// The relaxation of an infeasible integer model, solved alone, is reported as infeasible with its
// report, as the same relaxation inside a search is.
TEST(Outcomes, InfeasibleRelaxationOfAMipIsReportedAsInfeasible) {
    const std::string dir = scratchDir("infeasible-mip-input");
    std::ofstream(dir + "/infeasible-mip.lp") << "Minimize\n cost: x + y\nSubject To\n"
                                                 " at_least: x + y >= 5\n at_most: x + y <= 3\n"
                                                 "General\n x\nEnd\n";
    for (const std::string relmip : {"0", "1"}) {
        SCOPED_TRACE("RELMIP " + relmip);
        const std::string name = "infeasible-mip-" + relmip;
        const CorvaneRun run =
            solve(dir + "/infeasible-mip.lp", name, {"--set", "RELMIP=" + relmip});
        SKIP_UNLESS_OPTIMIZED(run);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.solution["status"], 7);
        EXPECT_EQ(run.solution["result_code"], 1);
        EXPECT_TRUE(fs::exists(scratchPath(name) + "/logs/lpsolver.inf"));
    }
}

// Quadratic models on which CLP's own status is wrong (its barrier ends "optimal" on the
// infeasible one) end with the plug-in's status for them and its report line.
TEST(Outcomes, InfeasibleAndUnboundedQuadraticModels) {
    const struct {
        const char* file;
        int status;
        const char* report;
    } cases[] = {{"qpinfeasible.lp", 7, "R1\n"}, {"qpunbounded.lp", 3, "C1\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const CorvaneRun run = solve(kData + "/repro/" + c.file, c.file);
        SKIP_UNLESS_OPTIMIZED(run);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.solution["status"], c.status);
        EXPECT_EQ(slurp(scratchPath(c.file) + "/logs/lpsolver.inf"), c.report);
    }
}

TEST(Outcomes, DualsAndReducedCostsAgreeWithClp) {
    SKIP_UNLESS_OPTIMIZED(probe());
    for (const std::string name : {"afiro", "adlittle", "blend"}) {
        SCOPED_TRACE(name);
        const std::string path = kData + "/netlib/" + name + ".mps.gz";
        ClpSimplex clp;
        clp.setLogLevel(0);
        ASSERT_EQ(clp.readMps(path.c_str()), 0);
        // CLP's own default solve, presolve included.
        clp.initialSolve();
        const CorvaneRun run = solve(path, "duals-" + name);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const Json& rows = run.solution["rows"];
        const Json& columns = run.solution["columns"];
        ASSERT_EQ(static_cast<int>(rows.size()), clp.numberRows());
        ASSERT_EQ(static_cast<int>(columns.size()), clp.numberColumns());
        for (int r = 0; r < clp.numberRows(); ++r)
            EXPECT_NEAR(rows[r]["dual"].get<double>(), clp.dualRowSolution()[r], 1e-6)
                << rows[r]["name"];
        for (int j = 0; j < clp.numberColumns(); ++j)
            EXPECT_NEAR(columns[j]["reduced_cost"].get<double>(), clp.dualColumnSolution()[j], 1e-6)
                << columns[j]["name"];
    }
}

// Each broken input is refused with exit 2, a message on standard error and no solution file.
void expectRefused(const CorvaneRun& run, const std::string& message, const std::string& name) {
    EXPECT_EQ(run.exitCode, 2) << run.out << run.err;
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(scratchPath(name) + "/solution.json"));
}

TEST(Errors, BadModelFiles) {
    const std::string dir = scratchDir("bad-files-input");
    std::ofstream(dir + "/garbage.mps") << "this is not\na model\n";
    std::ofstream(dir + "/broken.lp") << "Minimize\n obj: x +\nSubject To\n c: x >= \n";
    expectRefused(solve(dir + "/missing.mps", "missing"),
                  dir + "/missing.mps: cannot open the file: No such file or directory\n",
                  "missing");
    expectRefused(solve(dir + "/garbage.mps", "garbage"),
                  dir + "/garbage.mps:1: unknown section \"this\"\n", "garbage");
    expectRefused(solve(dir + "/broken.lp", "broken"), dir + "/broken.lp", "broken");
    // A quadratic objective that curves the wrong way, which the optimizer would end at a local
    // optimum called optimal (here x = 0, y = 10 with 30, where x = 10 gives 120); a column
    // fixed by its bounds does not count.
    std::ofstream(dir + "/nonconvex.lp") << "Maximize\n obj: 2 x + 3 y + [ 2 x ^ 2 ] / 2\n"
                                            "Subject To\n c: x + y <= 10\nEnd\n";
    expectRefused(solve(dir + "/nonconvex.lp", "nonconvex"),
                  "corvane: the quadratic objective is not convex: column x has 2 on its "
                  "diagonal in a maximisation",
                  "nonconvex");
    std::ofstream(dir + "/fixed-concave.lp") << "Minimize\n obj: y - [ 2 x ^ 2 ] / 2\n"
                                                "Subject To\n c: x + y >= 1\nBounds\n x = 0.5\n"
                                                " y <= 4\nEnd\n";
    const CorvaneRun fixed = solve(dir + "/fixed-concave.lp", "fixed-concave");
    EXPECT_EQ(fixed.exitCode, 0) << fixed.err;
    EXPECT_NEAR(objectiveOf(fixed), 0.5 - 0.25, 1e-9);
    expectRefused(solve(kSamples + "/share2qp.mps", "offdiag"),
                  kSamples +
                      "/share2qp.mps:500: the objective has the off-diagonal quadratic term "
                      "(010101, 010105); only separable quadratic objectives are supported",
                  "offdiag");
}

// A right-hand side the solver would take as infinite used to turn the row free and the model
// "solved" with objective 0; 1e30 and more in the binding direction made it free as well.
TEST(Errors, HugeRightHandSidesAreRefusedNamingTheRow) {
    const std::string dir = scratchDir("huge-rhs-input");
    const std::string head =
        "NAME huge\nROWS\n N obj\n E sum\nCOLUMNS\n x obj 1 sum 1\n"
        " y obj 1 sum 1\nRHS\n";
    std::ofstream(dir + "/finite.mps") << head << " rhs sum 2e20\nENDATA\n";
    std::ofstream(dir + "/infinite.mps") << head << " rhs sum 1e400\nENDATA\n";
    std::ofstream(dir + "/nan.mps") << head << " rhs sum nan\nENDATA\n";
    expectRefused(solve(dir + "/finite.mps", "huge-finite"),
                  dir +
                      "/finite.mps:9: row sum has the right-hand side 2e+20, 1e20 or more in "
                      "magnitude, which the solver takes as infinite (write 1e30 or more for no "
                      "limit)\n",
                  "huge-finite");
    expectRefused(solve(dir + "/infinite.mps", "huge-infinite"),
                  dir +
                      "/infinite.mps:9: row sum has an infinite right-hand side in its binding "
                      "direction: no point satisfies it\n",
                  "huge-infinite");
    expectRefused(solve(dir + "/nan.mps", "huge-nan"),
                  dir + "/nan.mps:9: \"nan\" is not a number\n", "huge-nan");
}

// Names of 200 characters once corrupted the reader's memory; up to 255 they are read as any.
TEST(Errors, LongNamesAreReadAndOverlongOnesRefused) {
    const std::string dir = scratchDir("long-names-input");
    const std::string row(200, 'r'), column(255, 'c');
    std::ofstream(dir + "/long.mps")
        << "NAME long\nROWS\n N obj\n G " << row << "\nCOLUMNS\n " << column << " obj 1 " << row
        << " 1\nRHS\n rhs " << row << " 3\nENDATA\n";
    const CorvaneRun run = solve(dir + "/long.mps", "long-names");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NEAR(run.solution["objective"].get<double>(), 3.0, 1e-9);
    std::ofstream(dir + "/overlong.mps") << "NAME long\nROWS\n N obj\n G " << row << row << "\n";
    expectRefused(solve(dir + "/overlong.mps", "overlong-names"),
                  dir + "/overlong.mps:4: the name \"" + std::string(40, 'r') +
                      "...\" has 400 characters, more than 255\n",
                  "overlong-names");
}

// Faults that once crashed, hung or misled the LP path: each is one line naming file and line.
TEST(Errors, BadLpFilesNameTheirLine) {
    const std::string dir = scratchDir("bad-lp-input");
    const std::vector<std::pair<std::string, std::string>> files = {
        {"truncated.lp", "Minimize\n obj: x + y\nSubject To\n c1: x + y >= 2\n c2: x -"},
        {"comment.lp", "\\ nothing but a comment\n"},
        {"huge-rhs.lp", "Minimize\n obj: X + Y\nSubject To\n c: X + Y = 2e20\n"},
        {"nan.lp", "Minimize\n obj: X + Y\nSubject To\n c: X + Y >= nan\nEnd\n"},
        {"offdiagonal.lp", "Minimize\n obj: x + [ x^2 + x * y ] / 2\n"},
    };
    const std::vector<std::string> messages = {
        "truncated.lp:5: the file ends inside row c2",
        "comment.lp: the file holds no model",
        "huge-rhs.lp:4: row c has the right-hand side 2e+20",
        "nan.lp:4: \"nan\" is not a number",
        "offdiagonal.lp:2: the objective has the off-diagonal quadratic term (x, y)",
    };
    for (size_t k = 0; k < files.size(); ++k) {
        SCOPED_TRACE(files[k].first);
        std::ofstream(dir + "/" + files[k].first) << files[k].second;
        expectRefused(solve(dir + "/" + files[k].first, "bad-lp-" + std::to_string(k)), messages[k],
                      "bad-lp-" + std::to_string(k));
    }
}

TEST(Errors, BadParametersNameTheNearestOnes) {
    expectRefused(solve(kExamples + "/blend.mps", "bad-name", {"--set", "ZTOLZ=1e-6"}),
                  "closest: ZTOLZE", "bad-name");
    expectRefused(solve(kExamples + "/blend.mps", "bad-int", {"--set", "IALG=fast"}),
                  "takes an integer", "bad-int");
    expectRefused(solve(kExamples + "/blend.mps", "bad-real", {"--set", "ZTOLZE=tiny"}),
                  "takes a real number", "bad-real");
    expectRefused(solve(kExamples + "/blend.mps", "bad-form", {"--set", "IALG"}), "NAME=VALUE",
                  "bad-form");
}

TEST(Errors, UsageErrorsExitTwo) {
    EXPECT_EQ(corvane({"solve"}).exitCode, 2);
    EXPECT_EQ(corvane({"solve", "--quiet"}).err, "corvane: MODEL is required (see --help)\n");
    // --version answers after a command too, and without a model.
    for (const char* command : {"solve", "batch"}) {
        const CorvaneRun version = corvane({command, "--version"});
        EXPECT_EQ(version.exitCode, 0) << command << version.err;
        EXPECT_NE(version.out.find("Optimizer library: xprs"), std::string::npos) << version.out;
    }
    EXPECT_EQ(corvane({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(corvane({"--help"}).exitCode, 0);
    // A solution file that cannot be written is refused before the solve, in one line.
    const std::string dir = scratchDir("unwritable-solution");
    for (const std::string& solution : {dir, dir + "/missing/solution.json"}) {
        const CorvaneRun run = corvane(
            {"solve", kExamples + "/blend.mps", "--logdir", dir + "/logs", "--solution", solution});
        EXPECT_EQ(run.exitCode, 2) << run.err;
        EXPECT_EQ(run.err.rfind("corvane: cannot write the solution file " + solution, 0), 0u)
            << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_FALSE(fs::exists(dir + "/logs")) << "the solve started";
    }
}

TEST(Errors, MissingPluginOrOptimizerLibrary) {
    expectRefused(solve(kExamples + "/blend.mps", "no-plugin", {"--plugin", "/nonexistent.so"}),
                  "cannot load the plug-in", "no-plugin");

    // A copy of the program and the plug-in without the optimizer library beside them.
    const std::string root = scratchDir("no-optimizer");
    fs::create_directories(root + "/bin");
    fs::create_directories(root + "/lib");
    const fs::path build = fs::path(kCorvane).parent_path().parent_path();
    fs::copy_file(kCorvane, root + "/bin/corvane");
    for (const char* library : {"libcorvane.so", "libvrimcore.so", "libvrimutils.so"})
        fs::copy_file(build / "lib" / library, root + "/lib/" + library);
    const CorvaneRun run = corvane({"solve", kExamples + "/blend.mps", "--logdir", root + "/logs",
                                    "--solution", root + "/solution.json"},
                                   root + "/bin/corvane");
    EXPECT_EQ(run.exitCode, 2) << run.out << run.err;
    EXPECT_NE(run.err.find("optimizer library"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(root + "/solution.json"));
}

TEST(Commands, InfoAndParamsComeFromThePlugin) {
    const CorvaneRun info = corvane({"info"});
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_NE(info.out.find("CORVANE solver library version 11.0"), std::string::npos);
    EXPECT_NE(info.out.find("ZOLSOLVER  11.0"), std::string::npos) << info.out;
    const CorvaneRun params = corvane({"params"});
    EXPECT_EQ(params.exitCode, 0);
    EXPECT_NE(params.out.find("LOGDIR"), std::string::npos);
    EXPECT_NE(params.out.find("ZTOLZE            real      1  1e-06"), std::string::npos)
        << params.out;
}

}  // namespace
