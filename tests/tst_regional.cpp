#include "shared/regional.h"
#include "support/testsupport.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

class TestRegional : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void indexText_data();
    void indexText();
    void gridText_data();
    void gridText();
    void generalText_data();
    void generalText();
    void parseNumber_data();
    void parseNumber();
    void plainNumbersReadAsTheLocaleReadsThem();
    void indexTextsWrittenAsTheLocaleWritesThem();
};

namespace {
const QLocale kItalian(QLocale::Italian, QLocale::Italy);
const QLocale kC = QLocale::c();
} // namespace

void TestRegional::indexText_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("it grouping") << kItalian << 1234.56784 << QStringLiteral("1.234,5678");
    QTest::newRow("it small") << kItalian << 0.12344 << QStringLiteral("0,1234");
    QTest::newRow("it negative") << kItalian << -0.05 << QStringLiteral("-0,0500");
    QTest::newRow("it rounds up") << kItalian << 2.0 / 3.0 << QStringLiteral("0,6667");
    QTest::newRow("it negative zero") << kItalian << -0.00004 << QStringLiteral("0,0000");
    QTest::newRow("it minus zero") << kItalian << -0.0 << QStringLiteral("0,0000");
    QTest::newRow("it millions") << kItalian << -1234567.0 << QStringLiteral("-1.234.567,0000");
    QTest::newRow("c grouping") << kC << 1234.5 << QStringLiteral("1,234.5000");
    QTest::newRow("c negative zero") << kC << -0.00001 << QStringLiteral("0.0000");
}

void TestRegional::indexText() {
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(Regional(locale).indexText(value), expected);
}

void TestRegional::gridText_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<CellValue>("cell");
    QTest::addColumn<QString>("expected");
    QTest::newRow("number") << kItalian << CellValue(1234.5) << QStringLiteral("1234,5000");
    QTest::newRow("numeric text") << kItalian << CellValue(QStringLiteral("3,5"))
                                  << QStringLiteral("3,5000");
    QTest::newRow("label") << kItalian << CellValue(QStringLiteral("Valle d'Aosta"))
                           << QStringLiteral("Valle d'Aosta");
    QTest::newRow("point under it")
        << kItalian << CellValue(QStringLiteral("12.5")) << QStringLiteral("12.5");
    QTest::newRow("empty") << kItalian << CellValue() << QString();
    QTest::newRow("c number") << kC << CellValue(-2.0) << QStringLiteral("-2.0000");
    QTest::newRow("error") << kC << CellValue::fromError(QStringLiteral("#DIV/0!"))
                           << QStringLiteral("#DIV/0!");
}

void TestRegional::gridText() {
    QFETCH(QLocale, locale);
    QFETCH(CellValue, cell);
    QFETCH(QString, expected);
    QCOMPARE(Regional(locale).gridText(cell), expected);
}

void TestRegional::generalText_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<CellValue>("cell");
    QTest::addColumn<QString>("expected");
    QTest::newRow("year") << kItalian << CellValue(2015.0) << QStringLiteral("2015");
    QTest::newRow("decimal it") << kItalian << CellValue(3.5) << QStringLiteral("3,5");
    QTest::newRow("no grouping") << kItalian << CellValue(1234567.0) << QStringLiteral("1234567");
    QTest::newRow("15 digits") << kC << CellValue(0.1 + 0.2) << QStringLiteral("0.3");
    QTest::newRow("text") << kC << CellValue(QStringLiteral("a;b")) << QStringLiteral("a;b");
    QTest::newRow("true") << kItalian << CellValue::fromBool(true) << QStringLiteral("VERO");
    QTest::newRow("empty") << kItalian << CellValue() << QString();
    QTest::newRow("date") << kItalian
                          << CellValue::fromDate(
                                 QDateTime(QDate(2020, 2, 29), QTime(0, 0), Qt::UTC))
                          << QStringLiteral("29/02/2020");
}

void TestRegional::generalText() {
    QFETCH(QLocale, locale);
    QFETCH(CellValue, cell);
    QFETCH(QString, expected);
    QCOMPARE(Regional(locale).generalText(cell), expected);
}

void TestRegional::parseNumber_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("expected");
    QTest::newRow("it comma") << kItalian << QStringLiteral("12,5") << true << 12.5;
    QTest::newRow("it spaces") << kItalian << QStringLiteral("  12,5 ") << true << 12.5;
    QTest::newRow("it point is not decimal") << kItalian << QStringLiteral("12.5") << false << 0.0;
    QTest::newRow("it grouped") << kItalian << QStringLiteral("1.234,5") << true << 1234.5;
    QTest::newRow("it negative") << kItalian << QStringLiteral("-3") << true << -3.0;
    // A zero before a group separator is no group: never a thousand times
    // the number meant.
    QTest::newRow("it zero group") << kItalian << QStringLiteral("0.125") << false << 0.0;
    QTest::newRow("it zeros group") << kItalian << QStringLiteral("00.125") << false << 0.0;
    QTest::newRow("it negative zero group") << kItalian << QStringLiteral("-0.125") << false << 0.0;
    QTest::newRow("it zero group, decimals")
        << kItalian << QStringLiteral("0.125,5") << false << 0.0;
    QTest::newRow("it thousands") << kItalian << QStringLiteral("1.500") << true << 1500.0;
    QTest::newRow("c zero group") << kC << QStringLiteral("0,125") << false << 0.0;
    QTest::newRow("c point") << kC << QStringLiteral("12.5") << true << 12.5;
    QTest::newRow("c comma") << kC << QStringLiteral("12,5") << false << 0.0;
    QTest::newRow("word") << kC << QStringLiteral("abc") << false << 0.0;
    QTest::newRow("blank") << kC << QStringLiteral("   ") << false << 0.0;
    QTest::newRow("infinity") << kC << QStringLiteral("inf") << false << 0.0;
    QTest::newRow("nan") << kC << QStringLiteral("nan") << false << 0.0;
}

void TestRegional::parseNumber() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, expected);
    const auto number = Regional(locale).parseNumber(text);
    QCOMPARE(number.has_value(), valid);
    if (valid)
        QCOMPARE(*number, expected);
}

// Plain numbers take a shortcut past the locale's parser: it must give the
// very same value (sign of zero included) and refuse the same texts.
void TestRegional::plainNumbersReadAsTheLocaleReadsThem() {
    QStringList texts{"0",
                      "-0",
                      "007",
                      "1",
                      "-1",
                      ",5",
                      "1,",
                      "1.",
                      ".5",
                      "0,1",
                      "0.1",
                      "-",
                      "--1",
                      "1,2,3",
                      "1.2.3",
                      "9007199254740993",
                      "123456789012345678901234567890",
                      "0,30000000000000004",
                      " 12",
                      "١٢"};
    std::uint64_t seed = 20240315;
    for (int i = 0; i < 200; ++i) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        const double value = static_cast<double>(seed >> 11) * 0x1.0p-53 * 1000.0;
        texts.append(QString::number(value, 'g', 17));
    }
    for (const QLocale& locale : {kItalian, kC}) {
        const Regional regional(locale);
        int plainTexts = 0;
        for (QString text : texts) {
            if (locale == kItalian)
                text.replace(u'.', u',');
            bool ok = false;
            const double expected = locale.toDouble(text, &ok);
            const auto number = regional.parseNumber(text);
            QVERIFY2(number.has_value() == ok, qPrintable(text));
            if (ok)
                QVERIFY2(std::memcmp(&*number, &expected, sizeof expected) == 0, qPrintable(text));
            // Straight from the bytes: the same value, or no answer.
            const QByteArray bytes = text.toUtf8();
            double plain = 0.0;
            if (regional.parsePlainNumber(
                    std::string_view(bytes.constData(), std::size_t(bytes.size())), &plain)) {
                QVERIFY2(ok && std::memcmp(&plain, &expected, sizeof expected) == 0,
                         qPrintable(text));
                ++plainTexts;
            }
        }
        // The generated numbers and the plain texts of the list: seven in
        // both locales, then "0.1" under C, and under Italian "0,1" twice
        // ("0.1" becomes "0,1") and "0,3...".
        QCOMPARE(plainTexts, 200 + (locale == kItalian ? 10 : 8));
    }
}

// Index texts take a shortcut past the locale's formatter: over every
// magnitude, near ties and in locales with other separators or groupings it
// must write the very same text.
void TestRegional::indexTextsWrittenAsTheLocaleWritesThem() {
    std::vector<double> values{0.0,     -0.0,     0.00005,    -0.00004999,     0.12345,
                               1.03125, -2.00005, 999999.5,   1e308,           -1.7e308,
                               5e-324,  1e15,     123456.789, 98765432109.875, -0.000049999};
    std::uint64_t seed = 7;
    for (int i = 0; i < 3000; ++i) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        const double mantissa = static_cast<double>(seed >> 11) * 0x1.0p-53;
        values.push_back((seed & 1 ? -1 : 1) * std::ldexp(mantissa, int(seed >> 58) - 20));
        values.push_back(std::round(mantissa * 1e6) / 32.0); // exact ties at the fifth decimal
    }
    for (const QLocale& locale : {kItalian, kC, QLocale(QLocale::English), QLocale(QLocale::French),
                                  QLocale(QLocale::German, QLocale::Switzerland),
                                  QLocale(QLocale::Hindi, QLocale::India)}) {
        QLocale grouped(locale);
        grouped.setNumberOptions(QLocale::DefaultNumberOptions);
        const Regional regional(locale);
        for (const double value : values) {
            QString expected = grouped.toString(value, 'f', 4);
            if (expected.startsWith(grouped.negativeSign()) &&
                !std::any_of(expected.cbegin(), expected.cend(),
                             [](QChar ch) { return ch.isDigit() && ch != u'0'; }))
                expected.remove(0, grouped.negativeSign().size());
            QCOMPARE(regional.indexText(value), expected);
            // The UTF-8 text written with its number.
            std::string utf8("x");
            const auto written = regional.appendIndexText(value, utf8);
            QCOMPARE(QByteArrayView(utf8), QByteArray("x" + expected.toUtf8()));
            QCOMPARE(written, regional.indexTextValue(value));
            // The number the text reads as, told without the text.
            const auto key = regional.indexTextValue(value);
            const auto parsed = regional.parseNumber(expected);
            if (key && parsed)
                QCOMPARE(*key, *parsed);
            else if (locale == kItalian)
                QVERIFY(!key || expected.size() > 19); // past 15 digits only the text tells
        }
    }
}

QTEST_APPLESS_MAIN(TestRegional)
#include "tst_regional.moc"
