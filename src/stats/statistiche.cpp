#include "stats/statistiche.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();

// Sums of squares below this may have lost digits to underflow.
constexpr double kUnderflow = 0x1p-900;

// The power of two that brings the largest magnitude of the values near 1:
// multiplying by it is exact, and sums and squares of the scaled values stay
// inside the range of doubles. These are the statistics when the direct
// sums overflow or underflow (values near 1e308 or 1e-300); for values that
// need no scaling they give the very same digits.
double scaleFactor(std::span<const double> values) {
    double largest = 0.0;
    for (const double x : values)
        largest = std::max(largest, std::fabs(x));
    if (!(largest > 0.0) || !std::isfinite(largest))
        return 1.0;
    return std::ldexp(1.0, -std::max(std::ilogb(largest), -1000));
}

// The weighted statistics of a few values (a row, or a column), scaled:
// sum(w x) / count, sqrt(sum(w (x - mean)^2) / count), sqrt(sum(w x^2) / count),
// with weights of 1 when none are given.
double scaledMean(std::span<const double> values, std::span<const double> weights) {
    const double f = scaleFactor(values);
    double sum = 0.0;
    for (std::size_t k = 0; k < values.size(); ++k)
        sum += (weights.empty() ? 1.0 : weights[k]) * (values[k] * f);
    return sum / static_cast<double>(values.size()) / f;
}

double scaledDeviation(std::span<const double> values, std::span<const double> weights,
                       double mean) {
    const double f = scaleFactor(values);
    double sum = 0.0;
    for (std::size_t k = 0; k < values.size(); ++k) {
        const double d = values[k] * f - mean * f;
        sum += (weights.empty() ? 1.0 : weights[k]) * (d * d);
    }
    return std::sqrt(sum / static_cast<double>(values.size())) / f;
}

double scaledQuadratic(std::span<const double> values, std::span<const double> weights) {
    const double f = scaleFactor(values);
    double sum = 0.0;
    for (std::size_t k = 0; k < values.size(); ++k)
        sum += (weights.empty() ? 1.0 : weights[k]) * ((values[k] * f) * (values[k] * f));
    return std::sqrt(sum / static_cast<double>(values.size())) / f;
}

// The values of unit i across the columns of the view.
std::vector<double> row(const MatrixView& view, int i) {
    std::vector<double> values;
    values.reserve(view.columns.size());
    for (const MatrixColumn& column : view.columns)
        values.push_back(column.values[i]);
    return values;
}

std::vector<double> perColumn(const MatrixView& view) {
    return std::vector<double>(view.columns.size(), kUndefined);
}

std::vector<double> perUnit(const MatrixView& view) {
    return std::vector<double>(static_cast<std::size_t>(std::max(view.units, 0)), kUndefined);
}

template <typename Replaces>
std::vector<double> columnExtremes(const MatrixView& view, Replaces replaces) {
    auto result = perColumn(view);
    for (std::size_t j = 0; j < view.columns.size(); ++j) {
        const double* x = view.columns[j].values;
        if (view.units < 1)
            continue;
        double running = x[0];
        for (int i = 1; i < view.units; ++i)
            if (replaces(x[i], running))
                running = x[i];
        result[j] = running;
    }
    return result;
}

// Adds w' t(i,j) (as term(w', t) gives it) of every column to sums[i],
// column after column: each unit's terms are added in column order.
template <typename Term>
void addRowTerms(const MatrixView& view, const std::vector<double>& weights,
                 std::vector<double>& sums, Term term) {
    for (std::size_t j = 0; j < view.columns.size(); ++j) {
        const double* t = view.columns[j].values;
        const double w = weights[j];
        for (int i = 0; i < view.units; ++i)
            sums[static_cast<std::size_t>(i)] += term(w, t[i], i);
    }
}

} // namespace

std::vector<double> media_colonne(const MatrixView& view) {
    auto result = perColumn(view);
    const double units = view.units;
    for (std::size_t j = 0; j < view.columns.size(); ++j) {
        const std::span<const double> x = view.column(int(j));
        double sum = 0.0;
        for (const double value : x)
            sum += value;
        result[j] = sum / units;
        if (!std::isfinite(result[j]))
            result[j] = scaledMean(x, {});
    }
    return result;
}

std::vector<double> scarto_colonne(const MatrixView& view) {
    return scarto_colonne(view, media_colonne(view));
}

std::vector<double> scarto_colonne(const MatrixView& view, const std::vector<double>& mean) {
    auto result = perColumn(view);
    const double units = view.units;
    for (std::size_t j = 0; j < view.columns.size(); ++j) {
        const std::span<const double> x = view.column(int(j));
        double sum = 0.0;
        for (const double value : x) {
            const double d = value - mean[j];
            sum += d * d;
        }
        result[j] = std::sqrt(sum / units);
        if (!std::isfinite(result[j]) || sum < kUnderflow)
            result[j] = scaledDeviation(x, {}, mean[j]);
    }
    return result;
}

std::vector<double> minimo_colonne(const MatrixView& view) {
    return columnExtremes(view, [](double x, double running) { return x < running; });
}

std::vector<double> massimo_colonne(const MatrixView& view) {
    return columnExtremes(view, [](double x, double running) { return x > running; });
}

std::vector<double> scaledWeights(const MatrixView& view) {
    std::vector<double> result(view.columns.size(), 1.0);
    if (view.equalWeights())
        return result;
    double sum = 0.0;
    for (const MatrixColumn& column : view.columns)
        sum += column.weight;
    const double m = static_cast<double>(view.columns.size());
    for (std::size_t j = 0; j < result.size(); ++j)
        result[j] = view.columns[j].weight * m / sum;
    return result;
}

std::vector<double> media_righe(const MatrixView& view) {
    const std::vector<double> w = scaledWeights(view);
    std::vector<double> sums(static_cast<std::size_t>(view.units), 0.0);
    addRowTerms(view, w, sums, [](double weight, double t, int) { return weight * t; });
    const double m = static_cast<double>(view.columns.size());
    auto result = perUnit(view);
    for (int i = 0; i < view.units; ++i) {
        const auto k = static_cast<std::size_t>(i);
        result[k] = std::isfinite(sums[k]) ? sums[k] / m : scaledMean(row(view, i), w);
    }
    return result;
}

std::vector<double> scarto_righe(const MatrixView& view, const std::vector<double>& mean) {
    const std::vector<double> w = scaledWeights(view);
    std::vector<double> sums(static_cast<std::size_t>(view.units), 0.0);
    addRowTerms(view, w, sums, [&mean](double weight, double t, int i) {
        const double d = t - mean[static_cast<std::size_t>(i)];
        return weight * (d * d);
    });
    const double m = static_cast<double>(view.columns.size());
    auto result = perUnit(view);
    for (int i = 0; i < view.units; ++i) {
        const auto k = static_cast<std::size_t>(i);
        result[k] = std::isfinite(sums[k]) && sums[k] >= kUnderflow
                        ? std::sqrt(sums[k] / m)
                        : scaledDeviation(row(view, i), w, mean[k]);
    }
    return result;
}

std::vector<double> media_geometrica_righe(const MatrixView& view) {
    const std::vector<double> w = scaledWeights(view);
    const bool plain = std::all_of(w.begin(), w.end(), [](double x) { return x == 1.0; });
    const std::size_t m = view.columns.size();
    const double exponent = 1.0 / static_cast<double>(m);
    auto result = perUnit(view);
    if (m == 0)
        return result;
    std::vector<double> products(static_cast<std::size_t>(view.units), 1.0);
    std::vector<char> zeroFactor(static_cast<std::size_t>(view.units), 0);
    for (std::size_t j = 0; j < m; ++j) {
        const double* t = view.columns[j].values;
        for (int i = 0; i < view.units; ++i) {
            const auto k = static_cast<std::size_t>(i);
            zeroFactor[k] = zeroFactor[k] || t[i] == 0.0;
            const double factor = plain ? t[i] : std::pow(t[i], w[j]);
            products[k] = j == 0 ? factor : products[k] * factor;
        }
    }
    for (int i = 0; i < view.units; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const double product = products[k];
        double mean = std::pow(product, exponent);
        if (!std::isfinite(product) || (product == 0.0 && !zeroFactor[k])) {
            // The product left the range of doubles: average the logarithms.
            double logSum = 0.0;
            bool negative = false;
            for (std::size_t j = 0; j < m; ++j) {
                const double t = view.columns[j].values[i];
                negative = negative || t < 0.0;
                logSum += w[j] * std::log(std::fabs(t));
            }
            mean = negative ? kUndefined : std::exp(logSum * exponent);
        }
        result[k] = mean;
    }
    return result;
}

std::vector<double> media_quadratica_righe(const MatrixView& view) {
    const std::vector<double> w = scaledWeights(view);
    std::vector<double> sums(static_cast<std::size_t>(view.units), 0.0);
    addRowTerms(view, w, sums, [](double weight, double t, int) { return weight * (t * t); });
    const double m = static_cast<double>(view.columns.size());
    auto result = perUnit(view);
    for (int i = 0; i < view.units; ++i) {
        const auto k = static_cast<std::size_t>(i);
        result[k] = std::isfinite(sums[k]) && sums[k] >= kUnderflow
                        ? std::sqrt(sums[k] / m)
                        : scaledQuadratic(row(view, i), w);
    }
    return result;
}

std::vector<double> somma_ranghi_righe(const MatrixView& view) {
    const std::vector<double> w = scaledWeights(view);
    std::vector<double> sums(static_cast<std::size_t>(view.units), 0.0);
    addRowTerms(view, w, sums, [](double weight, double t, int) { return weight * t; });
    const std::int64_t columns = static_cast<std::int64_t>(view.columns.size()) + 1;
    const std::int64_t rows = static_cast<std::int64_t>(view.units) + 1;
    const double divisor = static_cast<double>(columns * rows - 1);
    auto result = perUnit(view);
    for (int i = 0; i < view.units; ++i) {
        const auto k = static_cast<std::size_t>(i);
        result[k] = (sums[k] - static_cast<double>(columns)) / divisor;
    }
    return result;
}
