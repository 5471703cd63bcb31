// The comparison window over the result files of all nine methods on 20,000
// units (ORVALTA_BENCH_UNITS sets another number): "Valutazione Metodi" until
// the grids are painted (files read and checked, grids filled, cograduation
// matrix, comparison files written, values grid autosized), and the
// autosizing of the values grid alone. Runs offscreen unless QT_QPA_PLATFORM
// says otherwise.
#include "guisupport/benchwindows.h"
#include "methods/metodi.h"
#include "ui/comparison/valutamp.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "workflow/processing.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <random>

namespace {

constexpr int kIndicators = 12;

// A folder with the nine pairs of result files of a random matrix, written
// by the methods themselves.
struct Fixture {
    QTemporaryDir dir;
    SharedState state;
    SilentDialogs dialogs;
    Regional regional{QLocale(QLocale::Italian, QLocale::Italy)};
    ValutaMP window{state, nullptr, dialogs, regional};

    Fixture() {
        state.strCartella = dir.path();
        state.strMatrice = dir.filePath(QStringLiteral("comuni.xlsx"));
        Matrix matrix = Matrix::ofSize(benchUnits(), kIndicators);
        std::mt19937 random(7);
        std::uniform_real_distribution<double> value(1.0, 100.0);
        matrix.corner = CellValue(QStringLiteral("Comune"));
        for (int j = 0; j < kIndicators; ++j) {
            matrix.indicators[std::size_t(j)] =
                CellValue((j % 2 ? QStringLiteral("indicatore ") : QStringLiteral("Indicatore ")) +
                          QString::number(j + 1));
            matrix.negative[std::size_t(j)] = j % 2 == 1;
        }
        for (int i = 0; i < matrix.unitCount(); ++i) {
            matrix.units[std::size_t(i)] = CellValue(QStringLiteral("Comune %1").arg(i + 1));
            for (int j = 0; j < kIndicators; ++j)
                matrix.value(i, j) = value(random);
        }
        Processing processing(regional);
        processing.setMatrix(state.strMatrice, std::move(matrix));
        for (const MethodInfo& method : methodTable())
            if (!processing.run(MethodPosition(method.position)))
                std::abort();
        window.resize(1280, 800);
    }

    // Opens the window and selects every method.
    void open() {
        window.load();
        window.show();
        while (window.lstMetodi()->count() > 0) {
            window.lstMetodi()->setCurrentRow(0);
            window.lstMetodi_DblClick();
        }
        QCoreApplication::processEvents();
    }
};

void BM_CompareNineMethods(benchmark::State& state) {
    Fixture f;
    f.open();
    for (auto _ : state) {
        if (f.window.cmdSelect_Click() != ValutaMP::RunOutcome::Saved)
            state.SkipWithError("comparison not saved");
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_CompareNineMethods)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_AutosizeValuesGrid(benchmark::State& state) {
    Fixture f;
    f.open();
    f.window.cmdSelect_Click();
    for (auto _ : state)
        FG_AutosizeCols(*f.window.msfRisultati(), -1, -1, false);
}
BENCHMARK(BM_AutosizeValuesGrid)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv);
}
