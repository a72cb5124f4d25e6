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
#include <mutex>
#include <string>

#include "problem.h"

namespace xprs {
namespace {

// The search's log points, on whichever thread (CBC's search threads included) reaches them:
// every node, and any other event once the callback is due by time. A stop is passed to the model
// that saw it, which hands it to the search's master; CBC clones the handler into every model, so
// the shared state lives in the problem. Also the "stop once a solution exists" time limit.
class NodeEvents : public CbcEventHandler {
  public:
    NodeEvents(Problem* p, double softLimit, double startTime)
        : p_(p), softLimit_(softLimit), startTime_(startTime) {}
    CbcEventHandler* clone() const override { return new NodeEvents(*this); }
    CbcAction event(CbcEvent e) override {
        bool between = e == node || e == treeStatus;
        if (p_->logPoint(e == node)) {
            model_->sayEventHappened();
            return between ? stop : noAction;
        }
        if (between && softLimit_ > 0 && model_->bestSolution() &&
            CoinCpuTime() - startTime_ >= softLimit_)
            return stop;
        return noAction;
    }

  private:
    Problem* p_;
    double softLimit_;
    double startTime_;
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

void addHeuristics(CbcModel& model, int frequency, double effort) {
    if (frequency == 0 || effort <= 0) return;
    CbcRounding rounding(model);
    model.addHeuristic(&rounding);
    CbcHeuristicFPump pump(model);
    pump.setMaximumPasses(static_cast<int>(std::ceil(20 * effort)));
    model.addHeuristic(&pump);
    CbcHeuristicLocal local(model);
    model.addHeuristic(&local);
    CbcHeuristicRINS rins(model);
    model.addHeuristic(&rins);
}

// Semi-continuous columns branch on {0} or [limit, upper]; sets carry their reference weights.
void addObjects(CbcModel& model, const Model& m) {
    model.findIntegers(false);
    std::vector<CbcObject*> objects;
    for (size_t s = 0; s < m.sets.size(); ++s) {
        const Set& set = m.sets[s];
        objects.push_back(new CbcSOS(&model, static_cast<int>(set.cols.size()), set.cols.data(),
                                     set.refs.data(), static_cast<int>(s),
                                     set.type == '2' ? 2 : 1));
    }
    for (int c = 0; c < m.ncols; ++c) {
        if (m.coltype[c] != 'S') continue;
        double points[4] = {0.0, 0.0, m.sclimit[c], m.ub[c]};
        objects.push_back(new CbcLotsize(&model, c, 2, points, true));
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

// The search's thread count: the larger of MIPTHREADS and THREADS, one below 2, at most 99
// because CBC's driver reads the hundreds of its thread count as the thread mode.
constexpr int kMaxSearchThreads = 99;

int searchThreads(const Controls& c) {
    int threads = std::max(c.intValue(XPRS_MIPTHREADS), c.intValue(XPRS_THREADS));
    return std::min(kMaxSearchThreads, std::max(1, threads));
}

// CBC's parallel search hands each node to whichever thread is free first, so the same problem
// can take 3000 nodes in one run and stop at the node limit in the next. Its repeatable mode
// (thread mode 1; the driver's thread count plus 100) works through the tree in rounds of fixed
// shape: the same problem and controls visit the same nodes and give the same answer every run.
constexpr int kRepeatableThreadMode = 1;

void applyMipControls(Problem& p, CbcModel& model) {
    const Controls& c = p.controls;
    model.setMaximumNodes(c.intValue(XPRS_MAXNODE));
    if (c.intValue(XPRS_MAXMIPSOL) > 0) model.setMaximumSolutions(c.intValue(XPRS_MAXMIPSOL));
    model.setAllowableGap(c.dblValue(XPRS_MIPABSSTOP));
    model.setAllowableFractionGap(c.dblValue(XPRS_MIPRELSTOP));
    model.setIntegerTolerance(c.dblValue(XPRS_MIPTOL));
    int seconds = c.intValue(XPRS_MAXTIME);
    if (seconds > 0) model.setMaximumSeconds(seconds);
    double relCutoff = c.dblValue(XPRS_MIPRELCUTOFF);
    if (relCutoff > 0)
        model.setCutoffIncrement(relCutoff * std::max(1.0, std::fabs(p.results.lpObj)));
    int threads = searchThreads(c);
    if (threads > 1) {
        model.setNumberThreads(threads);
        model.setThreadMode(kRepeatableThreadMode);
    }
    model.setNumberStrong(5);
    model.setNumberBeforeTrust(10);
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

const char* searchOutcome(const Problem& p, const CbcModel& model) {
    if (p.stopRequested) return "stopped by the client";
    if (model.isProvenOptimal()) return model.bestSolution() ? "optimal" : "infeasible";
    if (model.isProvenInfeasible()) return "infeasible";
    if (model.isNodeLimitReached()) return "node limit";
    if (model.isSecondsLimitReached()) return "time limit";
    if (model.isSolutionLimitReached()) return "solution limit";
    return "unfinished";
}

void recordSearch(Problem& p, CbcModel& model) {
    p.log.flushPending();
    p.results.mipStatus = mipStatusOf(p, model);
    p.results.simplexIter += model.getIterationCount();
    p.info(std::string("Search ended, ") + searchOutcome(p, model) + ", after " +
           std::to_string(model.getNodeCount()) + " nodes and " +
           std::to_string(model.getIterationCount()) + " simplex iterations");
    const Model& m = p.model;
    if (model.bestSolution()) {
        p.mipSolution.assign(model.bestSolution(), model.bestSolution() + m.ncols);
        p.results.mipObj = objectiveAt(m, p.mipSolution.data());
    }
}

std::unique_ptr<OsiClpSolverInterface> searchSolver(Problem& p) {
    auto solver = std::make_unique<OsiClpSolverInterface>(new ClpSimplex(*p.lp), true);
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
void runObjectSearch(Problem& p) {
    auto solver = searchSolver(p);
    CbcModel model(*solver);
    // Into the log from the first message on: finding the integers warns when there are none.
    model.passInMessageHandler(p.messages.get());
    addObjects(model, p.model);
    addCuts(model, p.controls.intValue(XPRS_CUTSTRATEGY));
    addHeuristics(model, p.controls.intValue(XPRS_HEURSEARCHFREQ),
                  p.controls.dblValue(XPRS_HEURSEARCHEFFORT));
    applyMipControls(p, model);
    int seconds = p.controls.intValue(XPRS_MAXTIME);
    NodeEvents events(&p, seconds < 0 ? -seconds : 0, CoinCpuTime());
    model.passInEventHandler(&events);
    for (const auto& start : p.mipStarts) offerStart(p, model, start);
    model.branchAndBound();
    recordSearch(p, model);
}

std::string number(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

// The driver's own settings for the controls that have one.
std::vector<std::string> driverArguments(const Problem& p) {
    const Controls& c = p.controls;
    std::vector<std::string> args = {"xprs", "-log", std::to_string(logLevel(p, XPRS_MIPLOG))};
    auto add = [&](const char* name, const std::string& value) {
        args.push_back(name);
        args.push_back(value);
    };
    if (c.intValue(XPRS_MAXNODE) < 2147483647)
        add("-maxNodes", std::to_string(c.intValue(XPRS_MAXNODE)));
    if (c.intValue(XPRS_MAXMIPSOL) > 0)
        add("-maxSolutions", std::to_string(c.intValue(XPRS_MAXMIPSOL)));
    if (c.intValue(XPRS_MAXTIME) > 0) add("-seconds", std::to_string(c.intValue(XPRS_MAXTIME)));
    add("-allowableGap", number(c.dblValue(XPRS_MIPABSSTOP)));
    add("-ratioGap", number(c.dblValue(XPRS_MIPRELSTOP)));
    add("-integerTolerance", number(c.dblValue(XPRS_MIPTOL)));
    add("-primalTolerance", number(std::min(kSearchPrimalTolerance, c.dblValue(XPRS_FEASTOL))));
    add("-dualTolerance", number(c.dblValue(XPRS_OPTIMALITYTOL)));
    double relCutoff = c.dblValue(XPRS_MIPRELCUTOFF);
    if (relCutoff > 0)
        add("-increment", number(relCutoff * std::max(1.0, std::fabs(p.results.lpObj))));
    int threads = searchThreads(c);
    if (threads > 1) add("-threads", std::to_string(100 * kRepeatableThreadMode + threads));
    int cuts = c.intValue(XPRS_CUTSTRATEGY);
    if (cuts == 0) add("-cuts", "off");
    if (cuts == 1) add("-cuts", "root");
    if (cuts == 3) add("-cuts", "forceOn");
    if (c.intValue(XPRS_HEURSEARCHFREQ) == 0 || c.dblValue(XPRS_HEURSEARCHEFFORT) <= 0)
        add("-heuristics", "off");
    if (c.intValue(XPRS_MIPPRESOLVE) == 0) add("-preprocess", "off");
    args.push_back("-solve");
    args.push_back("-quit");
    return args;
}

void runDriverSearch(Problem& p) {
    auto solver = searchSolver(p);
    CbcModel model(*solver);
    model.passInMessageHandler(p.messages.get());
    int seconds = p.controls.intValue(XPRS_MAXTIME);
    NodeEvents events(&p, seconds < 0 ? -seconds : 0, CoinCpuTime());
    model.passInEventHandler(&events);
    for (const auto& start : p.mipStarts) offerStart(p, model, start);
    std::vector<std::string> args = driverArguments(p);
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
        CbcMain1(static_cast<int>(argv.size()), argv.data(), model, nullptr, data);
    }
    recordSearch(p, model);
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

void runSearch(Problem& p) {
    const Model& m = p.model;
    bool objects = !m.sets.empty() ||
                   std::any_of(m.coltype.begin(), m.coltype.end(), [](char t) { return t == 'S'; });
    if (objects)
        runObjectSearch(p);
    else
        runDriverSearch(p);
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
        p.rootSolved = p.results.lpStatus == XPRS_LP_OPTIMAL;
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
    runSearch(p);
    return kOk;
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
