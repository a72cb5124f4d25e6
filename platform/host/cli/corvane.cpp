// corvane: the command-line host. It loads the plug-in as the host framework does, adds the
// solver to its own solver library, and talks to it only through the host's interfaces.
#include <CLI/CLI.hpp>

#include "platform/host/cli/commands.h"
#include "platform/host/plugin_loader.h"

namespace {

using corvane::host::SolveCommand;

void addSolveCommand(CLI::App& app, SolveCommand& command) {
    CLI::App* solve = app.add_subcommand("solve", "solve an MPS, free MPS or LP model (.gz too)");
    solve->add_option("MODEL", command.modelPath, "the model file")->required();
    solve->add_option("--set", command.settings, "set a solver parameter, NAME=VALUE (repeatable)")
        ->take_all()
        ->allow_extra_args(false);
    solve->add_option("--logdir", command.logDir, "directory of the run files")
        ->capture_default_str();
    solve->add_option("--start", command.startFile, "a solution file whose values start the solve");
    solve->add_option("--solution", command.solutionFile, "write the solution to this JSON file");
    solve->add_flag("--quiet", command.quiet, "no progress and no optimizer messages");
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app("corvane: the command-line host of the solver plug-in");
    app.fallthrough();
    app.require_subcommand(0, 1);
    SolveCommand command;
    command.pluginPath = corvane::host::defaultPluginPath();
    app.add_option("--plugin", command.pluginPath, "the plug-in library")->capture_default_str();
    addSolveCommand(app, command);
    app.add_subcommand("params", "every solver parameter with its type, index and default");
    app.add_subcommand("info", "the plug-in's identity, interfaces and versions");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int shown = app.exit(error);
        return shown == 0 ? 0 : corvane::host::kExitError;
    }

    if (app.got_subcommand("solve")) return corvane::host::runSolveCommand(command);
    if (app.got_subcommand("params")) return corvane::host::runParamsCommand(command.pluginPath);
    if (app.got_subcommand("info")) return corvane::host::runInfoCommand(command.pluginPath);
    // Without a command: identity and parameters, creating and removing the solver once.
    const int info = corvane::host::runInfoCommand(command.pluginPath);
    if (info != 0) return info;
    std::printf("\n");
    return corvane::host::runParamsCommand(command.pluginPath);
}
