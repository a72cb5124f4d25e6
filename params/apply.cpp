// Transfers the parameters to a new optimizer problem as controls, in one fixed order. A refused
// control costs one log line and the transfer goes on.
#include <string>

#include "solver/optimizer_callbacks.h"
#include "solver/zol_xpress.h"

namespace {

const char* const kLpOption = " *** Error setting XPRESS LP algorithm option ";
const char* const kBarrierThreads = " *** Error setting XPRESS parallel Barrier algorithm option ";
const char* const kMaxTime = " *** Error setting XPRESS LP algorithm option XPRS_MAXTIME option ";

constexpr int kConcurrentAlgorithm = 5;
constexpr int kBarrierAlgorithm = 4;
constexpr int kAutomaticAlgorithm = 1;

}  // namespace

void ZOLXpress::WriteSolverParam(std::string text, double value) {
    logLine(text, value);
}

void ZOLXpress::setIntControl(int control, int value, const char* refusal) {
    if (XPRSsetintcontrol(problemHandle, control, value) != 0 && refusal)
        WriteSolverParam(refusal, value);
}

void ZOLXpress::setDoubleControl(int control, double value, const char* refusal) {
    setDoubleControl(control, value, refusal, value);
}

void ZOLXpress::setDoubleControl(int control, double value, const char* refusal, double shown) {
    if (XPRSsetdblcontrol(problemHandle, control, value) != 0) WriteSolverParam(refusal, shown);
}

void ZOLXpress::SetSolverParametersNew() {
    setIntControl(XPRS_DEFAULTALG,
                  algorithm == kConcurrentAlgorithm ? kAutomaticAlgorithm : algorithm, kLpOption);
    setIntControl(XPRS_PRESOLVE, presolve, kLpOption);
    setIntControl(XPRS_SCALING, scaling, kLpOption);
    setIntControl(XPRS_CONTROL_8326, 0, kLpOption);
    setIntControl(XPRS_LPLOG, lpLog, kLpOption);
    setIntControl(XPRS_CRASH, crash, kLpOption);
    setIntControl(XPRS_PRICINGALG, pricing, kLpOption);
    setIntControl(XPRS_CONTROL_8130, 1, kLpOption);
    setIntControl(XPRS_CONTROL_8052, 1, kLpOption);
    setIntControl(XPRS_MAXNODE, maxNode,
                  " *** Error setting XPRESS LP algorithm option XPRS_MAXNODE ");
    setIntControl(XPRS_MIPPRESOLVE, 1,
                  " *** Error setting XPRESS LP algorithm option XPRS_MIPPRESOLVE ");
    setIntControl(XPRS_MAXMIPSOL, maxMipSol, kLpOption);
    setIntControl(XPRS_NODESELECTION, nodeSelection, kLpOption);
    setIntControl(XPRS_BACKTRACK, backtrack, kLpOption);
    setIntControl(XPRS_MIPLOG, mipLog, kLpOption);
    setIntControl(XPRS_CUTSTRATEGY, cutStrategy, kLpOption);
    setIntControl(XPRS_PRESOLVEOPS, presolveOps, kLpOption);
    if (threads > hardwareThreads) threads = hardwareThreads;
    if (threads > 1 && algorithm == kBarrierAlgorithm)
        setIntControl(XPRS_BARTHREADS, threads, kBarrierThreads);
    setIntControl(XPRS_LPITERLIMIT, maxLpIter, kLpOption);
    setThreadControls();
    setIntControl(XPRS_MAXSCALEFACTOR, maxScaleFactor, kLpOption);
    mipWarmStartMode = mipWarmStart;
    // "MAXBBMIPTIME" limits the MIP search alone: offered here so that a refused value is reported
    // with the other controls, then cleared so that no continuous solve runs under it. The search
    // sets it again around its own call.
    setIntControl(XPRS_MAXTIME, maxMipTime, kMaxTime);
    setIntControl(XPRS_MAXTIME, 0, kMaxTime);
    setIntControl(XPRS_HEURSEARCHFREQ, heurSearchFreq,
                  " *** Error setting XPRESS LP algorithm option XPRS_HEURSEARCHFREQ ");
    setIntControl(XPRS_MAXIIS, 1, " *** Error setting XPRESS LP algorithm option XPRS_MAXIIS ");
    setIntControl(XPRS_CONTROL_8133, 1, nullptr);
    setDoubleControl(XPRS_FEASTOL, feasibilityTol,
                     " *** Error setting XPRESS feasibility tolerance of ");
    setDoubleControl(XPRS_OPTIMALITYTOL, optimalityTol,
                     " *** Error setting XPRESS optimality tolerance of ");
    setDoubleControl(XPRS_ETATOL, etaTol, " *** Error setting XPRESS eta tolerance of ");
    setDoubleControl(XPRS_MATRIXTOL, matrixTol,
                     " *** Error setting XPRESS zero tolerance in the matrix elements ");
    setDoubleControl(XPRS_MIPABSSTOP, mipAbsStop,
                     " *** Error setting XPRESS absolute mip convergence tolerance ");
    setDoubleControl(XPRS_MIPRELSTOP, mipRelStop,
                     " *** Error setting XPRESS relative mip convergence tolerance ");
    // The integer tolerance never goes below the feasibility tolerance; a refusal shows ZTOLIS.
    setDoubleControl(XPRS_MIPTOL, integerTol > feasibilityTol ? integerTol : feasibilityTol,
                     " *** Error setting XPRESS integer feasibility tolerance ", integerTol);
    setDoubleControl(XPRS_PIVOTTOL, pivotTol, kLpOption);
    setDoubleControl(XPRS_RELPIVOTTOL, relPivotTol, kLpOption);
    setDoubleControl(XPRS_MARKOWITZTOL, markowitzTol, kLpOption);
    setDoubleControl(XPRS_MIPRELCUTOFF, mipRelCutoff, kLpOption);
    setDoubleControl(XPRS_ELIMTOL, 0.001,
                     " *** Error setting XPRESS LP algorithm option XPRS_ELIMTOL ");
    setDoubleControl(XPRS_HEURSEARCHEFFORT, heurSearchEffort,
                     " *** Error setting XPRESS LP algorithm option XPRS_HEURSEARCHEFFORT ");
}

// The thread budget: a MIP search uses it when parallel MIP is on, the concurrent mode splits it,
// and every other solve runs on one thread.
void ZOLXpress::setThreadControls() {
    const char* const mipThreads = " *** Error setting XPRESS parallel MIP threads ";
    const char* const allThreads = " *** Error setting XPRESS parallel threads ";
    if (solveAsMip && !relaxMipRun) {
        const bool parallel = threads > 1 && parallelMip > 0;
        parallelMipMessages = parallel;
        setIntControl(XPRS_MIPTHREADS, parallel ? threads : 1, mipThreads);
        setIntControl(XPRS_THREADS, parallel ? threads : 1, allThreads);
    } else if (algorithm == kConcurrentAlgorithm) {
        setIntControl(XPRS_THREADS, threads, allThreads);
        setIntControl(XPRS_CONCURRENTTHREADS, threads,
                      " *** Error setting XPRESS concurrent threads ");
        if (threads > 2) setIntControl(XPRS_BARTHREADS, threads - 2, kBarrierThreads);
    } else {
        setIntControl(XPRS_THREADS, 1, allThreads);
    }
}
