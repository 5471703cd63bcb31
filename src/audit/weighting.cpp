#include "audit/weighting.h"

#include "audit/eigen.h"

#include <nlopt.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();
// What an objective is worth where the correlations are undefined: more
// than any spread (at most the count of elements times 4).
constexpr double kUndefinedObjective = 1e6;
// The weight of the penalty toward equal weights: small beside any spread
// that matters, enough to settle elements the spread cannot tell apart.
constexpr double kEvenness = 1e-4;

MatrixColumn columnOf(std::span<const double> values, std::vector<unsigned char>& missing) {
    missing.resize(values.size());
    bool any = false;
    for (std::size_t i = 0; i < values.size(); ++i) {
        missing[i] = std::isnan(values[i]) ? 1 : 0;
        any = any || missing[i] != 0;
    }
    MatrixColumn column;
    column.values = values.data();
    column.missing = any ? missing.data() : nullptr;
    return column;
}

std::vector<double> scaledToLargest(std::vector<double> weights) {
    const double largest = *std::max_element(weights.begin(), weights.end());
    if (largest > 0.0)
        for (double& w : weights)
            w /= largest;
    return weights;
}

// What the optimiser minimises, and what it counts.
struct Balance {
    const std::vector<std::vector<double>>* elements;
    const GroupValue* groupValue;
    int evaluations = 0;

    double spreadAt(const std::vector<double>& weights) {
        ++evaluations;
        const std::vector<double> value = (*groupValue)(weights);
        if (value.empty())
            return kUndefined;
        std::vector<double> r;
        for (const std::vector<double>& element : *elements)
            r.push_back(columnCorrelation(element, value, CorrelationKind::Pearson));
        return correlationSpread(r);
    }

    double objective(const std::vector<double>& weights) {
        const double spread = spreadAt(weights);
        if (std::isnan(spread))
            return kUndefinedObjective;
        double mean = 0.0;
        for (const double w : weights)
            mean += w;
        mean /= double(weights.size());
        double unevenness = 0.0;
        for (const double w : weights)
            unevenness += (w / mean - 1.0) * (w / mean - 1.0);
        return spread + kEvenness * unevenness / double(weights.size());
    }
};

double balanceObjective(unsigned n, const double* x, double* gradient, void* data) {
    (void)gradient; // derivative-free: never asked for
    return static_cast<Balance*>(data)->objective(std::vector<double>(x, x + n));
}

} // namespace

double columnCorrelation(std::span<const double> a, std::span<const double> b,
                         CorrelationKind kind) {
    std::vector<unsigned char> missingA;
    std::vector<unsigned char> missingB;
    const MatrixColumn x = columnOf(a, missingA);
    const MatrixColumn y = columnOf(b, missingB);
    return correlation(x, y, int(std::min(a.size(), b.size())), kind);
}

double correlationSpread(std::span<const double> correlations) {
    if (correlations.empty())
        return kUndefined;
    double mean = 0.0;
    for (const double r : correlations)
        mean += r;
    mean /= double(correlations.size());
    double spread = 0.0;
    for (const double r : correlations)
        spread += (r - mean) * (r - mean);
    return spread;
}

std::optional<BalancedWeights> balanceWeights(const std::vector<std::vector<double>>& elements,
                                              std::vector<double> start,
                                              const GroupValue& groupValue) {
    Balance balance{&elements, &groupValue};
    BalancedWeights result;
    start = scaledToLargest(std::move(start));
    for (double& w : start)
        w = std::clamp(w, kLeastBalancedWeight, 1.0);
    result.spreadBefore = balance.spreadAt(start);
    if (std::isnan(result.spreadBefore))
        return std::nullopt;
    const auto n = unsigned(elements.size());
    std::vector<double> x = start;
    if (n > 1) {
        nlopt_opt optimiser = nlopt_create(NLOPT_LN_BOBYQA, n);
        const std::vector<double> lower(n, kLeastBalancedWeight);
        const std::vector<double> upper(n, 1.0);
        nlopt_set_lower_bounds(optimiser, lower.data());
        nlopt_set_upper_bounds(optimiser, upper.data());
        nlopt_set_min_objective(optimiser, balanceObjective, &balance);
        nlopt_set_xtol_rel(optimiser, 1e-7);
        nlopt_set_ftol_abs(optimiser, 1e-14);
        nlopt_set_maxeval(optimiser, int(400 * n));
        double found = 0.0;
        const nlopt_result outcome = nlopt_optimize(optimiser, x.data(), &found);
        nlopt_destroy(optimiser);
        if (outcome < 0)
            x = start; // the optimiser failed: the weights stay as they were
    }
    result.weights = scaledToLargest(x);
    for (double& w : result.weights)
        w = std::clamp(w, kLeastBalancedWeight, 1.0);
    result.spreadAfter = balance.spreadAt(result.weights);
    result.evaluations = balance.evaluations;
    return result;
}

std::optional<std::vector<double>>
firstComponentWeights(const std::vector<std::vector<double>>& elements) {
    const int k = int(elements.size());
    if (k == 1)
        return std::vector<double>{1.0};
    std::vector<double> r(std::size_t(k) * std::size_t(k), 1.0);
    for (int a = 0; a < k; ++a)
        for (int b = a + 1; b < k; ++b) {
            const double c = columnCorrelation(elements[std::size_t(a)], elements[std::size_t(b)],
                                               CorrelationKind::Pearson);
            if (std::isnan(c))
                return std::nullopt;
            r[std::size_t(a * k + b)] = r[std::size_t(b * k + a)] = c;
        }
    const SymmetricEigen eigen = symmetricEigen(std::move(r), k);
    std::vector<double> weights(static_cast<std::size_t>(k));
    for (std::size_t i = 0; i < weights.size(); ++i)
        weights[i] = eigen.vectors[i] * eigen.vectors[i];
    return scaledToLargest(std::move(weights));
}
