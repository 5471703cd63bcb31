#pragma once

#include "framework/structure.h"
#include "methods/methodcomputation.h"
#include "stats/matrix.h"

#include <vector>

// A method run over a structure: every group's index, bottom-up.
struct FrameworkRun {
    MethodPosition position;
    // Per element of the structure: what the method computed for a group
    // (its transformed columns, index and ranks); empty for an indicator.
    std::vector<MethodOutput> groups;
    int root = -1;

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
Expected<FrameworkRun> computeFramework(MethodPosition position, const Matrix& matrix,
                                        const Structure& structure);

// The view of a group's elements of weight above 0 over the matrix and the
// indices already computed for the groups inside it.
MatrixView groupView(const Structure& structure, int group, const Matrix& matrix,
                     const std::vector<MethodOutput>& computed, bool ascending);
