// Every kind of model a user brings, in every way a solve can be run or ended, through the
// plug-in and the real optimizer library as `corvane solve` drives them: each cell ends with the
// status and result code that tell the truth, the hand-solved objective, and a run log that holds
// every line the optimizer sent.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/host/driver/solve_driver.h"
#include "platform/host/driver/solver_parameters.h"
#include "platform/host/model/host_model.h"
#include "platform/host/model/model_reader.h"
#include "tests/support/file_text.h"

namespace corvane::host {
namespace {

namespace fs = std::filesystem;

const std::string kExamples = CORVANE_EXAMPLES_DIR;

// Stops the optimizer at the `stopAt`-th log point (0: never) and counts the points.
class Stopper : public ControlCallBack {
  public:
    void* deletingDestructor(unsigned int flags) override { return destroyObject(this, flags); }
    bool onIteration() override { return ++asked != stopAt; }
    int asked = 0;
    int stopAt = 0;
};

// Every optimizer message, split into its lines.
class Messages : public MessageCallBack {
  public:
    void* deletingDestructor(unsigned int flags) override { return destroyObject(this, flags); }
    void onMessage(const char* text, int length, int, bool) override {
        std::istringstream in(std::string(text, static_cast<size_t>(length)));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
    }
    std::vector<std::string> lines;
};

enum class Mode { Defaults, RelaxMip, FixMip, WarmStart, StopFirst, StopLate };

const char* nameOf(Mode mode) {
    switch (mode) {
        case Mode::Defaults:
            return "defaults";
        case Mode::RelaxMip:
            return "RELMIP 1";
        case Mode::FixMip:
            return "FIXMIP 1";
        case Mode::WarmStart:
            return "WSTART 1 from a saved basis";
        case Mode::StopFirst:
            return "stop at the first log point";
        case Mode::StopLate:
            return "stop at the last log point";
    }
    return "";
}

// Hand-solved objectives, with the model's constant. The integer and set restrictions are
// relaxed by RELMIP; FIXMIP fixes integer columns and zero set members and semi-continuous
// columns at their start values, which are all 0.
struct ModelRow {
    const char* name;
    std::string file;
    double optimum, relaxed, fixed;
};

std::string writeModel(const std::string& dir, const std::string& name, const std::string& text) {
    const std::string path = dir + "/" + name;
    std::ofstream(path) << text;
    return path;
}

std::vector<ModelRow> modelRows(const std::string& dir) {
    // min -4x - 6y + x^2 + y^2, x + y <= 4, y integer: the continuous optimum x = 1.5, y = 2.5
    // gives -12.5; with y fixed at 0, x = 2 gives -4.
    const std::string qpInteger =
        writeModel(dir, "qp-integer.lp",
                   "Minimize\n obj: - 4 x - 6 y + [ 2 x^2 + 2 y ^ 2 ] / 2\n"
                   "Subject To\n total: x + y <= 4\nBounds\n"
                   " 0 <= y <= 10\nGeneral\n y\nEnd\n");
    return {
        // 30 chairs + 50 tables - 100 at chairs = 20, tables = 15.
        {"LP", kExamples + "/production.lp", 1250.0, 1250.0, 1250.0},
        // Items a, c, d; the relaxation adds 2/3 of b; fixed at 0 nothing is packed.
        {"MIP", kExamples + "/knapsack.lp", 25.0, 25.0 + 2.0 / 3.0, 0.0},
        {"QP", kExamples + "/separable_qp.lp", -9.5, -9.5, -9.5},
        // The solver drops the integer restriction of a quadratic model.
        {"QP with integers", qpInteger, -12.5, -12.5, -4.0},
        // x3 alone; without the set x2 and x3; with every member fixed at 0, nothing.
        {"sets", kExamples + "/sos1.mps", -3.0, -5.0, 0.0},
        // X = 2; relaxed X = 1.5; X fixed at 0 leaves Y = 1.5 at cost 4.
        {"semi-continuous", kExamples + "/semicontinuous.mps", 2.0, 1.5, 6.0},
    };
}

struct CellRun {
    SolveRun run;
    std::vector<double> values;
    std::vector<std::string> optimizerLines;
    std::string log;
    int logPoints = 0;
};

using corvane::test::slurp;

// One solve on a fresh host model; the session's solver keeps its log directory and basis.
CellRun solveOnce(PluginSession& session, const LinearModel& model, const std::string& logDir,
                  int stopAt) {
    Stopper stopper;
    stopper.stopAt = stopAt;
    Messages messages;
    session.members().registerControlCallBack(&stopper);
    session.members().registerMessageCallBack(&messages);
    HostModel host(model);
    CellRun cell;
    cell.run = runSolve(session.solver(), host);
    cell.values = host.values();
    cell.optimizerLines = messages.lines;
    cell.log = slurp(logDir + "/xpress.log");
    cell.logPoints = stopper.asked;
    // The module keeps its registrations; these objects end here.
    static Stopper idle;
    static Messages ignored;
    session.members().registerControlCallBack(&idle);
    session.members().registerMessageCallBack(&ignored);
    return cell;
}

// The optimizer's lines, each whole and in the order sent, among the plug-in's.
void expectEveryOptimizerLine(const CellRun& cell) {
    std::vector<std::string> logLines;
    std::istringstream in(cell.log);
    for (std::string line; std::getline(in, line);) logLines.push_back(line);
    size_t next = 0;
    for (const std::string& line : cell.optimizerLines) {
        while (next < logLines.size() && logLines[next] != line) ++next;
        ASSERT_LT(next, logLines.size()) << "missing from the run log: \"" << line << "\"\n"
                                         << cell.log;
        ++next;
    }
}

void expectSolved(const CellRun& cell, const LinearModel& model, double objective) {
    EXPECT_EQ(outcomeOf(cell.run), SolveOutcome::Solved);
    EXPECT_EQ(cell.run.status, 1);
    EXPECT_EQ(cell.run.resultCode, 0);
    ASSERT_TRUE(cell.run.hasObjective);
    EXPECT_NEAR(cell.run.objective + model.objConstant, objective, 1e-6);
}

void expectInterrupted(const CellRun& cell, const LinearModel& model) {
    EXPECT_EQ(outcomeOf(cell.run), SolveOutcome::Interrupted);
    EXPECT_EQ(cell.run.status, 8);
    EXPECT_EQ(cell.run.resultCode, kNoResultYet);
    EXPECT_EQ(cell.run.solveDone, 1);
    EXPECT_FALSE(cell.run.hasObjective);
    std::vector<double> start = model.start;
    start.resize(model.numCols(), 0.0);
    EXPECT_EQ(cell.values, start);  // the start values come back
}

TEST(SolveMatrix, EveryModelKindInEveryWayOfRunning) {
    const std::string root = testing::TempDir() + "solve-matrix-" + std::to_string(::getpid());
    fs::remove_all(root);
    fs::create_directories(root);
    const Mode modes[] = {Mode::Defaults,  Mode::RelaxMip,  Mode::FixMip,
                          Mode::WarmStart, Mode::StopFirst, Mode::StopLate};
    int cellNumber = 0;
    for (const ModelRow& row : modelRows(root)) {
        std::ostringstream ignored;
        const LinearModel model = readModel(row.file, &ignored);
        for (const Mode mode : modes) {
            SCOPED_TRACE(std::string(row.name) + " x " + nameOf(mode));
            const std::string logDir = root + "/cell-" + std::to_string(++cellNumber);
            fs::create_directories(logDir);
            PluginSession session;
            session.open(CORVANE_PLUGIN_PATH);
            session.startOptimizer();
            RTMILSolver& solver = session.solver();
            setParameter(solver, "LOGDIR", logDir);
            setParameter(solver, "ITRLOG", "1");  // a log point at every simplex iteration
            if (mode == Mode::RelaxMip) setParameter(solver, "RELMIP", "1");
            if (mode == Mode::FixMip) setParameter(solver, "FIXMIP", "1");

            int stopAt = 0;
            if (mode == Mode::WarmStart || mode == Mode::StopLate) {
                // The first solve leaves the basis, and counts the log points of the solve.
                const CellRun first = solveOnce(session, model, logDir, 0);
                expectSolved(first, model, row.optimum);
                ASSERT_TRUE(fs::exists(logDir + "/xpress.bss"));
                ASSERT_GT(first.logPoints, 0);
                if (mode == Mode::WarmStart) setParameter(solver, "WSTART", "1");
                if (mode == Mode::StopLate) stopAt = first.logPoints;
            }
            if (mode == Mode::StopFirst) stopAt = 1;
            const CellRun cell = solveOnce(session, model, logDir, stopAt);

            EXPECT_EQ(cell.run.requestCodes, (std::vector<int>{1, 9, 7}));
            if (stopAt > 0) {
                expectInterrupted(cell, model);
            } else {
                const double expected = mode == Mode::RelaxMip ? row.relaxed
                                        : mode == Mode::FixMip ? row.fixed
                                                               : row.optimum;
                expectSolved(cell, model, expected);
                // Every kind leaves a vertex basis that the warm start reads back.
                EXPECT_EQ(cell.log.find(" *** Error"), std::string::npos) << cell.log;
            }
            expectEveryOptimizerLine(cell);
        }
    }
    fs::remove_all(root);
}

}  // namespace
}  // namespace corvane::host
