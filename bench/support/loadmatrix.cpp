#include "support/loadmatrix.h"

#include "shared/sharedstate.h"
#include "workbook/caricamatrice.h"

void loadMatrixRepeatedly(benchmark::State& state, const QString& path, const Regional& regional,
                          int rows, int cols) {
    for (auto _ : state) {
        SharedState s;
        s.strMatrice = path;
        const LoadResult result = carica_matrice(s, regional);
        if (!result.loaded()) {
            state.SkipWithError(qPrintable(result.message));
            return;
        }
        benchmark::DoNotOptimize(s.matDati(rows + 1, cols + 1));
    }
    state.counters["cells"] = benchmark::Counter(static_cast<double>(rows) * cols,
                                                 benchmark::Counter::kIsIterationInvariantRate);
}
