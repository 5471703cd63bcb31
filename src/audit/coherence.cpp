#include "audit/coherence.h"

#include "audit/eigen.h"

#include <cmath>
#include <limits>

Coherence coherenceOf(const std::vector<double>& correlations, int k) {
    constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();
    Coherence result;
    result.indicators = k;
    const auto m = static_cast<std::size_t>(k);
    bool defined = k > 0;
    double offDiagonal = 0.0;
    for (std::size_t i = 0; i < m && defined; ++i)
        for (std::size_t j = 0; j < m; ++j) {
            const double r = correlations[i * m + j];
            defined = defined && !std::isnan(r);
            if (i != j)
                offDiagonal += r;
        }
    if (!defined) {
        result.alpha = result.firstEigenvalue = result.firstShare = kUndefined;
        return result;
    }
    if (k > 1) {
        const double mean = offDiagonal / double(k * (k - 1));
        result.alpha = k * mean / (1.0 + (k - 1) * mean);
    } else {
        result.alpha = kUndefined;
    }
    const SymmetricEigen eigen = symmetricEigen(correlations, k);
    result.firstEigenvalue = eigen.values.front();
    result.firstShare = result.firstEigenvalue / double(k);
    for (const double value : eigen.values)
        if (value > 1.0)
            ++result.eigenvaluesAboveOne;
    result.loadings.assign(eigen.vectors.begin(), eigen.vectors.begin() + std::ptrdiff_t(m));
    double sum = 0.0;
    for (const double loading : result.loadings)
        sum += loading;
    if (sum < 0.0)
        for (double& loading : result.loadings)
            loading = -loading;
    return result;
}

std::vector<double> subMatrix(const std::vector<double>& correlations, int m,
                              const std::vector<int>& chosen) {
    std::vector<double> result;
    result.reserve(chosen.size() * chosen.size());
    for (const int i : chosen)
        for (const int j : chosen)
            result.push_back(correlations[std::size_t(i) * std::size_t(m) + std::size_t(j)]);
    return result;
}
