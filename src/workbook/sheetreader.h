#pragma once

#include "workbook/sheetdata.h"
#include "workbook/workbookreader.h"

// A reader that reads the whole chosen worksheet (the first unless
// setSheetIndex chose another) into memory when it opens the workbook, and
// answers from there.
class SheetReader : public WorkbookReader {
public:
    CellValue cell(int row, int col) const override { return m_sheet.at(row, col); }
    void releaseRowsBefore(int row) override { m_sheet.releaseRowsBefore(row); }
    void close() override { m_sheet.clear(); }

protected:
    SheetData m_sheet; // filled by open(), finished when it succeeds
};
