// corvane: the command-line host. It loads the plug-in as the host framework does, adds the
// solver to its own solver library, and talks to it only through the host's interfaces.
#include <CLI/CLI.hpp>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "platform/host/cli/batch.h"
#include "platform/host/cli/commands.h"
#include "platform/host/plugin_loader.h"

namespace {

using corvane::host::BatchCommand;
using corvane::host::SolveCommand;

// A count of workers or threads: a whole number that an int holds, 1 or more.
const CLI::Validator kCount(
    [](std::string& text) -> std::string {
        char* end = nullptr;
        errno = 0;
        const long value = std::strtol(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || errno == ERANGE || value < 1 || value > INT_MAX)
            return "must be a whole number from 1 to " + std::to_string(INT_MAX) + ", not " + text;
        return "";
    },
    "N");

// Seconds: a finite number above 0 (NaN would pass a test for "above 0" the wrong way round).
const CLI::Validator kSeconds(
    [](std::string& text) -> std::string {
        char* end = nullptr;
        errno = 0;
        const double value = std::strtod(text.c_str(), &end);
        if (text.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(value) ||
            !(value > 0))
            return "must be a number of seconds above 0, not " + text;
        return "";
    },
    "SECONDS");

CLI::Option* addSettingsOption(CLI::App* app, std::vector<std::string>& settings) {
    return app->add_option("--set", settings, "set a solver parameter, NAME=VALUE (repeatable)")
        ->take_all()
        ->allow_extra_args(false);
}

void addSolveCommand(CLI::App& app, SolveCommand& command) {
    CLI::App* solve = app.add_subcommand("solve", "solve an MPS, free MPS or LP model (.gz too)");
    // Required, but checked after parsing, so that `corvane solve --version` still answers.
    solve->add_option("MODEL", command.modelPath, "the model file (required)");
    addSettingsOption(solve, command.settings);
    solve->add_option("--logdir", command.logDir, "directory of the run files")
        ->capture_default_str();
    solve->add_option("--start", command.startFile, "a solution file whose values start the solve");
    solve->add_option("--solution", command.solutionFile, "write the solution to this JSON file");
    solve->add_flag("--quiet", command.quiet, "no progress and no optimizer messages");
    solve->add_option("--time-limit", command.timeLimit, "stop the solve after SECONDS")
        ->check(kSeconds);
    solve->add_option("--threads", command.threads, "threads of the solve (IBARTHREAD)")
        ->check(kCount);
}

void addBatchCommand(CLI::App& app, BatchCommand& command) {
    CLI::App* batch = app.add_subcommand(
        "batch", "solve many models, on every core or across the ranks of an MPI job");
    batch->add_option("MODEL", command.inputs,
                      "model files, or directories searched for .mps, .lp and .qps (.gz, .bz2)");
    batch->add_option("--list", command.listFile, "a file with one model path a line");
    addSettingsOption(batch, command.settings);
    batch->add_option("--logdir", command.logDir, "directory of the run files")
        ->capture_default_str();
    batch->add_option("--solutions", command.solutionsDir,
                      "write each model's solution file (JSON) into this directory");
    batch->add_option("--summary", command.summaryFile,
                      "the summary CSV (default: batch-summary.csv in the log directory)");
    batch
        ->add_option("--jobs", command.jobs,
                     "local workers (default: the cores divided by the threads of a solve)")
        ->check(kCount);
    batch->add_option("--threads", command.threads, "threads of each solve (IBARTHREAD)")
        ->check(kCount)
        ->capture_default_str();
    batch->add_option("--time-limit", command.timeLimit, "stop each solve after SECONDS")
        ->check(kSeconds);
    batch->add_flag("--resume", command.resume,
                    "skip the models that the summary already has a final row for");
}

}  // namespace

int main(int argc, char** argv) {
    corvane::host::rememberProgramArguments(argv);
    CLI::App app("corvane: the command-line host of the solver plug-in");
    // A usage error is one line, as every other error of the program.
    app.failure_message([](const CLI::App*, const CLI::Error& error) {
        return "corvane: " + std::string(error.what()) + " (see --help)\n";
    });
    app.fallthrough();
    app.require_subcommand(0, 1);
    SolveCommand command;
    command.pluginPath = corvane::host::defaultPluginPath();
    app.add_option("--plugin", command.pluginPath, "the plug-in library")->capture_default_str();
    bool version = false;
    app.add_flag("--version", version, "the program's, the plug-in's and the optimizer's versions");
    addSolveCommand(app, command);
    BatchCommand batch;
    addBatchCommand(app, batch);
    app.add_subcommand("params", "every solver parameter with its type, index and default");
    app.add_subcommand("info", "the plug-in's identity, interfaces and versions");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int shown = app.exit(error);
        return shown == 0 ? 0 : corvane::host::kExitError;
    }

    if (version) return corvane::host::runVersionCommand(command.pluginPath);
    if (app.got_subcommand("solve")) {
        if (command.modelPath.empty()) {
            std::fprintf(stderr, "corvane: MODEL is required (see --help)\n");
            return corvane::host::kExitError;
        }
        return corvane::host::runSolveCommand(command);
    }
    if (app.got_subcommand("batch")) {
        batch.pluginPath = command.pluginPath;
        return corvane::host::runBatchCommand(batch);
    }
    if (app.got_subcommand("params")) return corvane::host::runParamsCommand(command.pluginPath);
    if (app.got_subcommand("info")) return corvane::host::runInfoCommand(command.pluginPath);
    // Without a command: identity and parameters, creating and removing the solver once.
    const int info = corvane::host::runInfoCommand(command.pluginPath);
    if (info != 0) return info;
    std::printf("\n");
    return corvane::host::runParamsCommand(command.pluginPath);
}
