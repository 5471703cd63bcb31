#include "methods/ranking.h"

#include <algorithm>
#include <cmath>
#include <numeric>

std::vector<int> rankValues(const std::vector<double>& values, bool ascending) {
    std::vector<int> order(values.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const double va = values[static_cast<std::size_t>(a)];
        const double vb = values[static_cast<std::size_t>(b)];
        const bool nanA = std::isnan(va);
        const bool nanB = std::isnan(vb);
        if (nanA != nanB)
            return nanB;
        if (!nanA && va != vb)
            return ascending ? va < vb : va > vb;
        return a > b; // ties: the later value first
    });
    std::vector<int> ranks(values.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        ranks[static_cast<std::size_t>(order[k])] = static_cast<int>(k) + 1;
    return ranks;
}
