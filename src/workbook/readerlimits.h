#pragma once

#include <QString>

// Bounds on what a workbook can make a reader keep, whatever its format, so
// that any workbook that is accepted loads within about 1 GB and a few
// seconds. Each one, when crossed, stops the reading early with a message
// that names it.

// Non-empty cells kept from the first worksheet.
inline constexpr qint64 kMaxWorkbookCells = 4'500'000;
// Strings of the shared string table.
inline constexpr qint64 kMaxSharedStrings = 1'000'000;
// Characters of the text of one cell: the spreadsheet programs' own limit.
inline constexpr int kMaxCellTextLength = 32767;
// Characters of all the texts kept (shared strings and the texts of cells):
// within the limits above, texts of the longest length could still take
// gigabytes.
inline constexpr qint64 kMaxTextCharacters = 32'000'000;

// The adjustable bounds, the constants by default (tests lower them).
struct ReaderLimits {
    qint64 maxCells = kMaxWorkbookCells;
    qint64 maxSharedStrings = kMaxSharedStrings;
    int maxTextLength = kMaxCellTextLength;
    qint64 maxTextCharacters = kMaxTextCharacters;
};

// The causes of a crossed limit, in Italian, for the readers' messages.
QString tooManyCellsCause(qint64 limit);
QString tooManySharedStringsCause(qint64 limit);
QString textTooLongCause(int limit);
QString tooMuchTextCause(qint64 limit);
