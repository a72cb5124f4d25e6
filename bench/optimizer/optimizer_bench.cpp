// Times a load plus solve of each model through the optimizer library and through CLP or CBC
// called directly on the same arrays, and prints the ratio. Reading the file is not timed.
//
// Usage: optimizer_bench [model-file...]; without arguments it runs the shared and sample models.
#include <CbcModel.hpp>
#include <CbcSolver.hpp>
#include <ClpSimplex.hpp>
#include <CoinPackedMatrix.hpp>
#include <CoinTime.hpp>
#include <OsiClpSolverInterface.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/mps_model.h"

namespace {

using xprstest::MpsModel;

double now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

struct Bounds {
    std::vector<double> rowLower, rowUpper;
};

Bounds rowBounds(const MpsModel& m) {
    Bounds b;
    for (int r = 0; r < m.nrows; ++r) {
        char t = m.rowtype[r];
        double lo = -COIN_DBL_MAX, up = COIN_DBL_MAX;
        if (t == 'E' || t == 'G') lo = m.rhs[r];
        if (t == 'E' || t == 'L' || t == 'R') up = m.rhs[r];
        if (t == 'R') lo = m.rhs[r] - m.range[r];
        b.rowLower.push_back(lo);
        b.rowUpper.push_back(up);
    }
    return b;
}

CoinPackedMatrix matrixOf(const MpsModel& m) {
    std::vector<int> lengths(m.ncols);
    for (int c = 0; c < m.ncols; ++c) lengths[c] = m.start[c + 1] - m.start[c];
    return CoinPackedMatrix(true, m.nrows, m.ncols, m.start[m.ncols], m.value.data(),
                            m.index.data(), m.start.data(), lengths.data());
}

std::vector<double> infinite(const std::vector<double>& v) {
    std::vector<double> out(v);
    for (double& x : out) x = x >= 1e20 ? COIN_DBL_MAX : x <= -1e20 ? -COIN_DBL_MAX : x;
    return out;
}

double directLp(const MpsModel& m) {
    Bounds b = rowBounds(m);
    ClpSimplex lp;
    lp.setLogLevel(0);
    std::vector<double> lb = infinite(m.lb), ub = infinite(m.ub);
    lp.loadProblem(matrixOf(m), lb.data(), ub.data(), m.obj.data(), b.rowLower.data(),
                   b.rowUpper.data());
    lp.initialSolve();
    return lp.objectiveValue();
}

double directMip(const MpsModel& m) {
    Bounds b = rowBounds(m);
    OsiClpSolverInterface solver;
    solver.messageHandler()->setLogLevel(0);
    std::vector<double> lb = infinite(m.lb), ub = infinite(m.ub);
    solver.loadProblem(matrixOf(m), lb.data(), ub.data(), m.obj.data(), b.rowLower.data(),
                       b.rowUpper.data());
    for (int c : m.integers) solver.setInteger(c);
    solver.getModelPtr()->setLogLevel(0);
    solver.initialSolve();
    CbcModel model(solver);
    CbcSolverUsefulData data;
    data.noPrinting_ = true;
    CbcMain0(model, data);
    const char* argv[] = {"bench",     "-log", "0",      "-allowableGap", "0",
                          "-ratioGap", "0",    "-solve", "-quit"};
    CbcMain1(9, argv, model, nullptr, data);
    return model.bestSolution() ? model.getObjValue() : NAN;
}

double throughLibrary(const MpsModel& m, bool mip) {
    XPRSprob prob = nullptr;
    XPRScreateprob(&prob);
    double value = NAN;
    if (m.load(prob, mip) == 0) {
        if (mip) {
            XPRSsetdblcontrol(prob, XPRS_MIPRELSTOP, 0.0);
            XPRSsetdblcontrol(prob, XPRS_MIPABSSTOP, 0.0);
            XPRSsetdblcontrol(prob, XPRS_MIPTOL, 1e-6);  // the direct search's default
            XPRSchgobjsense(prob, 1);
            XPRSmipoptimize(prob, "l");
            XPRSmipoptimize(prob, "");
            XPRSgetdblattrib(prob, XPRS_MIPOBJVAL, &value);
        } else {
            XPRSminim(prob, "");
            XPRSgetdblattrib(prob, XPRS_LPOBJVAL, &value);
        }
    }
    XPRSdestroyprob(prob);
    return value;
}

// Best of several runs, repeated until the runs add up to a measurable time.
template <class Run>
double bestTime(Run&& run, double& result) {
    double best = 1e300, total = 0;
    for (int i = 0; i < 25 && (i < 3 || total < 1.0); ++i) {
        double t = now();
        result = run();
        double elapsed = now() - t;
        best = std::min(best, elapsed);
        total += elapsed;
    }
    return best;
}

void benchmark(const std::string& file) {
    MpsModel m;
    if (!m.read(file)) {
        std::printf("%-28s cannot be read\n", file.c_str());
        return;
    }
    bool mip = !m.integers.empty();
    double libValue = 0, directValue = 0;
    double lib = bestTime([&] { return throughLibrary(m, mip); }, libValue);
    double direct = bestTime([&] { return mip ? directMip(m) : directLp(m); }, directValue);
    std::string name = file.substr(file.find_last_of('/') + 1);
    std::printf("%-20s %-4s %8ld %10.4f %10.4f %6.3f %18.10g %18.10g\n", name.c_str(),
                mip ? "MIP" : "LP", m.nonzeros(), lib, direct, lib / direct, libValue, directValue);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files(argv + 1, argv + argc);
    if (files.empty()) {
        const std::string shared = CORVANE_SHARED_DATA, sample = COIN_SAMPLE_DATA;
        for (const char* n :
             {"25fv47", "adlittle", "afiro",   "agg",     "blend",    "boeing2", "bore3d", "capri",
              "e226",   "forplan",  "israel",  "kb2",     "lotfi",    "recipe",  "sc105",  "sc50a",
              "sc50b",  "scagr7",   "share1b", "share2b", "stocfor1", "vtpbase"})
            files.push_back(shared + "/netlib/" + n + ".mps.gz");
        for (const char* n : {"bell5", "egout", "enigma", "flugpl", "gt2", "khb05250", "mod008",
                              "p0033", "stein27", "vpm1"})
            files.push_back(shared + "/miplib3/" + n + ".mps.gz");
        for (const char* n : {"brandy", "finnis", "nw460", "p0201", "p0548", "lseu"})
            files.push_back(sample + "/" + n + ".mps");
    }
    if (XPRSinit(nullptr) != 0) return 1;
    std::printf("%-20s %-4s %8s %10s %10s %6s %18s %18s\n", "model", "kind", "nonzeros", "library",
                "direct", "ratio", "library value", "direct value");
    for (const std::string& f : files) benchmark(f);
    XPRSfree();
    return 0;
}
