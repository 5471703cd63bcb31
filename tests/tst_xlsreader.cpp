#include "support/regioniesempio.h"
#include "support/testsupport.h"
#include "workbook/caricamatrice.h"
#include "workbook/xls/biffcontinuedrecord.h"
#include "workbook/xls/biffrecordreader.h"
#include "workbook/xls/biffsst.h"
#include "workbook/xls/biffvalues.h"
#include "workbook/xls/biffworkbook.h"
#include "workbook/xls/biffworksheet.h"
#include "workbook/xls/xlsreader.h"

#include <QTest>
#include <QtEndian>

#include <bit>
#include <cmath>
#include <iterator>
#include <memory>

class TestXlsReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Records and their encodings.
    void rkDecoding_data();
    void rkDecoding();
    void recordReaderChecksEveryLength_data();
    void recordReaderChecksEveryLength();
    void sharedStringsAcrossContinue_data();
    void sharedStringsAcrossContinue();
    void sharedStringsRefuseShortData_data();
    void sharedStringsRefuseShortData();
    void formulaTextFromContinuedStringRecord();
    void inlineLabelsAndBlanks();
    void datesFollowTheCellFormat();
    void embeddedChartRecordsAreNotCells();
    void streamFailures_data();
    void streamFailures();

    // Workbooks written by xlwt and LibreOffice.
    void typedCells_data();
    void typedCells();
    void formulaResults_data();
    void formulaResults();
    void longSharedStringTable();
    void dates1904();
    void refusedWorkbooks_data();
    void refusedWorkbooks();
    void readerLimits();
    void reopenForgetsThePreviousWorkbook();

    // The matrix loader over .xls workbooks.
    void loaderAccepts();
    void loaderRefusals_data();
    void loaderRefusals();
    void loaderExtentStopsAtGaps();
    void loaderEmptyA1();
    void exampleWorkbookMatchesItsSource();
};

namespace {

const Regional kItalian{QLocale(QLocale::Italian, QLocale::Italy)};
const Regional kC{QLocale::c()};

QString u(const char* text) {
    return QString::fromUtf8(text);
}
CellValue t(const char* text) {
    return CellValue(u(text));
}
CellValue date(int y, int m, int d, int hh = 0, int mm = 0) {
    return CellValue::fromDate(QDateTime(QDate(y, m, d), QTime(hh, mm), Qt::UTC));
}
CellValue error(const char* code) {
    return CellValue::fromError(u(code));
}

// Little-endian byte builders for hand-made records.
QByteArray le16(quint16 v) {
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}
QByteArray le32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}
QByteArray f64(double v) {
    QByteArray b(8, '\0');
    qToLittleEndian(std::bit_cast<quint64>(v), b.data());
    return b;
}
QByteArray latin1(const char* text) {
    return QByteArray(text);
}
QByteArray utf16(const QString& text) {
    QByteArray b;
    for (const QChar ch : text)
        b += le16(ch.unicode());
    return b;
}
QByteArray record(quint16 type, const QByteArray& body) {
    return le16(type) + le16(static_cast<quint16>(body.size())) + body;
}
QByteArray bof(quint16 version, quint16 kind) {
    return record(BiffType::Bof, le16(version) + le16(kind) + QByteArray(12, '\0'));
}
QByteArray cell(quint16 row, quint16 col, quint16 xf = 0) {
    return le16(row) + le16(col) + le16(xf);
}

// A workbook stream: globals (BOF, the given records, one BOUNDSHEET of the
// given type, EOF) then the sheet (BOF of the given kind, records, EOF).
QByteArray workbookStream(const QByteArray& globals, const QByteArray& sheet, quint8 sheetType = 0,
                          quint16 sheetBof = BiffBof::Worksheet) {
    const auto build = [&](quint32 offset) -> QByteArray {
        const QByteArray boundSheet =
            record(BiffType::BoundSheet, le32(offset) + QByteArray(1, '\0') +
                                             QByteArray(1, static_cast<char>(sheetType)) +
                                             QByteArray("\x04\x00", 2) + latin1("Dati"));
        return bof(BiffBof::Biff8, BiffBof::Globals) + globals + boundSheet +
               record(BiffType::Eof, {});
    };
    const QByteArray head = build(static_cast<quint32>(build(0).size()));
    return head + bof(BiffBof::Biff8, sheetBof) + sheet + record(BiffType::Eof, {});
}

// Reads a hand-made stream as the reader does.
BiffFailure readStream(const QByteArray& stream, SheetData* sheet) {
    BiffWorkbook book;
    BiffFailure failure = readBiffWorkbook(stream, &book);
    if (!failure.failed())
        failure = readBiffWorksheet(stream, book, 0, sheet);
    sheet->finish();
    return failure;
}

// The i-th string of the long shared-string fixture, as its script writes it.
QString longString(int i) {
    QString text = u("Unità %1: Società «Perché no?» di Città di Castello, località "
                     "Sant'Angelo; ")
                       .arg(i, 4, 10, QLatin1Char('0'));
    text = text.repeated(1 + i % 3);
    if (i % 5 == 0)
        text += u("Ελληνικά Кириллица 日本語");
    return text;
}

std::unique_ptr<XlsReader> openFixture(const QString& name) {
    auto reader = std::make_unique<XlsReader>();
    if (const Status opened = reader->open(fixture(QStringLiteral("xls/") + name)); !opened)
        qWarning("%s", qPrintable(opened.error().message));
    return reader;
}

} // namespace

void TestXlsReader::rkDecoding_data() {
    QTest::addColumn<quint32>("rk");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << quint32((42u << 2) | 2u) << 42.0;
    QTest::newRow("negative integer") << quint32((static_cast<quint32>(-7) << 2) | 2u) << -7.0;
    QTest::newRow("largest integer") << quint32((0x1FFFFFFFu << 2) | 2u) << 536870911.0;
    QTest::newRow("smallest integer") << quint32(0x80000002u) << -536870912.0;
    QTest::newRow("integer x100") << quint32((1234u << 2) | 3u) << 12.34;
    QTest::newRow("negative integer x100")
        << quint32((static_cast<quint32>(-5) << 2) | 3u) << -0.05;
    QTest::newRow("double") << quint32(0x3FF00000u) << 1.0;
    QTest::newRow("negative double") << quint32(0xC0040000u) << -2.5;
    QTest::newRow("double x100") << quint32(0x3FF00001u) << 0.01;
    QTest::newRow("zero") << quint32(0) << 0.0;
}

void TestXlsReader::rkDecoding() {
    QFETCH(quint32, rk);
    QFETCH(double, value);
    QCOMPARE(decodeRk(rk), value);
}

void TestXlsReader::recordReaderChecksEveryLength_data() {
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<int>("status");
    using S = BiffRecordReader::Status;
    QTest::newRow("end") << QByteArray() << int(S::End);
    QTest::newRow("half a header") << QByteArray("\x03\x02\x0e", 3) << int(S::Truncated);
    QTest::newRow("longest body") << (le16(BiffType::Number) + le16(8224) + QByteArray(8224, 'x'))
                                  << int(S::Ok);
    QTest::newRow("body beyond the limit")
        << (le16(BiffType::Number) + le16(8225) + QByteArray(8225, 'x')) << int(S::TooLong);
    QTest::newRow("body beyond the stream")
        << (le16(BiffType::Number) + le16(14) + QByteArray(13, 'x')) << int(S::BeyondStream);
}

void TestXlsReader::recordReaderChecksEveryLength() {
    QFETCH(QByteArray, stream);
    QFETCH(int, status);
    BiffRecordReader reader(stream);
    BiffRecord r;
    QCOMPARE(int(reader.next(&r)), status);
    if (status == int(BiffRecordReader::Status::Ok)) {
        QCOMPARE(r.body.size(), stream.size() - 4);
        QCOMPARE(reader.position(), stream.size());
    } else {
        QCOMPARE(reader.position(), 0); // a failed read does not move on
    }
}

void TestXlsReader::sharedStringsAcrossContinue_data() {
    QTest::addColumn<QList<QByteArray>>("parts"); // SST body, then CONTINUE bodies
    QTest::addColumn<int>("codepage");
    QTest::addColumn<QStringList>("strings");
    const QByteArray counts = le32(9) + le32(2);

    QTest::newRow("8-bit characters go on as UTF-16")
        << QList<QByteArray>{counts + le16(6) + '\0' + latin1("Cit"),
                             '\x01' + utf16(u("tàΩ")) + le16(2) + '\0' + latin1("ok")}
        << 1200 << QStringList{u("CittàΩ"), u("ok")};
    QTest::newRow("UTF-16 characters go on 8-bit")
        << QList<QByteArray>{counts + le16(5) + '\x01' + utf16(u("Ωé")),
                             '\0' + latin1("abc") + le16(1) + '\x01' + utf16(u("ü"))}
        << 1200 << QStringList{u("Ωéabc"), u("ü")};
    QTest::newRow("a string that starts a CONTINUE has no extra byte")
        << QList<QByteArray>{counts + le16(3) + '\0' + latin1("uno"),
                             le16(3) + '\0' + latin1("due")}
        << 1200 << QStringList{u("uno"), u("due")};
    QTest::newRow("characters that all go to the next part")
        << QList<QByteArray>{counts + le16(3) + '\0', '\x01' + utf16(u("tre")) + le16(0) + '\0'}
        << 1200 << QStringList{u("tre"), QString()};
    // Rich-text runs and phonetic data are skipped, also across a boundary,
    // where no option byte is repeated.
    QTest::newRow("rich-text runs across the boundary")
        << QList<QByteArray>{counts + le16(2) + '\x08' + le16(2) + latin1("ab") + le32(0) + "\x01",
                             QByteArray(3, '\x07') + le16(1) + '\0' + latin1("c")}
        << 1200 << QStringList{u("ab"), u("c")};
    QTest::newRow("phonetic data across the boundary")
        << QList<QByteArray>{counts + le16(2) + '\x0c' + le16(1) + le32(6) + latin1("ab") +
                                 le32(0) + QByteArray(2, 'p'),
                             QByteArray(4, 'p') + le16(1) + '\0' + latin1("d")}
        << 1200 << QStringList{u("ab"), u("d")};
    QTest::newRow("code page 1252")
        << QList<QByteArray>{counts + le16(2) + '\0' + "\x80\x9c" + le16(1) + '\0' + "\xe8"} << 1252
        << QStringList{u("€œ"), u("è")};
    QTest::newRow("latin-1 under the UTF-16 code page")
        << QList<QByteArray>{counts + le16(1) + '\0' + "\xe8" + le16(1) + '\0' + "\xff"} << 1200
        << QStringList{u("è"), u("ÿ")};
}

void TestXlsReader::sharedStringsAcrossContinue() {
    QFETCH(QList<QByteArray>, parts);
    QFETCH(int, codepage);
    QFETCH(QStringList, strings);
    std::vector<QByteArrayView> views(parts.begin(), parts.end());
    BiffContinuedRecord in(std::move(views), static_cast<quint16>(codepage));
    std::vector<QString> read;
    QCOMPARE(readBiffSst(in, &read), BiffFailure::Kind::None);
    QCOMPARE(QStringList(read.begin(), read.end()), strings);
    QCOMPARE(in.remaining(), 0);
}

void TestXlsReader::sharedStringsRefuseShortData_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("kind");
    const int truncated = int(BiffFailure::Kind::SstTruncated);
    QTest::newRow("count beyond the strings")
        << (le32(1000000) + le32(1000000) + le16(1) + '\0' + latin1("a")) << truncated;
    QTest::newRow("count beyond any workbook")
        << (le32(0x7FFFFFFF) + le32(0x7FFFFFFF) + le16(1) + '\0' + latin1("a"))
        << int(BiffFailure::Kind::SstTooLarge);
    QTest::newRow("characters beyond the record")
        << (le32(1) + le32(1) + le16(5000) + '\0' + latin1("abc")) << truncated;
    QTest::newRow("runs beyond the record")
        << (le32(1) + le32(1) + le16(1) + '\x08' + le16(900) + latin1("a") + le32(0)) << truncated;
    QTest::newRow("no counts") << QByteArray("\x01\x00", 2) << truncated;
}

void TestXlsReader::sharedStringsRefuseShortData() {
    QFETCH(QByteArray, body);
    QFETCH(int, kind);
    BiffContinuedRecord in(body);
    std::vector<QString> read;
    QCOMPARE(int(readBiffSst(in, &read)), kind);
    QVERIFY(read.capacity() <= 2); // never reserved from the count
}

void TestXlsReader::formulaTextFromContinuedStringRecord() {
    // FORMULA with a text result, a SHRFMLA between it and its STRING, and
    // the STRING's characters going on in a CONTINUE record as UTF-16.
    const QByteArray textResult = QByteArray("\x00\x00\x00\x00\x00\x00\xff\xff", 8);
    const QByteArray formula =
        record(BiffType::Formula, cell(0, 1) + textResult + le16(0) + le32(0) + le16(0));
    const QByteArray sheet =
        formula + record(0x04BC, QByteArray(10, '\0')) +
        record(BiffType::String, le16(7) + '\0' + latin1("Sud")) +
        record(BiffType::Continue, '\x01' + utf16(u("tiΩl"))) +
        record(BiffType::Formula, cell(1, 1) + QByteArray("\x03\x00\x00\x00\x00\x00\xff\xff", 8) +
                                      le16(0) + le32(0) + le16(0)) +
        record(BiffType::Formula, cell(2, 1) + f64(2.5) + le16(0) + le32(0) + le16(0));
    SheetData data;
    const BiffFailure failure = readStream(workbookStream({}, sheet), &data);
    QVERIFY(!failure.failed());
    QCOMPARE(data.at(1, 2), CellValue(u("SudtiΩl")));
    QCOMPARE(data.at(2, 2), CellValue(QString())); // empty text result
    QVERIFY(data.at(2, 2).equalsEmptyText());
    QCOMPARE(data.at(3, 2), CellValue(2.5));
}

void TestXlsReader::inlineLabelsAndBlanks() {
    // LABEL records hold their text in the cell record; under code page 1252
    // the 8-bit byte 0x80 is the euro sign. Blank cells store nothing.
    const QByteArray globals = record(BiffType::Codepage, le16(1252));
    const QByteArray sheet =
        record(BiffType::Label, cell(0, 0) + le16(5) + '\0' + "\x80 100") +
        record(BiffType::Label, cell(0, 1) + le16(2) + '\x01' + utf16(u("Ωé"))) +
        record(BiffType::RString, cell(0, 2) + le16(2) + '\0' + "ok" + le16(0)) +
        record(BiffType::Blank, cell(1, 0)) +
        record(BiffType::MulBlank, le16(1) + le16(1) + le16(0) + le16(0) + le16(2));
    SheetData data;
    QVERIFY(!readStream(workbookStream(globals, sheet), &data).failed());
    QCOMPARE(data.at(1, 1), t("€ 100"));
    QCOMPARE(data.at(1, 2), t("Ωé"));
    QCOMPARE(data.at(1, 3), t("ok"));
    QCOMPARE(data.cellCount(), 3);
}

void TestXlsReader::datesFollowTheCellFormat() {
    // XF 0 General, XF 1 built-in date 14, XF 2 custom date code, XF 3 a
    // custom code whose letters are quoted, XF 4 the General format under
    // a localised name with a "d" in it.
    const auto xf = [](quint16 format) {
        return record(BiffType::Xf, le16(0) + le16(format) + QByteArray(16, '\0'));
    };
    const auto format = [](quint16 id, const char* code) {
        return record(BiffType::Format,
                      le16(id) + le16(static_cast<quint16>(qstrlen(code))) + '\0' + latin1(code));
    };
    const QByteArray globals = record(BiffType::DateMode, le16(1)) + format(164, "dd/mm/yyyy") +
                               format(165, "0.0 \"dm\"") + format(0, "Standard") + xf(0) + xf(14) +
                               xf(164) + xf(165) + xf(0);
    QByteArray sheet;
    for (quint16 x = 0; x < 5; ++x)
        sheet += record(BiffType::Number, cell(x, 0, x) + f64(1462.5));
    sheet += record(BiffType::Rk, cell(5, 0, 2) + le32((1u << 2) | 2u));
    sheet += record(BiffType::Number, cell(6, 0, 2) + f64(-1.0));  // no such date
    sheet += record(BiffType::Number, cell(7, 0) + f64(HUGE_VAL)); // bits of no number
    SheetData data;
    QVERIFY(!readStream(workbookStream(globals, sheet), &data).failed());
    QCOMPARE(data.at(1, 1), CellValue(1462.5));
    QCOMPARE(data.at(2, 1), date(1908, 1, 2, 12)); // the 1904 system
    QCOMPARE(data.at(8, 1), error("#NUM!"));
    QCOMPARE(data.at(3, 1), date(1908, 1, 2, 12));
    QCOMPARE(data.at(4, 1), CellValue(1462.5));
    QCOMPARE(data.at(5, 1), CellValue(1462.5));
    QCOMPARE(data.at(6, 1), date(1904, 1, 2));
    QCOMPARE(data.at(7, 1), CellValue(-1.0));
}

void TestXlsReader::embeddedChartRecordsAreNotCells() {
    const QByteArray sheet =
        record(BiffType::Number, cell(0, 0) + f64(1.0)) + bof(BiffBof::Biff8, BiffBof::Chart) +
        record(BiffType::Number, cell(0, 0) + f64(99.0)) +
        record(BiffType::Number, cell(4, 4) + f64(99.0)) + record(BiffType::Eof, {}) +
        record(BiffType::Number, cell(1, 0) + f64(2.0));
    SheetData data;
    QVERIFY(!readStream(workbookStream({}, sheet), &data).failed());
    QCOMPARE(data.at(1, 1), CellValue(1.0));
    QCOMPARE(data.at(2, 1), CellValue(2.0));
    QCOMPARE(data.cellCount(), 2);
}

void TestXlsReader::streamFailures_data() {
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<int>("kind");
    using K = BiffFailure::Kind;
    const QByteArray number = record(BiffType::Number, cell(0, 0) + f64(1.0));
    const QByteArray valid = workbookStream({}, number);

    QTest::newRow("not BIFF") << record(BiffType::Number, cell(0, 0) + f64(1.0)) << int(K::NotBiff);
    QTest::newRow("BIFF5") << (bof(0x0500, BiffBof::Globals) + record(BiffType::Eof, {}))
                           << int(K::OldFormat);
    QTest::newRow("BIFF4") << record(BiffType::Bof4, QByteArray(6, '\0')) << int(K::OldFormat);
    QTest::newRow("password") << workbookStream(record(BiffType::FilePass, le16(0)), number)
                              << int(K::Encrypted);
    QTest::newRow("no sheet") << (bof(BiffBof::Biff8, BiffBof::Globals) + record(BiffType::Eof, {}))
                              << int(K::NoSheet);
    QTest::newRow("chart sheet first") << workbookStream({}, number, 2) << int(K::NotWorksheet);
    QTest::newRow("module first") << workbookStream({}, number, 6) << int(K::NotWorksheet);
    QTest::newRow("sheet BOF of a chart")
        << workbookStream({}, number, 0, BiffBof::Chart) << int(K::NotWorksheet);
    QTest::newRow("globals without EOF")
        << bof(BiffBof::Biff8, BiffBof::Globals) << int(K::EndsEarly);
    QTest::newRow("sheet without EOF") << valid.first(valid.size() - 4) << int(K::EndsEarly);
    QTest::newRow("record past the stream")
        << (valid.first(valid.size() - 4) + le16(BiffType::Number) + le16(30) + QByteArray(8, 0))
        << int(K::RecordBeyondStream);
    QTest::newRow("record too long")
        << workbookStream({}, record(0x00E5, QByteArray(9000, '\0'))) << int(K::RecordTooLong);
    QTest::newRow("short NUMBER") << workbookStream({}, record(BiffType::Number, cell(0, 0)))
                                  << int(K::ShortRecord);
    QTest::newRow("column 257") << workbookStream({},
                                                  record(BiffType::Number, cell(0, 256) + f64(1.0)))
                                << int(K::CellOutOfRange);
    QTest::newRow("MULRK past column 256")
        << workbookStream(
               {}, record(BiffType::MulRk, le16(0) + le16(254) + QByteArray(18, '\0') + le16(256)))
        << int(K::CellOutOfRange);
    QTest::newRow("shared string beyond the table")
        << workbookStream(record(BiffType::Sst, le32(1) + le32(1) + le16(1) + '\0' + "a"),
                          record(BiffType::LabelSst, cell(0, 0) + le32(1)))
        << int(K::StringIndex);
    QTest::newRow("truncated shared strings")
        << workbookStream(record(BiffType::Sst, le32(2) + le32(2) + le16(1) + '\0' + "a"), number)
        << int(K::SstTruncated);
    QByteArray badOffset = valid;
    const qsizetype boundSheet =
        badOffset.indexOf(QByteArray(le16(BiffType::BoundSheet) + le16(12)));
    qToLittleEndian<quint32>(0x7FFFFFF0, badOffset.data() + boundSheet + 4);
    QTest::newRow("sheet offset past the stream") << badOffset << int(K::BadSheetOffset);
}

void TestXlsReader::streamFailures() {
    QFETCH(QByteArray, stream);
    QFETCH(int, kind);
    SheetData data;
    QCOMPARE(int(readStream(stream, &data).kind), kind);
}

void TestXlsReader::typedCells_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<CellValue>("value");
    const QList<CellValue> values{CellValue(42.0),
                                  CellValue(-7.0),
                                  CellValue(12.34),
                                  CellValue(3.141592653589793),
                                  CellValue(1.5e300),
                                  CellValue::fromBool(true),
                                  CellValue::fromBool(false),
                                  date(2020, 2, 29),
                                  date(1999, 12, 31),
                                  date(2021, 7, 4, 18, 30),
                                  CellValue(0.25), // a percentage is no date
                                  CellValue(2.5),  // nor is a format whose d, m, y are quoted
                                  t("àèéìòù ÀÉ ç ß «»"),
                                  t("Ελληνικά Кириллица 日本語"),
                                  error("#NULL!"),
                                  error("#DIV/0!"),
                                  error("#VALUE!"),
                                  error("#REF!"),
                                  error("#NAME?"),
                                  error("#NUM!"),
                                  error("#N/A"),
                                  t("Perché sì e no")};
    for (int i = 0; i < values.size(); ++i)
        QTest::addRow("row %d", i + 1) << i + 1 << values[i];
}

void TestXlsReader::typedCells() {
    QFETCH(int, row);
    QFETCH(CellValue, value);
    const auto reader = openFixture(QStringLiteral("tipi.xls"));
    QCOMPARE(reader->cell(row, 2), value);
    QVERIFY(reader->cell(row, 1).isText()); // the label column
}

void TestXlsReader::formulaResults_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<CellValue>("value");
    const QList<CellValue> values{CellValue(42.0),
                                  t("Valle d'Aosta/Vallée d'Aoste"),
                                  CellValue::fromBool(true),
                                  CellValue::fromBool(false),
                                  error("#DIV/0!"),
                                  error("#N/A"),
                                  error("#VALUE!"),
                                  CellValue(QString()),
                                  CellValue(u("àè").repeated(4500)),
                                  CellValue(u("Ω").repeated(5000)),
                                  date(2024, 2, 29),
                                  date(2000, 1, 1),
                                  CellValue(12.5)};
    for (int i = 0; i < values.size(); ++i)
        QTest::addRow("row %d", i + 1) << i + 1 << values[i];
}

void TestXlsReader::formulaResults() {
    QFETCH(int, row);
    QFETCH(CellValue, value);
    const auto reader = openFixture(QStringLiteral("formule.xls"));
    QCOMPARE(reader->cell(row, 2), value);
}

void TestXlsReader::longSharedStringTable() {
    const auto reader = openFixture(QStringLiteral("stringhe_lunghe.xls"));
    for (int i = 0; i < 3000; ++i) {
        QCOMPARE(reader->cell(i + 1, 1), CellValue(longString(i)));
        QCOMPARE(reader->cell(i + 1, 2), CellValue(double(i)));
    }
    QVERIFY(reader->cell(3001, 1).isEmpty());
}

void TestXlsReader::dates1904() {
    const auto reader = openFixture(QStringLiteral("date_1904.xls"));
    QCOMPARE(reader->cell(1, 2), date(2020, 2, 29));
    QCOMPARE(reader->cell(2, 2), date(1904, 1, 1));
}

// Lowered limits on a valid workbook: each stops the reading with its own
// message; the workbook fits them exactly.
void TestXlsReader::readerLimits() {
    const auto refusal = [](const ReaderLimits& limits) {
        XlsReader reader;
        reader.setLimits(limits);
        return failureMessage(reader.open(fixture(u("xls/valida.xls"))));
    };
    const ReaderLimits fitting{24, 9, 28, 135};
    QCOMPARE(refusal(fitting), QString());
    const QString prefix = u("Il file valida.xls non può essere letto: ");
    QCOMPARE(refusal({23, 9, 28, 135}),
             prefix + u("il primo foglio contiene più di 23 celle non vuote."));
    QCOMPARE(refusal({24, 8, 28, 135}),
             prefix + u("la tabella delle stringhe condivise contiene più di 8 stringhe."));
    QCOMPARE(refusal({24, 9, 27, 135}),
             prefix + u("un testo supera i 27 caratteri che una cella può contenere."));
    QCOMPARE(refusal({24, 9, 28, 134}),
             prefix + u("i testi della cartella di lavoro superano in tutto i 134 caratteri."));
}

void TestXlsReader::refusedWorkbooks_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("encrypted by LibreOffice")
        << u("cifrata.xls")
        << u("La cartella di lavoro cifrata.xls è protetta da password: rimuovere la password e "
             "salvarla di nuovo.");
    QTest::newRow("FILEPASS") << u("filepass.xls") << u("è protetta da password");
    QTest::newRow("BIFF5") << u("biff5.xls")
                           << u("La cartella di lavoro biff5.xls è in formato Excel 5.0/95 o "
                                "precedente non supportato: salvarla come .xls 97-2003 o .xlsx.");
    QTest::newRow("chart first") << u("primo_grafico.xls")
                                 << u("Il primo foglio di primo_grafico.xls non è un foglio di "
                                      "lavoro (è un foglio grafico)");
    QTest::newRow("no Workbook stream")
        << u("senza_workbook.xls")
        << u("Il file senza_workbook.xls non è una cartella di lavoro .xls valida");
    QTest::newRow("stream cut") << u("flusso_troncato.xls") << u("termina prima della fine");
    QTest::newRow("record past the stream")
        << u("record_oltre.xls") << u("un record supera la fine del flusso Workbook");
    QTest::newRow("lying shared strings")
        << u("sst_bugiarda.xls") << u("la tabella delle stringhe condivise è troncata");
    QTest::newRow("half a file") << u("file_troncato.xls")
                                 << u("Il file file_troncato.xls non è una cartella di lavoro "
                                      ".xls valida");
    QTest::newRow("looping sector chain") << u("catena_ciclica.xls") << u("catena_ciclica.xls");
}

void TestXlsReader::refusedWorkbooks() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    XlsReader reader;
    const QString refusal = failureMessage(reader.open(fixture(QStringLiteral("xls/") + name)));
    QVERIFY2(refusal.contains(message), qPrintable(refusal));
    QVERIFY(reader.cell(1, 1).isEmpty());
}

void TestXlsReader::reopenForgetsThePreviousWorkbook() {
    XlsReader reader;
    QVERIFY(reader.open(fixture(QStringLiteral("xls/lacune.xls"))));
    QCOMPARE(reader.cell(1, 5), t("Ignorato"));
    QVERIFY(reader.open(fixture(QStringLiteral("xls/valida.xls"))));
    QVERIFY(reader.cell(1, 5).isEmpty());
    QVERIFY(!reader.open(fixture(QStringLiteral("xls/cifrata.xls"))));
    QVERIFY(reader.cell(1, 1).isEmpty());
    QVERIFY(reader.open(fixture(QStringLiteral("xls/valida.xls"))));
    reader.close();
    QVERIFY(reader.cell(1, 1).isEmpty());
}

namespace {
Expected<Matrix> load(const QString& name, const Regional& regional) {
    return carica_matrice(fixture(QStringLiteral("xls/") + name), regional);
}
} // namespace

void TestXlsReader::loaderAccepts() {
    Expected<Matrix> matrix = load(QStringLiteral("valida.xls"), kC);
    QVERIFY2(matrix, qPrintable(failureMessage(matrix)));
    QCOMPARE(matrix->unitCount(), 5);
    QCOMPARE(matrix->indicatorCount(), 3);
    QCOMPARE(matrix->indicators[1], t("disoccupazione (%)"));
    QCOMPARE(matrix->units[1], t("Valle d'Aosta/Vallée d'Aoste"));
    QCOMPARE(matrix->units[3], t("Trentino-Alto Adige/Südtirol"));
    QCOMPARE(matrix->value(1, 2), -1.5);
    QCOMPARE(matrix->value(2, 0), 39.1);
    QVERIFY(hasZeroValue(matrix->view()));

    matrix = load(QStringLiteral("matrice_formule.xls"), kC);
    QVERIFY2(matrix, qPrintable(failureMessage(matrix)));
    QCOMPARE(matrix->unitCount(), 3);
    QCOMPARE(matrix->units[0], t("Valle d'Aosta/Vallée d'Aoste"));
    QCOMPARE(matrix->units[1], t("Trentino-Alto Adige/Südtirol"));
    QCOMPARE(matrix->value(1, 0), 6.0);
    QCOMPARE(matrix->value(1, 1), -2.5);

    matrix = load(QStringLiteral("testo_numerico.xls"), kItalian);
    QVERIFY2(matrix, qPrintable(failureMessage(matrix)));
    QCOMPARE(matrix->value(0, 0), 12.5);
    QCOMPARE(matrix->value(1, 0), 3.25);
}

void TestXlsReader::loaderRefusals_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("italian");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty value") << u("valore_vuoto.xls") << true << nullValuesMessage(u("beta"));
    QTest::newRow("only spaces") << u("solo_spazi.xls") << true << nullValuesMessage(u("Gamma"));
    QTest::newRow("text, columns first")
        << u("alfanumerico.xls") << true << textValuesMessage(u("Alfa"));
    QTest::newRow("constant") << u("costante.xls") << true << constantIndicatorMessage(u("beta"));
    QTest::newRow("date") << u("data_nei_dati.xls") << true << textValuesMessage(u("beta"));
    QTest::newRow("#DIV/0! formula") << u("div0.xls") << true << textValuesMessage(u("Beta"));
    QTest::newRow("decimal comma without Italian settings")
        << u("testo_numerico.xls") << false << textValuesMessage(u("Alfa"));
}

void TestXlsReader::loaderRefusals() {
    QFETCH(QString, name);
    QFETCH(bool, italian);
    QFETCH(QString, message);
    const Expected<Matrix> matrix = load(name, italian ? kItalian : kC);
    QVERIFY(!matrix);
    QVERIFY(matrix.error().kind == FailureKind::Refused);
    QCOMPARE(matrix.error().message.section(u'\n', 0, 0), message);
}

void TestXlsReader::loaderExtentStopsAtGaps() {
    const Expected<Matrix> matrix = load(QStringLiteral("lacune.xls"), kC);
    QVERIFY2(matrix, qPrintable(failureMessage(matrix)));
    QCOMPARE(matrix->unitCount(), 2);
    QCOMPARE(matrix->indicatorCount(), 2);
    QCOMPARE(matrix->value(1, 1), 1.0);
}

void TestXlsReader::loaderEmptyA1() {
    const Expected<Matrix> matrix = load(QStringLiteral("a1_vuota.xls"), kC);
    QVERIFY(!matrix);
    QVERIFY(matrix.error().kind == FailureKind::File);
    QVERIFY2(matrix.error().message.contains(QStringLiteral("A1")),
             qPrintable(failureMessage(matrix)));
    QVERIFY(matrix.error().message.contains(QStringLiteral("a1_vuota.xls")));
}

void TestXlsReader::exampleWorkbookMatchesItsSource() {
    const auto rows = regioniEsempio();
    XlsReader reader;
    VERIFY_DONE(reader.open(QStringLiteral(ORVALTA_EXAMPLES "/regioni.xls")));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            QCOMPARE(reader.cell(int(r) + 1, int(c) + 1), rows[r][c]);
    QVERIFY(reader.cell(22, 1).isEmpty());
    QVERIFY(reader.cell(1, 10).isEmpty());
}

QTEST_APPLESS_MAIN(TestXlsReader)
#include "tst_xlsreader.moc"
