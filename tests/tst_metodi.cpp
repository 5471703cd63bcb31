#include "comparison/indextextkey.h"
#include "methods/methodcomputation.h"
#include "methods/ranking.h"
#include "support/testsupport.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

// The nine methods as numbers (index, ranks, transformed matrix) on small
// matrices worked by hand, their refusals, the ranking rule and its keys.
class TestMetodi : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void methodList();
    void ranking_data();
    void ranking();
    void rankingCheckedWithoutSorting();
    void indexKeyIsTheKeyOfTheIndexText_data();
    void indexKeyIsTheKeyOfTheIndexText();
    void writtenTextKeysFromBytes();
    void indexTextKeys_data();
    void indexTextKeys();
    void methods_data();
    void methods();
    void refusals_data();
    void refusals();
    void scaleInvariance_data();
    void scaleInvariance();
};

namespace {
using Numbers = std::vector<double>;
using Ranks = std::vector<int>;

CellValue t(const char* text) {
    return CellValue(QString::fromUtf8(text));
}

MethodPosition at(int position) {
    return static_cast<MethodPosition>(position);
}

// Two units, z-scores -1 and 1: on opposite orders, or the same order.
const Rows kDueUnita{{t("P"), t("A"), t("B")}, {t("a"), 1.0, 30.0}, {t("b"), 3.0, 10.0}};
const Rows kDueUnitaConcordi{{t("P"), t("A"), t("B")}, {t("a"), 1.0, 10.0}, {t("b"), 3.0, 30.0}};
const Rows kUnIndicatore{{t("P"), t("Pil")}, {t("a"), 1.0}, {t("b"), 3.0}};
const Rows kUnIndicatoreNegativo{{t("P"), t("pil")}, {t("a"), 1.0}, {t("b"), 3.0}};
const Rows kTreValori{{t("P"), t("Ind")}, {t("a"), 10.0}, {t("b"), 20.0}, {t("c"), 40.0}};
const Rows kTreValoriNegativo{{t("P"), t("ind")}, {t("a"), 10.0}, {t("b"), 20.0}, {t("c"), 40.0}};
// Means 5 and 4: index numbers 2, 0 and 0.5, 1.5.
const Rows kNumeriIndici{{t("P"), t("A"), t("B")}, {t("a"), 10.0, 2.0}, {t("b"), 0.0, 6.0}};
// Means 4 and 6, "b" negative: unit a sits on both means.
const Rows kSullaMedia{
    {t("P"), t("A"), t("b")}, {t("a"), 4.0, 6.0}, {t("b"), 2.0, 3.0}, {t("c"), 6.0, 9.0}};

// Odd multiples of 1/32 (a 5 in the fifth decimal: ties between two
// four-decimal texts), the decimal ties k + (2h + 1) / 20000 with their
// neighbours, values around the ends of 15 digits (1e11), of exact
// integers (1e15) and beyond (1e20), tiny values, negatives that round to
// zero, and random values of every magnitude.
Numbers keyProbes() {
    Numbers values;
    for (const double whole :
         {0.0, 1.0, 5.0, 123.0, 99999.0, 123456789.0, 99999999999.0, 123456789012.0, 1e13, 2e14})
        for (int k = 1; k < 32; k += 2)
            values.push_back(whole + k / 32.0);
    for (const double whole : {0.0, 7.0, 1234.0, 1e6, 1e9, 99999999999.0})
        for (int h = 0; h < 20000; h += 997) {
            const double tie = whole + (2 * h + 1) / 20000.0;
            values.insert(values.end(),
                          {tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e300)});
        }
    for (const double edge : {1e11, 1e15, 1e20, 9999.99995, 99999999999.99995}) {
        double below = edge;
        double above = edge;
        for (int step = 0; step < 8; ++step) {
            values.insert(values.end(), {below, above});
            below = std::nextafter(below, 0.0);
            above = std::nextafter(above, 1e300);
        }
    }
    values.insert(values.end(), {1e-300, 5e-324, 4.9999e-5, 5e-5, 5.000000001e-5, 1.5e-4, 1e300,
                                 1.7e308, 123456789012345678.0, 0.0});
    std::mt19937_64 random(24);
    for (int k = 0; k < 3000; ++k) {
        const double mantissa = std::uniform_real_distribution<double>(1.0, 10.0)(random);
        const int exponent = int(random() % 36) - 12;
        values.push_back(mantissa * std::pow(10.0, exponent));
        values.push_back(double(std::int64_t(random() % 100000000000000)) / 32.0);
    }
    const std::size_t positives = values.size();
    for (std::size_t k = 0; k < positives; ++k)
        values.push_back(-values[k]);
    return values;
}
} // namespace

// The codes name the result files, the headers head their columns.
void TestMetodi::methodList() {
    QStringList methods;
    for (const MethodInfo& method : methodTable())
        methods.append(QStringList{method.code, method.indexHeader, method.transformedPrefix,
                                   method.ascending ? "asc" : "desc"}
                           .join(u' '));
    QCOMPARE(methods,
             QStringList({"MPI+ MPI+ Z_ desc", "MPI- MPI- Z_ desc", "WROC Wroclaw Z_ asc",
                          "M1VZ M1Z Z_ desc", "GRAD Grad.RNK R_ asc", "INRE IR IR_ desc",
                          "M1NI ANIM NI_ desc", "M0NI GNIM NI_ desc", "M2NI QNIM NI_ desc"}));
    for (int position = 0; position < 9; ++position) {
        QCOMPARE(methodAt(at(position)).position, position);
        QCOMPARE(methodWithCode(methodCodes()[position]), &methodAt(at(position)));
        // The list entry the user picks begins with the code of its files.
        QVERIFY(methodAt(at(position)).entryText.startsWith(methodAt(at(position)).code + u' '));
    }
    QCOMPARE(methodAt(MethodPosition::MpiNegative).entryText,
             QStringLiteral("MPI-  Metodo Mazziotta Pareto Index negativo"));
    QVERIFY(!methodWithCode(QStringLiteral("GRA")));
}

void TestMetodi::ranking_data() {
    QTest::addColumn<Numbers>("values");
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<bool>("fourDecimals"); // rankIndex, else rankValues
    QTest::addColumn<Ranks>("ranks");
    const double nan = std::nan("");
    // The later of two tied units is ranked first.
    QTest::newRow("descending ties") << Numbers{0.5, 0.7, 0.5} << false << false << Ranks{3, 1, 2};
    QTest::newRow("ascending ties") << Numbers{0.5, 0.7, 0.5} << true << false << Ranks{2, 3, 1};
    QTest::newRow("all tied") << Numbers{1, 1, 1, 1} << false << false << Ranks{4, 3, 2, 1};
    QTest::newRow("negatives") << Numbers{-3, 2, -1, 0} << false << false << Ranks{4, 1, 3, 2};
    QTest::newRow("single") << Numbers{42} << true << false << Ranks{1};
    QTest::newRow("nan last") << Numbers{nan, 1, nan, 2} << false << false << Ranks{4, 2, 3, 1};
    // Values beyond 1e39 in magnitude rank like any other.
    QTest::newRow("large") << Numbers{-2e39, 5e40, 0.0, -1e300, 3e39} << false << false
                           << Ranks{4, 1, 3, 5, 2};
    QTest::newRow("large ascending")
        << Numbers{-2e39, 5e40, 0.0, -1e300, 3e39} << true << false << Ranks{2, 5, 3, 1, 4};
    QTest::newRow("-0 equals 0") << Numbers{0.0, -0.0} << false << false << Ranks{2, 1};
    // Index values that agree to four decimals are tied; an exact tie
    // between two texts rounds away from zero.
    QTest::newRow("four decimals")
        << Numbers{1.00004, 1.00001, 0.99996, 1.00006} << false << true << Ranks{4, 3, 2, 1};
    QTest::newRow("tie rounds up")
        << Numbers{1.03125, 1.0313, 1.0312} << false << true << Ranks{2, 1, 3};
    QTest::newRow("negative tie rounds down")
        << Numbers{-5.15625, -5.1563, -5.1562} << true << true << Ranks{2, 1, 3};
    QTest::newRow("long texts") << Numbers{1e20, 1e20 + 16384, 123456789012.03125,
                                           123456789012.0313, 123456789012.0312}
                                << false << true << Ranks{2, 1, 4, 3, 5};
    QTest::newRow("rounds to zero")
        << Numbers{-0.00004, 0.0, 0.00004, -0.00005} << true << true << Ranks{4, 3, 2, 1};
    QTest::newRow("not finite") << Numbers{nan, 1.0, std::numeric_limits<double>::infinity()}
                                << false << true << Ranks{3, 1, 2};
}

void TestMetodi::ranking() {
    QFETCH(Numbers, values);
    QFETCH(bool, ascending);
    QFETCH(bool, fourDecimals);
    QFETCH(Ranks, ranks);
    QCOMPARE(fourDecimals ? rankIndex(values, ascending) : rankValues(values, ascending), ranks);
}

// isRanking tells the ranks rankValues gives from every other list, for a
// short list (sorted by insertion) as for a long one.
void TestMetodi::rankingCheckedWithoutSorting() {
    Numbers all{0.0, -0.0, std::nan(""), 2.5, std::nan("")};
    std::mt19937 random(11);
    for (int i = 0; i < 500; ++i)
        all.push_back(double(int(random() % 16)) - 8.0); // many ties
    for (const auto& [values, ascending] :
         {std::pair(Numbers(all.begin(), all.begin() + 40), false), std::pair(all, false),
          std::pair(all, true)}) {
        Ranks ranks = rankValues(values, ascending);
        QVERIFY(isRanking(values, ascending, ranks));
        QVERIFY(!isRanking(values, !ascending, ranks));
        // Two units of equal value swapped break the later-first rule;
        // a rank given twice or out of range is no ranking.
        std::size_t first = 5;
        std::size_t tied = values.size();
        for (; first < values.size() && tied == values.size(); ++first)
            tied = std::size_t(
                std::find(values.begin() + qsizetype(first) + 1, values.end(), values[first]) -
                values.begin());
        --first;
        QVERIFY(tied < values.size());
        std::swap(ranks[first], ranks[tied]);
        QVERIFY(!isRanking(values, ascending, ranks));
        std::swap(ranks[first], ranks[tied]);
        ranks[0] = ranks[1];
        QVERIFY(!isRanking(values, ascending, ranks));
        ranks[0] = int(values.size()) + 1;
        QVERIFY(!isRanking(values, ascending, ranks));
    }
}

void TestMetodi::indexKeyIsTheKeyOfTheIndexText_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("c") << QLocale::c();
    QTest::newRow("italian") << QLocale(QLocale::Italian, QLocale::Italy);
}

// The key found without a text is the key of the text the program writes,
// read back as a comparison reads it.
void TestMetodi::indexKeyIsTheKeyOfTheIndexText() {
    QFETCH(QLocale, locale);
    const Regional regional(locale);
    for (const double value : keyProbes()) {
        const QString text = regional.indexText(value);
        const double key = indexKey(value);
        QVERIFY2(key == indexTextKey(CellValue(text), regional),
                 qPrintable(QStringLiteral("%1 (%2): %3")
                                .arg(value, 0, 'g', 17)
                                .arg(text)
                                .arg(key, 0, 'f', 6)));
    }
    QVERIFY(std::isnan(indexKey(std::numeric_limits<double>::infinity())));
    QVERIFY(std::isnan(indexKey(std::nan(""))));
}

// The key of an index text read from its UTF-8 bytes is the key of the
// decoded text.
void TestMetodi::writtenTextKeysFromBytes() {
    const Regional italian(QLocale(QLocale::Italian, QLocale::Italy));
    const QStringList texts{"1.234,5678",
                            "-0,0500",
                            "0,0000",
                            "12,5",
                            "n.d.",
                            "7",
                            "123456789012,3456",
                            "9876543210123456,0001",
                            "\u2212"
                            "3,2500",
                            "1\u00a0234,5000"};
    for (const QString& text : texts) {
        const double expected = writtenIndexTextKey(text, italian);
        const double key = writtenIndexTextKey(QByteArrayView(text.toUtf8()), italian);
        QVERIFY2(std::isnan(expected) ? std::isnan(key) : key == expected, qPrintable(text));
    }
}

void TestMetodi::indexTextKeys_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("ascendingTexts");
    const QLocale it(QLocale::Italian, QLocale::Italy);
    QTest::newRow("italian") << it << QStringList{"-1.234,5678", "-2,0000",       "-0,0500",
                                                  "0,0000",      "0,0001",        "999,9999",
                                                  "1.000,0000",  "1.234.567,0001"};
    QTest::newRow("c") << QLocale::c()
                       << QStringList{"-1,234.5678", "-0.0500", "0.0000", "0.5000", "1,000.0000"};
    // Values beyond 1e304, whose keys once overflowed.
    const QString huge = QString(305, u'0') + QStringLiteral(",0000");
    QTest::newRow("huge") << it
                          << QStringList{"-2" + huge, "-1" + huge, "999,9999", "1" + huge,
                                         "2" + huge};
    // Texts in another form are read through the locale: 1,5 and 1,50000.
    QTest::newRow("other forms") << it << QStringList{"1,4999", "1,5", "1,50001", "1,5001"};
}

void TestMetodi::indexTextKeys() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, ascendingTexts);
    const Regional regional(locale);
    for (qsizetype i = 1; i < ascendingTexts.size(); ++i) {
        const double before = indexTextKey(CellValue(ascendingTexts[i - 1]), regional);
        const double after = indexTextKey(CellValue(ascendingTexts[i]), regional);
        QVERIFY2(before < after, qPrintable(ascendingTexts[i - 1] + " !< " + ascendingTexts[i]));
    }
    QVERIFY(std::isnan(indexTextKey(CellValue(QStringLiteral("n.d.")), regional)));
}

void TestMetodi::methods_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<int>("position");
    QTest::addColumn<Numbers>("index");
    QTest::addColumn<Ranks>("ranks");
    QTest::addColumn<Numbers>("transformed"); // column after column

    // Opposite orders on two indicators: M = 100, S = 10, cv = 0.1 for
    // both units, tied; the same order: S = 0, both variants give the mean.
    QTest::newRow("MPI+ unbalanced")
        << kDueUnita << 0 << Numbers{101, 101} << Ranks{2, 1} << Numbers{90, 110, 110, 90};
    QTest::newRow("MPI- unbalanced")
        << kDueUnita << 1 << Numbers{99, 99} << Ranks{2, 1} << Numbers{90, 110, 110, 90};
    QTest::newRow("MPI+ balanced")
        << kDueUnitaConcordi << 0 << Numbers{90, 110} << Ranks{2, 1} << Numbers{90, 110, 90, 110};
    QTest::newRow("MPI+ mirrored")
        << kUnIndicatoreNegativo << 0 << Numbers{110, 90} << Ranks{1, 2} << Numbers{110, 90};
    // Distances 2 and 0 from the ideal unit, mean 1, deviation 1: D / 3.
    // Wroclaw keeps the z-scores unsigned; the polarity picks the ideal.
    QTest::newRow("WROC") << kUnIndicatore << 2 << Numbers{2.0 / 3, 0} << Ranks{2, 1}
                          << Numbers{-1, 1};
    QTest::newRow("WROC negative")
        << kUnIndicatoreNegativo << 2 << Numbers{0, 2.0 / 3} << Ranks{1, 2} << Numbers{-1, 1};
    // The best unit on every indicator is at distance 0.
    QTest::newRow("WROC ideal unit")
        << kDueUnitaConcordi << 2 << Numbers{2.0 / 3, 0} << Ranks{2, 1} << Numbers{-1, 1, -1, 1};
    QTest::newRow("M1VZ") << kUnIndicatore << 3 << Numbers{-1, 1} << Ranks{2, 1} << Numbers{-1, 1};
    QTest::newRow("M1VZ negative")
        << kUnIndicatoreNegativo << 3 << Numbers{1, -1} << Ranks{1, 2} << Numbers{1, -1};
    // Ranks 1, 2, 3 on both: (S - 3) / (3 * 4 - 1).
    QTest::newRow("GRAD") << Rows{{t("P"), t("A"), t("B")},
                                  {t("a"), 30.0, 7.0},
                                  {t("b"), 20.0, 5.0},
                                  {t("c"), 10.0, 1.0}}
                          << 4 << Numbers{-1.0 / 11, 1.0 / 11, 3.0 / 11} << Ranks{1, 2, 3}
                          << Numbers{1, 2, 3, 1, 2, 3};
    // One indicator: (r - 2) / (2 * 4 - 1); rank 1 to the smallest value.
    QTest::newRow("GRAD negative")
        << Rows{{t("P"), t("ind")}, {t("a"), 10.0}, {t("b"), 30.0}, {t("c"), 20.0}} << 4
        << Numbers{-1.0 / 7, 1.0 / 7, 0} << Ranks{1, 3, 2} << Numbers{1, 3, 2};
    QTest::newRow("GRAD ties")
        << Rows{{t("P"), t("Ind")}, {t("a"), 5.0}, {t("b"), 5.0}, {t("c"), 7.0}} << 4
        << Numbers{1.0 / 7, 0, -1.0 / 7} << Ranks{3, 2, 1} << Numbers{3, 2, 1};
    QTest::newRow("INRE") << kTreValori << 5 << Numbers{0, 1.0 / 3, 1} << Ranks{3, 2, 1}
                          << Numbers{0, 1.0 / 3, 1};
    QTest::newRow("INRE negative") << kTreValoriNegativo << 5 << Numbers{1, 2.0 / 3, 0}
                                   << Ranks{1, 2, 3} << Numbers{1, 2.0 / 3, 0};
    QTest::newRow("M1NI") << kNumeriIndici << 6 << Numbers{1.25, 0.75} << Ranks{1, 2}
                          << Numbers{2, 0, 0.5, 1.5};
    QTest::newRow("M2NI") << kNumeriIndici << 8 << Numbers{std::sqrt(2.125), std::sqrt(1.125)}
                          << Ranks{1, 2} << Numbers{2, 0, 0.5, 1.5};
    QTest::newRow("M0NI") << Rows{{t("P"), t("A"), t("B")},
                                  {t("a"), 10.0, 2.0},
                                  {t("b"), 20.0, 6.0}}
                          << 7 << Numbers{std::sqrt(1.0 / 3), std::sqrt(2.0)} << Ranks{2, 1}
                          << Numbers{2.0 / 3, 4.0 / 3, 0.5, 1.5};
    // Mean / x on the negative indicator. The geometric means are all 1,
    // up to the last binary digit: tied.
    const Numbers onMean{1, 0.5, 1.5, 1, 2, 2.0 / 3};
    QTest::newRow("M1NI on the mean")
        << kSullaMedia << 6 << Numbers{1, 1.25, 13.0 / 12} << Ranks{3, 1, 2} << onMean;
    QTest::newRow("M0NI on the mean")
        << kSullaMedia << 7 << Numbers{1, 1, 1} << Ranks{3, 2, 1} << onMean;
    QTest::newRow("M2NI on the mean")
        << kSullaMedia << 8 << Numbers{1, std::sqrt(2.125), std::sqrt((2.25 + 4.0 / 9) / 2)}
        << Ranks{3, 1, 2} << onMean;
    // Index values that differ beyond the fourth decimal are tied: both
    // write 1,5000.
    const double mean = (0.50001 + 0.50004 + 0.0) / 3;
    const Numbers nearTie{0.50001 / mean, 0.50004 / mean, 0};
    QTest::newRow("M1NI four-decimal tie")
        << Rows{{t("P"), t("Ind")}, {t("a"), 0.50001}, {t("b"), 0.50004}, {t("c"), 0.0}} << 6
        << nearTie << Ranks{2, 1, 3} << nearTie;
}

void TestMetodi::methods() {
    QFETCH(Rows, rows);
    QFETCH(int, position);
    QFETCH(Numbers, index);
    QFETCH(Ranks, ranks);
    QFETCH(Numbers, transformed);
    const Matrix matrix = matrixFrom(rows);
    const Expected<MethodOutput> output = computeMethod(at(position), matrix.view());
    QVERIFY2(output, qPrintable(failureMessage(output)));
    COMPARE_NUMBERS(output->index, index);
    QCOMPARE(output->ranks, ranks);
    COMPARE_NUMBERS(output->transformed, transformed);
    // The two stages give the same index.
    const std::vector<double> columns = transformColumns(at(position), matrix.view());
    COMPARE_NUMBERS(columns, transformed);
    const Expected<std::vector<double>> aggregated =
        indexOf(at(position), matrix.view(), matrix.view().withValues(columns.data()));
    QVERIFY(aggregated);
    COMPARE_NUMBERS(*aggregated, index);
}

void TestMetodi::refusals_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("message"); // empty: accepted

    // 101 units, one at 0 and a hundred at 101: mean 100, deviation 10, so
    // the low unit's z-score is -10 and its rescaled value 0.
    Rows zeroMean{{t("P"), t("Ind")}, {t("u0"), 0.0}};
    for (int i = 1; i <= 100; ++i)
        zeroMean.push_back({CellValue(QStringLiteral("u%1").arg(i)), 101.0});
    for (const int position : {0, 1})
        QTest::addRow("%s zero mean", qPrintable(indexHeaderAt(at(position))))
            << zeroMean << position
            << indexHeaderAt(at(position)) + " - Il metodo non è applicabile: un'unità ha media "
                                             "nulla dei valori riscalati";

    const Rows zeroPositive{{t("P"), t("A")}, {t("a"), 0.0}, {t("b"), 2.0}};
    const Rows negative{{t("P"), t("A")}, {t("a"), -1.0}, {t("b"), 2.0}};
    const Rows zeroNegative{{t("P"), t("a")}, {t("a"), 0.0}, {t("b"), 2.0}};
    QTest::newRow("zero M1NI accepted") << zeroPositive << 6 << QString();
    QTest::newRow("zero M2NI accepted") << zeroPositive << 8 << QString();
    QTest::newRow("zero M0NI") << zeroPositive << 7
                               << "GNIM - Il metodo non prevede valori negativi o nulli";
    QTest::newRow("negative M1NI")
        << negative << 6 << "ANIM - Il metodo non prevede valori strettamente negativi";
    QTest::newRow("negative M0NI")
        << negative << 7 << "GNIM - Il metodo non prevede valori negativi o nulli";
    QTest::newRow("negative M2NI")
        << negative << 8 << "QNIM - Il metodo non prevede valori strettamente negativi";
    QTest::newRow("zero on negative M1NI")
        << zeroNegative << 6
        << "ANIM - Il metodo non prevede valori nulli per gli indicatori di polarità negativa";
    QTest::newRow("zero on negative M2NI")
        << zeroNegative << 8
        << "QNIM - Il metodo non prevede valori nulli per gli indicatori di polarità negativa";
    // Index numbers that leave the range of doubles: mean / 1e-300.
    const Rows apart{{t("P"), t("a")}, {t("a"), 1e308}, {t("b"), 1e-300}};
    for (const int position : {6, 7, 8})
        QTest::addRow("%s out of range", qPrintable(indexHeaderAt(at(position))))
            << apart << position
            << indexHeaderAt(at(position)) +
                   " - Il metodo non è applicabile: i valori degli indicatori sono troppo "
                   "distanti tra loro e l'indice di un'unità supera il massimo rappresentabile";
}

void TestMetodi::refusals() {
    QFETCH(Rows, rows);
    QFETCH(int, position);
    QFETCH(QString, message);
    const Expected<MethodOutput> output = computeMethod(at(position), matrixFrom(rows).view());
    if (message.isEmpty()) {
        QVERIFY(output);
        QCOMPARE(output->transformed[0], 0.0); // a zero on a positive indicator gives 0
        return;
    }
    QVERIFY(!output);
    QCOMPARE(output.error().message, message);
    QVERIFY(output.error().kind == FailureKind::MethodRefused);
}

void TestMetodi::scaleInvariance_data() {
    QTest::addColumn<Rows>("rows");
    const Rows positive{{t("P"), t("Alfa"), t("beta"), t("Gamma")},
                        {t("a"), 3.0, 7.0, 2.0},
                        {t("b"), 5.0, 1.0, 9.0},
                        {t("c"), 8.0, 4.0, 6.0},
                        {t("d"), 1.0, 9.0, 4.0}};
    Rows signs = positive;
    signs[1][1] = -9.0;
    signs[3][1] = 9.0;
    signs[4][2] = -2.0;
    QTest::newRow("positive") << positive;
    QTest::newRow("both signs") << signs;
}

// Every method gives the same index (or the same refusal) when an indicator
// is multiplied by a power of two near either end of the range of doubles,
// since each one is invariant under a change of scale.
void TestMetodi::scaleInvariance() {
    QFETCH(Rows, rows);
    const Matrix base = matrixFrom(rows);
    Matrix extreme = base;
    for (double& x : extreme.column(0))
        x = std::ldexp(x, 1020); // up to 1.6e308
    for (double& x : extreme.column(1))
        x = std::ldexp(x, -1000); // down to 9e-302
    for (int position = 0; position < 9; ++position) {
        const Expected<MethodOutput> expected = computeMethod(at(position), base.view());
        const Expected<MethodOutput> scaled = computeMethod(at(position), extreme.view());
        QCOMPARE(scaled.has_value(), expected.has_value());
        if (!expected) {
            QCOMPARE(scaled.error().message, expected.error().message);
            continue;
        }
        COMPARE_NUMBERS(scaled->index, expected->index);
        QCOMPARE(scaled->ranks, expected->ranks);
    }
}

QTEST_APPLESS_MAIN(TestMetodi)
#include "tst_metodi.moc"
