#include "platform/host/solver_registry.h"

#include <algorithm>
#include <cstring>

#include "host/rt_solver.h"

namespace corvane::host {

int SolverRegistry::addSolver(RTSolver* solver) {
    if (!solver || !solver->inqName() || findSolver(solver->inqName())) return 1;
    solvers_.push_back(solver);
    return 0;
}

int SolverRegistry::removeSolver(RTSolver* solver) {
    const auto found = std::find(solvers_.begin(), solvers_.end(), solver);
    if (found == solvers_.end()) return 1;
    solvers_.erase(found);
    return 0;
}

RTSolver* SolverRegistry::findSolver(const char* name) {
    if (!name) return nullptr;
    for (RTSolver* solver : solvers_)
        if (std::strcmp(solver->inqName(), name) == 0) return solver;
    return nullptr;
}

}  // namespace corvane::host
