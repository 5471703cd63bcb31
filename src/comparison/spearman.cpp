#include "comparison/spearman.h"

#include "comparison/rounding.h"

#include <cassert>
#include <cmath>
#include <limits>

namespace {

// With n at most 2^20 - 1, D = n (n^2 - 1) stays below 2^60 and 6 S below
// 2^63 for any whole ranks from 1 to n, so the exact fraction fits in qint64.
// A worksheet has at most 2^20 rows, hence no result file has more units.
constexpr qsizetype kMaxExactUnits = (qsizetype(1) << 20) - 1;

} // namespace

SpearmanCoefficient::SpearmanCoefficient(std::span<const int> ranksA, std::span<const int> ranksB)
    : m_units(qsizetype(ranksA.size())) {
    assert(ranksA.size() == ranksB.size());
    const auto whole = [this](int rank) { return rank >= 1 && rank <= m_units; };
    m_exact = m_units >= 2 && m_units <= kMaxExactUnits;
    for (qsizetype i = 0; i < m_units && m_exact; ++i)
        m_exact = whole(ranksA[std::size_t(i)]) && whole(ranksB[std::size_t(i)]);
    for (qsizetype i = 0; i < m_units; ++i) {
        const qint64 difference = qint64(ranksA[std::size_t(i)]) - ranksB[std::size_t(i)];
        if (m_exact)
            m_wholeSum += difference * difference;
        else
            m_sum += double(difference) * double(difference);
    }
}

double SpearmanCoefficient::value() const {
    if (m_units < 2)
        return std::numeric_limits<double>::quiet_NaN();
    const double n = double(m_units);
    const double denominator = (n * n - 1.0) * n;
    if (m_exact) {
        // One division, of integers that are exact in a double while D < 2^53
        // (n up to about 200,000): the double nearest the fraction.
        const qint64 d = qint64(m_units) * (qint64(m_units) * m_units - 1);
        return double(d - 6 * m_wholeSum) / double(d);
    }
    return 1.0 - 6.0 * m_sum / denominator;
}

double SpearmanCoefficient::rounded() const {
    if (m_units < 2)
        return std::numeric_limits<double>::quiet_NaN();
    if (m_exact) {
        const qint64 d = qint64(m_units) * (qint64(m_units) * m_units - 1);
        return double(tenThousandthsHalfEven(d - 6 * m_wholeSum, d)) / 10000.0;
    }
    return roundHalfEven4(value());
}
