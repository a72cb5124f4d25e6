// The three calls of a solve: the host evaluates the model between them (reverse communication).
//
// Call 1 records the start point and asks for the equations at the all-zero point (request 1).
// Call 2 takes the right-hand sides from those residuals and asks for the Jacobian and the
// objective derivatives at the scaled start point (request 9). Call 3 solves and answers
// (request 7).
#include <algorithm>
#include <cmath>
#include <cstring>

#include "host/host_codes.h"
#include "host/providers.h"
#include "host/vrim.h"
#include "solve/solve_context.h"
#include "solver/run_arrays.h"
#include "solver/zol_xpress.h"

using corvane::allocateRunArray;
using corvane::kNamePrefixLength;

namespace {

// Scaling looks at what follows the host's name prefix.
constexpr int kScalingNameLength = 65;

// Variables the host adds for its own purposes (slacks, soft constraints, the objective variable)
// keep their units, and so do the integer kinds.
bool exemptFromScaling(const char* name, int descriptor) {
    if (std::strlen(name) > static_cast<size_t>(kNamePrefixLength)) {
        const char* model = name + kNamePrefixLength;
        if (model[0] == '_') return true;
        if (std::strncmp(model, "SOFT", 4) == 0 || std::strncmp(model, "OBJF", 4) == 0) return true;
    }
    if (std::strstr(name, "_SLK") || std::strstr(name, "_FEAS")) return true;
    return corvane::isEntityKind(varInqType(descriptor));
}

// The largest power of ten not above |value| + 1, found exactly: a logarithm rounds at the very
// powers where the scale steps up. A value that is not finite keeps its column unscaled.
double powerOfTenScale(double value) {
    const double magnitude = std::fabs(value) + 1.0;
    if (!std::isfinite(magnitude)) return 1.0;
    double scale = 1.0;
    while (scale * 10.0 <= magnitude) scale *= 10.0;
    return scale;
}

}  // namespace

void ZOLXpress::iterate(VarProvider* vars, EqnProvider* eqns, DerivProvider* derivs,
                        ObjProvider* obj, int* requestCode, int* solveDone, int* resultCode) {
    corvane::SolveContext context{vars, eqns, derivs, obj, requestCode, solveDone, resultCode};
    if (!providersPresent(context)) return;
    const corvane::DataError countError = readProviderCounts(vars, eqns);
    if (countError.found) {
        failOnData(context, countError);
        return;
    }
    if (iteratePhase == 1) {
        recordStartPoint(context);
    } else if (iteratePhase == 2) {
        // Refused like a third call: the host gets its start values back wherever there still
        // is a start point.
        const corvane::DataError error = checkStartPoint();
        if (error.found) {
            failOnData(context, error);
            return;
        }
        takeRightHandSides(context);
    } else {
        solveProblem(context);
    }
}

// A missing provider is answered without touching any other state: the call is not a step of the
// solve, whose phase stays where it is.
bool ZOLXpress::providersPresent(corvane::SolveContext& context) {
    int missing = 0;
    if (!context.vars) {
        missing = corvane::result::kMissingVariables;
    } else if (!context.eqns) {
        missing = corvane::result::kMissingEquations;
    } else if (!context.obj) {
        missing = corvane::result::kMissingObjective;
    }
    if (missing == 0) return true;
    setStatus(corvane::status::kNotRetrievable);
    *context.requestCode = corvane::request::kFinished;
    *context.resultCode = missing;
    return false;
}

void ZOLXpress::recordStartPoint(corvane::SolveContext& context) {
    VarProvider* vars = context.vars;
    allocateRunArray(startPoint, numVars);
    allocateRunArray(colScale, numVars);
    startPointVars = numVars < 0 ? 0 : numVars;
    double* values = vars->valueArray();
    for (int j = 0; j < startPointVars; ++j) {
        startPoint[j] = values[j];
        colScale[j] = 1.0;
        values[j] = 0.0;
    }
    if (variableScaling == 1 && numVars - 1 > 0) chooseColumnScales(vars);
    iteratePhase = 2;
    *context.requestCode = corvane::request::kEquations;
}

// Every variable but the last may be scaled by the power of ten of its start value. A name is
// only asked for when the scale would not be 1: most start values are small.
void ZOLXpress::chooseColumnScales(VarProvider* vars) {
    const int* descriptors = vars->typeArray();
    char name[kScalingNameLength + 1];
    for (int i = 1; i <= numVars - 1; ++i) {
        const double scale = powerOfTenScale(startPoint[i - 1]);
        if (scale == 1.0) continue;
        name[0] = '\0';
        vars->inqNames(i, i, kScalingNameLength, name);
        name[kScalingNameLength] = '\0';
        if (exemptFromScaling(name, descriptors[i - 1])) continue;
        colScale[i - 1] = scale;
    }
}

void ZOLXpress::takeRightHandSides(corvane::SolveContext& context) {
    VarProvider* vars = context.vars;
    EqnProvider* eqns = context.eqns;
    allocateRunArray(rhs, numRows);
    rhsRows = numRows < 0 ? 0 : numRows;
    const double* residuals = eqns->residualArray();
    const double* multipliers = eqns->multiplierArray();
    const double zeroThreshold = feasibilityTol * 0.001;
    for (int i = 1; i < rhsRows; ++i) {
        rhs[i] = -(residuals[i - 1] * multipliers[i - 1]);
        if (std::fabs(rhs[i]) < zeroThreshold) rhs[i] = 0.0;
    }
    if (rhsRows > 0) rhs[0] = 0.0;

    if (keepFirstStartPoint) {
        corvane::allocateZeroedRunArray(firstStartPoint, startPointVars);
        firstStartPointVars = startPointVars;
    }
    double* values = vars->valueArray();
    for (int j = 0; j < startPointVars; ++j) {
        values[j] = startPoint[j] / colScale[j];
        if (keepFirstStartPoint) firstStartPoint[j] = startPoint[j];
    }
    keepFirstStartPoint = false;
    iteratePhase = 3;
    *context.requestCode = corvane::request::kDerivatives;
}
