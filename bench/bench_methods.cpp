// The nine methods over a 20,000 x 100 matrix: with their result files, one
// after the other and as runAll pipelines them (each method's files written
// while the next computes), the numbers alone, and the method of rankings
// alone with its files.
#include "methods/methodcomputation.h"
#include "methods/metodi.h"
#include "workflow/processing.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int kUnits = 20000;
constexpr int kIndicators = 100;

// Values drawn unit by unit, as the sheet holds them; every third indicator
// of negative polarity.
Matrix largeMatrix() {
    Matrix matrix = Matrix::ofSize(kUnits, kIndicators);
    matrix.corner = CellValue(QStringLiteral("Comune"));
    for (int j = 0; j < kIndicators; ++j) {
        const int column = j + 2;
        const bool negative = column % 3 == 0;
        matrix.indicators[std::size_t(j)] = CellValue(
            (negative ? QStringLiteral("ind") : QStringLiteral("Ind")) + QString::number(column));
        matrix.negative[std::size_t(j)] = negative;
    }
    std::mt19937 random(42);
    std::uniform_real_distribution<double> value(1.0, 1000.0);
    for (int i = 0; i < kUnits; ++i) {
        matrix.units[std::size_t(i)] = CellValue(QStringLiteral("Comune %1").arg(i + 1));
        for (int j = 0; j < kIndicators; ++j)
            matrix.value(i, j) = value(random);
    }
    return matrix;
}

std::vector<MethodPosition> allMethods() {
    std::vector<MethodPosition> positions;
    for (const MethodInfo& method : methodTable())
        positions.push_back(MethodPosition(method.position));
    return positions;
}

// The processing of the large matrix as the workbook grande.xlsx in folder.
std::unique_ptr<Processing> largeProcessing(const QString& folder) {
    auto processing =
        std::make_unique<Processing>(Regional(QLocale(QLocale::Italian, QLocale::Italy)));
    processing->setMatrix(folder + QStringLiteral("/grande.xlsx"), largeMatrix());
    return processing;
}

void BM_NineMethods(benchmark::State& state) {
    QTemporaryDir dir;
    const auto processing = largeProcessing(dir.path());
    for (auto _ : state)
        for (const MethodPosition position : allMethods())
            if (!processing->run(position))
                state.SkipWithError("method failed");
}
BENCHMARK(BM_NineMethods)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_NineMethodsPipelined(benchmark::State& state) {
    QTemporaryDir dir;
    const auto processing = largeProcessing(dir.path());
    bool failed = false;
    const Processing::Report report =
        [&failed](MethodPosition, const Expected<std::shared_ptr<const MethodRun>>& run) {
            failed = failed || !run;
        };
    for (auto _ : state)
        if (!processing->runAll(allMethods(), report) || failed)
            state.SkipWithError("method failed");
}
BENCHMARK(BM_NineMethodsPipelined)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_NineMethodsComputed(benchmark::State& state) {
    const Matrix matrix = largeMatrix();
    for (auto _ : state)
        for (const MethodPosition position : allMethods()) {
            const Expected<MethodOutput> output = computeMethod(position, matrix.view());
            if (!output)
                state.SkipWithError("method failed");
            benchmark::DoNotOptimize(output);
        }
}
BENCHMARK(BM_NineMethodsComputed)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_MethodOfRankings(benchmark::State& state) {
    QTemporaryDir dir;
    const auto processing = largeProcessing(dir.path());
    for (auto _ : state)
        if (!processing->run(MethodPosition::Ranks))
            state.SkipWithError("method failed");
}
BENCHMARK(BM_MethodOfRankings)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
