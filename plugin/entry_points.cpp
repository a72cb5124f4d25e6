#include "plugin/entry_points.h"

#include <cstring>
#include <new>

#include "host/solver_library.h"
#include "host/vrim.h"
#include "solver/zol_xpress.h"

int solverInstanceCount = 0;

namespace {

struct InterfaceVersion {
    const char* name;
    int major;
    int minor;
};

// Sorted by name in byte order: the version query searches it by halves.
constexpr InterfaceVersion kInterfaces[] = {
    {"ZOLDLL", 11, 0},
    {"ZOLPIPE", 3, 0},
    {"ZOLSOLVER", 11, 0},
};
constexpr int kNumInterfaces = sizeof(kInterfaces) / sizeof(kInterfaces[0]);

void report(void* messageSink, const char* text) {
    if (messageSink) rtoprintf(messageSink, text);
}

// The host hands the solver zero-filled storage before construction.
ZOLXpress* createSolver() {
    void* storage = ::operator new(sizeof(ZOLXpress));
    std::memset(storage, 0, sizeof(ZOLXpress));
    try {
        return new (storage) ZOLXpress();
    } catch (...) {
        // The storage is the plug-in's until the solver exists; the exception goes on to the host.
        ::operator delete(storage);
        throw;
    }
}

}  // namespace

extern "C" {

const char* zoldll_corvane_identity(void) {
    return "CORVANE solver library version 11.0";
}

int zoldll_corvane_init(void* messageSink, void*, void*, void*, void*, SolverLibrary* library) {
    if (!library) {
        report(messageSink, "Can not add XPRESS solver: No solver library.\n");
        return 1;
    }
    if (library->addSolver(createSolver()) == 0) {
        ++solverInstanceCount;
        return 0;
    }
    report(messageSink, "Duplicate Xpress solver or invalid solver name.\n");
    return 1;
}

int zoldll_corvane_unload(void* messageSink, void*, void*, void*, void*, SolverLibrary* library) {
    if (!library) {
        report(messageSink, "Unable to remove XPRESS solver from library.\n");
        return -2;
    }
    if (RTSolver* solver = library->findSolver("XPRESS")) {
        library->removeSolver(solver);
        solver->release();
    }
    --solverInstanceCount;
    return solverInstanceCount > 0 ? 1 : 0;
}

int zoldll_corvane_interface(int index, const char** name, int* major, int* minor) {
    if (index < 0 || index >= kNumInterfaces) return 1;
    const InterfaceVersion& row = kInterfaces[index];
    if (name) *name = row.name;
    if (major) *major = row.major;
    if (minor) *minor = row.minor;
    return 0;
}

int zoldll_corvane_version(const char* name, int* major, int* minor) {
    if (!name || !major || !minor) return 1;
    int low = 0;
    int high = kNumInterfaces - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        // strcmp orders as unsigned bytes, a prefix first.
        const int order = std::strcmp(name, kInterfaces[middle].name);
        if (order < 0) {
            high = middle - 1;
        } else if (order > 0) {
            low = middle + 1;
        } else {
            *major = kInterfaces[middle].major;
            *minor = kInterfaces[middle].minor;
            return 0;
        }
    }
    return 1;
}

void _force_jit_corvane(void) {}
}
