#pragma once

#include "workbook/readerlimits.h"
#include "workbook/xls/bifffailure.h"

#include <QByteArrayView>
#include <QString>

#include <vector>

// What the workbook globals of a BIFF8 stream tell the reader of its first
// sheet.
struct BiffWorkbook {
    quint16 codepage = 1200;
    bool date1904 = false;
    std::vector<QString> sharedStrings;
    std::vector<bool> dateXf; // by XF index: numbers in this format are dates
    // The sheet to read: the first in workbook order unless another is
    // chosen.
    qsizetype firstSheetOffset = -1;
    QString firstSheetName;
    // Every sheet's name, in workbook order.
    std::vector<QString> sheetNames;

    // True when cells of this XF index show a date; false for an unknown
    // index.
    bool isDateXf(quint16 xf) const { return xf < dateXf.size() && dateXf[xf]; }
};

// Reads the workbook globals at the start of stream into *book: code page,
// date system, number formats and cell formats, shared strings, the names
// of the sheets and the sheet at sheetIndex in workbook order (the first by
// default), which must be a worksheet. Stops at the globals' end-of-file
// record. A failure names the first fault met or the limit crossed.
BiffFailure readBiffWorkbook(QByteArrayView stream, BiffWorkbook* book,
                             const ReaderLimits& limits = {}, int sheetIndex = 0);
