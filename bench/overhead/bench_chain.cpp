// The plug-in's path of the overhead benchmark: the plug-in driven by the command-line host's own
// solve loop, in process. It solves the model once untimed and then once timed, each time through
// a solver of its own with its own run-file directory.
//
// Run with the timing stand-in for the optimizer library first on the library path (see
// bench/overhead/run), it also reports the seconds spent inside the optimizer's calls of the
// timed solve; otherwise that field is "nan".
//
// usage: bench_chain MODEL PLUGIN
// Prints one line: "iterate-seconds objective iterate1 iterate2 iterate3 optimizer-seconds".
#include <dlfcn.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/host/driver/solve_driver.h"
#include "platform/host/driver/solver_parameters.h"
#include "platform/host/model/host_model.h"
#include "platform/host/model/model_reader.h"
#include "scratch_directory.h"

namespace {

using namespace corvane::host;

SolveRun solveThroughPlugin(const LinearModel& model, const std::string& plugin,
                            const std::string& logDir) {
    HostModel host(model);
    PluginSession session;
    session.open(plugin);
    session.startOptimizer();
    RTMILSolver& solver = session.solver();
    setParameter(solver, "LOGDIR", logDir);
    for (const char* name : {"OPTCR", "OPTCA", "PERCUT"}) setParameter(solver, name, "0");
    return runSolve(solver, host);
}

// The timing stand-in, when it is the optimizer library the plug-in loaded.
struct OptimizerClock {
    double (*seconds)() = nullptr;
    void (*reset)() = nullptr;

    static OptimizerClock find() {
        OptimizerClock clock;
        void* library = dlopen("libxprs.so", RTLD_NOW | RTLD_NOLOAD);
        if (!library) return clock;
        clock.seconds = reinterpret_cast<double (*)()>(dlsym(library, "corvane_timed_seconds"));
        clock.reset = reinterpret_cast<void (*)()>(dlsym(library, "corvane_timed_reset"));
        if (!clock.seconds || !clock.reset) clock = OptimizerClock();
        return clock;
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_chain MODEL PLUGIN\n");
        return 2;
    }
    const ScratchDirectory scratch("corvane-chain");
    if (!scratch.made()) return 2;
    const std::string logDir = scratch.path();
    try {
        const LinearModel model = readModel(argv[1], nullptr);
        const std::string warmUpDir = logDir + "/warm-up";
        std::filesystem::create_directory(warmUpDir);
        solveThroughPlugin(model, argv[2], warmUpDir);
        const OptimizerClock clock = OptimizerClock::find();
        if (clock.reset) clock.reset();
        const SolveRun run = solveThroughPlugin(model, argv[2], logDir);
        const double optimizer = clock.seconds ? clock.seconds() : std::nan("");
        const double total = run.iterateSeconds[0] + run.iterateSeconds[1] + run.iterateSeconds[2];
        const double objective =
            run.hasObjective ? run.objective + model.objConstant : std::nan("");
        std::printf("%.9f %.12g %.9f %.9f %.9f %.9f\n", total, objective, run.iterateSeconds[0],
                    run.iterateSeconds[1], run.iterateSeconds[2], optimizer);
        return run.resultCode == 0 && run.solveDone == 1 ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_chain: %s\n", error.what());
        return 2;
    }
}
