#include "audit/correlation.h"

#include "stats/distribution.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <utility>

namespace {

constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();

// Scales values in place by the power of two at or below their largest
// magnitude (magnitudeExponent): exact, and no correlation depends on it.
void scaleToUnit(std::vector<double>& values) {
    const int exponent = magnitudeExponent(values);
    for (double& x : values)
        x = std::ldexp(x, -exponent);
}

// Pearson's coefficient of two lists of equal length, each scaled to unit
// magnitude (scaleToUnit) so that no sum of products overflows or underflows.
double pearson(std::vector<double> x, std::vector<double> y) {
    const std::size_t n = x.size();
    if (n < 2)
        return kUndefined;
    scaleToUnit(x);
    scaleToUnit(y);
    double sx = 0.0;
    double sy = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        sx += x[i];
        sy += y[i];
    }
    const double mx = sx / double(n);
    const double my = sy / double(n);
    double xy = 0.0;
    double xx = 0.0;
    double yy = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double dx = x[i] - mx;
        const double dy = y[i] - my;
        xy += dx * dy;
        xx += dx * dx;
        yy += dy * dy;
    }
    if (!(xx > 0.0) || !(yy > 0.0))
        return kUndefined;
    return std::clamp(xy / std::sqrt(xx * yy), -1.0, 1.0);
}

double orientation(const MatrixColumn& column) {
    return column.negative ? -1.0 : 1.0;
}

} // namespace

std::vector<double> averageRanks(std::span<const double> values) {
    const std::size_t n = values.size();
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&values](std::size_t a, std::size_t b) { return values[a] < values[b]; });
    std::vector<double> ranks(n);
    for (std::size_t first = 0; first < n;) {
        std::size_t last = first + 1;
        while (last < n && values[order[last]] == values[order[first]])
            ++last;
        // Ranks first + 1 .. last share their mean.
        const double mean = (double(first + 1) + double(last)) / 2.0;
        for (std::size_t k = first; k < last; ++k)
            ranks[order[k]] = mean;
        first = last;
    }
    return ranks;
}

double correlation(const MatrixColumn& a, const MatrixColumn& b, int units, CorrelationKind kind) {
    std::vector<double> x;
    std::vector<double> y;
    x.reserve(std::size_t(units));
    y.reserve(std::size_t(units));
    for (int i = 0; i < units; ++i) {
        if (a.isMissing(i) || b.isMissing(i))
            continue;
        x.push_back(a.values[i]);
        y.push_back(b.values[i]);
    }
    if (kind == CorrelationKind::Spearman) {
        x = averageRanks(x);
        y = averageRanks(y);
    }
    return orientation(a) * orientation(b) * pearson(std::move(x), std::move(y));
}

// Columns with no missing cell are ranked (Spearman) and centred once; a
// pair with a missing cell is taken on its own over the units both have.
std::vector<double> correlationMatrix(const MatrixView& view, CorrelationKind kind) {
    const std::size_t m = view.columns.size();
    const auto n = static_cast<std::size_t>(view.units);
    std::vector<double> result(m * m, kUndefined);
    // The complete columns, oriented, ranked where asked, centred and scaled
    // to unit length: their coefficient is then a plain sum of products.
    std::vector<std::vector<double>> unit(m);
    for (std::size_t j = 0; j < m; ++j) {
        const MatrixColumn& column = view.columns[j];
        bool complete = true;
        for (std::size_t i = 0; i < n && complete; ++i)
            complete = !column.isMissing(int(i));
        if (!complete)
            continue;
        std::vector<double> values(column.values, column.values + n);
        if (kind == CorrelationKind::Spearman)
            values = averageRanks(values);
        scaleToUnit(values);
        double sum = 0.0;
        for (const double x : values)
            sum += x;
        const double mean = sum / double(n);
        double squares = 0.0;
        for (double& x : values) {
            x -= mean;
            squares += x * x;
        }
        if (!(squares > 0.0) || n < 2) {
            unit[j].clear();
            continue;
        }
        const double scale = orientation(column) / std::sqrt(squares);
        for (double& x : values)
            x *= scale;
        unit[j] = std::move(values);
    }
    for (std::size_t j = 0; j < m; ++j) {
        for (std::size_t k = 0; k <= j; ++k) {
            double r = kUndefined;
            if (!unit[j].empty() && !unit[k].empty()) {
                double sum = 0.0;
                for (std::size_t i = 0; i < n; ++i)
                    sum += unit[j][i] * unit[k][i];
                r = std::clamp(sum, -1.0, 1.0);
            } else {
                r = correlation(view.columns[j], view.columns[k], view.units, kind);
            }
            if (j == k && !std::isnan(r))
                r = 1.0;
            result[j * m + k] = r;
            result[k * m + j] = r;
        }
    }
    return result;
}
