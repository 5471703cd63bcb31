#include "audit/eigen.h"

#include <algorithm>
#include <cmath>
#include <numeric>

// Cyclic Jacobi: each sweep annihilates every off-diagonal entry in turn
// with a rotation that keeps the matrix symmetric; the sum of squares off
// the diagonal falls quadratically once it is small.
SymmetricEigen symmetricEigen(std::vector<double> a, int n) {
    const auto m = static_cast<std::size_t>(std::max(n, 0));
    const auto at = [m](std::size_t i, std::size_t j) { return i * m + j; };
    std::vector<double> v(m * m, 0.0);
    for (std::size_t i = 0; i < m; ++i)
        v[at(i, i)] = 1.0;
    double diagonal = 0.0;
    for (std::size_t i = 0; i < m; ++i)
        diagonal += a[at(i, i)] * a[at(i, i)];
    for (int sweep = 0; sweep < 100; ++sweep) {
        double off = 0.0;
        for (std::size_t i = 0; i < m; ++i)
            for (std::size_t j = i + 1; j < m; ++j)
                off += a[at(i, j)] * a[at(i, j)];
        if (off <= 1e-30 * std::max(diagonal, 1e-300))
            break;
        for (std::size_t p = 0; p + 1 < m; ++p) {
            for (std::size_t q = p + 1; q < m; ++q) {
                const double apq = a[at(p, q)];
                if (apq == 0.0)
                    continue;
                // The rotation angle that zeroes a(p, q): t = tan(theta),
                // the smaller root for stability.
                const double theta = (a[at(q, q)] - a[at(p, p)]) / (2.0 * apq);
                const double t = (theta >= 0.0 ? 1.0 : -1.0) /
                                 (std::fabs(theta) + std::sqrt(theta * theta + 1.0));
                const double c = 1.0 / std::sqrt(t * t + 1.0);
                const double s = t * c;
                for (std::size_t k = 0; k < m; ++k) {
                    const double akp = a[at(k, p)];
                    const double akq = a[at(k, q)];
                    a[at(k, p)] = c * akp - s * akq;
                    a[at(k, q)] = s * akp + c * akq;
                }
                for (std::size_t k = 0; k < m; ++k) {
                    const double apk = a[at(p, k)];
                    const double aqk = a[at(q, k)];
                    a[at(p, k)] = c * apk - s * aqk;
                    a[at(q, k)] = s * apk + c * aqk;
                }
                for (std::size_t k = 0; k < m; ++k) {
                    const double vkp = v[at(k, p)];
                    const double vkq = v[at(k, q)];
                    v[at(k, p)] = c * vkp - s * vkq;
                    v[at(k, q)] = s * vkp + c * vkq;
                }
            }
        }
    }
    std::vector<std::size_t> order(m);
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t x, std::size_t y) { return a[at(x, x)] > a[at(y, y)]; });
    SymmetricEigen result;
    result.values.reserve(m);
    result.vectors.reserve(m * m);
    for (const std::size_t k : order) {
        result.values.push_back(a[at(k, k)]);
        for (std::size_t i = 0; i < m; ++i)
            result.vectors.push_back(v[at(i, k)]);
    }
    return result;
}
