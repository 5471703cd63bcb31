#pragma once

#include "stats/matrix.h"

#include <vector>

// Statistics of the columns and rows of a matrix view. All are population
// statistics: means and deviations divide by the number of values. The
// statistics of finite values are finite: where the direct sums would
// overflow or underflow (values near 1.8e308 or 1e-300) they are taken over
// the values scaled by a power of two, which changes no digit otherwise.
//
// The column statistics return one number per column of the view (an
// indicator), the row statistics one per unit. The row statistics weigh
// each column by its scaled weight w' = w m / sum(w) (m columns), which is
// exactly 1 for every column when the weights are equal: the weighted
// forms are then the plain ones, digit for digit.

// mean(j) = sum over the units of x(i,j), divided by the number of units.
std::vector<double> media_colonne(const MatrixView& view);
// sd(j) = sqrt(sum over the units of (x(i,j) - mean(j))^2 / number of units).
std::vector<double> scarto_colonne(const MatrixView& view);
// The same around means the caller already has from media_colonne.
std::vector<double> scarto_colonne(const MatrixView& view, const std::vector<double>& media);
// The smallest and the largest value of each column.
std::vector<double> minimo_colonne(const MatrixView& view);
std::vector<double> massimo_colonne(const MatrixView& view);

// The scaled weights w' of the columns: w m / sum(w), exactly 1 each when
// the weights are equal.
std::vector<double> scaledWeights(const MatrixView& view);

// M(i) = sum over the columns of w' t(i,j), divided by the number of columns.
std::vector<double> media_righe(const MatrixView& view);
// S(i) = sqrt(sum over the columns of w' (t(i,j) - M(i))^2 / number of columns).
std::vector<double> scarto_righe(const MatrixView& view, const std::vector<double>& media);
// (product of t(i,j)^w') ^ (1 / number of columns). When the product
// leaves the range of doubles (infinite, or 0 without a zero factor) the
// mean is taken through logarithms instead.
std::vector<double> media_geometrica_righe(const MatrixView& view);
// sqrt(sum of w' t(i,j)^2 / number of columns).
std::vector<double> media_quadratica_righe(const MatrixView& view);
// (S(i) - (m + 1)) / ((m + 1) (n + 1) - 1), S(i) the sum of w' t(i,j) over
// the m columns, n units: the normalised rank sum of the method of
// rankings. The product of the counts is formed in 64-bit integers.
std::vector<double> somma_ranghi_righe(const MatrixView& view);
