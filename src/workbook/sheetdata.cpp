#include "workbook/sheetdata.h"

#include <algorithm>

namespace {
const CellValue kEmpty;
}

void SheetData::set(int row, int col, CellValue value) {
    if (row < 1 || col < 1)
        return;
    if (static_cast<std::size_t>(row) > m_rows.size())
        m_rows.resize(static_cast<std::size_t>(row));
    auto& cells = m_rows[static_cast<std::size_t>(row - 1)];
    if (row != m_lastRow) {
        // Rows of a matrix are alike: a new row gets room for as many cells
        // as the previous one, instead of growing cell by cell.
        if (cells.empty() && m_lastRow > 0)
            cells.reserve(m_rows[static_cast<std::size_t>(m_lastRow - 1)].size());
        m_lastRow = row;
    }
    if (!cells.empty() && cells.back().col >= col) {
        if (cells.back().col == col) {
            cells.back().value = std::move(value);
            return;
        }
        if (m_unsortedRows.empty() || m_unsortedRows.back() != row)
            m_unsortedRows.push_back(row);
    }
    cells.push_back({col, std::move(value)});
    ++m_count;
}

void SheetData::finish() {
    std::sort(m_unsortedRows.begin(), m_unsortedRows.end());
    m_unsortedRows.erase(std::unique(m_unsortedRows.begin(), m_unsortedRows.end()),
                         m_unsortedRows.end());
    for (const int row : m_unsortedRows) {
        auto& cells = m_rows[static_cast<std::size_t>(row - 1)];
        std::stable_sort(cells.begin(), cells.end(),
                         [](const Entry& a, const Entry& b) { return a.col < b.col; });
        // Of several values for one cell the last one set wins.
        std::vector<Entry> unique;
        unique.reserve(cells.size());
        for (auto& entry : cells) {
            if (!unique.empty() && unique.back().col == entry.col) {
                unique.back().value = std::move(entry.value);
                --m_count;
            } else {
                unique.push_back(std::move(entry));
            }
        }
        cells = std::move(unique);
    }
    m_unsortedRows.clear();
}

const CellValue& SheetData::at(int row, int col) const {
    if (row < 1 || col < 1 || static_cast<std::size_t>(row) > m_rows.size())
        return kEmpty;
    const auto& cells = m_rows[static_cast<std::size_t>(row - 1)];
    // Rows are usually dense from column 1: try the direct slot first.
    const auto slot = static_cast<std::size_t>(col - 1);
    if (slot < cells.size() && cells[slot].col == col)
        return cells[slot].value;
    const auto it = std::lower_bound(cells.begin(), cells.end(), col,
                                     [](const Entry& e, int c) { return e.col < c; });
    if (it != cells.end() && it->col == col)
        return it->value;
    return kEmpty;
}

void SheetData::clear() {
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_unsortedRows.clear();
    m_count = 0;
    m_lastRow = 0;
}
