// Reading the solution, the basis and the infeasibility and unboundedness reports.
#include <ClpSimplex.hpp>

#include <cmath>
#include <memory>

#include "problem.h"

namespace xprs {
namespace {

std::vector<double> activities(const Model& m, const double* x) {
    std::vector<double> a(m.nrows, 0.0);
    for (int c = 0; c < m.ncols; ++c)
        for (int k = m.start[c]; k < m.start[c + 1]; ++k) a[m.index[k]] += m.value[k] * x[c];
    return a;
}

// Reduced costs c + Qx - A'pi from the loaded problem. CLP leaves the reduced cost of a fixed
// column at zero, and the fixed re-solve needs it.
void reducedCosts(const Model& m, const double* x, const double* pi, double* dj) {
    for (int c = 0; c < m.ncols; ++c) {
        double d = m.obj[c];
        for (int k = m.start[c]; k < m.start[c + 1]; ++k) d -= pi[m.index[k]] * m.value[k];
        dj[c] = d;
    }
    for (size_t k = 0; k < m.qcoef.size(); ++k) {
        int i = m.qcol1[k], j = m.qcol2[k];
        dj[i] += m.qcoef[k] * x[j];
        if (i != j) dj[j] += m.qcoef[k] * x[i];
    }
}

bool solved(const Problem& p) {
    return p.loaded && p.hasBasis;
}

// CLP's row statuses speak of the row activity; ours speak of the slack rhs - activity, whose
// lower end is the right-hand side for 'L' and 'R' rows.
int rowStatus(char type, ClpSimplex::Status s) {
    switch (s) {
        case ClpSimplex::basic:
            return XPRS_BASIC;
        case ClpSimplex::atUpperBound:
            return (type == 'L' || type == 'R' || type == 'E') ? XPRS_AT_LOWER : XPRS_AT_UPPER;
        case ClpSimplex::atLowerBound:
            return (type == 'L' || type == 'R') ? XPRS_AT_UPPER : XPRS_AT_LOWER;
        case ClpSimplex::isFixed:
            return XPRS_AT_LOWER;
        default:
            return XPRS_FREE_SUPER;
    }
}

int colStatus(ClpSimplex::Status s) {
    switch (s) {
        case ClpSimplex::basic:
            return XPRS_BASIC;
        case ClpSimplex::atUpperBound:
            return XPRS_AT_UPPER;
        case ClpSimplex::atLowerBound:
        case ClpSimplex::isFixed:
            return XPRS_AT_LOWER;
        default:
            return XPRS_FREE_SUPER;
    }
}

}  // namespace

int getLpSolution(Problem& p, double x[], double slack[], double dual[], double dj[]) {
    if (!solved(p)) return p.fail(kNoSolution, "no solution: the problem has not been solved");
    const ClpSimplex& lp = *p.lp;
    const Model& m = p.model;
    const RowMap& rows = p.rows;
    const double* cols = lp.primalColumnSolution();
    const double* pi = lp.dualRowSolution();
    if (x) std::copy(cols, cols + m.ncols, x);
    if (slack) {
        const double* act = lp.primalRowSolution();
        if (rows.same()) {
            for (int r = 0; r < m.nrows; ++r) slack[r] = m.rhs[r] - act[r];
        } else {
            for (size_t k = 0; k < rows.toLoaded.size(); ++k) {
                int r = rows.toLoaded[k];
                slack[r] = m.rhs[r] - act[k];
            }
            for (size_t f = 0; f < rows.freeRows.size(); ++f) {
                int r = rows.freeRows[f];
                slack[r] = m.rhs[r] - rows.freeActivity(f, cols);
            }
        }
    }
    // A free row prices nothing: its dual is zero.
    std::vector<double> loadedPi;
    if (!rows.same() && (dual || dj)) {
        loadedPi.assign(m.nrows, 0.0);
        for (size_t k = 0; k < rows.toLoaded.size(); ++k) loadedPi[rows.toLoaded[k]] = pi[k];
        pi = loadedPi.data();
    }
    if (dual) std::copy(pi, pi + m.nrows, dual);
    if (dj) {
        // At a linear optimum CLP's reduced costs are c - A'pi; only the fixed columns need
        // computing. Otherwise (quadratic terms, or a solve that did not finish optimal, where
        // CLP's may be those of its phase one) all are computed.
        if (m.qcoef.empty() && p.results.lpStatus == XPRS_LP_OPTIMAL) {
            const double* clpDj = lp.dualColumnSolution();
            std::copy(clpDj, clpDj + m.ncols, dj);
            const double* lo = lp.columnLower();
            const double* up = lp.columnUpper();
            for (int c = 0; c < m.ncols; ++c) {
                if (lo[c] != up[c]) continue;
                double d = m.obj[c];
                for (int k = m.start[c]; k < m.start[c + 1]; ++k) d -= pi[m.index[k]] * m.value[k];
                dj[c] = d;
            }
        } else {
            reducedCosts(m, cols, pi, dj);
        }
    }
    return kOk;
}

int getMipSolution(Problem& p, double x[], double slack[]) {
    if (!p.loaded) return p.fail(kNoProblem, "no problem loaded");
    if (p.mipSolution.empty()) return p.fail(kNoSolution, "no integer solution has been found");
    const Model& m = p.model;
    if (x) std::copy(p.mipSolution.begin(), p.mipSolution.end(), x);
    if (slack) {
        std::vector<double> a = activities(m, p.mipSolution.data());
        for (int r = 0; r < m.nrows; ++r) slack[r] = m.rhs[r] - a[r];
    }
    return kOk;
}

int getBasis(Problem& p, int rowstat[], int colstat[]) {
    if (!solved(p)) return p.fail(kNoSolution, "no basis: the problem has not been solved");
    ClpSimplex& lp = *p.lp;
    const Model& m = p.model;
    const RowMap& rows = p.rows;
    if (rowstat)
        for (int r = 0; r < m.nrows; ++r) {
            int k = rows.clp(r);
            rowstat[r] = k < 0 ? XPRS_BASIC : rowStatus(m.rowtype[r], lp.getRowStatus(k));
        }
    if (colstat)
        for (int c = 0; c < m.ncols; ++c) colstat[c] = colStatus(lp.getColumnStatus(c));
    return kOk;
}

int getScaledInfeasibilities(Problem& p, int* npv, int* nps, int* nds, int* ndv, int colsP[],
                             int rowsP[], int rowsD[], int colsD[]) {
    if (!solved(p)) return p.fail(kNoSolution, "no solution: the problem has not been solved");
    ClpSimplex& lp = *p.lp;
    const Model& m = p.model;
    double ptol = p.controls.dblValue(XPRS_FEASTOL);
    double dtol = p.controls.dblValue(XPRS_OPTIMALITYTOL);
    // Dual values in the minimisation sense, where a non-basic variable at its lower bound
    // needs a non-negative reduced cost.
    double dir = lp.optimizationDirection();
    int counts[4] = {0, 0, 0, 0};
    auto note = [](int* list, int& count, int index) {
        if (list) list[count] = index;
        ++count;
    };
    const double* x = lp.primalColumnSolution();
    const double* dj = lp.dualColumnSolution();
    for (int c = 0; c < m.ncols; ++c) {
        double lo = lp.columnLower()[c], up = lp.columnUpper()[c];
        if (x[c] < lo - ptol || x[c] > up + ptol) note(colsP, counts[0], c);
        double d = dir * dj[c];
        ClpSimplex::Status s = lp.getColumnStatus(c);
        bool bad =
            (s == ClpSimplex::atLowerBound && d < -dtol) ||
            (s == ClpSimplex::atUpperBound && d > dtol) ||
            ((s == ClpSimplex::isFree || s == ClpSimplex::superBasic) && std::fabs(d) > dtol);
        if (bad) note(colsD, counts[3], c);
    }
    // Free rows are feasible and dual feasible with their zero dual; CLP has the others.
    const double* act = lp.primalRowSolution();
    const double* pi = lp.dualRowSolution();
    for (int k = 0; k < lp.numberRows(); ++k) {
        int r = p.rows.loaded(k);
        double lo = lp.rowLower()[k], up = lp.rowUpper()[k];
        if (act[k] < lo - ptol || act[k] > up + ptol) note(rowsP, counts[1], r);
        double d = dir * pi[k];
        ClpSimplex::Status s = lp.getRowStatus(k);
        // The dual of a row at its lower bound is non-negative when minimising.
        bool bad = (s == ClpSimplex::atLowerBound && d < -dtol && lo > -COIN_DBL_MAX) ||
                   (s == ClpSimplex::atUpperBound && d > dtol && up < COIN_DBL_MAX) ||
                   (lo <= -COIN_DBL_MAX && up >= COIN_DBL_MAX && std::fabs(d) > dtol);
        if (bad) note(rowsD, counts[2], r);
    }
    if (npv) *npv = counts[0];
    if (nps) *nps = counts[1];
    if (nds) *nds = counts[2];
    if (ndv) *ndv = counts[3];
    return kOk;
}

int getUnboundedVector(Problem& p, int* index) {
    if (!index) return p.fail(kBadArgument, "no output for the unbounded vector");
    *index = -1;
    if (!p.loaded || p.results.lpStatus != XPRS_LP_UNBOUNDED) return kOk;
    const Model& m = p.model;
    // A quadratic problem's direction, or a column found to be a ray, is the library's own proof.
    for (size_t c = 0; c < p.ownRay.size(); ++c)
        if (std::fabs(p.ownRay[c]) > 1e-9) {
            *index = m.nrows + static_cast<int>(c);
            return kOk;
        }
    ClpSimplex& lp = *p.lp;
    std::unique_ptr<double[]> ray(lp.unboundedRay());
    if (!ray) return kOk;
    const double tol = 1e-9;
    // Along a ray from a basic solution only one non-basic variable moves: the one that entered.
    for (int c = 0; c < m.ncols; ++c)
        if (lp.getColumnStatus(c) != ClpSimplex::basic && std::fabs(ray[c]) > tol) {
            *index = m.nrows + c;
            return kOk;
        }
    // Free rows are always basic.
    std::vector<double> rowRay = activities(m, ray.get());
    for (int r = 0; r < m.nrows; ++r) {
        int k = p.rows.clp(r);
        if (k >= 0 && lp.getRowStatus(k) != ClpSimplex::basic && std::fabs(rowRay[r]) > tol) {
            *index = r;
            return kOk;
        }
    }
    for (int c = 0; c < m.ncols; ++c)
        if (std::fabs(ray[c]) > tol) {
            *index = m.nrows + c;
            return kOk;
        }
    return kOk;
}

}  // namespace xprs
