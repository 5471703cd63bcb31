#include "shared/regional.h"

#include <charconv>
#include <cmath>

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
std::optional<double> plainNumber(QStringView text, char16_t decimalPoint) {
    constexpr qsizetype kMaxLength = 64;
    if (text.size() > kMaxLength)
        return std::nullopt;
    char buffer[kMaxLength];
    qsizetype i = 0;
    qsizetype digits = 0;
    bool point = false;
    qsizetype afterPoint = 0;
    if (text.startsWith(u'-'))
        buffer[i++] = '-';
    for (; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        if (ch >= u'0' && ch <= u'9') {
            buffer[i] = static_cast<char>(ch);
            ++digits;
            if (point)
                ++afterPoint;
        } else if (ch == decimalPoint && !point && digits > 0) {
            buffer[i] = '.';
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || (point && afterPoint == 0))
        return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(buffer, buffer + i, value);
    if (ec != std::errc() || end != buffer + i || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

Regional::Regional(const QLocale& locale) : m_locale(locale), m_ungrouped(locale) {
    m_locale.setNumberOptions(QLocale::DefaultNumberOptions);
    m_ungrouped.setNumberOptions(QLocale::OmitGroupSeparator);
    // The locale's short date with the year in full (29/02/2020, not 29/02/20).
    m_dateFormat = m_locale.dateFormat(QLocale::ShortFormat);
    if (!m_dateFormat.contains(QStringLiteral("yyyy")))
        m_dateFormat.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    const QString point = m_locale.decimalPoint();
    m_plainNumbers = point.size() == 1 && point != m_locale.groupSeparator() &&
                     m_locale.negativeSign() == QStringLiteral("-") &&
                     m_locale.zeroDigit() == QStringLiteral("0");
    m_decimalPoint = point.isEmpty() ? u'.' : point.at(0).unicode();
}

Regional Regional::system() {
    return Regional(QLocale::system());
}

QString Regional::indexText(double value) const {
    return withoutNegativeZero(m_locale.toString(value, 'f', 4), m_locale);
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
        return m_locale.toString(when,
                                 m_dateFormat + u' ' + m_locale.timeFormat(QLocale::ShortFormat));
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
        if (const auto value = plainNumber(trimmed, m_decimalPoint))
            return value;
    }
    bool ok = false;
    const double value = m_locale.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> Regional::numberOf(const CellValue& cell) const {
    if (cell.isNumber())
        return cell.number();
    if (cell.isText())
        return parseNumber(cell.text());
    return std::nullopt;
}
