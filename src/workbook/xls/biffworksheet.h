#pragma once

#include "workbook/readerlimits.h"
#include "workbook/sheetdata.h"
#include "workbook/xls/bifffailure.h"
#include "workbook/xls/biffworkbook.h"

#include <QByteArrayView>

// The size of a BIFF8 worksheet.
constexpr int kBiffMaxRows = 65536;
constexpr int kBiffMaxColumns = 256;

// Reads the cells of the sheet at sheetIndex (from 0, in workbook order),
// which must be a worksheet (checkBiffSheet), into *sheet, 1-based: numbers (dates when their
// format shows a date), shared and inline texts, booleans, errors, and the
// last computed result of formulas (a text result from the STRING record
// that follows, an empty text result as an empty text). Blank cells, shared
// and array formulas and the substreams of embedded charts add nothing.
// Stops at the worksheet's end-of-file record. More than limits.maxCells
// cells, a text longer than limits.maxTextLength, or texts of more than
// limits.maxTextCharacters with the shared strings, stop it. A failure
// names the first fault met or the limit crossed; *sheet then holds what was
// read before it.
// Reads nothing but the sheet's own substream and keeps no state: several
// threads may read sheets of one stream side by side.
BiffFailure readBiffWorksheet(QByteArrayView stream, const BiffWorkbook& book, int sheetIndex,
                              SheetData* sheet, const ReaderLimits& limits = {});
