#include "support/testsupport.h"
#include "workbook/exceldates.h"
#include "workbook/sheetdata.h"

#include <QTest>

#include <cmath>

class TestSheetData : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cellsInAndOutOfOrder();
    void rowsOutOfOrderAcrossBlocks();
    void releasedRowsReadEmpty();
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

void TestSheetData::rowsOutOfOrderAcrossBlocks() {
    // More cells than one block holds, the rows arriving last first and each
    // row's columns backwards; every other cell set twice.
    constexpr int kRows = 300;
    constexpr int kCols = 250;
    SheetData sheet;
    for (int r = kRows; r >= 1; --r) {
        for (int c = kCols; c >= 1; --c) {
            if ((r + c) % 2 == 0)
                sheet.set(r, c, CellValue(QStringLiteral("prima")));
            sheet.set(r, c,
                      r == 7 && c == 3 ? CellValue::fromBool(true) : CellValue(r * 1000.0 + c));
        }
    }
    sheet.set(1, 1, CellValue(qQNaN())); // a NaN number stays a number
    sheet.finish();
    QCOMPARE(sheet.cellCount(), qsizetype(kRows) * kCols);
    QCOMPARE(sheet.lastRow(), kRows);
    for (int r = 1; r <= kRows; r += 37)
        for (int c = 2; c <= kCols; c += 11)
            QCOMPARE(sheet.at(r, c),
                     r == 7 && c == 3 ? CellValue::fromBool(true) : CellValue(r * 1000.0 + c));
    QVERIFY(sheet.at(1, 1).isNumber());
    QVERIFY(std::isnan(sheet.at(1, 1).number()));
    QCOMPARE(sheet.at(kRows, kCols), CellValue(kRows * 1000.0 + kCols));
    QVERIFY(sheet.at(kRows, kCols + 1).isEmpty());
}

void TestSheetData::releasedRowsReadEmpty() {
    SheetData sheet;
    for (int r = 1; r <= 1000; ++r)
        for (int c = 1; c <= 100; ++c)
            sheet.set(r, c,
                      c == 1 ? CellValue(QStringLiteral("u%1").arg(r)) : CellValue(double(c)));
    sheet.finish();
    sheet.releaseRowsBefore(700);
    QVERIFY(sheet.at(1, 1).isEmpty());
    QVERIFY(sheet.at(699, 100).isEmpty());
    QCOMPARE(sheet.at(700, 1), CellValue(QStringLiteral("u700")));
    QCOMPARE(sheet.at(1000, 100), CellValue(100.0));
    sheet.releaseRowsBefore(5); // never brings rows back
    QVERIFY(sheet.at(10, 10).isEmpty());
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
