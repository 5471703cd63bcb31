#include "support/loadmatrix.h"

#include "workbook/caricamatrice.h"

void loadMatrixRepeatedly(benchmark::State& state, const QString& path, const Regional& regional,
                          int rows, int cols) {
    for (auto _ : state) {
        const Expected<Matrix> matrix = carica_matrice(path, regional);
        if (!matrix) {
            state.SkipWithError(qPrintable(matrix.error().message));
            return;
        }
        benchmark::DoNotOptimize(matrix->value(rows - 1, cols - 1));
    }
    state.counters["cells"] = benchmark::Counter(static_cast<double>(rows) * cols,
                                                 benchmark::Counter::kIsIterationInvariantRate);
}
