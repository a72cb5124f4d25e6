// A primal active-set method for small convex quadratic programs, on dense matrices. CLP's
// quadratic methods can loop inside one iteration or assert on small, badly scaled problems,
// out of reach of any limit or event; this method runs in the library's own loop, under its own
// iteration limit and the caller's stop, so it always ends.
#ifndef CORVANE_XPRS_DENSE_QP_H
#define CORVANE_XPRS_DENSE_QP_H

#include <functional>
#include <vector>

namespace xprs::dense {

// min c'x + x'Qx/2 subject to lo <= (x, Ax) <= up. Infinite bounds are +-1e300 or beyond.
struct Qp {
    int n = 0;
    int m = 0;
    std::vector<double> c;       // n
    std::vector<double> q;       // n * n, row-major, symmetric
    std::vector<double> a;       // m * n, row-major
    std::vector<double> lo, up;  // n + m: the columns, then the row activities
};

enum class End {
    kOptimal,    // a point that meets the optimality conditions on every face it ends on
    kUnbounded,  // a direction of zero curvature along which the objective falls without a bound
    kNotConvex,  // Q has a negative eigenvalue
    kLimit,      // the iteration limit
    kStopped,    // the caller's stop
};

struct Answer {
    End end = End::kLimit;
    std::vector<double> x;    // n
    std::vector<double> y;    // m: row multipliers, c + Qx - A'y are the reduced costs
    std::vector<char> basic;  // n + m: a basis of the rows, columns first
    std::vector<char> state;  // n + m: 0 between bounds, 'L' at lower, 'U' at upper
    int iterations = 0;
};

// start: n values within the bounds whose activities are within the row bounds (the point of a
// linear program over the constraints). stop is asked once per iteration with its number.
Answer solve(const Qp& qp, const std::vector<double>& start, int limit,
             const std::function<bool(int)>& stop);

}  // namespace xprs::dense

#endif
