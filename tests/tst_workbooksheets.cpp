#include "support/testsupport.h"
#include "support/workbookfiles.h"
#include "workbook/ods/odsreader.h"
#include "workbook/readerlimits.h"
#include "workbook/xls/xlsreader.h"
#include "workbook/xlsx/xlsxreader.h"

#include <QTemporaryDir>
#include <QTest>

// Every sheet of a workbook in one pass, in every format: the same sheets,
// in workbook order, as opening each one by itself gives, one worker or
// several; a sheet that cannot be read stops the pass after the sheets
// before it. The number of sheets and relationships a workbook may list is
// bounded.
class TestWorkbookSheets : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void onePass_data();
    void onePass();
    void failingSheet_data();
    void failingSheet();
    void countLimits_data();
    void countLimits();
};

namespace {

const Regional kC{QLocale::c()};

// The cells of a sheet's first rows and columns, in words.
QString contents(const WorkbookReader& sheet) {
    QString text;
    for (int r = 1; r <= 25; ++r)
        for (int c = 1; c <= 10; ++c)
            text += describeCell(sheet.cell(r, c)) + u'|';
    return text;
}

QString example(const char* name) {
    return QStringLiteral(ORVALTA_EXAMPLES "/") + QString::fromUtf8(name);
}

} // namespace

void TestWorkbookSheets::onePass_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("threads");
    QTest::addColumn<int>("sheets");
    for (const int threads : {1, 3}) {
        for (const char* name :
             {"regioni_periodi.xlsx", "regioni_periodi.xls", "regioni_periodi.ods"})
            QTest::addRow("%s, %d", name, threads) << example(name) << threads << 5;
    }
    QTest::newRow("csv") << fixture("twins/regioni.csv") << 1 << 1;
}

void TestWorkbookSheets::onePass() {
    QFETCH(QString, path);
    QFETCH(int, threads);
    QFETCH(int, sheets);
    QStringList names;
    QStringList cells;
    const auto visit = [&](int index, const QString& name, const WorkbookReader& sheet) {
        if (index != names.size())
            return false;
        names.append(name);
        cells.append(contents(sheet));
        return true;
    };
    VERIFY_DONE(readWorkbookSheets(path, kC, visit, nullptr, threads));
    QCOMPARE(names.size(), sheets);
    for (int i = 0; i < sheets; ++i) {
        const auto alone = openWorkbookSheet(path, i, kC);
        VERIFY_DONE(alone);
        QCOMPARE(names[i], (*alone)->sheetNames().value(i));
        QCOMPARE(cells[i], contents(**alone));
    }

    // The visitor stops the pass: no failure, nothing after it.
    names.clear();
    VERIFY_DONE(readWorkbookSheets(
        path, kC,
        [&](int, const QString& name, const WorkbookReader&) {
            names.append(name);
            return false;
        },
        nullptr, threads));
    QCOMPARE(names.size(), 1);
}

// The third sheet holds a malformed cell: the two before it are handed
// over, never one after it.
void TestWorkbookSheets::failingSheet_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("threads");
    QTest::addColumn<QString>("message");
    const QString xlsx = "Il file a.xlsx non è una cartella di lavoro .xlsx valida: la parte "
                         "xl/worksheets/sheet3.xml contiene un riferimento di cella non valido "
                         "(\"?\").";
    QTest::newRow("xlsx") << "a.xlsx" << 1 << xlsx;
    QTest::newRow("xlsx, side by side") << "a.xlsx" << 3 << xlsx;
    QTest::newRow("ods") << "a.ods" << 1
                         << "Il file a.ods non è una cartella di lavoro .ods valida: la cella A1 "
                            "della parte content.xml contiene un numero non valido (\"x\").";
}

void TestWorkbookSheets::failingSheet() {
    QFETCH(QString, file);
    QFETCH(int, threads);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    std::vector<NamedBytes> sheets;
    for (const char* name : {"a", "b", "c", "d", "e"}) {
        const bool bad = QByteArray(name) == "c";
        if (file.endsWith(".xlsx"))
            sheets.push_back({name, bad ? "<row><c r=\"?\"><v>1</v></c></row>"
                                        : "<row><c r=\"A1\"><v>1</v></c></row>"});
        else
            sheets.push_back({name, QByteArray("<table:table-row><table:table-cell "
                                               "office:value-type=\"float\" office:value=\"") +
                                        (bad ? "x" : "1") + "\"/></table:table-row>"});
    }
    QVERIFY(file.endsWith(".xlsx") ? writeXlsxSheets(path, sheets) : writeOdsTables(path, sheets));
    QStringList names;
    const Status read = readWorkbookSheets(
        path, kC,
        [&](int, const QString& name, const WorkbookReader&) {
            names.append(name);
            return true;
        },
        nullptr, threads);
    QCOMPARE(names, QStringList({"a", "b"}));
    QCOMPARE(failureMessage(read), message);
}

// The sample panel lists five sheets: a limit of four refuses it at once,
// five reads it.
void TestWorkbookSheets::countLimits_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("maxSheets");
    QTest::addColumn<int>("maxRelationships");
    QTest::addColumn<QString>("cause");
    const QString sheets = tooManySheetsCause(4);
    for (const char* name : {"regioni_periodi.xlsx", "regioni_periodi.xls", "regioni_periodi.ods"})
        QTest::addRow("%s", name) << name << 4 << kMaxRelationships << sheets;
    QTest::newRow("relationships") << "regioni_periodi.xlsx" << 5 << 5
                                   << tooManyRelationshipsCause("xl/_rels/workbook.xml.rels", 5);
}

void TestWorkbookSheets::countLimits() {
    QFETCH(QString, file);
    QFETCH(int, maxSheets);
    QFETCH(int, maxRelationships);
    QFETCH(QString, cause);
    WorkbookLimits limits;
    limits.maxSheets = maxSheets;
    limits.maxRelationships = maxRelationships;
    const auto reader = [&]() -> std::unique_ptr<WorkbookReader> {
        if (file.endsWith(".xlsx")) {
            auto xlsx = std::make_unique<XlsxReader>();
            xlsx->setLimits(limits);
            return xlsx;
        }
        if (file.endsWith(".ods")) {
            auto ods = std::make_unique<OdsReader>();
            ods->setLimits(limits);
            return ods;
        }
        auto xls = std::make_unique<XlsReader>();
        xls->setLimits(limits);
        return xls;
    };
    const QString path = QStringLiteral(ORVALTA_EXAMPLES "/") + file;
    const auto refused = reader();
    QCOMPARE(failureMessage(refused->open(path)),
             QStringLiteral("Il file %1 non può essere letto: %2.").arg(file, cause));

    limits = WorkbookLimits();
    const auto read = reader();
    VERIFY_DONE(read->open(path));
    QCOMPARE(read->sheetNames().size(), 5);
}

QTEST_APPLESS_MAIN(TestWorkbookSheets)
#include "tst_workbooksheets.moc"
