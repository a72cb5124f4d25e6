// The codes a solver and its host exchange: what `iterate` asks the host for, what a solve came
// to, and the items of the convergence summary. Hosts read these values, so none of them changes.
//
// Also what the plug-in reads from the host's names and descriptor words.
#ifndef CORVANE_HOST_HOST_CODES_H
#define CORVANE_HOST_HOST_CODES_H

#include "host/vrim.h"

namespace corvane {

// `requestCode`: what the host does after an `iterate` call.
namespace request {
constexpr int kEquations = 1;    // evaluate the equations at the values just written
constexpr int kDerivatives = 9;  // evaluate the Jacobian and the objective derivatives there
constexpr int kFinished = 7;     // the solve is over
}  // namespace request

// `resultCode`: what a solve came to.
namespace result {
constexpr int kSolved = 0;  // LP or MIP optimal, MIP feasible, or the relaxed MIP solved
// Finished without a usable optimum (infeasible, unbounded, cut off, unfinished, no integer
// solution), or the optimization call failed.
constexpr int kNoOptimum = 1;
constexpr int kUnknown = 2;  // an unknown status, or the solution could not be retrieved
// The problem or the saved basis could not be loaded, or the basis not saved after a MIP.
constexpr int kNotLoaded = -2;
constexpr int kMissingObjective = -4;
constexpr int kMissingEquations = -5;
constexpr int kMissingVariables = -6;
}  // namespace result

// What `InitializeXpress` returns when the optimizer library cannot be started.
constexpr int kOptimizerNotStarted = -3;

// The convergence summary's "STATUS" values.
namespace status {
constexpr int kSolved = 1;
constexpr int kUnfinished = 2;  // the LP is unfinished
constexpr int kUnbounded = 3;   // the LP is unbounded
// The LP was cut off (in the primal or the dual), or the MIP's LP not solved to optimality.
constexpr int kCutOff = 4;
constexpr int kNotRetrievable = 6;  // a provider is missing, or the solution retrieval failed
constexpr int kInfeasible = 7;      // infeasible, or no integer solution
// The load or the optimization call failed, the run was interrupted, the status is unknown, or
// the optimizer library was not started.
constexpr int kFailed = 8;
}  // namespace status

// Items of the convergence summary.
namespace summary_item {
constexpr char kStatus[] = "STATUS";
constexpr char kFinalObjective[] = "FINAL_OBJ";
constexpr char kIterations[] = "NUM_ITER";
}  // namespace summary_item

// Host names carry a four-character prefix that is not part of the model's name.
constexpr int kNamePrefixLength = 4;

// The kinds that become integer entities: integer, binary and semi-continuous.
inline bool isEntityKind(int kind) {
    return kind == VRIM_VAR_INTEGER || kind == VRIM_VAR_BINARY || kind == VRIM_VAR_SEMICONTINUOUS;
}

}  // namespace corvane

#endif
