#include "stats/distribution.h"

#include <algorithm>
#include <cmath>

bool Distribution::flagged() const {
    return skewness && kurtosis && std::fabs(*skewness) > 2.0 && *kurtosis > 3.5;
}

Distribution distributionOf(std::span<const double> values) {
    Distribution d;
    d.count = static_cast<int>(values.size());
    if (values.empty())
        return d;
    const auto [least, most] = std::minmax_element(values.begin(), values.end());
    d.minimum = *least;
    d.maximum = *most;
    double sum = 0.0;
    for (const double x : values)
        sum += x;
    const double n = d.count;
    d.mean = sum / n;
    if (d.count < 2)
        return d;
    double squares = 0.0;
    for (const double x : values)
        squares += (x - d.mean) * (x - d.mean);
    d.deviation = std::sqrt(squares / (n - 1.0));
    if (d.count < 3 || !(d.deviation > 0.0))
        return d;
    double cubes = 0.0;
    double fourths = 0.0;
    for (const double x : values) {
        const double z = (x - d.mean) / d.deviation;
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
