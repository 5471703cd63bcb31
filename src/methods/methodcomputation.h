#pragma once

#include "methods/metodi.h"
#include "shared/expected.h"
#include "stats/matrix.h"

#include <optional>
#include <span>
#include <vector>

// What one method computes for a matrix.
struct MethodOutput {
    // The transformed matrix: column after column, one value per unit, the
    // columns of the data in their order.
    std::vector<double> transformed;
    std::vector<double> index; // the composite index, one per unit
    std::vector<int> ranks;    // one per unit: rank 1 to the best index (rankIndex)
};

// The first stage of the method at position: each column of the data
// transformed on its own, whatever the other columns are. Never fails.
std::vector<double> transformColumns(MethodPosition position, const MatrixView& data);

// Whether the method takes the data at all (the index-number methods refuse
// some signs); the other checks come with the aggregation.
Status acceptsData(MethodPosition position, const MatrixView& data);
// The cell of the data that makes acceptsData refuse; nothing when it
// accepts the data or its refusal is not about one cell.
std::optional<DataCell> refusedCell(MethodPosition position, const MatrixView& data);

// The second stage: the index of every unit from the transformed columns,
// given as a view with the data's polarity, weights and missing cells
// (MatrixView::withValues), or the method's refusal.
Expected<std::vector<double>> aggregateColumns(MethodPosition position,
                                               const MatrixView& transformed);

// The index of the data from its transformed columns, laid over the
// data's view as aggregateColumns takes them, once acceptsData has taken
// the data: computeMethod without the transformation, for callers that
// transform every column once and aggregate several sets of columns.
Expected<std::vector<double>> indexOf(MethodPosition position, const MatrixView& data,
                                      const MatrixView& transformed);

// The method on the data: acceptsData, transformColumns, aggregateColumns,
// and the ranks of the index (rankIndex, in the method's direction).
Expected<MethodOutput> computeMethod(MethodPosition position, const MatrixView& data);
