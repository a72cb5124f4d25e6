// The host's unordered Jacobian and the objective become the optimizer's column-wise matrix, the
// objective as row 0: a counting sort by column, O(columns + elements), with one work array.
#include <vector>

#include "host/providers.h"
#include "solver/zol_xpress.h"

void ZOLXpress::XPRSCompressJacobian(DerivProvider* derivs, EqnProvider* eqns) {
    const int n = numVars;
    const int* rows = numJacElements > 0 ? derivs->rowArray() : nullptr;
    const int* cols = numJacElements > 0 ? derivs->colArray() : nullptr;
    const double* values = numJacElements > 0 ? derivs->valueArray() : nullptr;
    const double* multipliers = eqns->multiplierArray();

    // Elements per column, then the next free position of each column.
    std::vector<int> next(static_cast<size_t>(n) + 1, 0);
    for (int c = 0; c < n; ++c) next[c] = objCoef[c] != 0.0 ? 1 : 0;  // NaN counts as non-zero
    for (int k = 0; k < numJacElements; ++k) ++next[cols[k] - 1];

    int position = 0;
    int entry = 0;  // objective entries are in ascending variable order
    colStart[0] = 0;
    for (int c = 0; c < n; ++c) {
        const int size = next[c];
        next[c] = position;
        while (entry < numObjTerms && objVarIndex[entry] < c + 1) ++entry;
        if (objCoef[c] != 0.0) {
            rowIndex[position] = 0;
            matValue[position] = objFirstDeriv[entry];
            ++next[c];
        }
        colStart[c + 1] = position + size;
        position += size;
    }

    for (int k = 0; k < numJacElements; ++k) {
        const int c = cols[k] - 1;
        const int q = next[c]++;
        rowIndex[q] = rows[k];
        matValue[q] = multipliers[rows[k] - 1] * values[k] * colScale[c];
    }
}

// The objective entries are in the matrix and the objective now; the load does not need them.
void ZOLXpress::releaseObjectiveEntries() {
    delete[] objVarIndex;
    delete[] objFirstDeriv;
    delete[] objSecondDeriv;
    objVarIndex = nullptr;
    objFirstDeriv = objSecondDeriv = nullptr;
}
