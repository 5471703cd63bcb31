#pragma once

#include <QtGlobal>

#include <span>

// Spearman's rank correlation of two rank columns of the same length n, for
// untied ranks: rho = 1 - 6 S / (n (n^2 - 1)), S the sum of the squared rank
// differences. It is 1 for the same order and -1 for reversed orders.
class SpearmanCoefficient {
public:
    // The columns must have the same length.
    SpearmanCoefficient(std::span<const int> ranksA, std::span<const int> ranksB);

    // The number of units n.
    qsizetype units() const { return m_units; }
    // rho as the double nearest its exact value; NaN when n < 2.
    double value() const;
    // rho rounded to four decimals, an exact half going to the even digit,
    // as the double nearest that decimal; NaN when n < 2. When every rank is
    // from 1 to n (always, for rank files that passed the comparison's
    // checks) rho is the exact fraction (D - 6 S) / D with D = n (n^2 - 1),
    // and the half is judged on that fraction: 65 units with S = 2002 give
    // exactly 0.95625, rounded to 0.9562. Other ranks are rounded through the
    // double value.
    double rounded() const;

private:
    qsizetype m_units = 0;
    bool m_exact = false;  // whole ranks from 1 to n: m_wholeSum holds S exactly
    qint64 m_wholeSum = 0; // S when m_exact
    double m_sum = 0.0;    // S otherwise
};
