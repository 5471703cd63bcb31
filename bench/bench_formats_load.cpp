// Loading the same large source matrix from each format through
// carica_matrice (reading, validation, statistics for the constant-indicator
// check): .xlsx, .ods as LibreOffice writes it (with and without the empty
// runs to the sheet's last row and column) and delimited text.
#include "support/largematrix.h"
#include "workbook/caricamatrice.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

namespace {

void load(benchmark::State& state, const QString& suffix, bool trailingRuns) {
    const int rows = static_cast<int>(state.range(0));
    const int cols = static_cast<int>(state.range(1));
    const QString path = largeMatrix(suffix, rows, cols, trailingRuns);
    if (path.isEmpty()) {
        state.SkipWithError("cannot write the benchmark matrix");
        return;
    }
    // The delimited text has decimal commas: Italian settings read it.
    const Regional regional{QLocale(QLocale::Italian, QLocale::Italy)};
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

void loadXlsx(benchmark::State& state) {
    load(state, QStringLiteral(".xlsx"), false);
}
void loadOds(benchmark::State& state) {
    load(state, QStringLiteral(".ods"), false);
}
void loadOdsWithTrailingRuns(benchmark::State& state) {
    load(state, QStringLiteral(".ods"), true);
}
void loadCsv(benchmark::State& state) {
    load(state, QStringLiteral(".csv"), false);
}

} // namespace

BENCHMARK(loadXlsx)->Args({20000, 100})->Unit(benchmark::kMillisecond);
BENCHMARK(loadOds)->Args({20000, 100})->Unit(benchmark::kMillisecond);
BENCHMARK(loadOdsWithTrailingRuns)->Args({20000, 100})->Unit(benchmark::kMillisecond);
BENCHMARK(loadCsv)->Args({20000, 100})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
