#include "methods/methodsteps.h"

#include "methods/ranking.h"

std::vector<double> rankingsColumns(const MatrixView& data) {
    const auto n = static_cast<std::size_t>(data.units);
    std::vector<double> result(n * data.columns.size());
    std::vector<int> ranks(n);
    for (std::size_t j = 0; j < data.columns.size(); ++j) {
        const MatrixColumn& column = data.columns[j];
        // Rank 1 to the best value: the smallest for negative polarity.
        rankValues(data.column(int(j)), column.negative, ranks);
        double* out = result.data() + j * n;
        for (std::size_t i = 0; i < n; ++i)
            out[i] = static_cast<double>(ranks[i]);
    }
    return result;
}
