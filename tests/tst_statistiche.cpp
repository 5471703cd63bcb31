#include "stats/statistiche.h"
#include "support/testsupport.h"

#include <QTest>

#include <cmath>

// The statistics of columns and rows, on values of every magnitude: the
// sums that would overflow or underflow are taken over scaled values.
class TestStatistiche : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void columnStatistics_data();
    void columnStatistics();
    void viewsPickColumns();
    void rowStatistics_data();
    void rowStatistics();
    void rankSum();
    void geometricMeanOutOfRange();
};

namespace {
using Numbers = std::vector<double>;

// One unit per value (a column), or one indicator per value (a row).
Matrix column(const Numbers& values) {
    Matrix matrix = Matrix::ofSize(int(values.size()), 1);
    matrix.values = values;
    return matrix;
}

Matrix row(const Numbers& values, const Numbers& weights) {
    Matrix matrix = Matrix::ofSize(1, int(values.size()));
    matrix.values = values;
    if (!weights.empty())
        matrix.weights = weights;
    return matrix;
}
} // namespace

void TestStatistiche::columnStatistics_data() {
    QTest::addColumn<Numbers>("values");
    QTest::addColumn<Numbers>("meanDeviationMinMax");
    // The population deviation: 1, not sqrt(2).
    QTest::newRow("two units") << Numbers{1, 3} << Numbers{2, 1, 1, 3};
    QTest::newRow("negatives") << Numbers{-5, 0} << Numbers{-2.5, 2.5, -5, 0};
    QTest::newRow("single unit") << Numbers{7} << Numbers{7, 0, 7, 7};
    QTest::newRow("near the largest double")
        << Numbers{1e308, 1.5e308} << Numbers{1.25e308, 0.25e308, 1e308, 1.5e308};
    QTest::newRow("opposite extremes")
        << Numbers{-1.5e308, 1.5e308} << Numbers{0, 1.5e308, -1.5e308, 1.5e308};
    QTest::newRow("tiny") << Numbers{1e-300, 3e-300} << Numbers{2e-300, 1e-300, 1e-300, 3e-300};
}

void TestStatistiche::columnStatistics() {
    QFETCH(Numbers, values);
    QFETCH(Numbers, meanDeviationMinMax);
    const Matrix matrix = column(values);
    const MatrixView view = matrix.view();
    COMPARE_NUMBERS((Numbers{media_colonne(view)[0], scarto_colonne(view)[0],
                             minimo_colonne(view)[0], massimo_colonne(view)[0]}),
                    meanDeviationMinMax);
}

void TestStatistiche::viewsPickColumns() {
    const Matrix matrix = matrixFrom({{CellValue(), CellValue(), CellValue(), CellValue()},
                                      {CellValue(), 1.0, 10.0, 100.0},
                                      {CellValue(), 3.0, 30.0, 300.0}});
    const std::vector<int> chosen{2, 0};
    QCOMPARE(media_colonne(matrix.view(chosen)), (Numbers{200, 2}));
    QCOMPARE(massimo_colonne(matrix.viewWithout(1)), (Numbers{3, 300}));
    QCOMPARE(media_righe(matrix.viewWithout(0)), (Numbers{55, 165}));
    QCOMPARE(minimo_colonne(matrix.viewWithout(3)).size(), std::size_t(3));
}

void TestStatistiche::rowStatistics_data() {
    QTest::addColumn<Numbers>("values");
    QTest::addColumn<Numbers>("weights"); // empty: 1 each
    // Mean, deviation, geometric and quadratic mean.
    QTest::addColumn<Numbers>("means");
    QTest::newRow("two columns") << Numbers{2, 8} << Numbers{} << Numbers{5, 3, 4, std::sqrt(34.0)};
    // A zero factor makes the geometric mean 0.
    QTest::newRow("a zero") << Numbers{0, 5} << Numbers{} << Numbers{2.5, 2.5, 0, std::sqrt(12.5)};
    QTest::newRow("one column") << Numbers{6.25} << Numbers{} << Numbers{6.25, 0, 6.25, 6.25};
    // Equal weights are the plain statistics; weights 1 and 3 scale to
    // 0.5 and 1.5.
    QTest::newRow("equal weights")
        << Numbers{2, 8} << Numbers{3, 3} << Numbers{5, 3, 4, std::sqrt(34.0)};
    QTest::newRow("weights") << Numbers{2, 8} << Numbers{1, 3}
                             << Numbers{6.5, std::sqrt(6.75), std::sqrt(32.0), 7};
    QTest::newRow("near the largest double")
        << Numbers{1.5e308, 1.5e308} << Numbers{} << Numbers{1.5e308, 0, 1.5e308, 1.5e308};
    QTest::newRow("tiny") << Numbers{1e-300, 3e-300} << Numbers{}
                          << Numbers{2e-300, 1e-300, std::sqrt(3.0) * 1e-300,
                                     std::sqrt(5.0) * 1e-300};
}

void TestStatistiche::rowStatistics() {
    QFETCH(Numbers, values);
    QFETCH(Numbers, weights);
    QFETCH(Numbers, means);
    const Matrix matrix = row(values, weights);
    const MatrixView view = matrix.view();
    const Numbers mean = media_righe(view);
    COMPARE_NUMBERS((Numbers{mean[0], scarto_righe(view, mean)[0], media_geometrica_righe(view)[0],
                             media_quadratica_righe(view)[0]}),
                    means);
}

void TestStatistiche::rankSum() {
    // Three units, two indicators: ranks 1 and 3 give (4 - 3) / (3 * 4 - 1).
    Matrix ranks = Matrix::ofSize(3, 2);
    ranks.values = {1, 2, 3, 3, 2, 1};
    QVERIFY(quasiUguali(somma_ranghi_righe(ranks.view())[0], 1.0 / 11));
    // 40 indicators by 799 units: the product of the counts exceeds 16 bits.
    Matrix large = Matrix::ofSize(799, 40);
    large.values.assign(large.values.size(), 1.0);
    QVERIFY(quasiUguali(somma_ranghi_righe(large.view())[0], (40.0 - 41.0) / (41.0 * 800.0 - 1.0)));
}

void TestStatistiche::geometricMeanOutOfRange() {
    // 400 factors of 1e10 overflow the product; 400 factors of 1e-10 underflow it.
    Matrix matrix = Matrix::ofSize(2, 400);
    for (int j = 0; j < 400; ++j) {
        matrix.value(0, j) = 1e10;
        matrix.value(1, j) = 1e-10;
    }
    const auto mean = media_geometrica_righe(matrix.view());
    QVERIFY(quasiUguali(mean[0], 1e10, 1e-9));
    QVERIFY(quasiUguali(mean[1] * 1e10, 1.0, 1e-9));
}

QTEST_APPLESS_MAIN(TestStatistiche)
#include "tst_statistiche.moc"
