// The optimization run: the MIP warm start, the optimization calls by objective direction, and the
// interpretation of the optimizer's status into messages, result codes and summary items.
#include <locale>
#include <vector>

#include "host/host_codes.h"
#include "host/providers.h"
#include "host/vrim.h"
#include "solve/solve_context.h"
#include "solver/run_arrays.h"
#include "solver/summary_items.h"
#include "solver/zol_xpress.h"

using corvane::SolveContext;
namespace result = corvane::result;
namespace status = corvane::status;

namespace {

constexpr int kIterationLimitForSearch = 1000000000;
// The search's own scaling, whatever "IFSCAL" says; "IFSCAL" is restored after the search. (The
// optimizer library takes any value but 0 as its automatic scaling.)
constexpr int kSearchScaling = 528;
constexpr double kMarker = 1.0e12;

}  // namespace

void ZOLXpress::setStatus(int status) {
    corvane::setSummaryItem(convergenceSummary, corvane::summary_item::kStatus, status);
}

// The MIP start is stated in the columns the optimizer sees, which are scaled.
void ZOLXpress::offerMipStart(const double* start) {
    std::vector<double> scaled(static_cast<size_t>(numVars));
    for (int j = 0; j < numVars; ++j) scaled[j] = start[j] / colScale[j];
    XPRSaddmipsol(problemHandle, numVars, scaled.data(), nullptr, nullptr);
}

void ZOLXpress::warmStartMip() {
    if (!solveAsMip || relaxMipRun) return;
    if (!warmStartPending) {
        offerMipStart(startPoint);
    } else if (mipWarmStartMode == 2) {
        offerMipStart(startPoint);
    } else if (mipWarmStartMode == 3) {
        warmStartFromFirstStartPoint();
    }
    warmStartPending = false;
}

// The first start point has the columns of the object's first solve; offered to a problem of
// another size it would be read past its end or describe other columns.
void ZOLXpress::warmStartFromFirstStartPoint() {
    if (firstStartPoint && firstStartPointVars == numVars) {
        offerMipStart(firstStartPoint);
        return;
    }
    logLine(" *** Warning: XPRESS MIP warm start not made. The first start point has ",
            firstStartPointVars, " values, the problem has ", numVars, " columns");
}

void ZOLXpress::searchMip(int sense) {
    XPRSchgobjsense(problemHandle, sense);
    XPRSsetintcontrol(problemHandle, XPRS_SCALING, kSearchScaling);
    XPRSsetintcontrol(problemHandle, XPRS_DEFAULTALG, 1);
    XPRSmipoptimize(problemHandle, "l");
    // The relaxation ran under "MAXLPITER"; the search's node LPs are limited by "MAXNODE" and
    // "MAXBBMIPTIME" instead. Everything set here is put back below for the next solve's
    // continuous calls.
    XPRSsetintcontrol(problemHandle, XPRS_LPITERLIMIT, kIterationLimitForSearch);
    XPRSsetintcontrol(problemHandle, XPRS_MAXTIME, maxMipTime);
    // A diagnostic switch without a parameter of its own: a "MAXLPITER" that ends in 11 (1011,
    // 100011) has a maximising search list the optimizer's controls in the log before it runs.
    if (sense < 0 && maxLpIter % 100 == 11) XPRSdumpcontrols(problemHandle);
    XPRSmipoptimize(problemHandle, "");
    XPRSsetintcontrol(problemHandle, XPRS_SCALING, scaling);
    XPRSsetintcontrol(problemHandle, XPRS_DEFAULTALG, algorithm);
    XPRSsetintcontrol(problemHandle, XPRS_LPITERLIMIT, maxLpIter);
    XPRSsetintcontrol(problemHandle, XPRS_MAXTIME, 0);
}

void ZOLXpress::optimize(SolveContext& context) {
    if (context.sense == 0) return;
    const bool minimise = context.sense > 0;
    const auto solveContinuous = [&](const char* flags) {
        context.rc = minimise ? XPRSminim(problemHandle, flags) : XPRSmaxim(problemHandle, flags);
    };
    if (!solveAsMip) {
        solveContinuous("");
    } else if (relaxMipRun) {
        solveContinuous("l");
    } else {
        searchMip(minimise ? 1 : -1);
    }
}

void ZOLXpress::interpretLpStatus(SolveContext& context) {
    int status = 0;
    XPRSgetintattrib(problemHandle, XPRS_LPSTATUS, &status);
    int* resultCode = context.resultCode;
    switch (status) {
        case XPRS_LP_OPTIMAL:
            readIterationsAndObjective(XPRS_LPOBJVAL);
            *resultCode = result::kSolved;
            setStatus(status::kSolved);
            logLine(" *** Successful LP solution found *** ");
            reportObjective();
            break;
        case XPRS_LP_INFEAS:
            reportInfeasibleLp(context, status);
            break;
        case XPRS_LP_CUTOFF:
            reportCoded(resultCode, result::kNoOptimum, status::kCutOff,
                        " *** Warning from XPRESS solver. Inconsistent primal LP solution. Code ",
                        status);
            break;
        case XPRS_LP_UNFINISHED:
            reportCoded(resultCode, result::kNoOptimum, status::kUnfinished,
                        " *** Error in XPRESS solver. Incomplete LP solution. Code ", status);
            break;
        case XPRS_LP_UNBOUNDED:
            *resultCode = result::kNoOptimum;
            setStatus(status::kUnbounded);
            reportUnboundedness(context);
            break;
        case XPRS_LP_CUTOFF_IN_DUAL:
            reportCoded(resultCode, result::kNoOptimum, status::kCutOff,
                        " *** Error in XPRESS solver. Inconsistent dual LP solution. Code ",
                        status);
            break;
        default:
            reportCoded(resultCode, result::kUnknown, status::kFailed,
                        " *** Error in XPRESS solver. Status unknown. Code ", status);
    }
}

void ZOLXpress::reportInfeasibleLp(SolveContext& context, int status) {
    double primal = 0.0;
    double dual = 0.0;
    *context.resultCode = result::kNoOptimum;
    XPRSgetdblattrib(problemHandle, XPRS_SUMPRIMALINF, &primal);
    XPRSgetdblattrib(problemHandle, XPRS_BARDUALINF, &dual);
    setStatus(status::kInfeasible);
    logLine(" *** Warning from XPRESS solver. Infeasible LP solution. Code ", status);
    if (primal + dual > 0) {
        logLine(" *** Sum of Primal Infeasibilities = ", primal);
        logLine(" *** Sum of Dual Infeasibilities (Newton Barrier only) = ", dual);
    }
    if (algorithm < 4) reportInfeasibilities(context, false);
}

void ZOLXpress::interpretMipStatus(SolveContext& context) {
    const int status = context.mipStatus;
    int* resultCode = context.resultCode;
    switch (status) {
        case XPRS_MIP_OPTIMAL:
            readIterationsAndObjective(XPRS_MIPOBJVAL);
            *resultCode = result::kSolved;
            setStatus(status::kSolved);
            logLine(" *** Successful MIP solution found *** ");
            reportObjective();
            break;
        case XPRS_MIP_INFEAS:
            *resultCode = result::kNoOptimum;
            setStatus(status::kCutOff);
            logLine(
                " *** Error in XPRESS solver. Search is complete. No integer solution exists. "
                "Code = ",
                status);
            setStatus(status::kInfeasible);
            if (algorithm < 4) reportInfeasibilities(context, true);
            break;
        case XPRS_MIP_SOLUTION:
            XPRSgetdblattrib(problemHandle, XPRS_MIPOBJVAL, &objectiveValue);
            *resultCode = result::kSolved;
            setStatus(status::kSolved);
            logLine(
                " *** Warning in XPRESS solver. The solution found is feasible but "
                "suboptimal.");
            logLine(" *** Best Integer Objective Value is ", objectiveValue);
            break;
        case XPRS_MIP_NO_SOL_FOUND:
            reportCoded(resultCode, result::kNoOptimum, status::kInfeasible,
                        " *** Error in XPRESS solver. Search is incomplete. No integer solution "
                        "found. Code = ",
                        status);
            break;
        case XPRS_MIP_LP_OPTIMAL:
            if (relaxMipRun) {
                readIterationsAndObjective(XPRS_LPOBJVAL);
                *resultCode = result::kSolved;
                setStatus(status::kSolved);
                logLine(" *** Successful Relaxed IP solution found *** ");
                reportObjective();
            } else {
                reportCoded(resultCode, result::kNoOptimum, status::kInfeasible,
                            " *** Error in XPRESS solver. LP optimized only. No integer solution. "
                            "Code = ",
                            status);
            }
            break;
        case XPRS_MIP_LP_NOT_OPTIMAL:
            reportCoded(resultCode, result::kNoOptimum, status::kCutOff,
                        " *** Error in XPRESS solver. Incomplete LP solution. No integer "
                        "solution. Code = ",
                        status);
            break;
        default:
            break;
    }
}

void ZOLXpress::reportCoded(int* resultCode, int result, int status, const char* text, int code) {
    *resultCode = result;
    setStatus(status);
    logLine(text, code);
}

void ZOLXpress::readIterationsAndObjective(int objectiveAttribute) {
    XPRSgetintattrib(problemHandle, XPRS_SIMPLEXITER, &iterationCount);
    XPRSgetdblattrib(problemHandle, objectiveAttribute, &objectiveValue);
}

void ZOLXpress::reportObjective() {
    logLine(" *** Optimal Objective Value is ", objectiveValue);
    setStatus(status::kSolved);
    corvane::setSummaryItem(convergenceSummary, corvane::summary_item::kFinalObjective,
                            objectiveValue);
    corvane::setSummaryItem(convergenceSummary, corvane::summary_item::kIterations, iterationCount);
}

void ZOLXpress::openReport(const SolveContext& context) {
    if (infeasibilityStream.is_open()) infeasibilityStream.close();
    infeasibilityStream.clear();
    infeasibilityStream.imbue(std::locale::classic());
    if (context.names.report.empty()) {
        infeasibilityStream.setstate(std::ios::failbit);
        return;
    }
    infeasibilityStream.open(context.names.report, std::ios::out | std::ios::app);
}

void ZOLXpress::reportUnboundedness(SolveContext& context) {
    int index = -1;
    XPRSgetunbvec(problemHandle, &index);
    if (index < 0) return;
    openReport(context);
    if (index < numRows) {
        infeasibilityStream << "R" << index << "\n";
    } else {
        infeasibilityStream << "C" << index - numRows + 1 << "\n";
    }
    infeasibilityStream.close();
}

// Column lines, then row lines, each the letter and the optimizer's index. The host's reduced
// costs and the row duals of the listed entries carry a 1.0e12 marker back.
void ZOLXpress::reportInfeasibilities(SolveContext& context, bool mipForm) {
    const int columns = numVars;
    const int rows = numRows;
    std::vector<int> colsPrimal(static_cast<size_t>(columns) + 1);
    std::vector<int> colsDual(static_cast<size_t>(columns) + 1);
    std::vector<int> rowsPrimal(static_cast<size_t>(rows) + 1);
    std::vector<int> rowsDual(static_cast<size_t>(rows) + 1);
    int npv = 0, nps = 0, nds = 0, ndv = 0;
    XPRSgetscaledinfeas(problemHandle, &npv, &nps, &nds, &ndv, colsPrimal.data(), rowsPrimal.data(),
                        rowsDual.data(), colsDual.data());
    const auto bounded = [](int count, int size) { return count < 0 ? 0 : std::min(count, size); };
    npv = bounded(npv, columns);
    ndv = bounded(ndv, columns);
    nps = bounded(nps, rows);
    nds = bounded(nds, rows);

    openReport(context);
    double* reducedCosts = context.vars->reducedCostArray();
    const bool noPrimalColumns = mipForm ? npv == 0 : npv == 0 && nps == 0;
    const bool noPrimalRows = mipForm ? nps == 0 : nps == 0 && npv == 0;
    const std::vector<int>& colList = npv > 0 ? colsPrimal : colsDual;
    const int colCount = npv > 0 ? npv : (noPrimalColumns ? ndv : 0);
    for (int i = 0; i < colCount; ++i) {
        const int c = colList[i];
        if (c < 0 || c >= columns) continue;
        infeasibilityStream << "C" << c << "\n";
        reducedCosts[c] = kMarker;
    }
    const std::vector<int>& rowList = nps > 0 ? rowsPrimal : rowsDual;
    const int rowCount = nps > 0 ? nps : (noPrimalRows ? nds : 0);
    for (int i = 0; i < rowCount; ++i) {
        const int r = rowList[i];
        if (r <= 0 || r >= rows) continue;
        infeasibilityStream << "R" << r << "\n";
        rowDual[r] = kMarker;
    }
    infeasibilityStream.close();
}
