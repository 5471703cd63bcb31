#pragma once

#include "workbook/readerlimits.h"
#include "workbook/xls/bifffailure.h"

#include <QByteArrayView>
#include <QString>

#include <memory>
#include <vector>

// One sheet that the workbook globals list (a BOUNDSHEET record).
struct BiffSheet {
    QString name;
    qsizetype offset = -1; // where its substream starts in the stream
    quint8 type = 0;       // 0 a worksheet; a chart, macro sheet or module otherwise
};

// What the workbook globals of a BIFF8 stream tell the readers of its
// sheets.
struct BiffWorkbook {
    quint16 codepage = 1200;
    bool date1904 = false;
    // Shared by the sheets read from the workbook.
    std::shared_ptr<const std::vector<QString>> sharedStrings =
        std::make_shared<const std::vector<QString>>();
    std::vector<bool> dateXf;      // by XF index: numbers in this format are dates
    std::vector<BiffSheet> sheets; // in workbook order

    // True when cells of this XF index show a date; false for an unknown
    // index.
    bool isDateXf(quint16 xf) const { return xf < dateXf.size() && dateXf[xf]; }
};

// Reads the workbook globals at the start of stream into *book: code page,
// date system, number formats and cell formats, shared strings and the
// sheets. Stops at the globals' end-of-file record. A failure names the
// first fault met or the limit crossed (more than limits.maxSheets sheets
// as soon as they are met).
BiffFailure readBiffWorkbook(QByteArrayView stream, BiffWorkbook* book,
                             const ReaderLimits& limits = {});

// Whether the sheet at sheetIndex (from 0, in workbook order) can be read:
// NoSheet when the workbook lists none, NoSuchSheet past the last,
// NotWorksheet (with its kind) for a chart, a macro sheet or a module.
BiffFailure checkBiffSheet(const BiffWorkbook& book, int sheetIndex);
