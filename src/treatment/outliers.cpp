#include "treatment/outliers.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace {

// Winsorises values in place; false (values as they were) when the flag
// stays after kMaxWinsorised cells, or when the next step would leave every
// value equal (an indicator no method takes).
bool winsorise(std::vector<double>& values, int* changedCount) {
    const std::vector<double> original = values;
    std::set<std::size_t> changed;
    for (;;) {
        const Distribution d = distributionOf(values);
        if (!d.flagged()) {
            *changedCount = int(changed.size());
            return true;
        }
        const bool high = *d.skewness > 0.0;
        const double extreme = high ? d.maximum : d.minimum;
        bool found = false;
        double inward = 0.0;
        for (const double x : values) {
            if (x == extreme || (found && (high ? x <= inward : x >= inward)))
                continue;
            inward = x;
            found = true;
        }
        // The values other than the extreme ones are all equal to inward:
        // pulling the extreme ones in would leave one value.
        const bool lastDistinct = found && (high ? d.minimum : d.maximum) == inward;
        std::set<std::size_t> next = changed;
        for (std::size_t i = 0; i < values.size(); ++i)
            if (values[i] == extreme)
                next.insert(i);
        if (!found || lastDistinct || next.size() > std::size_t(kMaxWinsorised)) {
            values = original;
            return false;
        }
        for (std::size_t i = 0; i < values.size(); ++i)
            if (values[i] == extreme)
                values[i] = inward;
        changed = std::move(next);
    }
}

// The logarithm of the side of the skewness, mapped back onto the range.
// Computed on the values scaled by a power of two (magnitudeExponent),
// which moves the logarithms by a constant the mapping takes away: the
// range and the shift neither overflow nor vanish at any magnitude.
void logarithm(std::vector<double>& values, bool positiveSkew) {
    const int exponent = magnitudeExponent(values);
    std::vector<double> t(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        t[i] = std::ldexp(values[i], -exponent);
    const auto [least, most] = std::minmax_element(t.begin(), t.end());
    const double minimum = *least;
    const double maximum = *most;
    const double shift = 0.01 * (maximum - minimum);
    std::vector<double> y(t.size());
    for (std::size_t i = 0; i < t.size(); ++i)
        y[i] = positiveSkew ? std::log(t[i] - minimum + shift) : -std::log(maximum + shift - t[i]);
    const auto [yLeast, yMost] = std::minmax_element(y.begin(), y.end());
    const double low = *yLeast;
    const double high = *yMost;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (y[i] == high)
            t[i] = maximum;
        else if (y[i] == low)
            t[i] = minimum;
        else
            t[i] = minimum + (y[i] - low) / (high - low) * (maximum - minimum);
        values[i] = std::ldexp(t[i], exponent);
    }
}

} // namespace

OutlierTreatment treatOutliers(const Matrix& matrix) {
    OutlierTreatment result;
    result.matrix = matrix;
    const int n = matrix.unitCount();
    // Changes by unit, then indicator: the order of the list of changes.
    std::map<std::pair<int, int>, OutlierChange> changes;
    for (int j = 0; j < matrix.indicatorCount(); ++j) {
        std::vector<int> units;
        std::vector<double> values;
        for (int i = 0; i < n; ++i)
            if (!matrix.isMissing(i, j)) {
                units.push_back(i);
                values.push_back(matrix.value(i, j));
            }
        TreatedIndicator treated;
        treated.indicator = j;
        treated.before = distributionOf(values);
        if (!treated.before.flagged())
            continue;
        if (!winsorise(values, &treated.changedValues)) {
            treated.method = OutlierMethod::Logarithm;
            treated.changedValues = 0;
            logarithm(values, *treated.before.skewness > 0.0);
        }
        treated.after = distributionOf(values);
        for (std::size_t k = 0; k < units.size(); ++k) {
            const double before = matrix.value(units[k], j);
            if (values[k] == before)
                continue;
            result.matrix.value(units[k], j) = values[k];
            changes[{units[k], j}] = OutlierChange{units[k], j, before, values[k]};
        }
        result.indicators.push_back(treated);
    }
    for (const auto& [where, change] : changes)
        result.changes.push_back(change);
    return result;
}
