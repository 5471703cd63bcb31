#include "stats/distribution.h"

#include <algorithm>
#include <cmath>

bool Distribution::flagged() const {
    return skewness && kurtosis && std::fabs(*skewness) > 2.0 && *kurtosis > 3.5;
}

int magnitudeExponent(std::span<const double> values) {
    double largest = 0.0;
    for (const double x : values)
        largest = std::max(largest, std::fabs(x));
    return largest > 0.0 && std::isfinite(largest) ? std::ilogb(largest) : 0;
}

// The moments are taken of the values scaled by the power of two at or below
// their largest magnitude: exact, so the figures are those of the values
// themselves wherever these can be squared and cubed, and the sums can
// neither overflow (values near the largest double) nor underflow (values
// near the smallest) whatever the values' magnitude.
Distribution distributionOf(std::span<const double> values) {
    Distribution d;
    d.count = static_cast<int>(values.size());
    if (values.empty())
        return d;
    const auto [least, most] = std::minmax_element(values.begin(), values.end());
    d.minimum = *least;
    d.maximum = *most;
    const int exponent = magnitudeExponent(values);
    std::vector<double> scaled(values.size());
    double sum = 0.0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        scaled[i] = std::ldexp(values[i], -exponent);
        sum += scaled[i];
    }
    const double n = d.count;
    const double mean = sum / n;
    d.mean = std::ldexp(mean, exponent);
    if (d.count < 2)
        return d;
    double squares = 0.0;
    for (const double x : scaled)
        squares += (x - mean) * (x - mean);
    const double deviation = std::sqrt(squares / (n - 1.0));
    d.deviation = std::ldexp(deviation, exponent);
    if (d.count < 3 || !(deviation > 0.0))
        return d;
    double cubes = 0.0;
    double fourths = 0.0;
    for (const double x : scaled) {
        const double z = (x - mean) / deviation;
        cubes += z * z * z;
        fourths += z * z * z * z;
    }
    d.skewness = n / ((n - 1.0) * (n - 2.0)) * cubes;
    if (d.count >= 4)
        d.kurtosis = n * (n + 1.0) / ((n - 1.0) * (n - 2.0) * (n - 3.0)) * fourths -
                     3.0 * (n - 1.0) * (n - 1.0) / ((n - 2.0) * (n - 3.0));
    return d;
}

Distribution distributionOf(const MatrixColumn& column, int units) {
    if (!column.missing)
        return distributionOf(std::span<const double>(column.values, std::size_t(units)));
    std::vector<double> available;
    available.reserve(std::size_t(units));
    for (int i = 0; i < units; ++i)
        if (!column.isMissing(i))
            available.push_back(column.values[i]);
    return distributionOf(available);
}

std::vector<Distribution> distributions(const MatrixView& view) {
    std::vector<Distribution> result;
    result.reserve(view.columns.size());
    for (const MatrixColumn& column : view.columns)
        result.push_back(distributionOf(column, view.units));
    return result;
}
