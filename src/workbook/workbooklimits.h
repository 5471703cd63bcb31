#pragma once

#include "workbook/readerlimits.h"

#include <QtGlobal>

// Bounds that keep a hostile or broken workbook from exhausting memory or
// time, for every reader that streams a zip archive of XML parts (.xlsx,
// .ods) and for delimited text, beside those on what any reader keeps. Each
// one, when crossed, stops the reading with its own message.

// Decompressed size of one part of an archive. A part may inflate to this,
// plus kPartBytesPerKept for each cell or shared string kept from it: the
// bound follows what is kept, not the sheet's size, so that any sheet the
// formats allow with realistic content is read, while a zip bomb, which
// inflates far beyond what is read from it, stops early. Counted as the part
// is inflated.
inline constexpr qint64 kMaxPartBytes = qint64(256) << 20;
inline constexpr qint64 kPartBytesPerKept = 128;
// XML elements open at once in one part.
inline constexpr int kMaxXmlDepth = 256;
// Relationships of one relationships part of an .xlsx package: one for each
// sheet, the shared strings, the styles and whatever else the workbook
// holds, with room to spare beyond the limit on sheets.
inline constexpr int kMaxRelationships = 100'000;
// The largest sheet the spreadsheet formats allow.
inline constexpr int kSheetMaxRows = 1048576;
inline constexpr int kSheetMaxColumns = 16384;

// The adjustable bounds: those of every reader and those of the archive
// formats, the named constants by default (tests lower them).
struct WorkbookLimits : ReaderLimits {
    qint64 maxPartBytes = kMaxPartBytes;
    qint64 partBytesPerKept = kPartBytesPerKept;
    int maxXmlDepth = kMaxXmlDepth;
    int maxRelationships = kMaxRelationships;
};
