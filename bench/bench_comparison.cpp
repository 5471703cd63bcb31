// The comparison of all nine methods over 20,000 units: the result files are
// read, checked and put side by side, the cograduation matrix computed and
// both comparison files written. Target: under 0.3 s.
#include "comparison/comparison.h"
#include "comparison/comparisonfiles.h"
#include "comparison/resultfilelisting.h"
#include "methods/metodi.h"
#include "methods/ranking.h"
#include "shared/regional.h"
#include "shared/textfile.h"
#include "workflow/comparisonrun.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <random>
#include <vector>

namespace {

constexpr int kUnits = 20000;

const Regional& italian() {
    static const Regional regional{QLocale(QLocale::Italian, QLocale::Italy)};
    return regional;
}

// A folder holding the workbook's nine pairs of result files, written once.
class ResultFolder {
public:
    ResultFolder() {
        if (!m_dir.isValid())
            std::abort();
        std::mt19937 random(20240601);
        std::uniform_real_distribution<double> value(-1500.0, 1500.0);
        QStringList labels;
        for (int u = 1; u <= kUnits; ++u)
            labels.append(QStringLiteral("Unità statistica %1").arg(u, 5, 10, QChar(u'0')));
        for (const MethodInfo& method : methodTable()) {
            // The ranks the method gives its values, as a run writes them:
            // the comparison refuses any others.
            std::vector<double> values(kUnits);
            for (double& v : values)
                v = value(random);
            const std::vector<int> ranks = rankIndex(values, method.ascending);
            QStringList valueLines{QStringLiteral("Comune;") + method.indexHeader};
            QStringList rankLines{QStringLiteral("Comune;") + method.indexHeader};
            for (int u = 0; u < kUnits; ++u) {
                valueLines.append(labels[u] + u';' + italian().indexText(values[std::size_t(u)]));
                rankLines.append(labels[u] + u';' + QString::number(ranks[std::size_t(u)]));
            }
            const QString base = strMatrice() + QStringLiteral(".out") + method.code;
            if (!writeTextFile(base + QStringLiteral(".csv"), valueLines) ||
                !writeTextFile(base + QStringLiteral(".rnk"), rankLines))
                std::abort();
        }
    }

    QString strMatrice() const { return m_dir.filePath(QStringLiteral("comuni.xlsx")); }
    QString strCartella() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

const ResultFolder& folder() {
    static const ResultFolder instance;
    return instance;
}

// What the comparison window does on "Valutazione Metodi" with all nine
// methods selected.
void BM_CompareNineMethods(benchmark::State& state) {
    const ResultFolder& files = folder();
    for (auto _ : state) {
        const QStringList entries = valuesResultFiles(files.strMatrice());
        const Expected<ComparisonRun> run = compareAndSave(files.strMatrice(), entries, italian());
        if (!run || entries.size() != 9)
            state.SkipWithError("comparison refused");
        else if (!run->saved)
            state.SkipWithError("comparison files not written");
        else
            benchmark::DoNotOptimize(run->comparison.cograduation.size());
    }
}
BENCHMARK(BM_CompareNineMethods)->Unit(benchmark::kMillisecond);

// The comparison alone, without writing the files.
void BM_CompareNineMethodsNoWrite(benchmark::State& state) {
    const ResultFolder& files = folder();
    const QStringList entries = valuesResultFiles(files.strMatrice());
    for (auto _ : state) {
        const Expected<ComparisonResult> result =
            compareMethods(files.strCartella(), entries, italian());
        benchmark::DoNotOptimize(result.has_value());
    }
}
BENCHMARK(BM_CompareNineMethodsNoWrite)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
