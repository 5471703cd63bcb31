#include "methods/methodsteps.h"
#include "methods/metodi.h"
#include "methods/ranking.h"
#include "stats/statistiche.h"
#include "support/testsupport.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdint>

using Rows = std::vector<std::vector<CellValue>>;
using Texts = QStringList;

class TestMetodi : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void methodTableEntries();
    void ranking_data();
    void ranking();
    void rankingBeyondSentinels();
    void rankingCheckedWithoutSorting();
    void writtenTextKeysFromBytes();
    void indexTextKeys_data();
    void indexTextKeys();
    void indexValues_data();
    void indexValues();
    void transformed_data();
    void transformed();
    void mpiZeroMeanRefused();
    void wroclawDistances();
    void rankingsPerIndicator();
    void indexNumberRefusals_data();
    void indexNumberRefusals();
    void extremeValues_data();
    void extremeValues();
    void polarityByFirstCharacter_data();
    void polarityByFirstCharacter();
};

namespace {
const Regional kItalian{QLocale(QLocale::Italian, QLocale::Italy)};

CellValue t(const char* text) {
    return CellValue(QString::fromUtf8(text));
}

// A loaded state: matDati from rows, the sign flags as the loader sets them.
SharedState caricato(const Rows& rows) {
    SharedState s = statoDa(rows);
    for (int r = 2; r <= s.nRighe; ++r)
        for (int c = 2; c <= s.nColonne; ++c) {
            const double x = s.matDati.cell(r, c).number();
            s.bZeri = s.bZeri || x == 0.0;
            s.bNegativi = s.bNegativi || x < 0.0;
        }
    return s;
}

Texts valueTexts(const SharedState& s) {
    Texts texts;
    for (int r = 2; r <= s.nRighe; ++r)
        texts.append(kItalian.indexText(s.matValori(r, 2)));
    return texts;
}

const Rows kDueUnita{{t("P"), t("A"), t("B")}, {t("a"), 1.0, 30.0}, {t("b"), 3.0, 10.0}};
const Rows kDueUnitaConcordi{{t("P"), t("A"), t("B")}, {t("a"), 1.0, 10.0}, {t("b"), 3.0, 30.0}};
const Rows kUnIndicatore{{t("P"), t("Pil")}, {t("a"), 1.0}, {t("b"), 3.0}};
const Rows kUnIndicatoreNegativo{{t("P"), t("pil")}, {t("a"), 1.0}, {t("b"), 3.0}};
const Rows kTreValori{{t("P"), t("Ind")}, {t("a"), 10.0}, {t("b"), 20.0}, {t("c"), 40.0}};
const Rows kTreValoriNegativo{{t("P"), t("ind")}, {t("a"), 10.0}, {t("b"), 20.0}, {t("c"), 40.0}};
// Index numbers 2 and 0.5 for the first unit (means 5 and 4).
const Rows kNumeriIndici{{t("P"), t("A"), t("B")}, {t("a"), 10.0, 2.0}, {t("b"), 0.0, 6.0}};
const Rows kGraduatorie{
    {t("P"), t("A"), t("B")}, {t("a"), 30.0, 7.0}, {t("b"), 20.0, 5.0}, {t("c"), 10.0, 1.0}};
} // namespace

void TestMetodi::methodTableEntries() {
    const auto& table = methodTable();
    QCOMPARE(table.size(), std::size_t(9));
    QStringList codes;
    for (const auto& method : table)
        codes.append(methodCode(method.entryText));
    QCOMPARE(codes,
             (QStringList{QStringLiteral("MPI+"), QStringLiteral("MPI-"), QStringLiteral("WROC"),
                          QStringLiteral("M1VZ"), QStringLiteral("GRAD"), QStringLiteral("INRE"),
                          QStringLiteral("M1NI"), QStringLiteral("M0NI"), QStringLiteral("M2NI")}));
    QCOMPARE(table[1].entryText, QStringLiteral("MPI-  Metodo Mazziotta Pareto Index negativo"));
    QCOMPARE(table[2].indexHeader, QStringLiteral("Wroclaw"));
    QCOMPARE(table[3].indexHeader, QStringLiteral("M1Z"));
    QCOMPARE(table[4].indexHeader, QStringLiteral("Grad.RNK"));
    for (const auto& method : table)
        QCOMPARE(method.ascending, method.position == 2 || method.position == 4);
}

void TestMetodi::ranking_data() {
    QTest::addColumn<std::vector<double>>("values");
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<std::vector<int>>("ranks");
    // The later of two tied units is ranked first.
    QTest::newRow("descending ties")
        << std::vector<double>{0.5, 0.7, 0.5} << false << std::vector<int>{3, 1, 2};
    QTest::newRow("ascending ties")
        << std::vector<double>{0.5, 0.7, 0.5} << true << std::vector<int>{2, 3, 1};
    QTest::newRow("all tied") << std::vector<double>{1, 1, 1, 1} << false
                              << std::vector<int>{4, 3, 2, 1};
    QTest::newRow("negatives") << std::vector<double>{-3, 2, -1, 0} << false
                               << std::vector<int>{4, 1, 3, 2};
    QTest::newRow("single") << std::vector<double>{42} << true << std::vector<int>{1};
    QTest::newRow("nan last") << std::vector<double>{std::nan(""), 1, 2} << false
                              << std::vector<int>{3, 2, 1};
}

void TestMetodi::ranking() {
    QFETCH(std::vector<double>, values);
    QFETCH(bool, ascending);
    QFETCH(std::vector<int>, ranks);
    QCOMPARE(rankValues(values, ascending), ranks);
}

void TestMetodi::rankingBeyondSentinels() {
    // Values beyond 1e39 in magnitude rank like any other.
    const std::vector<double> values{-2e39, 5e40, 0.0, -1e300, 3e39};
    QCOMPARE(rankValues(values, false), (std::vector<int>{4, 1, 3, 5, 2}));
    QCOMPARE(rankValues(values, true), (std::vector<int>{2, 5, 3, 1, 4}));
}

// isRanking tells the ranks rankValues gives from every other list.
void TestMetodi::rankingCheckedWithoutSorting() {
    std::vector<double> values{0.0, -0.0, std::nan(""), 2.5, std::nan("")};
    std::uint64_t seed = 11;
    for (int i = 0; i < 500; ++i) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        values.push_back(double(int(seed >> 60)) - 8.0); // many ties
    }
    for (const bool ascending : {false, true}) {
        std::vector<int> ranks = rankValues(values, ascending);
        QVERIFY(isRanking(values, ascending, ranks));
        QVERIFY(!isRanking(values, !ascending, ranks));
        // Two units of equal value swapped break the later-first rule;
        // a rank given twice or out of range is no ranking.
        const auto tied = std::find(values.begin() + 6, values.end(), values[5]) - values.begin();
        std::swap(ranks[5], ranks[std::size_t(tied)]);
        QVERIFY(!isRanking(values, ascending, ranks));
        std::swap(ranks[5], ranks[std::size_t(tied)]);
        ranks[0] = ranks[1];
        QVERIFY(!isRanking(values, ascending, ranks));
        ranks[0] = int(values.size()) + 1;
        QVERIFY(!isRanking(values, ascending, ranks));
    }
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
        QCOMPARE(indexTextKey(CellValue(ascendingTexts[i]), regional), after);
    }
    QVERIFY(std::isnan(indexTextKey(CellValue(QStringLiteral("n.d.")), regional)));
}

void TestMetodi::indexValues_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("header");
    QTest::addColumn<Texts>("values");

    // Opposite orders on two indicators: M = 100, S = 10, cv = 0.1 for both.
    QTest::newRow("MPI+ unbalanced") << kDueUnita << 0 << "MPI+" << Texts{"101,0000", "101,0000"};
    QTest::newRow("MPI- unbalanced") << kDueUnita << 1 << "MPI-" << Texts{"99,0000", "99,0000"};
    // Same order: S = 0, both variants give the mean.
    QTest::newRow("MPI+ balanced")
        << kDueUnitaConcordi << 0 << "MPI+" << Texts{"90,0000", "110,0000"};
    QTest::newRow("MPI- balanced")
        << kDueUnitaConcordi << 1 << "MPI-" << Texts{"90,0000", "110,0000"};
    QTest::newRow("MPI+ mirrored")
        << kUnIndicatoreNegativo << 0 << "MPI+" << Texts{"110,0000", "90,0000"};
    QTest::newRow("WROC") << kUnIndicatore << 2 << "Wroclaw" << Texts{"0,6667", "0,0000"};
    QTest::newRow("WROC negative")
        << kUnIndicatoreNegativo << 2 << "Wroclaw" << Texts{"0,0000", "0,6667"};
    QTest::newRow("M1VZ") << kUnIndicatore << 3 << "M1Z" << Texts{"-1,0000", "1,0000"};
    QTest::newRow("M1VZ negative")
        << kUnIndicatoreNegativo << 3 << "M1Z" << Texts{"1,0000", "-1,0000"};
    // Ranked 3+3, 2+2, 1+1 with nRighe = 4, nColonne = 3: (S - 3) / 11.
    QTest::newRow("GRAD") << kGraduatorie << 4 << "Grad.RNK"
                          << Texts{"-0,0909", "0,0909", "0,2727"};
    QTest::newRow("INRE") << kTreValori << 5 << "IR" << Texts{"0,0000", "0,3333", "1,0000"};
    QTest::newRow("INRE negative")
        << kTreValoriNegativo << 5 << "IR" << Texts{"1,0000", "0,6667", "0,0000"};
    QTest::newRow("M1NI") << kNumeriIndici << 6 << "ANIM" << Texts{"1,2500", "0,7500"};
    QTest::newRow("M2NI") << kNumeriIndici << 8 << "QNIM" << Texts{"1,4577", "1,0607"};
    const Rows positive{{t("P"), t("A"), t("B")}, {t("a"), 10.0, 2.0}, {t("b"), 20.0, 6.0}};
    // 10/15 and 2/4 -> sqrt(1/3); 20/15 and 6/4 -> sqrt(2).
    QTest::newRow("M0NI") << positive << 7 << "GNIM" << Texts{"0,5774", "1,4142"};
    // Unit a sits on both means: every index number is 1, and so is every mean.
    const Rows unit{
        {t("P"), t("A"), t("b")}, {t("a"), 4.0, 6.0}, {t("b"), 2.0, 3.0}, {t("c"), 6.0, 9.0}};
    QTest::newRow("means of 1 (ANIM)")
        << unit << 6 << "ANIM" << Texts{"1,0000", "1,2500", "1,0833"};
    QTest::newRow("means of 1 (GNIM)")
        << unit << 7 << "GNIM" << Texts{"1,0000", "1,0000", "1,0000"};
    QTest::newRow("means of 1 (QNIM)")
        << unit << 8 << "QNIM" << Texts{"1,0000", "1,4577", "1,1607"};
}

void TestMetodi::indexValues() {
    QFETCH(Rows, rows);
    QFETCH(int, position);
    QFETCH(QString, header);
    QFETCH(Texts, values);
    SharedState s = caricato(rows);
    const Refusal refusal = methodStep(s, position, kItalian);
    QVERIFY2(!refusal, qPrintable(refusal.value_or(QString())));
    QCOMPARE(s.matValori.cell(1, 2), CellValue(header));
    QCOMPARE(s.matValori.cell(1, 1), s.matDati.cell(1, 1));
    QCOMPARE(s.matValori.cell(2, 1), s.matDati.cell(2, 1));
    QCOMPARE(valueTexts(s), values);
}

void TestMetodi::transformed_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<std::vector<double>>("column2");

    QTest::newRow("MPI rescaled") << kUnIndicatore << 0 << "Z_" << std::vector<double>{90, 110};
    QTest::newRow("MPI mirrored") << kUnIndicatoreNegativo << 1 << "Z_"
                                  << std::vector<double>{110, 90};
    // Wroclaw keeps the z-scores unsigned by polarity.
    QTest::newRow("WROC z") << kUnIndicatoreNegativo << 2 << "Z_" << std::vector<double>{-1, 1};
    QTest::newRow("M1VZ signed") << kUnIndicatoreNegativo << 3 << "Z_"
                                 << std::vector<double>{1, -1};
    QTest::newRow("GRAD positive")
        << Rows{{t("P"), t("Ind")}, {t("a"), 10.0}, {t("b"), 30.0}, {t("c"), 20.0}} << 4 << "R_"
        << std::vector<double>{3, 1, 2};
    QTest::newRow("GRAD negative")
        << Rows{{t("P"), t("ind")}, {t("a"), 10.0}, {t("b"), 30.0}, {t("c"), 20.0}} << 4 << "R_"
        << std::vector<double>{1, 3, 2};
    QTest::newRow("GRAD ties") << Rows{{t("P"), t("Ind")},
                                       {t("a"), 5.0},
                                       {t("b"), 5.0},
                                       {t("c"), 7.0}}
                               << 4 << "R_" << std::vector<double>{3, 2, 1};
    QTest::newRow("GRAD percent sign")
        << Rows{{t("P"), t("%occupati")}, {t("a"), 1.0}, {t("b"), 2.0}} << 4 << "R_"
        << std::vector<double>{2, 1};
    QTest::newRow("INRE") << kTreValori << 5 << "IR_" << std::vector<double>{0, 1.0 / 3.0, 1};
    QTest::newRow("INRE negative")
        << kTreValoriNegativo << 5 << "IR_" << std::vector<double>{1, 2.0 / 3.0, 0};
    // Mean 20: 10 -> 0.5 and 40 -> 2; inverted on a negative indicator.
    QTest::newRow("NI") << kTreValori << 6 << "NI_"
                        << std::vector<double>{10.0 / (70.0 / 3), 20.0 / (70.0 / 3),
                                               40.0 / (70.0 / 3)};
    QTest::newRow("NI negative") << kTreValoriNegativo << 8 << "NI_"
                                 << std::vector<double>{(70.0 / 3) / 10.0, (70.0 / 3) / 20.0,
                                                        (70.0 / 3) / 40.0};
}

void TestMetodi::transformed() {
    QFETCH(Rows, rows);
    QFETCH(int, position);
    QFETCH(QString, prefix);
    QFETCH(std::vector<double>, column2);
    SharedState s = caricato(rows);
    QVERIFY(!methodStep(s, position, kItalian));
    QCOMPARE(s.matTrasformata.cell(1, 1), s.matDati.cell(1, 1));
    QCOMPARE(s.matTrasformata.cell(1, 2), CellValue(prefix + s.matDati.cell(1, 2).text()));
    for (int r = 2; r <= s.nRighe; ++r) {
        QCOMPARE(s.matTrasformata.cell(r, 1), s.matDati.cell(r, 1));
        const double expected = column2[static_cast<std::size_t>(r - 2)];
        QVERIFY2(quasiUguali(s.matTrasformata.cell(r, 2).number(), expected),
                 qPrintable(QStringLiteral("row %1: %2 != %3")
                                .arg(r)
                                .arg(s.matTrasformata.cell(r, 2).number())
                                .arg(expected)));
    }
    QVERIFY(s.matTrasformata.cell(0, 0).isEmpty());
}

void TestMetodi::mpiZeroMeanRefused() {
    // 101 units, one at 0 and a hundred at 101: mean 100, deviation 10, so
    // the low unit's z-score is -10 and its rescaled value 0.
    Rows rows{{t("P"), t("Ind")}};
    rows.push_back({t("u0"), 0.0});
    for (int i = 1; i <= 100; ++i)
        rows.push_back({CellValue(QStringLiteral("u%1").arg(i)), 101.0});
    for (const int position : {0, 1}) {
        SharedState s = caricato(rows);
        const Refusal refusal = methodStep(s, position, kItalian);
        QVERIFY(refusal.has_value());
        QCOMPARE(*refusal,
                 QStringLiteral("%1 - Il metodo non è applicabile: un'unità ha media "
                                "nulla dei valori riscalati")
                     .arg(position == 0 ? QStringLiteral("MPI+") : QStringLiteral("MPI-")));
    }
}

void TestMetodi::wroclawDistances() {
    SharedState s = caricato(kUnIndicatore);
    QVERIFY(!wroclaw(s, kItalian));
    std::vector<double> distanze;
    double media = 0;
    double scarto = 0;
    distanze_ideale(s, distanze, media, scarto);
    QCOMPARE(distanze[2], 2.0);
    QCOMPARE(distanze[3], 0.0);
    QCOMPARE(media, 1.0);
    QCOMPARE(scarto, 1.0);
    // A unit holding the best value of every indicator is at distance 0.
    SharedState best = caricato(kDueUnitaConcordi);
    QVERIFY(!wroclaw(best, kItalian));
    QCOMPARE(kItalian.indexText(best.matValori(3, 2)), QStringLiteral("0,0000"));
}

void TestMetodi::rankingsPerIndicator() {
    SharedState s = caricato(
        {{t("P"), t("A"), t("b"), t("C")}, {t("x"), 1.0, 2.0, 3.0}, {t("y"), 2.0, 1.0, 1.0}});
    QVERIFY(!metodoGraduatorie(s, kItalian));
    QCOMPARE(s.matTrasformata.cell(1, 3), CellValue(QStringLiteral("R_b")));
    QCOMPARE(s.matTrasformata.cell(2, 1), CellValue(QStringLiteral("x")));
    // Every rank 1..n exactly once per indicator.
    for (int c = 2; c <= 4; ++c)
        QCOMPARE(s.matTrasformata.cell(2, c).number() + s.matTrasformata.cell(3, c).number(), 3.0);
}

void TestMetodi::indexNumberRefusals_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("message");

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
}

void TestMetodi::indexNumberRefusals() {
    QFETCH(Rows, rows);
    QFETCH(int, position);
    QFETCH(QString, message);
    SharedState s = caricato(rows);
    const Refusal refusal = methodStep(s, position, kItalian);
    QCOMPARE(refusal.value_or(QString()), message);
    if (message.isEmpty()) {
        // A zero on a positive indicator gives the index number 0.
        QCOMPARE(s.matTrasformata.cell(2, 2), CellValue(0.0));
    } else {
        QVERIFY(s.matTrasformata.cell(1, 1).isEmpty()); // refused before any table is touched
        QVERIFY(s.matValori.cell(2, 2).isEmpty());
    }
}

void TestMetodi::extremeValues_data() {
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

// Every method gives the same index texts (or the same refusal) when an
// indicator is multiplied by a power of two near the ends of the range of
// doubles, since each one is invariant under a change of scale.
void TestMetodi::extremeValues() {
    QFETCH(Rows, rows);
    Rows scaled = rows;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        scaled[r][1] = std::ldexp(rows[r][1].number(), 1020);  // up to 1.6e308
        scaled[r][2] = std::ldexp(rows[r][2].number(), -1000); // down to 9e-302
    }
    for (int position = 0; position < 9; ++position) {
        SharedState base = caricato(rows);
        SharedState extreme = caricato(scaled);
        const Refusal expected = methodStep(base, position, kItalian);
        QCOMPARE(methodStep(extreme, position, kItalian), expected);
        if (!expected)
            QCOMPARE(valueTexts(extreme), valueTexts(base));
    }
    SharedState extreme = caricato(scaled);
    QVERIFY(std::isfinite(scarto_colonne(extreme)[2]) && scarto_colonne(extreme)[3] > 0.0);

    // Index numbers that leave the range of doubles: mean / 1e-300.
    for (const int position : {6, 7, 8}) {
        SharedState s = caricato({{t("P"), t("a")}, {t("a"), 1e308}, {t("b"), 1e-300}});
        const Refusal refusal = methodStep(s, position, kItalian);
        QVERIFY(refusal && refusal->contains(u"supera il massimo rappresentabile"));
    }
}

void TestMetodi::polarityByFirstCharacter_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("negative");
    QTest::newRow("upper") << QStringLiteral("Pil") << false;
    QTest::newRow("lower") << QStringLiteral("pIL") << true;
    QTest::newRow("accented lower") << QStringLiteral("èmigrazione") << true;
    QTest::newRow("accented upper") << QStringLiteral("Èmigrazione") << false;
    QTest::newRow("digit") << QStringLiteral("2015 reddito") << false;
    QTest::newRow("blank") << QStringLiteral(" reddito") << false;
    QTest::newRow("percent") << QStringLiteral("%occupati") << false;
    QTest::newRow("greek lower") << QStringLiteral("δείκτης") << true;
}

void TestMetodi::polarityByFirstCharacter() {
    QFETCH(QString, name);
    QFETCH(bool, negative);
    // M1VZ turns the sign of z for negative polarity: 1 and 3 give -1 and 1 (positive).
    SharedState s = caricato({{t("P"), CellValue(name)}, {t("a"), 1.0}, {t("b"), 3.0}});
    QVERIFY(!mediaValoriStandardizzati(s, kItalian));
    QCOMPARE(s.matTrasformata.cell(2, 2).number(), negative ? 1.0 : -1.0);
}

QTEST_APPLESS_MAIN(TestMetodi)
#include "tst_metodi.moc"
