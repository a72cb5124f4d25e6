// The solution: retrieval from the optimizer and the write-back into the host's arrays, unscaled
// and clamped to the host's bounds.
#include <algorithm>
#include <cmath>

#include "host/host_codes.h"
#include "host/providers.h"
#include "host/vrim.h"
#include "solve/solve_context.h"
#include "solver/zol_xpress.h"

using corvane::SolveContext;

namespace {

constexpr double kNoSolutionMagnitude = 1.0e12;
constexpr double kSemiContinuousZero = 0.0001;

}  // namespace

// A MIP returns the integer solution's values with the duals and reduced costs of the linear
// problem in which every entity is fixed.
void ZOLXpress::retrieveSolution(SolveContext& context) {
    double* reducedCosts = context.vars->reducedCostArray();
    int rc = 0;
    if (solveAsMip) {
        XPRSgetintattrib(problemHandle, XPRS_MIPSTATUS, &context.mipStatus);
        const int status = context.mipStatus;
        if (status == XPRS_MIP_OPTIMAL || status == XPRS_MIP_SOLUTION ||
            (status == XPRS_MIP_LP_OPTIMAL && relaxMipRun))
            saveBasisAfterMip(context.names, context.resultCode);
    }
    if (solveAsMip && !relaxMipRun) {
        XPRSgetmipsol(problemHandle, solution, rowSlack);
        XPRSfixglobals(problemHandle, 1);
        if (context.sense > 0) XPRSminim(problemHandle, "l");
        if (context.sense < 0) XPRSmaxim(problemHandle, "l");
        rc = XPRSgetlpsol(problemHandle, nullptr, nullptr, rowDual, reducedCosts);
    } else {
        rc = XPRSgetlpsol(problemHandle, solution, rowSlack, rowDual, reducedCosts);
    }
    if (rc == 0) return;
    const int code = optimizerErrorCode();
    setStatus(corvane::status::kNotRetrievable);
    *context.resultCode = corvane::result::kUnknown;
    logLine(" *** Error in retrieving solution from XPRESS solver. Error code ", code);
}

// A problem without columns has no first value to test; its result code alone decides.
bool ZOLXpress::solutionTaken(const SolveContext& context) const {
    if (*context.resultCode == corvane::result::kUnknown) return false;
    return numVars == 0 || std::fabs(solution[0]) < kNoSolutionMagnitude;
}

void ZOLXpress::writeBackSolution(SolveContext& context) {
    if (!solutionTaken(context)) {
        returnStartValues(context);
        return;
    }
    writeBackColumns(context.vars);
    writeBackRows(context.eqns);
    writeBackBasis(context.vars, context.eqns);
    saveOrRemoveBasis(context.names, *context.resultCode);
}

void ZOLXpress::writeBackColumns(VarProvider* vars) {
    double* values = vars->valueArray();
    double* lower = vars->lowerArray();
    const double* upper = vars->upperArray();
    double* reducedCosts = vars->reducedCostArray();
    const int* descriptors = vars->typeArray();
    const bool semiContinuousMayVanish = solveAsMip && relaxMip != 1 && fixMip != 1;
    for (int i = 0; i < numVars; ++i) {
        if (semiContinuousMayVanish && varInqType(descriptors[i]) == VRIM_VAR_SEMICONTINUOUS &&
            std::fabs(solution[i]) < kSemiContinuousZero)
            lower[i] = 0.0;
        if (colLower[i] > solution[i]) {
            values[i] = lower[i];
        } else if (solution[i] > colUpper[i]) {
            values[i] = upper[i];
        } else {
            values[i] = colScale[i] * solution[i];
        }
        reducedCosts[i] /= colScale[i];
    }
}

void ZOLXpress::writeBackRows(EqnProvider* eqns) {
    double* duals = eqns->dualArray();
    double* multipliers = eqns->multiplierArray();
    for (int r = 1; r < numRows; ++r) {
        duals[r - 1] = rowDual[r] * multipliers[r - 1];
        multipliers[r - 1] = 1.0;
    }
}

// The statuses go to the host as the optimizer gives them.
void ZOLXpress::writeBackBasis(VarProvider* vars, EqnProvider* eqns) {
    XPRSgetbasis(problemHandle, rowBasis, colBasis);
    int* rowStatus = eqns->basisArray();
    for (int r = 1; r < numRows; ++r) rowStatus[r - 1] = rowBasis[r];
    int* columnStatus = vars->basisArray();
    for (int i = 0; i < numVars; ++i) columnStatus[i] = colBasis[i];
}

// The host's start values, with no reduced costs and no duals. Only the part of each host array
// that this solve knows the length of is written. The start point recorded in the first call
// gives them exactly, where multiplying the scaled values back would be an ulp off.
void ZOLXpress::returnStartValues(SolveContext& context) {
    const int columns = std::min(numVars, startPointVars);
    double* values = context.vars->valueArray();
    double* reducedCosts = context.vars->reducedCostArray();
    for (int i = 0; i < columns; ++i) {
        values[i] = startPoint[i];
        reducedCosts[i] = 0.0;
    }
    const int rows = std::min(numRows, rhsRows);
    double* duals = context.eqns->dualArray();
    for (int r = 1; r < rows; ++r) duals[r - 1] = 0.0;
}
