// corvane: the command-line host. It loads the plug-in as the host framework does, adds the
// solver to its own solver library, and talks to it only through the host's interfaces.
#include <cstdio>
#include <cstring>
#include <string>

#include "host/rt_solver.h"
#include "platform/host/plugin_loader.h"
#include "platform/host/solver_registry.h"

namespace {

using corvane::host::PluginEntryPoints;
using corvane::host::PluginLoader;
using corvane::host::SolverRegistry;

constexpr int kExitUsage = 2;

void printIdentity(const PluginEntryPoints& plugin) {
    std::printf("%s\n\nInterfaces:\n", plugin.identity());
    const char* name = nullptr;
    int major = 0;
    int minor = 0;
    for (int index = 0; plugin.interface(index, &name, &major, &minor) == 0; ++index)
        std::printf("  %-10s %d.%d\n", name, major, minor);
}

void printParameters(const RTSolver& solver) {
    char name[32];
    std::printf("\nParameters of %s (type, index, default):\n", solver.inqName());
    for (int index = 1; index <= solver.inqNumIntParam(); ++index) {
        int value = 0;
        solver.inqIntParam(index, name, value);
        std::printf("  %-17s integer %2d  %d\n", name, index, value);
    }
    for (int index = 1; index <= solver.inqNumRealParam(); ++index) {
        double value = 0.0;
        solver.inqRealParam(index, name, value);
        std::printf("  %-17s real    %2d  %g\n", name, index, value);
    }
    for (int index = 1; index <= solver.inqNumStringParam(); ++index) {
        char value[256];
        solver.inqStringParam(index, name, value);
        std::printf("  %-17s string  %2d  \"%s\"\n", name, index, value);
    }
}

int usage() {
    std::fprintf(stderr,
                 "usage: corvane [info|params] [--plugin PATH]\n"
                 "  info    the plug-in's identity and interface versions\n"
                 "  params  every solver parameter with its type, index and default\n"
                 "  (none)  both, creating and removing the solver\n");
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    std::string command;
    std::string pluginPath = corvane::host::defaultPluginPath();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--plugin") == 0 && i + 1 < argc) {
            pluginPath = argv[++i];
        } else if (command.empty() &&
                   (std::strcmp(argv[i], "info") == 0 || std::strcmp(argv[i], "params") == 0)) {
            command = argv[i];
        } else {
            return usage();
        }
    }

    PluginLoader loader;
    if (!loader.open(pluginPath)) {
        std::fprintf(stderr, "corvane: %s\n", loader.error().c_str());
        return kExitUsage;
    }
    const PluginEntryPoints& plugin = loader.entryPoints();
    if (command != "params") printIdentity(plugin);
    if (command == "info") return 0;

    SolverRegistry library;
    if (plugin.init(stderr, nullptr, nullptr, nullptr, nullptr, &library) != 0) return 1;
    RTSolver* solver = library.findSolver("XPRESS");
    printParameters(*solver);
    plugin.unload(stderr, nullptr, nullptr, nullptr, nullptr, &library);
    if (command.empty()) std::printf("\nSolver created and removed.\n");
    return 0;
}
