// The host's solver library: the registry a plug-in adds its solver to.
#ifndef CORVANE_HOST_SOLVER_LIBRARY_H
#define CORVANE_HOST_SOLVER_LIBRARY_H

#include "host/deleting_destructor.h"

class RTSolver;

class SolverLibrary {
  public:
    virtual void* deletingDestructor(unsigned int flags) = 0;  // slot 0
    virtual int addSolver(RTSolver* solver) = 0;               // slot 1: 0 when accepted
    virtual int removeSolver(RTSolver* solver) = 0;            // slot 2
    virtual RTSolver* findSolver(const char* name) = 0;        // slot 3: null when there is none

  protected:
    ~SolverLibrary() = default;
};

#endif
