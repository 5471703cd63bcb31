#pragma once

#include "workbook/sheetreader.h"
#include "workbook/workbooklimits.h"

// Reads .xlsx workbooks (Office Open XML spreadsheets): the package
// relationships lead to the workbook, the workbook to its first sheet, which
// must be a worksheet; shared strings and cell styles give the cells their
// texts and dates. Every part is streamed from the archive, never held whole.
class XlsxReader : public SheetReader {
public:
    // Reads the whole first worksheet. On failure the message names the file
    // and the cause: not a zip or damaged, protected by a password, binary
    // .xlsb, a missing part, a first sheet that is not a worksheet, malformed
    // XML (naming the part), a bad cell, or a crossed limit.
    bool open(const QString& path) override;

    // The bounds for the next open(); the named constants by default.
    void setLimits(const WorkbookLimits& limits) { m_limits = limits; }

    // Which worksheet the next open() reads, by its 0-based position in the
    // workbook: the first (0) by default.
    void setSheetIndex(int index) { m_sheetIndex = index; }

    // The date system of the workbook last opened.
    bool date1904() const { return m_date1904; }

private:
    bool read(const QString& path);

    WorkbookLimits m_limits;
    bool m_date1904 = false;
    int m_sheetIndex = 0;
};
