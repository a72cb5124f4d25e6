// The host's solver library: a registry of solvers by name.
#ifndef CORVANE_PLATFORM_HOST_SOLVER_REGISTRY_H
#define CORVANE_PLATFORM_HOST_SOLVER_REGISTRY_H

#include <vector>

#include "host/solver_library.h"

namespace corvane::host {

class SolverRegistry : public SolverLibrary {
  public:
    void* deletingDestructor(unsigned int flags) override { return destroyObject(this, flags); }
    // Refuses (1) a null solver, one without a name, and a second solver of a name it holds.
    int addSolver(RTSolver* solver) override;
    // 0 when the solver was held, 1 otherwise. The registry never destroys its solvers.
    int removeSolver(RTSolver* solver) override;
    RTSolver* findSolver(const char* name) override;

    const std::vector<RTSolver*>& solvers() const { return solvers_; }

  private:
    std::vector<RTSolver*> solvers_;
};

}  // namespace corvane::host

#endif
