#pragma once

#include "methods/metodi.h"
#include "shared/expected.h"
#include "stats/matrix.h"

#include <cmath>
#include <optional>
#include <vector>

// The two stages of the nine methods. The first transforms each column of
// the data on its own (normalised, standardised, index numbers or ranks),
// so that a higher transformed value is better except where a method says
// otherwise; the second aggregates the transformed columns of a unit into
// its index. Transformed matrices are laid out as Matrix::values: column
// after column, one value per unit. The aggregations weigh the columns by
// their scaled weights (statistiche.h): equal weights give the plain
// formulas. A method that cannot take the data fails with
// FailureKind::MethodRefused and a message that begins with its index
// header ("MPI+ - Il metodo ...").

// Mazziotta Pareto Index: every indicator rescaled to 100 +- 10 z (mirrored
// for negative polarity); the index is M(i) + S(i) cv(i) (positive variant)
// or M(i) - S(i) cv(i), with M, S the weighted mean and deviation of the
// unit's rescaled values and cv = S / M. Refuses a unit whose M is 0.
std::vector<double> mazziottaParetoColumns(const MatrixView& data);
Expected<std::vector<double>> mazziottaPareto(const MatrixView& transformed, bool positive);

// Wroclaw taxonomic method: z-scores (no change of sign); the index is the
// weighted distance from the ideal unit divided by the mean distance plus
// twice its deviation. Smaller is better.
std::vector<double> wroclawColumns(const MatrixView& data);
Expected<std::vector<double>> wroclaw(const MatrixView& transformed);

// The distance D(i) of every unit from the ideal unit (the best z-score of
// every column: the largest for positive polarity, the smallest for
// negative), sqrt(sum of w' (z - best)^2); their mean and population
// deviation.
void distanze_ideale(const MatrixView& transformed, std::vector<double>& distanze, double& media,
                     double& scarto);

// Mean of the z-scores, the sign turned for negative polarity.
std::vector<double> standardisedMeanColumns(const MatrixView& data);

// Method of rankings: the units ranked on every column (rank 1 to the
// best value, the later of tied units first); the index is the normalised
// rank sum.
std::vector<double> rankingsColumns(const MatrixView& data);

// Relative indices: min-max rescaling to 0..1 (reversed for negative
// polarity), averaged.
std::vector<double> relativeIndicesColumns(const MatrixView& data);

// Means of index numbers with the indicator's mean as base (x / mean, or
// mean / x for negative polarity): the arithmetic and quadratic means
// refuse negative values and zeros on negative indicators; the geometric
// mean refuses negative values and zeros.
std::vector<double> indexNumberColumns(const MatrixView& data);
Status indexNumbersAccept(const MatrixView& data, MethodPosition position);
// The cell that makes indexNumbersAccept refuse (the first in column order
// that breaks the rule the message names); nothing when it accepts.
std::optional<DataCell> indexNumbersRefusedCell(const MatrixView& data, MethodPosition position);

// The index of every unit from its transformed values, or the refusal:
// an index that is not a finite number (the data lie too far apart for the
// method) is refused too.
Expected<std::vector<double>> finiteIndex(MethodPosition position, std::vector<double> index);

// (a - b) / (c - d), also when a difference leaves the range of doubles
// (values near 1.8e308 of opposite signs): every term is then halved first,
// which keeps the quotient.
inline double differenceQuotient(double a, double b, double c, double d) {
    const double h = std::isfinite(a - b) && std::isfinite(c - d) ? 1.0 : 0.5;
    return (a * h - b * h) / (c * h - d * h);
}

// How a z-score enters the transformed matrix.
enum class ZScale {
    Plain,       // the z-score itself, whatever the polarity
    Oriented,    // z, or -z for an indicator of negative polarity
    Rescaled100, // 100 + 10 z, or 100 - 10 z for negative polarity
};

// The z-scores of the data, z = (x - mean) / sd with the population
// deviation of each column, rescaled as asked.
std::vector<double> zScores(const MatrixView& data, ZScale scale);

// The refusal of the method at position, with its index header before the
// reason.
Failure methodRefusal(MethodPosition position, const QString& reason);
