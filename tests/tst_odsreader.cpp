#include "support/testsupport.h"
#include "workbook/caricamatrice.h"
#include "workbook/ods/odsreader.h"

#include <QTemporaryDir>
#include <QTest>

// The .ods reader on hand-made files (fixtures/ods, make_fixtures.py); the
// files LibreOffice saves are compared with the other formats in
// tst_readeragreement.
class TestOdsReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void typedCells_data();
    void typedCells();
    void failures_data();
    void failures();
    void loweredLimits_data();
    void loweredLimits();
    void loadsThroughTheLoader();
    void namespaces_data();
    void namespaces();
    void longTokens_data();
    void longTokens();
};

namespace {

QString ods(const char* name) {
    return fixture(QStringLiteral("ods/") + QString::fromUtf8(name));
}

CellValue text(const char* value) {
    return CellValue(QString::fromUtf8(value));
}

CellValue when(int y, int m, int d, int h = 0, int min = 0) {
    return CellValue::fromDate(QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC));
}

// Writes an .ods whose only table holds one row of the given cells, with
// what goes before them in the table, and opens it.
Status openOds(OdsReader& reader, const QString& path, const QByteArray& beforeRow,
               const QByteArray& cells) {
    const QByteArray content = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content "
                               "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                               "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                               "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
                               "xmlns:foo=\"urn:example:foo\"><office:body><office:spreadsheet>"
                               "<table:table table:name=\"Dati\">" +
                               beforeRow + "<table:table-row>" + cells +
                               "</table:table-row></table:table></office:spreadsheet></office:body>"
                               "</office:document-content>";
    if (!writeZip(path, {{QStringLiteral("mimetype"),
                          QByteArrayLiteral("application/vnd.oasis.opendocument.spreadsheet")},
                         {QStringLiteral("content.xml"), content}}))
        return failure(FailureKind::File, QStringLiteral("%1 cannot be written").arg(path));
    return reader.open(path);
}

} // namespace

void TestOdsReader::typedCells_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<CellValue>("expected");
    const auto add = [](const char* what, int row, int col, const CellValue& expected) {
        QTest::newRow(what) << row << col << expected;
    };
    add("string", 1, 1, text("Tipo"));
    add("float", 1, 2, 6.0);
    add("percentage", 1, 3, 0.125);
    add("currency", 1, 4, -12.5);
    add("date", 1, 5, when(2024, 3, 15));
    add("date and time", 1, 6, when(2024, 3, 15, 12, 30));
    add("time", 1, 7, when(1899, 12, 31, 12, 30));
    add("boolean", 1, 8, CellValue::fromBool(true));
    add("error result", 1, 9, CellValue::fromError(QStringLiteral("#DIV/0!")));
    add("formula giving empty text", 1, 10, CellValue());
    add("string value over the text shown", 1, 11, text("abc"));
    add("plus sign and exponent", 1, 12, 1e-300);
    add("spans and links", 2, 1, text("Reddito medio pro capite"));
    add("spaces", 2, 2, text("a b   c"));
    add("tab and line break", 2, 3, text("a\tb\nc"));
    add("paragraphs", 2, 4, text("uno\ndue\n"));
    add("annotation left out", 2, 5, text("visibile"));
    add("covered cell", 2, 6, 7.0);
    add("time past a day", 2, 7, when(1900, 1, 1, 12));
    add("no value type", 2, 8, text("senza tipo"));
    add("spaces kept", 2, 9, text("  spazi  "));
    add("repeated cell, first", 3, 1, 5.0);
    add("repeated cell, last", 3, 3, 5.0);
    add("empty run", 3, 4, CellValue());
    add("after the empty run", 3, 6, text("dopo"));
    add("repeated row, first", 4, 1, text("r"));
    add("repeated row, last", 6, 2, 1.0);
    add("after the repeated rows", 7, 1, CellValue());
    add("the sheet's last row", 1048576, 1, text("ultima"));
}

// Every value type, texts with their markup, repeats without expanding the
// empty runs; the second table is never reached.
void TestOdsReader::typedCells() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(CellValue, expected);
    OdsReader reader;
    VERIFY_DONE(reader.open(ods("tipi.ods")));
    COMPARE_CELL(reader.cell(row, col), expected);
}

void TestOdsReader::failures_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    const auto invalid = [](const char* name, const QString& cause) {
        return QStringLiteral("Il file %1 non è una cartella di lavoro .ods valida: %2.")
            .arg(QString::fromUtf8(name), cause);
    };
    const auto tooLarge = [](const char* name, const QString& cause) {
        return QStringLiteral("Il file %1 non può essere letto: %2.")
            .arg(QString::fromUtf8(name), cause);
    };
    QTest::newRow("encrypted") << ods("cifrato.ods")
                               << QStringLiteral("La cartella di lavoro cifrato.ods è protetta da "
                                                 "password: toglierla dal programma che l'ha "
                                                 "creata e salvarla di nuovo.");
    QTest::newRow("text document")
        << ods("relazione.odt")
        << QStringLiteral("Il file relazione.odt è un documento di testo OpenDocument, non un "
                          "foglio di calcolo.");
    QTest::newRow("text body without mimetype")
        << ods("corpo_testo.ods")
        << QStringLiteral("Il file corpo_testo.ods è un documento di testo OpenDocument, non un "
                          "foglio di calcolo.");
    QTest::newRow("no table") << ods("senza_tabelle.ods")
                              << QStringLiteral("La cartella di lavoro senza_tabelle.ods non "
                                                "contiene fogli.");
    QTest::newRow("no content") << ods("senza_contenuto.ods")
                                << invalid("senza_contenuto.ods",
                                           QStringLiteral("manca la parte content.xml con il "
                                                          "contenuto"));
    QTest::newRow("truncated zip")
        << ods("troncato.ods")
        << invalid("troncato.ods", QStringLiteral("l'archivio ZIP è danneggiato o incompleto"));
    QTest::newRow("malformed xml")
        << ods("xml_danneggiato.ods")
        << invalid("xml_danneggiato.ods",
                   QStringLiteral("errore XML nella parte content.xml (riga 1, colonna 957): un "
                                  "elemento è chiuso da un tag diverso da quello di apertura"));
    QTest::newRow("entity expansion")
        << ods("entita.ods")
        << invalid("entita.ods", QStringLiteral("la parte content.xml contiene una dichiarazione "
                                                "DOCTYPE, che nessuna parte di una cartella di "
                                                "lavoro contiene"));
    QTest::newRow("nesting") << ods("annidato.ods")
                             << tooLarge("annidato.ods",
                                         QStringLiteral("la parte content.xml annida gli elementi "
                                                        "XML oltre 256 livelli"));
    QTest::newRow("lying sizes") << ods("dimensioni_false.ods")
                                 << invalid("dimensioni_false.ods",
                                            QStringLiteral("errore XML nella parte content.xml "
                                                           "(riga 1, colonna 39): il contenuto è "
                                                           "troncato"));
    QTest::newRow("value past the last column")
        << ods("oltre_colonne.ods")
        << invalid("oltre_colonne.ods",
                   QStringLiteral("la parte content.xml contiene una cella oltre i limiti del "
                                  "formato (1.048.576 righe per 16.384 colonne)"));
    QTest::newRow("text too long")
        << ods("testo_lungo.ods")
        << tooLarge("testo_lungo.ods", QStringLiteral("la cella A1 della parte content.xml "
                                                      "contiene un testo di più di 32.767 "
                                                      "caratteri"));
    QTest::newRow("non-empty row repeated to the end")
        << ods("righe_ripetute.ods")
        << tooLarge("righe_ripetute.ods", tooManyCellsCause(kMaxWorkbookCells));
    QTest::newRow("missing") << ods("assente.ods")
                             << QStringLiteral("Il file %1 non esiste.").arg(ods("assente.ods"));
}

void TestOdsReader::failures() {
    QFETCH(QString, file);
    QFETCH(QString, message);
    OdsReader reader;
    QCOMPARE(failureMessage(reader.open(file)), message);
    QVERIFY(reader.cell(1, 1).isEmpty());
}

// A zip bomb in small, and the cell count: each bound stops the reading with
// its message, and the file reads within the default bounds.
void TestOdsReader::loweredLimits_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<qint64>("maxPartBytes");
    QTest::addColumn<qint64>("maxCells");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("part size") << ods("bomba.ods") << qint64(1 << 20) << kMaxWorkbookCells
                               << QStringLiteral("la parte content.xml supera il limite di 1 MiB "
                                                 "una volta decompressa");
    QTest::newRow("cells") << ods("valida.ods") << kMaxPartBytes << qint64(19)
                           << QStringLiteral("il primo foglio contiene più di 19 celle non vuote");
    // Five tables of 189 cells: the first is read, the others passed over,
    // and their cells count as read.
    QTest::newRow("cells of the other tables")
        << QStringLiteral(ORVALTA_EXAMPLES "/regioni_periodi.ods") << kMaxPartBytes << qint64(200)
        << QStringLiteral("più di 200 celle non vuote");
}

void TestOdsReader::loweredLimits() {
    QFETCH(QString, file);
    QFETCH(qint64, maxPartBytes);
    QFETCH(qint64, maxCells);
    QFETCH(QString, fragment);
    OdsReader reader;
    VERIFY_DONE(reader.open(file));
    WorkbookLimits limits;
    limits.maxPartBytes = maxPartBytes;
    limits.maxCells = maxCells;
    reader.setLimits(limits);
    const QString message = failureMessage(reader.open(file));
    QVERIFY2(message.contains(fragment), qPrintable(message));
}

// Through the loader, also where the content ends right after the first
// table: nothing past it is read.
void TestOdsReader::loadsThroughTheLoader() {
    for (const char* name : {"valida.ods", "troncato_dopo_tabella.ods"}) {
        const Expected<Matrix> matrix = carica_matrice(ods(name), Regional(QLocale::c()));
        QVERIFY2(matrix, qPrintable(failureMessage(matrix)));
        QCOMPARE(matrix->unitCount(), 4);
        QCOMPARE(matrix->indicatorCount(), 3);
        QCOMPARE(matrix->units[3], text("Trentino-Alto Adige/Südtirol"));
        QCOMPARE(matrix->value(2, 1), 0.0);
    }
}

// Elements and attributes by namespace and local name, whatever the prefix:
// foreign markup (urn:example:foo) changes nothing.
void TestOdsReader::namespaces_data() {
    QTest::addColumn<QByteArray>("cells");
    QTest::addColumn<CellValue>("expected");
    const QByteArray office = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
    QTest::newRow("foreign value after the value")
        << QByteArray("<table:table-cell office:value-type=\"float\" office:value=\"20\" "
                      "foo:value=\"999\"/>")
        << CellValue(20.0);
    QTest::newRow("office prefix bound elsewhere in the cell")
        << "<table:table-cell xmlns:o=\"" + office +
               "\" xmlns:office=\"urn:example:foo\" o:value-type=\"float\" o:value=\"3.25\" "
               "office:value=\"999\"/>"
        << CellValue(3.25);
    QTest::newRow("foreign paragraph in a label")
        << QByteArray("<table:table-cell office:value-type=\"string\"><text:p>Etichetta</text:p>"
                      "<foo:p>999</foo:p></table:table-cell>")
        << text("Etichetta");
    QTest::newRow("foreign markup in a paragraph")
        << QByteArray("<table:table-cell><text:p>Eti<foo:span>999</foo:span>chetta</text:p>"
                      "</table:table-cell>")
        << text("Etichetta");
    QTest::newRow("foreign cell before a cell")
        << QByteArray("<foo:table-cell office:value-type=\"float\" office:value=\"999\"/>"
                      "<table:table-cell office:value-type=\"float\" office:value=\"1\"/>")
        << CellValue(1.0);
    QTest::newRow("error result, its namespace declared in the cell")
        << QByteArray("<table:table-cell xmlns:ce=\"urn:org:documentfoundation:names:"
                      "experimental:calc:xmlns:calcext:1.0\" office:value-type=\"string\" "
                      "ce:value-type=\"error\"><text:p>#DIV/0!</text:p></table:table-cell>")
        << CellValue::fromError(QStringLiteral("#DIV/0!"));
    QTest::newRow("the namespaces under other prefixes")
        << "<t:table-cell xmlns:t=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" xmlns:o=\"" +
               office + "\" o:value-type=\"float\" o:value=\"7\"/>"
        << CellValue(7.0);
}

void TestOdsReader::namespaces() {
    QFETCH(QByteArray, cells);
    QFETCH(CellValue, expected);
    QTemporaryDir dir;
    OdsReader reader;
    VERIFY_DONE(openOds(reader, dir.filePath(QStringLiteral("spazi.ods")), {}, cells));
    COMPARE_CELL(reader.cell(1, 1), expected);
}

// A token far longer than any a workbook holds is refused as soon as it
// passes the bound, before it can cost its length squared (tokens are
// bounded exactly in tst_xmlscanner).
void TestOdsReader::longTokens_data() {
    QTest::addColumn<QByteArray>("token");
    QTest::addColumn<bool>("refused");
    const QByteArray mebibyte(1 << 20, 'x');
    QTest::newRow("comment") << "<!--" + mebibyte + "-->" << true;
    QTest::newRow("attribute value")
        << "<table:table-column foo:note=\"" + mebibyte + "\"/>" << true;
    QTest::newRow("instruction") << "<?pi " + mebibyte + "?>" << true;
    QTest::newRow("comment within the bound")
        << "<!--" + QByteArray((1 << 20) - 7, 'x') + "-->" << false;
}

void TestOdsReader::longTokens() {
    QFETCH(QByteArray, token);
    QFETCH(bool, refused);
    QTemporaryDir dir;
    OdsReader reader;
    const Status opened =
        openOds(reader, dir.filePath(QStringLiteral("lungo.ods")), token,
                "<table:table-cell office:value-type=\"float\" office:value=\"5\"/>");
    if (!refused) {
        VERIFY_DONE(opened);
        COMPARE_CELL(reader.cell(1, 1), CellValue(5.0));
        return;
    }
    QCOMPARE(failureMessage(opened),
             QStringLiteral("Il file lungo.ods non può essere letto: la parte content.xml contiene "
                            "un tag, un commento, un'istruzione o un testo XML più lungo di 1 "
                            "MiB."));
}

QTEST_APPLESS_MAIN(TestOdsReader)
#include "tst_odsreader.moc"
