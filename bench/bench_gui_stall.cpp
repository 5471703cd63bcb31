// Whether the windows keep answering on a 20,000 x 100 matrix
// (ORVALTA_BENCH_UNITS sets another number of units): the processing window
// opens on the .xlsx workbook through the real loader, runs the automatic
// processing, and the comparison window compares the nine methods. Each
// step reports its time and the longest time the event loop went without
// processing events (stall_ms); then the robustness window opens on the
// comparison, computes the sensitivity of the first method and the
// uncertainty over the nine, and draws its charts. The last line printed is
// the longest stall over all the steps. Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include "guisupport/benchwindows.h"
#include "guisupport/stallmeter.h"
#include "support/largexlsx.h"
#include "ui/comparison/valutamp.h"
#include "ui/processing/indicemp.h"
#include "ui/robustness/robustnesswindow.h"
#include "workflow/processing.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kIndicators = 100;

double longestStall = 0;

// Runs step with the stall meter on; records its time and stall.
template <typename Step> void measure(benchmark::State& state, const char* name, Step step) {
    StallMeter meter;
    QElapsedTimer clock;
    meter.start();
    clock.start();
    const bool ok = step();
    QCoreApplication::processEvents();
    meter.stop();
    state.counters[std::string(name) + "_ms"] = double(clock.elapsed());
    state.counters[std::string(name) + "_stall_ms"] = meter.longestMs();
    longestStall = std::max(longestStall, meter.longestMs());
    if (!ok)
        state.SkipWithError(name);
}

void BM_WindowsStayAnswering(benchmark::State& state) {
    QTemporaryDir dir;
    SharedState shared;
    shared.strCartella = dir.path();
    shared.strMatrice = dir.filePath(QStringLiteral("grande.xlsx"));
    QFile::copy(largeXlsx(benchUnits(), kIndicators), shared.strMatrice);
    SilentDialogs dialogs;
    const Regional regional{QLocale(QLocale::Italian, QLocale::Italy)};

    for (auto _ : state) {
        // The matrix the processing window loads, which the robustness
        // window's analyses read, as the main window shares it.
        const auto loaded = std::make_shared<Processing>(regional);
        IndiceMP processing{shared, loaded, dialogs, regional};
        processing.resize(1280, 800);
        processing.show();
        QCoreApplication::processEvents();
        measure(state, "open", [&] { return processing.load(); });
        measure(state, "automatic", [&] {
            processing.cmdSelect_Click();
            return dialogs.messages == 0;
        });
        processing.hide();

        ValutaMP comparison{shared, loaded, dialogs, regional};
        comparison.resize(1280, 800);
        comparison.load();
        comparison.show();
        while (comparison.lstMetodi()->count() > 0) {
            comparison.lstMetodi()->setCurrentRow(0);
            comparison.lstMetodi_DblClick();
        }
        QCoreApplication::processEvents();
        measure(state, "compare",
                [&] { return comparison.cmdSelect_Click() == ValutaMP::RunOutcome::Saved; });

        RobustnessWindow* robustness = nullptr;
        measure(state, "robustness", [&] {
            robustness = comparison.openRobustness();
            return robustness != nullptr;
        });
        if (!robustness)
            continue;
        robustness->resize(1280, 800);
        measure(state, "sensitivity", [&] {
            return robustness->computeSensitivity() == RobustnessWindow::Outcome::Saved;
        });
        measure(state, "uncertainty", [&] {
            return robustness->computeUncertainty() == RobustnessWindow::Outcome::Saved;
        });
        measure(state, "charts", [&] {
            QTabWidget* pages = robustness->pages().pages;
            pages->setCurrentIndex(pages->count() - 1);
            robustness->updateCharts();
            return dialogs.messages == 0;
        });
    }
}
BENCHMARK(BM_WindowsStayAnswering)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    const int status = runWindowBenchmarks(argc, argv);
    std::printf("longest stall: %.0f ms\n", longestStall);
    return status;
}
