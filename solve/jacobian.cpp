// The host's unordered Jacobian and the objective become the optimizer's column-wise matrix, the
// objective as row 0: a counting sort by column, O(columns + elements), in place in the column
// starts.
#include "host/providers.h"
#include "solver/run_arrays.h"
#include "solver/zol_xpress.h"

void ZOLXpress::XPRSCompressJacobian(DerivProvider* derivs, EqnProvider* eqns) {
    const int n = numVars;
    const int* rows = numJacElements > 0 ? derivs->rowArray() : nullptr;
    const int* cols = numJacElements > 0 ? derivs->colArray() : nullptr;
    const double* values = numJacElements > 0 ? derivs->valueArray() : nullptr;
    const double* multipliers = eqns->multiplierArray();
    const long long elements = static_cast<long long>(numJacElements) + numObjTerms;
    corvane::allocateRunArray(colStart, n + 1LL);
    corvane::allocateRunArray(rowIndex, elements);
    corvane::allocateRunArray(matValue, elements);

    // colStart[c + 1] first counts the elements of column c, then serves as the next free
    // position of column c while the elements are placed, and ends as the start of column c + 1.
    colStart[0] = 0;
    for (int c = 0; c < n; ++c) colStart[c + 1] = objCoef[c] != 0.0 ? 1 : 0;  // NaN is non-zero
    for (int k = 0; k < numJacElements; ++k) ++colStart[cols[k]];
    int position = 0;
    for (int c = 0; c <= n; ++c) {
        const int size = colStart[c];
        colStart[c] = position;
        position += size;
    }

    int entry = 0;  // objective entries are in ascending variable order
    for (int c = 0; c < n; ++c) {
        if (objCoef[c] == 0.0) continue;
        while (entry < numObjTerms && objVarIndex[entry] < c + 1) ++entry;
        const int q = colStart[c + 1]++;
        rowIndex[q] = 0;
        matValue[q] = objFirstDeriv[entry];
    }
    for (int k = 0; k < numJacElements; ++k) {
        const int c = cols[k] - 1;
        const int q = colStart[c + 1]++;
        rowIndex[q] = rows[k];
        matValue[q] = multipliers[rows[k] - 1] * values[k] * colScale[c];
    }
}

// The objective entries are in the matrix and the objective now; the load does not need them.
void ZOLXpress::releaseObjectiveEntries() {
    corvane::releaseRunArray(objVarIndex);
    corvane::releaseRunArray(objFirstDeriv);
    corvane::releaseRunArray(objSecondDeriv);
}
