// The same large source matrix from each format: the reader alone, then
// loaded through carica_matrice (reading, validation, statistics for the
// constant-indicator check): .xlsx, .ods as LibreOffice writes it (with and
// without the empty runs to the sheet's last row and column) and delimited
// text.
#include "support/largematrix.h"
#include "support/loadmatrix.h"
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
    loadMatrixRepeatedly(state, path, regional, rows, cols);
}

// The reader alone: the file read into its cells, without the loader.
void read(benchmark::State& state, const QString& suffix, bool trailingRuns) {
    const int rows = static_cast<int>(state.range(0));
    const int cols = static_cast<int>(state.range(1));
    const QString path = largeMatrix(suffix, rows, cols, trailingRuns);
    if (path.isEmpty()) {
        state.SkipWithError("cannot write the benchmark matrix");
        return;
    }
    const Regional regional{QLocale(QLocale::Italian, QLocale::Italy)};
    for (auto _ : state) {
        const auto reader = openWorkbook(path, regional);
        if (!reader) {
            state.SkipWithError(qPrintable(reader.error().message));
            return;
        }
        benchmark::DoNotOptimize((*reader)->cell(rows + 1, cols + 1));
    }
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

void readXlsx(benchmark::State& state) {
    read(state, QStringLiteral(".xlsx"), false);
}
void readOds(benchmark::State& state) {
    read(state, QStringLiteral(".ods"), false);
}
void readOdsWithTrailingRuns(benchmark::State& state) {
    read(state, QStringLiteral(".ods"), true);
}
void readCsv(benchmark::State& state) {
    read(state, QStringLiteral(".csv"), false);
}

} // namespace

BENCHMARK(readXlsx)->Args({20000, 100})->Unit(benchmark::kMillisecond);
BENCHMARK(readOds)->Args({20000, 100})->Unit(benchmark::kMillisecond);
BENCHMARK(readOdsWithTrailingRuns)->Args({20000, 100})->Unit(benchmark::kMillisecond);
BENCHMARK(readCsv)->Args({20000, 100})->Unit(benchmark::kMillisecond);
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
