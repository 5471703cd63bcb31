#include "support/testsupport.h"
#include "workbook/caricamatrice.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class TestCaricaMatrice : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsBlockAndFlags();
    void extentStopsAtGaps();
    void refusals_data();
    void refusals();
    void numericTextUnderItalian();
    void fileErrorsLeaveStateAlone_data();
    void fileErrorsLeaveStateAlone();
    void missingWorkbook();
    void formatByContent_data();
    void formatByContent();
};

namespace {
const Regional kItalian{QLocale(QLocale::Italian, QLocale::Italy)};
const Regional kC{QLocale::c()};

CellValue t(const char* text) {
    return CellValue(QString::fromUtf8(text));
}
using Rows = std::vector<std::vector<CellValue>>;

QString nulli(const char* name) {
    return messaggioValoriNulli(QString::fromUtf8(name));
}
QString alfa(const char* name) {
    return messaggioValoriAlfanumerici(QString::fromUtf8(name));
}
QString costante(const char* name) {
    return messaggioIndicatoreCostante(QString::fromUtf8(name));
}
} // namespace

void TestCaricaMatrice::loadsBlockAndFlags() {
    MemoryReader reader({{t("Regione"), t("PIL"), t("disoccupazione")},
                         {t("Piemonte"), 10.0, 0.0},
                         {t("Valle d'Aosta/Vallée d'Aoste"), -1.0, 7.5},
                         {t("Lombardia"), 12.0, 6.0}});
    SharedState s;
    s.strMatrice = QStringLiteral("/dati/m.xlsx");
    s.bRisultati = true;
    const LoadResult result = carica_matrice(s, reader, kC);
    QVERIFY2(result.loaded(), qPrintable(result.message));
    QCOMPARE(s.nRighe, 4);
    QCOMPARE(s.nColonne, 3);
    QCOMPARE(s.matDati.cell(1, 1), t("Regione"));
    QCOMPARE(s.matDati.cell(3, 1), t("Valle d'Aosta/Vallée d'Aoste"));
    QCOMPARE(s.matDati.cell(3, 2), CellValue(-1.0));
    QVERIFY(s.bNegativi);
    QVERIFY(s.bZeri);
    QVERIFY(s.bRisultati); // loading never resets it
    // Every table is dimensioned afresh, rows 0..nRighe.
    QCOMPARE(s.matTrasformata.lastRow(), 4);
    QCOMPARE(s.matTrasformata.lastCol(), 3);
    QCOMPARE(s.matValori.lastCol(), 2);
    QCOMPARE(s.matGraduatoria.lastRow(), 4);
    QCOMPARE(s.matRanghi.lastCol(), 2);
    QVERIFY(s.matValori.cell(2, 2).isEmpty());
    QVERIFY(s.matDati.cell(0, 0).isEmpty());
}

void TestCaricaMatrice::extentStopsAtGaps() {
    // A gap in row 1 ends the indicators; a gap in column 1 ends the units.
    MemoryReader reader({{t("Prov"), t("A"), t("B"), CellValue(), t("D")},
                         {t("x"), 1.0, 2.0, t("ignored"), 9.0},
                         {t("y"), 2.0, 1.0},
                         {CellValue(), t("ignored"), t("ignored")},
                         {t("w"), t("ignored")}});
    SharedState s;
    const LoadResult result = carica_matrice(s, reader, kC);
    QVERIFY2(result.loaded(), qPrintable(result.message));
    QCOMPARE(s.nRighe, 3);
    QCOMPARE(s.nColonne, 3);
    QVERIFY(!s.bNegativi);
    QVERIFY(!s.bZeri);

    // A formula that gives empty text ends the block like an empty cell.
    MemoryReader emptyText({{t("Prov"), t("A"), t("")}, {t("x"), 1.0}, {t("y"), 2.0}, {t("")}});
    QVERIFY(carica_matrice(s, emptyText, kC).loaded());
    QCOMPARE(s.nRighe, 3);
    QCOMPARE(s.nColonne, 2);
}

void TestCaricaMatrice::refusals_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty value") << Rows{{t("P"), t("A"), t("B")},
                                         {t("x"), 1.0, 1.0},
                                         {t("y"), CellValue(), 2.0}}
                                 << nulli("A");
    QTest::newRow("blank text") << Rows{{t("P"), t("A"), t("B")},
                                        {t("x"), 1.0, t("   ")},
                                        {t("y"), 2.0, 2.0}}
                                << nulli("B");
    QTest::newRow("text") << Rows{{t("P"), t("A")}, {t("x"), t("n.d.")}, {t("y"), 2.0}}
                          << alfa("A");
    // Columns are examined before rows: the text in indicator 2 further
    // down wins over the empty cell of indicator 3.
    QTest::newRow("columns first") << Rows{{t("P"), t("A"), t("B")},
                                           {t("x"), 1.0, CellValue()},
                                           {t("y"), 2.0, 3.0},
                                           {t("z"), t("abc"), 4.0}}
                                   << alfa("A");
    QTest::newRow("date") << Rows{{t("P"), t("A")},
                                  {t("x"), CellValue::fromDate(
                                               QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC))},
                                  {t("y"), 2.0}}
                          << alfa("A");
    QTest::newRow("error value") << Rows{{t("P"), t("A")},
                                         {t("x"), 1.0},
                                         {t("y"), CellValue::fromError(QStringLiteral("#DIV/0!"))}}
                                 << alfa("A");
    QTest::newRow("boolean") << Rows{{t("P"), t("A")},
                                     {t("x"), 1.0},
                                     {t("y"), CellValue::fromBool(true)}}
                             << alfa("A");
    QTest::newRow("infinity") << Rows{{t("P"), t("A")}, {t("x"), 1.0}, {t("y"), HUGE_VAL}}
                              << alfa("A");
    QTest::newRow("point under italian")
        << Rows{{t("P"), t("A")}, {t("x"), 1.0}, {t("y"), t("12.5")}} << alfa("A");
    QTest::newRow("constant") << Rows{{t("P"), t("A"), t("b"), t("C")},
                                      {t("x"), 1.0, 5.0, 7.0},
                                      {t("y"), 2.0, 5.0, 7.0}}
                              << costante("b");
    QTest::newRow("single unit") << Rows{{t("P"), t("A"), t("B")}, {t("x"), 1.0, 2.0}}
                                 << costante("A");
    QTest::newRow("numeric header")
        << Rows{{t("P"), 2015.0}, {t("x"), 1.0}, {t("y"), t("")}} << nulli("2015");
    // The constant check runs only after every value has been read.
    QTest::newRow("value checks first")
        << Rows{{t("P"), t("A"), t("B")}, {t("x"), 1.0, 1.0}, {t("y"), 1.0, t("?")}} << alfa("B");
}

void TestCaricaMatrice::refusals() {
    QFETCH(Rows, rows);
    QFETCH(QString, message);
    MemoryReader reader(rows);
    SharedState s;
    s.nRighe = 9; // the earlier matrix stays in place on a refusal
    const LoadResult result = carica_matrice(s, reader, kItalian);
    QCOMPARE(result.status, LoadResult::Status::Refused);
    QCOMPARE(result.message, message);
    QCOMPARE(s.nRighe, 9);
}

void TestCaricaMatrice::numericTextUnderItalian() {
    MemoryReader reader({{t("P"), t("A")}, {t("x"), t("3,5")}, {t("y"), t(" 1.234,5 ")}});
    SharedState s;
    const LoadResult result = carica_matrice(s, reader, kItalian);
    QVERIFY2(result.loaded(), qPrintable(result.message));
    QCOMPARE(s.matDati.cell(2, 2), CellValue(3.5));
    QCOMPARE(s.matDati.cell(3, 2), CellValue(1234.5));
    QCOMPARE(kItalian.gridText(s.matDati.cell(2, 2)), QStringLiteral("3,5000"));
}

void TestCaricaMatrice::fileErrorsLeaveStateAlone_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("empty A1") << Rows{{CellValue(), t("A")}, {t("x"), 1.0}} << QStringLiteral("A1");
    QTest::newRow("no indicator") << Rows{{t("P")}, {t("x")}, {t("y")}}
                                  << QStringLiteral("non contiene indicatori");
    QTest::newRow("no unit") << Rows{{t("P"), t("A"), t("B")}}
                             << QStringLiteral("non contiene unità");
}

void TestCaricaMatrice::fileErrorsLeaveStateAlone() {
    QFETCH(Rows, rows);
    QFETCH(QString, fragment);
    MemoryReader reader(rows);
    SharedState s;
    s.strMatrice = QStringLiteral("/dati/vuota.xlsx");
    const LoadResult result = carica_matrice(s, reader, kC);
    QCOMPARE(result.status, LoadResult::Status::FileError);
    QVERIFY2(result.message.contains(fragment), qPrintable(result.message));
    QVERIFY2(result.message.contains(QStringLiteral("vuota.xlsx")), qPrintable(result.message));
    QCOMPARE(s.nRighe, 0);
    QVERIFY(!s.matDati.isDimensioned());
}

void TestCaricaMatrice::missingWorkbook() {
    SharedState s;
    s.strMatrice = QStringLiteral("/nonexistent/folder/m.xls");
    const LoadResult result = carica_matrice(s, kC);
    QCOMPARE(result.status, LoadResult::Status::FileError);
    QVERIFY(result.message.contains(QStringLiteral("non esiste")));
}

// The content tells the format where it has a signature, whatever the name;
// text goes by its extension.
void TestCaricaMatrice::formatByContent_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("format");
    const QString examples = QStringLiteral(ORVALTA_EXAMPLES "/");
    QTest::newRow(".ods named .xlsx")
        << fixture("twins/regioni.ods") << "m.xlsx" << int(WorkbookFormat::Ods);
    QTest::newRow(".xlsx named .ods") << examples + "regioni.xlsx"
                                      << "m.ods" << int(WorkbookFormat::Xlsx);
    QTest::newRow(".xls named .csv") << examples + "regioni.xls"
                                     << "m.csv" << int(WorkbookFormat::Xls);
    QTest::newRow(".odt") << fixture("ods/relazione.odt") << "m.odt" << int(WorkbookFormat::Ods);
    QTest::newRow("broken zip named .ods")
        << fixture("ods/troncato.ods") << "m.ods" << int(WorkbookFormat::Ods);
    QTest::newRow("broken zip named .xlsx")
        << fixture("ods/troncato.ods") << "m.xlsx" << int(WorkbookFormat::Xlsx);
    QTest::newRow("text named .TXT")
        << fixture("csv/virgole.txt") << "m.TXT" << int(WorkbookFormat::Csv);
    QTest::newRow("text named .tsv")
        << fixture("csv/virgole.txt") << "m.tsv" << int(WorkbookFormat::Csv);
    QTest::newRow("text named .dat")
        << fixture("csv/virgole.txt") << "m.dat" << int(WorkbookFormat::Unknown);
}

void TestCaricaMatrice::formatByContent() {
    QFETCH(QString, source);
    QFETCH(QString, name);
    QFETCH(int, format);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QVERIFY(QFile::copy(source, path));
    QCOMPARE(int(detectWorkbookFormat(path)), format);
    QString error;
    const auto reader = openWorkbook(path, kItalian, &error);
    if (WorkbookFormat(format) == WorkbookFormat::Unknown)
        QCOMPARE(error, QStringLiteral("Il file m.dat non è una matrice in un formato "
                                       "riconosciuto: cartella di lavoro Excel (.xls o .xlsx), "
                                       "foglio di calcolo OpenDocument (.ods) o testo delimitato "
                                       "(.csv, .txt, .tsv)."));
    else
        QVERIFY(reader || error.contains(name));
}

QTEST_APPLESS_MAIN(TestCaricaMatrice)
#include "tst_caricamatrice.moc"
