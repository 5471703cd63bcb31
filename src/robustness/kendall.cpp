#include "robustness/kendall.h"

#include "comparison/rounding.h"

#include <cmath>
#include <limits>
#include <vector>

KendallCoefficient::KendallCoefficient(std::span<const int> ranksA, std::span<const int> ranksB) {
    const std::size_t n = std::min(ranksA.size(), ranksB.size());
    m_pairs = qint64(n) * qint64(n > 0 ? n - 1 : 0) / 2;
    // The ranks under B listed in the order of A: a discordant pair is an
    // inversion of that sequence, counted with a Fenwick tree over ranks.
    std::vector<int> byA(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const int a = ranksA[i];
        if (a >= 1 && std::size_t(a) <= n)
            byA[std::size_t(a - 1)] = ranksB[i];
    }
    std::vector<int> tree(n + 1, 0);
    qint64 seen = 0;
    for (std::size_t j = 0; j < n; ++j) {
        const int b = byA[j];
        if (b < 1 || std::size_t(b) > n)
            continue;
        qint64 notAbove = 0; // earlier units ranked at most b under B
        for (std::size_t x = std::size_t(b); x > 0; x &= x - 1)
            notAbove += tree[x];
        m_discordant += seen - notAbove;
        for (std::size_t x = std::size_t(b); x <= n; x += x & (~x + 1))
            ++tree[x];
        ++seen;
    }
}

double KendallCoefficient::value() const {
    if (m_pairs < 1)
        return std::numeric_limits<double>::quiet_NaN();
    return double(m_pairs - 2 * m_discordant) / double(m_pairs);
}

double KendallCoefficient::rounded() const {
    if (m_pairs < 1)
        return std::numeric_limits<double>::quiet_NaN();
    return double(tenThousandthsHalfEven(m_pairs - 2 * m_discordant, m_pairs)) / 10000.0;
}

CoefficientMatrix kendallMatrix(const RankMatrix& matrix) {
    CoefficientMatrix coefficients;
    coefficients.headers = matrix.methods;
    const auto n = std::size_t(matrix.methodCount());
    coefficients.cells.assign(n * n, std::numeric_limits<double>::quiet_NaN());
    for (std::size_t a = 0; a < n; ++a) {
        coefficients.cells[a * n + a] = 1.0;
        for (std::size_t b = a + 1; b < n; ++b)
            coefficients.cells[b * n + a] =
                KendallCoefficient(matrix.ranks[a], matrix.ranks[b]).rounded();
    }
    return coefficients;
}
