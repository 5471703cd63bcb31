#include "support/testsupport.h"
#include "workbook/caricamatrice.h"
#include "workbook/readahead.h"
#include "workbook/xlsx/xlsxparts.h"
#include "workbook/xlsx/xlsxreader.h"
#include "workbook/xlsx/xlsxworksheet.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtEndian>

#include <QTest>
#include <tuple>

class TestXlsxReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void typedCells_data();
    void typedCells();
    void date1904();
    void worksheetCells_data();
    void worksheetCells();
    void worksheetFailures_data();
    void worksheetFailures();
    void partsByNamespace();
    void nestingLimit();
    void partGrowsWithWhatIsKept();
    void textLimit();
    void readerLimits_data();
    void readerLimits();
    void brokenFiles_data();
    void brokenFiles();
    void damagedEntry_data();
    void damagedEntry();
    void targets_data();
    void targets();
    void escapes_data();
    void escapes();
    void readAheadKeepsOrder_data();
    void readAheadKeepsOrder();
    void readAheadStopsEarly();

    void loadsValidMatrix_data();
    void loadsValidMatrix();
    void refusals_data();
    void refusals();
    void numericTextUnderItalian();
    void extentStopsAtGaps();
    void fileErrors_data();
    void fileErrors();
};

namespace {

const Regional kItalian{QLocale(QLocale::Italian, QLocale::Italy)};
const Regional kC{QLocale::c()};

CellValue t(const char* text) {
    return CellValue(QString::fromUtf8(text));
}
CellValue b(bool value) {
    return CellValue::fromBool(value);
}
CellValue e(const char* code) {
    return CellValue::fromError(QString::fromLatin1(code));
}
CellValue d(int y, int m, int day, int h = 0, int min = 0) {
    return CellValue::fromDate(QDateTime(QDate(y, m, day), QTime(h, min), Qt::UTC));
}

// A start tag of SpreadsheetML, the namespace the default one.
QByteArray mainTag(const char* name) {
    return QByteArrayLiteral("<") + name +
           QByteArrayLiteral(
               " xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">");
}

// The worksheet part around the given sheetData content.
QByteArray sheetXml(const char* rows) {
    return mainTag("worksheet") + "<sheetData>" + rows +
           QByteArrayLiteral("</sheetData></worksheet>");
}

const std::vector<QString> kStrings{QStringLiteral("zero"), QStringLiteral("uno")};
const std::vector<char> kDateStyles{0, 1}; // style 1 shows a date

struct SheetParse {
    SheetData sheet;
    XmlError error;
    bool ok = false;
    bool isWorksheet = false;
};

SheetParse parseSheet(const QByteArray& xml, qint64 maxCells = kMaxWorkbookCells,
                      int maxDepth = kMaxXmlDepth) {
    SheetParse result;
    QBuffer buffer;
    buffer.setData(xml);
    buffer.open(QIODevice::ReadOnly);
    const XlsxSheetContext context{&kStrings, &kDateStyles, false, maxCells};
    XlsxWorksheetHandler handler(result.sheet, QStringLiteral("foglio.xml"), context);
    result.ok = parseXml(buffer, QStringLiteral("foglio.xml"), handler, {kMaxPartBytes, maxDepth},
                         &result.error);
    result.isWorksheet = handler.isWorksheet();
    result.sheet.finish();
    return result;
}

QString x(const char* name) {
    return fixture(QStringLiteral("xlsx/") + QString::fromUtf8(name));
}

} // namespace

// Cells as LibreOffice, openpyxl and hand-made archives hold them.
void TestXlsxReader::typedCells_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<CellValue>("expected");

    const auto add = [](const char* file, int row, int col, const CellValue& expected) {
        QTest::addRow("%s R%dC%d", file, row, col) << x(file) << row << col << expected;
    };
    // Formula results keep their type; texts come from the shared strings.
    add("formule.xlsx", 1, 1, t("Tipo"));
    add("formule.xlsx", 1, 2, 6.0);
    add("formule.xlsx", 1, 3, t("abc"));
    add("formule.xlsx", 1, 4, 1.0); // a boolean formula is stored as a number
    add("formule.xlsx", 1, 5, e("#DIV/0!"));
    add("formule.xlsx", 1, 6, d(2024, 3, 15));
    add("formule.xlsx", 1, 7, b(false));
    add("formule.xlsx", 1, 8, t("Trentino-Alto Adige/Südtirol"));
    add("formule.xlsx", 1, 9, t("Tipo "));
    add("formule.xlsx", 1, 10, t("")); // a formula giving empty text
    add("formule.xlsx", 1, 11, e("#N/A"));
    add("formule.xlsx", 1, 12, d(2024, 3, 15, 12, 30));
    add("formule.xlsx", 1, 13, 0.1);
    add("formule.xlsx", 1, 14, CellValue());
    add("formule.xlsx", 2, 1, CellValue());
    // As openpyxl writes them: inline strings, no cached formula result.
    add("tipi.xlsx", 1, 2, t(" con spazi "));
    add("tipi.xlsx", 1, 3, b(true));
    add("tipi.xlsx", 1, 4, b(false));
    add("tipi.xlsx", 2, 1, 2.5);
    add("tipi.xlsx", 2, 2, -7.0);
    add("tipi.xlsx", 2, 3, CellValue());
    add("tipi.xlsx", 2, 4, d(2024, 3, 15, 12, 30));
    add("tipi.xlsx", 3, 1, d(2024, 2, 29));
    add("tipi.xlsx", 3, 2, 1e-300);
    add("tipi.xlsx", 3, 3, 1.234567890123457e19);
    add("tipi.xlsx", 3, 4, t("Südtirol"));
    // Rich-text runs joined, phonetic runs left out, escapes decoded,
    // spaces kept.
    add("testo_formattato.xlsx", 1, 2, t("Reddito medio"));
    add("testo_formattato.xlsx", 1, 3, t("riga\r\nnuova"));
    add("testo_formattato.xlsx", 1, 4, t("_x000D_ letterale"));
    add("testo_formattato.xlsx", 2, 1, t("  Valle d'Aosta  "));
    add("testo_formattato.xlsx", 3, 1, t("Trentino-Alto Adige/Südtirol"));
    add("stringhe_inline.xlsx", 1, 2, t("PIL pro capite"));
    add("stringhe_inline.xlsx", 1, 3, t("Occupati"));
    add("stringhe_inline.xlsx", 3, 1, t(" Trentino-Alto Adige/Südtirol "));
    // Rows and cells without r continue from the previous position.
    add("senza_riferimenti.xlsx", 1, 3, t("B"));
    add("senza_riferimenti.xlsx", 2, 3, 4.0);
    add("senza_riferimenti.xlsx", 3, 4, CellValue());
    add("senza_riferimenti.xlsx", 3, 5, 7.0);
    add("senza_riferimenti.xlsx", 3, 6, 8.0);
    add("senza_riferimenti.xlsx", 4, 1, CellValue());
    add("senza_riferimenti.xlsx", 5, 1, t("oltre"));
    add("senza_riferimenti.xlsx", 6, 1, CellValue());
    add("senza_riferimenti.xlsx", 6, 2, 9.0);
    add("senza_riferimenti.xlsx", 6, 3, 10.0);
    // Prefixed element names.
    add("prefissi.xlsx", 1, 2, t("Valore"));
    add("prefissi.xlsx", 3, 2, -2.0);
}

void TestXlsxReader::typedCells() {
    QFETCH(QString, file);
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(CellValue, expected);
    XlsxReader reader;
    VERIFY_DONE(reader.open(file));
    COMPARE_CELL(reader.cell(row, col), expected);
    reader.close();
    QVERIFY(reader.cell(row, col).isEmpty());
}

void TestXlsxReader::date1904() {
    XlsxReader reader;
    VERIFY_DONE(reader.open(x("date1904.xlsx")));
    QVERIFY(reader.date1904());
    COMPARE_CELL(reader.cell(1, 1), d(2024, 3, 15));
    COMPARE_CELL(reader.cell(1, 2), CellValue(0.5)); // no date format: stays a number
}

void TestXlsxReader::worksheetCells_data() {
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<CellValue>("expected");

    QTest::newRow("shared string")
        << sheetXml("<row r=\"2\"><c r=\"C2\" t=\"s\"><v>1</v></c></row>") << 2 << 3 << t("uno");
    QTest::newRow("spaces around a number")
        << sheetXml("<row><c><v> 12.5\n</v></c></row>") << 1 << 1 << CellValue(12.5);
    QTest::newRow("plus sign") << sheetXml("<row><c><v>+3e2</v></c></row>") << 1 << 1
                               << CellValue(300.0);
    QTest::newRow("boolean word") << sheetXml("<row><c t=\"b\"><v>true</v></c></row>") << 1 << 1
                                  << b(true);
    QTest::newRow("iso date") << sheetXml("<row><c t=\"d\"><v>2024-03-15T10:20:00</v></c></row>")
                              << 1 << 1 << d(2024, 3, 15, 10, 20);
    QTest::newRow("iso day") << sheetXml("<row><c t=\"d\"><v>2023-12-31</v></c></row>") << 1 << 1
                             << d(2023, 12, 31);
    QTest::newRow("date style") << sheetXml("<row><c s=\"1\"><v>61</v></c></row>") << 1 << 1
                                << d(1900, 3, 1);
    QTest::newRow("date style, the day that never was")
        << sheetXml("<row><c s=\"1\"><v>60</v></c></row>") << 1 << 1 << d(1900, 2, 28);
    QTest::newRow("date style, negative serial")
        << sheetXml("<row><c s=\"1\"><v>-1</v></c></row>") << 1 << 1 << CellValue(-1.0);
    QTest::newRow("style out of range")
        << sheetXml("<row><c s=\"9\"><v>61</v></c></row>") << 1 << 1 << CellValue(61.0);
    QTest::newRow("date style on text")
        << sheetXml("<row><c s=\"1\" t=\"str\"><v>61</v></c></row>") << 1 << 1 << t("61");
    QTest::newRow("cell without value")
        << sheetXml("<row><c r=\"A1\" s=\"1\"/></row>") << 1 << 1 << CellValue();
    QTest::newRow("formula without cached value: an empty text")
        << sheetXml("<row><c><f>1+1</f></c></row>") << 1 << 1 << t("");
    QTest::newRow("later value wins")
        << sheetXml("<row r=\"1\"><c r=\"B1\"><v>1</v></c><c r=\"A1\"><v>2</v></c>"
                    "<c r=\"B1\"><v>3</v></c></row>")
        << 1 << 2 << CellValue(3.0);
    QTest::newRow("lower-case reference")
        << sheetXml("<row><c r=\"ab7\"><v>4</v></c></row>") << 7 << 28 << CellValue(4.0);
    QTest::newRow("last cell of the sheet")
        << sheetXml("<row r=\"1048576\"><c r=\"XFD1048576\"><v>5</v></c></row>") << 1048576 << 16384
        << CellValue(5.0);
    QTest::newRow("inline phonetic run")
        << sheetXml("<row><c t=\"inlineStr\"><is><r><t>Ab</t></r><rPh><t>x</t></rPh>"
                    "<r><t>c</t></r></is></c></row>")
        << 1 << 1 << t("Abc");
    QTest::newRow("entity in text")
        << sheetXml("<row><c t=\"str\"><v>a &amp; b &#x20AC;</v></c></row>") << 1 << 1
        << t("a & b €");
    // Elements by namespace and local name: foreign markup changes nothing.
    QTest::newRow("foreign value after the value")
        << sheetXml("<row><c><v>20</v><z:v xmlns:z=\"urn:example:foo\">999</z:v></c></row>") << 1
        << 1 << CellValue(20.0);
    QTest::newRow("foreign cell before a cell")
        << sheetXml("<row><z:c xmlns:z=\"urn:example:foo\"><v>999</v></z:c><c><v>1</v></c></row>")
        << 1 << 1 << CellValue(1.0);
    QTest::newRow("foreign text in an inline string")
        << sheetXml("<row><c t=\"inlineStr\"><is><t>Eti</t><z:t xmlns:z=\"urn:example:foo\">999"
                    "</z:t><r><t>chetta</t></r></is></c></row>")
        << 1 << 1 << t("Etichetta");
    QTest::newRow("strict namespace, prefixed")
        << QByteArrayLiteral("<x:worksheet xmlns:x=\"http://purl.oclc.org/ooxml/spreadsheetml/"
                             "main\"><x:sheetData><x:row><x:c><x:v>4</x:v></x:c></x:row>"
                             "</x:sheetData></x:worksheet>")
        << 1 << 1 << CellValue(4.0);
    QTest::newRow("cell outside sheetData")
        << mainTag("worksheet") + "<sheetData/><x><c><v>1</v></c></x></worksheet>" << 1 << 1
        << CellValue();
}

void TestXlsxReader::worksheetCells() {
    QFETCH(QByteArray, xml);
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(CellValue, expected);
    const SheetParse parse = parseSheet(xml);
    QVERIFY2(parse.ok, qPrintable(parse.error.cause));
    COMPARE_CELL(parse.sheet.at(row, col), expected);
}

void TestXlsxReader::worksheetFailures_data() {
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<bool>("limit");

    QTest::newRow("comma decimal") << sheetXml("<row><c r=\"B2\"><v>1,5</v></c></row>")
                                   << QStringLiteral("cella B2 della parte foglio.xml contiene un "
                                                     "numero non valido (\"1,5\")")
                                   << false;
    QTest::newRow("infinity") << sheetXml("<row><c><v>inf</v></c></row>")
                              << QStringLiteral("numero non valido") << false;
    QTest::newRow("shared string out of range")
        << sheetXml("<row><c r=\"A3\" t=\"s\"><v>2</v></c></row>")
        << QStringLiteral("cella A3 della parte foglio.xml rimanda alla stringa condivisa n. 2, ma "
                          "la tabella delle stringhe ne contiene 2")
        << false;
    QTest::newRow("negative shared string")
        << sheetXml("<row><c t=\"s\"><v>-1</v></c></row>") << QStringLiteral("n. -1") << false;
    QTest::newRow("bad boolean") << sheetXml("<row><c t=\"b\"><v>2</v></c></row>")
                                 << QStringLiteral("valore logico non valido") << false;
    QTest::newRow("bad iso date") << sheetXml("<row><c t=\"d\"><v>15/03/2024</v></c></row>")
                                  << QStringLiteral("data non valida") << false;
    QTest::newRow("unknown type") << sheetXml("<row><c t=\"x\"><v>1</v></c></row>")
                                  << QStringLiteral("tipo sconosciuto (\"x\")") << false;
    QTest::newRow("reference without row")
        << sheetXml("<row><c r=\"AB\"><v>1</v></c></row>")
        << QStringLiteral("riferimento di cella non valido") << false;
    QTest::newRow("row beyond the sheet")
        << sheetXml("<row><c r=\"A1048577\"><v>1</v></c></row>")
        << QStringLiteral("cella A1048577 della parte foglio.xml è oltre i limiti del formato "
                          "(1.048.576 righe per 16.384 colonne)")
        << false;
    QTest::newRow("column beyond the sheet")
        << sheetXml("<row><c r=\"XFD1\"><v>1</v></c><c><v>2</v></c></row>")
        << QStringLiteral("cella XFE1") << false;
    QTest::newRow("row number beyond the sheet")
        << sheetXml("<row r=\"1048577\"><c><v>1</v></c></row>") << QStringLiteral("riga 1048577")
        << false;
    QTest::newRow("huge row number") << sheetXml("<row r=\"99999999999\"></row>")
                                     << QStringLiteral("numero di riga non valido") << false;
    QTest::newRow("document type")
        << QByteArrayLiteral(
               "<!DOCTYPE worksheet [<!ENTITY a \"aaaaaaaaaa\">]><worksheet>&a;</worksheet>")
        << QStringLiteral("DOCTYPE") << false;
    QTest::newRow("malformed") << mainTag("worksheet") + "\n<sheetData></worksheet>"
                               << QStringLiteral("errore XML nella parte foglio.xml (riga 2, "
                                                 "colonna 14): un elemento è chiuso da un tag "
                                                 "diverso da quello di apertura")
                               << false;
    QTest::newRow("truncated") << mainTag("worksheet") + "<sheetData><row><c"
                               << QStringLiteral("il contenuto è troncato") << false;
    QTest::newRow("too many cells")
        << sheetXml("<row><c><v>1</v></c><c/><c><v>2</v></c><c><v>3</v></c><c><v>4</v></c></row>")
        << QStringLiteral("il primo foglio contiene più di 3 celle non vuote") << true;
    // A long text fails as soon as its bytes show it, before it is kept.
    QTest::newRow("text beyond 32,767 characters")
        << sheetXml(QByteArray("<row><c t=\"inlineStr\"><is><t>" + QByteArray(400000, 'a') +
                               "</t></is></c></row>")
                        .constData())
        << QStringLiteral("un testo supera i 32.767 caratteri") << true;
    QTest::newRow("chartsheet") << QByteArrayLiteral("<chartsheet><sheetPr/></chartsheet>")
                                << QStringLiteral("non è un foglio di lavoro") << false;
    QTest::newRow("worksheet of no namespace")
        << QByteArrayLiteral("<worksheet><sheetData><row><c><v>1</v></c></row></sheetData>"
                             "</worksheet>")
        << QStringLiteral("non è un foglio di lavoro") << false;
    QTest::newRow("prefix not declared") << sheetXml("<row><x:c><v>1</v></x:c></row>")
                                         << QStringLiteral("prefisso di spazio dei nomi non "
                                                           "dichiarato")
                                         << false;
}

void TestXlsxReader::worksheetFailures() {
    QFETCH(QByteArray, xml);
    QFETCH(QString, fragment);
    QFETCH(bool, limit);
    const SheetParse parse = parseSheet(xml, 3);
    QVERIFY(!parse.ok);
    QVERIFY2(parse.error.cause.contains(fragment), qPrintable(parse.error.cause));
    QCOMPARE(parse.error.limit, limit);
    if (xml.startsWith("<chartsheet"))
        QVERIFY(!parse.isWorksheet);
}

// The other parts, as the worksheet: by namespace, foreign markup changing
// nothing.
void TestXlsxReader::partsByNamespace() {
    const auto parse = [](const QByteArray& xml, XmlHandler& handler) {
        QBuffer buffer;
        buffer.setData(xml);
        buffer.open(QIODevice::ReadOnly);
        XmlError error;
        return parseXml(buffer, QStringLiteral("p.xml"), handler, {1 << 20, 64}, &error);
    };
    XlsxSharedStringsHandler strings{ReaderLimits{}};
    QVERIFY(parse(mainTag("sst") + "<si><t>a</t><z:t xmlns:z='urn:z'>999</z:t></si>"
                                   "<z:si xmlns:z='urn:z'><t>b</t></z:si></sst>",
                  strings));
    QCOMPARE(strings.strings(), std::vector<QString>{QStringLiteral("a")});

    XlsxWorkbookHandler workbook(QStringLiteral("p.xml"));
    QVERIFY(parse(mainTag("workbook") +
                      "<sheets><sheet name='Dati' id='rId9' r:id='rId1' z:id='rId7' "
                      "xmlns:r='http://schemas.openxmlformats.org/officeDocument/2006/"
                      "relationships' xmlns:z='urn:z'/></sheets></workbook>",
                  workbook));
    QCOMPARE(workbook.sheets().size(), std::size_t(1));
    QCOMPARE(workbook.sheets().front().relationship, QStringLiteral("rId1"));

    XlsxRelationshipsHandler relationships(QStringLiteral("_rels/.rels"));
    QVERIFY(parse("<Relationships xmlns='http://schemas.openxmlformats.org/package/2006/"
                  "relationships'><z:Relationship xmlns:z='urn:z' Id='rId1' Type='x/worksheet' "
                  "Target='z.xml'/><Relationship Id='rId1' Type='x/worksheet' Target='a.xml'/>"
                  "</Relationships>",
                  relationships));
    QCOMPARE(relationships.relationships().size(), std::size_t(1));
    QCOMPARE(relationships.relationships().front().target, QStringLiteral("a.xml"));
}

void TestXlsxReader::nestingLimit() {
    const auto nested = [](int depth) -> QByteArray {
        return mainTag("worksheet") + QByteArrayLiteral("<x>").repeated(depth - 1) +
               QByteArrayLiteral("</x>").repeated(depth - 1) + QByteArrayLiteral("</worksheet>");
    };
    QVERIFY(parseSheet(nested(10), kMaxWorkbookCells, 10).ok);
    const SheetParse deep = parseSheet(nested(11), kMaxWorkbookCells, 10);
    QVERIFY(!deep.ok);
    QVERIFY(deep.error.limit);
    QCOMPARE(deep.error.cause,
             QStringLiteral("la parte foglio.xml annida gli elementi XML oltre 10 livelli"));
    // The default limit holds against a deeply nested hostile part.
    QVERIFY(!parseSheet(nested(100000)).ok);
}

void TestXlsxReader::partGrowsWithWhatIsKept() {
    // 400 cells of about 40 bytes: far beyond the 4,000 bytes a part may take
    // by itself, within the 64 bytes each kept cell adds.
    QByteArray rows;
    for (int r = 1; r <= 100; ++r) {
        rows += "<row r=\"" + QByteArray::number(r) + "\">";
        for (const char* col : {"A", "B", "C", "D"})
            rows += "<c r=\"" + QByteArray(col) + QByteArray::number(r) + "\"><v>" +
                    QByteArray::number(r * 1.25) + "</v></c>";
        rows += "</row>";
    }
    const auto parse = [](const QByteArray& xml, XmlError* error) {
        QBuffer buffer;
        buffer.setData(xml);
        buffer.open(QIODevice::ReadOnly);
        SheetData sheet;
        XlsxWorksheetHandler handler(sheet, QStringLiteral("foglio.xml"),
                                     {nullptr, &kDateStyles, false, kMaxWorkbookCells});
        return parseXml(buffer, QStringLiteral("foglio.xml"), handler, {4000, 64, 64}, error);
    };
    XmlError error;
    const QByteArray cells = sheetXml(rows.constData());
    QVERIFY(cells.size() > 12000);
    QVERIFY2(parse(cells, &error), qPrintable(error.cause));

    // What inflates without being kept (a zip bomb of blanks, or of empty
    // cells) stops once the part passes its own allowance.
    for (const QByteArray& filler : {QByteArray(70000, ' '), QByteArray("<c/>").repeated(20000)}) {
        const QByteArray row = QByteArray("<row><c><v>1</v></c>") + filler + "</row>";
        const QByteArray bomb = sheetXml(row.constData());
        QVERIFY(!parse(bomb, &error));
        QVERIFY(error.limit);
        QVERIFY2(error.cause.startsWith(
                     QStringLiteral("la parte foglio.xml supera il limite di 4.064 byte una volta "
                                    "decompressa (4.000 byte più 64 byte per ciascuno dei 1 "
                                    "elementi letti)")),
                 qPrintable(error.cause));
    }
}

void TestXlsxReader::textLimit() {
    // Shared strings and the texts of cells count together.
    ReaderLimits limits;
    limits.maxTextCharacters = 15;
    XlsxSharedStringsHandler strings(limits);
    QBuffer table;
    table.setData(mainTag("sst") + "<si><t>0123456789</t></si><si><t>0123456789</t></si></sst>");
    table.open(QIODevice::ReadOnly);
    XmlError error;
    QVERIFY(!parseXml(table, QStringLiteral("s.xml"), strings, {1 << 20, 64}, &error));
    QCOMPARE(error.cause, tooMuchTextCause(15));
    QVERIFY(error.limit);

    QBuffer sheetPart;
    sheetPart.setData(sheetXml("<row><c t=\"inlineStr\"><is><t>0123456789</t></is></c></row>"));
    sheetPart.open(QIODevice::ReadOnly);
    SheetData sheet;
    XlsxWorksheetHandler cells(
        sheet, QStringLiteral("foglio.xml"),
        {nullptr, &kDateStyles, false, kMaxWorkbookCells, kMaxCellTextLength, 25, 20});
    QVERIFY(!parseXml(sheetPart, QStringLiteral("foglio.xml"), cells, {1 << 20, 64}, &error));
    QCOMPARE(error.cause, tooMuchTextCause(25));
}

// Lowered limits on a valid workbook: each stops the reading with its own
// message.
void TestXlsxReader::readerLimits_data() {
    QTest::addColumn<qint64>("maxPartBytes");
    QTest::addColumn<qint64>("maxCells");
    QTest::addColumn<qint64>("maxSharedStrings");
    QTest::addColumn<int>("maxTextLength");
    QTest::addColumn<QString>("fragment");
    const qint64 part = kMaxPartBytes;
    const qint64 cells = kMaxWorkbookCells;
    const qint64 strings = kMaxSharedStrings;
    const int text = kMaxCellTextLength;
    QTest::newRow("part size") << qint64(1000) << cells << strings << text
                               << QStringLiteral("supera il limite di 1.000 byte una volta "
                                                 "decompressa");
    QTest::newRow("part size in KiB")
        << qint64(2048) << cells << strings << text << QStringLiteral("supera il limite di 2 KiB");
    QTest::newRow("cells") << part << qint64(19) << strings << text
                           << QStringLiteral("il primo foglio contiene più di 19 celle non vuote");
    QTest::newRow("shared strings")
        << part << cells << qint64(7) << text
        << QStringLiteral("la tabella delle stringhe condivise contiene più di 7 stringhe");
    QTest::newRow("text length")
        << part << cells << strings << 27
        << QStringLiteral("un testo supera i 27 caratteri che una cella può contenere");
}

void TestXlsxReader::readerLimits() {
    QFETCH(qint64, maxPartBytes);
    QFETCH(qint64, maxCells);
    QFETCH(qint64, maxSharedStrings);
    QFETCH(int, maxTextLength);
    QFETCH(QString, fragment);
    XlsxReader reader;
    WorkbookLimits limits;
    limits.maxPartBytes = maxPartBytes;
    limits.maxCells = maxCells;
    limits.maxSharedStrings = maxSharedStrings;
    limits.maxTextLength = maxTextLength;
    reader.setLimits(limits);
    const QString refusal = failureMessage(reader.open(x("valida_lo.xlsx")));
    QVERIFY2(refusal.startsWith(QStringLiteral("Il file valida_lo.xlsx non può essere letto: ")),
             qPrintable(refusal));
    QVERIFY2(refusal.contains(fragment), qPrintable(refusal));
    QVERIFY(reader.cell(1, 1).isEmpty());

    // Its 20 cells, 8 shared strings, longest text of 28 characters and 128
    // characters of text in all fit exactly, also as inline strings.
    limits = WorkbookLimits();
    limits.maxCells = 20;
    limits.maxSharedStrings = 8;
    limits.maxTextLength = 28;
    limits.maxTextCharacters = 128;
    reader.setLimits(limits);
    VERIFY_DONE(reader.open(x("valida_lo.xlsx")));
    VERIFY_DONE(reader.open(x("valida.xlsx")));
    limits.maxTextCharacters = 127;
    reader.setLimits(limits);
    for (const char* name : {"valida_lo.xlsx", "valida.xlsx"}) {
        const QString overText = failureMessage(reader.open(x(name)));
        QVERIFY2(overText.endsWith(QStringLiteral("i testi della cartella di lavoro superano in "
                                                  "tutto i 127 caratteri.")),
                 qPrintable(overText));
    }
}

void TestXlsxReader::brokenFiles_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    const auto invalid = [](const char* name, const QString& cause) {
        return QStringLiteral("Il file %1 non è una cartella di lavoro .xlsx valida: %2.")
            .arg(QString::fromUtf8(name), cause);
    };
    QTest::newRow("truncated zip")
        << x("troncato.xlsx")
        << invalid("troncato.xlsx", QStringLiteral("l'archivio ZIP è danneggiato o incompleto"));
    QTest::newRow("not a zip") << x("non_zip.xlsx")
                               << invalid("non_zip.xlsx",
                                          QStringLiteral("l'archivio ZIP è danneggiato o "
                                                         "incompleto"));
    QTest::newRow("no workbook part")
        << x("senza_cartella.xlsx")
        << invalid("senza_cartella.xlsx",
                   QStringLiteral("manca la parte xl/workbook.xml con la cartella di lavoro"));
    QTest::newRow("xlsb") << x("binario.xlsb")
                          << QStringLiteral("La cartella di lavoro binario.xlsb è in formato "
                                            "binario .xlsb non supportato: salvarla come .xlsx.");
    const QString protetta = QStringLiteral(
        "La cartella di lavoro %1 è protetta da password: toglierla dal programma che l'ha creata "
        "e salvarla di nuovo.");
    QTest::newRow("encrypted package")
        << x("pacchetto_cifrato.xlsx") << protetta.arg(QStringLiteral("pacchetto_cifrato.xlsx"));
    QTest::newRow("encrypted entries")
        << x("voce_cifrata.xlsx") << protetta.arg(QStringLiteral("voce_cifrata.xlsx"));
    QTest::newRow("chartsheet first")
        << x("foglio_grafico.xlsx")
        << QStringLiteral("Il primo foglio di foglio_grafico.xlsx non è un foglio di lavoro: è un "
                          "foglio grafico.");
    QTest::newRow("document type in the sheet")
        << x("dichiarazione_doctype.xlsx")
        << invalid("dichiarazione_doctype.xlsx",
                   QStringLiteral("la parte xl/worksheets/sheet1.xml contiene una dichiarazione "
                                  "DOCTYPE, che nessuna parte di una cartella di lavoro "
                                  "contiene"));
    QTest::newRow("truncated xml")
        << x("xml_troncato.xlsx")
        << invalid("xml_troncato.xlsx",
                   QStringLiteral("errore XML nella parte xl/worksheets/sheet1.xml (riga 1, "
                                  "colonna 159): il contenuto è troncato"));
    QTest::newRow("shared string out of range")
        << x("stringa_assente.xlsx")
        << invalid("stringa_assente.xlsx",
                   QStringLiteral("la cella B1 della parte xl/worksheets/sheet1.xml rimanda alla "
                                  "stringa condivisa n. 5, ma la tabella delle stringhe ne "
                                  "contiene 2"));
    QTest::newRow("missing file")
        << x("assente.xlsx") << QStringLiteral("Il file %1 non esiste.").arg(x("assente.xlsx"));
}

// The sheet's entry in a copy of valida.xlsx with a field of its local and
// central headers changed: the inflated part must agree with the CRC and
// size the headers declare, even where the XML in it is whole, and deflated
// data that ends early is damage, not the end of the part.
void TestXlsxReader::damagedEntry_data() {
    QTest::addColumn<int>("localOffset"); // the central header's is 2 further
    QTest::addColumn<quint32>("change");  // added to the field
    QTest::addColumn<QString>("cause");
    const QString crc = QStringLiteral("controllo CRC non superato");
    QTest::newRow("wrong CRC") << 14 << quint32(1) << crc;
    QTest::newRow("declared longer") << 22 << quint32(1) << crc;
    QTest::newRow("deflated data cut short")
        << 18 << quint32(-10)
        << QStringLiteral("la parte xl/worksheets/sheet1.xml non può essere decompressa");
    QTest::newRow("declared shorter")
        << 22 << quint32(-1)
        << QStringLiteral("errore XML nella parte xl/worksheets/sheet1.xml (riga 1, colonna "
                          "1430): il contenuto è troncato");
}

void TestXlsxReader::damagedEntry() {
    QFETCH(int, localOffset);
    QFETCH(quint32, change);
    QFETCH(QString, cause);
    QByteArray bytes = fileContents(x("valida.xlsx"));
    const QByteArray name = QByteArrayLiteral("xl/worksheets/sheet1.xml");
    int patched = 0;
    for (const auto& [signature, nameAt, fieldAt] :
         {std::tuple{QByteArrayLiteral("PK\x03\x04"), 30, localOffset},
          std::tuple{QByteArrayLiteral("PK\x01\x02"), 46, localOffset + 2}}) {
        for (qsizetype at = bytes.indexOf(signature); at >= 0;
             at = bytes.indexOf(signature, at + 1)) {
            if (bytes.mid(at + nameAt, name.size()) != name)
                continue;
            char* field = bytes.data() + at + fieldAt;
            qToLittleEndian(qFromLittleEndian<quint32>(field) + change, field);
            ++patched;
        }
    }
    QCOMPARE(patched, 2);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("danneggiata.xlsx"));
    QVERIFY(writeFileBytes(path, bytes));
    XlsxReader reader;
    const QString refusal = failureMessage(reader.open(path));
    QVERIFY2(refusal.contains(cause), qPrintable(refusal));
}

void TestXlsxReader::brokenFiles() {
    QFETCH(QString, file);
    QFETCH(QString, message);
    XlsxReader reader;
    QCOMPARE(failureMessage(reader.open(file)), message);
    QVERIFY(reader.cell(1, 1).isEmpty());
}

void TestXlsxReader::targets_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("part");
    QTest::newRow("relative") << QStringLiteral("xl/workbook.xml")
                              << QStringLiteral("worksheets/sheet1.xml")
                              << QStringLiteral("xl/worksheets/sheet1.xml");
    QTest::newRow("absolute") << QStringLiteral("xl/workbook.xml")
                              << QStringLiteral("/xl/worksheets/sheet1.xml")
                              << QStringLiteral("xl/worksheets/sheet1.xml");
    QTest::newRow("from the root")
        << QString() << QStringLiteral("xl/workbook.xml") << QStringLiteral("xl/workbook.xml");
    QTest::newRow("dot segments") << QStringLiteral("xl/workbook.xml")
                                  << QStringLiteral("./a/../worksheets/s.xml")
                                  << QStringLiteral("xl/worksheets/s.xml");
    QTest::newRow("up a folder") << QStringLiteral("xl/workbook.xml")
                                 << QStringLiteral("../customXml/item1.xml")
                                 << QStringLiteral("customXml/item1.xml");
    QTest::newRow("percent escapes")
        << QStringLiteral("xl/workbook.xml") << QStringLiteral("worksheets/foglio%201.xml")
        << QStringLiteral("xl/worksheets/foglio 1.xml");
    QTest::newRow("outside the package")
        << QStringLiteral("xl/workbook.xml") << QStringLiteral("../../etc/passwd") << QString();
}

void TestXlsxReader::targets() {
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(QString, part);
    QCOMPARE(resolveXlsxTarget(source, target), part);
}

void TestXlsxReader::escapes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decoded");
    QTest::newRow("none") << QStringLiteral("a_b_x") << QStringLiteral("a_b_x");
    QTest::newRow("line end") << QStringLiteral("a_x000D__x000A_b") << QStringLiteral("a\r\nb");
    QTest::newRow("escaped underscore")
        << QStringLiteral("_x005F_x0041_") << QStringLiteral("_x0041_");
    QTest::newRow("not hex") << QStringLiteral("_x00G1_ _x12_") << QStringLiteral("_x00G1_ _x12_");
    QTest::newRow("at the end") << QStringLiteral("z_x00e8_") << QStringLiteral("zè");
    QTest::newRow("unterminated") << QStringLiteral("_x0041") << QStringLiteral("_x0041");
}

void TestXlsxReader::escapes() {
    QFETCH(QString, text);
    QFETCH(QString, decoded);
    QCOMPARE(decodeXlsxEscapes(text), decoded);
}

void TestXlsxReader::readAheadKeepsOrder_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("chunk");
    QTest::newRow("empty") << 0 << 16;
    QTest::newRow("one short chunk") << 5 << 16;
    QTest::newRow("exact chunks") << 64 << 16;
    QTest::newRow("many rounds of the ring") << 100003 << 7;
}

void TestXlsxReader::readAheadKeepsOrder() {
    QFETCH(int, size);
    QFETCH(int, chunk);
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 251);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QByteArray read;
    {
        ReadAhead ahead(buffer, chunk, 3);
        const char* data = nullptr;
        qint64 length = 0;
        while ((length = ahead.next(&data)) > 0) {
            QVERIFY(length <= chunk);
            read.append(data, length);
        }
        QCOMPARE(length, qint64(0));
        QCOMPARE(ahead.next(&data), qint64(0)); // the end stays the end
    }
    QCOMPARE(read, bytes);
}

void TestXlsxReader::readAheadStopsEarly() {
    // The consumer gives up after one chunk while the worker waits for a
    // free slot: destruction must stop and join it.
    QByteArray bytes(1 << 20, 'a');
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    {
        ReadAhead ahead(buffer, 1024, 2);
        const char* data = nullptr;
        QCOMPARE(ahead.next(&data), qint64(1024));
        QCOMPARE(data[0], 'a');
    }
    QVERIFY(buffer.pos() < bytes.size());
}

// --- through the loader ---

void TestXlsxReader::loadsValidMatrix_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("righe");
    QTest::addColumn<int>("colonne");
    QTest::addColumn<bool>("zeri");
    QTest::newRow("openpyxl, absolute targets") << x("valida.xlsx") << 5 << 4 << true;
    QTest::newRow("LibreOffice, shared strings") << x("valida_lo.xlsx") << 5 << 4 << true;
    QTest::newRow("sample workbook")
        << QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx") << 21 << 9 << false;
}

void TestXlsxReader::loadsValidMatrix() {
    QFETCH(QString, file);
    QFETCH(int, righe);
    QFETCH(int, colonne);
    QFETCH(bool, zeri);
    const Expected<Matrix> matrix = carica_matrice(file, kItalian);
    QVERIFY2(matrix, qPrintable(failureMessage(matrix)));
    QCOMPARE(matrix->unitCount() + 1, righe);
    QCOMPARE(matrix->indicatorCount() + 1, colonne);
    QCOMPARE(matrix->units[1], t("Valle d'Aosta/Vallée d'Aoste"));
    QCOMPARE(matrix->units[3], t("Trentino-Alto Adige/Südtirol"));
    QCOMPARE(matrix->value(0, 0), 31.2);
    QCOMPARE(hasZeroValue(matrix->view()), zeri);
    QVERIFY(!hasNegativeValue(matrix->view()));
}

void TestXlsxReader::refusals_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    const QString disoccupazione = QStringLiteral("disoccupazione (%)");
    QTest::newRow("empty value") << x("valore_vuoto.xlsx") << nullValuesMessage(disoccupazione);
    QTest::newRow("only spaces") << x("valore_spazi.xlsx") << nullValuesMessage(disoccupazione);
    QTest::newRow("text") << x("testo.xlsx")
                          << textValuesMessage(QStringLiteral("Speranza di vita"));
    QTest::newRow("constant") << x("costante.xlsx")
                              << constantIndicatorMessage(QStringLiteral("Speranza di vita"));
    QTest::newRow("date") << x("data.xlsx") << textValuesMessage(QStringLiteral("PIL pro capite"));
    QTest::newRow("#DIV/0!") << x("divisione_zero.xlsx") << textValuesMessage(disoccupazione);
}

void TestXlsxReader::refusals() {
    QFETCH(QString, file);
    QFETCH(QString, message);
    const Expected<Matrix> matrix = carica_matrice(file, kItalian);
    QVERIFY(!matrix);
    QVERIFY(matrix.error().kind == FailureKind::Refused);
    QCOMPARE(matrix.error().message.section(u'\n', 0, 0), message);
}

void TestXlsxReader::numericTextUnderItalian() {
    const Expected<Matrix> italian = carica_matrice(x("testo_numerico.xlsx"), kItalian);
    QVERIFY2(italian, qPrintable(failureMessage(italian)));
    QCOMPARE(italian->value(0, 0), 12.5);

    const Expected<Matrix> c = carica_matrice(x("testo_numerico.xlsx"), kC);
    QVERIFY(!c);
    QVERIFY(c.error().kind == FailureKind::Refused);
    QCOMPARE(c.error().message.section(u'\n', 0, 0),
             textValuesMessage(QStringLiteral("PIL pro capite")));
}

void TestXlsxReader::extentStopsAtGaps() {
    const Expected<Matrix> matrix = carica_matrice(x("lacune.xlsx"), kC);
    QVERIFY2(matrix, qPrintable(failureMessage(matrix)));
    QCOMPARE(matrix->unitCount(), 2);
    QCOMPARE(matrix->indicatorCount(), 2);
    QCOMPARE(matrix->indicators[1], t("occupati"));
    QCOMPARE(matrix->value(1, 1), 2.0);
}

void TestXlsxReader::fileErrors_data() {
    QTest::addColumn<QString>("name");
    for (const char* name :
         {"troncato.xlsx", "non_zip.xlsx", "senza_cartella.xlsx", "binario.xlsb",
          "pacchetto_cifrato.xlsx", "voce_cifrata.xlsx", "foglio_grafico.xlsx", "xml_troncato.xlsx",
          "stringa_assente.xlsx", "oltre_limiti.xlsx", "a1_vuota.xlsx"})
        QTest::newRow(name) << QString::fromUtf8(name);
}

void TestXlsxReader::fileErrors() {
    QFETCH(QString, name);
    const Expected<Matrix> matrix = carica_matrice(fixture(QStringLiteral("xlsx/") + name), kC);
    QVERIFY(!matrix);
    QCOMPARE(matrix.error().kind, FailureKind::File);
    QVERIFY2(matrix.error().message.contains(name), qPrintable(failureMessage(matrix)));
}

QTEST_APPLESS_MAIN(TestXlsxReader)
#include "tst_xlsxreader.moc"
