// Solving the continuous problem with CLP.
#include <ClpEventHandler.hpp>
#include <ClpSimplex.hpp>
#include <ClpSolve.hpp>
#include <OsiClpSolverInterface.hpp>
#include <algorithm>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "problem.h"

namespace xprs {
namespace {

enum class Algorithm { kAutomatic, kDual, kPrimal, kBarrier };

// CLP's bits, as its driver sets them.
constexpr int kPresolveDependentRows = 32768;
constexpr int kPresolveNoImpliedFree = 64;
constexpr int kBarrierScaling = 2048;
constexpr int kFlexibleInitialSolve = 16384;
constexpr int kDriverPerturbation = 50;
// CBC's driver: the scaling of its continuous solves, and the solver options it sets for the
// relaxation that starts a search.
constexpr int kSearchScaling = 4;
constexpr int kSearchRootOptions = 0x40000000 | 1024;
// Rows and columns up to which the barrier runs only on a problem the dual simplex solves.
constexpr int kProbedBarrier = 100;

// The log points of CLP's solves: every n simplex iterations, and every barrier iteration.
// CLP clones this into the models it derives (presolve, the search's node problems), so the state
// it shares lives in the problem.
class IterationEvents : public ClpEventHandler {
  public:
    IterationEvents(Problem* p, int every) : p_(p), every_(every) {}
    ClpEventHandler* clone() const override { return new IterationEvents(*this); }
    int event(Event e) override {
        // Other events keep CLP's own answers, which steer its path.
        if (e != endOfIteration) return ClpEventHandler::event(e);
        // The barrier reports its iterations without a simplex model; its notes to standard
        // output come before the first.
        if (!model_) p_->endQuietBarrierStart();
        bool due = !model_ || (every_ > 0 && model_->numberIterations() > 0 &&
                               model_->numberIterations() % every_ == 0);
        return p_->logPoint(due) ? 0 : -1;
    }

  private:
    Problem* p_;
    int every_;
};

int parseAlgorithm(Problem& p, const char* flags, Algorithm& alg) {
    switch (p.controls.intValue(XPRS_DEFAULTALG)) {
        case 2:
            alg = Algorithm::kDual;
            break;
        case 3:
        case 5:
            alg = Algorithm::kPrimal;
            break;
        case 4:
            alg = Algorithm::kBarrier;
            break;
        default:
            alg = Algorithm::kAutomatic;
    }
    for (const char* f = flags ? flags : ""; *f; ++f) {
        switch (*f) {
            case 'p':
            case 'n':
                alg = Algorithm::kPrimal;
                break;
            case 'd':
                alg = Algorithm::kDual;
                break;
            case 'b':
                alg = Algorithm::kBarrier;
                break;
            case 'l':
                break;
            default:
                return p.fail(kBadArgument, std::string("unknown solve flag '") + *f + "'");
        }
    }
    return kOk;
}

int lpStatusOf(const Problem& p, const ClpSimplex& lp) {
    if (p.stopRequested) return XPRS_LP_UNFINISHED;
    switch (lp.status()) {
        case 0:
            return XPRS_LP_OPTIMAL;
        case 1:
            return XPRS_LP_INFEAS;
        case 2:
            return XPRS_LP_UNBOUNDED;
        default:
            return XPRS_LP_UNFINISHED;
    }
}

// The settings of CLP's own driver for each algorithm ("dualsimplex", "primalsimplex", "either"
// and "barrier"), so that a cold start takes the path, and the iterations, that CLP takes when
// run by itself at the same tolerances.
ClpSolve driverOptions(Algorithm alg, bool presolve) {
    ClpSolve options;
    // The driver's presolve: its default actions with dependent rows looked for, singleton
    // columns made slacks, substitutions of up to 3 columns.
    options.setPresolveActions(kPresolveDependentRows);
    options.setSubstitution(3);
    options.setPresolveType(presolve ? ClpSolve::presolveOn : ClpSolve::presolveOff);
    // CLP would otherwise take SIGINT for the time of the solve: the host owns its signals.
    options.setSpecialOption(2, 1);
    switch (alg) {
        case Algorithm::kDual:
            options.setSolveType(ClpSolve::useDual);
            options.setSpecialOption(0, 2, -1);  // idiot crash at CLP's discretion
            break;
        case Algorithm::kPrimal:
            options.setSolveType(ClpSolve::usePrimalorSprint);
            options.setSpecialOption(1, 7);  // crash, idiot or sprint at CLP's discretion
            break;
        case Algorithm::kBarrier:
            options.setSolveType(ClpSolve::useBarrier);
            options.setSpecialOption(4, kBarrierScaling);
            break;
        default:
            options.setSolveType(ClpSolve::automatic);
            options.setSpecialOption(3, 0);  // +-1 matrices allowed
    }
    return options;
}

void runColdStart(Problem& p, ClpSimplex& lp, Algorithm alg, bool presolve) {
    ClpSolve options = driverOptions(alg, presolve);
    if (presolve && entriesTooWide(lp)) {
        p.info(
            "Presolve: the matrix's entries span more than 12 orders of magnitude; implied free "
            "columns are not substituted");
        options.setPresolveActions(options.presolveActions() | kPresolveNoImpliedFree);
    }
    // The driver's "either" lets initialSolve choose more freely.
    int saved = lp.moreSpecialOptions();
    if (alg == Algorithm::kAutomatic) lp.setMoreSpecialOptions(saved | kFlexibleInitialSolve);
    if (alg == Algorithm::kBarrier) p.quietenBarrierStart();
    lp.initialSolve(options);
    p.endQuietBarrierStart();
    lp.setMoreSpecialOptions(saved);
}

void runWarmStart(ClpSimplex& lp, Algorithm alg) {
    if (alg == Algorithm::kPrimal)
        lp.primal(1);
    else
        lp.dual(0);
}

// The first row that no point within the column bounds can satisfy (an empty row whose bounds
// exclude zero, a row whose activity cannot reach its range), or -1. CLP's barrier diverges on
// such a row until it asserts or aborts, where the simplex methods report the problem infeasible.
int unsatisfiableRow(const ClpSimplex& lp, double tol) {
    const int rows = lp.numberRows(), cols = lp.numberColumns();
    std::vector<double> low(rows, 0.0), high(rows, 0.0);
    std::vector<char> lowInf(rows, 0), highInf(rows, 0);
    const CoinPackedMatrix& a = *lp.matrix();
    const CoinBigIndex* start = a.getVectorStarts();
    const int* length = a.getVectorLengths();
    const int* index = a.getIndices();
    const double* value = a.getElements();
    const double* clo = lp.columnLower();
    const double* cup = lp.columnUpper();
    for (int j = 0; j < cols; ++j)
        for (CoinBigIndex k = start[j]; k < start[j] + length[j]; ++k) {
            const int i = index[k];
            const double v = value[k];
            const double lo = v > 0 ? clo[j] : cup[j], up = v > 0 ? cup[j] : clo[j];
            if (std::fabs(lo) >= COIN_DBL_MAX)
                lowInf[i] = 1;
            else
                low[i] += v * lo;
            if (std::fabs(up) >= COIN_DBL_MAX)
                highInf[i] = 1;
            else
                high[i] += v * up;
        }
    for (int i = 0; i < rows; ++i) {
        const double rlo = lp.rowLower()[i], rup = lp.rowUpper()[i];
        if (!highInf[i] && rlo > -COIN_DBL_MAX &&
            rlo - high[i] > tol * std::max(1.0, std::fabs(rlo)))
            return i;
        if (!lowInf[i] && rup < COIN_DBL_MAX && low[i] - rup > tol * std::max(1.0, std::fabs(rup)))
            return i;
    }
    return -1;
}

// The first column that alone is a ray: its cost improves along an infinite bound by more than
// leastCost and none of its rows bounds it in that direction; or -1. CLP's barrier diverges on
// such a problem until it aborts ("dual off to infinity"), where the simplex methods report it
// unbounded.
int unboundedColumn(const ClpSimplex& lp, double leastCost = 0.0) {
    const CoinPackedMatrix& a = *lp.matrix();
    const double dir = lp.optimizationDirection();
    for (int j = 0; j < lp.numberColumns(); ++j) {
        const double c = dir * lp.getObjCoefficients()[j];
        if (std::fabs(c) <= leastCost) continue;
        const double step = c < 0 ? 1.0 : -1.0;  // the direction in which the cost falls
        if ((step > 0 ? lp.columnUpper()[j] : -lp.columnLower()[j]) < COIN_DBL_MAX) continue;
        bool open = true;
        const CoinBigIndex first = a.getVectorStarts()[j];
        for (CoinBigIndex k = first; k < first + a.getVectorLengths()[j] && open; ++k) {
            const double move = step * a.getElements()[k];
            const int i = a.getIndices()[k];
            if (move > 0) open = lp.rowUpper()[i] >= COIN_DBL_MAX;
            if (move < 0) open = lp.rowLower()[i] <= -COIN_DBL_MAX;
        }
        if (open) return j;
    }
    return -1;
}

// Whether the dual simplex, on a silent copy of lp, ends optimal. CLP's barrier diverges on
// infeasible and unbounded problems until it asserts or aborts, in ways no single row or column
// shows; on small problems the simplex tells them apart at little cost.
bool hasOptimum(const ClpSimplex& lp) {
    ClpSimplex probe(lp);
    ClpEventHandler plain;
    probe.passInEventHandler(&plain);
    probe.setLogLevel(0);
    probe.dual();
    return probe.status() == 0;
}

// The barrier is kept from problems that a row alone proves infeasible or a column alone
// unbounded: the dual simplex solves them instead, once per solve, and says so.
Algorithm safeAlgorithm(Problem& p, const ClpSimplex& lp, Algorithm alg) {
    if (alg != Algorithm::kBarrier) return alg;
    const int row = unsatisfiableRow(lp, p.controls.dblValue(XPRS_FEASTOL));
    if (row >= 0) {
        p.info("Barrier: row " + std::to_string(p.rows.loaded(row)) +
               " cannot be satisfied within the column bounds; the dual simplex solves the "
               "problem");
        return Algorithm::kDual;
    }
    const int col = unboundedColumn(lp);
    if (col >= 0) {
        p.info("Barrier: column " + std::to_string(col) +
               " improves the objective without a bound; the dual simplex solves the problem");
        return Algorithm::kDual;
    }
    if (lp.numberRows() + lp.numberColumns() <= kProbedBarrier && !hasOptimum(lp)) {
        p.info(
            "Barrier: the dual simplex finds no optimum of this small problem; it solves the "
            "problem");
        return Algorithm::kDual;
    }
    return alg;
}

// Whether presolve's substitutions could give a column an objective coefficient of the
// library's largest accepted magnitude or more: eliminating column k through row i adds
// c_k a_ij / a_ik to column j's cost, which CLP's simplex asserts on from 1e25. Each entry is
// tested against its row's largest |c_k / a_ik|, the size of one substitution, with five orders
// of magnitude to spare for the substitutions that follow it.
bool substitutionsOverflow(const ClpSimplex& lp) {
    const int rows = lp.numberRows(), cols = lp.numberColumns();
    const CoinPackedMatrix& a = *lp.matrix();
    const CoinBigIndex* start = a.getVectorStarts();
    const int* length = a.getVectorLengths();
    const int* index = a.getIndices();
    const double* value = a.getElements();
    const double* c = lp.getObjCoefficients();
    std::vector<double> ratio(rows, 0.0);
    for (int k = 0; k < cols; ++k)
        for (CoinBigIndex e = start[k]; e < start[k] + length[k]; ++e)
            if (value[e] != 0.0)
                ratio[index[e]] = std::max(ratio[index[e]], std::fabs(c[k] / value[e]));
    for (int j = 0; j < cols; ++j)
        for (CoinBigIndex e = start[j]; e < start[j] + length[j]; ++e)
            if (std::fabs(value[e]) * ratio[index[e]] >= kLargestCoefficient) return true;
    return false;
}

bool presolveFor(Problem& p, const ClpSimplex& lp) {
    if (p.controls.intValue(XPRS_PRESOLVE) == 0) return false;
    if (!substitutionsOverflow(lp)) return true;
    p.info(
        "Presolve: its substitutions could make objective coefficients of 1e20 or more; the "
        "problem is solved without presolve");
    return false;
}

// A status left by an interrupted or failed run is kept when the arrays exist: CLP's own warm
// start copes with any consistent set of statuses.
void runSolve(Problem& p, ClpSimplex& lp, Algorithm alg) {
    if (p.hasBasis && alg != Algorithm::kBarrier) {
        runWarmStart(lp, alg);
        return;
    }
    runColdStart(p, lp, safeAlgorithm(p, lp, alg), presolveFor(p, lp));
}

// The relaxation that starts an integer search on CBC's standard driver is solved as that driver
// solves it, so that the search, handed its optimal basis, takes the driver's own path: at a
// degenerate optimum another solve of the same relaxation ends in another optimal basis, from
// which the search branches differently. This applies when the controls leave the choice to
// the library (automatic algorithm, presolve and scaling on) and the search is a cold start.
bool solvesAsSearchRoot(const Problem& p, const char* flags, bool forSearch, Algorithm alg) {
    const Model& m = p.model;
    if (alg != Algorithm::kAutomatic || p.hasBasis || !m.qcoef.empty() || !m.sets.empty())
        return false;
    if (!forSearch && !(flags && std::strchr(flags, 'l'))) return false;
    bool integers = false;
    for (char t : m.coltype) {
        if (t == 'S') return false;  // the object search, not the driver
        integers = integers || t != 'C';
    }
    const Controls& c = p.controls;
    return integers && c.intValue(XPRS_PRESOLVE) != 0 && c.intValue(XPRS_SCALING) != 0;
}

// The driver's settings for its first solve: its scaling and perturbation, the search's primal
// tolerance, and OsiClpSolverInterface's initial solve, which presolves and runs the dual.
void runSearchRoot(Problem& p, ClpSimplex& lp) {
    lp.scaling(kSearchScaling);
    lp.setPerturbation(kDriverPerturbation);
    lp.setPrimalTolerance(std::min(kSearchPrimalTolerance, p.controls.dblValue(XPRS_FEASTOL)));
    lp.setDualTolerance(std::min(kSearchDualTolerance, p.controls.dblValue(XPRS_OPTIMALITYTOL)));
    OsiClpSolverInterface solver(&lp, false);
    solver.setHintParam(OsiDoReducePrint, true, OsiHintTry);
    solver.setSpecialOptions(kSearchRootOptions);
    ClpSolve options;
    options.setSpecialOption(2, 1);  // the host owns its signals
    solver.setSolveOptions(options);
    solver.initialSolve();
    solver.releaseClp();
    char line[160];
    std::snprintf(
        line, sizeof line, "Relaxation for the search: %s objective %.10g - %d iterations",
        lp.status() == 0 ? "optimal" : "not optimal,", lp.objectiveValue(), lp.numberIterations());
    p.info(line);
    // Later continuous solves take the controls' settings again.
    lp.setPrimalTolerance(p.controls.dblValue(XPRS_FEASTOL));
    lp.setDualTolerance(p.controls.dblValue(XPRS_OPTIMALITYTOL));
}

// The simplex methods can end optimal on a problem that one column alone proves unbounded: with
// entries of 1e9 on that column, the duals that stop it lie within the dual tolerance although
// their sign is wrong, and a search from such an optimum asserted in CLP's strong branching.
// The column itself is the ray, so the status says unbounded.
int checkedLpStatus(Problem& p, const ClpSimplex& lp) {
    const int status = lpStatusOf(p, lp);
    if (status != XPRS_LP_OPTIMAL) return status;
    const int col = unboundedColumn(lp, lp.dualTolerance());
    if (col < 0) return status;
    p.info("The optimum is not one: column " + std::to_string(col + 1) +
           " improves the objective without a bound, the problem is unbounded");
    p.ownRay.assign(lp.numberColumns(), 0.0);
    p.ownRay[col] = lp.optimizationDirection() * lp.getObjCoefficients()[col] < 0 ? 1.0 : -1.0;
    return XPRS_LP_UNBOUNDED;
}

void recordResults(Problem& p, ClpSimplex& lp, Algorithm alg) {
    Results& r = p.results;
    r.lpStatus = checkedLpStatus(p, lp);
    r.simplexIter = lp.numberIterations();
    r.lpObj = lp.objectiveValue();
    r.sumPrimalInf = r.lpStatus == XPRS_LP_OPTIMAL ? 0.0 : lp.sumPrimalInfeasibilities();
    r.barDualInf = alg == Algorithm::kBarrier ? lp.sumDualInfeasibilities() : 0.0;
    p.hasBasis = lp.statusArray() != nullptr;
}

}  // namespace

// Whether the matrix's entries span more than kPresolveSpan: CLP's presolve substitutes
// implied free columns through rows that mix such sizes into values without a correct digit,
// and its postsolve crashed undoing them (entries from 1e-7 to 1e9). No model with published
// optima spans more than 1e8.
constexpr double kPresolveSpan = 1e12;

bool entriesTooWide(const ClpSimplex& lp) {
    const CoinPackedMatrix& a = *lp.matrix();
    double smallest = COIN_DBL_MAX, largest = 0.0;
    for (int k = 0; k < a.getNumCols(); ++k) {
        const CoinBigIndex start = a.getVectorStarts()[k];
        for (CoinBigIndex e = start; e < start + a.getVectorLengths()[k]; ++e) {
            const double v = std::fabs(a.getElements()[e]);
            if (v == 0.0) continue;
            smallest = std::min(smallest, v);
            largest = std::max(largest, v);
        }
    }
    return largest > kPresolveSpan * smallest;
}

int logLevel(const Problem& p, int control) {
    if (!p.log.wanted() || p.controls.intValue(control) == 0) return 0;
    return 1;
}

void applyLpControls(Problem& p, ClpSimplex& lp) {
    const Controls& c = p.controls;
    lp.setMaximumIterations(c.intValue(XPRS_LPITERLIMIT));
    int seconds = c.intValue(XPRS_MAXTIME);
    lp.setMaximumSeconds(seconds > 0 ? seconds : -1.0);
    lp.setPrimalTolerance(c.dblValue(XPRS_FEASTOL));
    lp.setDualTolerance(c.dblValue(XPRS_OPTIMALITYTOL));
    lp.scaling(c.intValue(XPRS_SCALING) == 0 ? 0 : 3);
    // CLP's driver perturbs at 50 (automatic); a model built here would start at 100.
    lp.setPerturbation(kDriverPerturbation);
    lp.passInMessageHandler(p.messages.get());
    lp.setLogLevel(p.log.wanted() ? 1 : 0);
}

void passInLogPoints(Problem& p, ClpSimplex& lp) {
    IterationEvents events(&p, std::abs(p.controls.intValue(XPRS_LPLOG)));
    lp.passInEventHandler(&events);
}

namespace {

bool hasEntities(const Model& m) {
    return !m.sets.empty() ||
           std::any_of(m.coltype.begin(), m.coltype.end(), [](char t) { return t != 'C'; });
}

// The relaxation of a problem with entities, solved on its own ("l"), is the first stage of a
// search: the MIP status tells whether it is optimal or infeasible (no integer solution can exist
// then), until a search has a status of its own.
void recordRelaxationStatus(Problem& p, const char* flags) {
    if (!flags || !std::strchr(flags, 'l') || !hasEntities(p.model)) return;
    if (p.results.mipStatus > XPRS_MIP_LP_OPTIMAL) return;
    const int lpStatus = p.results.lpStatus;
    p.results.mipStatus = lpStatus == XPRS_LP_OPTIMAL  ? XPRS_MIP_LP_OPTIMAL
                          : lpStatus == XPRS_LP_INFEAS ? XPRS_MIP_INFEAS
                                                       : XPRS_MIP_LP_NOT_OPTIMAL;
}

}  // namespace

int solveLp(Problem& p, int sense, const char* flags, bool forSearch) {
    if (!p.loaded) return p.fail(kNoProblem, "no problem loaded");
    Algorithm alg;
    if (int rc = parseAlgorithm(p, flags, alg)) return rc;
    ClpSimplex& lp = *p.lp;
    lp.setOptimizationDirection(sense);
    applyLpControls(p, lp);
    passInLogPoints(p, lp);
    p.lastSolveSense = sense;
    p.rootSolved = false;
    p.ownRay.clear();
    if (!p.model.qcoef.empty()) {
        solveQuadratic(p, lp);
    } else {
        if (solvesAsSearchRoot(p, flags, forSearch, alg))
            runSearchRoot(p, lp);
        else
            runSolve(p, lp, alg);
        recordResults(p, lp, alg);
    }
    recordRelaxationStatus(p, flags);
    ClpEventHandler plain;
    lp.passInEventHandler(&plain);
    return kOk;
}

}  // namespace xprs
