#pragma once

#include "shared/cellvalue.h"

#include <cstdint>
#include <memory>
#include <vector>

// The cells of one worksheet as a reader found them, row by row; rows and
// columns are 1-based as in the spreadsheet.
//
// Compact: a cell takes 12 bytes (its column and a double), the texts and
// other values that are not numbers are held apart, and a row of cells takes
// no memory of its own beyond its start. The cells are kept in blocks, so
// that rows already read can be released while a matrix is built from them.
class SheetData {
public:
    SheetData();
    ~SheetData();
    SheetData(SheetData&&) noexcept;
    SheetData& operator=(SheetData&&) noexcept;

    // Stores the value of cell (row, col); a later value for the same cell
    // replaces the earlier one. Empty values need not be stored.
    void set(int row, int col, CellValue value);
    // set() for a number, without building a CellValue.
    void setNumber(int row, int col, double value);
    // Orders the cells that arrived out of row or column order. Call once
    // after the last set() and before at().
    void finish();

    // Texts that cells refer to by their index (a workbook's shared
    // strings), so that a cell holding one takes no more than a number.
    // Several sheets of one workbook may share one table.
    void setSharedTexts(std::vector<QString> texts);
    void setSharedTexts(std::shared_ptr<const std::vector<QString>> texts);
    const std::vector<QString>& sharedTexts() const;
    // Cell (row, col) holds shared text `index`, which must be below
    // sharedTexts().size(); otherwise as set().
    void setSharedText(int row, int col, std::size_t index);

    // The value of cell (row, col); empty for a cell never set and for a
    // row already released.
    CellValue at(int row, int col) const;

    // Frees the cells of every row before `row`: they read as empty from
    // now on. Rows from `row` on stay as they are.
    void releaseRowsBefore(int row);

    int lastRow() const { return m_maxRow; }
    // The column of the last cell held in row (after finish()); 0 when the
    // row holds none or was released.
    int lastColumn(int row) const;
    // The cells held (after finish(): each cell once).
    qsizetype cellCount() const { return static_cast<qsizetype>(m_size); }
    void clear();

private:
    struct Block;
    // Blocks are mapped from the system directly, so that a released block
    // goes back to it at once.
    struct Unmap {
        void operator()(Block* block) const;
    };

    double& valueAt(std::size_t i);
    double valueAt(std::size_t i) const;
    std::int32_t& colAt(std::size_t i);
    std::int32_t colAt(std::size_t i) const;
    void append(int col, double value);
    void place(int row, int col, double encoded);
    double encode(CellValue&& value);
    CellValue decode(double value) const;
    void sortCells();

    std::vector<std::unique_ptr<Block, Unmap>> m_blocks; // cell i in block i / kBlockCells
    std::size_t m_size = 0;                              // cells held, duplicates included
    // Row r holds cells m_rowStart[r - 1] .. m_rowStart[r] - 1; slot 0 is 0.
    std::vector<std::size_t> m_rowStart;
    std::shared_ptr<const std::vector<QString>> m_sharedTexts; // null: none
    std::vector<CellValue> m_others; // the other values that are not numbers
    // While cells arrive out of order, the row of every cell; empty otherwise.
    std::vector<std::uint32_t> m_rowOf;
    int m_maxRow = 0;
    int m_releasedBefore = 1;
};
