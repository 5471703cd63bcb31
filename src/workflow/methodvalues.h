#pragma once

#include "composite/compositedefinitions.h"
#include "framework/structure.h"
#include "methods/metodi.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "stats/matrix.h"

#include <QString>

#include <optional>
#include <vector>

// One method as an analysis of a single method takes it: one of the nine,
// or a composite.
struct AnalysedMethod {
    std::optional<MethodPosition> position; // one of the nine
    Composite composite;                    // else this one

    QString code() const;
};

// The method whose code is code: one of the nine, else a composite of the
// list (any letter case). A Usage failure naming the valid codes.
Expected<AnalysedMethod> methodOfCode(const QString& code, const CompositeList& composites);

// What a method computes for every element of a structure, each a column
// over the units oriented so that a higher value is better, NaN where a
// unit has none: an indicator's values as the method takes them (one of
// the nine: as read, with the opposite sign for negative polarity; a
// composite: normalised), a group's value (one of the nine: its index, with
// the opposite sign where rank 1 goes to the lowest). The overall index is
// the root's column. The method's refusal as it words it.
Expected<std::vector<std::vector<double>>> elementValues(const AnalysedMethod& method,
                                                         const Matrix& matrix,
                                                         const Structure& structure,
                                                         const Regional& regional);

// The structure a method works over: the matrix's own, or, without one,
// every indicator under the overall index with the matrix's weights.
Structure structureOrFlat(const Structure* structure, const Matrix& matrix,
                          const Regional& regional);
