#include "composite/compositecomputation.h"
#include "framework/frameworkcomputation.h"
#include "methods/methodcomputation.h"
#include "methods/ranking.h"
#include "robustness/montecarlo.h"
#include "robustness/montecarlotables.h"
#include "robustness/randomstreams.h"
#include "robustness/sobolindices.h"
#include "support/testsupport.h"
#include "workflow/montecarlorun.h"

#include <QTemporaryDir>

#include <QtTest>

#include <functional>

namespace {

using Model = std::function<double(const std::vector<int>&)>;

// A Saltelli design over k factors, each uniform over `levels` whole
// numbers, drawn from the seed's streams (row by row, A then B).
SaltelliOutputs runDesign(const Model& model, int k, int levels, int rows, std::uint64_t seed) {
    SaltelliOutputs outputs;
    outputs.ab.assign(static_cast<std::size_t>(k), {});
    for (int row = 0; row < rows; ++row) {
        std::mt19937_64 generator = randomStream(seed, static_cast<std::uint64_t>(row));
        std::vector<int> a(static_cast<std::size_t>(k));
        std::vector<int> b(static_cast<std::size_t>(k));
        for (int& x : a)
            x = static_cast<int>(uniformIndex(generator, static_cast<std::uint64_t>(levels)));
        for (int& x : b)
            x = static_cast<int>(uniformIndex(generator, static_cast<std::uint64_t>(levels)));
        outputs.a.push_back(model(a));
        outputs.b.push_back(model(b));
        for (std::size_t i = 0; i < a.size(); ++i) {
            std::vector<int> mixed = a;
            mixed[i] = b[i];
            outputs.ab[i].push_back(model(mixed));
        }
    }
    return outputs;
}

// n units by m indicators of values drawn from 1..100, every other
// indicator of negative polarity.
Matrix randomMatrix(int n, int m, std::uint64_t seed) {
    Matrix matrix = Matrix::ofSize(n, m);
    std::mt19937_64 generator = randomStream(seed, 0);
    for (double& value : matrix.values)
        value = 1.0 + 99.0 * uniformUnit(generator);
    for (int j = 1; j < m; j += 2)
        matrix.negative[std::size_t(j)] = 1;
    return matrix;
}

// Two groups of the four indicators A-D of randomMatrix, G1 weighing 9.
Structure twoGroups() {
    const Expected<Structure> structure = buildStructure(
        structureSheetOf({{"A", "G1", "9"}, {"B", "G1", ""}, {"C", "G2", ""}, {"D", "G2", "3"}}),
        {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")},
        Regional(QLocale::c()));
    if (!structure)
        qFatal("%s", qPrintable(structure.error().message));
    return *structure;
}

Composite composite(const char* normalisation, const char* aggregation, Construction construction) {
    Composite made;
    made.code = made.name = QStringLiteral("C");
    made.normalisation = *parseNormalisation(QString::fromLatin1(normalisation));
    made.aggregation = *parseAggregation(QString::fromLatin1(aggregation));
    made.construction = construction;
    return made;
}

} // namespace

class TestMonteCarlo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void knownIndices_data();
    void knownIndices();
    void outputThatNeverMoves();
    void reproducibleStreams();
    void rankingEngine();
    void overAStructure();
    void unitWithoutAnIndexInSomeRuns();
    void sharedColumnsGiveTheSameIndices();
    void compositeConstructionFactors();
    void cancelledWritesNothing();
};

void TestMonteCarlo::knownIndices_data() {
    QTest::addColumn<int>("model");
    QTest::addColumn<QList<double>>("first");
    QTest::addColumn<QList<double>>("total");
    // X1 + 2 X2 + 0 X3 over 0..9: additive, shares 1/5 and 4/5.
    QTest::newRow("additive") << 0 << QList<double>{0.2, 0.8, 0.0} << QList<double>{0.2, 0.8, 0.0};
    // (2 X1 - 1)(2 X2 - 1) over 0..1: no first-order effect, all interaction.
    QTest::newRow("interaction") << 1 << QList<double>{0.0, 0.0, 0.0}
                                 << QList<double>{1.0, 1.0, 0.0};
}

void TestMonteCarlo::knownIndices() {
    QFETCH(int, model);
    QFETCH(QList<double>, first);
    QFETCH(QList<double>, total);
    const Model additive = [](const std::vector<int>& x) { return x[0] + 2.0 * x[1]; };
    const Model product = [](const std::vector<int>& x) {
        return (2.0 * x[0] - 1.0) * (2.0 * x[1] - 1.0);
    };
    const SaltelliOutputs outputs =
        runDesign(model == 0 ? additive : product, 3, model == 0 ? 10 : 2, 20000, 7);
    const auto indices = sobolIndices(outputs, 200, 7);
    QVERIFY(indices);
    QCOMPARE(indices->size(), std::size_t{3});
    for (std::size_t i = 0; i < 3; ++i) {
        const FactorIndices& f = (*indices)[i];
        QVERIFY2(std::abs(f.first.value - first[qsizetype(i)]) < 0.04,
                 qPrintable(QString::number(f.first.value)));
        QVERIFY2(std::abs(f.total.value - total[qsizetype(i)]) < 0.04,
                 qPrintable(QString::number(f.total.value)));
        QVERIFY(f.first.p5 <= f.first.p95 && f.total.p5 <= f.total.p95);
    }
    // A factor the model ignores cannot move the output: exactly 0.
    const FactorIndices& idle = (*indices)[2];
    QCOMPARE(idle.first.value, 0.0);
    QCOMPARE(idle.total.value, 0.0);
    QCOMPARE(idle.total.p95, 0.0);
    QCOMPARE(*totalIndices(outputs),
             (std::vector<double>{(*indices)[0].total.value, (*indices)[1].total.value, 0.0}));
}

void TestMonteCarlo::outputThatNeverMoves() {
    const SaltelliOutputs outputs =
        runDesign([](const std::vector<int>&) { return 3.0; }, 2, 5, 50, 1);
    QVERIFY(!sobolIndices(outputs, 100, 1));
    QVERIFY(!totalIndices(outputs));
    QVERIFY(!sobolIndices(SaltelliOutputs{}, 100, 1));
}

void TestMonteCarlo::reproducibleStreams() {
    std::mt19937_64 one = randomStream(1, 5);
    std::mt19937_64 again = randomStream(1, 5);
    std::mt19937_64 otherStream = randomStream(1, 6);
    std::mt19937_64 otherSeed = randomStream(2, 5);
    const std::uint64_t first = one();
    QCOMPARE(again(), first);
    QVERIFY(otherStream() != first);
    QVERIFY(otherSeed() != first);
    for (int i = 0; i < 1000; ++i) {
        QVERIFY(uniformIndex(one, 7) < 7);
        const double u = uniformUnit(one);
        QVERIFY(u >= 0.0 && u < 1.0);
    }
    QCOMPARE(uniformIndex(one, 1), std::uint64_t{0});

    const Model additive = [](const std::vector<int>& x) { return x[0] + 2.0 * x[1]; };
    const SaltelliOutputs outputs = runDesign(additive, 2, 10, 500, 3);
    const auto a = sobolIndices(outputs, 300, 11);
    const auto b = sobolIndices(outputs, 300, 11);
    const auto c = sobolIndices(outputs, 300, 12);
    QVERIFY(a && b && c);
    QCOMPARE((*a)[0].first.p5, (*b)[0].first.p5);
    QCOMPARE((*a)[1].total.p95, (*b)[1].total.p95);
    QCOMPARE((*a)[0].first.value, (*c)[0].first.value);
    QVERIFY((*a)[0].first.p5 != (*c)[0].first.p5 || (*a)[1].total.p95 != (*c)[1].total.p95);
}

void TestMonteCarlo::rankingEngine() {
    const Matrix matrix = randomMatrix(40, 5, 3);
    MonteCarloSetup setup;
    setup.methods = {MethodPosition::MpiPositive, MethodPosition::Wroclaw,
                     MethodPosition::StandardizedMean};
    setup.weightSpread = 0.3;
    setup.leaveOut = true;
    setup.missingLevels = 2; // two treatments of a complete matrix: the same matrix twice
    setup.runs = 150;
    setup.sobol = true;
    setup.bootstrap = 100;
    setup.threads = 1;
    const std::vector<const Matrix*> variants{&matrix, &matrix};
    const auto one = monteCarlo(variants, setup);
    setup.threads = 2;
    const auto two = monteCarlo(variants, setup);
    QVERIFY2(one && two, qPrintable(failureMessage(one)));

    QCOMPARE(one->factors.size(), std::size_t{4});
    QCOMPARE(one->rankings, 300);             // the runs of A and B
    QCOMPARE(one->computed, qint64(150 * 6)); // N (k + 2)
    QCOMPARE(one->skipped, 0);
    const auto nominal = computeMethod(MethodPosition::MpiPositive, matrix.view());
    for (std::size_t u = 0; u < one->units.size(); ++u) {
        const MonteCarloUnit& a = one->units[u];
        const MonteCarloUnit& b = two->units[u];
        QCOMPARE(a.nominal, nominal->ranks[u]);
        QVERIFY(a.best <= a.p5 && a.p5 <= a.median && a.median <= a.p95 && a.p95 <= a.worst);
        QCOMPARE(std::tie(a.median, a.mean, a.p5, a.p95, a.best, a.worst),
                 std::tie(b.median, b.mean, b.p5, b.p95, b.best, b.worst));
        QCOMPARE(one->unitTotals[u], two->unitTotals[u]);
        if (one->unitTotals[u])
            QCOMPARE((*one->unitTotals[u])[3], 0.0);
    }
    QVERIFY(one->indices && two->indices);
    for (std::size_t i = 0; i < 4; ++i) {
        QCOMPARE((*one->indices)[i].first.value, (*two->indices)[i].first.value);
        QCOMPARE((*one->indices)[i].total.p95, (*two->indices)[i].total.p95);
    }
    // Methods that differ move the ranks; a treatment that changes nothing
    // cannot.
    QVERIFY((*one->indices)[0].total.value > 0.05);
    QCOMPARE((*one->indices)[3].total.value, 0.0);
    QCOMPARE((*one->indices)[3].first.value, 0.0);

    setup.sobol = false;
    const auto plain = monteCarlo(variants, setup);
    QVERIFY(plain && !plain->indices);
    QCOMPARE(plain->rankings, 150);
    QCOMPARE(plain->computed, qint64(150));

    MonteCarloSetup none;
    none.methods = {MethodPosition::Wroclaw};
    QCOMPARE(monteCarlo({&matrix}, none).error().kind, FailureKind::Usage);
    // Too few runs for Sobol indices to mean anything.
    setup.sobol = true;
    setup.runs = kMinSobolRuns - 1;
    const auto few = monteCarlo(variants, setup);
    QVERIFY(!few && few.error().kind == FailureKind::Usage);
    QVERIFY2(few.error().message.startsWith("Gli indici di Sobol richiedono almeno 10 estrazioni"),
             qPrintable(few.error().message));
}

// Cancelled, the analysis stops in the filling of the gaps (EM) as in the
// draws, and writes nothing.
void TestMonteCarlo::cancelledWritesNothing() {
    Matrix matrix = randomMatrix(30, 4, 5);
    matrix.missing.assign(matrix.values.size(), 0);
    matrix.missing[1 * 30 + 2] = kMissingEmpty;
    matrix.missing[3 * 30 + 7] = kMissingEmpty;
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("m.xlsx"));
    MonteCarloChoices choices;
    choices.setup.methods = {MethodPosition::MpiPositive, MethodPosition::Wroclaw};
    choices.setup.runs = 20;
    for (const auto& missing : {std::vector<MissingTreatment>{MissingTreatment::Em},
                                std::vector<MissingTreatment>{MissingTreatment::Available}}) {
        choices.missing = missing;
        QVERIFY(
            analyseMonteCarlo(workbookBasis(workbook), matrix, choices, Regional(QLocale::c())));
        QVERIFY(QFile::remove(workbook + ".mc.csv"));
        WorkProgress progress;
        progress.cancel();
        const auto run = analyseMonteCarlo(workbookBasis(workbook), matrix, choices,
                                           Regional(QLocale::c()), &progress);
        QVERIFY(!run);
        QCOMPARE(run.error().kind, FailureKind::Cancelled);
        QVERIFY(!QFile::exists(workbook + ".mc.csv"));
    }
}

// Over a structure the nominal ranking is the overall index's, not the flat
// one, and leaving out the only indicator of a group takes the group out
// with it rather than refusing the run.
void TestMonteCarlo::overAStructure() {
    const Matrix matrix = randomMatrix(30, 4, 7);
    const Expected<Structure> structure = buildStructure(
        structureSheetOf({{"A", "G1", "9"}, {"B", "G1", ""}, {"C", "G2", ""}, {"D", "G3", ""}}),
        {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")},
        Regional(QLocale::c()));
    QVERIFY(structure);
    const Expected<FrameworkRun> framework =
        computeFramework(MethodPosition::MpiPositive, matrix, *structure);
    QVERIFY(framework);
    const std::vector<int> expected =
        rankIndex(framework->overall().index, methodAt(MethodPosition::MpiPositive).ascending);
    const Expected<MethodOutput> flat = computeMethod(MethodPosition::MpiPositive, matrix.view());
    QVERIFY(flat && flat->ranks != expected);

    MonteCarloSetup setup;
    setup.methods = {MethodPosition::MpiPositive};
    setup.weightSpread = 0.5;
    setup.leaveOut = true;
    setup.runs = 60;
    const Expected<MonteCarloResult> result = monteCarlo({&matrix}, setup, nullptr, &*structure);
    QVERIFY(result);
    QCOMPARE(result->skipped, 0);
    QCOMPARE(result->rankings, 60);
    for (std::size_t u = 0; u < expected.size(); ++u)
        QCOMPARE(result->units[u].nominal, expected[u]);
}

// U1 has only A, far above the others: the runs that leave A out leave it
// without an overall index. Those runs do not count for it (it is first
// wherever it is ranked, never last), they are counted in a column of its
// own, and its Sobol totals are left empty.
void TestMonteCarlo::unitWithoutAnIndexInSomeRuns() {
    const double x = NAN;
    const Matrix matrix =
        gappyMatrix({{1000, 1, 2, 3, 4}, {x, 5, 2, 7, 4}, {x, 1, 4, 2, 6}},
                    {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    const Expected<Structure> structure = buildStructure(
        structureSheetOf({{"A", "G1", ""}, {"B", "G2", ""}, {"C", "G2", ""}}),
        {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, Regional(QLocale::c()));
    QVERIFY(structure);
    MonteCarloSetup setup;
    setup.methods = {MethodPosition::MpiPositive};
    setup.leaveOut = true;
    setup.weightSpread = 0.2;
    setup.sobol = true;
    setup.runs = 40;
    const Expected<MonteCarloResult> result = monteCarlo({&matrix}, setup, nullptr, &*structure);
    QVERIFY(result);
    QCOMPARE(result->skipped, 0);
    const MonteCarloUnit& u1 = result->units[0];
    QCOMPARE(u1.nominal, 1);
    QVERIFY(u1.lacking > 0 && u1.lacking < result->rankings);
    QCOMPARE(u1.worst, 1);
    QCOMPARE(u1.p95, 1);
    for (std::size_t u = 1; u < result->units.size(); ++u) {
        QCOMPARE(result->units[u].lacking, 0);
        QVERIFY(result->units[u].best >= 1 && result->units[u].worst <= 5);
    }
    QVERIFY(!result->unitTotals[0]);
    QVERIFY(std::any_of(result->unitTotals.begin() + 1, result->unitTotals.end(),
                        [](const auto& totals) { return totals.has_value(); }));

    const QStringList labels{"U1", "U2", "U3", "U4", "U5"};
    const TextTable table = monteCarloTable(*result, "", labels, Regional(QLocale::c()));
    QCOMPARE(table.cell(0, 8), QStringLiteral("Senza indice"));
    QCOMPARE(table.cell(1, 8), QString::number(u1.lacking));
    QCOMPARE(table.cell(2, 8), QStringLiteral("0"));
}

// The runs share the indicators' transformed or normalised columns: every
// index must be the one computed from scratch, to the last bit, whatever
// the weights and the element left out.
void TestMonteCarlo::sharedColumnsGiveTheSameIndices() {
    const Matrix matrix = randomMatrix(25, 4, 11);
    Structure structure = twoGroups();
    structure.elements[0].weight = 0.3;
    const std::optional<Structure> leftOut = withoutElement(structure, 1);
    QVERIFY(leftOut);
    for (const Structure& s : {structure, *leftOut}) {
        for (const MethodInfo& method : methodTable()) {
            const auto position = MethodPosition(method.position);
            const std::vector<double> transformed = transformColumns(position, matrix.view());
            const Expected<FrameworkRun> fresh = computeFramework(position, matrix, s);
            const Expected<FrameworkRun> shared =
                computeFrameworkOnTransformed(position, matrix, s, transformed);
            QVERIFY2(fresh && shared, qPrintable(method.code));
            QCOMPARE(shared->overall().index, fresh->overall().index);
        }
        const Regional c(QLocale::c());
        for (const char* aggregation : {"mean", "geometric", "harmonic", "power(2)", "mpi-"})
            for (const Construction construction : {Construction::Upward, Construction::PerLevel}) {
                const Composite made = composite("minmax(1,2)", aggregation, construction);
                const Expected<CompositeOutput> fresh = computeComposite(made, matrix, &s, c);
                const Expected<std::vector<double>> normalised =
                    normaliseIndicators(made, matrix, s, c);
                QVERIFY2(fresh && normalised, aggregation);
                std::vector<double> logs;
                for (const double value : *normalised)
                    logs.push_back(logarithmOrZero(value));
                for (const std::vector<double>* given : {&logs, (std::vector<double>*)nullptr}) {
                    const Expected<CompositeOutput> shared =
                        computeCompositeOnNormalised(made, matrix, s, c, *normalised, given);
                    QVERIFY2(shared, aggregation);
                    QCOMPARE(shared->groups, fresh->groups);
                    QCOMPARE(shared->index, fresh->index);
                }
            }
    }
}

// A composite's normalisation and aggregation drawn beside its own, listed
// after the other factors: the normalisation moves the ranks (rank against
// minmax over skewed values), an aggregation list of its own alone cannot.
void TestMonteCarlo::compositeConstructionFactors() {
    Matrix matrix = randomMatrix(40, 4, 5);
    for (double& value : matrix.values)
        value = value * value * value;
    MonteCarloSetup setup;
    setup.composites = {composite("minmax", "mean", Construction::Upward)};
    setup.normalisations = {*parseNormalisation(QStringLiteral("rank"))};
    setup.aggregations = {*parseAggregation(QStringLiteral("mean"))};
    setup.weightSpread = 0.1;
    setup.runs = 200;
    setup.seed = 3;
    setup.sobol = true;
    setup.bootstrap = 50;
    const Structure structure = twoGroups();
    const Expected<MonteCarloResult> result = monteCarlo({&matrix}, setup, nullptr, &structure);
    QVERIFY2(result, qPrintable(result ? QString() : result.error().message));
    QCOMPARE(result->skipped, 0);
    const std::vector<MonteCarloFactor> factors{
        MonteCarloFactor::Weights, MonteCarloFactor::Normalisation, MonteCarloFactor::Aggregation};
    QVERIFY(result->factors == factors);
    QCOMPARE(monteCarloFactorName(MonteCarloFactor::Normalisation),
             QStringLiteral("Normalizzazione"));
    QVERIFY(result->indices);
    const std::vector<FactorIndices>& indices = *result->indices;
    QVERIFY2(indices[1].total.value > 0.1, qPrintable(QString::number(indices[1].total.value)));
    QCOMPARE(indices[2].total.value, 0.0);

    // The nominal ranks are the composite's own.
    const Expected<CompositeOutput> own =
        computeComposite(setup.composites.front(), matrix, &structure, Regional(QLocale::c()));
    QVERIFY(own);
    for (std::size_t u = 0; u < own->ranks.size(); ++u)
        QCOMPARE(result->units[u].nominal, own->ranks[u]);

    // Normalisations without a composite to draw them for are refused.
    setup.composites.clear();
    setup.methods = {MethodPosition::MpiPositive};
    const Expected<MonteCarloResult> refused = monteCarlo({&matrix}, setup, nullptr, &structure);
    QVERIFY(!refused && refused.error().kind == FailureKind::Usage);
}

QTEST_GUILESS_MAIN(TestMonteCarlo)
#include "tst_montecarlo.moc"
