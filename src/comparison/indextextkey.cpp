#include "comparison/indextextkey.h"

#include <QStringView>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

// A text as indexText writes it (a sign, digits with group separators, the
// decimal separator and four decimals) is read digit by digit into an exact
// whole number; any other text goes through the locale's parser.
double indexTextKey(const CellValue& cell, const Regional& regional) {
    if (cell.isText()) {
        const QString& text = cell.text();
        const QLocale& locale = regional.locale();
        const QString minus = locale.negativeSign();
        const QString group = locale.groupSeparator();
        const QString point = locale.decimalPoint();
        qsizetype i = 0;
        const bool negative = text.startsWith(minus);
        if (negative)
            i = minus.size();
        qint64 number = 0;
        int digits = 0;
        int decimals = -1; // digits after the separator, -1 before it
        bool ok = i < text.size();
        while (ok && i < text.size()) {
            const int digit = text.at(i).digitValue();
            if (digit >= 0) {
                // Past 15 digits the locale's parser reads the text.
                ok = ++digits <= 15;
                number = number * 10 + digit;
                if (decimals >= 0)
                    ++decimals;
                ++i;
            } else if (decimals < 0 && QStringView(text).sliced(i).startsWith(point)) {
                decimals = 0;
                i += point.size();
            } else if (decimals < 0 && digits > 0 &&
                       QStringView(text).sliced(i).startsWith(group)) {
                i += group.size();
            } else {
                ok = false;
            }
        }
        // At most 15 digits: the whole number and its quotient are exact, so
        // the key is the number the text reads as.
        if (ok && decimals == 4)
            return static_cast<double>(negative ? -number : number) / 1e4;
    }
    const auto number = regional.numberOf(cell);
    return number ? *number : std::nan("");
}

double writtenIndexTextKey(const QString& text, const Regional& regional) {
    const qsizetype size = text.size();
    bool shaped = size >= 5 && text.at(size - 5).digitValue() < 0;
    for (qsizetype i = size - 4; shaped && i < size; ++i)
        shaped = text.at(i).digitValue() >= 0;
    if (!shaped)
        return indexTextKey(CellValue(text), regional);
    // The same digits in the C form, read to the nearest double as the
    // writer's settings read them.
    std::string number(1, '0');
    bool negative = false;
    for (qsizetype i = 0; i < size; ++i) {
        const QChar ch = text.at(i);
        if (i == size - 4)
            number += '.';
        if (const int digit = ch.digitValue(); digit >= 0)
            number += static_cast<char>('0' + digit);
        else if (ch == u'-' || ch == QChar(0x2212))
            negative = true;
    }
    double value = 0.0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return negative ? -value : value;
}

// Plain ASCII, the form of every index text written under settings with
// ASCII separators, is read byte by byte as the text is read above: a digit
// is an ASCII digit, and a '-' anywhere makes the number negative.
double writtenIndexTextKey(QByteArrayView utf8, const Regional& regional) {
    const qsizetype size = utf8.size();
    const auto isDigit = [](char ch) { return ch >= '0' && ch <= '9'; };
    const bool ascii =
        std::none_of(utf8.begin(), utf8.end(), [](char ch) { return (ch & 0x80) != 0; });
    if (!ascii)
        return writtenIndexTextKey(QString::fromUtf8(utf8), regional);
    bool shaped = size >= 5 && !isDigit(utf8[size - 5]);
    for (qsizetype i = size - 4; shaped && i < size; ++i)
        shaped = isDigit(utf8[i]);
    if (!shaped)
        return indexTextKey(CellValue(QString::fromLatin1(utf8)), regional);
    qint64 number = 0;
    int digits = 0;
    bool negative = false;
    for (const char ch : utf8) {
        if (isDigit(ch)) {
            if (++digits <= 15)
                number = number * 10 + (ch - '0');
        } else if (ch == '-') {
            negative = true;
        }
    }
    // Up to 15 digits the whole number and its quotient are exact: the
    // double nearest the decimal, as the digits read below give it.
    if (digits > 15)
        return writtenIndexTextKey(QString::fromLatin1(utf8), regional);
    const double value = static_cast<double>(number) / 1e4;
    return negative ? -value : value;
}
