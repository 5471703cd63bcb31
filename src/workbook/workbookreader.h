#pragma once

#include "shared/cellvalue.h"
#include "shared/regional.h"
#include "shared/workprogress.h"

#include <QString>

#include <memory>

// Read access to the first worksheet of a workbook file. A reader never
// writes to the file.
class WorkbookReader {
public:
    virtual ~WorkbookReader() = default;

    // Reads the workbook at path and its first worksheet. Returns false on
    // any failure; errorMessage() then says why, in Italian, naming the file.
    virtual bool open(const QString& path) = 0;

    // The value of cell (row, col) of the first worksheet, both 1-based, as
    // the spreadsheet holds it: a formula cell gives its last computed
    // result, a number in a date format gives a date. Cells outside the
    // sheet's contents are empty.
    virtual CellValue cell(int row, int col) const = 0;

    // No cell of a row before `row` will be asked for again: the reader may
    // free them, and cell() then gives empty for them.
    virtual void releaseRowsBefore(int row) { (void)row; }

    // Releases the workbook.
    virtual void close() = 0;

    QString errorMessage() const { return m_error; }

    // Where the next open() tells how much of the sheet it has read, and
    // learns that it should stop: a cancelled open() fails. None by default.
    void setProgress(WorkProgress* progress) { m_progress = progress; }

protected:
    QString m_error;
    WorkProgress* m_progress = nullptr;
};

// The kind of workbook a file holds, told by its content where the format
// has a signature: an OLE2 container is .xls; a zip archive is .ods when it
// holds an OpenDocument content part or mimetype, .xlsx otherwise (its
// reader names what is missing). Text has no signature: .csv, .txt and .tsv
// files (any letter case) are delimited text. A zip archive too damaged to
// list is taken by its extension, so that the message names the format the
// user meant.
enum class WorkbookFormat { Missing, Unreadable, Xlsx, Xls, Ods, Csv, Unknown };
WorkbookFormat detectWorkbookFormat(const QString& path);

// Opens the workbook at path with the reader its content calls for; the
// regional settings read the numbers of delimited text. Returns the open
// reader, or nullptr with *error set to an Italian message naming the file
// and the cause. The reader reports its reading to progress.
std::unique_ptr<WorkbookReader> openWorkbook(const QString& path, const Regional& regional,
                                             QString* error, WorkProgress* progress = nullptr);
