#pragma once

#include "workbook/readerlimits.h"
#include "workbook/sheetreader.h"

// Reads .xls workbooks (BIFF8, Excel 97-2003): the chosen sheet (the first
// by default), which must be a worksheet, read whole into memory on open(). Encrypted workbooks,
// BIFF5 and older, damaged files and files beyond the limits of the format
// or of the reader are refused with a message naming the file.
class XlsReader : public SheetReader {
public:
    // The bounds for the next open(); the named constants by default.
    void setLimits(const ReaderLimits& limits) { m_limits = limits; }

    // Reads the workbook stream and its globals once, the sheets side by
    // side.
    Status readSheets(const QString& path, const SheetVisitor& visit, int threads = 1) override;

private:
    Status read(const QString& path) override;

    ReaderLimits m_limits;
};
