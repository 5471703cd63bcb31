#include "comparison/cograduation.h"
#include "comparison/rounding.h"
#include "comparison/spearman.h"

#include <QTest>

#include <cmath>
#include <utility>

class TestCograduation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void coefficientRounded_data();
    void coefficientRounded();
    void roundHalfEven4_data();
    void roundHalfEven4();
    void tenThousandthsHalfEven_data();
    void tenThousandthsHalfEven();
    void matrixFillsLowerTriangle_data();
    void matrixFillsLowerTriangle();
    void singleUnitDoesNotFail();
};

namespace {
const QLocale kItalian(QLocale::Italian, QLocale::Italy);
const QLocale kC = QLocale::c();

using Swaps = QList<std::pair<int, int>>;

QList<int> identity(int units) {
    QList<int> ranks;
    for (int r = 1; r <= units; ++r)
        ranks.append(r);
    return ranks;
}

// The ranks 1..units with the given positions (1-based) exchanged: disjoint
// exchanges of positions k apart add 2 k^2 each to the sum of squared
// differences against the identity.
QList<int> swapped(int units, const Swaps& swaps) {
    QList<int> ranks = identity(units);
    for (const auto& [a, b] : swaps)
        std::swap(ranks[a - 1], ranks[b - 1]);
    return ranks;
}

std::span<const int> span(const QList<int>& list) {
    return {list.constData(), std::size_t(list.size())};
}
} // namespace

void TestCograduation::coefficientRounded_data() {
    QTest::addColumn<QList<int>>("a");
    QTest::addColumn<QList<int>>("b");
    QTest::addColumn<double>("expected");

    QTest::newRow("three units, S = 2") << QList<int>{1, 2, 3} << QList<int>{2, 1, 3} << 0.5000;
    QTest::newRow("four units, S = 2")
        << QList<int>{1, 2, 3, 4} << QList<int>{1, 2, 4, 3} << 0.8000;
    QTest::newRow("same order") << QList<int>{3, 1, 2, 5, 4} << QList<int>{3, 1, 2, 5, 4} << 1.0000;
    QTest::newRow("reversed order") << identity(5) << QList<int>{5, 4, 3, 2, 1} << -1.0000;
    QTest::newRow("neither column in order")
        << QList<int>{3, 1, 2} << QList<int>{3, 2, 1} << 0.5000;
    QTest::newRow("repeating, rounds down")
        << identity(6) << QList<int>{3, 1, 5, 6, 2, 4} << 0.2571;
    QTest::newRow("repeating, rounds up") << identity(6) << QList<int>{2, 1, 3, 4, 5, 6} << 0.9429;

    // 63 units: S = 40362 makes rho exactly 1/32 = 0.03125, a half at the
    // fifth decimal that is exact in binary as well: the even digit 2 stays.
    QTest::newRow("half 0.03125 to even") << identity(63)
                                          << swapped(63, {{1, 63},
                                                          {2, 62},
                                                          {3, 61},
                                                          {4, 60},
                                                          {5, 59},
                                                          {6, 58},
                                                          {7, 31},
                                                          {8, 14},
                                                          {9, 11},
                                                          {12, 13}})
                                          << 0.0312;
    // S = 37758: rho = 3/32 = 0.09375, the odd digit 7 goes up to 8.
    QTest::newRow("half 0.09375 up")
        << identity(63)
        << swapped(
               63,
               {{1, 63}, {2, 62}, {3, 61}, {4, 60}, {5, 59}, {6, 50}, {7, 16}, {8, 9}, {10, 11}})
        << 0.0938;
    // S = 42966: rho = -1/32.
    QTest::newRow("half -0.03125 to even") << identity(63)
                                           << swapped(63, {{1, 63},
                                                           {2, 62},
                                                           {3, 61},
                                                           {4, 60},
                                                           {5, 59},
                                                           {6, 58},
                                                           {7, 50},
                                                           {8, 16},
                                                           {9, 11},
                                                           {12, 13},
                                                           {14, 15}})
                                           << -0.0312;
    // 65 units: S = 2002 makes rho exactly 153/160 = 0.95625, a half that no
    // double holds; the double nearest lies above it, yet the half goes to
    // the even digit.
    QTest::newRow("half 0.95625 to even, double above")
        << identity(65) << swapped(65, {{1, 32}, {2, 8}, {3, 5}}) << 0.9562;
    // S = 2574: rho = 151/160 = 0.94375 exactly, its double lies below.
    QTest::newRow("half 0.94375 up, double below")
        << identity(65) << swapped(65, {{1, 36}, {2, 9}, {3, 6}, {5, 7}}) << 0.9438;
    // Ranks outside 1..n go through the double: S = 1, rho = 1 - 6 / 24.
    QTest::newRow("rank outside 1..n") << QList<int>{0, 2, 3} << identity(3) << 0.75;
}

void TestCograduation::coefficientRounded() {
    QFETCH(QList<int>, a);
    QFETCH(QList<int>, b);
    QFETCH(double, expected);
    const SpearmanCoefficient coefficient(span(a), span(b));
    QCOMPARE(coefficient.rounded(), expected);
    // The pair is symmetric.
    QCOMPARE(SpearmanCoefficient(span(b), span(a)).rounded(), expected);
    // The value lies within half a unit of the last decimal kept.
    QVERIFY(std::fabs(coefficient.value() - expected) <= 0.00005 + 1e-12);
}

void TestCograduation::roundHalfEven4_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("exact half to even") << 0.03125 << 0.0312;
    QTest::newRow("exact half up to even") << 0.09375 << 0.0938;
    QTest::newRow("negative exact half") << -0.03125 << -0.0312;
    // The double written 0.00005 is slightly above the half; its product by
    // 10^4 rounds to exactly 0.5, which must not be taken for a half.
    QTest::newRow("just above a half, product looks exact") << 0.00005 << 0.0001;
    QTest::newRow("just above 2.5 ten-thousandths") << 0.00025 << 0.0003;
    QTest::newRow("just below a half") << 0.00015 << 0.0001;
    QTest::newRow("ordinary") << 0.123456 << 0.1235;
    QTest::newRow("minus one") << -1.0 << -1.0;
    QTest::newRow("tiny negative") << -0.00004 << 0.0;
}

void TestCograduation::roundHalfEven4() {
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(::roundHalfEven4(value), expected);
}

void TestCograduation::tenThousandthsHalfEven_data() {
    QTest::addColumn<qint64>("numerator");
    QTest::addColumn<qint64>("denominator");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("0.95625 to even") << qint64(153) << qint64(160) << qint64(9562);
    QTest::newRow("0.94375 up to even") << qint64(151) << qint64(160) << qint64(9438);
    QTest::newRow("negative half") << qint64(-153) << qint64(160) << qint64(-9562);
    QTest::newRow("half of the last unit to zero") << qint64(1) << qint64(20000) << qint64(0);
    QTest::newRow("one and a half units") << qint64(3) << qint64(20000) << qint64(2);
    QTest::newRow("a third") << qint64(1) << qint64(3) << qint64(3333);
    QTest::newRow("two thirds") << qint64(2) << qint64(3) << qint64(6667);
    QTest::newRow("negative two thirds") << qint64(-2) << qint64(3) << qint64(-6667);
    QTest::newRow("whole") << qint64(-6) << qint64(1) << qint64(-60000);
    // The largest fraction rho can reach: n = 2^20 - 1 units, D just below
    // 2^60 and 6 S close to 6 D; ten times the remainder passes 2^63.
    const qint64 d = qint64(1048575) * (qint64(1048575) * 1048575 - 1);
    QTest::newRow("largest denominator") << (d - 6 * (d - 1)) << d << qint64(-50000);
    QTest::newRow("largest, just below a half") << (d / 2 - 1) << d << qint64(5000);
}

void TestCograduation::tenThousandthsHalfEven() {
    QFETCH(qint64, numerator);
    QFETCH(qint64, denominator);
    QFETCH(qint64, expected);
    QCOMPARE(::tenThousandthsHalfEven(numerator, denominator), expected);
}

void TestCograduation::matrixFillsLowerTriangle_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("italian") << kItalian
                             << QStringList{QStringLiteral(";MPI+;Wroclaw;Grad.RNK"),
                                            QStringLiteral("MPI+;1,0000;;"),
                                            QStringLiteral("Wroclaw;0,8000;1,0000;"),
                                            QStringLiteral("Grad.RNK;-1,0000;-0,8000;1,0000")};
    QTest::newRow("english") << kC
                             << QStringList{QStringLiteral(";MPI+;Wroclaw;Grad.RNK"),
                                            QStringLiteral("MPI+;1.0000;;"),
                                            QStringLiteral("Wroclaw;0.8000;1.0000;"),
                                            QStringLiteral("Grad.RNK;-1.0000;-0.8000;1.0000")};
}

void TestCograduation::matrixFillsLowerTriangle() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, expected);
    const QList<int> ranks[] = {{1, 2, 3, 4}, {1, 2, 4, 3}, {4, 3, 2, 1}};
    const CoefficientMatrix matrix = cograduationMatrix(
        {QStringLiteral("MPI+"), QStringLiteral("Wroclaw"), QStringLiteral("Grad.RNK")},
        {span(ranks[0]), span(ranks[1]), span(ranks[2])});
    QCOMPARE(matrix.at(2, 1), -0.8);
    QVERIFY(std::isnan(matrix.at(1, 2)));
    const TextTable table = coefficientTable(matrix, Regional(locale));
    QCOMPARE(table.rowCount(), 4);
    QCOMPARE(table.columnCount(), 4);
    QCOMPARE(table.joinedRows(), expected);
}

void TestCograduation::singleUnitDoesNotFail() {
    const QList<int> one{1};
    const SpearmanCoefficient coefficient(span(one), span(one));
    QVERIFY(std::isnan(coefficient.value()));
    QVERIFY(std::isnan(coefficient.rounded()));

    const CoefficientMatrix matrix =
        cograduationMatrix({QStringLiteral("A"), QStringLiteral("B")}, {span(one), span(one)});
    QCOMPARE(coefficientTable(matrix, Regional(kItalian)).joinedRows(),
             (QStringList{QStringLiteral(";A;B"), QStringLiteral("A;1,0000;"),
                          QStringLiteral("B;;1,0000")}));
}

QTEST_APPLESS_MAIN(TestCograduation)
#include "tst_cograduation.moc"
