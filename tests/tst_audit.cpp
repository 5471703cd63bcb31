#include "audit/coherence.h"
#include "audit/correlation.h"
#include "audit/eigen.h"
#include "stats/distribution.h"
#include "treatment/outliers.h"

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
    void winsorisationThenLogarithm();
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
}

QTEST_GUILESS_MAIN(TestAudit)
#include "tst_audit.moc"
