// Checks of the host's data before any array is written or read with it. The host is trusted for
// the lengths of the arrays it hands over (they follow from its own counts) but not for the
// indices inside them, nor for counts that change between the calls of a solve.
#include <cmath>
#include <limits>
#include <string>

#include "host/providers.h"
#include "host/vrim.h"
#include "solve/solve_context.h"
#include "solver/zol_xpress.h"

using corvane::DataError;
using corvane::dataError;

namespace {

std::string range(int last) {
    return " outside 1.." + std::to_string(last);
}

}  // namespace

// A count that is negative, or one more than which (the objective row) does not fit, describes no
// model. A refused count is taken as 0, so that nothing is written into the host's arrays by it.
DataError ZOLXpress::readProviderCounts(VarProvider* vars, EqnProvider* eqns) {
    const int variables = vars->inqNumVars();
    const int equations = eqns->inqNumEqns();
    numVars = variables < 0 ? 0 : variables;
    numRows = equations < 0 || equations == std::numeric_limits<int>::max() ? 0 : equations + 1;
    if (variables < 0)
        return dataError("the variable count " + std::to_string(variables) + " is negative");
    if (equations < 0)
        return dataError("the equation count " + std::to_string(equations) + " is negative");
    if (numRows == 0)
        return dataError("the equation count " + std::to_string(equations) +
                         " leaves no room for the objective row");
    return {};
}

// Every value that bounds a column: NaN passes every comparison with the infinities and would
// become an infinite bound.
DataError ZOLXpress::checkBounds(VarProvider* vars) const {
    const double* lower = vars->lowerArray();
    const double* upper = vars->upperArray();
    const double* values = vars->valueArray();
    const int* descriptors = vars->typeArray();
    for (int j = 0; j < numVars; ++j) {
        const std::string variable = "variable " + std::to_string(j + 1);
        if (std::isnan(lower[j])) return dataError(variable + " has the lower bound nan");
        if (std::isnan(upper[j])) return dataError(variable + " has the upper bound nan");
        if (varIsFixed(descriptors[j]) != 0 && std::isnan(values[j]))
            return dataError(variable + " is fixed at nan");
    }
    return {};
}

// The arrays of the first call; a solve cleaned up after it has none.
DataError ZOLXpress::checkStartPoint() const {
    if (!startPoint || !colScale) return dataError("there is no start point from the first call");
    if (numVars != startPointVars)
        return dataError("the variable count " + std::to_string(numVars) + " differs from " +
                         std::to_string(startPointVars) + " in the first call");
    return {};
}

DataError ZOLXpress::checkCounts() const {
    const DataError start = checkStartPoint();
    if (start.found) return start;
    if (!rhs) return dataError("there are no right-hand sides from the second call");
    if (numRows != rhsRows)
        return dataError("the equation count " + std::to_string(numRows - 1) + " differs from " +
                         std::to_string(rhsRows - 1) + " in the second call");
    if (numJacElements < 0)
        return dataError("the Jacobian element count " + std::to_string(numJacElements) +
                         " is negative");
    if (numObjTerms < 0)
        return dataError("the objective term count " + std::to_string(numObjTerms) +
                         " is negative");
    if (static_cast<long long>(numJacElements) + numObjTerms > std::numeric_limits<int>::max())
        return dataError("the Jacobian element count " + std::to_string(numJacElements) +
                         " and the objective term count " + std::to_string(numObjTerms) +
                         " give more matrix elements than " +
                         std::to_string(std::numeric_limits<int>::max()));
    return {};
}

DataError ZOLXpress::checkJacobian(DerivProvider* derivs) const {
    // Equations without a derivative provider would be loaded without their coefficients.
    if (!derivs && (numRows > 1 || numJacElements > 0))
        return dataError("there is no derivative provider for the Jacobian");
    if (numJacElements == 0) return {};
    const int* rows = derivs->rowArray();
    const int* cols = derivs->colArray();
    if (!rows || !cols || !derivs->valueArray())
        return dataError("the Jacobian arrays are missing");
    const int equations = numRows - 1;
    for (int k = 0; k < numJacElements; ++k) {
        if (rows[k] < 1 || rows[k] > equations)
            return dataError("Jacobian element " + std::to_string(k + 1) + " has equation " +
                             std::to_string(rows[k]) + range(equations));
        if (cols[k] < 1 || cols[k] > numVars)
            return dataError("Jacobian element " + std::to_string(k + 1) + " has variable " +
                             std::to_string(cols[k]) + range(numVars));
    }
    return {};
}

DataError ZOLXpress::checkObjectiveIndices() const {
    int previous = 0;
    for (int k = 0; k < numObjTerms; ++k) {
        const int index = objVarIndex[k];
        if (index < 1 || index > numVars)
            return dataError("objective entry " + std::to_string(k + 1) + " has variable " +
                             std::to_string(index) + range(numVars));
        if (index <= previous)
            return dataError("objective entry " + std::to_string(k + 1) + " has variable " +
                             std::to_string(index) + " after variable " + std::to_string(previous) +
                             ", not in ascending order");
        previous = index;
    }
    return {};
}
