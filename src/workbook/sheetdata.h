#pragma once

#include "shared/cellvalue.h"

#include <vector>

// The cells of one worksheet as a reader found them, stored sparsely row by
// row; rows and columns are 1-based as in the spreadsheet.
class SheetData {
public:
    // Stores the value of cell (row, col); a later value for the same cell
    // replaces the earlier one. Empty values need not be stored.
    void set(int row, int col, CellValue value);
    // Orders the cells of rows that arrived out of column order. Call once
    // after the last set() and before at().
    void finish();

    // The value of cell (row, col); empty for a cell never set.
    const CellValue& at(int row, int col) const;

    int lastRow() const { return static_cast<int>(m_rows.size()); }
    qsizetype cellCount() const { return m_count; }
    void clear();

private:
    struct Entry {
        int col;
        CellValue value;
    };
    std::vector<std::vector<Entry>> m_rows; // row r at index r - 1
    std::vector<int> m_unsortedRows;
    qsizetype m_count = 0;
    int m_lastRow = 0; // the row of the last set(), 0 before the first
};
