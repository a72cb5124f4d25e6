// The problem is scaled (powers of two, geometric means of the rows and columns), and its rows
// become variables: z = (x, s) with Ax - s = 0. A working set holds the variables fixed at a
// bound; on the face the others span, the method takes the Newton step of the objective in the
// null space of their constraint columns, or, where the reduced Hessian is singular and the
// reduced gradient has a part in its null space, a step of zero curvature that only a bound can
// end. At a stationary point of a face the multipliers decide: a working variable whose
// multiplier has the wrong sign leaves the set, and when none has, the point is optimal.
#include "dense_qp.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace xprs::dense {
namespace {

constexpr double kInfinite = 1e300;
// Pivots of the face's QR factors below this, relative to the largest, count as zero.
constexpr double kRank = 1e-11;
// Eigenvalues of the reduced Hessian below this, relative to Q's largest entry, are zero.
constexpr double kCurvature = 1e-11;
// Curvature along a direction below this, relative to its terms, is rounding.
constexpr double kFlat = 1e-12;
// Below this, relative to Q's largest entry, an eigenvalue of Q proves it not convex.
constexpr double kConcave = 1e-9;
// The reduced gradient of a stationary point, relative to the gradient's size.
constexpr double kStationary = 1e-10;
// A reduced cost of the wrong sign beyond this, relative to the size of its terms and of the
// largest multiplier, is violated.
constexpr double kDual = 1e-10;
// Direction entries below this, relative to its largest, do not take part in the ratio test.
constexpr double kNegligible = 1e-12;
// Zero steps in a row after which the smallest index is chosen, so that the method cannot cycle.
constexpr int kDegenerateSteps = 50;

using Matrix = std::vector<double>;  // row-major

double power2(double v) {
    return std::ldexp(1.0, static_cast<int>(std::lround(std::log2(v))));
}

// Row and column scales of A (x = cs x', s' = rs s), by a few passes of geometric means.
void scales(const Qp& qp, std::vector<double>& rs, std::vector<double>& cs) {
    const int n = qp.n, m = qp.m;
    rs.assign(m, 1.0);
    cs.assign(n, 1.0);
    for (int pass = 0; pass < 4; ++pass) {
        for (int i = 0; i < m; ++i) {
            double lo = kInfinite, hi = 0.0;
            for (int j = 0; j < n; ++j) {
                double v = std::fabs(qp.a[i * n + j]) * cs[j];
                if (v == 0.0) continue;
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
            if (hi > 0.0) rs[i] = power2(1.0 / std::sqrt(lo * hi));
        }
        for (int j = 0; j < n; ++j) {
            double lo = kInfinite, hi = 0.0;
            for (int i = 0; i < m; ++i) {
                double v = std::fabs(qp.a[i * n + j]) * rs[i];
                if (v == 0.0) continue;
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
            if (hi > 0.0)
                cs[j] = power2(1.0 / std::sqrt(lo * hi));
            else if (qp.q[j * n + j] > 0.0)
                cs[j] = power2(1.0 / std::sqrt(qp.q[j * n + j]));
        }
    }
}

Qp scaled(const Qp& qp, const std::vector<double>& rs, const std::vector<double>& cs) {
    const int n = qp.n, m = qp.m;
    Qp out = qp;
    for (int j = 0; j < n; ++j) {
        out.c[j] *= cs[j];
        for (int k = 0; k < n; ++k) out.q[j * n + k] *= cs[j] * cs[k];
        if (out.lo[j] > -kInfinite) out.lo[j] /= cs[j];
        if (out.up[j] < kInfinite) out.up[j] /= cs[j];
    }
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j) out.a[i * n + j] *= rs[i] * cs[j];
        if (out.lo[n + i] > -kInfinite) out.lo[n + i] *= rs[i];
        if (out.up[n + i] < kInfinite) out.up[n + i] *= rs[i];
    }
    return out;
}

// Eigenvalues and eigenvectors (columns of v) of the symmetric k x k matrix s, by cyclic Jacobi
// rotations.
void eigen(Matrix s, int k, std::vector<double>& values, Matrix& v) {
    v.assign(static_cast<size_t>(k) * k, 0.0);
    for (int i = 0; i < k; ++i) v[i * k + i] = 1.0;
    double norm = 0.0;
    for (double e : s) norm = std::max(norm, std::fabs(e));
    for (int sweep = 0; sweep < 100 && norm > 0.0; ++sweep) {
        double off = 0.0;
        for (int i = 0; i < k; ++i)
            for (int j = i + 1; j < k; ++j) off = std::max(off, std::fabs(s[i * k + j]));
        if (off <= 1e-16 * norm) break;
        for (int p = 0; p < k; ++p)
            for (int q = p + 1; q < k; ++q) {
                const double apq = s[p * k + q];
                if (std::fabs(apq) <= 1e-300) continue;
                const double theta = (s[q * k + q] - s[p * k + p]) / (2.0 * apq);
                const double t =
                    (theta >= 0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1.0));
                const double c = 1.0 / std::sqrt(t * t + 1.0), sn = t * c;
                for (int r = 0; r < k; ++r) {
                    const double a = s[r * k + p], b = s[r * k + q];
                    s[r * k + p] = c * a - sn * b;
                    s[r * k + q] = sn * a + c * b;
                }
                for (int r = 0; r < k; ++r) {
                    const double a = s[p * k + r], b = s[q * k + r];
                    s[p * k + r] = c * a - sn * b;
                    s[q * k + r] = sn * a + c * b;
                }
                for (int r = 0; r < k; ++r) {
                    const double a = v[r * k + p], b = v[r * k + q];
                    v[r * k + p] = c * a - sn * b;
                    v[r * k + q] = sn * a + c * b;
                }
            }
    }
    values.resize(k);
    for (int i = 0; i < k; ++i) values[i] = s[i * k + i];
}

// The free variables' constraint columns as the rows of M (k x m), factored M P = Q R by
// Householder reflections with column pivoting.
struct Face {
    std::vector<int> free;
    int k = 0;
    int rank = 0;
    Matrix q;               // k x k, orthogonal
    Matrix r;               // k x m
    std::vector<int> perm;  // column t of R is column perm[t] of M
};

class Solver {
  public:
    Solver(const Qp& qp) : qp_(qp), n_(qp.n), m_(qp.m), total_(qp.n + qp.m) {
        for (double v : qp_.q) qScale_ = std::max(qScale_, std::fabs(v));
        for (double v : qp_.c) gScale_ = std::max(gScale_, std::fabs(v));
    }
    bool convex() const;
    Answer run(std::vector<double> z, int limit, const std::function<bool(int)>& stop);

  private:
    double column(int var, int row) const {  // entry of [A, -I]
        return var < n_ ? qp_.a[row * n_ + var] : (var - n_ == row ? -1.0 : 0.0);
    }
    void gradient(const std::vector<double>& z, std::vector<double>& g) const;
    Face factor() const;
    std::vector<double> multipliers(const Face& f, const std::vector<double>& g) const;
    std::vector<double> refinedMultipliers(const Face& f, const std::vector<double>& g) const;
    // Moves the free variables so that Ax - s = 0 holds again, accumulated in extended
    // precision: the working rows drift from their bounds as the steps add up.
    void refine(const Face& f, std::vector<double>& z) const;
    // The working variable to free at a stationary point, or -1 when the point is optimal.
    int leaving(const std::vector<double>& g, const std::vector<double>& y, bool bland) const;
    std::vector<char> basis() const;

    const Qp& qp_;
    int n_, m_, total_;
    double qScale_ = 0.0, gScale_ = 0.0;
    std::vector<char> state_;
};

bool Solver::convex() const {
    // A fixed column's terms are constant or linear: its curvature does not count.
    std::vector<int> cols;
    for (int j = 0; j < n_; ++j)
        for (int k = 0; k < n_ && qp_.lo[j] < qp_.up[j]; ++k)
            if (qp_.q[j * n_ + k] != 0.0 && qp_.lo[k] < qp_.up[k]) {
                cols.push_back(j);
                break;
            }
    const int k = static_cast<int>(cols.size());
    Matrix s(static_cast<size_t>(k) * k), v;
    for (int a = 0; a < k; ++a)
        for (int b = 0; b < k; ++b) s[a * k + b] = qp_.q[cols[a] * n_ + cols[b]];
    std::vector<double> values;
    eigen(s, k, values, v);
    for (double e : values)
        if (e < -kConcave * qScale_) return false;
    return true;
}

void Solver::gradient(const std::vector<double>& z, std::vector<double>& g) const {
    g.assign(total_, 0.0);
    for (int j = 0; j < n_; ++j) {
        double v = qp_.c[j];
        for (int k = 0; k < n_; ++k) v += qp_.q[j * n_ + k] * z[k];
        g[j] = v;
    }
}

Face Solver::factor() const {
    Face f;
    for (int v = 0; v < total_; ++v)
        if (state_[v] == 0) f.free.push_back(v);
    const int k = f.k = static_cast<int>(f.free.size()), m = m_;
    f.r.assign(static_cast<size_t>(k) * m, 0.0);
    for (int i = 0; i < k; ++i)
        for (int j = 0; j < m; ++j) f.r[i * m + j] = column(f.free[i], j);
    f.q.assign(static_cast<size_t>(k) * k, 0.0);
    for (int i = 0; i < k; ++i) f.q[i * k + i] = 1.0;
    f.perm.resize(m);
    for (int j = 0; j < m; ++j) f.perm[j] = j;
    double first = 0.0;
    std::vector<double> v(k);
    for (int t = 0; t < std::min(k, m); ++t) {
        int best = t;
        double bestNorm = -1.0;
        for (int j = t; j < m; ++j) {
            double s = 0.0;
            for (int i = t; i < k; ++i) s += f.r[i * m + j] * f.r[i * m + j];
            if (s > bestNorm) bestNorm = s, best = j;
        }
        const double norm = std::sqrt(bestNorm);
        if (t == 0) first = norm;
        if (norm <= kRank * first || norm == 0.0) break;
        if (best != t) {
            for (int i = 0; i < k; ++i) std::swap(f.r[i * m + t], f.r[i * m + best]);
            std::swap(f.perm[t], f.perm[best]);
        }
        const double alpha = f.r[t * m + t] > 0 ? -norm : norm;
        double vv = 0.0;
        for (int i = t; i < k; ++i) v[i] = f.r[i * m + t];
        v[t] -= alpha;
        for (int i = t; i < k; ++i) vv += v[i] * v[i];
        if (vv > 0.0) {
            for (int j = t; j < m; ++j) {
                double s = 0.0;
                for (int i = t; i < k; ++i) s += v[i] * f.r[i * m + j];
                s *= 2.0 / vv;
                for (int i = t; i < k; ++i) f.r[i * m + j] -= s * v[i];
            }
            for (int i = 0; i < k; ++i) {
                double s = 0.0;
                for (int l = t; l < k; ++l) s += f.q[i * k + l] * v[l];
                s *= 2.0 / vv;
                for (int l = t; l < k; ++l) f.q[i * k + l] -= s * v[l];
            }
        }
        f.r[t * m + t] = alpha;
        for (int i = t + 1; i < k; ++i) f.r[i * m + t] = 0.0;
        f.rank = t + 1;
    }
    return f;
}

// Solves M y = g_F in the least-squares sense through the face's factors.
std::vector<double> Solver::multipliers(const Face& f, const std::vector<double>& g) const {
    const int k = f.k, m = m_, r = f.rank;
    std::vector<double> w(r, 0.0), u(m, 0.0), y(m, 0.0);
    for (int t = 0; t < r; ++t)
        for (int i = 0; i < k; ++i) w[t] += f.q[i * k + t] * g[f.free[i]];
    for (int t = r - 1; t >= 0; --t) {
        double s = w[t];
        for (int l = t + 1; l < r; ++l) s -= f.r[t * m + l] * u[l];
        u[t] = s / f.r[t * m + t];
    }
    for (int t = 0; t < m; ++t) y[f.perm[t]] = u[t];
    return y;
}

std::vector<double> Solver::refinedMultipliers(const Face& f, const std::vector<double>& g) const {
    std::vector<double> y = multipliers(f, g), res(total_, 0.0);
    // The residual g_F - M y in extended precision, then the correction it asks for.
    for (int v : f.free) {
        long double sum = g[v];
        for (int i = 0; i < m_; ++i) sum -= static_cast<long double>(column(v, i)) * y[i];
        res[v] = static_cast<double>(sum);
    }
    const std::vector<double> dy = multipliers(f, res);
    for (int i = 0; i < m_; ++i) y[i] += dy[i];
    return y;
}

void Solver::refine(const Face& f, std::vector<double>& z) const {
    const int k = f.k, m = m_, r = f.rank;
    std::vector<double> b(m), w(k, 0.0);
    bool exact = true;
    for (int i = 0; i < m; ++i) {
        long double sum = -static_cast<long double>(z[n_ + i]);
        for (int j = 0; j < n_; ++j) sum += static_cast<long double>(qp_.a[i * n_ + j]) * z[j];
        b[i] = -static_cast<double>(sum);
        exact &= b[i] == 0.0;
    }
    if (exact || r == 0) return;
    // E_F = P R'Q': the least-norm p with E_F p = b is Q w, R'w = P'b on the first rank rows.
    for (int t = 0; t < r; ++t) {
        double sum = b[f.perm[t]];
        for (int l = 0; l < t; ++l) sum -= f.r[l * m + t] * w[l];
        w[t] = sum / f.r[t * m + t];
    }
    for (int i = 0; i < k; ++i) {
        double sum = 0.0;
        for (int t = 0; t < r; ++t) sum += f.q[i * k + t] * w[t];
        z[f.free[i]] += sum;
    }
}

int Solver::leaving(const std::vector<double>& g, const std::vector<double>& y, bool bland) const {
    double ySize = 1e-300;
    for (double v : y) ySize = std::max(ySize, std::fabs(v));
    int out = -1;
    double worst = 0.0;
    for (int v = 0; v < total_; ++v) {
        if (state_[v] == 0 || qp_.lo[v] == qp_.up[v]) continue;
        // The reduced cost, with the rounding its terms allow.
        double d = g[v], size = std::fabs(g[v]);
        for (int i = 0; i < m_; ++i) {
            d -= column(v, i) * y[i];
            size += std::fabs(column(v, i) * y[i]);
        }
        const double wrong = (state_[v] == 'L' ? -d : d) - kDual * (size + ySize);
        if (wrong > worst) {
            out = v;
            if (bland) break;
            worst = wrong;
        }
    }
    return out;
}

// A basis of the rows: the free variables first, then the slacks of the working rows, then
// the rest, each taken when its constraint column is independent of those taken before.
std::vector<char> Solver::basis() const {
    std::vector<int> order;
    for (int pass = 0; pass < 3; ++pass)
        for (int v = 0; v < total_; ++v) {
            const bool isFree = state_[v] == 0, slack = v >= n_;
            if ((pass == 0 && isFree) || (pass == 1 && !isFree && slack) ||
                (pass == 2 && !isFree && !slack))
                order.push_back(v);
        }
    std::vector<char> basic(total_, 0);
    std::vector<std::vector<double>> taken;
    for (int v : order) {
        if (static_cast<int>(taken.size()) == m_) break;
        std::vector<double> e(m_);
        double size = 0.0;
        for (int i = 0; i < m_; ++i) size = std::max(size, std::fabs(e[i] = column(v, i)));
        if (size == 0.0) continue;
        for (int pass = 0; pass < 2; ++pass)
            for (const auto& b : taken) {
                double s = 0.0;
                for (int i = 0; i < m_; ++i) s += b[i] * e[i];
                for (int i = 0; i < m_; ++i) e[i] -= s * b[i];
            }
        double norm = 0.0;
        for (double x : e) norm += x * x;
        norm = std::sqrt(norm);
        if (norm <= 1e-9 * size) continue;
        for (double& x : e) x /= norm;
        taken.push_back(std::move(e));
        basic[v] = 1;
    }
    return basic;
}

Answer Solver::run(std::vector<double> z, int limit, const std::function<bool(int)>& stop) {
    Answer out;
    state_.assign(total_, 0);
    for (int v = 0; v < total_; ++v) {
        if (z[v] <= qp_.lo[v]) z[v] = qp_.lo[v], state_[v] = 'L';
        if (z[v] >= qp_.up[v]) z[v] = qp_.up[v], state_[v] = qp_.lo[v] == qp_.up[v] ? 'L' : 'U';
    }
    std::vector<double> g, y;
    int degenerate = 0;
    // A full Newton step ends at the minimum of its face, whatever rounding leaves in the
    // reduced gradient.
    bool onMinimum = false;
    auto finish = [&](End end) {
        out.end = end;
        out.x.assign(z.begin(), z.begin() + n_);
        out.y = y;
        out.y.resize(m_, 0.0);
        out.state = state_;
        out.basic = basis();
        return out;
    };
    for (out.iterations = 0; out.iterations < limit; ++out.iterations) {
        if (stop(out.iterations)) return finish(End::kStopped);
        const Face f = factor();
        refine(f, z);
        gradient(z, g);
        // Stationarity is judged against the free variables' gradient: a large cost of a
        // variable held at its bound says nothing of the face.
        double gSize = 1e-300;
        for (int v : f.free) gSize = std::max(gSize, std::fabs(g[v]));
        const int k = f.k, nz = k - f.rank;
        // The reduced gradient Z'g and Hessian Z'HZ, Z the last nz columns of Q.
        std::vector<double> h(nz, 0.0);
        double hSize = 0.0;
        for (int a = 0; a < nz; ++a) {
            for (int i = 0; i < k; ++i) h[a] += f.q[i * k + f.rank + a] * g[f.free[i]];
            hSize = std::max(hSize, std::fabs(h[a]));
        }
        std::vector<double> p(total_, 0.0);
        bool ray = false, stationary = onMinimum || hSize <= kStationary * gSize;
        onMinimum = false;
        if (!stationary) {
            Matrix hz(static_cast<size_t>(k) * nz, 0.0), rh(static_cast<size_t>(nz) * nz, 0.0);
            for (int i = 0; i < k; ++i) {
                const int vi = f.free[i];
                if (vi >= n_) continue;
                for (int l = 0; l < k; ++l) {
                    const int vl = f.free[l];
                    if (vl >= n_ || qp_.q[vi * n_ + vl] == 0.0) continue;
                    for (int a = 0; a < nz; ++a)
                        hz[i * nz + a] += qp_.q[vi * n_ + vl] * f.q[l * k + f.rank + a];
                }
            }
            for (int a = 0; a < nz; ++a)
                for (int b = 0; b < nz; ++b)
                    for (int i = 0; i < k; ++i)
                        rh[a * nz + b] += f.q[i * k + f.rank + a] * hz[i * nz + b];
            std::vector<double> mu;
            Matrix v;
            eigen(rh, nz, mu, v);
            const double flat = kCurvature * std::max(qScale_, 1e-300);
            std::vector<double> ht(nz, 0.0), step(nz, 0.0);
            for (int e = 0; e < nz; ++e)
                for (int a = 0; a < nz; ++a) ht[e] += v[a * nz + e] * h[a];
            for (int e = 0; e < nz; ++e)
                ray |= mu[e] <= flat && std::fabs(ht[e]) > kStationary * gSize;
            for (int e = 0; e < nz; ++e)
                step[e] =
                    ray ? (mu[e] <= flat ? -ht[e] : 0.0) : (mu[e] > flat ? -ht[e] / mu[e] : 0.0);
            double pSize = 0.0;
            for (int i = 0; i < k; ++i) {
                double s = 0.0;
                for (int a = 0; a < nz; ++a) {
                    double za = 0.0;
                    for (int e = 0; e < nz; ++e) za += v[a * nz + e] * step[e];
                    s += f.q[i * k + f.rank + a] * za;
                }
                p[f.free[i]] = s;
                pSize = std::max(pSize, std::fabs(s));
            }
            if (pSize == 0.0) stationary = true;
            for (double& e : p)
                if (std::fabs(e) <= kNegligible * pSize) e = 0.0;
        }
        if (stationary) {
            y = refinedMultipliers(f, g);
            const int v = leaving(g, y, degenerate > kDegenerateSteps);
            if (v < 0) return finish(End::kOptimal);
            state_[v] = 0;
            continue;
        }
        // The exact minimum along p, then the ratio test over the free variables.
        double slope = 0.0, curvature = 0.0, terms = 0.0;
        for (int v : f.free) slope += g[v] * p[v];
        for (int i : f.free)
            for (int l : f.free)
                if (i < n_ && l < n_) {
                    curvature += p[i] * qp_.q[i * n_ + l] * p[l];
                    terms += std::fabs(p[i] * qp_.q[i * n_ + l] * p[l]);
                }
        if (slope >= 0.0) {  // rounding left no descent: the face is done
            onMinimum = true;
            continue;
        }
        // No curvature along p beyond the rounding of its terms.
        const bool flat = curvature <= kFlat * terms;
        double alpha = flat ? std::numeric_limits<double>::infinity() : -slope / curvature;
        int block = -1;
        char side = 0;
        for (int v : f.free) {
            if (p[v] == 0.0) continue;
            const double bound = p[v] < 0 ? qp_.lo[v] : qp_.up[v];
            if (std::fabs(bound) >= kInfinite) continue;
            const double t = std::max(0.0, (bound - z[v]) / p[v]);
            if (t < alpha || (t == alpha && block >= 0 && degenerate <= kDegenerateSteps &&
                              std::fabs(p[v]) > std::fabs(p[block]))) {
                alpha = t;
                block = v;
                side = p[v] < 0 ? 'L' : 'U';
            }
        }
        if (block < 0 && flat) return finish(End::kUnbounded);
        for (int v : f.free) z[v] = std::min(qp_.up[v], std::max(qp_.lo[v], z[v] + alpha * p[v]));
        degenerate = alpha == 0.0 ? degenerate + 1 : 0;
        onMinimum = block < 0 && !ray;
        if (block >= 0) {
            z[block] = side == 'L' ? qp_.lo[block] : qp_.up[block];
            state_[block] = qp_.lo[block] == qp_.up[block] ? 'L' : side;
        }
    }
    return finish(End::kLimit);
}

}  // namespace

Answer solve(const Qp& qp, const std::vector<double>& start, int limit,
             const std::function<bool(int)>& stop) {
    std::vector<double> rs, cs;
    scales(qp, rs, cs);
    const Qp s = scaled(qp, rs, cs);
    Solver solver(s);
    if (!solver.convex()) {
        Answer out;
        out.end = End::kNotConvex;
        return out;
    }
    const int n = qp.n, m = qp.m;
    std::vector<double> z(n + m, 0.0);
    for (int j = 0; j < n; ++j) z[j] = start[j] / cs[j];
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < n; ++j) z[n + i] += s.a[i * n + j] * z[j];
    Answer out = solver.run(std::move(z), limit, stop);
    for (int j = 0; j < n; ++j) out.x[j] *= cs[j];
    for (int i = 0; i < m; ++i) out.y[i] *= rs[i];
    return out;
}

}  // namespace xprs::dense
