#pragma once

#include "workbook/sheetreader.h"
#include "workbook/workbooklimits.h"

// Reads .xlsx workbooks (Office Open XML spreadsheets): the package
// relationships lead to the workbook, the workbook to the chosen sheet (the
// first by default), which must be a worksheet; shared strings and cell styles give the cells their
// texts and dates. Every part is streamed from the archive, never held whole.
class XlsxReader : public SheetReader {
public:
    // The bounds for the next open(); the named constants by default.
    void setLimits(const WorkbookLimits& limits) { m_limits = limits; }

    // The date system of the workbook last opened.
    bool date1904() const { return m_date1904; }

private:
    // Reads the whole chosen worksheet. On failure the message names the
    // file and the cause: not a zip or damaged, protected by a password,
    // binary .xlsb, a missing part, a sheet that is not a worksheet, malformed
    // XML (naming the part), a bad cell, or a crossed limit.
    bool read(const QString& path) override;

    WorkbookLimits m_limits;
    bool m_date1904 = false;
};
