#pragma once

#include "workbook/readerlimits.h"
#include "workbook/xls/biffcontinuedrecord.h"
#include "workbook/xls/bifffailure.h"

#include <QString>

#include <vector>

// Reads the shared string table of an SST record and its CONTINUE records:
// the total and unique counts, then as many strings as the unique count
// says. Memory is taken only for strings the bytes can hold, whatever the
// count claims. Fails with SstTruncated when the bytes end before the last
// string, with SstTooLarge for a count beyond limits.maxSharedStrings (before
// reading any), with TextTooLong for a string beyond limits.maxTextLength,
// with TooMuchText past limits.maxTextCharacters in all.
BiffFailure::Kind readBiffSst(BiffContinuedRecord& record, std::vector<QString>* strings,
                              const ReaderLimits& limits = {});
