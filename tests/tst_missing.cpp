#include "support/testsupport.h"

#include "methods/methodcomputation.h"
#include "methods/methodsteps.h"
#include "shared/regional.h"
#include "stats/statistiche.h"
#include "treatment/em.h"
#include "treatment/missing.h"
#include "workbook/caricamatrice.h"

#include <QTest>

#include <cmath>

namespace {

const Regional kC{QLocale::c()};

bool near(double a, double b, double tolerance = 1e-9) {
    return std::fabs(a - b) <= tolerance * std::max(1.0, std::fabs(b));
}

Matrix gappy(const std::vector<std::vector<double>>& columns) {
    return gappyMatrix(columns);
}

} // namespace

class TestMissing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void notAvailableTexts();
    void coverageRuleIndicatorsThenUnits();
    void refusals();
    void availableWorkedByHand();
    void fillByMeanAndMedian();
    void emAgainstClosedForm();
    void emStopsWhenCancelled();
};

void TestMissing::notAvailableTexts() {
    for (const char* text : {"NA", " n/a ", "n.d.", "N.A.", "..", ":", "-", "nd"})
        QVERIFY2(isNotAvailableText(QString::fromUtf8(text)), text);
    for (const char* text : {"n", "NaN", "--", "0", "mancante"})
        QVERIFY2(!isNotAvailableText(QString::fromUtf8(text)), text);
}

// Indicators first over every unit, then units over what is left.
void TestMissing::coverageRuleIndicatorsThenUnits() {
    const double x = NAN;
    // I2 has 2 of 4 values (50%): left out at 0.65; then U4 has 1 of 2.
    const Matrix matrix = gappy({{1, 2, 3, x}, {1, x, x, 4}, {5, 6, 7, 8}});
    const LeftOut out = coverageRule(matrix, 0.65);
    QCOMPARE(out.indicators, std::vector<int>{1});
    QCOMPARE(out.units, std::vector<int>{3});
    QVERIFY(coverageRule(matrix, 0.0).indicators.empty());
    const Coverage coverage = coverageOf(matrix);
    QCOMPARE(coverage.missingCells(), qint64(3));
    QCOMPARE(coverage.units[1].available, 2);
    // What the rule compares: units over the indicators it keeps (U2 has
    // 2 of 3 over all, both of I1 and I3), indicators over every unit.
    const Coverage ruled = ruleCoverage(matrix, 0.65);
    QCOMPARE(ruled.units[1].share(), 1.0);
    QCOMPARE(ruled.units[3].share(), 0.5);
    QCOMPARE(ruled.indicators[1].share(), 0.5);
    QCOMPARE(ruled.missingCells(), qint64(3));

    // A text that marks no missing value ("x", "...") is counted apart.
    Matrix texts = matrix;
    texts.missing[0] = kInvalidValue; // I1 of U1
    const Coverage withText = coverageOf(texts);
    QCOMPARE(withText.missingCells(), qint64(3));
    QCOMPARE(withText.invalidCells(), qint64(1));
    QCOMPARE(gapsCount(withText, kC), QStringLiteral("3 valori mancanti (25.0%) e 1 celle con un "
                                                     "testo che non è un numero né un valore "
                                                     "mancante"));
}

void TestMissing::refusals() {
    const double x = NAN;
    // The default refuses with the loader's own message.
    const Matrix some = gappy({{1, 2, x}, {3, 4, 5}});
    const auto refused = treatMissing(some, MissingTreatment::Refuse, 0.0, kC);
    QVERIFY(!refused);
    QCOMPARE(refused.error().message.section(u'\n', 0, 0), nullValuesMessage(QStringLiteral("I1")));
    // An indicator or unit without a value is refused when nothing is left
    // out; above 0 the rule leaves it out like any other.
    const Matrix blank = gappy({{x, x, x, x}, {x, 4, 5, 1}, {x, 2, 7, 3}});
    const auto empty = treatMissing(blank, MissingTreatment::Mean, 0.0, kC);
    QVERIFY(!empty);
    QVERIFY(empty.error().message.contains(QStringLiteral("I1")));
    const auto leftOut = treatMissing(blank, MissingTreatment::Mean, 0.1, kC);
    QVERIFY(leftOut);
    QCOMPARE(leftOut->leftOut.indicators, std::vector<int>{0});
    QCOMPARE(leftOut->leftOut.units, std::vector<int>{0});
    QCOMPARE(leftOut->matrix.unitCount(), 3);
    // A text that is no number is still refused.
    Matrix text = some;
    text.missing[2] = kInvalidValue;
    QCOMPARE(
        treatMissing(text, MissingTreatment::Mean, 0.0, kC).error().message.section(u'\n', 0, 0),
        textValuesMessage(QStringLiteral("I1")));
    // Constant over its available values.
    const auto constant =
        treatMissing(gappy({{2, 2, x}, {3, 4, 5}}), MissingTreatment::Available, 0.0, kC);
    QCOMPARE(constant.error().message, constantIndicatorMessage(QStringLiteral("I1")));
}

// The mean of standardised values over each unit's available indicators:
// z-scores over each indicator's available values.
void TestMissing::availableWorkedByHand() {
    const double x = NAN;
    const auto treated =
        treatMissing(gappy({{1, 2, 3, x}, {10, 20, 30, 40}}), MissingTreatment::Available, 0.0, kC);
    QVERIFY(treated);
    QVERIFY(treated->filled.empty());
    const auto output = computeMethod(MethodPosition::StandardizedMean, treated->matrix.view());
    QVERIFY(output);
    // I1 over 1, 2, 3: mean 2, population deviation sqrt(2/3).
    // I2 over 10..40: mean 25, deviation sqrt(125).
    const double z1 = 1.0 / std::sqrt(2.0 / 3.0);
    const double z2 = 15.0 / std::sqrt(125.0);
    QVERIFY(near(output->index[0], (-z1 - z2) / 2.0));
    QVERIFY(near(output->index[3], z2)); // U4 has I2 only
    QVERIFY(std::isnan(output->transformed[3]));

    // The rankings method ranks each indicator among the units that have it,
    // scaled to n, and scales the unit's rank sum to all indicators.
    const auto grad = computeMethod(MethodPosition::Ranks, treated->matrix.view());
    QVERIFY(grad);
    // U4: rank 1 of 4 on I2; S = 2/1 * 1 = 2; (S - 3) / (3 * 5 - 1).
    QVERIFY(near(grad->index[3], (2.0 - 3.0) / 14.0));
    // U1: rank 3 of 3 on I1, scaled 4/3 -> 4; rank 4 on I2; S = 8.
    QVERIFY(near(grad->index[0], (8.0 - 3.0) / 14.0));

    // Weights 1, 2, 3: U4 has only I2 and I3, whose weights are rescaled to
    // sum to 2 (0.8 and 1.2); its mean of t is (0.8 t2 + 1.2 t3) / 2.
    Matrix weighted = gappy({{1, 2, 3, x}, {10, 20, 30, 40}, {4, 3, 2, 1}});
    weighted.weights = {1, 2, 3};
    const std::vector<double> means = media_righe(weighted.view());
    QVERIFY(near(means[3], (0.8 * 40 + 1.2 * 1) / 2.0));
    QVERIFY(near(means[0], (1.0 * 1 + 2.0 * 10 + 3.0 * 4) / 6.0)); // complete: w m / sum(w)
    // Wroclaw: the squared distance over the available columns scaled by
    // m / available. z-scores: I1 over 2, 3, 1 (ideal U3), I2 and I3 over
    // four values (ideal U4). U1 lacks I1: 2 (15 / sqrt(125))^2 = 14.4 over
    // two columns, 21.6 over three; U4, complete, is 2 sqrt(3/2) from the
    // ideal on I1 and on the ideal elsewhere: 6.
    const Matrix wroc = gappy({{x, 2, 3, 1}, {10, 20, 30, 40}, {1, 2, 3, 4}});
    std::vector<double> distances;
    double mean = 0;
    double deviation = 0;
    distanze_ideale(wroc.view().withValues(
                        computeMethod(MethodPosition::Wroclaw, wroc.view())->transformed.data()),
                    distances, mean, deviation);
    QVERIFY(near(distances[0], std::sqrt(21.6)));
    QVERIFY(near(distances[3], std::sqrt(6.0)));

    // A complete matrix keeps no mask under any treatment.
    for (const MissingTreatment t : {MissingTreatment::Available, MissingTreatment::Em})
        QVERIFY(treatMissing(gappy({{1, 2, 3}, {3, 1, 2}}), t, 0.65, kC)->matrix.missing.empty());
}

void TestMissing::fillByMeanAndMedian() {
    const double x = NAN;
    const Matrix matrix = gappy({{1, 2, 10, x}, {x, 5, 6, 7}});
    const auto mean = treatMissing(matrix, MissingTreatment::Mean, 0.0, kC);
    QVERIFY(mean);
    QCOMPARE(mean->filled.size(), std::size_t(2));
    // Unit by unit: U1 (I2) before U4 (I1).
    QCOMPARE(mean->filled[0].unit, 0);
    QCOMPARE(mean->filled[0].value, 6.0);
    QCOMPARE(mean->filled[1].unit, 3);
    QCOMPARE(mean->filled[1].value, 13.0 / 3.0);
    const auto median = treatMissing(matrix, MissingTreatment::Median, 0.0, kC);
    QCOMPARE(median->filled[1].value, 2.0);
    QCOMPARE(median->matrix.value(3, 0), 2.0);
}

// With one complete column and gaps in the other, the maximum-likelihood
// fill has a closed form: the regression of y on x over the complete units,
// y = mean_y + b (x - mean_x).
void TestMissing::emAgainstClosedForm() {
    const double g = NAN;
    const std::vector<double> x{1, 2, 3, 4, 5, 6, 7, 8};
    const std::vector<double> y{2.1, 3.9, 6.2, 8.1, g, 11.8, g, 16.3};
    Matrix matrix = gappy({x, y});
    const EmResult em = expectationMaximisation(matrix);
    QVERIFY(em.converged);
    double sx = 0, sy = 0, k = 0;
    for (std::size_t i = 0; i < x.size(); ++i)
        if (!std::isnan(y[i])) {
            sx += x[i];
            sy += y[i];
            ++k;
        }
    const double mx = sx / k;
    const double my = sy / k;
    double sxy = 0, sxx = 0;
    for (std::size_t i = 0; i < x.size(); ++i)
        if (!std::isnan(y[i])) {
            sxy += (x[i] - mx) * (y[i] - my);
            sxx += (x[i] - mx) * (x[i] - mx);
        }
    const double b = sxy / sxx;
    QVERIFY(near(em.filled[8 + 4], my + b * (5 - mx), 1e-7));
    QVERIFY(near(em.filled[8 + 6], my + b * (7 - mx), 1e-7));
    // The available cells stay as they were.
    QCOMPARE(em.filled[8 + 3], 8.1);
}

// Cancelled, EM stops before its first iteration and the treatment fails
// as cancelled, filling nothing.
void TestMissing::emStopsWhenCancelled() {
    const double g = NAN;
    const Matrix matrix = gappy({{1, 2, 3, 4, 5}, {2, g, 6, 8, 9}, {5, 3, g, 1, 2}});
    WorkProgress progress;
    progress.cancel();
    const EmResult em = expectationMaximisation(matrix, &progress);
    QVERIFY(em.cancelled && !em.converged);
    QCOMPARE(em.iterations, 1);
    const auto treated = treatMissing(matrix, MissingTreatment::Em, 0.0, kC, &progress);
    QVERIFY(!treated);
    QCOMPARE(treated.error().kind, FailureKind::Cancelled);
    QVERIFY(treatMissing(matrix, MissingTreatment::Em, 0.0, kC));
}

QTEST_GUILESS_MAIN(TestMissing)
#include "tst_missing.moc"
