#include "methods/methodsteps.h"

#include "methods/ranking.h"

#include <cmath>

// With missing cells, each column ranks the units that have it, and each
// rank is scaled by n / n_j so that every column's ranks span 1..n.
std::vector<double> rankingsColumns(const MatrixView& data) {
    const auto n = static_cast<std::size_t>(data.units);
    std::vector<double> result(n * data.columns.size());
    std::vector<int> ranks(n);
    std::vector<double> available;
    std::vector<std::size_t> units;
    for (std::size_t j = 0; j < data.columns.size(); ++j) {
        const MatrixColumn& column = data.columns[j];
        double* out = result.data() + j * n;
        if (!column.missing) {
            // Rank 1 to the best value: the smallest for negative polarity.
            rankValues(data.column(int(j)), column.negative, ranks);
            for (std::size_t i = 0; i < n; ++i)
                out[i] = static_cast<double>(ranks[i]);
            continue;
        }
        available.clear();
        units.clear();
        for (std::size_t i = 0; i < n; ++i) {
            out[i] = std::nan("");
            if (!column.isMissing(int(i))) {
                available.push_back(column.values[i]);
                units.push_back(i);
            }
        }
        ranks.resize(available.size());
        rankValues(available, column.negative, ranks);
        const double scale = static_cast<double>(n) / static_cast<double>(available.size());
        for (std::size_t k = 0; k < units.size(); ++k)
            out[units[k]] = static_cast<double>(ranks[k]) * scale;
        ranks.resize(n);
    }
    return result;
}
