#pragma once

#include "workbook/sheetdata.h"
#include "workbook/xls/bifffailure.h"
#include "workbook/xls/biffworkbook.h"

#include <QByteArrayView>

// The size of a BIFF8 worksheet.
constexpr int kBiffMaxRows = 65536;
constexpr int kBiffMaxColumns = 256;
// More cell records than this cannot be distinct cells of one sheet: the
// reader stops there rather than store repeats without end.
constexpr qsizetype kBiffMaxCellRecords = qsizetype(kBiffMaxRows) * kBiffMaxColumns;

// Reads the cells of the worksheet whose substream starts at
// book.firstSheetOffset into *sheet, 1-based: numbers (dates when their
// format shows a date), shared and inline texts, booleans, errors, and the
// last computed result of formulas (a text result from the STRING record
// that follows, an empty text result as an empty text). Blank cells, shared
// and array formulas and the substreams of embedded charts add nothing.
// Stops at the worksheet's end-of-file record. A failure names the first
// fault met; *sheet then holds what was read before it.
BiffFailure readBiffWorksheet(QByteArrayView stream, const BiffWorkbook& book, SheetData* sheet);
