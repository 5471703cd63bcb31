#pragma once

#include "shared/biffcontinuedrecord.h"

#include <QString>

#include <vector>

// Reads the shared string table of an SST record and its CONTINUE records:
// the total and unique counts, then as many strings as the unique count
// says. Memory is taken only for strings the bytes can hold, whatever the
// count claims. False when the bytes end before the last string.
bool readBiffSst(BiffContinuedRecord& record, std::vector<QString>* strings);
