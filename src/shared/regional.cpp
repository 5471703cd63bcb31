#include "shared/regional.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <type_traits>

namespace {

// Drops the minus sign of a text whose digits are all zero ("-0,0000").
QString withoutNegativeZero(QString text, const QLocale& locale) {
    const QString minus = locale.negativeSign();
    if (!text.startsWith(minus))
        return text;
    for (qsizetype i = minus.size(); i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isDigit() && ch != u'0')
            return text;
    }
    return text.mid(minus.size());
}

// The value of a plain number, optional '-', digits, then optionally the
// decimal point and more digits ("-12,5" under Italian): the same value the
// locale's parser gives, for a fraction of its cost. Nothing for any other
// form, which the locale's parser then reads.
template <typename Char>
bool plainNumber(const Char* text, qsizetype size, char16_t decimalPoint, double* value) {
    constexpr qsizetype kMaxLength = 64;
    if (size > kMaxLength)
        return false;
    char buffer[kMaxLength];
    const qsizetype first = size > 0 && text[0] == Char('-') ? 1 : 0;
    buffer[0] = '-';
    qsizetype point = -1; // where the decimal point is
    for (qsizetype i = first; i < size; ++i) {
        const auto ch = static_cast<char16_t>(static_cast<std::make_unsigned_t<Char>>(text[i]));
        if (static_cast<char16_t>(ch - u'0') <= 9) {
            buffer[i] = static_cast<char>(ch);
        } else if (ch == decimalPoint && point < 0 && i > first) {
            buffer[i] = '.';
            point = i;
        } else {
            return false;
        }
    }
    // Digits before the point and, when there is one, after it.
    if (size == first || point == size - 1)
        return false;
    const auto [end, ec] = std::from_chars(buffer, buffer + size, *value);
    return ec == std::errc() && end == buffer + size && std::isfinite(*value);
}

// The text of value with four decimals in the C form ("-1234.5678"),
// correctly rounded from the binary value; nothing for a value that is not
// finite or lies on a tie between two four-decimal texts, whose rounding is
// left to the locale.
std::optional<std::string> cFixed4(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    // A tie, (2k + 1) / 20000, is a double only when it is a multiple of
    // 1/32: only such values need their exact decimals looked at.
    const double scaled = value * 32.0;
    if (std::isfinite(scaled) && std::floor(scaled) == scaled) {
        char exact[400];
        const auto [end, error] =
            std::to_chars(exact, exact + sizeof exact, value, std::chars_format::fixed, 17);
        if (error != std::errc())
            return std::nullopt;
        // The decimals past the fourth: "5" then zeros is a tie (or within
        // 1e-17 of one).
        const char* const fifth = end - 13;
        const char* const stop = end;
        if (*fifth == '5' && std::all_of(fifth + 1, stop, [](char c) { return c == '0'; }))
            return std::nullopt;
    }
    char rounded[400];
    const auto [last, failed] =
        std::to_chars(rounded, rounded + sizeof rounded, value, std::chars_format::fixed, 4);
    if (failed != std::errc())
        return std::nullopt;
    return std::string(rounded, last);
}

// The value in ten-thousandths, correctly rounded from the binary value:
// the digits of its four-decimal text. Nothing for a value of 1e11 or more
// in magnitude (or not finite), or on a tie between two four-decimal texts.
std::optional<qint64> tenThousandths(double value) {
    if (!(std::fabs(value) < 1e11))
        return std::nullopt;
    const double scaled = value * 1e4;
    // What the rounding of the product lost, exactly.
    const double lost = std::fma(value, 1e4, -scaled);
    const double whole = std::nearbyint(scaled);
    // Exact: the two are within a half of each other. Below 1e15 the
    // product's spacing is at most 1/8, so lost moves the exact product
    // across a half only when it is that half.
    const double fraction = scaled - whole;
    double rounded = whole;
    if (fraction == 0.5 || fraction == -0.5) {
        if (lost == 0.0)
            return std::nullopt;
        if (fraction == 0.5 && lost > 0.0)
            rounded = whole + 1.0;
        else if (fraction == -0.5 && lost < 0.0)
            rounded = whole - 1.0;
    }
    if (std::fabs(rounded) >= 1e15)
        return std::nullopt;
    return static_cast<qint64>(rounded);
}

} // namespace

Regional::Regional(const QLocale& locale) : Regional(locale, locale) {}

Regional::Regional(const QLocale& numbers, const QLocale& dates)
    : m_locale(numbers), m_ungrouped(numbers) {
    m_locale.setNumberOptions(QLocale::DefaultNumberOptions);
    m_ungrouped.setNumberOptions(QLocale::OmitGroupSeparator);
    // The locale's short date with the year in full (29/02/2020, not 29/02/20).
    m_dateFormat = dates.dateFormat(QLocale::ShortFormat);
    m_timeFormat = dates.timeFormat(QLocale::ShortFormat);
    if (!m_dateFormat.contains(QStringLiteral("yyyy")))
        m_dateFormat.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    const QString point = m_locale.decimalPoint();
    m_plainNumbers = point.size() == 1 && point != m_locale.groupSeparator() &&
                     m_locale.negativeSign() == QStringLiteral("-") &&
                     m_locale.zeroDigit() == QStringLiteral("0");
    m_decimalPoint = point.isEmpty() ? u'.' : point.at(0).unicode();
    m_groupText = m_locale.groupSeparator();
    m_zeroDigit = m_locale.zeroDigit();
    m_negativeSign = m_locale.negativeSign();
    m_positiveSign = m_locale.positiveSign();

    // Index texts are written without the locale's formatter when the
    // locale's plain numbers with three-digit groups give the same texts.
    const QString group = m_locale.groupSeparator();
    if (m_plainNumbers && group.size() == 1) {
        m_groupSeparator = group.at(0).unicode();
        m_fastIndexText = true;
        m_decimalPointUtf8 = point.toStdString();
        m_groupSeparatorUtf8 = group.toStdString();
        for (const double sample : {0.0, -0.00001, 0.5, -7.25, 999.99994, 1234.56789, -98765.4321,
                                    1234567.891234, -123456789012.3456, 1e15 + 0.125}) {
            if (indexText(sample) !=
                withoutNegativeZero(m_locale.toString(sample, 'f', 4), m_locale)) {
                m_fastIndexText = false;
                break;
            }
        }
    }
}

Regional Regional::system() {
    // The locale named by LC_ALL, LC_NUMERIC or LANG, the first one set.
    // The system locale's own name follows LANGUAGE, the language of the
    // texts, when it differs ("en_US" under LANGUAGE=en and
    // LC_ALL=it_IT.UTF-8): numbers never follow it. The named locale also
    // spares the system locale's lock and variant on each query, which
    // dominate writing a million numbers. The date and time formats stay
    // the system's (LC_ALL, LC_TIME, LANG).
    QLocale numbers = QLocale::c();
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"})
        if (const QString name = qEnvironmentVariable(variable); !name.isEmpty()) {
            numbers = QLocale(name);
            break;
        }
    return Regional(numbers, QLocale::system());
}

QString Regional::indexText(double value) const {
    const std::optional<std::string> c = m_fastIndexText ? cFixed4(value) : std::nullopt;
    if (!c)
        return withoutNegativeZero(m_locale.toString(value, 'f', 4), m_locale);
    // The digits grouped by three, the locale's separators in place of the
    // C ones, no minus sign before a zero.
    const bool negative = c->front() == '-';
    const std::size_t start = negative ? 1 : 0;
    const std::size_t point = c->size() - 5;
    const bool zero = std::all_of(c->begin() + qsizetype(start), c->end(),
                                  [](char ch) { return ch == '0' || ch == '.'; });
    char16_t text[560];
    std::size_t n = 0;
    if (negative && !zero)
        text[n++] = u'-';
    for (std::size_t i = start; i < point; ++i) {
        text[n++] = char16_t((*c)[i]);
        const std::size_t left = point - i - 1;
        if (left > 0 && left % 3 == 0)
            text[n++] = m_groupSeparator;
    }
    text[n++] = m_decimalPoint;
    for (std::size_t i = point + 1; i < c->size(); ++i)
        text[n++] = char16_t((*c)[i]);
    return QString(reinterpret_cast<const QChar*>(text), qsizetype(n));
}

std::optional<double> Regional::indexTextValue(double value) const {
    const std::optional<std::string> c = m_fastIndexText ? cFixed4(value) : std::nullopt;
    if (!c)
        return std::nullopt;
    // Up to 15 digits the whole number and its quotient are exact: the
    // number the text reads as.
    qint64 number = 0;
    int digits = 0;
    for (const char ch : *c) {
        if (ch < '0' || ch > '9')
            continue;
        if (++digits > 15)
            return std::nullopt;
        number = number * 10 + (ch - '0');
    }
    return static_cast<double>(c->front() == '-' ? -number : number) / 1e4;
}

std::optional<double> Regional::appendIndexText(double value, std::string& utf8) const {
    const std::optional<qint64> n = m_fastIndexText ? tenThousandths(value) : std::nullopt;
    if (!n) {
        const QByteArray text = indexText(value).toUtf8();
        utf8.append(text.constData(), static_cast<std::size_t>(text.size()));
        return indexTextValue(value);
    }
    // The digits, at least one before the four decimals.
    char buffer[32];
    char* first = buffer + 8;
    const auto magnitude = static_cast<std::uint64_t>(*n < 0 ? -*n : *n);
    char* const last = std::to_chars(first, buffer + sizeof buffer, magnitude).ptr;
    while (last - first < 5)
        *--first = '0';
    if (*n < 0)
        utf8 += '-';
    const auto whole = static_cast<std::size_t>(last - first - 4);
    for (std::size_t i = 0; i < whole; ++i) {
        utf8 += first[i];
        const std::size_t left = whole - i - 1;
        if (left > 0 && left % 3 == 0)
            utf8 += m_groupSeparatorUtf8;
    }
    utf8 += m_decimalPointUtf8;
    utf8.append(last - 4, 4);
    // At most 15 digits: the whole number and its quotient are exact.
    return static_cast<double>(*n) / 1e4;
}

QString Regional::fixed4(double value) const {
    return withoutNegativeZero(m_ungrouped.toString(value, 'f', 4), m_ungrouped);
}

QString Regional::gridText(const CellValue& cell) const {
    if (cell.isNumber())
        return fixed4(cell.number());
    if (cell.isText()) {
        if (const auto number = parseNumber(cell.text()))
            return fixed4(*number);
        return cell.text();
    }
    return generalText(cell);
}

QString Regional::generalText(const CellValue& cell) const {
    switch (cell.kind()) {
    case CellValue::Kind::Empty:
        return QString();
    case CellValue::Kind::Number: {
        const double value = cell.number();
        // Whole numbers (ranks, years) the fast way; the same text as 'g'.
        if (value == std::trunc(value) && std::fabs(value) < 1e15)
            return m_ungrouped.toString(static_cast<qlonglong>(value));
        // 'G': the exponent letter is "E" under every locale ("1E+15").
        return m_ungrouped.toString(value, 'G', 15);
    }
    case CellValue::Kind::Text:
        return cell.text();
    case CellValue::Kind::Boolean:
        return cell.boolean() ? QStringLiteral("VERO") : QStringLiteral("FALSO");
    case CellValue::Kind::Date: {
        const QDateTime& when = cell.date();
        if (when.time() == QTime(0, 0))
            return m_locale.toString(when.date(), m_dateFormat);
        return m_locale.toString(when, m_dateFormat + u' ' + m_timeFormat);
    }
    case CellValue::Kind::Error:
        return cell.errorCode();
    }
    return QString();
}

std::optional<double> Regional::parseNumber(QStringView text) const {
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    if (m_plainNumbers) {
        double value = 0.0;
        if (plainNumber(trimmed.utf16(), trimmed.size(), m_decimalPoint, &value))
            return value;
    }
    // The locale's parser takes a zero before a group separator for a
    // group: "0.125" would read as 125 under Italian.
    if (const qsizetype group = m_groupText.isEmpty() ? -1 : trimmed.indexOf(m_groupText);
        group >= 0) {
        QStringView first = trimmed.first(group);
        if (first.startsWith(m_negativeSign))
            first = first.sliced(m_negativeSign.size());
        else if (first.startsWith(m_positiveSign))
            first = first.sliced(m_positiveSign.size());
        if (first.startsWith(m_zeroDigit))
            return std::nullopt;
    }
    bool ok = false;
    const double value = m_locale.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool Regional::parsePlainNumber(std::string_view text, double* value) const {
    // A byte of a longer UTF-8 sequence is never an ASCII decimal point.
    return m_plainNumbers && m_decimalPoint < 0x80 &&
           plainNumber(text.data(), qsizetype(text.size()), m_decimalPoint, value);
}

std::optional<double> Regional::numberOf(const CellValue& cell) const {
    if (cell.isNumber())
        return cell.number();
    if (cell.isText())
        return parseNumber(cell.text());
    return std::nullopt;
}
