// Checking and loading a problem: the data is validated in full before anything is replaced, so
// a refused load leaves the previous problem as it was.
#include <ClpSimplex.hpp>
#include <CoinPackedMatrix.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

#include "problem.h"

namespace xprs {
namespace {

std::string at(const std::string& what, int i) {
    return std::string(what) + " " + std::to_string(i);
}

double finiteOrInfinite(double v) {
    if (v >= kInfinity) return COIN_DBL_MAX;
    if (v <= -kInfinity) return -COIN_DBL_MAX;
    return v;
}

std::string checkRows(const Model& m) {
    for (int r = 0; r < m.nrows; ++r) {
        char t = m.rowtype[r];
        if (t != 'N' && t != 'E' && t != 'L' && t != 'G' && t != 'R')
            return at("invalid row type '" + std::string(1, t) + "' of row", r);
        if (std::isnan(m.rhs[r])) return at("right-hand side is not a number in row", r);
        if (t == 'R' && (std::isnan(m.range[r]) || m.range[r] < 0))
            return at("range is negative or not a number in row", r);
    }
    return {};
}

std::string checkQuadratic(const Model& m) {
    for (size_t k = 0; k < m.qcoef.size(); ++k) {
        if (m.qcol1[k] < 0 || m.qcol1[k] >= m.ncols || m.qcol2[k] < 0 || m.qcol2[k] >= m.ncols)
            return at("column out of range in quadratic term", static_cast<int>(k));
        if (!(std::fabs(m.qcoef[k]) < kLargestCoefficient))
            return at("coefficient is not finite or of magnitude 1e20 or more in quadratic term",
                      static_cast<int>(k));
    }
    return {};
}

std::string checkEntities(const Model& m) {
    for (int c = 0; c < m.ncols; ++c) {
        if (m.coltype[c] != 'S') continue;
        if (std::isnan(m.sclimit[c]) || m.sclimit[c] < 0 || m.sclimit[c] > m.ub[c])
            return at("semi-continuous limit outside 0 and the upper bound in column", c);
        if (m.ub[c] >= kInfinity)
            return at("semi-continuous column without a finite upper bound", c);
    }
    for (size_t s = 0; s < m.sets.size(); ++s) {
        const Set& set = m.sets[s];
        if (set.type != '1' && set.type != '2')
            return at("invalid set type '" + std::string(1, set.type) + "' of set",
                      static_cast<int>(s));
        for (size_t k = 0; k < set.cols.size(); ++k) {
            if (set.cols[k] < 0 || set.cols[k] >= m.ncols)
                return at("member column out of range in set", static_cast<int>(s));
            if (std::isnan(set.refs[k]))
                return at("reference weight is not a number in set", static_cast<int>(s));
        }
    }
    return {};
}

// The continuous problem: binaries within [0, 1], semi-continuous columns within [0, upper].
// CLP's arrays start as the loaded bounds; only the columns that differ are rewritten.
void continuousBounds(const Model& m, double* lb, double* ub) {
    for (int c = 0; c < m.ncols; ++c) {
        if (m.coltype[c] == 'C' && m.lb[c] <= m.ub[c] && m.lb[c] > -kInfinity &&
            m.ub[c] < kInfinity)
            continue;
        double lo = finiteOrInfinite(m.lb[c]), up = finiteOrInfinite(m.ub[c]);
        if (lo > up) lo = up;  // crossed within tolerance
        if (m.coltype[c] == 'B') {
            lo = std::max(lo, 0.0);
            up = std::min(up, 1.0);
        } else if (m.coltype[c] == 'S') {
            lo = 0.0;
        }
        lb[c] = lo;
        ub[c] = up;
    }
}

void loadQuadratic(const Model& m, ClpSimplex& lp) {
    if (m.qcoef.empty()) return;
    // CLP takes the whole symmetric matrix; the caller gives each off-diagonal pair once.
    std::vector<int> rows, cols;
    std::vector<double> vals;
    for (size_t k = 0; k < m.qcoef.size(); ++k) {
        int i = m.qcol1[k], j = m.qcol2[k];
        rows.push_back(i);
        cols.push_back(j);
        vals.push_back(m.qcoef[k]);
        if (i != j) {
            rows.push_back(j);
            cols.push_back(i);
            vals.push_back(m.qcoef[k]);
        }
    }
    CoinPackedMatrix q(true, rows.data(), cols.data(), vals.data(),
                       static_cast<CoinBigIndex>(vals.size()));
    q.setDimensions(m.ncols, m.ncols);
    lp.loadQuadraticObjective(q);
}

RowMap mapRows(const Model& m) {
    RowMap map;
    int free = static_cast<int>(std::count(m.rowtype.begin(), m.rowtype.end(), 'N'));
    if (free == 0) return map;
    map.toClp.resize(m.nrows);
    map.toLoaded.reserve(m.nrows - free);
    map.freeRows.reserve(free);
    for (int r = 0; r < m.nrows; ++r) {
        if (m.rowtype[r] == 'N') {
            map.toClp[r] = -1 - static_cast<int>(map.freeRows.size());
            map.freeRows.push_back(r);
        } else {
            map.toClp[r] = static_cast<int>(map.toLoaded.size());
            map.toLoaded.push_back(r);
        }
    }
    return map;
}

// The first fault of column c or of its entries.
std::string columnFault(const Model& m, double tol, int c) {
    if (m.start[c + 1] < m.start[c]) return at("column start decreases at column", c);
    if (!(std::fabs(m.obj[c]) < kLargestCoefficient))
        return at("objective coefficient is not a number or of magnitude 1e20 or more in column",
                  c);
    if (std::isnan(m.lb[c]) || std::isnan(m.ub[c])) return at("bound is not a number in column", c);
    if (m.lb[c] >= kInfinity || m.ub[c] <= -kInfinity)
        return at("infinite bound on the wrong side in column", c);
    if (m.lb[c] > m.ub[c] + tol) return at("lower bound above upper bound in column", c);
    for (int k = m.start[c]; k < m.start[c + 1]; ++k) {
        if (m.index[k] < 0 || m.index[k] >= m.nrows)
            return at("row index out of range in column", c);
        if (!(std::fabs(m.value[k]) < kLargestCoefficient))
            return at("coefficient is not finite or of magnitude 1e20 or more in column", c);
    }
    return {};
}

// Whether every column and entry is sound: the same tests without branches, one pass over the
// columns and one over the entries.
bool columnsSound(const Model& m, double tol) {
    if (m.start[0] < 0) return false;
    bool sound = true;
    for (int c = 0; c < m.ncols; ++c) {
        double lb = m.lb[c], ub = m.ub[c];
        sound &= (m.start[c + 1] >= m.start[c]) & (std::fabs(m.obj[c]) < kLargestCoefficient) &
                 !std::isnan(lb) & !std::isnan(ub) & (lb < kInfinity) & (ub > -kInfinity) &
                 !(lb > ub + tol);
    }
    if (!sound) return false;
    const unsigned nrows = static_cast<unsigned>(m.nrows);
    const int begin = m.start[0], end = m.start[m.ncols];
    const int* index = m.index.data();
    unsigned outside = 0;
    for (int k = begin; k < end; ++k) outside |= static_cast<unsigned>(index[k]) >= nrows;
    const double* value = m.value.data();
    unsigned large = 0;
    for (int k = begin; k < end; ++k) large |= !(std::fabs(value[k]) < kLargestCoefficient);
    return outside == 0 && large == 0;
}

std::string checkColumns(const Model& m, double tol) {
    if (columnsSound(m, tol)) return {};
    if (m.start[0] < 0) return "first column start is negative";
    for (int c = 0; c < m.ncols; ++c) {
        std::string fault = columnFault(m, tol, c);
        if (!fault.empty()) return fault;
    }
    return {};
}

// The matrix CLP is given, in arrays it takes over. Entries of free rows go to the row map
// instead, by row and within a row in column order.
struct ClpMatrix {
    std::unique_ptr<CoinBigIndex[]> start;
    std::unique_ptr<int[]> index;
    std::unique_ptr<double[]> value;
    CoinBigIndex size = 0;
};

ClpMatrix copyForClp(const Model& m, RowMap& rows) {
    ClpMatrix out;
    const int first = m.start[0], entries = m.start[m.ncols] - first;
    out.start.reset(new CoinBigIndex[m.ncols + 1]);
    out.index.reset(new int[std::max(entries, 1)]);
    out.value.reset(new double[std::max(entries, 1)]);
    CoinBigIndex* start = out.start.get();
    int* index = out.index.get();
    double* value = out.value.get();
    if (rows.same()) {
        for (int c = 0; c <= m.ncols; ++c) start[c] = m.start[c] - first;
        std::copy(m.index.begin() + first, m.index.begin() + first + entries, index);
        std::copy(m.value.begin() + first, m.value.begin() + first + entries, value);
        out.size = entries;
        return out;
    }
    const size_t nfree = rows.freeRows.size();
    std::vector<int> count(nfree + 1, 0);
    CoinBigIndex n = 0;
    start[0] = 0;
    for (int c = 0; c < m.ncols; ++c) {
        for (int k = m.start[c]; k < m.start[c + 1]; ++k) {
            int target = rows.toClp[m.index[k]];
            if (target >= 0) {
                index[n] = target;
                value[n] = m.value[k];
                ++n;
            } else {
                ++count[-target];
            }
        }
        start[c + 1] = n;
    }
    out.size = n;
    rows.freeStart.assign(count.begin(), count.end());
    for (size_t f = 1; f <= nfree; ++f) rows.freeStart[f] += rows.freeStart[f - 1];
    rows.freeCol.resize(rows.freeStart[nfree]);
    rows.freeValue.resize(rows.freeStart[nfree]);
    std::vector<int> next(rows.freeStart.begin(), rows.freeStart.end() - 1);
    for (int c = 0; c < m.ncols; ++c) {
        for (int k = m.start[c]; k < m.start[c + 1]; ++k) {
            int target = rows.toClp[m.index[k]];
            if (target >= 0) continue;
            int slot = next[-1 - target]++;
            rows.freeCol[slot] = c;
            rows.freeValue[slot] = m.value[k];
        }
    }
    return out;
}

// CLP's model of the continuous problem over the rows that bound something; the matrix is
// handed over without a further copy.
std::unique_ptr<ClpSimplex> buildContinuous(const Model& m, const RowMap& rows, ClpMatrix& a) {
    auto lp = std::make_unique<ClpSimplex>();
    int nrows = rows.same() ? m.nrows : static_cast<int>(rows.toLoaded.size());
    std::vector<double> rlo(nrows), rup(nrows);
    for (int k = 0; k < nrows; ++k) {
        int r = rows.loaded(k);
        rlo[k] = finiteOrInfinite(m.rowLower(r));
        rup[k] = finiteOrInfinite(m.rowUpper(r));
    }
    std::vector<CoinBigIndex> noEntries(m.ncols + 1, 0);
    double noValue = 0.0;
    int noIndex = 0;
    CoinPackedMatrix empty(true, nrows, m.ncols, 0, &noValue, &noIndex, noEntries.data(), nullptr);
    lp->loadProblem(empty, m.lb.data(), m.ub.data(), m.obj.data(), rlo.data(), rup.data());
    continuousBounds(m, lp->columnLower(), lp->columnUpper());
    auto* matrix = new CoinPackedMatrix();
    double* value = a.value.release();
    int* index = a.index.release();
    CoinBigIndex* start = a.start.release();
    int* lengths = nullptr;
    matrix->assignMatrix(true, nrows, m.ncols, a.size, value, index, start, lengths);
    lp->replaceMatrix(matrix, true);
    loadQuadratic(m, *lp);
    return lp;
}

}  // namespace

int loadModel(Problem& p, Model&& m) {
    std::string fault = checkRows(m);
    if (fault.empty()) fault = checkColumns(m, p.controls.dblValue(XPRS_FEASTOL));
    if (fault.empty()) fault = checkQuadratic(m);
    if (fault.empty()) fault = checkEntities(m);
    if (!fault.empty()) return p.fail(kBadData, "problem not loaded: " + fault);

    RowMap rows = mapRows(m);
    ClpMatrix matrix = copyForClp(m, rows);
    auto lp = buildContinuous(m, rows, matrix);
    p.model = std::move(m);
    p.lp = std::move(lp);
    p.rows = std::move(rows);
    p.loaded = true;
    p.hasBasis = false;
    p.rootSolved = false;
    p.objsense = 1;
    p.results = Results();
    p.mipSolution.clear();
    p.mipStarts.clear();
    p.ownRay.clear();
    return kOk;
}

int addNames(Problem& p, int type, const char* names, int first, int last) {
    if (!p.loaded) return p.fail(kNoProblem, "no problem loaded");
    int count = type == XPRS_NAMES_ROWS      ? p.model.nrows
                : type == XPRS_NAMES_COLUMNS ? p.model.ncols
                                             : -1;
    if (count < 0) return p.fail(kBadArgument, "name type must be 1 (rows) or 2 (columns)");
    if (!names || first < 0 || last < first || last >= count)
        return p.fail(kBadArgument, "name range " + std::to_string(first) + " to " +
                                        std::to_string(last) + " is outside the problem");
    Names& target = type == XPRS_NAMES_ROWS ? p.model.rownames : p.model.colnames;
    target.assign(count, first, last, names);
    return kOk;
}

}  // namespace xprs
