#pragma once

#include "workbook/sheetreader.h"

// Reads .xls workbooks (BIFF8, Excel 97-2003): the first sheet, which must
// be a worksheet, read whole into memory on open(). Encrypted workbooks,
// BIFF5 and older, damaged files and files beyond the limits of the format
// are refused with a message naming the file.
class XlsReader : public SheetReader {
public:
    bool open(const QString& path) override;
};
