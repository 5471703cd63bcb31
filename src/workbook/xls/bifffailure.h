#pragma once

#include <QtGlobal>

// Why a BIFF stream could not be read, with where it happened. The reader
// turns it into the message the user sees.
struct BiffFailure {
    enum class Kind {
        None,
        NotBiff,            // the stream does not open with a BIFF beginning-of-file record
        OldFormat,          // BIFF5 (Excel 5.0/95) or older
        Encrypted,          // a FILEPASS record: the workbook is protected by a password
        EndsEarly,          // the stream ends before the end-of-file record
        RecordTooLong,      // a record body longer than BIFF8 allows
        RecordBeyondStream, // a record body that runs past the stream's end
        ShortRecord,        // a record too short for the fields its type has
        SstTruncated,       // the shared strings end before their count
        SstTooLarge,        // more shared strings than the limit
        TextTooLong,        // a text longer than the limit
        TooMuchText,        // more characters of texts in all than the limit
        StringIndex,        // a cell names a shared string the table lacks
        NoSheet,            // the workbook lists no sheet
        TooManySheets,      // the workbook lists more sheets than the limit
        NoSuchSheet,        // the workbook lists fewer sheets than the position chosen
        NotWorksheet,       // the sheet chosen is a chart, a macro sheet or a module
        BadSheetOffset,     // the chosen sheet's position holds no beginning-of-file record
        CellOutOfRange,     // a cell beyond 65,536 rows or 256 columns
        TooManyCells        // more cells than the limit
    };

    // The kinds of sheet a workbook lists, as the BOUNDSHEET record gives
    // them.
    enum class SheetKind { Worksheet, MacroSheet, Chart, Module, Other };

    Kind kind = Kind::None;
    qsizetype offset = 0; // position in the stream of the record at fault
    int row = 0;          // CellOutOfRange: the cell, 1-based
    int col = 0;
    SheetKind sheetKind = SheetKind::Other; // NotWorksheet

    bool failed() const { return kind != Kind::None; }

    // A failure of the given kind at a position of the stream.
    static BiffFailure at(Kind kind, qsizetype offset);
};
