#pragma once

#include "shared/cellvalue.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class WorkbookReader;

// Takes one sheet of a pass over a workbook (WorkbookReader::readSheets):
// its position from 0, its name, and the reader, whose cell() gives the
// sheet's cells until it returns. Returns false to stop the pass.
using SheetVisitor =
    std::function<bool(int index, const QString& name, const WorkbookReader& sheet)>;

// Read access to one worksheet of a workbook file, the first unless another
// is chosen, or to every worksheet in one pass. A reader never writes to
// the file.
class WorkbookReader {
public:
    virtual ~WorkbookReader() = default;

    // Reads the workbook at path and its first worksheet. On any failure, a
    // File failure whose Italian message names the file.
    virtual Status open(const QString& path) = 0;

    // The value of cell (row, col) of the first worksheet, both 1-based, as
    // the spreadsheet holds it: a formula cell gives its last computed
    // result, a number in a date format gives a date. Cells outside the
    // sheet's contents are empty.
    virtual CellValue cell(int row, int col) const = 0;

    // The extent of the sheet's contents: the last row holding a cell, and
    // the column of the last cell of a row (0 for a row holding none). A
    // cell held may still be empty (an empty text).
    virtual int lastRow() const = 0;
    virtual int lastColumn(int row) const = 0;

    // No cell of a row before `row` will be asked for again: the reader may
    // free them, and cell() then gives empty for them.
    virtual void releaseRowsBefore(int row) { (void)row; }

    // Releases the workbook.
    virtual void close() = 0;

    // Reads every sheet of the workbook at path, in workbook order, opening
    // it once: the parts that the sheets share (the archive's directory,
    // the shared strings, the styles, the list of sheets) are read once, not
    // once a sheet. Each sheet is handed to visit on the calling thread, in
    // workbook order, and released when visit returns; up to `threads`
    // sheets are read side by side where the format allows it, and only a
    // few sheets are held at any time. sheetNames() holds the names of the
    // sheets handed over so far, at least. Succeeds when every sheet was
    // read and visited, or visit stopped the pass; fails when the workbook
    // or a sheet cannot be read (as open() would for that sheet; the sheets
    // before it have been visited). Where the reader has no quicker way, it
    // opens the workbook once a sheet.
    virtual Status readSheets(const QString& path, const SheetVisitor& visit, int threads = 1);

    // Which sheet the next open() reads: its position in workbook order,
    // from 0 (the first, by default). A position past the last sheet fails
    // the open() with a message naming the number of sheets.
    void setSheetIndex(int index) { m_sheetIndex = index; }
    int sheetIndex() const { return m_sheetIndex; }

    // The names of every sheet of the workbook in workbook order, as the
    // last successful open() found them; delimited text is one sheet named
    // after the file.
    const QStringList& sheetNames() const { return m_sheetNames; }

    // Where the next open() tells how much of the sheet it has read, and
    // learns that it should stop: a cancelled open() fails. None by default.
    void setProgress(WorkProgress* progress) { m_progress = progress; }

protected:
    WorkProgress* m_progress = nullptr;
    int m_sheetIndex = 0;
    QStringList m_sheetNames;
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
// reader, or a File failure whose Italian message names the file and the
// cause. The reader reports its reading to progress.
Expected<std::unique_ptr<WorkbookReader>>
openWorkbook(const QString& path, const Regional& regional, WorkProgress* progress = nullptr);

// The same for the sheet at sheetIndex (from 0, in workbook order).
Expected<std::unique_ptr<WorkbookReader>> openWorkbookSheet(const QString& path, int sheetIndex,
                                                            const Regional& regional,
                                                            WorkProgress* progress = nullptr);

// Reads every sheet of the workbook at path in one pass
// (WorkbookReader::readSheets) with the reader its content calls for: the
// periods of a panel are the sheets of one workbook. Fails as openWorkbook
// does; succeeds, too, when visit stopped the pass. The reader tells
// progress how much it has read.
Status readWorkbookSheets(const QString& path, const Regional& regional, const SheetVisitor& visit,
                          WorkProgress* progress = nullptr, int threads = 1);
