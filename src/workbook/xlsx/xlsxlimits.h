#pragma once

#include "workbook/readerlimits.h"

#include <QtGlobal>

// Bounds that keep a hostile or broken .xlsx file from exhausting memory or
// time. Each one, when crossed, stops the reading with its own message.

// Decompressed size of one part of the archive (zip bombs inflate far beyond
// their compressed size); counted as the part is inflated.
inline constexpr qint64 kXlsxMaxPartBytes = qint64(1) << 30;
// XML elements open at once in one part.
inline constexpr int kXlsxMaxXmlDepth = 256;
// The largest worksheet the format allows.
inline constexpr int kXlsxMaxRows = 1048576;
inline constexpr int kXlsxMaxColumns = 16384;

// The adjustable bounds: those of every reader and those of the format, the
// named constants by default (tests lower them).
struct XlsxLimits : ReaderLimits {
    qint64 maxPartBytes = kXlsxMaxPartBytes;
    int maxXmlDepth = kXlsxMaxXmlDepth;
};
