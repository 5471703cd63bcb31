#include "stats/statistiche.h"
#include "support/testsupport.h"

#include <QTest>

#include <cmath>

class TestStatistiche : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void columnStatistics();
    void singleUnit();
    void headersAndLabelsNeverCount();
    void rowStatistics();
    void singleIndicator();
    void rankSum();
    void rankSumOnLargeCounts();
    void geometricMeanOutOfRange();
};

namespace {
CellValue t(const char* text) {
    return CellValue(QString::fromUtf8(text));
}

// A state whose matTrasformata holds the given block.
SharedState trasformataDa(const std::vector<std::vector<CellValue>>& rows) {
    SharedState s = statoDa(rows);
    riempi(s.matTrasformata, rows);
    return s;
}
} // namespace

void TestStatistiche::columnStatistics() {
    // Two units with 1 and 3: mean 2 and population deviation 1, not sqrt(2).
    const SharedState s =
        statoDa({{t("Prov"), t("A"), t("b")}, {t("x"), 1.0, -5.0}, {t("y"), 3.0, 0.0}});
    const auto media = media_colonne(s);
    const auto scarto = scarto_colonne(s);
    const auto minimo = minimo_colonne(s);
    const auto massimo = massimo_colonne(s);
    QCOMPARE(media.size(), std::size_t(4));
    QCOMPARE(media[2], 2.0);
    QCOMPARE(scarto[2], 1.0);
    QCOMPARE(media[3], -2.5);
    QCOMPARE(scarto[3], 2.5);
    QCOMPARE(minimo[2], 1.0);
    QCOMPARE(massimo[2], 3.0);
    QCOMPARE(minimo[3], -5.0);
    QCOMPARE(massimo[3], 0.0);
    QVERIFY(std::isnan(media[0]) && std::isnan(media[1]));
    QVERIFY(std::isnan(minimo[1]) && std::isnan(massimo[0]));
}

void TestStatistiche::singleUnit() {
    const SharedState s = statoDa({{t("Prov"), t("A")}, {t("x"), 7.0}});
    QCOMPARE(media_colonne(s)[2], 7.0);
    QCOMPARE(scarto_colonne(s)[2], 0.0);
    QCOMPARE(minimo_colonne(s)[2], massimo_colonne(s)[2]);
}

void TestStatistiche::headersAndLabelsNeverCount() {
    // Numbers in the header row and the label column must not enter.
    const SharedState s = statoDa(
        {{1000.0, 2000.0, 3000.0}, {500.0, 4.0, 10.0}, {600.0, 2.0, 20.0}, {700.0, 6.0, 30.0}});
    QCOMPARE(media_colonne(s)[2], 4.0);
    QCOMPARE(massimo_colonne(s)[3], 30.0);
    QCOMPARE(minimo_colonne(s)[2], 2.0);
    SharedState tr = trasformataDa({{1000.0, 2000.0, 3000.0}, {500.0, 2.0, 8.0}});
    QCOMPARE(media_righe(tr)[2], 5.0);
}

void TestStatistiche::rowStatistics() {
    // A unit with 2 and 8: mean 5, deviation 3, geometric mean 4, quadratic sqrt(34).
    const SharedState s =
        trasformataDa({{t("Prov"), t("Z_A"), t("Z_B")}, {t("x"), 2.0, 8.0}, {t("y"), 0.0, 5.0}});
    QCOMPARE(media_righe(s)[2], 5.0);
    QCOMPARE(scarto_righe(s)[2], 3.0);
    QVERIFY(quasiUguali(media_geometrica_righe(s)[2], 4.0));
    QVERIFY(quasiUguali(media_quadratica_righe(s)[2], std::sqrt(34.0)));
    QCOMPARE(media_geometrica_righe(s)[3], 0.0); // a zero factor makes the mean 0
    const auto media = media_righe(s);
    QVERIFY(std::isnan(media[0]) && std::isnan(media[1]));
}

void TestStatistiche::singleIndicator() {
    const SharedState s = trasformataDa({{t("Prov"), t("A")}, {t("x"), 6.25}});
    QCOMPARE(media_righe(s)[2], 6.25);
    QCOMPARE(scarto_righe(s)[2], 0.0);
    QCOMPARE(media_geometrica_righe(s)[2], 6.25);
    QCOMPARE(media_quadratica_righe(s)[2], 6.25);
}

void TestStatistiche::rankSum() {
    // Three units, two indicators: ranks 1 and 3 give (4 - 3) / (12 - 1).
    const SharedState s = trasformataDa({{t("Prov"), t("R_A"), t("R_B")},
                                         {t("x"), 1.0, 3.0},
                                         {t("y"), 2.0, 2.0},
                                         {t("z"), 3.0, 1.0}});
    QVERIFY(quasiUguali(somma_ranghi_righe(s)[2], 1.0 / 11.0));
}

void TestStatistiche::rankSumOnLargeCounts() {
    // 41 columns by 800 rows: the product of the counts exceeds 16 bits.
    SharedState s;
    s.nRighe = 800;
    s.nColonne = 41;
    s.dimensionTables();
    for (int r = 2; r <= s.nRighe; ++r)
        for (int c = 2; c <= s.nColonne; ++c)
            s.matTrasformata(r, c) = 1.0;
    const auto value = somma_ranghi_righe(s);
    QVERIFY(quasiUguali(value[2], (40.0 - 41.0) / (41.0 * 800.0 - 1.0)));
}

void TestStatistiche::geometricMeanOutOfRange() {
    // 400 factors of 1e10 overflow the product; 400 factors of 1e-10 underflow it.
    SharedState s;
    s.nRighe = 3;
    s.nColonne = 401;
    s.dimensionTables();
    for (int c = 2; c <= s.nColonne; ++c) {
        s.matTrasformata(2, c) = 1e10;
        s.matTrasformata(3, c) = 1e-10;
    }
    const auto mean = media_geometrica_righe(s);
    QVERIFY(quasiUguali(mean[2], 1e10, 1e-9));
    QVERIFY(quasiUguali(mean[3] * 1e10, 1.0, 1e-9));
}

QTEST_APPLESS_MAIN(TestStatistiche)
#include "tst_statistiche.moc"
