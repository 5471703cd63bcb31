#pragma once

#include "audit/correlation.h"

#include <functional>
#include <optional>
#include <span>
#include <vector>

// Weights of a group's elements chosen from their values: the values are
// columns over the same units, oriented so that a higher value is better,
// NaN where a unit has none.

// The correlation of two such columns over the units where both have a
// value; NaN with fewer than two, or when either is constant over them.
double columnCorrelation(std::span<const double> a, std::span<const double> b,
                         CorrelationKind kind);

// The least-squares spread of correlations around their mean:
// sum (r_i - mean r)^2; NaN when some correlation is undefined.
double correlationSpread(std::span<const double> correlations);

// The lower bound of a balanced weight, the largest being 1: no element is
// driven out of its group.
inline constexpr double kLeastBalancedWeight = 0.01;

// The group's value for trial weights of its elements (one per element,
// in their order); empty when the group's method cannot compute it.
using GroupValue = std::function<std::vector<double>(const std::vector<double>& weights)>;

struct BalancedWeights {
    std::vector<double> weights; // the largest 1, none below kLeastBalancedWeight
    double spreadBefore = 0.0;   // correlationSpread at the starting weights
    double spreadAfter = 0.0;    // and at the weights found
    int evaluations = 0;         // how many times the group's value was computed
};

// The weights in [kLeastBalancedWeight, 1] that make the Pearson
// correlations of the elements with the group's value as equal as possible
// (least squares on the correlations, the value recomputed for each trial),
// found by a bounded derivative-free optimiser (BOBYQA) from start (scaled
// so that its largest is 1). Among weights that balance equally well, a
// small penalty on their distance from equal weights picks the most even,
// so that two identical elements get equal weights. Nothing when the
// correlations are undefined at the start. One element keeps weight 1.
std::optional<BalancedWeights> balanceWeights(const std::vector<std::vector<double>>& elements,
                                              std::vector<double> start,
                                              const GroupValue& groupValue);

// The weights proportional to the squared loadings of the first principal
// component of the elements' correlation matrix (Pearson), the largest 1:
// nothing when some correlation is undefined. One element gets weight 1.
std::optional<std::vector<double>>
firstComponentWeights(const std::vector<std::vector<double>>& elements);
