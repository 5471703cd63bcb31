#include "timeseries/ampi.h"

#include "methods/ranking.h"

#include <algorithm>
#include <cmath>
#include <span>

std::vector<Goalposts> goalpostsOf(const Panel& panel, int basePeriod) {
    const int periods = panel.periodCount();
    const int units = panel.unitCount();
    const int indicators = panel.indicatorCount();
    std::vector<Goalposts> goalposts(static_cast<std::size_t>(indicators));
    std::vector<double> sum(static_cast<std::size_t>(indicators), 0.0);
    for (int j = 0; j < indicators; ++j) {
        goalposts[static_cast<std::size_t>(j)].inf = panel.value(0, 0, j);
        goalposts[static_cast<std::size_t>(j)].sup = panel.value(0, 0, j);
    }
    for (int p = 0; p < periods; ++p) {
        for (int u = 0; u < units; ++u) {
            for (int j = 0; j < indicators; ++j) {
                const double x = panel.value(p, u, j);
                Goalposts& g = goalposts[static_cast<std::size_t>(j)];
                g.inf = std::min(g.inf, x);
                g.sup = std::max(g.sup, x);
                if (p == basePeriod)
                    sum[static_cast<std::size_t>(j)] += x;
            }
        }
    }
    for (int j = 0; j < indicators; ++j) {
        Goalposts& g = goalposts[static_cast<std::size_t>(j)];
        g.ref = sum[static_cast<std::size_t>(j)] / units;
        const double delta = (g.sup - g.inf) / 2.0;
        g.min = g.ref - delta;
        g.max = g.ref + delta;
    }
    return goalposts;
}

double ampiRescaled(double x, const Goalposts& g, bool negative) {
    const double span = g.max - g.min;
    return negative ? 70.0 + 60.0 * (g.max - x) / span : 70.0 + 60.0 * (x - g.min) / span;
}

AmpiResult computeAmpi(const Panel& panel, int basePeriod) {
    AmpiResult result;
    result.base = basePeriod;
    result.goalposts = goalpostsOf(panel, basePeriod);
    const int units = panel.unitCount();
    const int indicators = panel.indicatorCount();
    const std::size_t cells =
        static_cast<std::size_t>(panel.periodCount()) * static_cast<std::size_t>(units);
    result.plus.resize(cells);
    result.minus.resize(cells);
    std::vector<double> rescaled(static_cast<std::size_t>(indicators));
    for (int p = 0; p < panel.periodCount(); ++p) {
        for (int u = 0; u < units; ++u) {
            double sum = 0.0;
            for (int j = 0; j < indicators; ++j) {
                const auto k = static_cast<std::size_t>(j);
                rescaled[k] =
                    ampiRescaled(panel.value(p, u, j), result.goalposts[k], panel.negative[k] != 0);
                sum += rescaled[k];
            }
            const double mean = sum / indicators;
            double squares = 0.0;
            for (const double r : rescaled)
                squares += (r - mean) * (r - mean);
            const double deviation = std::sqrt(squares / indicators);
            // Rescaled values lie in [40, 160], so the mean is never 0.
            const double penalty = deviation * (deviation / mean);
            const std::size_t at = static_cast<std::size_t>(p) * static_cast<std::size_t>(units) +
                                   static_cast<std::size_t>(u);
            result.plus[at] = mean + penalty;
            result.minus[at] = mean - penalty;
        }
    }
    return result;
}

std::vector<int> ampiRanks(const std::vector<double>& values, int periods, int units) {
    std::vector<int> ranks;
    ranks.reserve(values.size());
    for (int p = 0; p < periods; ++p) {
        const std::size_t first = static_cast<std::size_t>(p) * static_cast<std::size_t>(units);
        const std::vector<int> period = rankIndex(
            std::span<const double>(values).subspan(first, static_cast<std::size_t>(units)), false);
        ranks.insert(ranks.end(), period.begin(), period.end());
    }
    return ranks;
}
