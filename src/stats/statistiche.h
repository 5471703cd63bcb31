#pragma once

#include "shared/sharedstate.h"

#include <vector>

// Statistics over the matrices of the shared state. Every function returns a
// vector indexed like the table it reads: slot k belongs to column (or row) k
// for k >= 2, and slots 0 and 1 hold NaN. All statistics are population
// statistics: means and deviations divide by the number of values. The
// statistics of finite values are finite: where the direct sums would
// overflow or underflow (values near 1.8e308 or 1e-300) they are taken over
// the values scaled by a power of two, which changes no digit otherwise.
//
// The column statistics read the data cells of matDati (rows 2..nRighe,
// columns 2..nColonne) and need a number in each; the row statistics read
// the same cells of matTrasformata.

// mean(c) = sum over the units of x(r,c), divided by the number of units.
std::vector<double> media_colonne(const SharedState& s);
// sd(c) = sqrt(sum over the units of (x(r,c) - mean(c))^2 / number of units).
std::vector<double> scarto_colonne(const SharedState& s);
// The same around means the caller already has from media_colonne.
std::vector<double> scarto_colonne(const SharedState& s, const std::vector<double>& media);
// The smallest and the largest value of each indicator.
std::vector<double> minimo_colonne(const SharedState& s);
std::vector<double> massimo_colonne(const SharedState& s);

// M(r) = sum over the indicators of t(r,c), divided by the number of indicators.
std::vector<double> media_righe(const SharedState& s);
// S(r) = sqrt(sum over the indicators of (t(r,c) - M(r))^2 / number of indicators).
std::vector<double> scarto_righe(const SharedState& s);
// The same around means the caller already has from media_righe.
std::vector<double> scarto_righe(const SharedState& s, const std::vector<double>& media);
// (product of t(r,c)) ^ (1 / number of indicators). When the product leaves
// the range of doubles (infinite, or 0 without a zero factor) the mean is
// taken through logarithms instead.
std::vector<double> media_geometrica_righe(const SharedState& s);
// sqrt(sum of t(r,c)^2 / number of indicators).
std::vector<double> media_quadratica_righe(const SharedState& s);
// (S(r) - nColonne) / (nColonne * nRighe - 1), S(r) the sum of t(r,c): the
// normalised rank sum of the method of rankings. The product of the counts
// is formed in 64-bit integers.
std::vector<double> somma_ranghi_righe(const SharedState& s);
