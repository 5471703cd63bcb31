#pragma once

#include "workbook/sheetdata.h"
#include "workbook/sheetpass.h"
#include "workbook/workbookreader.h"

// A reader that reads the whole chosen worksheet (the first unless
// setSheetIndex chose another) into memory when it opens the workbook, and
// answers from there.
class SheetReader : public WorkbookReader {
public:
    // Reads the chosen sheet with read(): the sheet is finished when it
    // succeeds, emptied when it fails.
    Status open(const QString& path) override {
        close();
        m_sheetNames.clear();
        Status read = this->read(path);
        if (read)
            m_sheet.finish();
        else
            m_sheet.clear();
        return read;
    }
    CellValue cell(int row, int col) const override { return m_sheet.at(row, col); }
    int lastRow() const override { return m_sheet.lastRow(); }
    int lastColumn(int row) const override { return m_sheet.lastColumn(row); }
    void releaseRowsBefore(int row) override { m_sheet.releaseRowsBefore(row); }
    void close() override { m_sheet.clear(); }

protected:
    // Fills m_sheet (and m_sheetNames) from the workbook at path; the
    // failure when it cannot.
    virtual Status read(const QString& path) = 0;

    // In a pass over the sheets: hands m_sheet, read and finished, to visit
    // as sheet index (named in m_sheetNames), then empties it, and tells the
    // progress that index + 1 of `count` sheets are read (count 0: not
    // known). Returns what visit returns.
    bool handOver(int index, const SheetVisitor& visit, int count);
    // A pass over count sheets, read with read on up to `threads` workers
    // (passSheets), each finished and handed to visit in workbook order
    // through m_sheet: the failure of the first sheet that could not be read.
    Status passOver(int count, int threads, const SheetRead& read, const SheetVisitor& visit);

    SheetData m_sheet; // filled by read(), finished by open() when it succeeds
};
