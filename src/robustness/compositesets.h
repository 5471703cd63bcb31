#pragma once

#include "composite/compositedefinitions.h"
#include "framework/structure.h"
#include "robustness/methodranking.h"
#include "shared/regional.h"
#include "shared/workprogress.h"
#include "stats/matrix.h"

#include <QString>

#include <vector>

// Composites crossed with other choices of their construction, as the
// uncertainty analysis crosses methods.

// One composite under one normalisation and one aggregation.
struct CompositeVariant {
    Composite composite;
    QString code; // the composite's code; then "CODE normalisation/aggregation" for the others
};

// Every composite under its own normalisation and aggregation first, then
// under each other pair of its own and those listed (each once by code):
// normalisations by aggregations per composite, in the order given.
std::vector<CompositeVariant> compositeVariants(const std::vector<Composite>& composites,
                                                const std::vector<Normalisation>& normalisations,
                                                const std::vector<Aggregation>& aggregations);

// The rankings each variant gives on every indicator set of the matrix,
// without a structure (every indicator under the overall index, weighted by
// the matrix's weights; each indicator's goalposts, target and
// transformation taken from bounds when given): set 0 holds every indicator, set j (1..m) every
// one but the j-th; result[set * variants.size() + i]. Each normalisation's
// columns are computed once and shared by the sets. Rank 1 to the highest
// index. Progress as rankOverIndicatorSets; empty when cancelled.
std::vector<MethodRanking>
rankCompositesOverIndicatorSets(const Matrix& matrix, const std::vector<CompositeVariant>& variants,
                                const Regional& regional, const Structure* bounds = nullptr,
                                WorkProgress* progress = nullptr, int threads = 0);
