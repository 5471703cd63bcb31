#pragma once

#include "composite/compositedefinitions.h"
#include "composite/compositespec.h"
#include "framework/structure.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "stats/matrix.h"

#include <optional>
#include <span>
#include <vector>

// The computation of composites, on numbers. A missing value is NaN: the
// statistics of a column are taken over the values it has, and a
// normalised missing value stays NaN.

// The goalposts and target of one column, on the scale of its values.
struct ColumnBounds {
    std::optional<double> minimum;
    std::optional<double> maximum;
    std::optional<double> target;
};

// Why a column cannot be normalised.
enum class NormalisationProblem {
    None,
    NoGoalposts,  // goalposts without Minimo and Massimo, or Minimo >= Massimo
    NoTarget,     // target without Obiettivo, or one not beyond the worst value
    NegativeNone, // none on a column of negative polarity
    Constant,     // every value the same (minmax, zscore, percentile)
    NotFinite,    // a result that is no finite number (ratio of a zero)
};

struct NormalisedColumn {
    std::vector<double> values;
    NormalisationProblem problem = NormalisationProblem::None;
};

// The column normalised so that a higher value is better whatever its
// polarity (docs/methods.md gives every formula).
NormalisedColumn normaliseColumn(std::span<const double> values, bool negative,
                                 const Normalisation& normalisation, const ColumnBounds& bounds);

// The values of a unit's elements aggregated, with their weights (> 0)
// scaled to sum to the count m of the values it has (NaN ones left out):
// NaN when it has none. A value the aggregation cannot take (negative for
// geometric and power, 0 or less for harmonic and for power with p < 0)
// sets *refused to its position and gives NaN.
double aggregateValues(const Aggregation& aggregation, std::span<const double> values,
                       std::span<const double> weights, int* refused);

// What a composite computed over a matrix.
struct CompositeOutput {
    // The indicators' normalised columns, column after column (after the
    // transformation of those that take it).
    std::vector<double> normalised;
    // Per element of the structure: a group's value for every unit (NaN
    // for a unit with no element); empty for an indicator.
    std::vector<std::vector<double>> groups;
    int root = -1;
    std::vector<double> index; // the overall index, one per unit
    std::vector<int> ranks;    // rank 1 to the highest index; ties as the nine's
};

// The composite over the matrix and its structure; without one, over a
// structure of every indicator under the overall index with the matrix's
// weights. Missing cells (Matrix::missing) are left out of every
// statistic and aggregation. Refused (MethodRefused, the message beginning
// with the composite's code): a transformation of a value <= 0 (naming the
// cell), a normalisation that cannot take an indicator (naming it), an
// aggregation that cannot take a value, a group's Aggregazione that is no
// aggregation (naming its row).
Expected<CompositeOutput> computeComposite(const Composite& composite, const Matrix& matrix,
                                           const Structure* structure, const Regional& regional);

// The indicators' normalised columns of the composite over the matrix and
// the structure (CompositeOutput::normalised), refused as computeComposite
// refuses a transformation or a normalisation. They do not depend on the
// weights nor on the aggregation.
Expected<std::vector<double>> normaliseIndicators(const Composite& composite, const Matrix& matrix,
                                                  const Structure& structure,
                                                  const Regional& regional);

// The natural logarithm of a value above 0, else 0: the terms of the
// geometric mean.
double logarithmOrZero(double value);

// computeComposite over a structure from those columns, for runs that
// differ in the weights, the elements left out (weight 0) and the
// aggregation: the same groups and index to the last bit, without the
// normalised columns and the ranks. logs, when given, holds
// logarithmOrZero of every normalised value, for the geometric mean.
Expected<CompositeOutput> computeCompositeOnNormalised(const Composite& composite,
                                                       const Matrix& matrix,
                                                       const Structure& structure,
                                                       const Regional& regional,
                                                       const std::vector<double>& normalised,
                                                       const std::vector<double>* logs = nullptr);

// The structure of a matrix without one: every indicator under the overall
// index, weighted by the matrix's weights.
Structure flatStructure(const Matrix& matrix, const Regional& regional);
