#pragma once

#include <QDateTime>
#include <QString>

// Dates in workbooks: serial day numbers and the number formats that make a
// number a date.

// The date and time of a serial day number of the 1900 date system (day 1 is
// 1 January 1900, with the fictitious 29 February 1900 as day 60) or, when
// date1904 is true, of the 1904 system (day 0 is 1 January 1904). The time is
// the fraction of the day, rounded to the millisecond. An invalid QDateTime
// for serials outside 0..2958465 or not finite.
QDateTime excelSerialToDateTime(double serial, bool date1904);

// True for the built-in number formats that show a date or a time
// (14-22 and 45-47).
bool isBuiltinDateFormat(int formatId);

// True when a number format code shows a date: it holds a d, m or y token
// (either case) outside quoted text, bracketed sections, escaped characters
// and the characters that follow _ and *.
bool isDateFormatCode(QStringView code);

// The date of an ISO 8601 text: a date, a date and time, or a time alone (on
// day 0 of the 1900 date system, as a serial below 1 gives). Any offset is
// dropped: a workbook keeps the time as written. Invalid when the text is
// none of these.
QDateTime isoDateTime(const QString& text);
