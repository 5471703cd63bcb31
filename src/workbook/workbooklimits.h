#pragma once

#include "workbook/readerlimits.h"

#include <QtGlobal>

// Bounds that keep a hostile or broken workbook from exhausting memory or
// time, for every reader that streams a zip archive of XML parts (.xlsx,
// .ods) and for delimited text, beside those on what any reader keeps. Each
// one, when crossed, stops the reading with its own message.

// Decompressed size of one part of an archive (zip bombs inflate far beyond
// their compressed size); counted as the part is inflated.
inline constexpr qint64 kMaxPartBytes = qint64(1) << 30;
// XML elements open at once in one part.
inline constexpr int kMaxXmlDepth = 256;
// The largest sheet the spreadsheet formats allow.
inline constexpr int kSheetMaxRows = 1048576;
inline constexpr int kSheetMaxColumns = 16384;

// The adjustable bounds: those of every reader and those of the archive
// formats, the named constants by default (tests lower them).
struct WorkbookLimits : ReaderLimits {
    qint64 maxPartBytes = kMaxPartBytes;
    int maxXmlDepth = kMaxXmlDepth;
};
