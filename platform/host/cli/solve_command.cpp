// `corvane solve`: read a model, hand it to the plug-in's solver, report and write the answer.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <sstream>

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

std::string modelKind(const LinearModel& model) {
    if (model.isQuadratic()) return "QP";
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
    const bool quadratic = std::any_of(model.quadDiagonal.begin(), model.quadDiagonal.end(),
                                       [](double q) { return q != 0.0; });
    if (!quadratic) return 0;
    int dropped = model.numSets();
    for (int j = 0; j < model.numCols(); ++j)
        dropped += model.kind[j] != ColumnKind::Continuous && model.colUpper[j] > model.colLower[j];
    return dropped;
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

void printSummary(const LinearModel& model, const SolveRun& run, const SolutionHeader& header,
                  double readSeconds, double writeSeconds) {
    std::printf("Model       %s: %s\n", model.name.empty() ? "(unnamed)" : model.name.c_str(),
                describeModel(model).c_str());
    std::printf("Status      %s (STATUS %d, %s)\n",
                header.interrupted ? "interrupted" : statusWords(header.status), header.status,
                resultCodeText(header.resultCode).c_str());
    if (header.objective)
        std::printf("Objective   %.10g (constant %.10g)\n", *header.objective, model.objConstant);
    else
        std::printf("Objective   none\n");
    std::printf("Iterations  %d\n", header.iterations);
    std::printf("Time        read %.3f s, iterate %.3f + %.3f + %.3f s, write %.3f s\n",
                readSeconds, run.iterateSeconds[0], run.iterateSeconds[1], run.iterateSeconds[2],
                writeSeconds);
}

int solve(const SolveCommand& command) {
    const Progress progress{command.quiet};
    const auto readStart = Clock::now();
    const LinearModel model = readModelFile(command, progress);
    HostModel host(model);
    if (!command.startFile.empty()) applyStartFile(command.startFile, host);
    const double readSeconds = secondsSince(readStart);
    progress.say("read " + describeModel(model));
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

    InterruptControl interrupt;
    StderrMessages messages(command.quiet);
    session.members().registerControlCallBack(&interrupt);
    session.members().registerMessageCallBack(&messages);
    progress.say("solving");
    InterruptControl::watch();
    SolveRun run;
    try {
        run = runSolve(solver, host);
    } catch (...) {
        InterruptControl::stopWatching();
        throw;
    }
    InterruptControl::stopWatching();

    SolutionHeader header = headerOf(run, host);
    header.droppedRestrictions = dropped;
    if (header.interrupted)
        progress.say("interrupted: the solution file holds the values the solver returned");
    else if (InterruptControl::requested())
        progress.say("the solve ended before the solver saw the interrupt");
    const auto writeStart = Clock::now();
    if (!command.solutionFile.empty()) writeSolutionFile(command.solutionFile, host, header);
    printSummary(model, run, header, readSeconds, secondsSince(writeStart));
    return exitStatusOf(outcomeOf(run));
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
        case 1:
            return "solved";
        case 2:
            return "unfinished";
        case 3:
            return "unbounded";
        case 4:
            return "cut off, or the relaxation not solved to optimality";
        case 6:
            return "no solution retrieved";
        case 7:
            return "infeasible, or no integer solution";
        case 8:
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
