#pragma once

#include "stats/matrix.h"

#include <span>
#include <vector>

enum class CorrelationKind {
    Pearson,  // the linear correlation of the values
    Spearman, // Pearson's of their average ranks (tied values share their mean rank)
};

// The average ranks of values, 1 to n from the smallest: tied values share
// the mean of the ranks they span.
std::vector<double> averageRanks(std::span<const double> values);

// The correlation of two columns over the units where both are available,
// each oriented by its polarity (the values of a column of negative polarity
// taken with the opposite sign), so that a negative coefficient marks two
// indicators that pull against each other. NaN with fewer than two such
// units, or when either column is constant over them.
double correlation(const MatrixColumn& a, const MatrixColumn& b, int units, CorrelationKind kind);

// The correlation of every pair of columns of the view: m x m, row after
// row, symmetric, 1 on the diagonal (NaN for a column that is constant or
// has fewer than two values).
std::vector<double> correlationMatrix(const MatrixView& view, CorrelationKind kind);
