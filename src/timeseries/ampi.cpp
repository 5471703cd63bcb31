#include "timeseries/ampi.h"

#include "methods/ranking.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

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

namespace {

// The elements of one group that enter its indices, with their scaled
// weights: an indicator's column, or -1 and the element of a group inside it.
struct AmpiMembers {
    int element = -1; // the group in the structure; -1 for the panel's indicators
    std::vector<int> indicators;
    std::vector<int> groups;
    std::vector<double> weights; // w' = w m / sum(w), exactly 1 when all are equal
};

std::vector<AmpiMembers> membersOf(const Panel& panel, const Structure* structure) {
    if (!structure) {
        AmpiMembers all;
        for (int j = 0; j < panel.indicatorCount(); ++j) {
            all.indicators.push_back(j);
            all.groups.push_back(-1);
        }
        all.weights.assign(all.indicators.size(), 1.0);
        return {all};
    }
    std::vector<AmpiMembers> result;
    for (const int group : structure->bottomUp()) {
        AmpiMembers members;
        members.element = group;
        std::vector<double> weights;
        for (const int child : structure->elements[std::size_t(group)].children) {
            const StructureElement& element = structure->elements[std::size_t(child)];
            if (element.weight == 0.0)
                continue;
            members.indicators.push_back(element.indicator);
            members.groups.push_back(element.isGroup() ? child : -1);
            weights.push_back(element.weight);
        }
        const bool equal = std::all_of(weights.begin(), weights.end(),
                                       [&weights](double w) { return w == weights.front(); });
        double sum = 0.0;
        for (const double w : weights)
            sum += w;
        const double m = double(weights.size());
        for (const double w : weights)
            members.weights.push_back(equal ? 1.0 : w * m / sum);
        result.push_back(std::move(members));
    }
    return result;
}

// M + S^2 / M and M - S^2 / M of the values r weighted by w:
// M = sum(w r) / m, S = sqrt(sum(w (r - M)^2) / m).
std::pair<double, double> adjustedPair(const std::vector<double>& r, const std::vector<double>& w) {
    const double m = double(r.size());
    double sum = 0.0;
    for (std::size_t k = 0; k < r.size(); ++k)
        sum += w[k] * r[k];
    const double mean = sum / m;
    double squares = 0.0;
    for (std::size_t k = 0; k < r.size(); ++k)
        squares += w[k] * ((r[k] - mean) * (r[k] - mean));
    const double deviation = std::sqrt(squares / m);
    // Rescaled values lie in [40, 160], and so do the indices of groups
    // over them, so the mean is never 0.
    const double penalty = deviation * (deviation / mean);
    return {mean + penalty, mean - penalty};
}

} // namespace

AmpiResult computeAmpi(const Panel& panel, int basePeriod, const Structure* structure) {
    AmpiResult result;
    result.base = basePeriod;
    result.goalposts = goalpostsOf(panel, basePeriod);
    const int units = panel.unitCount();
    const int indicators = panel.indicatorCount();
    const std::size_t cells =
        static_cast<std::size_t>(panel.periodCount()) * static_cast<std::size_t>(units);
    const std::vector<AmpiMembers> groups = membersOf(panel, structure);
    if (structure) {
        result.groupPlus.resize(structure->elements.size());
        result.groupMinus.resize(structure->elements.size());
        for (const AmpiMembers& group : groups) {
            result.groupPlus[std::size_t(group.element)].resize(cells);
            result.groupMinus[std::size_t(group.element)].resize(cells);
        }
    }
    result.plus.resize(cells);
    result.minus.resize(cells);
    std::vector<double> rescaled(static_cast<std::size_t>(indicators));
    std::vector<double> overPlus;
    std::vector<double> overMinus;
    for (int p = 0; p < panel.periodCount(); ++p) {
        for (int u = 0; u < units; ++u) {
            for (int j = 0; j < indicators; ++j) {
                const auto k = static_cast<std::size_t>(j);
                rescaled[k] =
                    ampiRescaled(panel.value(p, u, j), result.goalposts[k], panel.negative[k] != 0);
            }
            const std::size_t at = static_cast<std::size_t>(p) * static_cast<std::size_t>(units) +
                                   static_cast<std::size_t>(u);
            // Groups come after the groups inside them: AMPI+ is taken over
            // the AMPI+ of the groups inside, AMPI- over their AMPI-.
            for (const AmpiMembers& group : groups) {
                overPlus.clear();
                overMinus.clear();
                for (std::size_t k = 0; k < group.indicators.size(); ++k) {
                    const int inner = group.groups[k];
                    overPlus.push_back(inner < 0 ? rescaled[std::size_t(group.indicators[k])]
                                                 : result.groupPlus[std::size_t(inner)][at]);
                    overMinus.push_back(inner < 0 ? rescaled[std::size_t(group.indicators[k])]
                                                  : result.groupMinus[std::size_t(inner)][at]);
                }
                const auto [plus, minusOfPlus] = adjustedPair(overPlus, group.weights);
                const double minus = overMinus == overPlus
                                         ? minusOfPlus
                                         : adjustedPair(overMinus, group.weights).second;
                if (group.element >= 0) {
                    result.groupPlus[std::size_t(group.element)][at] = plus;
                    result.groupMinus[std::size_t(group.element)][at] = minus;
                }
                result.plus[at] = plus;
                result.minus[at] = minus;
            }
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
