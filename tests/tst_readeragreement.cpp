#include "support/testsupport.h"
#include "support/workbookfiles.h"
#include "workbook/csv/csvreader.h"
#include "workbook/ods/odsreader.h"
#include "workbook/xls/xlsreader.h"
#include "workbook/xlsx/xlsxreader.h"

#include <QTemporaryDir>
#include <QTest>

// The readers must deliver the same cells for the same content: the sample
// workbooks (written by two different writers from one table) and .xlsx
// fixtures with their twins saved by LibreOffice as .xls, .ods and delimited
// text under C and Italian settings (fixtures/twins/make_twins.sh).
// Fixtures with formulas are left out: LibreOffice stores some formula
// results of its .xls copies as 0 instead of the cached value. Delimited text
// holds what the cells show: dates and error values become texts there, so
// the fixtures with those are compared in the other formats only. A numeric
// text and a number agree when the text reads as that number under the
// settings the twin was saved with, as the loader reads them. Every reader
// keeps the text of a cell as written, a leading U+FEFF included: only the
// start of a delimited text file holds a byte-order mark.
class TestReaderAgreement : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sameCells_data();
    void sameCells();
    void textKeptAsWritten_data();
    void textKeptAsWritten();
};

namespace {

enum class Format { Xls, Ods, Csv, CsvItalian };

const QLocale kItalian(QLocale::Italian, QLocale::Italy);

std::unique_ptr<WorkbookReader> readerFor(Format format) {
    switch (format) {
    case Format::Xls:
        return std::make_unique<XlsReader>();
    case Format::Ods:
        return std::make_unique<OdsReader>();
    case Format::Csv:
        return std::make_unique<CsvReader>(Regional(QLocale::c()));
    case Format::CsvItalian:
        return std::make_unique<CsvReader>(Regional(kItalian));
    }
    return nullptr;
}

} // namespace

void TestReaderAgreement::sameCells_data() {
    QTest::addColumn<QString>("xlsx");
    QTest::addColumn<QString>("twin");
    QTest::addColumn<int>("format");
    QTest::newRow("example xls") << QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx")
                                 << QStringLiteral(ORVALTA_EXAMPLES "/regioni.xls")
                                 << int(Format::Xls);
    const QStringList all{"valida",         "valida_lo",    "costante",    "lacune",
                          "testo_numerico", "valore_vuoto", "data",        "date1904",
                          "divisione_zero", "testo",        "valore_spazi"};
    const QStringList shownAlike{"valida",         "valida_lo",    "costante", "lacune",
                                 "testo_numerico", "valore_vuoto", "testo",    "valore_spazi"};
    for (const QString& name : all) {
        const QString xlsx = fixture("xlsx/" + name + ".xlsx");
        QTest::addRow("%s xls", qPrintable(name))
            << xlsx << fixture("twins/" + name + ".xls") << int(Format::Xls);
        QTest::addRow("%s ods", qPrintable(name))
            << xlsx << fixture("twins/" + name + ".ods") << int(Format::Ods);
    }
    const QString regioni = QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx");
    for (const QString& name : shownAlike + QStringList{"regioni"}) {
        const QString xlsx = name == "regioni" ? regioni : fixture("xlsx/" + name + ".xlsx");
        QTest::addRow("%s csv", qPrintable(name))
            << xlsx << fixture("twins/" + name + ".csv") << int(Format::Csv);
        QTest::addRow("%s csv it", qPrintable(name))
            << xlsx << fixture("twins/" + name + "_it.csv") << int(Format::CsvItalian);
        QTest::addRow("%s csv it ;", qPrintable(name))
            << xlsx << fixture("twins/" + name + "_it_pv.csv") << int(Format::CsvItalian);
    }
    QTest::newRow("example ods") << regioni << fixture("twins/regioni.ods") << int(Format::Ods);
}

void TestReaderAgreement::sameCells() {
    QFETCH(QString, xlsx);
    QFETCH(QString, twin);
    QFETCH(int, format);
    const Regional regional(Format(format) == Format::CsvItalian ? kItalian : QLocale::c());
    XlsxReader a;
    const auto b = readerFor(Format(format));
    VERIFY_DONE(a.open(xlsx));
    VERIFY_DONE(b->open(twin));
    int compared = 0;
    for (int r = 1; r <= 40; ++r) {
        for (int c = 1; c <= 20; ++c) {
            const CellValue& x = a.cell(r, c);
            const CellValue& y = b->cell(r, c);
            // An empty text and an empty cell read alike for the matrix.
            if (x.equalsEmptyText() && y.equalsEmptyText())
                continue;
            ++compared;
            const auto nx = regional.numberOf(x);
            const auto ny = regional.numberOf(y);
            if (nx && ny && quasiUguali(*nx, *ny, 1e-15))
                continue;
            QVERIFY2(x == y, qPrintable(QStringLiteral("cell (%1,%2): %3 and %4")
                                            .arg(r)
                                            .arg(c)
                                            .arg(describeCell(x), describeCell(y))));
        }
    }
    QVERIFY(compared > 0);
}

void TestReaderAgreement::textKeptAsWritten_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content"); // the sheet's cells, or the whole text
    QTest::addColumn<QByteArray>("sharedStrings");
    QTest::addColumn<QString>("label"); // what A2 holds, under "Unità" in A1
    const QByteArray bom = "\xEF\xBB\xBF";
    const QString feff = QString(QChar(0xFEFF));
    const QByteArray xlsxCorner =
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Unità</t></is></c></row>";
    const QByteArray odsCorner = "<table:table-row><table:table-cell office:value-type=\"string\">"
                                 "<text:p>Unità</text:p></table:table-cell></table:table-row>";
    QTest::newRow("xlsx shared string")
        << "a.xlsx" << xlsxCorner + "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>0</v></c></row>"
        << "<si><t>" + bom + "</t></si>" << feff;
    QTest::newRow("xlsx inline string")
        << "a.xlsx"
        << xlsxCorner + "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>" + bom + bom +
               "b</t></is></c></row>"
        << QByteArray() << feff + feff + "b";
    QTest::newRow("ods paragraph")
        << "a.ods"
        << odsCorner + "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>" +
               bom + "</text:p></table:table-cell></table:table-row>"
        << QByteArray() << feff;
    QTest::newRow("ods string value")
        << "a.ods"
        << odsCorner +
               "<table:table-row><table:table-cell office:value-type=\"string\" "
               "office:string-value=\"" +
               bom + "b\"/></table:table-row>"
        << QByteArray() << feff + "b";
    QTest::newRow("csv after the byte-order mark") << "a.csv" << bom + "Unità;X\n" + bom + ";1\n"
                                                   << QByteArray() << feff;
}

void TestReaderAgreement::textKeptAsWritten() {
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, sharedStrings);
    QFETCH(QString, label);
    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    if (file.endsWith(".xlsx"))
        QVERIFY(writeXlsxSheets(path, {{"Dati", content}}, sharedStrings));
    else if (file.endsWith(".ods"))
        QVERIFY(writeOdsTables(path, {{"Dati", content}}));
    else
        QVERIFY(writeFileBytes(path, content));
    const auto reader = openWorkbook(path, Regional(QLocale::c()));
    VERIFY_DONE(reader);
    COMPARE_CELL((*reader)->cell(1, 1), CellValue(QStringLiteral("Unità")));
    COMPARE_CELL((*reader)->cell(2, 1), CellValue(label));
}

QTEST_APPLESS_MAIN(TestReaderAgreement)
#include "tst_readeragreement.moc"
