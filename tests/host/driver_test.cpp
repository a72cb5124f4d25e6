// The host driving the real plug-in: loading, parameters, and the dialogue of iterate calls.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "platform/host/cli/solution_file.h"
#include "platform/host/driver/solve_driver.h"
#include "platform/host/driver/solver_parameters.h"
#include "platform/host/model/host_model.h"
#include "platform/host/model/model_reader.h"

namespace corvane::host {
namespace {

const std::string kExamples = CORVANE_EXAMPLES_DIR;

LinearModel readExample(const std::string& name) {
    std::ostringstream ignored;
    return readModel(kExamples + "/" + name, &ignored);
}

class DriverTest : public testing::Test {
  protected:
    void SetUp() override {
        session.open(CORVANE_PLUGIN_PATH);
        session.startOptimizer();
        logDir = testing::TempDir() + "driver-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(logDir);
        std::filesystem::create_directories(logDir);
        setParameter(session.solver(), "LOGDIR", logDir);
    }
    PluginSession session;
    std::string logDir;
};

TEST_F(DriverTest, SolveIsTheDialogueOfRequestCodesOneNineSeven) {
    const LinearModel model = readExample("blend.mps");
    HostModel host(model);
    const SolveRun run = runSolve(session.solver(), host);
    EXPECT_EQ(run.requestCodes, (std::vector<int>{1, 9, 7}));
    if (run.solveDone != 1)
        GTEST_SKIP() << "the plug-in did not optimize (result code " << run.resultCode << ")";
    // The right-hand sides came from the residuals at zero, the matrix from the Jacobian.
    EXPECT_EQ(run.resultCode, 0);
    EXPECT_NEAR(host.values()[0], 2.5, 1e-9);
    EXPECT_NEAR(host.values()[1], 1.5, 1e-9);
    ASSERT_TRUE(run.hasObjective);
    EXPECT_NEAR(run.objective + model.objConstant, 11.0, 1e-9);
    // Multipliers are back at 1.0 and the duals are the model's.
    EXPECT_NEAR(host.rowDual(0), 2.5, 1e-9);
    EXPECT_NEAR(host.rowDual(1), -0.5, 1e-9);
}

TEST_F(DriverTest, ASecondSolveOnTheSameSolverStartsAFreshDialogue) {
    const LinearModel model = readExample("production.lp");
    HostModel host(model);
    const SolveRun first = runSolve(session.solver(), host);
    const SolveRun second = runSolve(session.solver(), host);
    EXPECT_EQ(first.requestCodes, (std::vector<int>{1, 9, 7}));
    EXPECT_EQ(second.requestCodes, (std::vector<int>{1, 9, 7}));
}

TEST_F(DriverTest, ParametersReachTheSolver) {
    RTMILSolver& solver = session.solver();
    setParameter(solver, "REPORT", "1");
    setParameter(solver, "ZTOLZE", "1e-7");
    EXPECT_EQ(solver.inqIntParam("REPORT"), 1);
    EXPECT_DOUBLE_EQ(solver.inqRealParam("ZTOLZE"), 1e-7);
    EXPECT_EQ(std::string(solver.inqStringParam("LOGDIR")), logDir);

    const LinearModel model = readExample("production.lp");
    HostModel host(model);
    const SolveRun run = runSolve(solver, host);
    if (run.solveDone != 1) GTEST_SKIP() << "the plug-in did not optimize";
    EXPECT_TRUE(std::filesystem::exists(logDir + "/xpress_0.mps"));
    EXPECT_TRUE(std::filesystem::exists(logDir + "/xpress.log"));
    EXPECT_EQ(solver.inqIntParam("REPORT"), 0);
}

TEST_F(DriverTest, BadSettingsAreRefusedWithTheNearestNames) {
    RTSolver& solver = session.solver();
    try {
        setParameter(solver, "WSTRAT", "1");
        FAIL() << "an unknown name was taken";
    } catch (const ParameterError& error) {
        EXPECT_NE(std::string(error.what()).find("closest: WSTART"), std::string::npos)
            << error.what();
    }
    EXPECT_THROW(setParameter(solver, "IALG", "two"), ParameterError);
    EXPECT_THROW(setParameter(solver, "IALG", "2.5"), ParameterError);
    EXPECT_THROW(setParameter(solver, "IALG", "99999999999"), ParameterError);
    EXPECT_THROW(setParameter(solver, "ZTOLZE", "small"), ParameterError);
    EXPECT_THROW(setParameter(solver, "ZTOLZE", "inf"), ParameterError);
    EXPECT_THROW(setParameter(solver, "LOGDIR", std::string(300, 'd')), ParameterError);
    EXPECT_EQ(std::string(solver.inqStringParam("LOGDIR")), logDir);
    EXPECT_THROW(splitSetting("IALG"), ParameterError);
    EXPECT_THROW(splitSetting("=1"), ParameterError);
    EXPECT_EQ(splitSetting("LOGDIR=a=b").second, "a=b");
}

TEST_F(DriverTest, CatalogueListsEveryParameterByIndex) {
    const std::vector<ParameterInfo> catalogue = listParameters(session.solver());
    ASSERT_EQ(catalogue.size(), 41u);
    EXPECT_EQ(catalogue.front().name, "IALG");
    EXPECT_EQ(catalogue.back().name, "LOGDIR");
    EXPECT_EQ(catalogue.back().type, RTSolver::STRING_PARAMETER);
    EXPECT_EQ(closestNames(catalogue, "ztolz", 1), (std::vector<std::string>{"ZTOLZE"}));
}

// The exit status rests on both values: a result code the solver never wrote is not a success,
// and "STATUS" 8 is an interrupt only when no stage wrote a result code.
TEST(SolveOutcome, ReadFromStatusAndResultCodeTogether) {
    const struct {
        int solveDone, status, resultCode;
        SolveOutcome outcome;
    } cases[] = {
        {1, 1, 0, SolveOutcome::Solved},
        {1, 8, kNoResultYet, SolveOutcome::Interrupted},
        {1, 8, -2, SolveOutcome::NoSolution},  // the load failed
        {1, 8, 1, SolveOutcome::NoSolution},   // the optimization failed
        {1, 7, 1, SolveOutcome::NoSolution},
        {1, 0, kNoResultYet, SolveOutcome::NoSolution},  // a MIP status left uninterpreted
        {0, 1, 0, SolveOutcome::NoSolution},
    };
    for (const auto& c : cases) {
        SolveRun run;
        run.solveDone = c.solveDone;
        run.hasStatus = c.status != 0;
        run.status = c.status;
        run.resultCode = c.resultCode;
        EXPECT_EQ(outcomeOf(run), c.outcome) << c.status << " " << c.resultCode;
    }
    EXPECT_EQ(SolveRun().resultCode, kNoResultYet);
}

// Run in a child process: the second Ctrl-C ends it.
TEST(InterruptControlDeathTest, FirstCtrlCAsksTheSolverToStopTheSecondEndsAtOnce) {
    EXPECT_EXIT(
        {
            InterruptControl control;
            InterruptControl::watch();
            std::raise(SIGINT);
            InterruptControl::stopWatching();
            InterruptControl::watch();  // the next solve forgets the Ctrl-C of the one before
            if (InterruptControl::requested() || !control.onIteration()) std::_Exit(1);
            std::raise(SIGINT);
            if (!InterruptControl::requested() || control.onIteration()) std::_Exit(2);
            std::raise(SIGINT);
            std::_Exit(0);
        },
        testing::ExitedWithCode(kInterruptedExitStatus), "interrupted: asking the solver to stop");
}

TEST(PluginSession, MissingPluginIsAHostError) {
    PluginSession session;
    EXPECT_THROW(session.open("/nonexistent/libcorvane.so"), HostError);
}

TEST(SolutionFile, WrittenWholeAndReadBackAsAStartPoint) {
    const LinearModel model = readExample("production.lp");
    HostModel host(model);
    host.values() = {20.0, 15.0};
    const std::string path = testing::TempDir() + "production.json";
    SolutionHeader header;
    header.status = 1;
    header.objective = 1250.0;
    header.solveDone = true;
    writeSolutionFile(path, host, header);

    const nlohmann::json written = nlohmann::json::parse(std::ifstream(path));
    EXPECT_EQ(written["status"], 1);
    EXPECT_EQ(written["objective"], 1250.0);
    EXPECT_EQ(written["columns"][1]["name"], "tables");
    EXPECT_EQ(written["rows"][0]["activity"], 100.0);
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));

    HostModel fresh(model);
    applyStartFile(path, fresh);
    EXPECT_EQ(fresh.values(), (std::vector<double>{20.0, 15.0}));

    EXPECT_THROW(writeSolutionFile(testing::TempDir() + "no/such/dir/x.json", host, header),
                 std::runtime_error);
}

TEST(SolutionFile, StartPointMatchesColumnsByName) {
    const LinearModel model = readExample("knapsack.lp");
    HostModel host(model);
    const std::string shuffled = testing::TempDir() + "shuffled.json";
    std::ofstream(shuffled)
        << R"({"columns": [{"name": "d", "value": 1}, {"name": "a", "value": 1}]})";
    applyStartFile(shuffled, host);
    EXPECT_EQ(host.values(), (std::vector<double>{1, 0, 0, 1, 0}));

    const std::string unknown = testing::TempDir() + "unknown.json";
    std::ofstream(unknown) << R"({"columns": [{"name": "zz", "value": 1}]})";
    EXPECT_THROW(applyStartFile(unknown, host), ModelError);
    const std::string notSolution = testing::TempDir() + "list.json";
    std::ofstream(notSolution) << "[1, 2]";
    EXPECT_THROW(applyStartFile(notSolution, host), ModelError);
}

}  // namespace
}  // namespace corvane::host
