#include "support/testsupport.h"
#include "workbook/caricamatrice.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class TestCaricaMatrice : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsBlock();
    void extentStopsAtGaps();
    void polarityByFirstCharacter_data();
    void polarityByFirstCharacter();
    void refusals_data();
    void refusals();
    void refusalLocatesTheCell();
    void numericTextUnderItalian();
    void fileErrors_data();
    void fileErrors();
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

Expected<Matrix> load(const Rows& rows, const Regional& regional, WorkProgress* progress = nullptr,
                      MissingCells missing = MissingCells::Refused) {
    return carica_matrice(MemoryReader(rows), QStringLiteral("/dati/m.xlsx"), regional, progress,
                          missing);
}

QString nulli(const char* name) {
    return nullValuesMessage(QString::fromUtf8(name));
}
QString alfa(const char* name) {
    return textValuesMessage(QString::fromUtf8(name));
}
QString costante(const char* name) {
    return constantIndicatorMessage(QString::fromUtf8(name));
}
} // namespace

void TestCaricaMatrice::loadsBlock() {
    const Rows rows{{t("Regione"), t("PIL"), t("disoccupazione")},
                    {t("Piemonte"), 10.0, 0.0},
                    {t("Valle d'Aosta/Vallée d'Aoste"), -1.0, 7.5},
                    {t("Lombardia"), 12.0, 6.0}};
    const Expected<Matrix> matrix = load(rows, kC);
    QVERIFY2(matrix, qPrintable(failureMessage(matrix)));
    QCOMPARE(matrix->corner, t("Regione"));
    QCOMPARE(matrix->indicators, (std::vector<CellValue>{t("PIL"), t("disoccupazione")}));
    QCOMPARE(matrix->units, (std::vector<CellValue>{
                                t("Piemonte"), t("Valle d'Aosta/Vallée d'Aoste"), t("Lombardia")}));
    QCOMPARE(matrix->values, (std::vector<double>{10, -1, 12, 0, 7.5, 6}));
    QCOMPARE(matrix->negative, (std::vector<char>{0, 1}));
    QCOMPARE(matrix->weights, (std::vector<double>{1, 1}));
    QVERIFY(matrix->missing.empty());
    QVERIFY(hasNegativeValue(matrix->view()) && hasZeroValue(matrix->view()));

    // A cancellation before the end gives no matrix.
    WorkProgress progress;
    progress.cancel();
    const Expected<Matrix> cancelled = load(rows, kC, &progress);
    QVERIFY(!cancelled && cancelled.error().kind == FailureKind::Cancelled);
    QCOMPARE(cancelled.error().message, QStringLiteral("Caricamento della matrice annullato."));
}

void TestCaricaMatrice::extentStopsAtGaps() {
    // A gap in row 1 ends the indicators; a gap in column 1 ends the units.
    Expected<Matrix> matrix = load({{t("Prov"), t("A"), t("B"), CellValue(), t("D")},
                                    {t("x"), 1.0, 2.0, t("ignored"), 9.0},
                                    {t("y"), 2.0, 1.0},
                                    {CellValue(), t("ignored"), t("ignored")},
                                    {t("w"), t("ignored")}},
                                   kC);
    QVERIFY2(matrix, qPrintable(failureMessage(matrix)));
    QCOMPARE(matrix->unitCount(), 2);
    QCOMPARE(matrix->indicatorCount(), 2);
    QVERIFY(!hasNegativeValue(matrix->view()) && !hasZeroValue(matrix->view()));

    // A formula that gives empty text ends the block like an empty cell.
    matrix = load({{t("Prov"), t("A"), t("")}, {t("x"), 1.0}, {t("y"), 2.0}, {t("")}}, kC);
    QVERIFY2(matrix, qPrintable(failureMessage(matrix)));
    QCOMPARE(matrix->unitCount(), 2);
    QCOMPARE(matrix->indicatorCount(), 1);
}

void TestCaricaMatrice::polarityByFirstCharacter_data() {
    QTest::addColumn<CellValue>("name");
    QTest::addColumn<bool>("negative");
    QTest::newRow("upper") << t("Pil") << false;
    QTest::newRow("lower") << t("pIL") << true;
    QTest::newRow("accented lower") << t("èmigrazione") << true;
    QTest::newRow("accented upper") << t("Èmigrazione") << false;
    QTest::newRow("digit") << t("2015 reddito") << false;
    QTest::newRow("blank") << t(" reddito") << false;
    QTest::newRow("percent") << t("%occupati") << false;
    QTest::newRow("greek lower") << t("δείκτης") << true;
    QTest::newRow("number") << CellValue(2015.0) << false;
}

void TestCaricaMatrice::polarityByFirstCharacter() {
    QFETCH(CellValue, name);
    QFETCH(bool, negative);
    const Expected<Matrix> matrix = load({{t("P"), name}, {t("a"), 1.0}, {t("b"), 3.0}}, kC);
    QVERIFY2(matrix, qPrintable(failureMessage(matrix)));
    QCOMPARE(matrix->negative.front() != 0, negative);
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
    const Expected<Matrix> matrix = load(rows, kItalian);
    QVERIFY(!matrix);
    QVERIFY(matrix.error().kind == FailureKind::Refused);
    QCOMPARE(matrix.error().message.section(u'\n', 0, 0), message);
}

// The second line names the first offending cell in column order, its unit,
// and how many cells of the indicator are affected; the marked reading, as
// the windows and the batch tool load, says the same.
void TestCaricaMatrice::refusalLocatesTheCell() {
    const Rows rows{{t("P"), t("A"), t("B")},
                    {t("x"), 1.0, CellValue()},
                    {t("y"), 2.0, t("n.d.")},
                    {t("z"), 3.0, 4.0}};
    const QString where = QStringLiteral("Prima cella: C2 (x); celle interessate: 2.");
    const Expected<Matrix> matrix = load(rows, kItalian);
    QVERIFY(!matrix);
    QCOMPARE(matrix.error().message.section(u'\n', 1), where);
    const Expected<Matrix> marked = load(rows, kItalian, nullptr, MissingCells::Marked);
    QVERIFY(marked);
    QCOMPARE(missingCellsRefusal(*marked, kItalian).message.section(u'\n', 1), where);
    QCOMPARE(cellReference(7, 28), QStringLiteral("AB7"));

    // A number written with the other decimal separator: a third line says how
    // to read it, read as stored and as marked; any other text gets none.
    const Rows italianPoint{{t("P"), t("A")}, {t("x"), t("12.5")}, {t("y"), 2.0}};
    const Rows cComma{{t("P"), t("A")}, {t("x"), 1.0}, {t("y"), t("12,5")}};
    const Rows cText{{t("P"), t("A")}, {t("x"), t("dodici")}, {t("y"), 2.0}};
    QVERIFY(load(italianPoint, kItalian)
                .error()
                .message.section(u'\n', 2)
                .contains(QStringLiteral("«12.5» è un numero con il punto decimale")));
    QVERIFY(load(cComma, kC)
                .error()
                .message.section(u'\n', 2)
                .contains(QStringLiteral("LC_NUMERIC=it_IT.UTF-8")));
    QCOMPARE(load(cText, kC).error().message.count(u'\n'), 1);
    const Expected<Matrix> markedComma = load(cComma, kC, nullptr, MissingCells::Marked);
    QVERIFY(markedComma);
    const QString markedMessage = invalidValueRefusal(*markedComma, kC)->message;
    QCOMPARE(markedMessage.section(u'\n', 1, 1),
             QStringLiteral("Prima cella: B3 (y); celle interessate: 1."));
    QVERIFY(markedMessage.section(u'\n', 2).contains(QStringLiteral("«12,5»")));
}

void TestCaricaMatrice::numericTextUnderItalian() {
    const Expected<Matrix> matrix =
        load({{t("P"), t("A")}, {t("x"), t("3,5")}, {t("y"), t(" 1.234,5 ")}}, kItalian);
    QVERIFY2(matrix, qPrintable(failureMessage(matrix)));
    QCOMPARE(matrix->values, (std::vector<double>{3.5, 1234.5}));
}

void TestCaricaMatrice::fileErrors_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("empty A1") << Rows{{CellValue(), t("A")}, {t("x"), 1.0}} << QStringLiteral("A1");
    QTest::newRow("no indicator") << Rows{{t("P")}, {t("x")}, {t("y")}}
                                  << QStringLiteral("non contiene indicatori");
    QTest::newRow("no unit") << Rows{{t("P"), t("A"), t("B")}}
                             << QStringLiteral("non contiene unità");
}

void TestCaricaMatrice::fileErrors() {
    QFETCH(Rows, rows);
    QFETCH(QString, fragment);
    const Expected<Matrix> matrix = load(rows, kC);
    QVERIFY(!matrix);
    QVERIFY(matrix.error().kind == FailureKind::File);
    QVERIFY2(matrix.error().message.contains(fragment), qPrintable(matrix.error().message));
    QVERIFY2(matrix.error().message.contains(QStringLiteral("m.xlsx")),
             qPrintable(matrix.error().message));
}

void TestCaricaMatrice::missingWorkbook() {
    const Expected<Matrix> matrix = carica_matrice(QStringLiteral("/nonexistent/folder/m.xls"), kC);
    QVERIFY(!matrix);
    QVERIFY(matrix.error().kind == FailureKind::File);
    QVERIFY(matrix.error().message.contains(QStringLiteral("non esiste")));
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
    const auto reader = openWorkbook(path, kItalian);
    const QString error = failureMessage(reader);
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
