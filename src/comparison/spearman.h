#pragma once

#include "shared/regional.h"

#include <QString>
#include <QStringView>

#include <span>

// The number a rank text starts with: blanks skipped, an optional sign,
// digits with a point as decimal separator, an optional exponent; a text
// that does not start with a number counts as 0 ("12" is 12, " 3.5x" is 3.5,
// "2,5" is 2, "abc" is 0).
double rankNumber(QStringView text);

// Spearman's rank correlation of two rank columns of the same length n, for
// untied ranks: rho = 1 - 6 S / (n (n^2 - 1)), S the sum of the squared rank
// differences. It is 1 for the same order and -1 for reversed orders.
class SpearmanCoefficient {
public:
    // The columns must have the same length.
    SpearmanCoefficient(std::span<const double> ranksA, std::span<const double> ranksB);
    SpearmanCoefficient(std::span<const int> ranksA, std::span<const int> ranksB);

    // The number of units n.
    qsizetype units() const { return m_units; }
    // rho as the double nearest its exact value; NaN when n < 2.
    double value() const;
    // rho with four decimals in the pattern "0.0000" under the regional
    // settings, an exact half going to the even digit; empty when n < 2.
    // When every rank is a whole number from 1 to n (always, for rank files
    // that passed the comparison's checks) rho is the exact fraction
    // (D - 6 S) / D with D = n (n^2 - 1), and the half is judged on that
    // fraction: 65 units with S = 2002 give exactly 0.95625, shown as 0.9562.
    // Other ranks are rounded through the double value.
    QString text(const Regional& regional) const;

private:
    qsizetype m_units = 0;
    bool m_exact = false;  // whole ranks from 1 to n: m_wholeSum holds S exactly
    qint64 m_wholeSum = 0; // S when m_exact
    double m_sum = 0.0;    // S otherwise
};
