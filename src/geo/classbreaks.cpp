#include "geo/classbreaks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

std::vector<double> sortedNumbers(std::span<const double> values) {
    std::vector<double> sorted;
    sorted.reserve(values.size());
    for (const double value : values)
        if (!std::isnan(value))
            sorted.push_back(value);
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

// The quantile at p of sorted values, interpolated linearly between the
// order statistics (position p * (n - 1)).
double quantile(const std::vector<double>& sorted, double p) {
    const double position = p * double(sorted.size() - 1);
    const auto below = std::size_t(std::floor(position));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (position - double(below)) * (sorted[above] - sorted[below]);
}

// Natural breaks: the partition of the sorted values into `classes` runs
// with the least sum of squared deviations from each run's mean, found by
// dynamic programming over prefix sums. Where the last run of the best
// partition of the first j values starts never moves left as j grows, so
// each level is filled by halving: the start for the middle j is sought
// among the starts its neighbours allow, the least one on a tie. Returns
// the first value of each run after the first.
std::vector<double> jenksInnerBreaks(const std::vector<double>& sorted, int classes) {
    const std::size_t n = sorted.size();
    std::vector<double> sum(n + 1, 0.0), squares(n + 1, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        sum[i + 1] = sum[i] + sorted[i];
        squares[i + 1] = squares[i] + sorted[i] * sorted[i];
    }
    // The squared deviations of sorted[from, to).
    const auto cost = [&](std::size_t from, std::size_t to) {
        const double count = double(to - from);
        const double s = sum[to] - sum[from];
        return std::max(0.0, squares[to] - squares[from] - s * s / count);
    };
    const auto k = std::size_t(classes);
    constexpr double kNone = std::numeric_limits<double>::infinity();
    // best[c][j]: the least cost of the first j values in c + 1 runs;
    // start[c][j] where its last run starts.
    std::vector<std::vector<double>> best(k, std::vector<double>(n + 1, kNone));
    std::vector<std::vector<std::size_t>> start(k, std::vector<std::size_t>(n + 1, 0));
    for (std::size_t j = 1; j <= n; ++j)
        best[0][j] = cost(0, j);
    struct Span {
        std::size_t from, to;           // the j filled
        std::size_t startFrom, startTo; // where their last runs may start
    };
    std::vector<Span> spans;
    for (std::size_t c = 1; c < k && c < n; ++c) {
        spans.push_back({c + 1, n, c, n - 1});
        while (!spans.empty()) {
            const Span span = spans.back();
            spans.pop_back();
            const std::size_t j = span.from + (span.to - span.from) / 2;
            for (std::size_t i = span.startFrom; i <= std::min(span.startTo, j - 1); ++i) {
                const double total = best[c - 1][i] + cost(i, j);
                if (total < best[c][j]) {
                    best[c][j] = total;
                    start[c][j] = i;
                }
            }
            if (j > span.from)
                spans.push_back({span.from, j - 1, span.startFrom, start[c][j]});
            if (j < span.to)
                spans.push_back({j + 1, span.to, start[c][j], span.startTo});
        }
    }
    std::vector<double> inner(k - 1);
    std::size_t end = n;
    for (std::size_t c = k - 1; c > 0; --c) {
        end = start[c][end];
        inner[c - 1] = sorted[end];
    }
    return inner;
}

} // namespace

std::optional<BreakMethod> breakMethodFromCode(const QString& code) {
    if (code == QLatin1String("quantile"))
        return BreakMethod::Quantile;
    if (code == QLatin1String("equal"))
        return BreakMethod::Equal;
    if (code == QLatin1String("jenks"))
        return BreakMethod::Jenks;
    return std::nullopt;
}

QString breakMethodCode(BreakMethod method) {
    switch (method) {
    case BreakMethod::Quantile:
        return QStringLiteral("quantile");
    case BreakMethod::Equal:
        return QStringLiteral("equal");
    case BreakMethod::Jenks:
        break;
    }
    return QStringLiteral("jenks");
}

std::vector<double> classBreaks(std::span<const double> values, int classes, BreakMethod method) {
    const std::vector<double> sorted = sortedNumbers(values);
    if (sorted.empty())
        return {};
    const double least = sorted.front();
    const double greatest = sorted.back();
    if (least == greatest)
        return {least, greatest};
    std::size_t distinct = 1;
    for (std::size_t i = 1; i < sorted.size(); ++i)
        distinct += sorted[i] != sorted[i - 1] ? 1 : 0;
    classes = int(std::clamp<std::size_t>(std::size_t(std::max(classes, 1)), 1, distinct));
    std::vector<double> breaks{least};
    std::vector<double> inner;
    if (method == BreakMethod::Jenks) {
        inner = jenksInnerBreaks(sorted, classes);
    } else {
        for (int c = 1; c < classes; ++c)
            inner.push_back(method == BreakMethod::Equal ? least + (greatest - least) * c / classes
                                                         : quantile(sorted, double(c) / classes));
    }
    // A bound equal to the greatest value opens a last class of that value
    // alone (natural breaks put an outlier there).
    for (const double bound : inner)
        if (bound > breaks.back() && bound <= greatest)
            breaks.push_back(bound);
    breaks.push_back(greatest);
    return breaks;
}

int classOf(double value, std::span<const double> breaks) {
    if (std::isnan(value) || breaks.size() < 2)
        return -1;
    const auto above = std::upper_bound(breaks.begin(), breaks.end(), value);
    const int index = int(above - breaks.begin()) - 1;
    return std::clamp(index, 0, int(breaks.size()) - 2);
}
