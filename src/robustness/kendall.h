#pragma once

#include "comparison/cograduation.h"
#include "robustness/rankmatrix.h"

#include <QtGlobal>

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
    // tau rounded to four decimals, the exact fraction rounded half to
    // even, as the double nearest that decimal; NaN when n < 2.
    double rounded() const;

private:
    qint64 m_pairs = 0;
    qint64 m_discordant = 0;
};

// The Kendall matrix of the methods of a rank matrix, in the layout of the
// cograduation matrix: cell (j, k) with j > k the rounded coefficient of
// methods k and j.
CoefficientMatrix kendallMatrix(const RankMatrix& matrix);
