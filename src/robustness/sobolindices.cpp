#include "robustness/sobolindices.h"

#include "robustness/randomstreams.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace {

// The bootstrap's draws come from a stream no run uses.
constexpr std::uint64_t bootstrapStream = ~std::uint64_t{0};

struct Moments {
    double mean = 0.0;
    double variance = 0.0; // population variance over A and B together
};

Moments moments(std::span<const double> a, std::span<const double> b,
                std::span<const std::size_t> rows) {
    Moments result;
    const double count = 2.0 * static_cast<double>(rows.size());
    for (std::size_t row : rows)
        result.mean += a[row] + b[row];
    result.mean /= count;
    for (std::size_t row : rows) {
        const double da = a[row] - result.mean;
        const double db = b[row] - result.mean;
        result.variance += da * da + db * db;
    }
    result.variance /= count;
    return result;
}

// Si and STi of one factor over the given rows (a row may repeat).
void estimate(const SaltelliOutputs& outputs, std::size_t factor, std::span<const std::size_t> rows,
              const Moments& m, double& first, double& total) {
    double firstSum = 0.0;
    double totalSum = 0.0;
    const std::vector<double>& ab = outputs.ab[factor];
    for (std::size_t row : rows) {
        const double ya = outputs.a[row] - m.mean;
        const double yb = outputs.b[row] - m.mean;
        const double yab = ab[row] - m.mean;
        firstSum += yb * (yab - ya);
        totalSum += (ya - yab) * (ya - yab);
    }
    const double n = static_cast<double>(rows.size());
    first = firstSum / n / m.variance;
    total = totalSum / n / (2.0 * m.variance);
}

double nearestRank(std::vector<double>& values, double percent) {
    std::sort(values.begin(), values.end());
    const auto count = static_cast<double>(values.size());
    const auto rank = static_cast<std::size_t>(std::max(1.0, std::ceil(percent / 100.0 * count)));
    return values[std::min(rank, values.size()) - 1];
}

std::vector<std::size_t> allRows(std::size_t n) {
    std::vector<std::size_t> rows(n);
    for (std::size_t i = 0; i < n; ++i)
        rows[i] = i;
    return rows;
}

} // namespace

std::optional<std::vector<double>> totalIndices(const SaltelliOutputs& outputs) {
    const std::vector<std::size_t> rows = allRows(outputs.a.size());
    if (rows.empty())
        return std::nullopt;
    const Moments m = moments(outputs.a, outputs.b, rows);
    if (!(m.variance > 0.0))
        return std::nullopt;
    std::vector<double> result(outputs.ab.size());
    for (std::size_t factor = 0; factor < outputs.ab.size(); ++factor) {
        double first = 0.0;
        estimate(outputs, factor, rows, m, first, result[factor]);
    }
    return result;
}

std::optional<std::vector<FactorIndices>> sobolIndices(const SaltelliOutputs& outputs,
                                                       int resamples, std::uint64_t seed) {
    const std::size_t n = outputs.a.size();
    const std::vector<std::size_t> rows = allRows(n);
    if (rows.empty())
        return std::nullopt;
    const Moments m = moments(outputs.a, outputs.b, rows);
    if (!(m.variance > 0.0))
        return std::nullopt;

    const std::size_t k = outputs.ab.size();
    std::vector<FactorIndices> result(k);
    for (std::size_t factor = 0; factor < k; ++factor)
        estimate(outputs, factor, rows, m, result[factor].first.value, result[factor].total.value);

    // Each resample draws N rows with replacement; its mean and variance are
    // its own. A resample without variance gives no estimate.
    std::vector<std::vector<double>> firsts(k);
    std::vector<std::vector<double>> totals(k);
    std::mt19937_64 generator = randomStream(seed, bootstrapStream);
    std::vector<std::size_t> sample(n);
    for (int r = 0; r < resamples; ++r) {
        for (std::size_t& row : sample)
            row = static_cast<std::size_t>(uniformIndex(generator, n));
        const Moments sm = moments(outputs.a, outputs.b, sample);
        if (!(sm.variance > 0.0))
            continue;
        for (std::size_t factor = 0; factor < k; ++factor) {
            double first = 0.0;
            double total = 0.0;
            estimate(outputs, factor, sample, sm, first, total);
            firsts[factor].push_back(first);
            totals[factor].push_back(total);
        }
    }
    for (std::size_t factor = 0; factor < k; ++factor) {
        FactorIndices& f = result[factor];
        if (firsts[factor].empty()) {
            f.first.p5 = f.first.p95 = f.first.value;
            f.total.p5 = f.total.p95 = f.total.value;
            continue;
        }
        f.first.p5 = nearestRank(firsts[factor], 5.0);
        f.first.p95 = nearestRank(firsts[factor], 95.0);
        f.total.p5 = nearestRank(totals[factor], 5.0);
        f.total.p95 = nearestRank(totals[factor], 95.0);
    }
    return result;
}
