#include "shared/table.h"

#include <cassert>

void Table::dimension(int lastRow, int lastCol) {
    assert(lastRow >= 0 && lastCol >= 0);
    // The old cells go first; the shape changes only once the new cells are
    // there, so that running out of memory leaves an undimensioned table.
    clear();
    m_cells.resize(static_cast<std::size_t>(lastRow + 1) * static_cast<std::size_t>(lastCol + 1));
    m_rows = lastRow + 1;
    m_cols = lastCol + 1;
}

void Table::clear() {
    m_rows = 0;
    m_cols = 0;
    m_cells.clear();
    m_cells.shrink_to_fit();
}
