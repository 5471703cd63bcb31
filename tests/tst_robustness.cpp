#include "support/regioniesempio.h"
#include "support/testsupport.h"

#include "framework/frameworkcomputation.h"
#include "methods/methodcomputation.h"
#include "methods/metodi.h"
#include "record/record.h"
#include "robustness/analysisorigins.h"
#include "robustness/kendall.h"
#include "robustness/rankbins.h"
#include "robustness/rankstatistics.h"
#include "robustness/ranksummary.h"
#include "robustness/robustnessfiles.h"
#include "robustness/sensitivity.h"
#include "robustness/uncertainty.h"
#include "shared/resultnames.h"
#include "workflow/robustnessanalyses.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <numeric>

// The robustness figures: Kendall's tau, the rank summary, the order
// statistics and rank groups, the indicator sensitivity and the uncertainty over methods
// and indicator sets.
class TestRobustness : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void kendallCountsDiscordantPairs();
    void kendallRounded_data();
    void kendallRounded();
    void rankSummary();
    void orderStatistics_data();
    void orderStatistics();
    void rankBinsGroupConsecutiveRanks();
    void sensitivityEqualsRunWithoutColumn_data();
    void sensitivityEqualsRunWithoutColumn();
    void sensitivityOverStructure();
    void refusedRuns();
    void uncertaintyCrossesMethodsAndSets();
    void treatmentIsOneMoreFactor();
    void unreadableOriginsRefuseBeforeWriting();
};

namespace {

const Regional kItalian{QLocale(QLocale::Italian, QLocale::Italy)};

Rows withoutColumn(Rows rows, int column) {
    for (auto& row : rows)
        row.erase(row.begin() + column);
    return rows;
}

// Two indicators over 101 units: A has mean 0 and deviation 10, so its first
// unit has z = -10 exactly and a rescaled value of 0: MPI refuses the matrix
// of A alone, not the whole one. The negative value also makes the geometric
// mean refuse the whole matrix.
Rows mpiRefusesWithoutB() {
    Rows rows{{CellValue(QStringLiteral("Unità")), CellValue(QStringLiteral("A")),
               CellValue(QStringLiteral("B"))}};
    for (int i = 0; i < 101; ++i)
        rows.push_back({CellValue(QStringLiteral("U%1").arg(i)), CellValue(i == 0 ? -100.0 : 1.0),
                        CellValue(double(i + 1))});
    return rows;
}

} // namespace

void TestRobustness::kendallCountsDiscordantPairs() {
    QRandomGenerator random(14);
    for (int n : {0, 1, 2, 3, 17, 60}) {
        std::vector<int> a(static_cast<std::size_t>(n)), b(static_cast<std::size_t>(n));
        std::iota(a.begin(), a.end(), 1);
        std::iota(b.begin(), b.end(), 1);
        std::shuffle(a.begin(), a.end(), random);
        std::shuffle(b.begin(), b.end(), random);
        qint64 discordant = 0;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                if ((a[std::size_t(i)] < a[std::size_t(j)]) !=
                    (b[std::size_t(i)] < b[std::size_t(j)]))
                    ++discordant;
        const KendallCoefficient tau(a, b);
        QCOMPARE(tau.discordant(), discordant);
        QCOMPARE(tau.pairs(), qint64(n) * (n > 0 ? n - 1 : 0) / 2);
    }
}

void TestRobustness::kendallRounded_data() {
    QTest::addColumn<std::vector<int>>("a");
    QTest::addColumn<std::vector<int>>("b");
    QTest::addColumn<double>("rounded");
    QTest::newRow("same order") << std::vector<int>{1, 2, 3} << std::vector<int>{1, 2, 3} << 1.0;
    QTest::newRow("reversed") << std::vector<int>{1, 2, 3, 4} << std::vector<int>{4, 3, 2, 1}
                              << -1.0;
    QTest::newRow("two swaps: (6 - 4) / 6")
        << std::vector<int>{1, 2, 3, 4} << std::vector<int>{2, 1, 4, 3} << 0.3333;
    QTest::newRow("one unit") << std::vector<int>{1} << std::vector<int>{1} << std::nan("");
}

// Each coefficient rounded to four decimals, and the matrix of the methods
// holding it below the diagonal.
void TestRobustness::kendallRounded() {
    QFETCH(std::vector<int>, a);
    QFETCH(std::vector<int>, b);
    QFETCH(double, rounded);
    QCOMPARE(KendallCoefficient(a, b).rounded(), rounded);
    RankMatrix m;
    m.methods = {QStringLiteral("A"), QStringLiteral("B")};
    m.ranks = {a, b};
    const CoefficientMatrix matrix = kendallMatrix(m);
    QCOMPARE(matrix.at(1, 0), rounded);
    QCOMPARE(matrix.at(0, 0), 1.0);
    QVERIFY(std::isnan(matrix.at(0, 1)));
}

void TestRobustness::rankSummary() {
    // Four units under four methods: an even count, so medians may fall
    // between two ranks.
    RankMatrix m;
    m.corner = QStringLiteral("Regione");
    m.labels = {QStringLiteral("Alfa"), QStringLiteral("Beta"), QStringLiteral("Gamma"),
                QStringLiteral("Delta")};
    m.methods = {QStringLiteral("MPI+"), QStringLiteral("Wroclaw"), QStringLiteral("IR"),
                 QStringLiteral("GNIM")};
    m.ranks = {{1, 2, 3, 4}, {2, 1, 3, 4}, {1, 3, 2, 4}, {2, 1, 3, 4}};
    const RankSummary summary = summarizeRanks(m);
    const QStringList lines = rankSummaryTable(m, summary, kItalian).joinedRows();
    QCOMPARE(lines, QStringList({"Regione;Rango di riferimento;Rango mediano;Migliore;Peggiore;"
                                 "Intervallo;Spostamento medio",
                                 "Alfa;1;1,5;1;2;1;0,6667", "Beta;2;1,5;1;3;2;1,0000",
                                 "Gamma;3;3;2;3;1;0,3333", "Delta;4;4;4;4;0;0,0000"}));
    // Ranks whole and grouped, medians with one decimal at most.
    QCOMPARE(rankText(2384, kItalian), QStringLiteral("2.384"));
    QCOMPARE(medianRankText(2341.5, kItalian), QStringLiteral("2.341,5"));
    QCOMPARE(summary.meanShift, (2.0 / 3 + 1 + 1.0 / 3 + 0) / 4);
    QCOMPARE(summary.shareUnchanged, 0.25);

    // Three methods: an odd count takes the middle rank.
    m.ranks.pop_back();
    QCOMPARE(summarizeRanks(m).units[1].median, 2.0);
}

void TestRobustness::orderStatistics_data() {
    QTest::addColumn<std::vector<int>>("sorted");
    QTest::addColumn<double>("median");
    QTest::addColumn<int>("p5");
    QTest::addColumn<int>("p95");
    std::vector<int> twenty(20), twentyOne(21);
    std::iota(twenty.begin(), twenty.end(), 1);
    std::iota(twentyOne.begin(), twentyOne.end(), 1);
    QTest::newRow("one ranking") << std::vector<int>{7} << 7.0 << 7 << 7;
    QTest::newRow("two rankings") << std::vector<int>{3, 8} << 5.5 << 3 << 8;
    // N = 20: positions ceil(1) = 1 and ceil(19) = 19; N = 21: ceil(1.05) =
    // 2 and ceil(19.95) = 20.
    QTest::newRow("20 rankings") << twenty << 10.5 << 1 << 19;
    QTest::newRow("21 rankings") << twentyOne << 11.0 << 2 << 20;
}

void TestRobustness::orderStatistics() {
    QFETCH(std::vector<int>, sorted);
    QFETCH(double, median);
    QFETCH(int, p5);
    QFETCH(int, p95);
    QCOMPARE(sortedMedian(sorted), median);
    QCOMPARE(nearestRankPercentile(sorted, 5), p5);
    QCOMPARE(nearestRankPercentile(sorted, 95), p95);
    QCOMPARE(nearestRankPercentile(sorted, 100), sorted.back());
}

void TestRobustness::rankBinsGroupConsecutiveRanks() {
    RankMatrix m;
    m.labels = QStringList(7, QStringLiteral("U"));
    m.methods = {QStringLiteral("A"), QStringLiteral("B")};
    // By rank under A the ranks under B are 2 3 | 1 6 | 4 5 7 (three groups).
    m.ranks = {{3, 1, 2, 7, 5, 4, 6}, {1, 2, 3, 4, 5, 6, 7}};
    const auto text = [](const std::vector<RankBin>& bins) {
        QStringList parts;
        for (const RankBin& bin : bins)
            parts.append(QStringLiteral("%1-%2:%3/%4/%5")
                             .arg(bin.fromRank)
                             .arg(bin.toRank)
                             .arg(bin.median)
                             .arg(bin.p5)
                             .arg(bin.p95));
        return parts.join(u' ');
    };
    QCOMPARE(text(rankBins(m, 0, 1, 3)), QStringLiteral("1-2:2.5/2/3 3-4:3.5/1/6 5-7:5/4/7"));
    // More groups than units: one unit each, B's rank as it is.
    QCOMPARE(text(rankBins(m, 0, 1, 10)),
             QStringLiteral("1-1:2/2/2 2-2:3/3/3 3-3:1/1/1 4-4:6/6/6 5-5:5/5/5 6-6:7/7/7 "
                            "7-7:4/4/4"));
    QVERIFY(rankBins(m, 0, 2, 3).empty());
    QVERIFY(rankBins(m, 0, 1, 0).empty());
}

void TestRobustness::sensitivityEqualsRunWithoutColumn_data() {
    QTest::addColumn<int>("position");
    for (const MethodInfo& method : methodTable())
        QTest::newRow(qPrintable(method.code)) << method.position;
}

void TestRobustness::sensitivityEqualsRunWithoutColumn() {
    QFETCH(int, position);
    const Rows rows = regioniEsempio();
    const Expected<IndicatorSensitivity> run =
        indicatorSensitivity(matrixFrom(rows), MethodPosition(position), kItalian);
    QVERIFY2(run, qPrintable(failureMessage(run)));
    const IndicatorSensitivity& sensitivity = *run;
    QCOMPARE(sensitivity.shifts.size(), std::size_t(8));

    // The ranks of a run on the matrix read without the column.
    for (const int column : {-1, 1, 4, 8}) { // -1: every indicator
        const Matrix matrix = matrixFrom(column < 0 ? rows : withoutColumn(rows, column));
        const Expected<MethodOutput> output =
            computeMethod(MethodPosition(position), matrix.view());
        QVERIFY2(output, qPrintable(failureMessage(output)));
        for (int i = 0; i < 20; ++i) {
            const int rank = output->ranks[std::size_t(i)];
            const int expected =
                sensitivity.ranks[std::size_t(i)] +
                (column < 0 ? 0 : sensitivity.shifts[std::size_t(column - 1)][std::size_t(i)]);
            QCOMPARE(rank, expected);
        }
    }
    // The largest shift is the first of the largest in absolute value.
    for (int i = 0; i < 20; ++i) {
        int largest = 0;
        for (const auto& shift : sensitivity.shifts)
            largest = std::max(largest, std::abs(shift[std::size_t(i)]));
        QCOMPARE(sensitivity.largestShift(i), largest);
        const auto& causing = sensitivity.shifts[std::size_t(sensitivity.largestIndicator(i))];
        QCOMPARE(std::abs(causing[std::size_t(i)]), largest);
        for (int j = 0; j < sensitivity.largestIndicator(i); ++j)
            QVERIFY(std::abs(sensitivity.shifts[std::size_t(j)][std::size_t(i)]) < largest);
    }
}

// With a structure the ranks are the overall index's; an indicator left out
// weighs 0 as one given weight 0 in the structure does, and each group is
// left out after the indicators.
void TestRobustness::sensitivityOverStructure() {
    const Rows rows = regioniEsempio();
    const Matrix matrix = matrixFrom(rows);
    // Salute holds the first two indicators (the first weighing 2), Lavoro
    // the other six; the overall index weighs them equally.
    std::vector<QByteArray> names;
    for (std::size_t j = 1; j < rows[0].size(); ++j)
        names.push_back(kItalian.generalText(rows[0][j]).toUtf8());
    const auto structureWith = [&names, &matrix](const char* firstWeight) {
        std::vector<std::array<const char*, 3>> sheet{{names[0].constData(), "Salute", firstWeight},
                                                      {names[1].constData(), "Salute", ""}};
        for (std::size_t j = 2; j < names.size(); ++j)
            sheet.push_back({names[j].constData(), "Lavoro", ""});
        std::vector<QString> indicators(names.begin(), names.end());
        return buildStructure(structureSheetOf(sheet), indicators, kItalian);
    };
    const Expected<Structure> structure = structureWith("2");
    QVERIFY2(structure, qPrintable(failureMessage(structure)));
    const Expected<IndicatorSensitivity> run =
        indicatorSensitivity(matrix, MethodPosition::MpiPositive, kItalian, nullptr, &*structure);
    QVERIFY2(run, qPrintable(failureMessage(run)));
    QCOMPARE(run->groups, QStringList({"Salute", "Lavoro"}));
    QCOMPARE(run->shifts.size(), std::size_t(10));
    const auto ranksOfRun = [&run](std::size_t k) {
        std::vector<int> ranks = run->ranks;
        for (std::size_t i = 0; i < ranks.size(); ++i)
            ranks[i] += run->shifts[k][i];
        return ranks;
    };
    const Expected<FrameworkRun> whole =
        computeFramework(MethodPosition::MpiPositive, matrix, *structure);
    QVERIFY(whole);
    QCOMPARE(run->ranks, whole->overall().ranks);
    const Expected<Structure> firstAtZero = structureWith("0");
    QVERIFY(firstAtZero);
    QCOMPARE(ranksOfRun(0),
             computeFramework(MethodPosition::MpiPositive, matrix, *firstAtZero)->overall().ranks);
    // Without Salute the overall index ranks as Lavoro alone.
    QCOMPARE(ranksOfRun(8), whole->groups[std::size_t(structure->groups[1])].ranks);
    const QStringList lines = sensitivityTable(*run).joinedRows();
    QVERIFY2(lines[0].endsWith(";Salute;Lavoro;Spostamento massimo;Indicatore"),
             qPrintable(lines[0]));
    // A unit with Salute's indicators alone has no overall index without
    // Salute: no shift there, and none taken as its largest.
    Matrix gappy = matrix;
    const auto n = std::size_t(gappy.unitCount());
    gappy.missing.assign(gappy.values.size(), 0);
    for (std::size_t j = 2; j < names.size(); ++j)
        gappy.missing[j * n] = kMissingEmpty;
    const Expected<IndicatorSensitivity> partial =
        indicatorSensitivity(gappy, MethodPosition::MpiPositive, kItalian, nullptr, &*structure);
    QVERIFY2(partial, qPrintable(failureMessage(partial)));
    QCOMPARE(partial->shifts[8][0], IndicatorSensitivity::kNoShift);
    QVERIFY(partial->shifts[9][0] != IndicatorSensitivity::kNoShift);
    QVERIFY(partial->largestIndicator(0) != 8);
    QCOMPARE(sensitivityTable(*partial).joinedRows()[1].split(u';')[10], QString());
}

void TestRobustness::refusedRuns() {
    const Matrix matrix = matrixFrom(mpiRefusesWithoutB());
    const Expected<IndicatorSensitivity> sensitivityRun =
        indicatorSensitivity(matrix, MethodPosition::MpiPositive, kItalian);
    QVERIFY2(sensitivityRun, qPrintable(failureMessage(sensitivityRun)));
    const IndicatorSensitivity& sensitivity = *sensitivityRun;
    QVERIFY(!sensitivity.shifts[0].empty()); // without A
    QVERIFY(sensitivity.shifts[1].empty());  // without B: refused
    QVERIFY(sensitivity.refusals[1].contains(QStringLiteral("media nulla")));
    const QStringList lines = sensitivityTable(sensitivity).joinedRows();
    QCOMPARE(lines.size(), 102);
    QCOMPARE(lines[0], QStringLiteral("Unità;Rango;A;B;Spostamento massimo;Indicatore"));
    QVERIFY2(lines[1].endsWith(QStringLiteral(";;") + QString::number(sensitivity.largestShift(0)) +
                               QStringLiteral(";A")),
             qPrintable(lines[1]));

    const Expected<RankUncertainty> uncertaintyRun =
        rankUncertainty(matrix,
                        {MethodPosition::IndexNumbersGeometric, MethodPosition::MpiPositive,
                         MethodPosition::Wroclaw},
                        kItalian);
    QVERIFY2(uncertaintyRun, qPrintable(failureMessage(uncertaintyRun)));
    const RankUncertainty& uncertainty = *uncertaintyRun;
    QCOMPARE(uncertainty.codes, QStringList({"MPI+", "WROC"}));
    QCOMPARE(uncertainty.leftOut.size(), 1);
    QVERIFY(uncertainty.leftOut[0].startsWith(QStringLiteral("M0NI: GNIM")));
    QCOMPARE(uncertainty.refusedRuns.size(), 1);
    QVERIFY(uncertainty.refusedRuns[0].startsWith(QStringLiteral("MPI+ senza B: ")));
    QCOMPARE(uncertainty.rankings, 5); // 2 methods x 3 sets, one refused
    QCOMPARE(uncertainty.units[5].reference, sensitivity.ranks[5]);

    // One indicator cannot be analysed.
    const Rows one = withoutColumn(mpiRefusesWithoutB(), 2);
    const Matrix single = matrixFrom(one);
    const Expected<IndicatorSensitivity> refused =
        indicatorSensitivity(single, MethodPosition::Wroclaw, kItalian);
    QVERIFY(!refused);
    QVERIFY(refused.error().message.contains(QStringLiteral("un solo indicatore")));
    QVERIFY(!rankUncertainty(single, {MethodPosition::Wroclaw}, kItalian));
}

void TestRobustness::uncertaintyCrossesMethodsAndSets() {
    // The 2 x 9 rankings of two methods are the sensitivity runs of both:
    // rebuild each unit's figures from those.
    const Matrix matrix = matrixFrom(regioniEsempio());
    const MethodPosition wroc = MethodPosition::Wroclaw;
    const MethodPosition grad = MethodPosition::Ranks;
    const Expected<RankUncertainty> uncertaintyRun =
        rankUncertainty(matrix, {wroc, grad}, kItalian);
    QVERIFY2(uncertaintyRun, qPrintable(failureMessage(uncertaintyRun)));
    const RankUncertainty& uncertainty = *uncertaintyRun;
    QCOMPARE(uncertainty.rankings, 18);
    const IndicatorSensitivity a = *indicatorSensitivity(matrix, wroc, kItalian);
    const IndicatorSensitivity b = *indicatorSensitivity(matrix, grad, kItalian);
    for (int i = 0; i < 20; ++i) {
        std::vector<int> ranks;
        for (const IndicatorSensitivity* run : {&a, &b}) {
            ranks.push_back(run->ranks[std::size_t(i)]);
            for (const auto& shift : run->shifts)
                ranks.push_back(run->ranks[std::size_t(i)] + shift[std::size_t(i)]);
        }
        std::sort(ranks.begin(), ranks.end());
        const UnitUncertainty& unit = uncertainty.units[std::size_t(i)];
        QCOMPARE(unit.reference, a.ranks[std::size_t(i)]);
        QCOMPARE(unit.median, (ranks[8] + ranks[9]) / 2.0);
        QCOMPARE(unit.p5, ranks[0]);   // ceil(0.9) = 1
        QCOMPARE(unit.p95, ranks[17]); // ceil(17.1) = 18
        QCOMPARE(unit.best, ranks.front());
        QCOMPARE(unit.worst, ranks.back());
    }
    const QStringList lines = uncertaintyTable(uncertainty, kItalian).joinedRows();
    QCOMPARE(lines[0], QStringLiteral("Regione;Rango di riferimento;Mediana;5° percentile;"
                                      "95° percentile;Migliore;Peggiore"));
    QCOMPARE(lines.size(), 21);
}

// The record of the workbook's outputs is read before the work:
// one that is no regular file, or too large to be the program's, refuses
// the analysis at once, naming it, and the analysis file stays as it was.
void TestRobustness::unreadableOriginsRefuseBeforeWriting() {
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("regioni.xlsx"));
    const QString record = recordPath(workbook);
    const QString analysis = sensitivityFile(workbook, QStringLiteral("MPI+"));
    QVERIFY(writeFileBytes(analysis, "earlier"));
    const auto matrix = std::make_shared<const Matrix>(matrixFrom(regioniEsempio()));
    auto refusal = std::make_shared<QString>();
    for (int kind = 0; kind < 3; ++kind) {
        if (kind < 2)
            QVERIFY(makeSpecialFile(record, SpecialFile(kind)));
        else
            QVERIFY(QFile::remove(record) &&
                    writeFileBytes(record, QByteArray(kMaxRecordBytes + 1, ' ')));
        QVERIFY(finishesWithin(10000, [workbook, matrix, refusal] {
            const Expected<SensitivityRun> run = analyseSensitivity(
                workbookBasis(workbook), *matrix, MethodPosition::MpiPositive, kItalian);
            *refusal = run ? QString() : run.error().message;
        }));
        QVERIFY2(refusal->startsWith("Il file " + record + " non può essere letto: ") &&
                     refusal->endsWith(kind < 2 ? "un socket)." : "che può occupare."),
                 qPrintable(*refusal));
        QCOMPARE(fileContents(analysis), QByteArray("earlier"));
    }
}

QTEST_GUILESS_MAIN(TestRobustness)
// With a treated matrix every run is made twice: the rankings double, the
// reference stays the first method's on the matrix as given, and runs on
// the same matrix twice leave every unit's figures as they were.
void TestRobustness::treatmentIsOneMoreFactor() {
    const Matrix matrix = matrixFrom(regioniEsempio());
    const std::vector<MethodPosition> methods{MethodPosition::Wroclaw, MethodPosition::Ranks};
    const Expected<RankUncertainty> plain = rankUncertainty(matrix, methods, kItalian);
    QVERIFY(plain);
    const Expected<RankUncertainty> twice =
        rankUncertainty(matrix, methods, kItalian, nullptr, &matrix);
    QVERIFY(twice);
    QCOMPARE(twice->rankings, 2 * plain->rankings);
    for (std::size_t i = 0; i < plain->units.size(); ++i) {
        QCOMPARE(twice->units[i].median, plain->units[i].median);
        QCOMPARE(twice->units[i].p5, plain->units[i].p5);
        QCOMPARE(twice->units[i].worst, plain->units[i].worst);
    }

    Matrix reversed = matrix;
    for (char& negative : reversed.negative)
        negative = !negative;
    const Expected<RankUncertainty> crossed =
        rankUncertainty(matrix, methods, kItalian, nullptr, &reversed);
    QVERIFY(crossed);
    QCOMPARE(crossed->rankings, 2 * plain->rankings);
    for (std::size_t i = 0; i < plain->units.size(); ++i)
        QCOMPARE(crossed->units[i].reference, plain->units[i].reference);
    QVERIFY(crossed->units[0].best != plain->units[0].best ||
            crossed->units[0].worst != plain->units[0].worst);
}

#include "tst_robustness.moc"
