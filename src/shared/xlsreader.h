#pragma once

#include "shared/sheetdata.h"
#include "shared/workbookreader.h"

// Reads .xls workbooks (BIFF8, Excel 97-2003).
class XlsReader : public WorkbookReader {
public:
    bool open(const QString& path) override;
    const CellValue& cell(int row, int col) const override;
    void close() override;

private:
    SheetData m_sheet;
};
