#pragma once

#include <QString>

// Bounds on what a workbook can make a reader keep, whatever its format:
// any sheet the formats allow with realistic content is read, and a hostile
// workbook stops early with a message that names the bound it crossed.

// Non-empty cells kept from the first worksheet: a matrix of 1,048,575
// units by 50 indicators fits, at 12 bytes a cell.
inline constexpr qint64 kMaxWorkbookCells = 55'000'000;
// Strings of the shared string table: a label of its own for every row of
// the largest sheet, and room for more.
inline constexpr qint64 kMaxSharedStrings = 4'000'000;
// Characters of the text of one cell: the spreadsheet programs' own limit.
inline constexpr int kMaxCellTextLength = 32767;
// Characters of all the texts kept (shared strings and the texts of cells):
// within the limits above, texts of the longest length could still take
// gigabytes.
inline constexpr qint64 kMaxTextCharacters = 128'000'000;
// Sheets of a workbook: spreadsheet programs make hundreds to a few
// thousand; a list of millions in a small file would cost gigabytes before
// any cell is read.
inline constexpr int kMaxWorkbookSheets = 10'000;

// The adjustable bounds, the constants by default (tests lower them).
struct ReaderLimits {
    qint64 maxCells = kMaxWorkbookCells;
    qint64 maxSharedStrings = kMaxSharedStrings;
    int maxTextLength = kMaxCellTextLength;
    qint64 maxTextCharacters = kMaxTextCharacters;
    int maxSheets = kMaxWorkbookSheets;
};

// The causes of a crossed limit, in Italian, for the readers' messages.
QString tooManyCellsCause(qint64 limit);
QString tooManySharedStringsCause(qint64 limit);
QString textTooLongCause(int limit);
QString tooMuchTextCause(qint64 limit);
QString tooManySheetsCause(qint64 limit);
// A part that lists more relationships than the limit.
QString tooManyRelationshipsCause(const QString& part, qint64 limit);
