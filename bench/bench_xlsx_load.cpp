// Opening a large .xlsx source matrix and loading it through carica_matrice
// (reading, validation, statistics for the constant-indicator check).
#include "support/largexlsx.h"
#include "support/loadmatrix.h"
#include "workbook/caricamatrice.h"
#include "workbook/xlsx/xlsxreader.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

namespace {

void loadMatrix(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const int cols = static_cast<int>(state.range(1));
    const QString path = largeXlsx(rows, cols);
    if (path.isEmpty()) {
        state.SkipWithError("cannot write the benchmark workbook");
        return;
    }
    const Regional regional{QLocale::c()};
    loadMatrixRepeatedly(state, path, regional, rows, cols);
}

// The reader alone: inflating and parsing the parts into the sparse sheet.
void readSheet(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const int cols = static_cast<int>(state.range(1));
    const QString path = largeXlsx(rows, cols);
    if (path.isEmpty()) {
        state.SkipWithError("cannot write the benchmark workbook");
        return;
    }
    for (auto _ : state) {
        XlsxReader reader;
        if (const Status opened = reader.open(path); !opened) {
            state.SkipWithError(qPrintable(opened.error().message));
            return;
        }
        benchmark::DoNotOptimize(reader.cell(rows + 1, cols + 1));
    }
}

} // namespace

BENCHMARK(loadMatrix)->Args({2000, 100})->Args({20000, 100})->Unit(benchmark::kMillisecond);
BENCHMARK(readSheet)->Args({20000, 100})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
