// One timed solve of a model file along one of three paths, for bench/overhead/run:
//
//   direct   CLP (or CBC for a model with integer columns) on the arrays read from the file
//   library  the optimizer library on the same arrays, with the calls and controls a solve
//            through the plug-in makes
//
// The third path, the plug-in, is bench_chain: it must not have the optimizer library linked in.
//
// Each path solves the model once untimed and then once timed, in the same process: the timed
// solve is what a host that has the libraries loaded and in use pays. Reading the file is not
// timed. Prints one line: "seconds objective [iterate1 iterate2 iterate3]".
// usage: bench_overhead direct|library MODEL
#include <unistd.h>
#include <CbcModel.hpp>
#include <CbcSolver.hpp>
#include <ClpSimplex.hpp>
#include <ClpSolve.hpp>
#include <CoinPackedMatrix.hpp>
#include <OsiClpSolverInterface.hpp>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "scratch_directory.h"
#include "tests/support/mps_model.h"

namespace {

using Clock = std::chrono::steady_clock;
using xprstest::MpsModel;

// The plug-in's defaults, and the settings that make a search prove its optimum.
constexpr double kFeasibilityTol = 1e-6;
constexpr double kOptimalityTol = 1e-6;
constexpr double kIntegerTol = 1e-6;
constexpr double kSearchPrimalTol = 1e-7;
constexpr int kLpIterations = 100000;
constexpr int kMaxNodes = 100000;
constexpr int kMaxSolutions = 100000000;
// The plug-in's default thread budget (two), capped by the machine.
int searchThreads() {
    const long cores = sysconf(_SC_NPROCESSORS_ONLN);
    return cores >= 2 ? 2 : 1;
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double clpInfinity(double v) {
    return v >= 1e20 ? COIN_DBL_MAX : v <= -1e20 ? -COIN_DBL_MAX : v;
}

void loadInto(ClpSimplex& lp, const MpsModel& m) {
    std::vector<double> rowLower(m.nrows), rowUpper(m.nrows), lb(m.ncols), ub(m.ncols);
    for (int r = 0; r < m.nrows; ++r) {
        const char t = m.rowtype[r];
        rowLower[r] = t == 'E' || t == 'G' ? m.rhs[r]
                      : t == 'R'           ? m.rhs[r] - m.range[r]
                                           : -COIN_DBL_MAX;
        rowUpper[r] = t == 'E' || t == 'L' || t == 'R' ? m.rhs[r] : COIN_DBL_MAX;
    }
    for (int c = 0; c < m.ncols; ++c) {
        lb[c] = clpInfinity(m.lb[c]);
        ub[c] = clpInfinity(m.ub[c]);
    }
    lp.loadProblem(m.ncols, m.nrows, m.start.data(), m.index.data(), m.value.data(), lb.data(),
                   ub.data(), m.obj.data(), rowLower.data(), rowUpper.data());
    lp.setLogLevel(0);
    lp.setMaximumIterations(kLpIterations);
    lp.setPrimalTolerance(kFeasibilityTol);
    lp.setDualTolerance(kOptimalityTol);
    lp.scaling(3);
}

void coldStart(ClpSimplex& lp) {
    ClpSolve options;
    options.setSolveType(ClpSolve::automatic);
    options.setPresolveType(ClpSolve::presolveOn);
    lp.initialSolve(options);
}

double direct(const MpsModel& m) {
    if (m.integers.empty()) {
        ClpSimplex lp;
        loadInto(lp, m);
        coldStart(lp);
        return lp.objectiveValue();
    }
    auto* lp = new ClpSimplex;
    loadInto(*lp, m);
    coldStart(*lp);
    OsiClpSolverInterface solver(lp, true);
    for (int c : m.integers) solver.setInteger(c);
    solver.messageHandler()->setLogLevel(0);
    solver.getModelPtr()->setPrimalTolerance(kSearchPrimalTol);
    CbcModel model(solver);
    CbcSolverUsefulData data;
    data.noPrinting_ = true;
    CbcMain0(model, data);
    const std::string nodes = std::to_string(kMaxNodes), solutions = std::to_string(kMaxSolutions);
    const std::string integerTol = std::to_string(kIntegerTol),
                      primalTol = std::to_string(kSearchPrimalTol);
    std::vector<const char*> argv = {"bench",
                                     "-log",
                                     "0",
                                     "-maxNodes",
                                     nodes.c_str(),
                                     "-maxSolutions",
                                     solutions.c_str(),
                                     "-allowableGap",
                                     "0",
                                     "-ratioGap",
                                     "0",
                                     "-integerTolerance",
                                     integerTol.c_str(),
                                     "-primalTolerance",
                                     primalTol.c_str()};
    // One search thread, as the optimizer library runs every search.
    argv.push_back("-solve");
    argv.push_back("-quit");
    CbcMain1(static_cast<int>(argv.size()), argv.data(), model, nullptr, data);
    return model.bestSolution() ? model.getObjValue() : NAN;
}

std::string numberedNames(char letter, int count) {
    std::string names;
    for (int i = 0; i < count; ++i) names += letter + std::to_string(i) + '\0';
    return names;
}

void XPRS_CC ignoreMessage(XPRSprob, void*, const char*, int, int) {}
int XPRS_CC keepGoing(XPRSprob, void*) {
    return 0;
}

// The plug-in's call sequence: create, callbacks, log file, controls, load, names, optimize,
// solution, basis file. The callbacks do nothing: what the plug-in's do is its own time.
struct Names {
    std::string cols, rows;
};

double library(const MpsModel& m, const Names& names, const std::string& runDir) {
    const bool mip = !m.integers.empty();
    const std::string basisFile = runDir + "/basis.bss", logFile = runDir + "/library.log";
    XPRSprob prob = nullptr;
    if (XPRScreateprob(&prob) != 0) return NAN;
    XPRSsetcblplog(prob, keepGoing, nullptr);
    XPRSsetintcontrol(prob, XPRS_CONTROL_8137, 1);
    XPRSaddcbmessage(prob, ignoreMessage, nullptr, 0);
    XPRSsetlogfile(prob, logFile.c_str());
    XPRSsetintcontrol(prob, XPRS_LPITERLIMIT, kLpIterations);
    XPRSsetintcontrol(prob, XPRS_PRESOLVE, -1);
    XPRSsetintcontrol(prob, XPRS_SCALING, 35);
    XPRSsetintcontrol(prob, XPRS_LPLOG, 500);
    XPRSsetintcontrol(prob, XPRS_MAXNODE, kMaxNodes);
    XPRSsetintcontrol(prob, XPRS_MAXMIPSOL, kMaxSolutions);
    XPRSsetintcontrol(prob, XPRS_MIPLOG, -100);
    XPRSsetintcontrol(prob, XPRS_MIPTHREADS, mip ? searchThreads() : 1);
    XPRSsetintcontrol(prob, XPRS_THREADS, mip ? searchThreads() : 1);
    XPRSsetdblcontrol(prob, XPRS_FEASTOL, kFeasibilityTol);
    XPRSsetdblcontrol(prob, XPRS_OPTIMALITYTOL, kOptimalityTol);
    XPRSsetdblcontrol(prob, XPRS_MIPABSSTOP, 0.0);
    XPRSsetdblcontrol(prob, XPRS_MIPRELSTOP, 0.0);
    XPRSsetdblcontrol(prob, XPRS_MIPTOL, kIntegerTol);
    XPRSsetdblcontrol(prob, XPRS_MIPRELCUTOFF, 0.0);
    double value = NAN;
    if (m.load(prob, mip) == 0) {
        XPRSaddnames(prob, XPRS_NAMES_COLUMNS, names.cols.data(), 0, m.ncols - 1);
        XPRSaddnames(prob, XPRS_NAMES_ROWS, names.rows.data(), 0, m.nrows - 1);
        std::vector<double> x(m.ncols), slack(m.nrows), dual(m.nrows), dj(m.ncols);
        std::vector<int> rowBasis(m.nrows), colBasis(m.ncols);
        if (mip) {
            XPRSaddmipsol(prob, m.ncols, x.data(), nullptr, nullptr);
            XPRSchgobjsense(prob, 1);
            XPRSmipoptimize(prob, "l");
            XPRSmipoptimize(prob, "");
            XPRSgetdblattrib(prob, XPRS_MIPOBJVAL, &value);
            XPRSgetbasis(prob, rowBasis.data(), colBasis.data());
            XPRSwritebasis(prob, basisFile.c_str(), "");
            XPRSgetmipsol(prob, x.data(), slack.data());
            XPRSfixglobals(prob, 1);
            XPRSminim(prob, "l");
            XPRSgetlpsol(prob, nullptr, nullptr, dual.data(), dj.data());
        } else {
            XPRSminim(prob, "");
            XPRSgetdblattrib(prob, XPRS_LPOBJVAL, &value);
            XPRSgetlpsol(prob, x.data(), slack.data(), dual.data(), dj.data());
            XPRSgetbasis(prob, rowBasis.data(), colBasis.data());
            XPRSwritebasis(prob, basisFile.c_str(), "");
        }
    }
    XPRSdestroyprob(prob);
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_overhead direct|library MODEL\n");
        return 2;
    }
    const std::string mode = argv[1], file = argv[2];
    if (mode != "direct" && mode != "library") {
        std::fprintf(stderr, "bench_overhead: unknown path %s\n", mode.c_str());
        return 2;
    }
    const ScratchDirectory scratch("corvane-overhead");
    if (!scratch.made()) return 2;
    const std::string logDir = scratch.path();
    try {
        MpsModel m;
        if (!m.read(file)) {
            std::fprintf(stderr, "cannot read %s\n", file.c_str());
            return 2;
        }
        if (XPRSinit(nullptr) != 0) return 2;
        // Like the arrays, the names are ready before the clock starts.
        const Names names{numberedNames('C', m.ncols), numberedNames('R', m.nrows)};
        const auto solve = [&] { return mode == "direct" ? direct(m) : library(m, names, logDir); };
        solve();
        const auto start = Clock::now();
        const double objective = solve();
        const double seconds = secondsSince(start);
        XPRSfree();
        std::printf("%.9f %.12g\n", seconds, objective);
        return std::isnan(objective) ? 1 : 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_overhead: %s\n", error.what());
        return 2;
    }
}
