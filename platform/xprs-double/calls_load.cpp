// Loading problems, names and MIP start solutions. The array lengths come from the scalar
// arguments the caller passed, so nothing is read beyond what the caller promised.
#include <climits>

#include "invoke.hpp"

using namespace xdouble;

namespace {

int atLeastZero(int n) {
    return n > 0 ? n : 0;
}

int clampedLength(long long n) {
    return n <= 0 ? 0 : n > INT_MAX ? INT_MAX : static_cast<int>(n);
}

// With collen the matrix holds the sum of the column lengths; without it colstart has ncols + 1
// entries and its last one is the length.
int matrixLength(int ncols, const int* colstart, const int* collen) {
    if (collen) {
        long long sum = 0;
        for (int j = 0; j < ncols; ++j) sum += atLeastZero(collen[j]);
        return clampedLength(sum);
    }
    return colstart && ncols >= 0 ? atLeastZero(colstart[ncols]) : 0;
}

int colstartLength(int ncols, const int* collen) {
    if (ncols < 0) return 0;
    return collen ? ncols : ncols + 1;
}

// Bytes up to and including the count-th NUL.
int namesLength(const char* names, int first, int last) {
    const long long count = static_cast<long long>(last) - first + 1;
    if (!names || count <= 0) return 0;
    long long seen = 0;
    int length = 0;
    while (seen < count) {
        if (names[length++] == '\0') ++seen;
    }
    return length;
}

struct Matrix {
    const char* name;
    int ncols, nrows;
    const char* rowtype;
    const double *rhs, *range, *obj;
    const int *colstart, *collen, *rowind;
    const double *value, *lb, *ub;
};

void recordMatrix(Args& args, const Matrix& m) {
    const int cols = atLeastZero(m.ncols);
    const int rows = atLeastZero(m.nrows);
    const int nonzeros = matrixLength(m.ncols, m.colstart, m.collen);
    args.text(m.name).integer(m.ncols).integer(m.nrows);
    args.chars(m.rowtype, rows);
    args.doubles(m.rhs, rows).doubles(m.range, rows).doubles(m.obj, cols);
    args.ints(m.colstart, colstartLength(m.ncols, m.collen)).ints(m.collen, cols);
    args.ints(m.rowind, nonzeros).doubles(m.value, nonzeros);
    args.doubles(m.lb, cols).doubles(m.ub, cols);
}

Outcome load(xo_prob_struct& problem, const Matrix& m, bool countsValid) {
    if (m.ncols < 0 || m.nrows < 0 || !countsValid) {
        return failed(XDBL_ERR_ARGUMENT, "negative count in a problem load");
    }
    problem.name = m.name ? m.name : "";
    problem.ncols = m.ncols;
    problem.nrows = m.nrows;
    return succeeded();
}

Outcome checkNames(const xo_prob_struct& problem, int type, int first, int last) {
    if (last < first) return succeeded();
    const int size = type == XPRS_NAMES_ROWS      ? problem.nrows
                     : type == XPRS_NAMES_COLUMNS ? problem.ncols
                                                  : -1;
    if (size < 0) return failed(XDBL_ERR_ARGUMENT, "XPRSaddnames: unknown name type");
    if (first < 0 || last >= size) {
        return failed(XDBL_ERR_ARGUMENT, "XPRSaddnames: names beyond the loaded problem");
    }
    return succeeded();
}

}  // namespace

extern "C" {

XPRS_API int XPRS_CC XPRSloadlp(XPRSprob prob, const char* name, int ncols, int nrows,
                                const char rowtype[], const double rhs[], const double range[],
                                const double obj[], const int colstart[], const int collen[],
                                const int rowind[], const double value[], const double lb[],
                                const double ub[]) {
    const Matrix m{name,     ncols,  nrows,  rowtype, rhs, range, obj,
                   colstart, collen, rowind, value,   lb,  ub};
    return invokeOnProblem(
        Fn::XPRSloadlp, prob, [&](Args& args) { recordMatrix(args, m); },
        [&](State&, xo_prob_struct& problem) { return load(problem, m, true); });
}

XPRS_API int XPRS_CC XPRSloadqp(XPRSprob prob, const char* name, int ncols, int nrows,
                                const char rowtype[], const double rhs[], const double range[],
                                const double obj[], const int colstart[], const int collen[],
                                const int rowind[], const double value[], const double lb[],
                                const double ub[], int nqterms, const int qcol1[],
                                const int qcol2[], const double qcoef[]) {
    const Matrix m{name,     ncols,  nrows,  rowtype, rhs, range, obj,
                   colstart, collen, rowind, value,   lb,  ub};
    const int terms = atLeastZero(nqterms);
    return invokeOnProblem(
        Fn::XPRSloadqp, prob,
        [&](Args& args) {
            recordMatrix(args, m);
            args.integer(nqterms);
            args.ints(qcol1, terms).ints(qcol2, terms).doubles(qcoef, terms);
        },
        [&](State&, xo_prob_struct& problem) { return load(problem, m, nqterms >= 0); });
}

XPRS_API int XPRS_CC XPRSloadglobal(XPRSprob prob, const char* name, int ncols, int nrows,
                                    const char rowtype[], const double rhs[], const double range[],
                                    const double obj[], const int colstart[], const int collen[],
                                    const int rowind[], const double value[], const double lb[],
                                    const double ub[], int nentities, int nsets,
                                    const char enttype[], const int entcol[], const double limit[],
                                    const char settype[], const int setstart[], const int setcol[],
                                    const double setref[]) {
    const Matrix m{name,     ncols,  nrows,  rowtype, rhs, range, obj,
                   colstart, collen, rowind, value,   lb,  ub};
    const int entities = atLeastZero(nentities);
    const int sets = atLeastZero(nsets);
    // With no sets the set arrays may be empty, so not even setstart[0] is read.
    const int setMembers = sets > 0 && setstart ? atLeastZero(setstart[sets]) : 0;
    return invokeOnProblem(
        Fn::XPRSloadglobal, prob,
        [&](Args& args) {
            recordMatrix(args, m);
            args.integer(nentities).integer(nsets);
            args.chars(enttype, entities).ints(entcol, entities).doubles(limit, entities);
            args.chars(settype, sets).ints(setstart, sets > 0 ? sets + 1 : 0);
            args.ints(setcol, setMembers).doubles(setref, setMembers);
        },
        [&](State&, xo_prob_struct& problem) {
            return load(problem, m, nentities >= 0 && nsets >= 0);
        });
}

XPRS_API int XPRS_CC XPRSaddnames(XPRSprob prob, int type, const char names[], int first,
                                  int last) {
    return invokeOnProblem(
        Fn::XPRSaddnames, prob,
        [&](Args& args) {
            args.integer(type).integer(first).integer(last);
            args.chars(names, namesLength(names, first, last));
        },
        [&](State&, xo_prob_struct& problem) -> Outcome {
            if (!names && last >= first) return failed(XDBL_ERR_ARGUMENT, "XPRSaddnames: no names");
            return checkNames(problem, type, first, last);
        });
}

XPRS_API int XPRS_CC XPRSaddmipsol(XPRSprob prob, int length, const double values[],
                                   const int colind[], const char* name) {
    return invokeOnProblem(
        Fn::XPRSaddmipsol, prob,
        [&](Args& args) {
            const int n = atLeastZero(length);
            args.integer(length).doubles(values, n).ints(colind, n).text(name);
        },
        [&](State&, xo_prob_struct&) -> Outcome {
            if (length < 0 || (length > 0 && !values)) {
                return failed(XDBL_ERR_ARGUMENT, "XPRSaddmipsol: no values for the given length");
            }
            return succeeded();
        });
}

}  // extern "C"
