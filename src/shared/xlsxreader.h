#pragma once

#include "shared/sheetdata.h"
#include "shared/workbookreader.h"

// Reads .xlsx workbooks (Office Open XML spreadsheets).
class XlsxReader : public WorkbookReader {
public:
    bool open(const QString& path) override;
    const CellValue& cell(int row, int col) const override;
    void close() override;

private:
    SheetData m_sheet;
};
