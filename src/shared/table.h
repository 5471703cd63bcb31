#pragma once

#include "shared/cellvalue.h"

#include <cassert>
#include <vector>

// A dense row-major table of cell values indexed from 0. Tables of the shared
// state are dimensioned (rows + 1) x (cols + 1) so that indices 1..rows and
// 1..cols address the cells and row 0 and column 0 stay empty.
class Table {
public:
    Table() = default;

    // Discards the contents and makes every cell of rows 0..lastRow and
    // columns 0..lastCol empty.
    void dimension(int lastRow, int lastCol);
    // Back to the undimensioned state.
    void clear();

    bool isDimensioned() const { return m_rows > 0; }
    int lastRow() const { return m_rows - 1; }
    int lastCol() const { return m_cols - 1; }

    CellValue& operator()(int row, int col) { return m_cells[index(row, col)]; }
    const CellValue& operator()(int row, int col) const { return m_cells[index(row, col)]; }

    bool operator==(const Table&) const = default;

private:
    std::size_t index(int row, int col) const {
        assert(row >= 0 && row < m_rows && col >= 0 && col < m_cols);
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_cols) +
               static_cast<std::size_t>(col);
    }

    int m_rows = 0;
    int m_cols = 0;
    std::vector<CellValue> m_cells;
};
