// Solving problems with a quadratic objective. CLP's solvers can end "optimal" at points that
// are not (its primal method on some problems, its barrier on infeasible ones), so every answer
// is checked at the point it returns before it is called optimal, and a problem for which no
// answer passes is classified with linear programs: its constraints alone decide infeasibility,
// and a direction of recession on which the quadratic form vanishes and the objective improves
// proves unboundedness.
#include <ClpQuadraticObjective.hpp>
#include <ClpSimplex.hpp>
#include <ClpSolve.hpp>
#include <CoinPackedMatrix.hpp>
#include <CoinTime.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "dense_qp.h"
#include "problem.h"

namespace xprs {
namespace {

// Values this large come from a run of CLP's quadratic methods that diverged, never from an
// answer.
constexpr double kDiverged = 1e15;
// The same for the library's active-set method, whose points are the problem's own.
constexpr double kDenseDiverged = 1e30;
// The primal method's own iteration budget before the barrier is tried instead: it takes a few
// iterations per column where it works, and where it stalls it would otherwise run on.
constexpr int kPrimalBaseIterations = 1000;
constexpr int kPrimalIterationsPerVariable = 5;
// The box of the gap's linear program, relative to the point's largest value.
constexpr double kGapBox = 10.0;
// Rows and columns up to which a problem counts as small.
constexpr int kSmallProblem = 500;
// Rows and columns up to which the library's own active-set method solves the problem on dense
// matrices, in place of CLP's quadratic methods.
constexpr int kDenseProblem = 100;
// Its iteration budget: a few iterations per variable where it works.
constexpr int kDenseIterationsPerVariable = 20;
// The feasibility tolerance of the linear program that gives it its starting point.
constexpr double kStartTolerance = 1e-9;
// An improving direction of recession needs at least this much slope per unit step.
constexpr double kRaySlope = 1e-7;
// The part of a direction's terms in one row that may be rounding.
constexpr double kRayRounding = 1e-9;

// How the attempts went, for the results and the log.
struct Run {
    double start = CoinCpuTime();
    int iterations = 0;
    bool limitReached = false;  // the caller's iteration or time limit, not the library's own
    bool claimsInfeasible = false;
    bool claimsUnbounded = false;
    // Values from this size on are taken for a diverged run.
    double diverged = kDiverged;
};

bool stopped(const Problem& p) {
    return p.stopRequested;
}

void note(const Problem& p, Run& run, const ClpSimplex& lp) {
    run.iterations += lp.numberIterations();
    if (lp.status() == 3) {
        int seconds = p.controls.intValue(XPRS_MAXTIME);
        run.limitReached |= run.iterations >= p.controls.intValue(XPRS_LPITERLIMIT) ||
                            (seconds > 0 && CoinCpuTime() - run.start >= seconds);
    }
    run.claimsInfeasible |= lp.status() == 1;
    run.claimsUnbounded |= lp.status() == 2;
}

struct PointCheck {
    bool finite = true;
    double primalInf = 0.0;  // largest violation, relative to max(1, |bound|)
    double dualInf = 0.0;    // largest violation, relative to max(1, |gradient|)
    double sumPrimalInf = 0.0;
    double sumDualInf = 0.0;
    double objective = 0.0;
};

// The quadratic matrix of lp's objective, both triangles, by column.
const CoinPackedMatrix& quadraticMatrix(const ClpSimplex& lp) {
    auto* q = dynamic_cast<ClpQuadraticObjective*>(lp.objectiveAsObject());
    return *q->quadraticObjective();
}

// The gradient c + Qx and the objective c'x + x'Qx/2.
double gradientAndObjective(const ClpSimplex& lp, const double* x, std::vector<double>& g) {
    const int n = lp.numberColumns();
    const double* c = lp.getObjCoefficients();
    g.assign(c, c + n);
    double linear = 0.0;
    for (int j = 0; j < n; ++j) linear += c[j] * x[j];
    const CoinPackedMatrix& q = quadraticMatrix(lp);
    const CoinBigIndex* start = q.getVectorStarts();
    const int* length = q.getVectorLengths();
    const int* index = q.getIndices();
    const double* value = q.getElements();
    double quad = 0.0;
    for (int j = 0; j < q.getNumCols(); ++j)
        for (CoinBigIndex k = start[j]; k < start[j] + length[j]; ++k) {
            g[index[k]] += value[k] * x[j];
            quad += value[k] * x[index[k]] * x[j];
        }
    return linear + 0.5 * quad;
}

bool atBound(double v, double bound, double tol) {
    return std::fabs(v) < COIN_DBL_MAX &&
           std::fabs(v - bound) <= tol * std::max(1.0, std::fabs(bound));
}

// Violation of the sign condition on a multiplier d (minimisation sense) of a variable with
// value v within [lo, up].
double signViolation(double v, double lo, double up, double d, double ptol) {
    bool lower = lo > -COIN_DBL_MAX && atBound(v, lo, ptol);
    bool upper = up < COIN_DBL_MAX && atBound(v, up, ptol);
    if (lower && upper) return 0.0;
    if (lower) return std::max(0.0, -d);
    if (upper) return std::max(0.0, d);
    return std::fabs(d);
}

double boundViolation(double v, double lo, double up) {
    if (v < lo) return (lo - v) / std::max(1.0, std::fabs(lo));
    if (v > up) return (v - up) / std::max(1.0, std::fabs(up));
    return 0.0;
}

// Primal and dual feasibility and complementarity of lp's point, from the problem's data rather
// than CLP's own account of it.
PointCheck checkPoint(const Problem& p, const ClpSimplex& lp, double diverged) {
    PointCheck out;
    const int ncols = lp.numberColumns(), nrows = lp.numberRows();
    const double ptol = p.controls.dblValue(XPRS_FEASTOL);
    const double* x = lp.primalColumnSolution();
    const double* y = lp.dualRowSolution();
    for (int j = 0; j < ncols; ++j) out.finite &= std::fabs(x[j]) < diverged;
    for (int i = 0; i < nrows; ++i) out.finite &= std::fabs(y[i]) < diverged;
    if (!out.finite) return out;
    std::vector<double> g, act(nrows, 0.0), aty(ncols, 0.0);
    out.objective = gradientAndObjective(lp, x, g);
    const CoinPackedMatrix& a = *lp.matrix();
    a.times(x, act.data());
    a.transposeTimes(y, aty.data());
    const double dir = lp.optimizationDirection();
    const double* clo = lp.columnLower();
    const double* cup = lp.columnUpper();
    for (int j = 0; j < ncols; ++j) {
        double pv = boundViolation(x[j], clo[j], cup[j]);
        out.primalInf = std::max(out.primalInf, pv);
        out.sumPrimalInf += std::max(0.0, std::max(clo[j] - x[j], x[j] - cup[j]));
        double d = dir * (g[j] - aty[j]);
        double dv = signViolation(x[j], clo[j], cup[j], d, ptol);
        out.dualInf = std::max(out.dualInf, dv / std::max(1.0, std::fabs(g[j])));
        out.sumDualInf += dv;
    }
    const double* rlo = lp.rowLower();
    const double* rup = lp.rowUpper();
    for (int i = 0; i < nrows; ++i) {
        out.primalInf = std::max(out.primalInf, boundViolation(act[i], rlo[i], rup[i]));
        out.sumPrimalInf += std::max(0.0, std::max(rlo[i] - act[i], act[i] - rup[i]));
        double dv = signViolation(act[i], rlo[i], rup[i], dir * y[i], ptol);
        out.dualInf = std::max(out.dualInf, dv / std::max(1.0, std::fabs(y[i])));
        out.sumDualInf += dv;
    }
    return out;
}

// CLP's model of the problem's constraints with the given objective and, optionally, bounds.
std::unique_ptr<ClpSimplex> linearModel(Problem& p, const ClpSimplex& lp, const double* obj,
                                        const double* clo, const double* cup, const double* rlo,
                                        const double* rup) {
    auto out = std::make_unique<ClpSimplex>();
    out->loadProblem(*lp.matrix(), clo, cup, obj, rlo, rup);
    applyLpControls(p, *out);
    passInLogPoints(p, *out);
    return out;
}

// For a feasible point x of a convex problem, the gradient's linear program min g'z over the
// constraints bounds the objective's distance to the optimum: f(x) - f* <= g'x - min g'z. CLP's
// multipliers at the end of its quadratic methods do not always match the point (basic columns
// with non-zero reduced costs), so an answer that fails the multiplier test is judged by this
// bound instead: optimal when it is within the optimality tolerance relative to the objective.
// The program is kept within a box around x (ten times its largest value) so that it stays
// bounded; by convexity a small gap over the box still bounds the distance to the optimum.
bool certifiedByGap(Problem& p, const ClpSimplex& lp, const PointCheck& c, Run& run);

bool passes(Problem& p, const ClpSimplex& lp, const PointCheck& c, Run& run) {
    if (!c.finite || c.primalInf > p.controls.dblValue(XPRS_FEASTOL)) return false;
    return c.dualInf <= p.controls.dblValue(XPRS_OPTIMALITYTOL) || certifiedByGap(p, lp, c, run);
}

bool certifiedByGap(Problem& p, const ClpSimplex& lp, const PointCheck& c, Run& run) {
    const int n = lp.numberColumns();
    const double* x = lp.primalColumnSolution();
    std::vector<double> g;
    gradientAndObjective(lp, x, g);
    double radius = 1.0;
    for (int j = 0; j < n; ++j) radius = std::max(radius, std::fabs(x[j]));
    radius *= kGapBox;
    std::vector<double> lo(n), up(n);
    double atPoint = 0.0;
    for (int j = 0; j < n; ++j) {
        lo[j] = std::max(lp.columnLower()[j], x[j] - radius);
        up[j] = std::min(lp.columnUpper()[j], x[j] + radius);
        atPoint += g[j] * x[j];
    }
    auto model = linearModel(p, lp, g.data(), lo.data(), up.data(), lp.rowLower(), lp.rowUpper());
    model->setOptimizationDirection(1);
    model->dual();
    run.iterations += model->numberIterations();
    if (model->status() != 0) return false;
    double gap = atPoint - model->objectiveValue();
    double allowed =
        p.controls.dblValue(XPRS_OPTIMALITYTOL) * std::max(1.0, std::fabs(c.objective));
    return gap <= allowed;
}

// CLP's primal method from the current basis (or a slack basis), with the library's own
// iteration budget. An answer CLP calls optimal only in its scaled problem is finished without
// scaling.
void runPrimal(Problem& p, ClpSimplex& lp, Run& run) {
    const int userLimit = p.controls.intValue(XPRS_LPITERLIMIT);
    const long long budget =
        kPrimalBaseIterations + static_cast<long long>(kPrimalIterationsPerVariable) *
                                    (lp.numberRows() + lp.numberColumns());
    const int limit = static_cast<int>(std::min<long long>(userLimit, budget));
    lp.setMaximumIterations(limit);
    lp.primal();
    note(p, run, lp);
    if (lp.status() == 0 && lp.secondaryStatus() != 0 && !stopped(p)) {
        int scaling = lp.scalingFlag();
        lp.scaling(0);
        lp.primal(1);
        note(p, run, lp);
        lp.scaling(scaling);
    }
    lp.setMaximumIterations(userLimit);
}

// Copies the point, the multipliers (times sign), the basis and the status.
void takeSolution(const ClpSimplex& from, ClpSimplex& to, double sign) {
    const int n = to.numberColumns(), m = to.numberRows();
    std::copy(from.primalColumnSolution(), from.primalColumnSolution() + n,
              to.primalColumnSolution());
    std::copy(from.primalRowSolution(), from.primalRowSolution() + m, to.primalRowSolution());
    for (int i = 0; i < m; ++i) to.dualRowSolution()[i] = sign * from.dualRowSolution()[i];
    for (int j = 0; j < n; ++j) to.dualColumnSolution()[j] = sign * from.dualColumnSolution()[j];
    if (from.statusArray()) {
        if (!to.statusArray()) to.createStatus();
        std::copy(from.statusArray(), from.statusArray() + n + m, to.statusArray());
    }
    to.setProblemStatus(from.status());
}

// CLP's barrier without its own ending, then (crossover) its primal method from the barrier's
// point to a basis, unscaled so that the point it ends at is optimal in the problem as given. The
// barrier runs on a copy: it turns the quadratic objective into a form that CLP's primal method
// asserts on.
void runBarrier(Problem& p, ClpSimplex& lp, bool presolve, bool crossover, Run& run) {
    ClpSolve options;
    options.setSolveType(ClpSolve::useBarrierNoCross);
    options.setPresolveType(presolve ? ClpSolve::presolveOn : ClpSolve::presolveOff);
    options.setSpecialOption(2, 1);  // the host owns its signals
    int status;
    {
        ClpSimplex work(lp);
        p.quietenBarrierStart();
        work.initialSolve(options);
        p.endQuietBarrierStart();
        note(p, run, work);
        status = work.status();
        takeSolution(work, lp, 1.0);
    }
    lp.setProblemStatus(status);
    if (!crossover || stopped(p) || run.limitReached || status == 1 || status == 2) return;
    int scaling = lp.scalingFlag();
    lp.scaling(0);
    lp.primal(1);
    note(p, run, lp);
    lp.scaling(scaling);
}

// Whether the constraints can hold: a linear program over them with no objective. When they
// cannot, its point and basis, which minimise the infeasibility, replace lp's.
bool provesInfeasible(Problem& p, ClpSimplex& lp, Run& run) {
    std::vector<double> zero(lp.numberColumns(), 0.0);
    auto feas = linearModel(p, lp, zero.data(), lp.columnLower(), lp.columnUpper(), lp.rowLower(),
                            lp.rowUpper());
    feas->dual();
    run.iterations += feas->numberIterations();
    if (feas->status() != 1) return false;
    takeSolution(*feas, lp, 1.0);
    return true;
}

// Whether the terms of one row of a direction cancel or keep the sign its bounds require, beyond
// rounding: a direction's violation, unlike a point's, grows without end along it, so the
// primal tolerance of the linear program that found it does not apply (1e-7 d in a row of type L
// passes that program's tolerance at d = 1).
bool rayRowHolds(double sum, double size, double lo, double up) {
    const double slack = kRayRounding * size;
    return (lo <= -COIN_DBL_MAX || sum >= -slack) && (up >= COIN_DBL_MAX || sum <= slack);
}

// Checks d against the constraints and the quadratic form from the problem's data.
bool rayHolds(const ClpSimplex& lp, const double* d) {
    const int n = lp.numberColumns(), rows = lp.numberRows();
    for (int j = 0; j < n; ++j)
        if ((d[j] < 0.0 && lp.columnLower()[j] > -COIN_DBL_MAX) ||
            (d[j] > 0.0 && lp.columnUpper()[j] < COIN_DBL_MAX))
            return false;
    std::vector<double> sum(std::max(rows, n), 0.0), size(std::max(rows, n), 0.0);
    auto accumulate = [&](const CoinPackedMatrix& a) {
        std::fill(sum.begin(), sum.end(), 0.0);
        std::fill(size.begin(), size.end(), 0.0);
        for (int j = 0; j < a.getNumCols(); ++j) {
            const CoinBigIndex first = a.getVectorStarts()[j];
            for (CoinBigIndex k = first; k < first + a.getVectorLengths()[j]; ++k) {
                const double term = a.getElements()[k] * d[j];
                sum[a.getIndices()[k]] += term;
                size[a.getIndices()[k]] += std::fabs(term);
            }
        }
    };
    accumulate(*lp.matrix());
    for (int i = 0; i < rows; ++i)
        if (!rayRowHolds(sum[i], size[i], lp.rowLower()[i], lp.rowUpper()[i])) return false;
    accumulate(quadraticMatrix(lp));
    for (int j = 0; j < n; ++j)
        if (!rayRowHolds(sum[j], size[j], 0.0, 0.0)) return false;
    return true;
}

// A direction d of recession of the constraints with Qd = 0 along which the objective improves:
// on it the objective is linear and decreases without end. Found by a linear program over the
// directions within the unit box.
bool findRay(Problem& p, ClpSimplex& lp, Run& run, std::vector<double>& ray) {
    const int n = lp.numberColumns(), rows = lp.numberRows();
    std::vector<double> obj(n), clo(n), cup(n), rlo(rows), rup(rows);
    const double dir = lp.optimizationDirection();
    for (int j = 0; j < n; ++j) {
        obj[j] = dir * lp.getObjCoefficients()[j];
        clo[j] = lp.columnLower()[j] > -COIN_DBL_MAX ? 0.0 : -1.0;
        cup[j] = lp.columnUpper()[j] < COIN_DBL_MAX ? 0.0 : 1.0;
    }
    for (int i = 0; i < rows; ++i) {
        rlo[i] = lp.rowLower()[i] > -COIN_DBL_MAX ? 0.0 : -COIN_DBL_MAX;
        rup[i] = lp.rowUpper()[i] < COIN_DBL_MAX ? 0.0 : COIN_DBL_MAX;
    }
    auto model = linearModel(p, lp, obj.data(), clo.data(), cup.data(), rlo.data(), rup.data());
    model->setOptimizationDirection(1);
    // Qd = 0: one row for each column of Q that has entries (Q is symmetric).
    const CoinPackedMatrix& q = quadraticMatrix(lp);
    std::vector<CoinBigIndex> starts(1, 0);
    std::vector<int> cols;
    std::vector<double> vals;
    for (int j = 0; j < q.getNumCols(); ++j) {
        int length = q.getVectorLengths()[j];
        if (length == 0) continue;
        const CoinBigIndex first = q.getVectorStarts()[j];
        cols.insert(cols.end(), q.getIndices() + first, q.getIndices() + first + length);
        vals.insert(vals.end(), q.getElements() + first, q.getElements() + first + length);
        starts.push_back(static_cast<CoinBigIndex>(cols.size()));
    }
    const int extra = static_cast<int>(starts.size()) - 1;
    std::vector<double> zeros(extra, 0.0);
    model->addRows(extra, zeros.data(), zeros.data(), starts.data(), cols.data(), vals.data());
    model->primal();
    run.iterations += model->numberIterations();
    if (model->status() != 0 || model->objectiveValue() > -kRaySlope) return false;
    const double* d = model->primalColumnSolution();
    if (!rayHolds(lp, d)) return false;
    ray.assign(d, d + n);
    return true;
}

// The primal method is the faster on small problems, where most rows are equations and where
// columns are free (CLP's barrier splits them, and its factors fill in); the barrier with
// presolve and a crossover where many rows are inequalities, on which the primal method moves
// through many vertices (measured on the Maros-Meszaros problems, bench/qp).
bool prefersBarrier(const ClpSimplex& lp) {
    const int rows = lp.numberRows(), cols = lp.numberColumns();
    if (rows + cols <= kSmallProblem) return false;
    for (int j = 0; j < cols; ++j)
        if (lp.columnLower()[j] <= -COIN_DBL_MAX && lp.columnUpper()[j] >= COIN_DBL_MAX)
            return false;
    int inequalities = 0;
    for (int i = 0; i < rows; ++i) inequalities += lp.rowLower()[i] != lp.rowUpper()[i];
    return 2 * inequalities > rows;
}

// Whether a column outside the quadratic form has a cost that improves without end along an
// infinite bound. CLP's quadratic primal method asserts or loops inside one iteration on such
// columns when they make the problem unbounded, so these problems are classified first.
bool hasOpenLinearColumn(const ClpSimplex& lp) {
    const CoinPackedMatrix& q = quadraticMatrix(lp);
    const int n = lp.numberColumns();
    std::vector<char> quadratic(n, 0);
    for (int j = 0; j < q.getNumCols(); ++j) {
        const CoinBigIndex first = q.getVectorStarts()[j];
        for (CoinBigIndex k = first; k < first + q.getVectorLengths()[j]; ++k)
            if (q.getElements()[k] != 0.0) quadratic[j] = quadratic[q.getIndices()[k]] = 1;
    }
    const double* c = lp.getObjCoefficients();
    for (int j = 0; j < n; ++j) {
        if (quadratic[j] || c[j] == 0.0) continue;
        if (c[j] < 0.0 ? lp.columnUpper()[j] >= COIN_DBL_MAX : lp.columnLower()[j] <= -COIN_DBL_MAX)
            return true;
    }
    return false;
}

// CLP's methods end at a local optimum of a non-convex objective and call it optimal; no method
// here can tell a global one, so such a problem ends unfinished.
const char* const kNotConvex =
    "Quadratic problem: the objective is not convex; no answer can be proved optimal";

// A squared term of a minimisation with a negative coefficient on a column that is not fixed
// (for separable objectives).
bool hasNegativeSquare(const ClpSimplex& lp) {
    const CoinPackedMatrix& q = quadraticMatrix(lp);
    for (int j = 0; j < q.getNumCols(); ++j) {
        const CoinBigIndex first = q.getVectorStarts()[j];
        for (CoinBigIndex k = first; k < first + q.getVectorLengths()[j]; ++k)
            if (q.getIndices()[k] == j && q.getElements()[k] < 0.0 &&
                lp.columnLower()[j] < lp.columnUpper()[j])
                return true;
    }
    return false;
}

// Columns of the quadratic form up to which an objective with cross terms is checked for
// convexity by a dense factorisation (a sixth of the cube in multiply-adds); beyond, by its 2 x 2
// principal minors alone, which every convex objective passes.
constexpr int kDenseConvexityColumns = 1000;
// The shift, relative to Q's largest entry, that a positive semi-definite Q takes to positive
// definite beyond rounding: eigenvalues above minus this count as zero.
constexpr double kConvexityShift = 1e-9;

// Whether a principal minor of order 1 or 2 of Q over the columns that are not fixed is
// negative: a negative square, or a cross term larger than its squares allow.
bool hasNegativeMinor(const CoinPackedMatrix& q, const std::vector<int>& order) {
    auto diagonal = [&](int j) {
        const CoinBigIndex first = q.getVectorStarts()[j];
        double d = 0.0;
        for (CoinBigIndex k = first; k < first + q.getVectorLengths()[j]; ++k)
            if (q.getIndices()[k] == j) d += q.getElements()[k];
        return d;
    };
    std::vector<double> d(q.getNumCols());
    for (int j = 0; j < q.getNumCols(); ++j) d[j] = order[j] >= 0 ? diagonal(j) : 0.0;
    for (int j = 0; j < q.getNumCols(); ++j) {
        if (order[j] < 0) continue;
        if (d[j] < 0.0) return true;
        const CoinBigIndex first = q.getVectorStarts()[j];
        for (CoinBigIndex k = first; k < first + q.getVectorLengths()[j]; ++k) {
            const int i = q.getIndices()[k];
            const double a = q.getElements()[k];
            if (i != j && order[i] >= 0 && a * a > d[i] * d[j] * (1.0 + 1e-12)) return true;
        }
    }
    return false;
}

// Whether Q, shifted by kConvexityShift of its largest entry, has a Cholesky factor over the
// columns in order (k of them, numbered 0 to k-1).
bool factorsShifted(const CoinPackedMatrix& q, const std::vector<int>& order, int k) {
    std::vector<double> a(static_cast<size_t>(k) * k, 0.0);
    double largest = 0.0;
    for (int j = 0; j < q.getNumCols(); ++j) {
        if (order[j] < 0) continue;
        const CoinBigIndex first = q.getVectorStarts()[j];
        for (CoinBigIndex e = first; e < first + q.getVectorLengths()[j]; ++e) {
            const int i = q.getIndices()[e];
            if (order[i] < 0) continue;
            a[static_cast<size_t>(order[i]) * k + order[j]] += q.getElements()[e];
            largest = std::max(largest, std::fabs(q.getElements()[e]));
        }
    }
    const double shift = kConvexityShift * largest;
    for (int j = 0; j < k; ++j) {
        double* row = &a[static_cast<size_t>(j) * k];
        double pivot = row[j] + shift;
        for (int t = 0; t < j; ++t) pivot -= row[t] * row[t];
        if (!(pivot > 0.0)) return false;
        row[j] = std::sqrt(pivot);
        for (int i = j + 1; i < k; ++i) {
            double* other = &a[static_cast<size_t>(i) * k];
            double v = other[j];
            for (int t = 0; t < j; ++t) v -= other[t] * row[t];
            other[j] = v / row[j];
        }
    }
    return true;
}

// Whether an objective with cross terms is convex over the columns that are not fixed (a fixed
// column's terms are constant or linear).
bool crossTermsConvex(const ClpSimplex& lp) {
    const CoinPackedMatrix& q = quadraticMatrix(lp);
    std::vector<int> order(q.getNumCols(), -1);
    int k = 0;
    for (int j = 0; j < q.getNumCols(); ++j) {
        bool inForm = false;
        const CoinBigIndex first = q.getVectorStarts()[j];
        for (CoinBigIndex e = first; e < first + q.getVectorLengths()[j] && !inForm; ++e)
            inForm = q.getElements()[e] != 0.0;
        if (inForm && lp.columnLower()[j] < lp.columnUpper()[j]) order[j] = k++;
    }
    if (hasNegativeMinor(q, order)) return false;
    return k > kDenseConvexityColumns || factorsShifted(q, order, k);
}

bool isSeparable(const Model& m) {
    for (size_t k = 0; k < m.qcoef.size(); ++k)
        if (m.qcol1[k] != m.qcol2[k] && m.qcoef[k] != 0.0) return false;
    return true;
}

enum class Method { kPrimal, kBarrier, kBarrierWithoutPresolve };

const char* methodName(Method m) {
    switch (m) {
        case Method::kPrimal:
            return "the primal method";
        case Method::kBarrier:
            return "the barrier";
        default:
            return "the barrier without presolve";
    }
}

// The methods to try, in order. CLP's primal method can loop without end (inside an iteration,
// where no limit reaches it) on objectives with cross terms between free columns, so those
// problems only see the barrier, without a crossover.
std::vector<Method> plan(const Problem& p, const ClpSimplex& lp, bool separable) {
    const bool presolve = p.controls.intValue(XPRS_PRESOLVE) != 0;
    const Method barrier = presolve ? Method::kBarrier : Method::kBarrierWithoutPresolve;
    const bool primalFirst = separable && !prefersBarrier(lp);
    std::vector<Method> out;
    out.reserve(3);
    if (primalFirst) out.push_back(Method::kPrimal);
    out.push_back(barrier);
    if (separable && !primalFirst) out.push_back(Method::kPrimal);
    if (presolve) out.push_back(Method::kBarrierWithoutPresolve);
    return out;
}

// The problem on dense matrices, with bounds at 1e20 or beyond as infinite.
dense::Qp denseProblem(const ClpSimplex& lp) {
    dense::Qp qp;
    const int n = qp.n = lp.numberColumns(), m = qp.m = lp.numberRows();
    auto bound = [](double v) { return std::fabs(v) >= kInfinity ? (v < 0 ? -1e300 : 1e300) : v; };
    qp.c.assign(lp.getObjCoefficients(), lp.getObjCoefficients() + n);
    qp.q.assign(static_cast<size_t>(n) * n, 0.0);
    qp.a.assign(static_cast<size_t>(m) * n, 0.0);
    const CoinPackedMatrix& q = quadraticMatrix(lp);
    for (int j = 0; j < q.getNumCols(); ++j)
        for (CoinBigIndex k = q.getVectorStarts()[j];
             k < q.getVectorStarts()[j] + q.getVectorLengths()[j]; ++k)
            qp.q[static_cast<size_t>(q.getIndices()[k]) * n + j] += q.getElements()[k];
    const CoinPackedMatrix& a = *lp.matrix();
    for (int j = 0; j < a.getNumCols(); ++j)
        for (CoinBigIndex k = a.getVectorStarts()[j];
             k < a.getVectorStarts()[j] + a.getVectorLengths()[j]; ++k)
            qp.a[static_cast<size_t>(a.getIndices()[k]) * n + j] += a.getElements()[k];
    for (int j = 0; j < n; ++j) {
        qp.lo.push_back(bound(lp.columnLower()[j]));
        qp.up.push_back(bound(lp.columnUpper()[j]));
    }
    for (int i = 0; i < m; ++i) {
        qp.lo.push_back(bound(lp.rowLower()[i]));
        qp.up.push_back(bound(lp.rowUpper()[i]));
    }
    return qp;
}

// The active-set method's point, multipliers and basis into lp.
void takeDense(const dense::Answer& a, ClpSimplex& lp) {
    const int n = lp.numberColumns(), m = lp.numberRows();
    std::copy(a.x.begin(), a.x.end(), lp.primalColumnSolution());
    std::copy(a.y.begin(), a.y.end(), lp.dualRowSolution());
    std::vector<double> g, aty(n, 0.0);
    gradientAndObjective(lp, a.x.data(), g);
    lp.matrix()->times(a.x.data(), lp.primalRowSolution());
    lp.matrix()->transposeTimes(a.y.data(), aty.data());
    for (int j = 0; j < n; ++j) lp.dualColumnSolution()[j] = g[j] - aty[j];
    if (!lp.statusArray()) lp.createStatus();
    auto status = [&](int v) {
        if (a.basic[v]) return ClpSimplex::basic;
        if (a.state[v] == 'L') return ClpSimplex::atLowerBound;
        if (a.state[v] == 'U') return ClpSimplex::atUpperBound;
        return ClpSimplex::superBasic;
    };
    for (int j = 0; j < n; ++j) lp.setColumnStatus(j, status(j));
    for (int i = 0; i < m; ++i) lp.setRowStatus(i, status(n + i));
}

// Small problems: a linear program over the constraints decides feasibility and gives the
// starting point, then the library's active-set method solves the problem; a direction it
// finds unbounded is checked as any other. Returns the LP status.
int solveDense(Problem& p, ClpSimplex& lp, Run& run, const std::function<bool()>& verify) {
    std::vector<double> zero(lp.numberColumns(), 0.0);
    auto feas = linearModel(p, lp, zero.data(), lp.columnLower(), lp.columnUpper(), lp.rowLower(),
                            lp.rowUpper());
    feas->setPrimalTolerance(std::min(kStartTolerance, p.controls.dblValue(XPRS_FEASTOL)));
    feas->dual();
    note(p, run, *feas);
    run.claimsInfeasible = run.claimsUnbounded = false;
    if (feas->status() == 1 && !stopped(p)) {
        takeSolution(*feas, lp, 1.0);
        p.info("Quadratic problem: the constraints cannot be satisfied");
        return XPRS_LP_INFEAS;
    }
    if (feas->status() != 0 || stopped(p)) return XPRS_LP_UNFINISHED;
    const dense::Qp qp = denseProblem(lp);
    const int userLimit = p.controls.intValue(XPRS_LPITERLIMIT) - run.iterations;
    const long long budget =
        kPrimalBaseIterations + static_cast<long long>(kDenseIterationsPerVariable) * (qp.n + qp.m);
    const int limit =
        static_cast<int>(std::max<long long>(0, std::min<long long>(userLimit, budget)));
    const int every = std::abs(p.controls.intValue(XPRS_LPLOG));
    const int seconds = p.controls.intValue(XPRS_MAXTIME);
    bool outOfTime = false;
    auto stop = [&](int iteration) {
        outOfTime = seconds > 0 && CoinCpuTime() - run.start >= seconds;
        return outOfTime || p.logPoint(every > 0 && iteration > 0 && iteration % every == 0);
    };
    std::vector<double> start(feas->primalColumnSolution(), feas->primalColumnSolution() + qp.n);
    const dense::Answer a = dense::solve(qp, start, limit, stop);
    if (a.end == dense::End::kNotConvex) {
        takeSolution(*feas, lp, 1.0);
        p.info(kNotConvex);
        return XPRS_LP_UNFINISHED;
    }
    feas.reset();
    // The method's values stay finite by construction; a large one is the problem's own.
    run.diverged = kDenseDiverged;
    run.iterations += a.iterations;
    takeDense(a, lp);
    lp.setProblemStatus(a.end == dense::End::kOptimal ? 0 : 3);
    switch (a.end) {
        case dense::End::kOptimal:
            return verify() ? XPRS_LP_OPTIMAL : XPRS_LP_UNFINISHED;
        case dense::End::kUnbounded:
            if (findRay(p, lp, run, p.ownRay)) {
                p.info(
                    "Quadratic problem: the objective is unbounded along a direction of recession");
                return XPRS_LP_UNBOUNDED;
            }
            p.info("Quadratic problem: a direction of descent was found but not confirmed");
            return XPRS_LP_UNFINISHED;
        case dense::End::kLimit:
            run.limitReached = limit == userLimit;
            p.info("Quadratic problem: the active-set method reached its iteration limit");
            return XPRS_LP_UNFINISHED;
        default:
            run.limitReached = outOfTime;
            return XPRS_LP_UNFINISHED;
    }
}

void solveMinimisation(Problem& p, ClpSimplex& lp) {
    Results& r = p.results;
    Run run;
    p.ownRay.clear();
    int status = XPRS_LP_UNFINISHED;
    bool verified = false;
    bool classified = false;
    auto classify = [&]() {
        classified = true;
        if (provesInfeasible(p, lp, run)) {
            status = XPRS_LP_INFEAS;
            p.info("Quadratic problem: the constraints cannot be satisfied");
            return true;
        }
        if (stopped(p)) return true;
        if (findRay(p, lp, run, p.ownRay)) {
            status = XPRS_LP_UNBOUNDED;
            p.info("Quadratic problem: the objective is unbounded along a direction of recession");
            return true;
        }
        return stopped(p);
    };
    auto verify = [&]() {
        if (stopped(p) || run.limitReached || lp.status() != 0) return false;
        PointCheck check = checkPoint(p, lp, run.diverged);
        verified = passes(p, lp, check, run);
        if (!verified) {
            char line[160];
            std::snprintf(line, sizeof line,
                          "Quadratic problem: the answer is not optimal: relative primal "
                          "infeasibility %.3g, dual infeasibility %.3g",
                          check.primalInf, check.dualInf);
            p.info(line);
        }
        return verified;
    };
    const bool separable = isSeparable(p.model);
    const std::vector<Method> methods = plan(p, lp, separable);
    bool done = false;
    if (lp.numberRows() + lp.numberColumns() <= kDenseProblem) {
        status = solveDense(p, lp, run, verify);
        done = true;
    } else if (separable ? hasNegativeSquare(lp) : !crossTermsConvex(lp)) {
        p.info(kNotConvex);
        done = true;
    } else if (hasOpenLinearColumn(lp)) {
        p.info(
            "Quadratic problem: a column outside the quadratic form is unbounded in the "
            "direction of its cost; the problem is classified first");
        done = classify();
    }
    for (size_t k = 0; k < methods.size() && !done; ++k) {
        const Method method = methods[k];
        if (k > 0) p.info(std::string("Quadratic problem: trying ") + methodName(method));
        if (method == Method::kPrimal)
            runPrimal(p, lp, run);
        else
            runBarrier(p, lp, method == Method::kBarrier, separable, run);
        done = verify() || stopped(p) || run.limitReached;
        // A second failure, or a method's claim, has the problem classified.
        if (!done && !classified && (k > 0 || run.claimsInfeasible || run.claimsUnbounded))
            done = classify();
    }
    if (verified) status = XPRS_LP_OPTIMAL;
    if (stopped(p)) status = XPRS_LP_UNFINISHED;
    PointCheck check = checkPoint(p, lp, run.diverged);
    r.lpStatus = status;
    r.simplexIter = run.iterations;
    r.lpObj = check.finite ? check.objective : lp.objectiveValue();
    r.sumPrimalInf = status == XPRS_LP_OPTIMAL ? 0.0 : check.sumPrimalInf;
    r.barDualInf = status == XPRS_LP_OPTIMAL ? 0.0 : check.sumDualInf;
    p.hasBasis = lp.statusArray() != nullptr;
}

// CLP's quadratic solvers assert on maximisation, so a maximisation is solved as the
// minimisation of the negated objective, whose duals and reduced costs change sign.
std::unique_ptr<ClpSimplex> negatedCopy(const ClpSimplex& lp) {
    auto neg = std::make_unique<ClpSimplex>(lp);
    neg->setOptimizationDirection(1);
    for (int j = 0; j < lp.numberColumns(); ++j)
        neg->setObjectiveCoefficient(j, -lp.getObjCoefficients()[j]);
    auto* q = dynamic_cast<ClpQuadraticObjective*>(neg->objectiveAsObject());
    CoinPackedMatrix& matrix = *q->quadraticObjective();
    double* value = matrix.getMutableElements();
    const CoinBigIndex* start = matrix.getVectorStarts();
    const int* length = matrix.getVectorLengths();
    for (int j = 0; j < matrix.getNumCols(); ++j)
        for (CoinBigIndex k = start[j]; k < start[j] + length[j]; ++k) value[k] = -value[k];
    return neg;
}

}  // namespace

void solveQuadratic(Problem& p, ClpSimplex& lp) {
    if (lp.optimizationDirection() >= 0) {
        solveMinimisation(p, lp);
        return;
    }
    auto neg = negatedCopy(lp);
    solveMinimisation(p, *neg);
    takeSolution(*neg, lp, -1.0);
    p.results.lpObj = -p.results.lpObj;
}

}  // namespace xprs
