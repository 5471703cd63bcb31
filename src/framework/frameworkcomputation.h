#pragma once

#include "framework/structure.h"
#include "methods/methodcomputation.h"
#include "stats/matrix.h"

#include <optional>
#include <vector>

// A method run over a structure: every group's index, bottom-up.
struct FrameworkRun {
    MethodPosition position;
    // Per element of the structure: what the method computed for a group
    // (its transformed columns, index and ranks); empty for an indicator.
    std::vector<MethodOutput> groups;
    int root = -1;
    // Per element: 1 for a unit without an index of that group (see
    // GroupCoverage); empty when every unit has one.
    std::vector<std::vector<unsigned char>> withoutIndex;

    const MethodOutput& overall() const { return groups[std::size_t(root)]; }
};

// Runs the method at position over the structure, bottom-up: a group's
// index is the method applied to the matrix of its elements of weight above
// 0 (an element of weight 0 is left out and does not count), weighted by
// their weights: an indicator with its values and polarity, a group inside
// it with its index under the method at full precision, its polarity the
// direction of the method's ranking (negative where rank 1 goes to the
// lowest index). A refusal names the group ("MPI+ - dimensione Salute:
// ..."), except the overall index's.
//
// A unit with no available element of weight above 0 in a group (an
// indicator's cell missing, or no index of a group inside it) gets no index
// for the group: its index is computed, by the method's available-case
// rules, over the units that have some element, each column transformed
// over every unit as usual. So up to the overall index, where such a unit
// has no index either (NaN, ranked after the others).
//
// With gaps (GroupCoverage given), a unit whose share of available cells
// over the indicators beneath a group is below minCoverage, or whose index
// of the group cannot be computed, gets no index for it (NaN, ranked after
// the others): in the group above, it counts as a missing element, whose
// siblings' weights are rescaled.
struct GroupCoverage {
    // The missing cells of the matrix as read, laid out as Matrix::missing
    // over the matrix given; null or empty when none is missing.
    const std::vector<unsigned char>* missing = nullptr;
    double minCoverage = 0.0;
};
// The structure with element left out: its weight 0, and so for every group
// above it left with no element of weight above 0 (such a group gets no
// index). Empty when the overall index is left with none.
std::optional<Structure> withoutElement(const Structure& structure, int element);

// refusedAt, when given, receives with a refusal the cell of the matrix that
// decided it (refusedCell), among the refused group's own indicators; nothing
// when the rule is not about one cell or the cell is a group's index.
Expected<FrameworkRun> computeFramework(MethodPosition position, const Matrix& matrix,
                                        const Structure& structure,
                                        const GroupCoverage& coverage = {},
                                        std::optional<DataCell>* refusedAt = nullptr);

// computeFramework for runs that differ only in the structure's weights:
// transformed holds the indicators' transformed columns, transformColumns
// over the matrix's whole view (each column is transformed on its own), and
// only the groups' indices are transformed afresh. The indices are the
// same to the last bit; the groups' outputs hold their index alone (no
// transformed columns, no ranks unless some unit has no index).
Expected<FrameworkRun> computeFrameworkOnTransformed(MethodPosition position, const Matrix& matrix,
                                                     const Structure& structure,
                                                     const std::vector<double>& transformed);

// Per unit, 1 when it gets no overall index from computeFramework: bottom-up,
// a unit has no index of a group when none of the group's elements of
// weight above 0 is available to it (an indicator's cell missing, a group
// it has no index of), or, for every group but the overall one, when its
// share of available cells over the indicators beneath the group is below
// minCoverage. missing is laid out as Matrix::missing over units and the
// structure's indicator columns; empty when none is missing. Empty when
// every unit has an overall index.
std::vector<unsigned char> unitsWithoutOverallIndex(const Structure& structure, int units,
                                                    const std::vector<unsigned char>& missing,
                                                    double minCoverage);

// The structure over the indicators kept: columnOf gives, per indicator
// column of the structure, its column in the matrix kept, -1 for one left
// out. Every element of an indicator left out is removed, and so is every
// group left with no element of weight above 0 (emptied, when given, gets
// those in Structure::groups, in that order): the siblings' shares are
// those of weight 0. Empty when the overall index is left with no element.
std::optional<Structure> keptStructure(const Structure& structure, const std::vector<int>& columnOf,
                                       std::vector<int>* emptied = nullptr);

// The view of a group's elements of weight above 0 over the matrix and the
// indices already computed for the groups inside it.
// withoutIndex (as FrameworkRun's), when given, marks a group's units
// without an index as missing cells of its column.
MatrixView groupView(const Structure& structure, int group, const Matrix& matrix,
                     const std::vector<MethodOutput>& computed, bool ascending,
                     const std::vector<std::vector<unsigned char>>* withoutIndex = nullptr);
