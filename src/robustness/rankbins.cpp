#include "robustness/rankbins.h"

#include "robustness/rankstatistics.h"

#include <algorithm>

std::vector<RankBin> rankBins(const RankMatrix& matrix, int a, int b, int maxBins) {
    const int n = matrix.units();
    const int k = matrix.methodCount();
    if (n == 0 || maxBins < 1 || a < 0 || b < 0 || a >= k || b >= k)
        return {};
    // Ranks under a are a permutation of 1..n: rank r holds one unit.
    const std::vector<int>& xs = matrix.ranks[std::size_t(a)];
    const std::vector<int>& ys = matrix.ranks[std::size_t(b)];
    std::vector<int> yByX(std::size_t(n), 0);
    for (int i = 0; i < n; ++i)
        yByX[std::size_t(xs[std::size_t(i)] - 1)] = ys[std::size_t(i)];

    const int bins = std::min(maxBins, n);
    std::vector<RankBin> result;
    result.reserve(std::size_t(bins));
    std::vector<int> group;
    for (int g = 0; g < bins; ++g) {
        const qint64 first = qint64(g) * n / bins;
        const qint64 end = qint64(g + 1) * n / bins;
        group.assign(yByX.begin() + first, yByX.begin() + end);
        std::sort(group.begin(), group.end());
        RankBin bin;
        bin.fromRank = int(first) + 1;
        bin.toRank = int(end);
        bin.median = sortedMedian(group);
        bin.p5 = nearestRankPercentile(group, 5);
        bin.p95 = nearestRankPercentile(group, 95);
        result.push_back(bin);
    }
    return result;
}
