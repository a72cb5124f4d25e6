// What one third call of a solve carries from stage to stage.
#ifndef CORVANE_SOLVE_SOLVE_CONTEXT_H
#define CORVANE_SOLVE_SOLVE_CONTEXT_H

#include <string>
#include <utility>

#include "solve/processor_clock.h"
#include "solve/run_file_names.h"

class VarProvider;
class EqnProvider;
class DerivProvider;
class ObjProvider;

namespace corvane {

struct SolveContext {
    SolveContext(VarProvider* v, EqnProvider* e, DerivProvider* d, ObjProvider* o, int* request,
                 int* done, int* result)
        : vars(v),
          eqns(e),
          derivs(d),
          obj(o),
          requestCode(request),
          solveDone(done),
          resultCode(result) {}

    VarProvider* vars;
    EqnProvider* eqns;
    DerivProvider* derivs;
    ObjProvider* obj;
    int* requestCode;
    int* solveDone;
    int* resultCode;

    RunFileNames names;
    bool logOpened = false;
    // The running return code: the load, the row names, the basis read, the optimization.
    int rc = 0;
    // >0 minimise, <0 maximise, 0 no optimization.
    int sense = 0;
    // The MIP status read with the solution; 0 when none was read.
    int mipStatus = 0;
    BasisTiming timing;
};

// Problem data the host reported that cannot be assembled: the first offending element.
struct DataError {
    bool found = false;
    std::string what;
};

inline DataError dataError(std::string what) {
    return DataError{true, std::move(what)};
}

// How a solve ends. Finished: the optimizer ran and the answer, whatever it is, went back.
// Refused: the host's data could not be assembled. Failed: the optimizer problem could not be
// created. Interrupted: a client stopped the optimizer.
enum class SolveEnding { Finished, Refused, Failed, Interrupted };

}  // namespace corvane

#endif
