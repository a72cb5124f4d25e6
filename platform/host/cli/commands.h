// The commands of `corvane`. Each returns the program's exit status: 0 success, 1 a solve that
// returned no solution, 2 a usage, file, model or plug-in error (reported on standard error), 130 a
// solve stopped by Ctrl-C.
#ifndef CORVANE_PLATFORM_HOST_CLI_COMMANDS_H
#define CORVANE_PLATFORM_HOST_CLI_COMMANDS_H

#include <functional>
#include <string>
#include <vector>

#include "platform/host/cli/solution_file.h"
#include "platform/host/driver/solve_driver.h"

namespace corvane::host {

constexpr int kExitSolved = 0;
constexpr int kExitNoSolution = 1;
constexpr int kExitError = 2;
constexpr int kExitInterrupted = kInterruptedExitStatus;

struct SolveCommand {
    std::string pluginPath;
    std::string modelPath;
    std::vector<std::string> settings;  // NAME=VALUE, applied in order
    std::string logDir = "corvane-run";
    std::string startFile;
    std::string solutionFile;
    bool quiet = false;
    double timeLimit = 0.0;  // processor seconds of solving; 0 for none
    int threads = 0;         // IBARTHREAD; 0 leaves the solver's default
};

// After how many processor seconds the client stop ends a solve with a time limit. A MIP search
// gets the optimizer's own limit, which counts from the start of the search; the client stop,
// which would cost the search its incumbent, comes only when the search did not hear its limit.
inline double clientStopSeconds(double timeLimit, bool mip) {
    return mip ? 2.0 * timeLimit + 2.0 : timeLimit;
}

// What one solve of a model file came to.
struct ModelReport {
    std::string name;  // the model's own name
    std::string description;
    std::string kind;  // "LP", "MIP" or "QP"
    long rows = 0, columns = 0, nonzeros = 0;
    double objConstant = 0.0;
    SolveRun run;
    SolutionHeader header;
    bool timeLimitReached = false;
    double readSeconds = 0.0, solveSeconds = 0.0, writeSeconds = 0.0;
};

struct SolveHooks {
    // Called once the model is read, before the plug-in is loaded.
    std::function<void(const ModelReport&)> afterRead;
};

// Reads the model, solves it through the plug-in and writes the solution file, as `corvane solve`
// does. Throws ModelFileError and ModelError for the model, std::exception for the rest.
ModelReport solveModelFile(const SolveCommand& command, const SolveHooks& hooks = {});

int runSolveCommand(const SolveCommand& command);
int runInfoCommand(const std::string& pluginPath);
int runParamsCommand(const std::string& pluginPath);
int runVersionCommand(const std::string& pluginPath);

// The words for a "STATUS" value; 0 stands for a solver that set none.
const char* statusWords(int status);

// The exit status for what a solve came to.
int exitStatusOf(SolveOutcome outcome);

}  // namespace corvane::host

#endif
