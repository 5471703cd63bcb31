#pragma once

#include "workbook/xls/biffcontinuedrecord.h"
#include "workbook/xls/bifffailure.h"

#include <QString>

#include <vector>

// The most shared strings a workbook may hold: as many as the cells of one
// sheet. Past it, empty strings of three bytes each would take eight times
// their bytes in memory.
constexpr quint32 kBiffMaxSharedStrings = 65536u * 256u;

// Reads the shared string table of an SST record and its CONTINUE records:
// the total and unique counts, then as many strings as the unique count
// says. Memory is taken only for strings the bytes can hold, whatever the
// count claims. Fails with SstTruncated when the bytes end before the last
// string, with SstTooLarge for a count beyond kBiffMaxSharedStrings.
BiffFailure::Kind readBiffSst(BiffContinuedRecord& record, std::vector<QString>* strings);
