#pragma once

#include "shared/cellvalue.h"

#include <QList>

#include <cassert>
#include <memory>

// A table of the shared state, indexed like the program's other tables:
// rows 0..lastRow() and columns 0..lastCol(), row 1 the header row,
// column 1 the label column, (1,1) the corner; row 0 and column 0 stay empty.
//
// The cells from (2,2) on are numbers, stored as doubles (8 bytes a cell) and
// reached through table(row, col). The headings beside them (the header row
// and the label column) are cell values, reached through header(col) and
// label(row). A label column copied from another table is shared with it
// until either changes.
class Table {
public:
    Table() = default;
    Table(const Table& other);
    Table& operator=(const Table& other);
    Table(Table&&) noexcept = default;
    Table& operator=(Table&&) noexcept = default;

    // Discards the contents and makes every cell of rows 0..lastRow and
    // columns 0..lastCol empty. The data cells take memory from the first
    // time one of them is written.
    void dimension(int lastRow, int lastCol);
    // The same for a table whose every data cell is about to be set, row
    // after row: the data cells hold no defined value until then, and the
    // memory is taken as they are set rather than all at once. A table of as
    // many data cells keeps its memory for them.
    void dimensionForFilling(int lastRow, int lastCol);
    // Back to the undimensioned state, the memory released.
    void clear();

    bool isDimensioned() const { return m_rows > 0; }
    int lastRow() const { return m_rows - 1; }
    int lastCol() const { return m_cols - 1; }

    // The number in data cell (row, col), row >= 2 and col >= 2. A cell
    // that was never given a number holds emptyNumber().
    double& operator()(int row, int col) {
        const std::size_t i = index(row, col);
        if (!m_data) [[unlikely]]
            allocateEmpty();
        return m_data[i];
    }
    double operator()(int row, int col) const {
        const std::size_t i = index(row, col);
        return m_data ? m_data[i] : emptyNumber();
    }

    // Cell (1, col) of the header row; header(1) is the corner.
    CellValue& header(int col) { return col == 1 ? label(1) : m_header[checkedCol(col)]; }
    const CellValue& header(int col) const {
        return col == 1 ? label(1) : m_header.at(checkedCol(col));
    }
    // Cell (row, 1) of the label column; label(1) is the corner.
    CellValue& label(int row) {
        const qsizetype i = checkedRow(row);
        if (m_labels.isEmpty()) [[unlikely]]
            m_labels.resize(m_rows);
        return m_labels[i];
    }
    const CellValue& label(int row) const {
        const qsizetype i = checkedRow(row);
        return m_labels.isEmpty() ? emptyCell() : m_labels.at(i);
    }

    // Takes the label column (corner included) of a table of the same height.
    void copyLabels(const Table& other);

    // Any cell as a cell value: a heading as held, a data cell as its number
    // (empty when it holds emptyNumber()), row 0 and column 0 empty.
    CellValue cell(int row, int col) const;

    // The value of a data cell that holds no number: a NaN that no
    // arithmetic produces, told apart by isEmptyNumber().
    static double emptyNumber();
    static bool isEmptyNumber(double value);

    // Same shape, equal headings, and data cells equal bit for bit.
    bool operator==(const Table& other) const;

private:
    static const CellValue& emptyCell();
    void allocateEmpty();
    bool dataEquals(const Table& other) const;
    bool labelsEqual(const Table& other) const;

    std::size_t index(int row, int col) const {
        assert(row >= 2 && row < m_rows && col >= 2 && col < m_cols);
        return static_cast<std::size_t>(row - 2) * static_cast<std::size_t>(m_cols - 2) +
               static_cast<std::size_t>(col - 2);
    }
    qsizetype checkedRow(int row) const {
        assert(row >= 1 && row < m_rows);
        return row;
    }
    qsizetype checkedCol(int col) const {
        assert(col >= 1 && col < m_cols);
        return col;
    }

    int m_rows = 0;
    int m_cols = 0;
    QList<CellValue> m_labels; // slot r for row r, slot 0 unused; none while all are empty
    QList<CellValue> m_header; // slot c for column c >= 2; slots 0 and 1 unused
    // (lastRow - 1) x (lastCol - 1) cells, row after row; null while every
    // data cell is empty.
    std::unique_ptr<double[]> m_data;
    std::size_t m_dataSize = 0;
};
