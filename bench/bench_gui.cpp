// The processing window over a 20,000 x 100 matrix (ORVALTA_BENCH_UNITS
// sets another number of units): opening it until the data grid is painted
// (from a prepared matrix, and from the .xlsx file through the real loader),
// one method chosen until both grids are painted, the automatic processing,
// the column autosizing of the data grid (with, for comparison, every
// text measured one by one), a grid shown with and without its sorting view,
// and a sort by a header click. Runs offscreen unless QT_QPA_PLATFORM says
// otherwise.
#include "guisupport/benchwindows.h"
#include "methods/metodi.h"
#include "support/largexlsx.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/grid/tablemodel.h"
#include "ui/processing/indicemp.h"
#include "workflow/processing.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

constexpr int kIndicators = 100;

// A matrix as a loader leaves it: labels, names of both polarities, values
// from hundredths to hundreds of thousands.
Matrix largeMatrix() {
    Matrix matrix = Matrix::ofSize(benchUnits(), kIndicators);
    std::mt19937 random(42);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    matrix.corner = CellValue(QStringLiteral("Comune"));
    for (int j = 0; j < kIndicators; ++j) {
        matrix.indicators[std::size_t(j)] =
            CellValue((j % 3 == 1 ? QStringLiteral("indicatore ") : QStringLiteral("Indicatore ")) +
                      QString::number(j + 1));
        matrix.negative[std::size_t(j)] = j % 3 == 1;
    }
    for (int i = 0; i < matrix.unitCount(); ++i) {
        matrix.units[std::size_t(i)] = CellValue(QStringLiteral("Comune %1").arg(i + 1));
        for (int j = 0; j < kIndicators; ++j)
            matrix.value(i, j) = mantissa(random) * std::pow(10.0, ((j + 2) % 7) - 2);
    }
    return matrix;
}

struct Fixture {
    QTemporaryDir dir;
    Matrix prepared = largeMatrix();
    SharedState state;
    SilentDialogs dialogs;
    Regional regional{QLocale(QLocale::Italian, QLocale::Italy)};
    IndiceMP window{
        state,
        std::make_shared<Processing>(
            regional,
            [this](const QString&, WorkProgress*) -> Expected<Matrix> { return prepared; }),
        dialogs, regional};

    Fixture() {
        state.strCartella = dir.path();
        state.strMatrice = dir.filePath(QStringLiteral("grande.xlsx"));
        window.resize(1280, 800);
    }
    void open() {
        window.load();
        window.show();
        QCoreApplication::processEvents();
    }
    void choose(int position) {
        auto* combo = window.findChild<QComboBox*>(QStringLiteral("cmbMetodo"));
        combo->setCurrentIndex(position);
        Q_EMIT combo->activated(position);
        QCoreApplication::processEvents();
    }
};

void BM_OpenProcessingWindow(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        f.open();
        state.PauseTiming();
        f.window.hide();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenProcessingWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same from the workbook file through the real loader: reading the
// .xlsx, checking it and showing the data grid.
void BM_OpenProcessingWindowFromWorkbook(benchmark::State& state) {
    SharedState shared;
    shared.strMatrice = largeXlsx(benchUnits(), kIndicators);
    SilentDialogs dialogs;
    const Regional regional{QLocale(QLocale::Italian, QLocale::Italy)};
    IndiceMP window{shared, std::make_shared<Processing>(regional), dialogs, regional};
    window.resize(1280, 800);
    for (auto _ : state) {
        if (!window.load())
            state.SkipWithError("the workbook could not be loaded");
        window.show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        window.hide();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenProcessingWindowFromWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ChooseMethod(benchmark::State& state) {
    Fixture f;
    f.open();
    for (auto _ : state)
        f.choose(static_cast<int>(state.range(0)));
}
BENCHMARK(BM_ChooseMethod)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(8);

void BM_AutomaticProcessing(benchmark::State& state) {
    Fixture f;
    f.open();
    for (auto _ : state) {
        f.window.cmdSelect_Click();
        QCoreApplication::processEvents();
    }
    if (f.dialogs.messages != 0)
        state.SkipWithError("a method did not run");
}
BENCHMARK(BM_AutomaticProcessing)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AutosizeDataGrid(benchmark::State& state) {
    Fixture f;
    f.open();
    for (auto _ : state)
        FG_AutosizeCols(*f.window.msfMatrice(), -1, -1, false);
}
BENCHMARK(BM_AutosizeDataGrid)->Unit(benchmark::kMillisecond)->Iterations(10);

// The same widths with every text formatted and measured: what the shapes
// save.
void BM_AutosizeEveryTextMeasured(benchmark::State& state) {
    Fixture f;
    f.open();
    GridView& grid = *f.window.msfMatrice();
    const GridModel& model = *grid.gridModel();
    const QFontMetricsF metrics(grid.font());
    for (auto _ : state) {
        for (int c = 0; c < model.gridColumnCount(); ++c) {
            qreal widest = 0;
            for (int r = 0; r < model.gridRowCount(); ++r)
                widest = std::max(widest,
                                  std::nearbyint(metrics.horizontalAdvance(model.gridText(r, c))));
            grid.setGridColumnWidth(
                c, static_cast<int>(std::nearbyint(metrics.horizontalAdvance(u'W') + widest)));
        }
    }
}
BENCHMARK(BM_AutosizeEveryTextMeasured)->Unit(benchmark::kMillisecond)->Iterations(1);

// A grid over the source matrix, from an empty model until painted: as
// plain, and sortable (the sorting view between grid and model).
void BM_ShowDataGrid(benchmark::State& state) {
    Fixture f;
    f.open();
    f.window.hide();
    for (auto _ : state) {
        TableModel model(f.regional, TableModel::Format::Fixed4);
        GridView grid;
        grid.setGridModel(&model);
        if (state.range(0) != 0)
            grid.enableSorting();
        grid.resize(1280, 800);
        model.setTable(&f.state.matDati, f.state.nRighe, f.state.nColonne);
        grid.show();
        grid.repaint();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ShowDataGrid)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

// A click on a header of the data grid until repainted: every unit sorted
// by an indicator.
void BM_SortDataGrid(benchmark::State& state) {
    Fixture f;
    f.open();
    GridView& grid = *f.window.msfMatrice();
    for (auto _ : state) {
        grid.sortByColumn(7, Qt::DescendingOrder);
        grid.repaint();
        state.PauseTiming();
        grid.sortByColumn(-1, Qt::AscendingOrder);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SortDataGrid)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv);
}
