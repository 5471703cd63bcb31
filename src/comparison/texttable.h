#pragma once

#include "shared/textfile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <memory>
#include <span>
#include <string>
#include <vector>

// A rectangular table of texts indexed from 0, as the files and grids of
// tables hold them: row 0 and column 0 are kept for headers.
//
// Compact: each column holds its texts one after another in UTF-8, 8 bytes
// of bookkeeping a cell; a column of ranks holds whole numbers below its
// header, 4 bytes a cell. Copies share their columns until either changes.
class TextTable {
public:
    TextTable() = default;
    // A table of rows x columns empty texts.
    TextTable(int rows, int columns);

    int rowCount() const { return m_rows; }
    int columnCount() const { return static_cast<int>(m_columns.size()); }

    // The text of a cell; row and column must lie inside the table.
    QString cell(int row, int column) const;
    // Appends the text of a cell to bytes, in UTF-8.
    void appendCellUtf8(int row, int column, QByteArray& bytes) const;
    // The UTF-8 bytes of a cell of texts (not of a whole number), valid
    // until the column changes.
    QByteArrayView cellUtf8(int row, int column) const;

    // Sets the text of a cell. Setting the cells of a column from row 0
    // down, each once, is the fast way; any other order is allowed.
    void setCell(int row, int column, QStringView text);
    void setCellUtf8(int row, int column, QByteArrayView utf8);
    // Makes room in a column for texts of about this many bytes in all.
    void reserve(int column, qsizetype bytes);

    // Makes rows 1.. of a column the given whole numbers (one per row,
    // written in decimal); row 0 keeps its text.
    void setWholeNumbers(int column, std::vector<int> numbers);
    // The whole numbers of a column set by setWholeNumbers, empty for a
    // column of texts.
    std::span<const int> wholeNumbers(int column) const;

    // The texts of one row joined by ";", column 0 first, each quoted when
    // it needs it (delimitedfields.h): a line of a ";" file.
    QString joinedRow(int row) const;
    // Every row so joined, row 0 first: the lines of a file.
    QStringList joinedRows() const;
    // The same lines, produced one at a time for writing (the table must
    // outlive them).
    TextLines joinedLines() const;

    // Same shape and the same text in every cell.
    bool operator==(const TextTable& other) const;

private:
    struct Column {
        std::string bytes;               // the texts, one after another
        std::vector<std::uint64_t> ends; // text r ends at ends[r]; rows filled so far
        std::vector<int> numbers;        // rows 1.. of a column of whole numbers
    };

    const Column& column(int column) const;
    Column& writable(int column);
    static std::size_t beginOf(const Column& column, std::size_t row);
    // Appends the cell as a field of a ";" line, then the row as a line.
    void appendFieldUtf8(int row, int column, QByteArray& bytes) const;
    void appendLine(int row, QByteArray& bytes) const;

    int m_rows = 0;
    std::vector<std::shared_ptr<Column>> m_columns;
};
