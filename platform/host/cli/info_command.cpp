// `corvane info` and `corvane params`: what the plug-in says about itself and its parameters.
#include <dlfcn.h>

#include <cstdio>
#include <exception>

#include "platform/host/cli/commands.h"
#include "platform/host/driver/solve_driver.h"
#include "platform/host/driver/solver_parameters.h"

namespace corvane::host {

namespace {

// The optimizer library's version, read from the library that the plug-in's search finds.
std::string optimizerVersion() {
    void* library = dlopen("libxprs.so", RTLD_NOW | RTLD_LOCAL);
    if (!library) return "not found (libxprs.so)";
    using GetVersion = int (*)(char*);
    const auto getVersion = reinterpret_cast<GetVersion>(dlsym(library, "XPRSgetversion"));
    char version[256] = "";
    std::string text = getVersion && getVersion(version) == 0 ? version : "unknown";
    dlclose(library);
    return text;
}

void printInterfaces(const PluginEntryPoints& plugin) {
    std::printf("\nInterfaces:\n");
    const char* name = nullptr;
    int major = 0;
    int minor = 0;
    for (int index = 0; plugin.interface(index, &name, &major, &minor) == 0; ++index) {
        int byNameMajor = -1;
        int byNameMinor = -1;
        plugin.version(name, &byNameMajor, &byNameMinor);
        std::printf("  %-10s %d.%d  (version query: %d.%d)\n", name, major, minor, byNameMajor,
                    byNameMinor);
    }
}

int reportError(const std::exception& error) {
    std::fprintf(stderr, "corvane: %s\n", error.what());
    return kExitError;
}

}  // namespace

int runInfoCommand(const std::string& pluginPath) {
    PluginLoader loader;
    if (!loader.open(pluginPath)) {
        std::fprintf(stderr, "corvane: %s\n", loader.error().c_str());
        return kExitError;
    }
    std::printf("%s\n", loader.entryPoints().identity());
    printInterfaces(loader.entryPoints());
    std::printf("\nOptimizer library: %s\n", optimizerVersion().c_str());
    return kExitSolved;
}

int runVersionCommand(const std::string& pluginPath) {
    std::printf("corvane %s\n", CORVANE_VERSION);
    PluginLoader loader;
    if (!loader.open(pluginPath)) {
        std::fprintf(stderr, "corvane: %s\n", loader.error().c_str());
        return kExitError;
    }
    std::printf("%s\n", loader.entryPoints().identity());
    std::printf("Optimizer library: %s\n", optimizerVersion().c_str());
    return kExitSolved;
}

int runParamsCommand(const std::string& pluginPath) {
    try {
        PluginSession session;
        session.open(pluginPath);
        const RTSolver& solver = session.solver();
        std::printf("Parameters of %s (name, type, index, default):\n", solver.inqName());
        for (const ParameterInfo& parameter : listParameters(solver))
            std::printf("  %-17s %-8s %2d  %s\n", parameter.name.c_str(), typeName(parameter.type),
                        parameter.index, parameter.defaultText.c_str());
        return kExitSolved;
    } catch (const std::exception& error) {
        return reportError(error);
    }
}

}  // namespace corvane::host
