#include "support/testsupport.h"
#include "workbook/xls/xlsreader.h"
#include "workbook/xlsx/xlsxreader.h"

#include <QTest>

// The .xls and the .xlsx reader must deliver the same cells for the same
// content: the sample workbooks (written by two different writers from one
// table) and .xlsx fixtures with their .xls twins saved by LibreOffice.
// Fixtures with formulas are left out: LibreOffice stores some formula
// results of its .xls copies as 0 instead of the cached value.
class TestReaderAgreement : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sameCells_data();
    void sameCells();
};

void TestReaderAgreement::sameCells_data() {
    QTest::addColumn<QString>("xlsx");
    QTest::addColumn<QString>("xls");
    QTest::newRow("example") << QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx")
                             << QStringLiteral(ORVALTA_EXAMPLES "/regioni.xls");
    for (const char* name :
         {"valida", "valida_lo", "costante", "lacune", "testo_numerico", "valore_vuoto", "data",
          "date1904", "divisione_zero", "testo", "valore_spazi"}) {
        const QString base = QString::fromLatin1(name);
        QTest::newRow(name) << fixture("xlsx/" + base + ".xlsx")
                            << fixture("twins/" + base + ".xls");
    }
}

void TestReaderAgreement::sameCells() {
    QFETCH(QString, xlsx);
    QFETCH(QString, xls);
    XlsxReader a;
    XlsReader b;
    QVERIFY2(a.open(xlsx), qPrintable(a.errorMessage()));
    QVERIFY2(b.open(xls), qPrintable(b.errorMessage()));
    int compared = 0;
    for (int r = 1; r <= 40; ++r) {
        for (int c = 1; c <= 20; ++c) {
            const CellValue& x = a.cell(r, c);
            const CellValue& y = b.cell(r, c);
            // An empty text and an empty cell read alike for the matrix.
            if (x.equalsEmptyText() && y.equalsEmptyText())
                continue;
            ++compared;
            if (x.isNumber() && y.isNumber() && quasiUguali(x.number(), y.number(), 1e-15))
                continue;
            QVERIFY2(x == y,
                     qPrintable(QStringLiteral("cell (%1,%2): kinds %3 and %4, texts '%5' and '%6'")
                                    .arg(r)
                                    .arg(c)
                                    .arg(int(x.kind()))
                                    .arg(int(y.kind()))
                                    .arg(x.isText() ? x.text() : QString())
                                    .arg(y.isText() ? y.text() : QString())));
        }
    }
    QVERIFY(compared > 0);
}

QTEST_APPLESS_MAIN(TestReaderAgreement)
#include "tst_readeragreement.moc"
