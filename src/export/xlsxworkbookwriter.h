#pragma once

#include "export/xlsxstyles.h"
#include "shared/expected.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <memory>
#include <vector>

class ZipStreamWriter;

// Writes an .xlsx workbook sheet after sheet, row after row, without holding
// more than a row in memory: numbers as numbers with the shortest text that
// reads back as the same double, texts as inline strings.
//
// Rows and columns count from 0. Within a sheet rows go in increasing order;
// the cells of a row may come in any order (a cell written twice keeps the
// later value). Column widths may be set until the sheet's second row
// begins. A write to a row before the current one is ignored.
class XlsxWorkbookWriter {
public:
    // Creates (or empties) the file at path.
    explicit XlsxWorkbookWriter(const QString& path);
    ~XlsxWorkbookWriter();
    XlsxWorkbookWriter(const XlsxWorkbookWriter&) = delete;
    XlsxWorkbookWriter& operator=(const XlsxWorkbookWriter&) = delete;

    // The style index of format, for the cells written with it.
    int addFormat(const XlsxFormat& format) { return m_styles.add(format); }

    // Ends the sheet being written and starts one named name (at most 31
    // characters, none of []:*?/\), with the first rows and columns frozen.
    void addSheet(const QString& name, int frozenRows, int frozenColumns);
    // Width of columns first to last, in characters of the default font.
    void setColumnWidth(int first, int last, double width);

    void writeNumber(int row, int col, double value, int format = 0);
    void writeText(int row, int col, QStringView text, int format = 0);

    // True once the file could not be written: further cells are dropped,
    // and close() reports the failure.
    bool failed() const;
    // Ends the last sheet and writes the workbook's remaining parts. A File
    // failure whose message is the cause, in Italian, when the file could
    // not be written.
    Status close();

private:
    struct Piece {
        int col;
        qsizetype start;
        qsizetype length;
    };

    // Opens a cell's element; returns where it starts in the row, or -1
    // when the cell cannot be written.
    qsizetype startCell(int row, int col);
    void endCell(int col, qsizetype start);
    void flushRow();
    void writeSheetStart();
    void endSheet();
    void put(const char* bytes, qsizetype length);
    void put(QByteArrayView bytes) { put(bytes.data(), bytes.size()); }
    const QByteArray& columnName(int col);
    const QByteArray& styleAttribute(int format);

    std::unique_ptr<ZipStreamWriter> m_zip;
    XlsxStyles m_styles;
    std::vector<QByteArray> m_styleAttributes; // ` s="N"` by style index
    std::vector<QByteArray> m_columnNames;
    std::vector<QString> m_sheetNames;
    QByteArray m_out;

    // The sheet being written.
    bool m_inSheet = false;
    bool m_sheetStarted = false;
    int m_frozenRows = 0;
    int m_frozenColumns = 0;
    std::vector<std::pair<std::pair<int, int>, double>> m_widths;
    int m_row = -1;
    QByteArray m_rowNumber;
    QByteArray m_cells;
    std::vector<Piece> m_pieces;
    bool m_inOrder = true;
    bool m_closed = false;
};
