// Checking and loading a problem: the data is validated in full before anything is replaced, so
// a refused load leaves the previous problem as it was.
#include <ClpSimplex.hpp>
#include <CoinPackedMatrix.hpp>

#include <cmath>
#include <sstream>

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

std::string checkColumns(const Model& m, double tol) {
    if (m.start[0] < 0) return "first column start is negative";
    for (int c = 0; c < m.ncols; ++c) {
        if (m.start[c + 1] < m.start[c]) return at("column start decreases at column", c);
        if (std::isnan(m.obj[c])) return at("objective is not a number in column", c);
        if (std::isnan(m.lb[c]) || std::isnan(m.ub[c]))
            return at("bound is not a number in column", c);
        if (m.lb[c] >= kInfinity || m.ub[c] <= -kInfinity)
            return at("infinite bound on the wrong side in column", c);
        if (m.lb[c] > m.ub[c] + tol) return at("lower bound above upper bound in column", c);
        for (int k = m.start[c]; k < m.start[c + 1]; ++k) {
            if (m.index[k] < 0 || m.index[k] >= m.nrows)
                return at("row index out of range in column", c);
            if (!std::isfinite(m.value[k])) return at("coefficient is not finite in column", c);
        }
    }
    return {};
}

std::string checkQuadratic(const Model& m) {
    for (size_t k = 0; k < m.qcoef.size(); ++k) {
        if (m.qcol1[k] < 0 || m.qcol1[k] >= m.ncols || m.qcol2[k] < 0 || m.qcol2[k] >= m.ncols)
            return at("column out of range in quadratic term", static_cast<int>(k));
        if (!std::isfinite(m.qcoef[k]))
            return at("coefficient is not finite in quadratic term", static_cast<int>(k));
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
void continuousBounds(const Model& m, std::vector<double>& lb, std::vector<double>& ub) {
    lb.resize(m.ncols);
    ub.resize(m.ncols);
    for (int c = 0; c < m.ncols; ++c) {
        lb[c] = finiteOrInfinite(m.lb[c]);
        ub[c] = finiteOrInfinite(m.ub[c]);
        if (lb[c] > ub[c]) lb[c] = ub[c];  // crossed within tolerance
        if (m.coltype[c] == 'B') {
            lb[c] = std::max(lb[c], 0.0);
            ub[c] = std::min(ub[c], 1.0);
        } else if (m.coltype[c] == 'S') {
            lb[c] = 0.0;
        }
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

}  // namespace

std::unique_ptr<ClpSimplex> buildContinuous(const Model& m) {
    auto lp = std::make_unique<ClpSimplex>();
    std::vector<double> lb, ub, rlo(m.nrows), rup(m.nrows);
    continuousBounds(m, lb, ub);
    for (int r = 0; r < m.nrows; ++r) {
        rlo[r] = finiteOrInfinite(m.rowLower(r));
        rup[r] = finiteOrInfinite(m.rowUpper(r));
    }
    std::vector<int> lengths(m.ncols);
    for (int c = 0; c < m.ncols; ++c) lengths[c] = m.start[c + 1] - m.start[c];
    CoinPackedMatrix matrix(true, m.nrows, m.ncols, m.start[m.ncols], m.value.data(),
                            m.index.data(), m.start.data(), lengths.data());
    lp->loadProblem(matrix, lb.data(), ub.data(), m.obj.data(), rlo.data(), rup.data());
    loadQuadratic(m, *lp);
    return lp;
}

int loadModel(Problem& p, Model&& m) {
    std::string fault = checkRows(m);
    if (fault.empty()) fault = checkColumns(m, p.controls.dblValue(XPRS_FEASTOL));
    if (fault.empty()) fault = checkQuadratic(m);
    if (fault.empty()) fault = checkEntities(m);
    if (!fault.empty()) return p.fail(kBadData, "problem not loaded: " + fault);

    auto lp = buildContinuous(m);
    p.model = std::move(m);
    p.lp = std::move(lp);
    p.loaded = true;
    p.hasBasis = false;
    p.rootSolved = false;
    p.objsense = 1;
    p.results = Results();
    p.mipSolution.clear();
    p.mipStarts.clear();
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
