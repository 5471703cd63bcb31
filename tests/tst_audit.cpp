#include "support/testsupport.h"

#include "audit/coherence.h"
#include "audit/correlation.h"
#include "audit/eigen.h"
#include "audit/weighting.h"
#include "stats/distribution.h"
#include "treatment/outliers.h"
#include "workflow/matrixaudit.h"
#include "workflow/methodcoherence.h"
#include "workflow/weightsfit.h"

#include <QTest>

#include <cmath>

namespace {

bool near(double a, double b, double tolerance = 1e-9) {
    return std::fabs(a - b) <= tolerance * std::max(1.0, std::fabs(b));
}

// A matrix of the given columns of values, indicator j negative when its
// flag is set.
Matrix matrixOf(const std::vector<std::vector<double>>& columns,
                const std::vector<char>& negative = {}) {
    const int n = int(columns.front().size());
    Matrix matrix = Matrix::ofSize(n, int(columns.size()));
    for (std::size_t j = 0; j < columns.size(); ++j) {
        std::copy(columns[j].begin(), columns[j].end(), matrix.column(int(j)).begin());
        if (!negative.empty())
            matrix.negative[j] = negative[j];
    }
    return matrix;
}

} // namespace

class TestAudit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void distributionAsSpreadsheetsGiveIt();
    void correlationsOrientedAndPairwise();
    void coherenceOfKnownMatrices();
    void figuresAtExtremeMagnitudes();
    void pairsWithinTheInnermostGroup();
    void winsorisationThenLogarithm();
    void weightsOfKnownAnswers();
    void coherenceOfElementsByHand();
};

// SKEW and KURT of the spreadsheets' own example, and the counts below
// which they are undefined.
void TestAudit::distributionAsSpreadsheetsGiveIt() {
    const std::vector<double> x{3, 4, 5, 2, 3, 4, 5, 6, 4, 7};
    const Distribution d = distributionOf(x);
    QVERIFY(near(*d.skewness, 0.359543071406797));
    QVERIFY(near(*d.kurtosis, -0.151799637208416));
    QVERIFY(near(d.deviation, 1.49443411809733));
    QVERIFY(!d.flagged());

    QVERIFY(!distributionOf(std::vector<double>{1, 2}).skewness);
    const Distribution three = distributionOf(std::vector<double>{1, 2, 9});
    QVERIFY(three.skewness && !three.kurtosis);
    QVERIFY(!distributionOf(std::vector<double>{4, 4, 4, 4}).skewness);

    std::vector<double> spike;
    for (int v = 1; v < 20; ++v)
        spike.push_back(v);
    spike.push_back(1000);
    QVERIFY(distributionOf(spike).flagged());

    // Missing cells are left out.
    Matrix matrix = matrixOf({{3, 4, 5, 2, 3, 4, 5, 6, 4, 7, 1e9}});
    matrix.missing.assign(matrix.values.size(), 0);
    matrix.missing.back() = 1;
    QVERIFY(near(*distributions(matrix.view()).front().skewness, 0.359543071406797));
}

void TestAudit::correlationsOrientedAndPairwise() {
    // y = 2x exactly, z = -x: Pearson 1 and -1; z of negative polarity turns.
    const Matrix matrix = matrixOf({{1, 2, 3, 4}, {2, 4, 6, 8}, {-1, -2, -3, -4}}, {0, 0, 1});
    const std::vector<double> r = correlationMatrix(matrix.view(), CorrelationKind::Pearson);
    QVERIFY(near(r[1], 1.0) && near(r[3], 1.0));
    QVERIFY(near(r[2], 1.0)); // -x oriented is x
    QCOMPARE(r[4], 1.0);

    // Spearman on average ranks: ties share their mean rank.
    QCOMPARE(averageRanks(std::vector<double>{10, 20, 20, 5}),
             (std::vector<double>{2, 3.5, 3.5, 1}));
    const Matrix monotone = matrixOf({{1, 2, 3, 4, 5}, {1, 4, 9, 16, 1000}});
    QVERIFY(near(correlationMatrix(monotone.view(), CorrelationKind::Spearman)[1], 1.0));
    QVERIFY(correlationMatrix(monotone.view(), CorrelationKind::Pearson)[1] < 0.99);

    // Pairwise complete: the unit missing in one column is left out of the pair.
    Matrix gappy = matrixOf({{1, 2, 3, 100}, {2, 4, 6, -50}});
    gappy.missing.assign(gappy.values.size(), 0);
    gappy.missing[7] = 1;
    QVERIFY(near(correlationMatrix(gappy.view(), CorrelationKind::Pearson)[1], 1.0));
}

// Equal correlations r among k indicators: eigenvalues 1 + (k - 1) r and
// 1 - r, alpha k r / (1 + (k - 1) r), equal loadings 1 / sqrt(k).
void TestAudit::coherenceOfKnownMatrices() {
    const std::vector<double> equal{1, 0.5, 0.5, 0.5, 1, 0.5, 0.5, 0.5, 1};
    const Coherence c = coherenceOf(equal, 3);
    QVERIFY(near(c.alpha, 0.75));
    QVERIFY(near(c.firstEigenvalue, 2.0));
    QVERIFY(near(c.firstShare, 2.0 / 3.0));
    QCOMPARE(c.eigenvaluesAboveOne, 1);
    for (const double loading : c.loadings)
        QVERIFY(near(loading, 1.0 / std::sqrt(3.0)));

    // A matrix with a known spectrum: Q diag(4, 2, 1) Q^T, Q a rotation.
    const double s = std::sqrt(0.5);
    const double q[3][3] = {{s, -s, 0}, {s, s, 0}, {0, 0, 1}};
    const double lambda[3] = {1, 4, 2};
    std::vector<double> a(9, 0.0);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                a[std::size_t(i * 3 + j)] += q[i][k] * lambda[k] * q[j][k];
    const SymmetricEigen eigen = symmetricEigen(a, 3);
    QVERIFY(near(eigen.values[0], 4) && near(eigen.values[1], 2) && near(eigen.values[2], 1));
    QVERIFY(near(std::fabs(eigen.vectors[0]), s) && near(std::fabs(eigen.vectors[1]), s));

    // The loadings' sign makes their sum positive.
    const std::vector<double> opposed{1, -0.8, -0.8, 1};
    const Coherence pair = coherenceOf(opposed, 2);
    QVERIFY(pair.loadings[0] + pair.loadings[1] >= 0.0);
    QVERIFY(std::isnan(coherenceOf({1, NAN, NAN, 1}, 2).alpha));
}

// Nothing the audit computes depends on the scale of an indicator: 1e160
// or 1e-170 times a matrix gives the figures of 1e100 times it (the mean
// and deviation scaled), and no line holds a figure beyond the largest
// double.
void TestAudit::figuresAtExtremeMagnitudes() {
    std::vector<double> spike;
    std::vector<double> line;
    for (int v = 1; v < 20; ++v) {
        spike.push_back(v);
        line.push_back(v % 7 + 2.0 * v);
    }
    spike.push_back(1000);
    line.push_back(-3);
    const auto scaled = [&](double factor) {
        std::vector<double> a = spike;
        std::vector<double> b = line;
        for (std::size_t i = 0; i < a.size(); ++i) {
            a[i] *= factor;
            b[i] *= factor;
        }
        return auditMatrix(matrixOf({a, b, spike}, {0, 1, 0}), nullptr);
    };
    const MatrixAudit base = scaled(1e100);
    QVERIFY(base.distributions[0].flagged());
    for (const double factor : {1e160, 1e-170, 1e300}) {
        const MatrixAudit audit = scaled(factor);
        for (std::size_t j = 0; j < 2; ++j) {
            const Distribution& d = audit.distributions[j];
            const Distribution& expected = base.distributions[j];
            QVERIFY2(near(*d.skewness, *expected.skewness) && near(*d.kurtosis, *expected.kurtosis),
                     qPrintable(QString::number(factor)));
            QVERIFY(near(d.deviation / factor, expected.deviation / 1e100));
            QVERIFY(near(d.mean / factor, expected.mean / 1e100));
            QCOMPARE(d.flagged(), expected.flagged());
        }
        COMPARE_NUMBERS(audit.pearson, base.pearson);
        COMPARE_NUMBERS(audit.spearman, base.spearman);
        const Coherence& c = audit.groups.back().coherence;
        QVERIFY(near(c.alpha, base.groups.back().coherence.alpha));
        COMPARE_NUMBERS(c.loadings, base.groups.back().coherence.loadings);
    }

    // Values of both signs near the largest double: the sample deviation
    // exceeds it and is left blank; every other figure is written.
    const double big = 1.7e308;
    const Matrix edge = matrixOf({{-big, big, -big, big, big}, {1, 2, 3, 4, 6}});
    const AuditLines lines = auditLines(edge, auditMatrix(edge, nullptr), Regional(QLocale::c()));
    const QStringList fields = lines.distributions[1].split(u';');
    QCOMPARE(fields[3], QString());
    QVERIFY(!fields[6].isEmpty() && !fields[7].isEmpty());
    for (const QStringList& file :
         {lines.distributions, lines.pearson, lines.spearman, lines.coherence, lines.components})
        for (const QString& text : file)
            QVERIFY2(!text.contains(QStringLiteral("inf"), Qt::CaseInsensitive) &&
                         !text.contains(QStringLiteral("nan"), Qt::CaseInsensitive),
                     qPrintable(text));
    QVERIFY(near(correlationMatrix(edge.view(), CorrelationKind::Pearson)[1], 0.5694947974514993));
}

// Pairs are those of indicators with the same parent: in a nested
// structure not two of different groups beneath one pillar. A pair below
// -0.9 is in opposition, not redundant.
void TestAudit::pairsWithinTheInnermostGroup() {
    // Pillar P holds groups G1 (A, B) and G2 (C, D); pillar Q holds E.
    const Matrix matrix = matrixOf(
        {{1, 2, 3, 4, 5}, {5, 4, 3, 2, 1.5}, {1, 2, 3, 4, 6}, {2, 3, 4, 5, 6}, {3, 1, 4, 1, 5}});
    const auto structure =
        buildStructure(structureSheetOf({{"A", "G1", ""},
                                         {"B", "G1", ""},
                                         {"C", "G2", ""},
                                         {"D", "G2", ""},
                                         {"G1", "P", ""},
                                         {"G2", "P", ""},
                                         {"E", "Q", ""}}),
                       {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                        QStringLiteral("D"), QStringLiteral("E")},
                       Regional(QLocale::c()));
    QVERIFY(structure);
    const MatrixAudit audit = auditMatrix(matrix, &*structure);
    QCOMPARE(audit.redundant.size(), std::size_t(1));
    QCOMPARE(std::pair(audit.redundant[0].first, audit.redundant[0].second), std::pair(2, 3));
    QCOMPARE(audit.opposing.size(), std::size_t(1));
    QCOMPARE(std::pair(audit.opposing[0].first, audit.opposing[0].second), std::pair(0, 1));
    QVERIFY(audit.opposing[0].correlation < -0.9);
    // Without a structure every pair is one of the whole matrix: A, C, D
    // redundant two by two, B opposing each of them.
    const MatrixAudit flat = auditMatrix(matrix, nullptr);
    QCOMPARE(flat.redundant.size(), std::size_t(3));
    QCOMPARE(flat.opposing.size(), std::size_t(3));
}

void TestAudit::winsorisationThenLogarithm() {
    // One spike: pulled in to the next value, one cell changed.
    std::vector<double> spike;
    for (int v = 1; v < 20; ++v)
        spike.push_back(v);
    spike.push_back(1000);
    const OutlierTreatment once = treatOutliers(matrixOf({spike, spike}, {0, 1}));
    QCOMPARE(once.indicators.size(), std::size_t(2));
    QCOMPARE(once.indicators[0].method, OutlierMethod::Winsorisation);
    QCOMPARE(once.indicators[0].changedValues, 1);
    QCOMPARE(once.matrix.value(19, 0), 19.0);
    QVERIFY(!once.indicators[0].after.flagged());
    // Changes unit by unit, then indicator by indicator.
    QCOMPARE(once.changes.size(), std::size_t(2));
    QCOMPARE(once.changes[0].indicator, 0);
    QCOMPARE(once.changes[1].indicator, 1);
    QCOMPARE(once.changes[0].original, 1000.0);

    // Seven tied extremes in 200 values: more than five cells would move,
    // so the logarithm is taken, mapped back onto the same range.
    std::vector<double> heavy;
    for (int v = 0; v < 193; ++v)
        heavy.push_back(1 + v % 10);
    for (int v = 0; v < 7; ++v)
        heavy.push_back(5000);
    const OutlierTreatment logged = treatOutliers(matrixOf({heavy}));
    QCOMPARE(logged.indicators.front().method, OutlierMethod::Logarithm);
    const std::span<const double> treated = logged.matrix.column(0);
    QCOMPARE(*std::min_element(treated.begin(), treated.end()), 1.0);
    QCOMPARE(*std::max_element(treated.begin(), treated.end()), 5000.0);
    // The order of the values is kept.
    for (std::size_t i = 0; i + 1 < heavy.size(); ++i)
        QCOMPARE(heavy[i] < heavy[i + 1], treated[i] < treated[i + 1]);

    // A negative skew is pulled in from below.
    std::vector<double> dip = spike;
    for (double& x : dip)
        x = -x;
    const OutlierTreatment below = treatOutliers(matrixOf({dip}));
    QCOMPARE(below.matrix.value(19, 0), -19.0);

    // Winsorisation never pulls in the last value that differs from the
    // others (here at the first step, and at the second): the logarithm is
    // taken instead, and the indicator is not left constant.
    for (const std::vector<double>& values :
         {std::vector<double>{1, 1, 1, 1, 1, 1, 1, 100},
          std::vector<double>{2, 2, 2, 2, 2, 2, 2, 2, 2, 1, 100}}) {
        const OutlierTreatment treated = treatOutliers(matrixOf({values}));
        QCOMPARE(treated.indicators.front().method, OutlierMethod::Logarithm);
        const std::span<const double> column = treated.matrix.column(0);
        QCOMPARE(*std::min_element(column.begin(), column.end()), 1.0);
        QCOMPARE(*std::max_element(column.begin(), column.end()), 100.0);
    }

    // At the edge of the doubles, the flag holds and the logarithm maps the
    // values back onto the same range, in the same order.
    std::vector<double> edge = heavy;
    for (double& x : edge)
        x = (x - 2500) * 7e304;
    const OutlierTreatment far = treatOutliers(matrixOf({edge}));
    QCOMPARE(far.indicators.size(), std::size_t(1));
    QCOMPARE(far.indicators.front().method, OutlierMethod::Logarithm);
    const std::span<const double> farTreated = far.matrix.column(0);
    QCOMPARE(*std::min_element(farTreated.begin(), farTreated.end()), -2499 * 7e304);
    QCOMPARE(*std::max_element(farTreated.begin(), farTreated.end()), 2500 * 7e304);
    for (std::size_t i = 0; i + 1 < edge.size(); ++i)
        QCOMPARE(edge[i] < edge[i + 1], farTreated[i] < farTreated[i + 1]);
}

QTEST_GUILESS_MAIN(TestAudit)
#include "tst_audit.moc"

// Two identical indicators beside a third they are uncorrelated with: under
// the standardised mean, their correlations with the index equal the
// third's when their weights add up to its own, and they share that sum
// equally, whatever the weights started from. The first principal
// component of such a matrix is the identical pair's.
void TestAudit::weightsOfKnownAnswers() {
    Matrix matrix = matrixOf({{1, 2, 3, 4}, {3, 5, 7, 9}, {1, -1, -1, 1}});
    matrix.weights = {1.0, 0.3, 0.6};
    const Regional regional = Regional::system();
    const Structure flat = structureOrFlat(nullptr, matrix, regional);
    AnalysedMethod mean;
    mean.position = MethodPosition::StandardizedMean;
    const Expected<WeightsFit> balanced =
        fitWeights(mean, matrix, flat, WeightTarget::Balance, regional);
    QVERIFY(balanced);
    const std::vector<double>& after = balanced->sharesAfter;
    QVERIFY2(near(after[0], 0.25, 1e-3) && near(after[1], 0.25, 1e-3) && near(after[2], 0.5, 1e-3),
             qPrintable(QStringLiteral("%1 %2 %3").arg(after[0]).arg(after[1]).arg(after[2])));
    const auto root = std::size_t(flat.root);
    QVERIFY(balanced->spreadBefore[root] > 0.01 && balanced->spreadAfter[root] < 1e-6);

    const std::optional<std::vector<double>> pca =
        firstComponentWeights({{1, 2, 3, 4}, {3, 5, 7, 9}, {1, -1, -1, 1}});
    QVERIFY(pca && near((*pca)[0], 1.0) && near((*pca)[1], 1.0) && std::fabs((*pca)[2]) < 1e-12);
    // A constant element has no correlation: no weights.
    QVERIFY(!firstComponentWeights({{1, 2, 3, 4}, {5, 5, 5, 5}}));
}

// Two uncorrelated indicators weighted 4 to 1 under the standardised mean:
// the index is 4 z1 + z2 over 5, so their correlations with it are 4 and 1
// over the square root of 17, their importance 16 and 1 seventeenths, and
// the second is weak.
void TestAudit::coherenceOfElementsByHand() {
    Matrix matrix = matrixOf({{1, 2, 3, 4}, {1, -1, -1, 1}});
    matrix.indicators = {CellValue(QStringLiteral("x1")), CellValue(QStringLiteral("x2"))};
    matrix.weights = {4.0, 1.0};
    AnalysedMethod mean;
    mean.position = MethodPosition::StandardizedMean;
    const Regional regional = Regional::system();
    const Expected<QStringList> lines = methodCoherenceLines(mean, matrix, nullptr, regional);
    QVERIFY(lines);
    QCOMPARE(*lines, (QStringList{QStringLiteral("Elemento;Padre;Pearson padre;Spearman padre;"
                                                 "Pearson indice;Quota nominale;Quota effettiva;"
                                                 "Debole"),
                                  QStringLiteral("x1;Indice complessivo;0.9701;1.0000;0.9701;"
                                                 "0.8000;0.9412;"),
                                  QStringLiteral("x2;Indice complessivo;0.2425;0.0000;0.2425;"
                                                 "0.2000;0.0588;si")}));
}
