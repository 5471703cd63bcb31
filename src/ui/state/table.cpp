#include "ui/state/table.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

// A quiet NaN with a payload of its own: arithmetic yields the default NaN,
// so only a cell that was never set holds this one.
constexpr std::uint64_t kEmptyBits = 0x7FF8'0000'0E3B'7D00ULL;

} // namespace

const CellValue& Table::emptyCell() {
    static const CellValue empty;
    return empty;
}

double Table::emptyNumber() {
    return std::bit_cast<double>(kEmptyBits);
}

bool Table::isEmptyNumber(double value) {
    return std::bit_cast<std::uint64_t>(value) == kEmptyBits;
}

Table::Table(const Table& other)
    : m_rows(other.m_rows), m_cols(other.m_cols), m_labels(other.m_labels),
      m_header(other.m_header), m_dataSize(other.m_dataSize) {
    if (other.m_data) {
        m_data.reset(new double[m_dataSize]);
        std::memcpy(m_data.get(), other.m_data.get(), m_dataSize * sizeof(double));
    }
}

Table& Table::operator=(const Table& other) {
    if (this != &other)
        *this = Table(other);
    return *this;
}

void Table::dimension(int lastRow, int lastCol) {
    assert(lastRow >= 0 && lastCol >= 0);
    // The old cells go first; the shape changes only once the new headings
    // are there, so that running out of memory leaves an undimensioned table.
    clear();
    m_header.resize(lastCol + 1);
    m_rows = lastRow + 1;
    m_cols = lastCol + 1;
    if (m_rows > 2 && m_cols > 2)
        m_dataSize = static_cast<std::size_t>(m_rows - 2) * static_cast<std::size_t>(m_cols - 2);
}

void Table::dimensionForFilling(int lastRow, int lastCol) {
    // Cells of the same number are filled again where they are.
    std::unique_ptr<double[]> kept;
    const std::size_t size = lastRow > 1 && lastCol > 1 ? static_cast<std::size_t>(lastRow - 1) *
                                                              static_cast<std::size_t>(lastCol - 1)
                                                        : 0;
    if (size > 0 && size == m_dataSize)
        kept = std::move(m_data);
    dimension(lastRow, lastCol);
    if (kept)
        m_data = std::move(kept);
    else if (m_dataSize > 0)
        m_data.reset(new double[m_dataSize]); // not initialised: no page touched yet
}

void Table::allocateEmpty() {
    m_data.reset(new double[m_dataSize]);
    std::fill_n(m_data.get(), m_dataSize, emptyNumber());
}

void Table::clear() {
    m_rows = 0;
    m_cols = 0;
    m_labels = QList<CellValue>();
    m_header = QList<CellValue>();
    m_data.reset();
    m_dataSize = 0;
}

void Table::copyLabels(const Table& other) {
    assert(other.m_rows == m_rows);
    m_labels = other.m_labels;
}

bool Table::labelsEqual(const Table& other) const {
    if (m_labels.isEmpty() || other.m_labels.isEmpty()) {
        const QList<CellValue>& held = m_labels.isEmpty() ? other.m_labels : m_labels;
        return std::all_of(held.cbegin(), held.cend(),
                           [](const CellValue& value) { return value.isEmpty(); });
    }
    return m_labels == other.m_labels;
}

CellValue Table::cell(int row, int col) const {
    if (row < 1 || col < 1 || row >= m_rows || col >= m_cols)
        return CellValue();
    if (col == 1)
        return label(row);
    if (row == 1)
        return header(col);
    const double value = (*this)(row, col);
    return isEmptyNumber(value) ? CellValue() : CellValue(value);
}

bool Table::dataEquals(const Table& other) const {
    if (m_data && other.m_data)
        return std::memcmp(m_data.get(), other.m_data.get(), m_dataSize * sizeof(double)) == 0;
    const Table& held = m_data ? *this : other;
    if (!held.m_data)
        return true;
    const double* const begin = held.m_data.get();
    const double* const end = begin + m_dataSize;
    return std::all_of(begin, end, [](double value) { return isEmptyNumber(value); });
}

bool Table::operator==(const Table& other) const {
    return m_rows == other.m_rows && m_cols == other.m_cols && labelsEqual(other) &&
           m_header == other.m_header && m_dataSize == other.m_dataSize && dataEquals(other);
}
