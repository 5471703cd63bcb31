#pragma once

#include <QtGlobal>

// Bounds that keep a hostile or broken .xlsx file from exhausting memory or
// time. Each one, when crossed, stops the reading with its own message. They
// bound what is kept from a file, not the sheet's size: any sheet the format
// allows (1,048,576 rows by 16,384 columns) with realistic content is read.

// Decompressed size of one part of the archive. A part may inflate to this,
// plus kXlsxPartBytesPerKept for each cell or shared string kept from it:
// a zip bomb, which inflates far beyond what is read from it, stops early.
// Counted as the part is inflated.
inline constexpr qint64 kXlsxMaxPartBytes = qint64(256) << 20;
inline constexpr qint64 kXlsxPartBytesPerKept = 128;
// XML elements open at once in one part.
inline constexpr int kXlsxMaxXmlDepth = 256;
// The largest worksheet the format allows.
inline constexpr int kXlsxMaxRows = 1048576;
inline constexpr int kXlsxMaxColumns = 16384;
// Non-empty cells kept from the first worksheet: a matrix of 1,048,575 units
// by 50 indicators fits, at 12 bytes a cell.
inline constexpr qint64 kXlsxMaxCells = 55'000'000;
// The texts kept (shared strings and the texts of cells), in bytes of
// memory (two a character).
inline constexpr qint64 kXlsxMaxTextBytes = qint64(256) << 20;

// The adjustable bounds, the named constants by default (tests lower them).
struct XlsxLimits {
    qint64 maxPartBytes = kXlsxMaxPartBytes;
    qint64 partBytesPerKept = kXlsxPartBytesPerKept;
    int maxXmlDepth = kXlsxMaxXmlDepth;
    qint64 maxCells = kXlsxMaxCells;
    qint64 maxTextBytes = kXlsxMaxTextBytes;
};
