#include "support/testsupport.h"
#include "workbook/exceldates.h"
#include "workbook/sheetdata.h"

#include <QTest>

class TestSheetData : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cellsInAndOutOfOrder();
    void serialDates_data();
    void serialDates();
    void dateFormatCodes_data();
    void dateFormatCodes();
};

void TestSheetData::cellsInAndOutOfOrder() {
    SheetData sheet;
    sheet.set(1, 1, CellValue(QStringLiteral("A1")));
    sheet.set(1, 3, CellValue(3.0));
    sheet.set(1, 2, CellValue(2.0));  // out of order
    sheet.set(3, 5, CellValue(35.0)); // row 2 skipped, sparse row
    sheet.set(1, 3, CellValue(33.0)); // the later value of a cell wins
    sheet.finish();
    QCOMPARE(sheet.at(1, 1), CellValue(QStringLiteral("A1")));
    QCOMPARE(sheet.at(1, 2), CellValue(2.0));
    QCOMPARE(sheet.at(1, 3), CellValue(33.0));
    QVERIFY(sheet.at(1, 4).isEmpty());
    QVERIFY(sheet.at(2, 1).isEmpty());
    QCOMPARE(sheet.at(3, 5), CellValue(35.0));
    QVERIFY(sheet.at(3, 4).isEmpty());
    QVERIFY(sheet.at(0, 1).isEmpty());
    QVERIFY(sheet.at(1000000, 1).isEmpty());
    QCOMPARE(sheet.cellCount(), 4);
}

void TestSheetData::serialDates_data() {
    QTest::addColumn<double>("serial");
    QTest::addColumn<bool>("date1904");
    QTest::addColumn<QDateTime>("expected");
    const auto at = [](int y, int m, int d, int h = 0, int min = 0) {
        return QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC);
    };
    QTest::newRow("day 1") << 1.0 << false << at(1900, 1, 1);
    QTest::newRow("day 59") << 59.0 << false << at(1900, 2, 28);
    QTest::newRow("day 61") << 61.0 << false << at(1900, 3, 1);
    QTest::newRow("2015") << 42005.5 << false << at(2015, 1, 1, 12);
    QTest::newRow("1904 day 0") << 0.0 << true << at(1904, 1, 1);
    QTest::newRow("1904 2015") << 40543.25 << true << at(2015, 1, 1, 6);
    QTest::newRow("negative") << -1.0 << false << QDateTime();
}

void TestSheetData::serialDates() {
    QFETCH(double, serial);
    QFETCH(bool, date1904);
    QFETCH(QDateTime, expected);
    QCOMPARE(excelSerialToDateTime(serial, date1904), expected);
}

void TestSheetData::dateFormatCodes_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("isDate");
    QTest::newRow("dd/mm/yyyy") << QStringLiteral("dd/mm/yyyy") << true;
    QTest::newRow("locale prefix") << QStringLiteral("[$-410]d\\ mmmm\\ yyyy") << true;
    QTest::newRow("general") << QStringLiteral("General") << false;
    QTest::newRow("percent") << QStringLiteral("0.00%") << false;
    QTest::newRow("quoted days") << QStringLiteral("0\" days\"") << false;
    QTest::newRow("colour") << QStringLiteral("[Red]#,##0.00") << false;
    QTest::newRow("escaped d") << QStringLiteral("0\\d") << false;
    QTest::newRow("currency") << QStringLiteral("#,##0 [$€-410]") << false;
    QTest::newRow("month year") << QStringLiteral("mmm-yy") << true;
}

void TestSheetData::dateFormatCodes() {
    QFETCH(QString, code);
    QFETCH(bool, isDate);
    QCOMPARE(isDateFormatCode(code), isDate);
}

QTEST_APPLESS_MAIN(TestSheetData)
#include "tst_sheetdata.moc"
