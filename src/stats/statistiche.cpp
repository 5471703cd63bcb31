#include "stats/statistiche.h"

#include "shared/vectorstate.h"

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
        const MatrixColumn& column = view.columns[j];
        bool found = false;
        double running = 0.0;
        for (int i = 0; i < view.units; ++i) {
            if (column.isMissing(i))
                continue;
            if (!found || replaces(column.values[i], running))
                running = column.values[i];
            found = true;
        }
        if (found)
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

// The available values of a column: the column itself when none is
// missing, otherwise those values gathered into scratch.
std::span<const double> available(const MatrixView& view, std::size_t j,
                                  std::vector<double>& scratch) {
    const MatrixColumn& column = view.columns[j];
    if (!column.missing)
        return view.column(int(j));
    scratch.clear();
    for (int i = 0; i < view.units; ++i)
        if (!column.isMissing(i))
            scratch.push_back(column.values[i]);
    return scratch;
}

// What the row statistics of a view with missing cells need for unit i:
// its available columns, and the weight w' of each, the column's weight
// rescaled so that the available ones sum to their count (1 each when the
// weights are equal).
class AvailableRow {
public:
    AvailableRow(const MatrixView& view, int i) {
        double weightSum = 0.0;
        for (std::size_t j = 0; j < view.columns.size(); ++j) {
            const MatrixColumn& column = view.columns[j];
            if (column.isMissing(i))
                continue;
            m_columns.push_back(j);
            m_values.push_back(column.values[i]);
            weightSum += column.weight;
        }
        const double count = static_cast<double>(m_columns.size());
        m_weights.assign(m_columns.size(), 1.0);
        if (!view.equalWeights())
            for (std::size_t k = 0; k < m_columns.size(); ++k)
                m_weights[k] = view.columns[m_columns[k]].weight * count / weightSum;
    }
    std::size_t count() const { return m_columns.size(); }
    const std::vector<double>& values() const { return m_values; }
    const std::vector<double>& weights() const { return m_weights; }

private:
    std::vector<std::size_t> m_columns;
    std::vector<double> m_values;
    std::vector<double> m_weights;
};

// True when some column carries missing cells: the row statistics then
// take each unit over its available columns.
bool masked(const MatrixView& view) {
    return std::any_of(view.columns.begin(), view.columns.end(),
                       [](const MatrixColumn& column) { return column.missing != nullptr; });
}

// A row statistic over each unit's available columns: finish(row) of the
// unit's AvailableRow; NaN for a unit with no available column.
template <typename Finish>
std::vector<double> availableRows(const MatrixView& view, Finish finish) {
    auto result = perUnit(view);
    for (int i = 0; i < view.units; ++i) {
        const AvailableRow row(view, i);
        if (row.count() > 0)
            result[static_cast<std::size_t>(i)] = finish(row, i);
    }
    return result;
}

double weightedSum(const AvailableRow& row) {
    double sum = 0.0;
    for (std::size_t k = 0; k < row.count(); ++k)
        sum += row.weights()[k] * row.values()[k];
    return sum;
}

} // namespace

std::vector<double> media_colonne(const MatrixView& view) {
    auto result = perColumn(view);
    std::vector<double> scratch;
    for (std::size_t j = 0; j < view.columns.size(); ++j) {
        const std::span<const double> x = available(view, j, scratch);
        const double units = static_cast<double>(x.size());
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
    std::vector<double> scratch;
    for (std::size_t j = 0; j < view.columns.size(); ++j) {
        const std::span<const double> x = available(view, j, scratch);
        const double units = static_cast<double>(x.size());
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
    if (masked(view))
        return availableRows(view, [](const AvailableRow& row, int) {
            const double sum = weightedSum(row);
            const double count = static_cast<double>(row.count());
            return std::isfinite(sum) ? sum / count : scaledMean(row.values(), row.weights());
        });
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
    if (masked(view))
        return availableRows(view, [&mean](const AvailableRow& row, int i) {
            const double m = mean[static_cast<std::size_t>(i)];
            double sum = 0.0;
            for (std::size_t k = 0; k < row.count(); ++k) {
                const double d = row.values()[k] - m;
                sum += row.weights()[k] * (d * d);
            }
            const double count = static_cast<double>(row.count());
            return std::isfinite(sum) && sum >= kUnderflow
                       ? std::sqrt(sum / count)
                       : scaledDeviation(row.values(), row.weights(), m);
        });
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
    clearUpperVectorState();
    if (masked(view))
        return availableRows(view, [](const AvailableRow& row, int) {
            // As for a full row: the product, or the logarithms when the
            // product leaves the range of doubles.
            const double exponent = 1.0 / static_cast<double>(row.count());
            double product = 1.0;
            bool zeroFactor = false;
            for (std::size_t k = 0; k < row.count(); ++k) {
                const double t = row.values()[k];
                const double w = row.weights()[k];
                zeroFactor = zeroFactor || t == 0.0;
                const double factor = w == 1.0 ? t : std::pow(t, w);
                product = k == 0 ? factor : product * factor;
            }
            if (std::isfinite(product) && (product != 0.0 || zeroFactor))
                return std::pow(product, exponent);
            double logSum = 0.0;
            for (std::size_t k = 0; k < row.count(); ++k) {
                if (row.values()[k] < 0.0)
                    return kUndefined;
                logSum += row.weights()[k] * std::log(std::fabs(row.values()[k]));
            }
            return std::exp(logSum * exponent);
        });
    const std::vector<double> w = scaledWeights(view);
    const bool plain = std::all_of(w.begin(), w.end(), [](double x) { return x == 1.0; });
    const std::size_t m = view.columns.size();
    const double exponent = 1.0 / static_cast<double>(m);
    auto result = perUnit(view);
    if (m == 0)
        return result;
    std::vector<double> products(static_cast<std::size_t>(view.units), 1.0);
    std::vector<char> zeroFactor(static_cast<std::size_t>(view.units), 0);
    clearUpperVectorState();
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
    if (masked(view))
        return availableRows(view, [](const AvailableRow& row, int) {
            double sum = 0.0;
            for (std::size_t k = 0; k < row.count(); ++k)
                sum += row.weights()[k] * (row.values()[k] * row.values()[k]);
            const double count = static_cast<double>(row.count());
            return std::isfinite(sum) && sum >= kUnderflow
                       ? std::sqrt(sum / count)
                       : scaledQuadratic(row.values(), row.weights());
        });
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
    const std::int64_t m = static_cast<std::int64_t>(view.columns.size());
    if (masked(view)) {
        const double divisor = static_cast<double>((m + 1) * (view.units + 1) - 1);
        // The rank sum over the available columns, scaled to all m of them.
        return availableRows(view, [m, divisor](const AvailableRow& row, int) {
            const double scale = static_cast<double>(m) / static_cast<double>(row.count());
            const double sum = weightedSum(row) * scale;
            return (sum - static_cast<double>(m + 1)) / divisor;
        });
    }
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
