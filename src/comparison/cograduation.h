#pragma once

#include "comparison/texttable.h"
#include "shared/regional.h"

#include <QString>
#include <QStringList>

#include <span>
#include <vector>

// A matrix of rank correlations between N methods, lower triangle filled:
// cell (j, k) with j > k holds the coefficient of methods k and j rounded to
// four decimals (the number its text shows), the diagonal 1, the cells
// above the diagonal NaN, as is a coefficient of fewer than two units.
struct CoefficientMatrix {
    QStringList headers;       // the index header of each method, in order
    std::vector<double> cells; // row by row, N x N

    int size() const { return int(headers.size()); }
    double at(int row, int column) const { return cells[std::size_t(row * size() + column)]; }
};

// The cograduation matrix of the methods whose index headers and ranks (one
// per unit, 1..n) are given, in that order: Spearman's coefficient of every
// pair (SpearmanCoefficient::rounded).
CoefficientMatrix cograduationMatrix(const QStringList& headers,
                                     const std::vector<std::span<const int>>& ranks);

// The matrix as text, the way the batch tool prints it: N + 1 rows and
// columns, cell (0, 0) empty, row 0 and column 0 the index headers, every
// number in the pattern "0.0000" under the regional settings ("1,0000" under
// Italian settings on the diagonal), NaN as an empty cell.
TextTable coefficientTable(const CoefficientMatrix& matrix, const Regional& regional);
