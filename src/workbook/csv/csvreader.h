#pragma once

#include "shared/regional.h"
#include "workbook/sheetreader.h"
#include "workbook/workbooklimits.h"

// Reads delimited text (.csv, .txt, .tsv) as a sheet: record r is row r,
// field c column c. The text is UTF-8 (a byte-order mark is dropped) when
// all of it is valid UTF-8, otherwise Windows-1252; the delimiter is ';',
// ',' or a tab, told by the first records. Every field is text: the first
// row (the corner label and the indicator names) and the first column (the
// unit labels) stay as written, and any other field that reads as a number
// under the regional settings, the rule for numeric text in data cells,
// becomes that number. Empty fields are empty cells.
class CsvReader : public SheetReader {
public:
    explicit CsvReader(const Regional& regional) : m_regional(regional) {}

    // The bounds for the next open() (maxCells only); the named constants
    // by default.
    void setLimits(const WorkbookLimits& limits) { m_limits = limits; }

private:
    // Reads the whole file. On failure the message names the file and the
    // cause: UTF-16 text, a quoted field never closed, a field longer than
    // a cell's text, or more rows, columns or cells than a sheet holds.
    Status read(const QString& path) override;
    // Fills the sheet from the text (past any byte-order mark); mappedStart
    // is where the file is mapped, or null when it was copied.
    Status fill(QByteArrayView text, const char* mappedStart, const QString& name);

    Regional m_regional;
    WorkbookLimits m_limits;
};
