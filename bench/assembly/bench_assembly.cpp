// Assembly cost per nonzero: generated sparse problems go through the solver's three calls against
// the optimizer test double, and the Jacobian compression is timed on its own as well.
//
// usage: bench_assembly NONZEROS...   (prints one table row per size)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "platform/host/vrim_host.h"
#include "platform/xprs-double/xprs_double.h"
#include "solver/zol_xpress.h"
#include "tests/support/model_providers.h"

namespace {

using Clock = std::chrono::steady_clock;
using corvane::test::VectorDerivs;
using corvane::test::VectorEqns;
using corvane::test::VectorObj;
using corvane::test::VectorVars;

struct Model {
    VectorVars vars{{}};
    VectorEqns eqns{{}};
    VectorDerivs derivs;
    VectorObj obj;
};

// About ten nonzeros per column, rows a fifth of the columns, elements in random order.
Model generate(long long nonzeros) {
    const int columns = static_cast<int>(std::max(1LL, nonzeros / 10));
    const int rows = std::max(1, columns / 5);
    Model model;
    model.vars = VectorVars(std::vector<double>(columns, 1.0));
    model.eqns = VectorEqns(std::vector<double>(rows, -1.0));
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> row(1, rows);
    std::uniform_int_distribution<int> column(1, columns);
    model.derivs.rows.resize(nonzeros);
    model.derivs.cols.resize(nonzeros);
    model.derivs.values.assign(nonzeros, 1.5);
    for (long long k = 0; k < nonzeros; ++k) {
        model.derivs.rows[k] = row(random);
        model.derivs.cols[k] = column(random);
    }
    for (int j = 1; j <= columns; ++j) model.obj.indices.push_back(j);
    model.obj.first.assign(columns, 1.0);
    model.obj.second.assign(columns, 0.0);
    return model;
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double timeThirdCall(ZOLXpress& solver, Model& model) {
    int request = 0, done = 0, result = 0;
    solver.iterate(&model.vars, &model.eqns, &model.derivs, &model.obj, &request, &done, &result);
    solver.iterate(&model.vars, &model.eqns, &model.derivs, &model.obj, &request, &done, &result);
    const Clock::time_point start = Clock::now();
    solver.iterate(&model.vars, &model.eqns, &model.derivs, &model.obj, &request, &done, &result);
    return secondsSince(start);
}

double timeCompression(Model& model) {
    ZOLXpress solver;
    const int n = model.vars.inqNumVars();
    const long long elements = static_cast<long long>(model.derivs.values.size()) + n;
    solver.numVars = n;
    solver.numRows = model.eqns.inqNumEqns() + 1;
    solver.numJacElements = static_cast<int>(model.derivs.values.size());
    solver.numObjTerms = n;
    solver.objCoef = new double[n];
    solver.colScale = new double[n];
    solver.objFirstDeriv = new double[n];
    solver.objVarIndex = new int[n];
    for (int j = 0; j < n; ++j) {
        solver.objCoef[j] = solver.objFirstDeriv[j] = 1.0;
        solver.colScale[j] = 1.0;
        solver.objVarIndex[j] = j + 1;
    }
    solver.colStart = new int[n + 1];
    solver.rowIndex = new int[elements];
    solver.matValue = new double[elements];
    const Clock::time_point start = Clock::now();
    solver.XPRSCompressJacobian(&model.derivs, &model.eqns);
    return secondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_assembly NONZEROS...\n");
        return 2;
    }
    char logDir[] = "/tmp/corvane-bench-XXXXXX";
    if (!mkdtemp(logDir)) return 1;
    std::printf(
        "| nonzeros | columns | rows | third call (ms) | ns/nonzero | compression (ms) | "
        "ns/nonzero |\n");
    std::printf("|---:|---:|---:|---:|---:|---:|---:|\n");
    for (int i = 1; i < argc; ++i) {
        const long long nonzeros = std::atoll(argv[i]);
        Model model = generate(nonzeros);
        xdbl_reset();
        xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_OPTIMAL);
        rt_cvgsum_t* summary = rtocvgsum_create();
        double third = 0.0;
        {
            ZOLXpress solver;
            solver.setConvergenceSummary(summary);
            solver.setStringParam("LOGDIR", logDir);
            third = timeThirdCall(solver, model);
        }
        rtocvgsum_destroy(summary);
        xdbl_reset();
        const double compression = timeCompression(model);
        std::printf("| %lld | %d | %d | %.1f | %.1f | %.1f | %.1f |\n", nonzeros,
                    model.vars.inqNumVars(), model.eqns.inqNumEqns(), third * 1e3,
                    third * 1e9 / nonzeros, compression * 1e3, compression * 1e9 / nonzeros);
        std::fflush(stdout);
    }
    return 0;
}
