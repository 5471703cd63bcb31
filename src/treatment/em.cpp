#include "treatment/em.h"

#include <algorithm>
#include <cmath>

namespace {

// The Cholesky factor L (lower, row after row) of the symmetric positive
// definite n x n matrix a; false when a is not positive definite.
bool cholesky(const std::vector<double>& a, std::size_t n, std::vector<double>& l) {
    l.assign(n * n, 0.0);
    for (std::size_t j = 0; j < n; ++j) {
        double d = a[j * n + j];
        for (std::size_t k = 0; k < j; ++k)
            d -= l[j * n + k] * l[j * n + k];
        if (!(d > 0.0) || !std::isfinite(d))
            return false;
        const double root = std::sqrt(d);
        l[j * n + j] = root;
        for (std::size_t i = j + 1; i < n; ++i) {
            double s = a[i * n + j];
            for (std::size_t k = 0; k < j; ++k)
                s -= l[i * n + k] * l[j * n + k];
            l[i * n + j] = s / root;
        }
    }
    return true;
}

// The inverse of a symmetric positive definite matrix from its Cholesky
// factor.
std::vector<double> inverseFromCholesky(const std::vector<double>& l, std::size_t n) {
    // Solve L L^T X = I column by column.
    std::vector<double> inverse(n * n, 0.0);
    std::vector<double> y(n);
    for (std::size_t c = 0; c < n; ++c) {
        for (std::size_t i = 0; i < n; ++i) {
            double s = i == c ? 1.0 : 0.0;
            for (std::size_t k = 0; k < i; ++k)
                s -= l[i * n + k] * y[k];
            y[i] = s / l[i * n + i];
        }
        for (std::size_t i = n; i-- > 0;) {
            double s = y[i];
            for (std::size_t k = i + 1; k < n; ++k)
                s -= l[k * n + i] * inverse[k * n + c];
            inverse[i * n + c] = s / l[i * n + i];
        }
    }
    return inverse;
}

// The inverse of a covariance matrix; one that cannot be inverted gets a
// ridge of 1e-9 of its trace on the diagonal (in place), more if that is
// not enough.
std::vector<double> invertCovariance(std::vector<double>& covariance, std::size_t m) {
    std::vector<double> l;
    if (cholesky(covariance, m, l))
        return inverseFromCholesky(l, m);
    double trace = 0.0;
    for (std::size_t j = 0; j < m; ++j)
        trace += covariance[j * m + j];
    double ridge = 1e-9 * (trace > 0.0 ? trace : 1.0);
    for (int attempt = 0; attempt < 12; ++attempt, ridge *= 10.0) {
        std::vector<double> ridged = covariance;
        for (std::size_t j = 0; j < m; ++j)
            ridged[j * m + j] += ridge;
        if (cholesky(ridged, m, l)) {
            covariance = std::move(ridged);
            return inverseFromCholesky(l, m);
        }
    }
    // Nothing inverts it: the identity keeps the fill at the means.
    std::vector<double> identity(m * m, 0.0);
    for (std::size_t j = 0; j < m; ++j)
        identity[j * m + j] = 1.0;
    return identity;
}

bool isCancelled(const WorkProgress* progress) {
    return progress && progress->cancelled();
}

// Centred cross-products of the columns of x (n values each), divided by n;
// stopped part-way (the result then meaningless) when progress is cancelled.
std::vector<double> covarianceOf(const std::vector<double>& x, std::size_t n, std::size_t m,
                                 const std::vector<double>& mean,
                                 const WorkProgress* progress = nullptr) {
    std::vector<double> centred(x.size());
    for (std::size_t j = 0; j < m; ++j)
        for (std::size_t i = 0; i < n; ++i)
            centred[j * n + i] = x[j * n + i] - mean[j];
    std::vector<double> covariance(m * m, 0.0);
    for (std::size_t j = 0; j < m && !isCancelled(progress); ++j)
        for (std::size_t k = 0; k <= j; ++k) {
            const double* a = centred.data() + j * n;
            const double* b = centred.data() + k * n;
            double sum = 0.0;
            for (std::size_t i = 0; i < n; ++i)
                sum += a[i] * b[i];
            covariance[j * m + k] = covariance[k * m + j] = sum / double(n);
        }
    return covariance;
}

std::vector<double> columnMeans(const std::vector<double>& x, std::size_t n, std::size_t m) {
    std::vector<double> mean(m, 0.0);
    for (std::size_t j = 0; j < m; ++j) {
        double sum = 0.0;
        for (std::size_t i = 0; i < n; ++i)
            sum += x[j * n + i];
        mean[j] = sum / double(n);
    }
    return mean;
}

bool closeEnough(const std::vector<double>& before, const std::vector<double>& after) {
    for (std::size_t k = 0; k < before.size(); ++k)
        if (!(std::fabs(after[k] - before[k]) < 1e-9 * (1.0 + std::fabs(after[k]))))
            return false;
    return true;
}

// The units with missing cells, each with its missing columns.
struct Gaps {
    std::vector<std::size_t> units;
    std::vector<std::vector<std::size_t>> columns; // by place in units
};

Gaps gapsOf(const Matrix& matrix) {
    Gaps gaps;
    for (std::size_t i = 0; i < std::size_t(matrix.unitCount()); ++i) {
        std::vector<std::size_t> columns;
        for (std::size_t j = 0; j < std::size_t(matrix.indicatorCount()); ++j)
            if (matrix.isMissing(int(i), int(j)))
                columns.push_back(j);
        if (!columns.empty()) {
            gaps.units.push_back(i);
            gaps.columns.push_back(std::move(columns));
        }
    }
    return gaps;
}

// The start: means over the available values, the mean-filled matrix and
// its covariance.
void startFromMeans(const Matrix& matrix, const Gaps& gaps, EmResult& result,
                    const WorkProgress* progress) {
    const auto n = std::size_t(matrix.unitCount());
    const auto m = std::size_t(matrix.indicatorCount());
    result.mean.assign(m, 0.0);
    for (std::size_t j = 0; j < m; ++j) {
        double sum = 0.0;
        int count = 0;
        for (std::size_t i = 0; i < n; ++i)
            if (!matrix.isMissing(int(i), int(j))) {
                sum += matrix.values[j * n + i];
                ++count;
            }
        result.mean[j] = count > 0 ? sum / count : 0.0;
    }
    for (std::size_t g = 0; g < gaps.units.size(); ++g)
        for (const std::size_t j : gaps.columns[g])
            result.filled[j * n + gaps.units[g]] = result.mean[j];
    result.covariance = covarianceOf(result.filled, n, m, result.mean, progress);
}

// The E step under the current estimates: the conditional mean of a unit's
// missing block M given its observed cells O is mean_M - P_MM^-1 P_MO (x_O -
// mean_O), its conditional covariance P_MM^-1 (P the precision matrix),
// added to extra when given. Its work space is kept from one step to the
// next.
class Expectation {
public:
    Expectation(const Matrix& matrix, const Gaps& gaps)
        : m_matrix(matrix), m_gaps(gaps), m_row(std::size_t(matrix.indicatorCount())) {}

    void operator()(EmResult& result, std::vector<double>* extra, const WorkProgress* progress) {
        const auto m = std::size_t(m_matrix.indicatorCount());
        const std::vector<double> precision = invertCovariance(result.covariance, m);
        for (std::size_t g = 0; g < m_gaps.units.size(); ++g) {
            if (g % 256 == 0 && isCancelled(progress))
                return;
            fillUnit(g, precision, result, extra);
        }
    }

private:
    void fillUnit(std::size_t g, const std::vector<double>& precision, EmResult& result,
                  std::vector<double>* extra) {
        const auto n = std::size_t(m_matrix.unitCount());
        const auto m = std::size_t(m_matrix.indicatorCount());
        const std::size_t i = m_gaps.units[g];
        const std::vector<std::size_t>& missing = m_gaps.columns[g];
        const std::size_t q = missing.size();
        for (std::size_t j = 0; j < m; ++j)
            m_row[j] = m_matrix.isMissing(int(i), int(j))
                           ? 0.0
                           : m_matrix.values[j * n + i] - result.mean[j];
        m_b.assign(q, 0.0);
        m_block.assign(q * q, 0.0);
        for (std::size_t a = 0; a < q; ++a) {
            const double* p = precision.data() + missing[a] * m;
            double sum = 0.0;
            for (std::size_t j = 0; j < m; ++j)
                sum += p[j] * m_row[j];
            m_b[a] = sum;
            for (std::size_t c = 0; c < q; ++c)
                m_block[a * q + c] = p[missing[c]];
        }
        std::vector<double> inverse(q * q, 0.0);
        if (cholesky(m_block, q, m_factor))
            inverse = inverseFromCholesky(m_factor, q);
        for (std::size_t a = 0; a < q; ++a) {
            double y = 0.0;
            for (std::size_t c = 0; c < q; ++c)
                y += inverse[a * q + c] * m_b[c];
            result.filled[missing[a] * n + i] = result.mean[missing[a]] - y;
            if (extra)
                for (std::size_t c = 0; c < q; ++c)
                    (*extra)[missing[a] * m + missing[c]] += inverse[a * q + c];
        }
    }

    const Matrix& m_matrix;
    const Gaps& m_gaps;
    std::vector<double> m_row;
    std::vector<double> m_block;
    std::vector<double> m_factor;
    std::vector<double> m_b;
};

// The M step: the mean and covariance of the filled matrix, the expected
// cross-products of the missing blocks (extra) added. True when no
// estimate has moved beyond the tolerance.
bool maximisation(EmResult& result, const std::vector<double>& extra, std::size_t n, std::size_t m,
                  const WorkProgress* progress) {
    std::vector<double> mean = columnMeans(result.filled, n, m);
    std::vector<double> covariance = covarianceOf(result.filled, n, m, mean, progress);
    for (std::size_t k = 0; k < m * m; ++k)
        covariance[k] += extra[k] / double(n);
    const bool done = closeEnough(result.mean, mean) && closeEnough(result.covariance, covariance);
    result.mean = std::move(mean);
    result.covariance = std::move(covariance);
    return done;
}

} // namespace

EmResult expectationMaximisation(const Matrix& matrix, const WorkProgress* progress) {
    const auto n = std::size_t(matrix.unitCount());
    const auto m = std::size_t(matrix.indicatorCount());
    EmResult result;
    result.filled = matrix.values;
    if (n == 0 || m == 0)
        return result;
    const Gaps gaps = gapsOf(matrix);
    startFromMeans(matrix, gaps, result, progress);
    Expectation expectation(matrix, gaps);
    for (result.iterations = 1; result.iterations <= 1000; ++result.iterations) {
        if (isCancelled(progress)) {
            result.cancelled = true;
            return result;
        }
        std::vector<double> extra(m * m, 0.0);
        expectation(result, &extra, progress);
        if (maximisation(result, extra, n, m, progress)) {
            result.converged = true;
            break;
        }
    }
    // The filled values: the conditional means under the final estimates.
    expectation(result, nullptr, progress);
    result.iterations = std::min(result.iterations, 1000);
    result.cancelled = isCancelled(progress);
    return result;
}
