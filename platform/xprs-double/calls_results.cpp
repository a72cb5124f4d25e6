// Solutions, basis, infeasibility lists and the files a run reads and writes.
#include <cstdio>

#include "invoke.hpp"
#include "outputs.hpp"

using namespace xdouble;

namespace {

// The lists written are cut to the problem's size, so the counts answered match what was written.
int listLength(const std::vector<int>& list, int size) {
    return std::min(static_cast<int>(list.size()), std::max(size, 0));
}

bool canOpen(const char* file, const char* mode) {
    std::FILE* handle = std::fopen(file, mode);
    if (!handle) return false;
    std::fclose(handle);
    return true;
}

Outcome cannotOpen(Fn fn, const char* file, const char* purpose) {
    return failed(XDBL_ERR_FILE, std::string(functionName(fn)) + ": cannot open '" +
                                     (file ? file : "") + "' for " + purpose);
}

Outcome writeFile(Fn fn, const char* file, const std::string& content) {
    std::FILE* out = file ? std::fopen(file, "w") : nullptr;
    if (!out) return cannotOpen(fn, file, "writing");
    const bool written = std::fputs(content.c_str(), out) >= 0;
    if (std::fclose(out) != 0 || !written) return cannotOpen(fn, file, "writing");
    return succeeded();
}

std::string sizeLine(const xo_prob_struct& problem) {
    return "rows " + std::to_string(problem.nrows) + " columns " + std::to_string(problem.ncols) +
           "\n";
}

auto recordFileAndFlags(const char* file, const char* flags) {
    return [=](Args& args) { args.text(file).text(flags); };
}

}  // namespace

extern "C" {

XPRS_API int XPRS_CC XPRSgetbasis(XPRSprob prob, int rowstat[], int colstat[]) {
    return invokeOnProblem(
        Fn::XPRSgetbasis, prob, [&](Args& args) { args.pointer(rowstat).pointer(colstat); },
        [&](State& state, xo_prob_struct& problem) {
            writeSized(rowstat, problem.nrows, state.script.basis.rows);
            writeSized(colstat, problem.ncols, state.script.basis.cols);
            return succeeded();
        });
}

XPRS_API int XPRS_CC XPRSgetlpsol(XPRSprob prob, double x[], double slack[], double dual[],
                                  double dj[]) {
    return invokeOnProblem(
        Fn::XPRSgetlpsol, prob,
        [&](Args& args) { args.pointer(x).pointer(slack).pointer(dual).pointer(dj); },
        [&](State& state, xo_prob_struct& problem) {
            const LpSolution& lp = state.script.lpsol;
            writeSized(x, problem.ncols, lp.x);
            writeSized(slack, problem.nrows, lp.slack);
            writeSized(dual, problem.nrows, lp.dual);
            writeSized(dj, problem.ncols, lp.dj);
            return succeeded();
        });
}

XPRS_API int XPRS_CC XPRSgetmipsol(XPRSprob prob, double x[], double slack[]) {
    return invokeOnProblem(
        Fn::XPRSgetmipsol, prob, [&](Args& args) { args.pointer(x).pointer(slack); },
        [&](State& state, xo_prob_struct& problem) {
            writeSized(x, problem.ncols, state.script.mipsol.x);
            writeSized(slack, problem.nrows, state.script.mipsol.slack);
            return succeeded();
        });
}

XPRS_API int XPRS_CC XPRSgetscaledinfeas(XPRSprob prob, int* npv, int* nps, int* nds, int* ndv,
                                         int colsP[], int rowsP[], int rowsD[], int colsD[]) {
    return invokeOnProblem(
        Fn::XPRSgetscaledinfeas, prob,
        [&](Args& args) {
            args.pointer(npv).pointer(nps).pointer(nds).pointer(ndv);
            args.pointer(colsP).pointer(rowsP).pointer(rowsD).pointer(colsD);
        },
        [&](State& state, xo_prob_struct& problem) {
            const ScaledInfeasibilities& lists = state.script.infeasibilities;
            const int pv = listLength(lists.colsP, problem.ncols);
            const int ps = listLength(lists.rowsP, problem.nrows);
            const int ds = listLength(lists.rowsD, problem.nrows);
            const int dv = listLength(lists.colsD, problem.ncols);
            writeValue(npv, pv);
            writeValue(nps, ps);
            writeValue(nds, ds);
            writeValue(ndv, dv);
            writeSized(colsP, pv, lists.colsP);
            writeSized(rowsP, ps, lists.rowsP);
            writeSized(rowsD, ds, lists.rowsD);
            writeSized(colsD, dv, lists.colsD);
            return succeeded();
        });
}

XPRS_API int XPRS_CC XPRSgetunbvec(XPRSprob prob, int* index) {
    return invokeOnProblem(
        Fn::XPRSgetunbvec, prob, [&](Args& args) { args.pointer(index); },
        [&](State& state, xo_prob_struct&) {
            writeValue(index, state.script.unbvec);
            return succeeded();
        });
}

// The file is opened for appending at once, so a run's log exists from here on and earlier
// contents survive. A null or empty name ends logging.
XPRS_API int XPRS_CC XPRSsetlogfile(XPRSprob prob, const char* file) {
    return invokeOnProblem(
        Fn::XPRSsetlogfile, prob, [&](Args& args) { args.text(file); },
        [&](State&, xo_prob_struct& problem) {
            if (!file || !*file) {
                problem.logFile.reset();
                return succeeded();
            }
            if (!canOpen(file, "a")) return cannotOpen(Fn::XPRSsetlogfile, file, "appending");
            problem.logFile = file;
            return succeeded();
        });
}

XPRS_API int XPRS_CC XPRSreadbasis(XPRSprob prob, const char* file, const char* flags) {
    return invokeOnProblem(Fn::XPRSreadbasis, prob, recordFileAndFlags(file, flags),
                           [&](State&, xo_prob_struct&) {
                               if (!file || !canOpen(file, "r")) {
                                   return cannotOpen(Fn::XPRSreadbasis, file, "reading");
                               }
                               return succeeded();
                           });
}

XPRS_API int XPRS_CC XPRSwritebasis(XPRSprob prob, const char* file, const char* flags) {
    return invokeOnProblem(
        Fn::XPRSwritebasis, prob, recordFileAndFlags(file, flags),
        [&](State&, xo_prob_struct& problem) {
            return writeFile(Fn::XPRSwritebasis, file,
                             "basis written by the optimizer test double\n" + sizeLine(problem));
        });
}

XPRS_API int XPRS_CC XPRSwriteprob(XPRSprob prob, const char* file, const char* flags) {
    return invokeOnProblem(Fn::XPRSwriteprob, prob, recordFileAndFlags(file, flags),
                           [&](State&, xo_prob_struct& problem) {
                               return writeFile(Fn::XPRSwriteprob, file,
                                                "problem '" + problem.name +
                                                    "' written by the optimizer test double\n" +
                                                    sizeLine(problem));
                           });
}

}  // extern "C"
