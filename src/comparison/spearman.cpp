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

bool isBlank(QChar ch) {
    return ch == u' ' || ch == u'\t';
}
bool isDigit(QChar ch) {
    return ch >= u'0' && ch <= u'9';
}

bool isWholeRank(double rank, qsizetype units) {
    return rank >= 1.0 && rank <= double(units) && rank == std::floor(rank);
}

} // namespace

double rankNumber(QStringView text) {
    // Plain whole numbers, the ranks of every result file, read directly.
    if (!text.isEmpty() && text.size() <= 15) {
        qint64 whole = 0;
        qsizetype digit = 0;
        for (; digit < text.size() && isDigit(text[digit]); ++digit)
            whole = whole * 10 + (text[digit].unicode() - u'0');
        if (digit == text.size())
            return double(whole);
    }
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (i < size && isBlank(text[i]))
        ++i;
    const qsizetype start = i;
    if (i < size && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < size && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < size && text[i] == u'.') {
        ++i;
        while (i < size && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    qsizetype end = i;
    if (i < size && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < size && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (j < size && isDigit(text[j])) {
            while (j < size && isDigit(text[j]))
                ++j;
            end = j;
        }
    }
    bool ok = false;
    const double value = text.sliced(start, end - start).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

SpearmanCoefficient::SpearmanCoefficient(std::span<const double> ranksA,
                                         std::span<const double> ranksB)
    : m_units(qsizetype(ranksA.size())) {
    assert(ranksA.size() == ranksB.size());
    m_exact = m_units >= 2 && m_units <= kMaxExactUnits;
    for (qsizetype i = 0; i < m_units && m_exact; ++i)
        m_exact = isWholeRank(ranksA[std::size_t(i)], m_units) &&
                  isWholeRank(ranksB[std::size_t(i)], m_units);
    for (qsizetype i = 0; i < m_units; ++i) {
        const double difference = ranksA[std::size_t(i)] - ranksB[std::size_t(i)];
        if (m_exact) {
            const auto whole = qint64(difference);
            m_wholeSum += whole * whole;
        } else {
            m_sum += difference * difference;
        }
    }
}

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

QString SpearmanCoefficient::text(const Regional& regional) const {
    if (m_units < 2)
        return QString();
    if (m_exact) {
        const qint64 d = qint64(m_units) * (qint64(m_units) * m_units - 1);
        return regional.fixed4(double(tenThousandthsHalfEven(d - 6 * m_wholeSum, d)) / 10000.0);
    }
    return regional.fixed4(roundHalfEven4(value()));
}
