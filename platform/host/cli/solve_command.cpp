// `corvane solve`: read a model, hand it to the plug-in's solver, report and write the answer.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <filesystem>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "host/host_codes.h"
#include "platform/host/cli/commands.h"
#include "platform/host/cli/solution_file.h"
#include "platform/host/driver/solve_driver.h"
#include "platform/host/driver/solver_parameters.h"
#include "platform/host/model/host_model.h"
#include "platform/host/model/model_reader.h"

namespace corvane::host {

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Reporting that can be silenced: progress and the solver's messages.
struct Progress {
    bool quiet;
    void say(const std::string& text) const {
        if (!quiet) std::fprintf(stderr, "corvane: %s\n", text.c_str());
    }
};

// Quadratic terms that are all zero leave the objective linear, and the solver loads it so.
bool hasQuadraticTerms(const LinearModel& model) {
    return std::any_of(model.quadDiagonal.begin(), model.quadDiagonal.end(),
                       [](double q) { return q != 0.0; });
}

std::string modelKind(const LinearModel& model) {
    if (hasQuadraticTerms(model)) return "QP";
    return model.hasIntegers() || model.numSets() > 0 ? "MIP" : "LP";
}

std::string describeModel(const LinearModel& model) {
    std::ostringstream text;
    text << model.numRows() << " rows, " << model.numCols() << " columns, " << model.numNonzeros()
         << " nonzeros";
    int integers = 0;
    for (ColumnKind kind : model.kind) integers += kind != ColumnKind::Continuous;
    if (integers > 0) text << ", " << integers << " integer or semi-continuous";
    if (model.numSets() > 0) text << ", " << model.numSets() << " sets";
    text << " (" << modelKind(model) << ")";
    return text.str();
}

// The solver loads a quadratic objective without the model's integer, semi-continuous and set
// restrictions: how many it drops.
int restrictionsDroppedWithQuadratic(const LinearModel& model) {
    if (!hasQuadraticTerms(model)) return 0;
    int dropped = model.numSets();
    for (int j = 0; j < model.numCols(); ++j)
        dropped += model.kind[j] != ColumnKind::Continuous && model.colUpper[j] > model.colLower[j];
    return dropped;
}

// A solution file that cannot be written is found out before a long solve rather than after it,
// when the answer would be lost.
void checkSolutionPath(const std::string& path) {
    if (path.empty()) return;
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::is_directory(path, error))
        throw std::runtime_error("cannot write the solution file " + path + ": it is a directory");
    const fs::path parent = fs::path(path).parent_path();
    if (!parent.empty() && !fs::is_directory(parent, error))
        throw std::runtime_error("cannot write the solution file " + path +
                                 ": there is no directory " + parent.string());
    if (::access(parent.empty() ? "." : parent.c_str(), W_OK) != 0)
        throw std::runtime_error("cannot write the solution file " + path +
                                 ": its directory is not writable");
}

// The optimizer takes convex quadratic objectives only: on one that curves the wrong way in some
// column it stops at a local optimum and calls it optimal.
void refuseNonConvexObjective(const LinearModel& model) {
    const bool maximise = model.sense == ObjectiveSense::Maximize;
    for (size_t j = 0; j < model.quadDiagonal.size(); ++j) {
        const double q = model.quadDiagonal[j];
        if ((maximise ? q > 0 : q < 0) && model.colUpper[j] > model.colLower[j]) {
            std::ostringstream text;
            text << "the quadratic objective is not convex: column " << model.colNames[j] << " has "
                 << q << " on its diagonal in a " << (maximise ? "maximisation" : "minimisation")
                 << "; the solver takes convex quadratic objectives only";
            throw ModelError(text.str());
        }
    }
}

LinearModel readModelFile(const SolveCommand& command, const Progress& progress) {
    progress.say("reading " + command.modelPath);
    std::ostringstream diagnostics;
    try {
        LinearModel model = readModel(command.modelPath, &diagnostics);
        if (!progress.quiet && !diagnostics.str().empty())
            std::fputs(diagnostics.str().c_str(), stderr);
        return model;
    } catch (const ModelError&) {
        std::fputs(diagnostics.str().c_str(), stderr);
        throw;
    }
}

void applySettings(RTSolver& solver, const SolveCommand& command) {
    if (command.logDir.empty()) throw ParameterError("--logdir needs a directory name");
    setParameter(solver, "LOGDIR", command.logDir);
    if (command.threads > 0) setParameter(solver, "IBARTHREAD", std::to_string(command.threads));
    for (const std::string& setting : command.settings) {
        const auto [name, value] = splitSetting(setting);
        setParameter(solver, name, value);
    }
}

void prepareLogDirectory(RTSolver& solver) {
    const std::string logDir = solver.inqStringParam("LOGDIR");
    if (logDir.empty()) throw ParameterError("LOGDIR must name a directory");
    std::error_code error;
    std::filesystem::create_directories(logDir, error);
    if (error || !std::filesystem::is_directory(logDir))
        throw ParameterError("cannot create the log directory " + logDir);
}

// A warm start reads the basis of the previous solve; before there is one, the solver would
// report the failed read as an error, so this solve runs cold.
void dropWarmStartWithoutBasis(RTSolver& solver) {
    if (solver.inqIntParam("WSTART") != 1) return;
    const std::string basis =
        basisFilePath(solver.inqStringParam("LOGDIR"), solver.inqIntParam("RANKID"));
    if (std::filesystem::exists(basis)) return;
    solver.setIntParam("WSTART", 0);
    std::fprintf(stderr, "corvane: no basis file %s yet: this solve runs with WSTART 0\n",
                 basis.c_str());
}

// An objective only where the solver reported one, or reported a solution whose values give it
// (a MIP search that found an integer solution without proving it optimal).
SolutionHeader headerOf(const SolveRun& run, const HostModel& host) {
    SolutionHeader header;
    header.status = run.hasStatus ? run.status : 0;
    header.resultCode = run.resultCode;
    header.iterations = run.hasIterations ? run.iterations : 0;
    header.solveDone = run.solveDone == 1;
    const SolveOutcome outcome = outcomeOf(run);
    header.interrupted = outcome == SolveOutcome::Interrupted;
    if (outcome == SolveOutcome::Interrupted) return header;
    if (run.hasObjective) {
        header.objective = run.objective + host.model().objConstant;
    } else if (outcome == SolveOutcome::Solved) {
        header.objective = host.objectiveAt();
    }
    return header;
}

std::string resultCodeText(int resultCode) {
    if (resultCode == kNoResultYet) return "no result code";
    return "result code " + std::to_string(resultCode);
}

void printSummary(const ModelReport& report) {
    const SolveRun& run = report.run;
    const SolutionHeader& header = report.header;
    const char* words = report.timeLimitReached ? "time limit"
                        : header.interrupted    ? "interrupted"
                                                : statusWords(header.status);
    std::printf("Model       %s: %s\n", report.name.empty() ? "(unnamed)" : report.name.c_str(),
                report.description.c_str());
    std::printf("Status      %s (STATUS %d, %s)\n", words, header.status,
                resultCodeText(header.resultCode).c_str());
    if (header.objective)
        std::printf("Objective   %.10g (constant %.10g)\n", *header.objective, report.objConstant);
    else
        std::printf("Objective   none\n");
    std::printf("Iterations  %d\n", header.iterations);
    std::printf("Time        read %.3f s, iterate %.3f + %.3f + %.3f s, write %.3f s\n",
                report.readSeconds, run.iterateSeconds[0], run.iterateSeconds[1],
                run.iterateSeconds[2], report.writeSeconds);
}

// The solve stops through the client stop at the deadline. A MIP search is also given the
// optimizer's own limit, which ends it with its incumbent.
double applyTimeLimit(RTSolver& solver, const SolveCommand& command, const LinearModel& model) {
    if (command.timeLimit <= 0) return 0.0;
    if (modelKind(model) != "MIP") return clientStopSeconds(command.timeLimit, false);
    if (solver.inqIntParam("MAXBBMIPTIME") == 0)
        solver.setIntParam(
            "MAXBBMIPTIME",
            static_cast<int>(std::clamp(command.timeLimit, 1.0, static_cast<double>(INT_MAX))));
    return clientStopSeconds(command.timeLimit, true);
}

// The test-only faults: a solve of the named model file crashes, or hangs, inside the optimizer.
InterruptControl::Fault testFaultFor(const std::string& modelPath) {
    const std::string file = std::filesystem::path(modelPath).filename().string();
    const auto named = [&file](const char* variable) {
        const char* value = std::getenv(variable);
        return value && *value && file == value;
    };
    if (named("CORVANE_TEST_CRASH_MODEL")) return InterruptControl::Fault::Crash;
    if (named("CORVANE_TEST_HANG_MODEL")) return InterruptControl::Fault::Hang;
    return InterruptControl::Fault::None;
}

// A search that ended with an unproven incumbent once its time limit had passed ended on it.
bool reachedTimeLimit(const SolveRun& run, const RTSolver& solver, const SolveCommand& command,
                      double solveCpuSeconds) {
    if (command.timeLimit <= 0) return false;
    const SolveOutcome outcome = outcomeOf(run);
    if (outcome == SolveOutcome::Interrupted)
        return InterruptControl::deadlineReached() && !InterruptControl::requested();
    const int searchLimit = solver.inqIntParam("MAXBBMIPTIME");
    return outcome == SolveOutcome::Solved && !run.hasObjective && searchLimit > 0 &&
           solveCpuSeconds >= searchLimit;
}

}  // namespace

ModelReport solveModelFile(const SolveCommand& command, const SolveHooks& hooks) {
    const Progress progress{command.quiet};
    checkSolutionPath(command.solutionFile);
    const auto readStart = Clock::now();
    const LinearModel model = readModelFile(command, progress);
    refuseNonConvexObjective(model);
    HostModel host(model);
    if (!command.startFile.empty()) applyStartFile(command.startFile, host);
    ModelReport report;
    report.name = model.name;
    report.description = describeModel(model);
    report.kind = modelKind(model);
    report.rows = model.numRows();
    report.columns = model.numCols();
    report.nonzeros = model.numNonzeros();
    report.objConstant = model.objConstant;
    report.readSeconds = secondsSince(readStart);
    progress.say("read " + report.description);
    if (hooks.afterRead) hooks.afterRead(report);
    const int dropped = restrictionsDroppedWithQuadratic(model);
    if (dropped > 0)
        std::fprintf(stderr,
                     "corvane: warning: the quadratic objective makes the solver drop %d integer, "
                     "semi-continuous or set restrictions: the answer is that of the continuous "
                     "problem\n",
                     dropped);

    PluginSession session;
    session.open(command.pluginPath);
    session.startOptimizer();
    RTMILSolver& solver = session.solver();
    applySettings(solver, command);
    prepareLogDirectory(solver);
    dropWarmStartWithoutBasis(solver);
    const double stopSeconds = applyTimeLimit(solver, command, model);

    InterruptControl interrupt;
    StderrMessages messages(command.quiet);
    session.members().registerControlCallBack(&interrupt);
    session.members().registerMessageCallBack(&messages);
    progress.say("solving");
    InterruptControl::watch(stopSeconds, testFaultFor(command.modelPath));
    const auto solveStart = Clock::now();
    const std::clock_t solveCpuStart = std::clock();
    SolveRun run;
    try {
        run = runSolve(solver, host);
    } catch (...) {
        InterruptControl::stopWatching();
        throw;
    }
    InterruptControl::stopWatching();
    report.solveSeconds = secondsSince(solveStart);
    const double solveCpuSeconds =
        static_cast<double>(std::clock() - solveCpuStart) / CLOCKS_PER_SEC;
    report.timeLimitReached = reachedTimeLimit(run, solver, command, solveCpuSeconds);

    SolutionHeader header = headerOf(run, host);
    header.droppedRestrictions = dropped;
    header.timeLimit = report.timeLimitReached;
    if (report.timeLimitReached && header.interrupted) {
        header.interrupted = false;
        progress.say(
            "time limit: the solver was stopped; the solution file holds the values it "
            "returned");
    } else if (header.interrupted) {
        progress.say("interrupted: the solution file holds the values the solver returned");
    } else if (InterruptControl::requested()) {
        progress.say("the solve ended before the solver saw the interrupt");
    }
    const auto writeStart = Clock::now();
    if (!command.solutionFile.empty()) writeSolutionFile(command.solutionFile, host, header);
    report.writeSeconds = secondsSince(writeStart);
    report.run = run;
    report.header = header;
    return report;
}

namespace {

int solve(const SolveCommand& command) {
    const ModelReport report = solveModelFile(command);
    printSummary(report);
    if (report.timeLimitReached) return report.header.objective ? kExitSolved : kExitNoSolution;
    return exitStatusOf(outcomeOf(report.run));
}

}  // namespace

int exitStatusOf(SolveOutcome outcome) {
    switch (outcome) {
        case SolveOutcome::Solved:
            return kExitSolved;
        case SolveOutcome::Interrupted:
            return kExitInterrupted;
        case SolveOutcome::NoSolution:
            break;
    }
    return kExitNoSolution;
}

const char* statusWords(int status) {
    switch (status) {
        case status::kSolved:
            return "solved";
        case status::kUnfinished:
            return "unfinished";
        case status::kUnbounded:
            return "unbounded";
        case status::kCutOff:
            return "cut off, or the relaxation not solved to optimality";
        case status::kNotRetrievable:
            return "no solution retrieved";
        case status::kInfeasible:
            return "infeasible, or no integer solution";
        case status::kFailed:
            return "failed (load, optimization or interrupt)";
        default:
            return "not solved: the solver reported no status";
    }
}

int runSolveCommand(const SolveCommand& command) {
    try {
        return solve(command);
    } catch (const ModelFileError& error) {
        // The file's fault stands alone on its line, as compilers report theirs.
        std::fprintf(stderr, "%s\n", error.what());
        return kExitError;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvane: %s\n", error.what());
        return kExitError;
    }
}

}  // namespace corvane::host
