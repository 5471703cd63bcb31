#include "workbook/exceldates.h"

#include <cmath>

QDateTime excelSerialToDateTime(double serial, bool date1904) {
    if (!std::isfinite(serial) || serial < 0.0 || serial >= 2958466.0)
        return QDateTime();
    double days = std::floor(serial);
    qint64 msecs = std::llround((serial - days) * 86400000.0);
    if (msecs >= 86400000) {
        days += 1.0;
        msecs -= 86400000;
    }
    QDate date;
    const auto whole = static_cast<qint64>(days);
    if (date1904)
        date = QDate(1904, 1, 1).addDays(whole);
    else if (whole >= 61)
        date = QDate(1899, 12, 30).addDays(whole);
    else if (whole == 60)
        date = QDate(1900, 2, 28); // the 1900 system's 29 February, which never was
    else
        date = QDate(1899, 12, 31).addDays(whole);
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)), Qt::UTC);
}

bool isBuiltinDateFormat(int formatId) {
    return (formatId >= 14 && formatId <= 22) || (formatId >= 45 && formatId <= 47);
}

bool isDateFormatCode(QStringView code) {
    bool inQuotes = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar ch = code.at(i);
        if (inQuotes) {
            if (ch == u'"')
                inQuotes = false;
            continue;
        }
        switch (ch.unicode()) {
        case u'"':
            inQuotes = true;
            break;
        case u'\\':
        case u'_':
        case u'*':
            ++i; // the next character is literal
            break;
        case u'[': {
            const qsizetype close = code.indexOf(u']', i + 1);
            if (close < 0)
                return false;
            i = close;
            break;
        }
        case u'd':
        case u'D':
        case u'm':
        case u'M':
        case u'y':
        case u'Y':
            return true;
        default:
            break;
        }
    }
    return false;
}

QDateTime isoDateTime(const QString& text) {
    const QDateTime when = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (when.isValid())
        return QDateTime(when.date(), when.time(), Qt::UTC);
    const QDate day = QDate::fromString(text, Qt::ISODate);
    if (day.isValid())
        return QDateTime(day, QTime(0, 0), Qt::UTC);
    const QTime time = QTime::fromString(text, Qt::ISODateWithMs);
    if (time.isValid())
        return QDateTime(QDate(1899, 12, 31), time, Qt::UTC);
    return QDateTime();
}
