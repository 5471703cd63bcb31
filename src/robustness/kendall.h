#pragma once

#include "comparison/texttable.h"
#include "robustness/rankmatrix.h"
#include "shared/regional.h"

#include <QString>

#include <span>

// Kendall's rank correlation of two rankings of the same n units, each a
// permutation of 1..n: tau = (P - Q) / (n (n - 1) / 2), P the concordant and
// Q the discordant pairs of units. Counted exactly in integers in
// O(n log n).
class KendallCoefficient {
public:
    // Both spans hold one rank per unit, 1..n, each rank once.
    KendallCoefficient(std::span<const int> ranksA, std::span<const int> ranksB);

    qint64 pairs() const { return m_pairs; }           // n (n - 1) / 2
    qint64 discordant() const { return m_discordant; } // Q
    // tau as the double nearest its exact value; NaN when n < 2.
    double value() const;
    // tau with four decimals, "0.0000" under the regional settings, the
    // exact fraction rounded half to even; empty when n < 2.
    QString text(const Regional& regional) const;

private:
    qint64 m_pairs = 0;
    qint64 m_discordant = 0;
};

// The Kendall matrix of the methods of a rank matrix, in the layout of the
// cograduation matrix: cell (0, 0) empty, row 0 and column 0 the method
// headers, the diagonal 1, cell (j, k) with j > k the coefficient of methods
// k and j, the cells above the diagonal empty.
TextTable kendallMatrix(const RankMatrix& matrix, const Regional& regional);
