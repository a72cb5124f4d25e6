// The module entry points through which the host discovers, creates and removes the solver.
#ifndef CORVANE_PLUGIN_ENTRY_POINTS_H
#define CORVANE_PLUGIN_ENTRY_POINTS_H

#include "host/corvane_api.h"

class SolverLibrary;

extern "C" {

CORVANE_API const char* zoldll_corvane_identity(void);
CORVANE_API int zoldll_corvane_init(void* messageSink, void*, void*, void*, void*,
                                    SolverLibrary* library);
CORVANE_API int zoldll_corvane_unload(void* messageSink, void*, void*, void*, void*,
                                      SolverLibrary* library);
CORVANE_API int zoldll_corvane_interface(int index, const char** name, int* major, int* minor);
CORVANE_API int zoldll_corvane_version(const char* name, int* major, int* minor);
CORVANE_API void _force_jit_corvane(void);
}

// Solvers accepted by a solver library and not yet unloaded.
extern int solverInstanceCount;

#endif
