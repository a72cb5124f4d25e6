// The integer search with CBC, starting from the relaxation that the first stage left in the
// continuous problem, and the fixing of the integer entities afterwards.
#include <CbcBranchLotsize.hpp>
#include <CbcEventHandler.hpp>
#include <CbcHeuristic.hpp>
#include <CbcHeuristicFPump.hpp>
#include <CbcHeuristicLocal.hpp>
#include <CbcHeuristicRINS.hpp>
#include <CbcModel.hpp>
#include <CbcSOS.hpp>
#include <CbcSolver.hpp>
#include <CglClique.hpp>
#include <CglFlowCover.hpp>
#include <CglGomory.hpp>
#include <CglKnapsackCover.hpp>
#include <CglMixedIntegerRounding2.hpp>
#include <CglProbing.hpp>
#include <CglTwomir.hpp>
#include <ClpSimplex.hpp>
#include <ClpSolve.hpp>
#include <CoinTime.hpp>
#include <OsiClpSolverInterface.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <numeric>
#include <string>

#include "problem.h"

namespace xprs {
namespace {

// The search's integer solutions, counted for the solution limit (MAXMIPSOL). CBC's own limit
// sends its search down other branches even where it is never reached (bell5 with the limit at
// 10^8: 75250 nodes against 53908), so the library counts the solutions itself.
struct SolutionCount {
    int limit = 0;  // 0: none
    int found = 0;
    bool reached = false;
};

// The search's log points, on whichever thread (CBC's search threads included) reaches them:
// every node, and any other event once the callback is due by time. A stop is passed to the model
// that saw it, which hands it to the search's master; CBC clones the handler into every model, so
// the shared state lives in the problem. Also the "stop once a solution exists" time limit and
// the solution limit, counted on the search's own model and not on the small searches that its
// heuristics run.
class NodeEvents : public CbcEventHandler {
  public:
    NodeEvents(Problem* p, double softLimit, double startTime, SolutionCount* solutions)
        : p_(p), softLimit_(softLimit), startTime_(startTime), solutions_(solutions) {}
    CbcEventHandler* clone() const override { return new NodeEvents(*this); }
    CbcAction event(CbcEvent e) override {
        bool between = e == node || e == treeStatus;
        if ((e == solution || e == heuristicSolution) && !model_->parentModel() &&
            solutions_->limit > 0 && ++solutions_->found >= solutions_->limit) {
            solutions_->reached = true;
            model_->sayEventHappened();
        }
        if (p_->logPoint(e == node)) {
            model_->sayEventHappened();
            return between ? stop : noAction;
        }
        if (between && solutions_->reached) return stop;
        if (between && softLimit_ > 0 && model_->bestSolution() &&
            CoinCpuTime() - startTime_ >= softLimit_)
            return stop;
        return noAction;
    }

  private:
    Problem* p_;
    double softLimit_;
    double startTime_;
    SolutionCount* solutions_;
};

int rootStatus(int lpStatus) {
    switch (lpStatus) {
        case XPRS_LP_OPTIMAL:
            return XPRS_MIP_LP_OPTIMAL;
        case XPRS_LP_INFEAS:
            return XPRS_MIP_INFEAS;
        default:
            return XPRS_MIP_LP_NOT_OPTIMAL;
    }
}

// CUTSTRATEGY as CBC's driver reads its cut options: 1 every generator at the root only (CBC's
// frequency -99), -1 and 2 CBC's default (the six at the root and then where they pay, -1, and
// two-MIR cuts at the root), 3 every generator at every node (1).
void addCuts(CbcModel& model, int strategy) {
    if (strategy == 0) return;
    const int often = strategy == 1 ? -99 : strategy == 3 ? 1 : -1;
    CglProbing probing;
    probing.setUsingObjective(true);
    probing.setMaxPass(1);
    probing.setMaxPassRoot(5);
    probing.setMaxProbe(10);
    probing.setMaxProbeRoot(1000);
    probing.setMaxLook(50);
    probing.setMaxLookRoot(500);
    probing.setMaxElements(200);
    probing.setRowCuts(3);
    model.addCutGenerator(&probing, often, "Probing");
    CglGomory gomory;
    gomory.setLimit(300);
    model.addCutGenerator(&gomory, often, "Gomory");
    CglKnapsackCover knapsack;
    model.addCutGenerator(&knapsack, often, "Knapsack");
    CglClique clique;
    clique.setStarCliqueReport(false);
    clique.setRowCliqueReport(false);
    model.addCutGenerator(&clique, often, "Clique");
    CglMixedIntegerRounding2 mir;
    model.addCutGenerator(&mir, often, "MixedIntegerRounding2");
    CglFlowCover flow;
    model.addCutGenerator(&flow, often, "FlowCover");
    CglTwomir twomir;
    model.addCutGenerator(&twomir, strategy == 3 ? 1 : -99, "TwoMirCuts");
}

// The feasibility pump rounds its points with a rounding of its own that never ends on an
// integer column without bounds, or with bounds too far out for its steps (seen from 1e14 on).
constexpr double kLargestPumpBound = 1e12;

bool pumpHolds(const OsiSolverInterface& solver) {
    for (int c = 0; c < solver.getNumCols(); ++c)
        if (solver.isInteger(c) && (solver.getColLower()[c] < -kLargestPumpBound ||
                                    solver.getColUpper()[c] > kLargestPumpBound))
            return false;
    return true;
}

void addHeuristics(CbcModel& model, int frequency, double effort) {
    if (frequency == 0 || effort <= 0) return;
    CbcRounding rounding(model);
    model.addHeuristic(&rounding);
    CbcHeuristicFPump pump(model);
    pump.setMaximumPasses(static_cast<int>(std::ceil(20 * effort)));
    if (pumpHolds(*model.solver())) model.addHeuristic(&pump);
    CbcHeuristicLocal local(model);
    model.addHeuristic(&local);
    CbcHeuristicRINS rins(model);
    model.addHeuristic(&rins);
}

// A set as CBC's set object, but for the step that fixes a solution's zero members at zero:
// CBC's asserts that each of them may be zero, and a member's lower bound can be raised above
// zero within the integer tolerance (a semi-continuous limit of 1e-6, a bound tightened by a
// cut) while its value still counts as zero. Here such a member keeps its bounds, as does every
// member when the solution does not satisfy the set.
class SearchSet : public CbcSOS {
  public:
    using CbcSOS::CbcSOS;
    CbcObject* clone() const override { return new SearchSet(*this); }
    using CbcSOS::feasibleRegion;
    void feasibleRegion() override {
        OsiSolverInterface* solver = model_->solver();
        const double* x = model_->testSolution();
        const double* lower = solver->getColLower();
        const double* upper = solver->getColUpper();
        double tol = model_->getDblParam(CbcModel::CbcIntegerTolerance);
        int first = -1, last = -1;
        for (int j = 0; j < numberMembers_; ++j) {
            int c = members_[j];
            double v = std::min(upper[c], std::max(lower[c], x[c]));
            if (std::fabs(v) > tol) {
                if (first < 0) first = j;
                last = j;
            }
        }
        if (first >= 0 && last - first >= sosType_) return;
        for (int j = 0; j < numberMembers_; ++j) {
            int c = members_[j];
            if ((first >= 0 && j >= first && j <= last) || lower[c] > 0.0 || upper[c] < 0.0)
                continue;
            solver->setColLower(c, 0.0);
            solver->setColUpper(c, 0.0);
        }
    }
};

// A semi-continuous column as CBC's lot-size object, but for the step that fixes a solution's
// column at its range: CBC's asserts that the value lies within about a hundred integer
// tolerances of a point of the ranges, which a node LP solved to the primal tolerance of a
// scaled problem does not always give. Here the nearest range is taken within the column's
// bounds, and the bounds stay when they leave none.
class SearchLotsize : public CbcLotsize {
  public:
    using CbcLotsize::CbcLotsize;
    CbcObject* clone() const override { return new SearchLotsize(*this); }
    using CbcLotsize::feasibleRegion;
    void feasibleRegion() override {
        OsiSolverInterface* solver = model_->solver();
        const int c = columnNumber();
        const double lower = solver->getColLower()[c], upper = solver->getColUpper()[c];
        const double v = std::min(upper, std::max(lower, model_->testSolution()[c]));
        const double* b = bound();
        const int width = rangeType() == 2 ? 2 : 1;
        double lo = b[0], up = b[width - 1], best = COIN_DBL_MAX;
        for (int k = 0; k < numberRanges(); ++k) {
            double from = b[width * k], to = b[width * k + width - 1];
            double distance = v < from ? from - v : v > to ? v - to : 0.0;
            if (distance < best) {
                best = distance;
                lo = from;
                up = to;
            }
        }
        lo = std::max(lo, lower);
        up = std::min(up, upper);
        if (lo > up) return;
        solver->setColLower(c, lo);
        solver->setColUpper(c, up);
    }
};

// Semi-continuous columns branch on {0} or [limit, upper]; sets carry their reference weights.
void addObjects(CbcModel& model, const Model& m) {
    model.findIntegers(false);
    std::vector<CbcObject*> objects;
    for (size_t s = 0; s < m.sets.size(); ++s) {
        const Set& set = m.sets[s];
        objects.push_back(new SearchSet(&model, static_cast<int>(set.cols.size()), set.cols.data(),
                                        set.refs.data(), static_cast<int>(s),
                                        set.type == '2' ? 2 : 1));
    }
    for (int c = 0; c < m.ncols; ++c) {
        if (m.coltype[c] != 'S') continue;
        double points[4] = {0.0, 0.0, m.sclimit[c], m.ub[c]};
        objects.push_back(new SearchLotsize(&model, c, 2, points, true));
    }
    if (!objects.empty()) model.addObjects(static_cast<int>(objects.size()), objects.data());
    for (CbcObject* o : objects) delete o;
}

bool entityFeasible(const Model& m, const std::vector<double>& x, double tol) {
    for (int c = 0; c < m.ncols; ++c) {
        double v = x[c];
        if ((m.coltype[c] == 'I' || m.coltype[c] == 'B') && std::fabs(v - std::round(v)) > tol)
            return false;
        if (m.coltype[c] == 'S' && std::fabs(v) > tol && v < m.sclimit[c] - tol) return false;
    }
    for (const Set& set : m.sets) {
        std::vector<int> nonzero;
        for (size_t k = 0; k < set.cols.size(); ++k)
            if (std::fabs(x[set.cols[k]]) > tol) nonzero.push_back(static_cast<int>(k));
        size_t allowed = set.type == '2' ? 2 : 1;
        if (nonzero.size() > allowed) return false;
        if (nonzero.size() == 2 && nonzero[1] != nonzero[0] + 1) return false;
    }
    return true;
}

// A start fixes the integer columns it names and the LP over the rest completes it. When that
// leaves integer columns fractional, they are fixed too: first at their rounded values, then at
// their lower bounds. Only a completion that satisfies every entity is offered to the search.
bool completeStart(const Problem& p, ClpSimplex& trial, std::vector<double>& x, int attempt) {
    const Model& m = p.model;
    for (int c = 0; attempt > 0 && c < m.ncols; ++c) {
        if (m.coltype[c] != 'I' && m.coltype[c] != 'B') continue;
        if (trial.columnLower()[c] == trial.columnUpper()[c]) continue;
        double v = attempt == 1 ? std::round(x[c]) : trial.columnLower()[c];
        trial.setColumnBounds(c, v, v);
    }
    trial.dual(0);
    if (trial.status() != 0) return false;
    x.assign(trial.primalColumnSolution(), trial.primalColumnSolution() + m.ncols);
    return entityFeasible(m, x, p.controls.dblValue(XPRS_MIPTOL));
}

void offerStart(Problem& p, CbcModel& model, const std::vector<std::pair<int, double>>& start) {
    const Model& m = p.model;
    std::vector<double> x;
    for (int attempt = 0; attempt < 3; ++attempt) {
        ClpSimplex trial(*p.lp);
        trial.setLogLevel(0);
        for (const auto& entry : start) {
            char t = m.coltype[entry.first];
            if (t != 'I' && t != 'B') continue;
            double v = std::round(entry.second);
            trial.setColumnBounds(entry.first, v, v);
        }
        if (attempt > 0 && x.size() != static_cast<size_t>(m.ncols)) return;
        if (completeStart(p, trial, x, attempt)) {
            model.setBestSolution(x.data(), m.ncols, COIN_DBL_MAX, true);
            return;
        }
    }
}

// The driver's integer tolerance: CBC's own, or MIPTOL when smaller. At a looser one CBC takes
// other branches (bell5: 77303 nodes at 1e-6 against 53908 at 1e-7), and a value that passes the
// tighter test passes MIPTOL's too.
double searchIntegerTolerance(const Controls& c) {
    return std::min(kSearchIntegerTolerance, c.dblValue(XPRS_MIPTOL));
}

// The thread count the controls ask for: the larger of MIPTHREADS and THREADS.
int askedThreads(const Controls& c) {
    return std::max(c.intValue(XPRS_MIPTHREADS), c.intValue(XPRS_THREADS));
}

void applyMipControls(Problem& p, CbcModel& model, bool strongBranching) {
    const Controls& c = p.controls;
    model.setMaximumNodes(c.intValue(XPRS_MAXNODE));
    model.setAllowableGap(c.dblValue(XPRS_MIPABSSTOP));
    model.setAllowableFractionGap(c.dblValue(XPRS_MIPRELSTOP));
    // MIPTOL itself: CBC's lot-size objects assert that a value lies within about a hundred
    // integer tolerances of a point of their ranges, which CBC's own 1e-7 does not leave room for.
    model.setIntegerTolerance(c.dblValue(XPRS_MIPTOL));
    int seconds = c.intValue(XPRS_MAXTIME);
    if (seconds > 0) model.setMaximumSeconds(seconds);
    double relCutoff = c.dblValue(XPRS_MIPRELCUTOFF);
    if (relCutoff > 0)
        model.setCutoffIncrement(relCutoff * std::max(1.0, std::fabs(p.results.lpObj)));
    model.setNumberStrong(strongBranching ? 5 : 0);
    // With trusted pseudo-costs CBC converts the integer columns to dynamic objects and compares
    // candidates with its dynamic decision, which dereferences what only its own integer
    // objects carry: a lot-size or set candidate beside them crashes it. Without that trust it
    // compares any kind of object.
    model.setNumberBeforeTrust(0);
    model.passInMessageHandler(p.messages.get());
    model.setLogLevel(logLevel(p, XPRS_MIPLOG));
    model.messageHandler()->setLogLevel(logLevel(p, XPRS_MIPLOG));
}

int mipStatusOf(const Problem& p, const CbcModel& model) {
    bool solution = model.bestSolution() != nullptr;
    if (!p.stopRequested && model.isProvenOptimal() && solution) return XPRS_MIP_OPTIMAL;
    if (!p.stopRequested && model.isProvenInfeasible()) return XPRS_MIP_INFEAS;
    return solution ? XPRS_MIP_SOLUTION : XPRS_MIP_NO_SOL_FOUND;
}

double objectiveAt(const Model& m, const double* x) {
    double v = 0.0;
    for (int c = 0; c < m.ncols; ++c) v += m.obj[c] * x[c];
    return v;
}

const char* searchOutcome(const Problem& p, const CbcModel& model, const SolutionCount& count) {
    if (p.stopRequested) return "stopped by the client";
    if (count.reached) return "solution limit";
    if (model.isProvenOptimal()) return model.bestSolution() ? "optimal" : "infeasible";
    if (model.isProvenInfeasible()) return "infeasible";
    if (model.isNodeLimitReached()) return "node limit";
    if (model.isSecondsLimitReached()) return "time limit";
    if (model.isSolutionLimitReached()) return "solution limit";
    return "unfinished";
}

// False when the search's best point breaks an entity and so is not taken.
bool recordSearch(Problem& p, CbcModel& model, const SolutionCount& count) {
    p.log.flushPending();
    p.results.mipStatus = mipStatusOf(p, model);
    p.results.simplexIter += model.getIterationCount();
    p.info(std::string("Search ended, ") + searchOutcome(p, model, count) + ", after " +
           std::to_string(model.getNodeCount()) + " nodes and " +
           std::to_string(model.getIterationCount()) + " simplex iterations");
    const Model& m = p.model;
    if (!model.bestSolution()) return true;
    std::vector<double> x(model.bestSolution(), model.bestSolution() + m.ncols);
    if (!entityFeasible(m, x, p.controls.dblValue(XPRS_MIPTOL))) {
        // Never handed on as a solution, let alone an optimal one.
        p.results.mipStatus = XPRS_MIP_NO_SOL_FOUND;
        p.info(
            "The search's best point breaks a set or a semi-continuous column's limit: it is "
            "not taken as a solution");
        return false;
    }
    p.mipSolution = std::move(x);
    p.results.mipObj = objectiveAt(m, p.mipSolution.data());
    return true;
}

// An integer column's bounds rounded inward, within the integer tolerance. CBC fixes a point's
// integers at their rounded values clipped to the bounds, and asserted where a fractional bound
// (an upper bound of 2.5 against a heuristic's 3) left the clipped value away from the point.
void integerBounds(const Problem& p, int c, double& lower, double& upper) {
    const double tol = searchIntegerTolerance(p.controls);
    lower = p.lp->columnLower()[c];
    upper = p.lp->columnUpper()[c];
    if (lower > -kInfinity) lower = std::ceil(lower - tol);
    if (upper < kInfinity) upper = std::floor(upper + tol);
}

std::unique_ptr<OsiClpSolverInterface> searchSolver(Problem& p) {
    auto solver = std::make_unique<OsiClpSolverInterface>(new ClpSimplex(*p.lp), true);
    for (int c = 0; c < p.model.ncols; ++c) {
        if (p.model.coltype[c] != 'I' && p.model.coltype[c] != 'B') continue;
        double lower, upper;
        integerBounds(p, c, lower, upper);
        solver->setColBounds(c, lower, upper);
    }
    // The search starts from the relaxation the first stage solved: its basis becomes the
    // solver's warm start, so that CBC's first solve finds it optimal instead of solving the
    // relaxation again from a slack basis.
    solver->setWarmStart(nullptr);
    const Model& m = p.model;
    for (int c = 0; c < m.ncols; ++c)
        if (m.coltype[c] == 'I' || m.coltype[c] == 'B') solver->setInteger(c);
    // CBC's preprocessing can declare feasible problems infeasible with a primal tolerance as
    // loose as the LP default here (seen on enigma), so the search never runs looser than 1e-7.
    solver->getModelPtr()->setPrimalTolerance(
        std::min(kSearchPrimalTolerance, p.controls.dblValue(XPRS_FEASTOL)));
    solver->getModelPtr()->setDualTolerance(
        std::min(kSearchDualTolerance, p.controls.dblValue(XPRS_OPTIMALITYTOL)));
    // LPITERLIMIT limits the continuous solves: CBC takes a node LP stopped short for a solved
    // one and asserts on its objective.
    solver->getModelPtr()->setMaximumIterations(COIN_INT_MAX);
    solver->messageHandler()->setLogLevel(0);
    solver->getModelPtr()->passInMessageHandler(p.messages.get());
    solver->getModelPtr()->setLogLevel(0);
    // Every LP of the search, on every thread, is a log point; and CLP's own interrupt handling
    // stays off in the solves that CBC starts from scratch.
    passInLogPoints(p, *solver->getModelPtr());
    ClpSolve options;
    options.setSpecialOption(2, 1);
    solver->setSolveOptions(options);
    return solver;
}

// Sets and semi-continuous columns need branching objects of their own, which CBC's driver
// does not carry through its preprocessing; such problems run a plain branch and cut.
// CLP's strong branching in the search with objects asserts (markHotStart) on rows without
// entries and on rows of one entry (seen at the root of an infeasible problem with a set), so
// that search goes without them: a row without entries bounds nothing once the relaxation is
// feasible, and a row of one entry becomes bounds of its column. Its solutions are columns only.
void foldShortRows(OsiSolverInterface& solver) {
    const CoinPackedMatrix* byCol = solver.getMatrixByCol();
    const int rows = solver.getNumRows();
    std::vector<int> entries(rows, 0), column(rows, -1);
    std::vector<double> element(rows, 0.0);
    for (int c = 0; c < byCol->getNumCols(); ++c) {
        const CoinBigIndex start = byCol->getVectorStarts()[c];
        for (int k = 0; k < byCol->getVectorLengths()[c]; ++k) {
            const double a = byCol->getElements()[start + k];
            const int r = byCol->getIndices()[start + k];
            if (a == 0.0) continue;
            ++entries[r];
            column[r] = c;
            element[r] = a;
        }
    }
    std::vector<int> folded;
    for (int r = 0; r < rows; ++r) {
        if (entries[r] > 1) continue;
        folded.push_back(r);
        if (entries[r] == 0) continue;
        const int c = column[r];
        const double a = element[r];
        const double rl = solver.getRowLower()[r], ru = solver.getRowUpper()[r];
        const double low = a > 0 ? rl : ru, high = a > 0 ? ru : rl;
        const double from = std::fabs(low) >= kInfinity ? -COIN_DBL_MAX : low / a;
        const double to = std::fabs(high) >= kInfinity ? COIN_DBL_MAX : high / a;
        const double lower = solver.getColLower()[c], upper = solver.getColUpper()[c];
        if (solver.isInteger(c)) {
            // Only integers that keep the row within its tolerance remain: CBC's branching
            // asserted on an integer column fixed at a fraction. Bounds that cross leave the
            // relaxation, and so the search, infeasible.
            double tolerance = 0.0;
            solver.getDblParam(OsiPrimalTolerance, tolerance);
            const double slack = tolerance / std::fabs(a);
            solver.setColLower(c, std::max(lower, std::ceil(from - slack)));
            solver.setColUpper(c, std::min(upper, std::floor(to + slack)));
            continue;
        }
        // Within the primal tolerance the bounds may cross; they meet instead.
        solver.setColLower(c, std::max(lower, std::min(from, upper)));
        solver.setColUpper(c, std::min(upper, std::max(to, solver.getColLower()[c])));
    }
    if (!folded.empty()) solver.deleteRows(static_cast<int>(folded.size()), folded.data());
}

// A member that its bounds keep away from zero is the nonzero member of its set, or one of the
// two neighbours of a second-order set, so the members beyond it are fixed at zero before the
// search: CBC's set objects take every member for one that may be zero, and branching on them
// without strong branching ended at points with two such members nonzero. Forced members that
// cannot all be nonzero leave one of them with crossed bounds: the relaxation, and so the search,
// is then infeasible.
void fixAroundForcedMembers(OsiSolverInterface& solver, const Model& m, double tol) {
    std::vector<int> order;
    for (const Set& set : m.sets) {
        const int n = static_cast<int>(set.cols.size());
        order.resize(n);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return set.refs[a] < set.refs[b]; });
        auto member = [&](int k) { return set.cols[order[k]]; };
        auto forced = [&](int c) {
            return solver.getColLower()[c] > tol || solver.getColUpper()[c] < -tol;
        };
        int first = -1, last = -1;
        for (int k = 0; k < n; ++k)
            if (forced(member(k))) {
                if (first < 0) first = k;
                last = k;
            }
        if (first < 0) continue;
        const int width = set.type == '2' ? 2 : 1;
        if (last - first >= width) {
            const int c = member(last);
            if (solver.getColLower()[c] > tol)
                solver.setColUpper(c, 0.0);
            else
                solver.setColLower(c, 0.0);
            continue;
        }
        const int from = width == 2 && first == last ? first - 1 : first;
        const int to = width == 2 && first == last ? last + 1 : last;
        for (int k = 0; k < n; ++k)
            if (k < from || k > to) solver.setColBounds(member(k), 0.0, 0.0);
    }
}

// One search with objects; false when its best point breaks an entity.
bool searchWithObjects(Problem& p, bool strongBranching) {
    auto solver = searchSolver(p);
    foldShortRows(*solver);
    fixAroundForcedMembers(*solver, p.model, searchIntegerTolerance(p.controls));
    CbcModel model(*solver);
    // Into the log from the first message on: finding the integers warns when there are none.
    model.passInMessageHandler(p.messages.get());
    addObjects(model, p.model);
    addCuts(model, p.controls.intValue(XPRS_CUTSTRATEGY));
    addHeuristics(model, p.controls.intValue(XPRS_HEURSEARCHFREQ),
                  p.controls.dblValue(XPRS_HEURSEARCHEFFORT));
    applyMipControls(p, model, strongBranching);
    int seconds = p.controls.intValue(XPRS_MAXTIME);
    SolutionCount count;
    count.limit = p.controls.intValue(XPRS_MAXMIPSOL);
    NodeEvents events(&p, seconds < 0 ? -seconds : 0, CoinCpuTime(), &count);
    model.passInEventHandler(&events);
    for (const auto& start : p.mipStarts) offerStart(p, model, start);
    model.branchAndBound();
    return recordSearch(p, model, count);
}

// Strong branching shortens searches with sets many times over (3015: 137 nodes against more than
// 100000), but once ended one at a point with two members of a first-order set nonzero. Such a
// search runs again without it.
//
// Strong branching solves each candidate's branches by CLP's fast dual from a hot start, which
// bounds the columns at CLP's dual bound (1e10) until the basis bounds them. From a relaxation
// whose columns lie a hundred times beyond it (1e14 and more), or one with a column that the
// objective pushes toward an infinite bound by no more than the dual tolerance (CLP calls such a
// relaxation optimal anywhere along the ray), those solves ended optimal at such a bound, which
// CLP asserts against. 3015's relaxation reaches 8e10 and branches well.
constexpr double kLargestStrongBranchValue = 1e12;

bool pushedOutWithinTolerance(const ClpSimplex& lp, int c) {
    const double cost = lp.optimizationDirection() * lp.objective()[c];
    if (cost == 0.0 || std::fabs(cost) > lp.dualTolerance()) return false;
    return cost < 0 ? lp.columnUpper()[c] >= kInfinity : lp.columnLower()[c] <= -kInfinity;
}

bool strongBranchingHolds(const ClpSimplex& lp) {
    const double* x = lp.primalColumnSolution();
    for (int c = 0; c < lp.numberColumns(); ++c)
        if (std::fabs(x[c]) >= kLargestStrongBranchValue || pushedOutWithinTolerance(lp, c))
            return false;
    return true;
}

void runObjectSearch(Problem& p) {
    const bool strongBranching = strongBranchingHolds(*p.lp);
    if (searchWithObjects(p, strongBranching) || !strongBranching) return;
    p.info("The search runs again without strong branching");
    searchWithObjects(p, false);
}

std::string number(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

// Whether an integer column has an entry that the integer tolerance times makes more than 1. The
// driver's heuristics offer points whose integers lie only within that tolerance of integers;
// rounding them moves a row by far more than the primal tolerance, and CBC's checks of such
// points (the feasibility pump's, a dive's) ran CLP's primal simplex into its assertions (crossed
// bounds, a ratio test without an improving column). The heuristics stay off on such problems.
bool roundingMovesRows(const Problem& p, double tolerance) {
    const CoinPackedMatrix& a = *p.lp->matrix();
    for (int c = 0; c < a.getNumCols(); ++c) {
        if (p.model.coltype[c] != 'I' && p.model.coltype[c] != 'B') continue;
        const CoinBigIndex start = a.getVectorStarts()[c];
        for (CoinBigIndex e = start; e < start + a.getVectorLengths()[c]; ++e)
            if (std::fabs(a.getElements()[e]) * tolerance > 1.0) return true;
    }
    return false;
}

// The driver's own settings for the controls that have one, for the search of solver.
std::vector<std::string> driverArguments(const Problem& p, const OsiSolverInterface& solver) {
    const Controls& c = p.controls;
    std::vector<std::string> args = {"xprs", "-log", std::to_string(logLevel(p, XPRS_MIPLOG))};
    auto add = [&](const char* name, const std::string& value) {
        args.push_back(name);
        args.push_back(value);
    };
    if (c.intValue(XPRS_MAXNODE) < 2147483647)
        add("-maxNodes", std::to_string(c.intValue(XPRS_MAXNODE)));
    if (c.intValue(XPRS_MAXTIME) > 0) add("-seconds", std::to_string(c.intValue(XPRS_MAXTIME)));
    add("-allowableGap", number(c.dblValue(XPRS_MIPABSSTOP)));
    add("-ratioGap", number(c.dblValue(XPRS_MIPRELSTOP)));
    add("-integerTolerance", number(searchIntegerTolerance(c)));
    add("-primalTolerance", number(std::min(kSearchPrimalTolerance, c.dblValue(XPRS_FEASTOL))));
    add("-dualTolerance", number(std::min(kSearchDualTolerance, c.dblValue(XPRS_OPTIMALITYTOL))));
    double relCutoff = c.dblValue(XPRS_MIPRELCUTOFF);
    if (relCutoff > 0)
        add("-increment", number(relCutoff * std::max(1.0, std::fabs(p.results.lpObj))));
    int cuts = c.intValue(XPRS_CUTSTRATEGY);
    if (cuts == 0) add("-cuts", "off");
    if (cuts == 1) add("-cuts", "root");
    if (cuts == 3) add("-cuts", "forceOn");
    if (c.intValue(XPRS_HEURSEARCHFREQ) == 0 || c.dblValue(XPRS_HEURSEARCHEFFORT) <= 0 ||
        roundingMovesRows(p, searchIntegerTolerance(c)))
        add("-heuristics", "off");
    else if (!pumpHolds(solver))
        add("-feasibilityPump", "off");
    // After a search of a matrix whose entries span more than 12 orders of magnitude, undoing
    // CBC's preprocessing solves the original problem again with the integers fixed; CLP's
    // primal simplex failed that solve (an unbounded answer, then bounds that cross) and asserted.
    if (c.intValue(XPRS_MIPPRESOLVE) == 0 || entriesTooWide(*p.lp)) add("-preprocess", "off");
    args.push_back("-solve");
    args.push_back("-quit");
    return args;
}

// The driver calls its callback unchecked on some paths (a quadratic objective's among them),
// so it gets one that lets every stage go on.
//
// Before the search (stage 3) it also keeps CLP from crunching the node problems of a problem that
// CBC's preprocessing left this small: crunching one of two rows at a node failed CLP's check of
// the rows it keeps, and on so few rows it saves nothing.
constexpr int kFewestRowsToCrunch = 10;

int driverCallBack(CbcModel* model, int stage) {
    auto* clp = model ? dynamic_cast<OsiClpSolverInterface*>(model->solver()) : nullptr;
    if (stage == 3 && clp && clp->getNumRows() < kFewestRowsToCrunch)
        clp->setSpecialOptions(clp->specialOptions() & ~1u);  // 1: crunch the node problems
    return 0;
}

void runDriverSearch(Problem& p) {
    auto solver = searchSolver(p);
    CbcModel model(*solver);
    model.passInMessageHandler(p.messages.get());
    int seconds = p.controls.intValue(XPRS_MAXTIME);
    SolutionCount count;
    count.limit = p.controls.intValue(XPRS_MAXMIPSOL);
    NodeEvents events(&p, seconds < 0 ? -seconds : 0, CoinCpuTime(), &count);
    model.passInEventHandler(&events);
    for (const auto& start : p.mipStarts) offerStart(p, model, start);
    std::vector<std::string> args = driverArguments(p, *solver);
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    {
        // CBC's driver reads its arguments and keeps its preprocessing through process-wide
        // variables, so two problems may not run it at the same time.
        static std::mutex driver;
        std::lock_guard<std::mutex> lock(driver);
        CbcSolverUsefulData data;
        data.noPrinting_ = !p.log.wanted();
        data.useSignalHandler_ = false;
        CbcMain0(model, data);
        CbcMain1(static_cast<int>(argv.size()), argv.data(), model, driverCallBack, data);
    }
    recordSearch(p, model, count);
}

// With nothing to branch on, the optimal relaxation is the search's optimum. A problem loaded
// without entities (a QP among them) never reaches CBC, which cannot take a quadratic objective.
bool hasNothingToBranchOn(const Model& m) {
    return m.sets.empty() &&
           std::all_of(m.coltype.begin(), m.coltype.end(), [](char t) { return t == 'C'; });
}

void takeRelaxationAsOptimum(Problem& p) {
    const ClpSimplex& lp = *p.lp;
    p.mipSolution.assign(lp.primalColumnSolution(), lp.primalColumnSolution() + p.model.ncols);
    p.results.mipObj = p.results.lpObj;
    p.results.mipStatus = XPRS_MIP_OPTIMAL;
    p.info("Search ended, optimal: the problem has nothing to branch on");
}

// Every search runs on one thread. CBC's parallel search in its repeatable mode visits another,
// often much larger tree than one thread (MIPLIB 3 on two threads: 1.47 times the wall time of
// one), and cannot split a search with sets or semi-continuous columns at all (it asserts); its
// other mode gives a different answer from run to run.
void sayThreads(Problem& p) {
    int asked = askedThreads(p.controls);
    if (asked > 1)
        p.info("The search runs on one thread (" + std::to_string(asked) +
               " asked): in parallel CBC searches a larger tree, or a different one each run");
}

// From 2^53 on a double holds no fractions and not every integer: a branch x <= v against
// x >= v + 1 cannot be formed there (CBC's probing asserted that the two differ, and its node LPs
// declared a feasible problem infeasible). The search refuses an integer column that the
// relaxation puts that far out.
constexpr double kLargestBranchValue = 9007199254740992.0;

int checkBranchRange(Problem& p) {
    const Model& m = p.model;
    const double* x = p.lp->primalColumnSolution();
    for (int c = 0; c < m.ncols; ++c)
        if ((m.coltype[c] == 'I' || m.coltype[c] == 'B') && std::fabs(x[c]) >= kLargestBranchValue)
            return p.fail(kInternal, "integer column " + std::to_string(c + 1) + " takes " +
                                         number(x[c]) +
                                         " in the relaxation, beyond 2^53, where the search "
                                         "cannot tell integers apart");
    return kOk;
}

int runSearch(Problem& p) {
    const Model& m = p.model;
    // CBC's searches take the objective as linear: its driver returned fractional integer
    // columns for a quadratic objective and reported the linear part as the optimum.
    if (!m.qcoef.empty())
        return p.fail(kInternal, "the integer search cannot take a quadratic objective");
    // CBC's sets weigh their members by their signed values, so that members of opposite signs
    // cancel and its branching asserts: members must not go below zero.
    for (size_t s = 0; s < m.sets.size(); ++s)
        for (int c : m.sets[s].cols)
            if (p.lp->columnLower()[c] < 0.0)
                return p.fail(kInternal, "set " + std::to_string(s + 1) + " has column " +
                                             std::to_string(c + 1) +
                                             " with a negative lower bound, which the search "
                                             "with sets cannot take");
    if (int rc = checkBranchRange(p)) return rc;
    for (int c = 0; c < m.ncols; ++c) {
        if (m.coltype[c] != 'I' && m.coltype[c] != 'B') continue;
        double lower, upper;
        integerBounds(p, c, lower, upper);
        if (lower <= upper) continue;
        p.results.mipStatus = XPRS_MIP_INFEAS;
        p.info("Search ended, infeasible: integer column " + std::to_string(c + 1) +
               " has no integer between its bounds");
        return kOk;
    }
    sayThreads(p);
    bool objects = !m.sets.empty() ||
                   std::any_of(m.coltype.begin(), m.coltype.end(), [](char t) { return t == 'S'; });
    if (objects)
        runObjectSearch(p);
    else
        runDriverSearch(p);
    return kOk;
}

// CLP's dual simplex bounds the columns that have no bound of their own by artificial ones and
// can end "optimal" against them on a relaxation that is unbounded (objectives of 1e13 and
// more, where the primal simplex did not find the ray either); a search started from that point
// asserts in CLP's node LPs. An optimum with such a column beyond kArtificialReach is checked by
// a ray: a direction within [-1, 1] that keeps every row and bound of the relaxation and
// improves the objective, found by an LP over the cone of the relaxation and checked here with
// a tolerance far below CLP's, so that a step that only the primal tolerance allows (1e-7 of a
// row per unit) does not count.
constexpr double kArtificialReach = 1e7;
constexpr double kRayTolerance = 1e-10;
constexpr double kRayGain = 1e-6;

bool beyondOwnBounds(const ClpSimplex& lp) {
    const double* x = lp.primalColumnSolution();
    for (int c = 0; c < lp.numberColumns(); ++c)
        if ((x[c] > kArtificialReach && lp.columnUpper()[c] >= kInfinity) ||
            (x[c] < -kArtificialReach && lp.columnLower()[c] <= -kInfinity))
            return true;
    return false;
}

// The best direction of the relaxation's cone, clamped to it; empty when CLP finds none.
std::vector<double> improvingDirection(const ClpSimplex& lp) {
    ClpSimplex cone(lp);
    cone.setLogLevel(0);
    cone.setMaximumIterations(COIN_INT_MAX);
    cone.setMaximumSeconds(-1.0);
    const int n = lp.numberColumns();
    for (int c = 0; c < n; ++c)
        cone.setColumnBounds(c, lp.columnLower()[c] <= -kInfinity ? -1.0 : 0.0,
                             lp.columnUpper()[c] >= kInfinity ? 1.0 : 0.0);
    for (int r = 0; r < lp.numberRows(); ++r)
        cone.setRowBounds(r, lp.rowLower()[r] <= -kInfinity ? -COIN_DBL_MAX : 0.0,
                          lp.rowUpper()[r] >= kInfinity ? COIN_DBL_MAX : 0.0);
    ClpSolve options;
    options.setSpecialOption(2, 1);  // the host owns its signals
    cone.initialSolve(options);
    if (cone.status() != 0) return {};
    std::vector<double> d(cone.primalColumnSolution(), cone.primalColumnSolution() + n);
    for (int c = 0; c < n; ++c)
        d[c] = std::min(cone.columnUpper()[c], std::max(cone.columnLower()[c], d[c]));
    return d;
}

// Whether d keeps every row of the relaxation within kRayTolerance of the terms it adds up, and
// improves the objective by more than kRayGain.
bool isRay(const ClpSimplex& lp, const std::vector<double>& d) {
    const CoinPackedMatrix& a = *lp.matrix();
    std::vector<double> activity(lp.numberRows(), 0.0), size(lp.numberRows(), 0.0);
    double gain = 0.0;
    for (int c = 0; c < lp.numberColumns(); ++c) {
        gain += lp.optimizationDirection() * lp.objective()[c] * d[c];
        const CoinBigIndex start = a.getVectorStarts()[c];
        for (int k = 0; k < a.getVectorLengths()[c]; ++k) {
            const int r = a.getIndices()[start + k];
            const double term = a.getElements()[start + k] * d[c];
            activity[r] += term;
            size[r] += std::fabs(term);
        }
    }
    for (int r = 0; r < lp.numberRows(); ++r) {
        const double tolerance = kRayTolerance * std::max(1.0, size[r]);
        if ((lp.rowLower()[r] > -kInfinity && activity[r] < -tolerance) ||
            (lp.rowUpper()[r] < kInfinity && activity[r] > tolerance))
            return false;
    }
    return gain < -kRayGain;
}

void checkRelaxationBounded(Problem& p) {
    if (p.results.lpStatus != XPRS_LP_OPTIMAL || !p.model.qcoef.empty()) return;
    const ClpSimplex& lp = *p.lp;
    if (!beyondOwnBounds(lp)) return;
    std::vector<double> d = improvingDirection(lp);
    const bool unbounded = !d.empty() && isRay(lp, d);
    char line[200];
    std::snprintf(
        line, sizeof line,
        "The relaxation's optimum %.10g puts columns beyond 1e7 that have no bound "
        "there: %s",
        lp.objectiveValue(),
        unbounded ? "a ray improves it, the relaxation is unbounded" : "no ray improves it");
    p.info(line);
    if (unbounded) p.results.lpStatus = XPRS_LP_UNBOUNDED;
}

}  // namespace

int mipOptimize(Problem& p, const char* flags) {
    if (!p.loaded) return p.fail(kNoProblem, "no problem loaded");
    bool rootOnly = false;
    for (const char* f = flags ? flags : ""; *f; ++f) {
        if (*f == 'l')
            rootOnly = true;
        else
            return p.fail(kBadArgument, std::string("unknown search flag '") + *f + "'");
    }
    if (!p.rootSolved) {
        if (int rc = solveLp(p, p.objsense, "", true)) return rc;
        checkRelaxationBounded(p);
        // An unbounded relaxation stays so until the problem changes: solved again, the dual
        // simplex could end against its artificial bounds once more.
        p.rootSolved =
            p.results.lpStatus == XPRS_LP_OPTIMAL || p.results.lpStatus == XPRS_LP_UNBOUNDED;
    }
    p.results.mipStatus = rootStatus(p.results.lpStatus);
    // A search stopped before it began has found nothing.
    if (!rootOnly && p.stopRequested) p.results.mipStatus = XPRS_MIP_NO_SOL_FOUND;
    if (rootOnly || p.results.mipStatus != XPRS_MIP_LP_OPTIMAL) return kOk;
    p.mipSolution.clear();
    if (hasNothingToBranchOn(p.model)) {
        takeRelaxationAsOptimum(p);
        return kOk;
    }
    return runSearch(p);
}

int fixGlobals(Problem& p, int round) {
    if (!p.loaded) return p.fail(kNoProblem, "no problem loaded");
    if (p.mipSolution.empty())
        return p.fail(kNoSolution, "no integer solution to fix the entities at");
    const Model& m = p.model;
    double tol = p.controls.dblValue(XPRS_MIPTOL);
    ClpSimplex& lp = *p.lp;
    for (int c = 0; c < m.ncols; ++c) {
        double v = p.mipSolution[c];
        if (m.coltype[c] == 'I' || m.coltype[c] == 'B') {
            if (round == 1) v = std::round(v);
            lp.setColumnBounds(c, v, v);
        } else if (m.coltype[c] == 'S') {
            if (std::fabs(v) <= tol)
                lp.setColumnBounds(c, 0.0, 0.0);
            else
                lp.setColumnBounds(c, m.sclimit[c], m.ub[c]);
        }
    }
    for (const Set& set : m.sets)
        for (int c : set.cols)
            if (std::fabs(p.mipSolution[c]) <= tol) lp.setColumnBounds(c, 0.0, 0.0);
    p.rootSolved = false;
    return kOk;
}

}  // namespace xprs
