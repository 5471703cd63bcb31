// Loading a large .xls source matrix: the workbook read (OLE2 stream, BIFF8
// records, shared strings) and carica_matrice's count, copy and checks.
#include "support/largexlsworkbook.h"
#include "workbook/caricamatrice.h"
#include "workbook/xls/xlsreader.h"

#include <benchmark/benchmark.h>

namespace {

void BM_XlsOpen(benchmark::State& state) {
    const QString path = largeXlsWorkbook();
    if (path.isEmpty()) {
        state.SkipWithError("no large workbook: set ORVALTA_BENCH_XLS or install python3-xlwt");
        return;
    }
    for (auto _ : state) {
        XlsReader reader;
        if (const Status opened = reader.open(path); !opened) {
            state.SkipWithError(qPrintable(opened.error().message));
            return;
        }
        benchmark::DoNotOptimize(reader.cell(2, 2));
    }
}

void BM_XlsCaricaMatrice(benchmark::State& state) {
    const QString path = largeXlsWorkbook();
    if (path.isEmpty()) {
        state.SkipWithError("no large workbook: set ORVALTA_BENCH_XLS or install python3-xlwt");
        return;
    }
    const Regional regional{QLocale::c()};
    qint64 cells = 0;
    for (auto _ : state) {
        const Expected<Matrix> matrix = carica_matrice(path, regional);
        if (!matrix) {
            state.SkipWithError(qPrintable(matrix.error().message));
            return;
        }
        // The block read, header row and label column included.
        cells += qint64(matrix->unitCount() + 1) * (matrix->indicatorCount() + 1);
        benchmark::DoNotOptimize(matrix->value(0, 0));
    }
    state.SetItemsProcessed(cells);
}

} // namespace

BENCHMARK(BM_XlsOpen)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_XlsCaricaMatrice)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_MAIN();
