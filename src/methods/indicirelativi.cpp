#include "methods/methodsteps.h"

#include "stats/statistiche.h"

std::vector<double> relativeIndicesColumns(const MatrixView& data) {
    const auto minimum = minimo_colonne(data);
    const auto maximum = massimo_colonne(data);
    const auto n = static_cast<std::size_t>(data.units);
    std::vector<double> result(n * data.columns.size());
    for (std::size_t j = 0; j < data.columns.size(); ++j) {
        const MatrixColumn& column = data.columns[j];
        double* out = result.data() + j * n;
        for (std::size_t i = 0; i < n; ++i) {
            const double q =
                differenceQuotient(column.values[i], minimum[j], maximum[j], minimum[j]);
            out[i] = column.negative ? 1.0 - q : q;
        }
    }
    return result;
}
