#include "shared/table.h"

#include <cassert>

void Table::dimension(int lastRow, int lastCol) {
    assert(lastRow >= 0 && lastCol >= 0);
    m_rows = lastRow + 1;
    m_cols = lastCol + 1;
    m_cells.clear();
    m_cells.shrink_to_fit();
    m_cells.resize(static_cast<std::size_t>(m_rows) * static_cast<std::size_t>(m_cols));
}

void Table::clear() {
    m_rows = 0;
    m_cols = 0;
    m_cells.clear();
    m_cells.shrink_to_fit();
}
