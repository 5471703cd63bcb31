#pragma once

#include "workbook/sheetreader.h"
#include "workbook/workbooklimits.h"

// Reads .ods workbooks (OpenDocument spreadsheets): the chosen table of the
// content part (the first by default), streamed from the archive and never
// held whole; the rest of the part is parsed for the names of the tables.
class OdsReader : public SheetReader {
public:
    // The bounds for the next open(); the named constants by default.
    void setLimits(const WorkbookLimits& limits) { m_limits = limits; }

private:
    // Reads the chosen table. On failure the message names the file and the
    // cause: not a zip or damaged, protected by a password, an OpenDocument
    // file that is not a spreadsheet, no table, malformed XML, a bad cell,
    // or a crossed limit.
    bool read(const QString& path) override;

    WorkbookLimits m_limits;
};
