// The commands of `corvane`. Each returns the program's exit status: 0 success, 1 a solve that
// returned no solution, 2 a usage, file, model or plug-in error (reported on standard error), 130 a
// solve stopped by Ctrl-C.
#ifndef CORVANE_PLATFORM_HOST_CLI_COMMANDS_H
#define CORVANE_PLATFORM_HOST_CLI_COMMANDS_H

#include <string>
#include <vector>

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
};

int runSolveCommand(const SolveCommand& command);
int runInfoCommand(const std::string& pluginPath);
int runParamsCommand(const std::string& pluginPath);

// The words for a "STATUS" value; 0 stands for a solver that set none.
const char* statusWords(int status);

// The exit status for what a solve came to.
int exitStatusOf(SolveOutcome outcome);

}  // namespace corvane::host

#endif
