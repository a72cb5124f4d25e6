// What every model a reader accepts must satisfy, whatever its input: the fuzz harnesses stop on
// the first model that breaks it, as they stop on a crash.
#ifndef CORVANE_TESTS_FUZZ_MODEL_INVARIANTS_H
#define CORVANE_TESTS_FUZZ_MODEL_INVARIANTS_H

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/host/model/linear_model.h"
#include "platform/host/model/model_values.h"

namespace corvane::host {

inline void requireThat(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "model invariant broken: %s\n", what);
    std::abort();
}

inline bool isLimit(double value) {
    return !std::isnan(value) && std::fabs(value) < kSolverInfinity;
}
inline bool isBoundOrInfinite(double value) {
    return std::isinf(value) || isLimit(value);
}

inline void checkModel(const LinearModel& m) {
    const size_t n = m.colLower.size(), rows = m.rhs.size();
    requireThat(m.colUpper.size() == n && m.cost.size() == n && m.kind.size() == n &&
                    m.start.size() == n && m.colNames.size() == n,
                "column arrays of one length");
    requireThat(
        m.relation.size() == rows && m.rangeHigh.size() == rows && m.rowNames.size() == rows,
        "row arrays of one length");
    requireThat(m.colStart.size() == n + 1 && m.colStart[0] == 0 &&
                    static_cast<size_t>(m.colStart[n]) == m.rowIndex.size() &&
                    m.rowIndex.size() == m.value.size(),
                "column starts");
    for (size_t j = 0; j < n; ++j) {
        requireThat(m.colStart[j] <= m.colStart[j + 1], "column starts in order");
        requireThat(isBoundOrInfinite(m.colLower[j]) && m.colLower[j] != kInfinity, "lower bound");
        requireThat(isBoundOrInfinite(m.colUpper[j]) && m.colUpper[j] != -kInfinity, "upper bound");
        requireThat(isLimit(m.cost[j]), "objective coefficient");
        requireThat(m.colNames[j].size() <= kMaxNameLength, "column name length");
    }
    for (size_t k = 0; k < m.rowIndex.size(); ++k) {
        requireThat(m.rowIndex[k] >= 0 && static_cast<size_t>(m.rowIndex[k]) < rows, "row index");
        requireThat(isLimit(m.value[k]) && m.value[k] != 0.0, "coefficient");
    }
    for (size_t i = 0; i < rows; ++i) {
        const char r = m.relation[i];
        requireThat(r == 'E' || r == 'L' || r == 'G' || r == 'N' || r == 'R', "relation");
        requireThat(isLimit(m.rhs[i]) && isLimit(m.rangeHigh[i]), "right-hand side");
        requireThat(r != 'R' || m.rhs[i] < m.rangeHigh[i], "range in order");
        requireThat(m.rowNames[i].size() <= kMaxNameLength, "row name length");
    }
    requireThat(std::isfinite(m.objConstant), "objective constant");
    requireThat(m.quadDiagonal.empty() || m.quadDiagonal.size() == n, "quadratic diagonal");
    for (const double q : m.quadDiagonal) requireThat(isLimit(q), "quadratic coefficient");
    const size_t sets = m.setType.size();
    requireThat(m.setStart.size() == sets + 1 && m.setStart[0] == 0 &&
                    static_cast<size_t>(m.setStart[sets]) == m.setMembers.size() &&
                    m.setMembers.size() == m.setWeights.size(),
                "set starts");
    for (size_t k = 0; k < sets; ++k) {
        requireThat(m.setType[k] == 1 || m.setType[k] == 2, "set type");
        requireThat(m.setStart[k] <= m.setStart[k + 1], "set starts in order");
    }
    for (size_t p = 0; p < m.setMembers.size(); ++p) {
        requireThat(m.setMembers[p] >= 0 && static_cast<size_t>(m.setMembers[p]) < n, "set member");
        requireThat(std::isfinite(m.setWeights[p]), "set weight");
    }
}

}  // namespace corvane::host

#endif
