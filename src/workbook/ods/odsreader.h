#pragma once

#include "workbook/sheetdata.h"
#include "workbook/workbooklimits.h"
#include "workbook/workbookreader.h"

// Reads .ods workbooks (OpenDocument spreadsheets): the first table of the
// content part, streamed from the archive and never held whole; the parse
// ends where that table ends.
class OdsReader : public WorkbookReader {
public:
    // Reads the first table. On failure the message names the file and the
    // cause: not a zip or damaged, protected by a password, an OpenDocument
    // file that is not a spreadsheet, no table, malformed XML, a bad cell,
    // or a crossed limit.
    bool open(const QString& path) override;
    const CellValue& cell(int row, int col) const override;
    void close() override;

    // The bounds for the next open(); the named constants by default.
    void setLimits(const WorkbookLimits& limits) { m_limits = limits; }

private:
    bool read(const QString& path);

    SheetData m_sheet;
    WorkbookLimits m_limits;
};
