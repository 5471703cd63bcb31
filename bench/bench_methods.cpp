// The nine methods with their result files over a loaded 20,000 x 100
// matrix, and the method of rankings alone.
#include "methods/methodrunner.h"
#include "methods/metodi.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr int kUnits = 20000;
constexpr int kIndicators = 100;

SharedState largeMatrix(const QString& folder) {
    SharedState s;
    s.strCartella = folder;
    s.strMatrice = folder + QStringLiteral("/grande.xlsx");
    s.nRighe = kUnits + 1;
    s.nColonne = kIndicators + 1;
    s.dimensionTables();
    std::mt19937 random(42);
    std::uniform_real_distribution<double> value(1.0, 1000.0);
    s.matDati.header(1) = CellValue(QStringLiteral("Comune"));
    for (int c = 2; c <= s.nColonne; ++c)
        s.matDati.header(c) = CellValue(
            (c % 3 == 0 ? QStringLiteral("ind") : QStringLiteral("Ind")) + QString::number(c));
    for (int r = 2; r <= s.nRighe; ++r) {
        s.matDati.label(r) = CellValue(QStringLiteral("Comune %1").arg(r - 1));
        for (int c = 2; c <= s.nColonne; ++c)
            s.matDati(r, c) = value(random);
    }
    return s;
}

void BM_NineMethods(benchmark::State& state) {
    QTemporaryDir dir;
    SharedState s = largeMatrix(dir.path());
    const Regional regional{QLocale(QLocale::Italian, QLocale::Italy)};
    MethodRunner runner;
    for (auto _ : state) {
        for (const auto& method : methodTable()) {
            const MethodRunResult result =
                runner.run(s, method.position, method.entryText, regional);
            if (!result.done())
                state.SkipWithError("method failed");
        }
    }
}
BENCHMARK(BM_NineMethods)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_MethodOfRankings(benchmark::State& state) {
    QTemporaryDir dir;
    SharedState s = largeMatrix(dir.path());
    const Regional regional{QLocale(QLocale::Italian, QLocale::Italy)};
    MethodRunner runner;
    const auto& method = methodTable()[4];
    for (auto _ : state) {
        if (!runner.run(s, method.position, method.entryText, regional).done())
            state.SkipWithError("method failed");
    }
}
BENCHMARK(BM_MethodOfRankings)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
