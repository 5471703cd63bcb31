#include "workbook/sheetdata.h"

#include <sys/mman.h>

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <new>
#include <utility>

namespace {

constexpr std::size_t kBlockCells = std::size_t(1) << 16;

// A cell's double is its number, or a quiet NaN that no number is stored as:
// the empty value, or the index of a value held apart.
constexpr std::uint64_t kNaNBits = 0x7FF8'0000'0000'0000ULL; // every NaN number
constexpr std::uint64_t kEmptyBits = 0x7FFB'0000'0000'0000ULL;
constexpr std::uint64_t kOtherTag = 0x7FFC'0000'0000'0000ULL;
constexpr std::uint64_t kSharedTextTag = 0x7FFD'0000'0000'0000ULL;
constexpr std::uint64_t kTagMask = 0xFFFF'0000'0000'0000ULL;

std::uint64_t bitsOf(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

} // namespace

struct SheetData::Block {
    double values[kBlockCells];
    std::int32_t cols[kBlockCells];
};

void SheetData::Unmap::operator()(Block* block) const {
    munmap(block, sizeof(Block));
}

SheetData::SheetData() : m_rowStart(1, 0) {}
SheetData::~SheetData() = default;
SheetData::SheetData(SheetData&&) noexcept = default;
SheetData& SheetData::operator=(SheetData&&) noexcept = default;

double& SheetData::valueAt(std::size_t i) {
    return m_blocks[i / kBlockCells]->values[i % kBlockCells];
}

double SheetData::valueAt(std::size_t i) const {
    return m_blocks[i / kBlockCells]->values[i % kBlockCells];
}

std::int32_t& SheetData::colAt(std::size_t i) {
    return m_blocks[i / kBlockCells]->cols[i % kBlockCells];
}

std::int32_t SheetData::colAt(std::size_t i) const {
    return m_blocks[i / kBlockCells]->cols[i % kBlockCells];
}

void SheetData::append(int col, double value) {
    if (m_size == m_blocks.size() * kBlockCells) {
        // Zero pages, taken by the system as they are written.
        void* memory = mmap(nullptr, sizeof(Block), PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED)
            throw std::bad_alloc();
        m_blocks.emplace_back(static_cast<Block*>(memory));
    }
    valueAt(m_size) = value;
    colAt(m_size) = col;
    ++m_size;
}

namespace {
// A NaN is held as one NaN of its own, apart from the tags.
double encodeNumber(double number) {
    return std::isnan(number) ? std::bit_cast<double>(kNaNBits) : number;
}
} // namespace

double SheetData::encode(CellValue&& value) {
    if (value.isNumber())
        return encodeNumber(value.number());
    if (value.isEmpty())
        return std::bit_cast<double>(kEmptyBits);
    m_others.push_back(std::move(value));
    return std::bit_cast<double>(kOtherTag | (m_others.size() - 1));
}

CellValue SheetData::decode(double value) const {
    const std::uint64_t bits = bitsOf(value);
    if ((bits & kTagMask) == kOtherTag)
        return m_others[bits & ~kTagMask];
    if ((bits & kTagMask) == kSharedTextTag)
        return CellValue((*m_sharedTexts)[bits & ~kTagMask]);
    if (bits == kEmptyBits)
        return CellValue();
    return CellValue(value);
}

void SheetData::setSharedTexts(std::vector<QString> texts) {
    m_sharedTexts = std::make_shared<const std::vector<QString>>(std::move(texts));
}

void SheetData::setSharedTexts(std::shared_ptr<const std::vector<QString>> texts) {
    m_sharedTexts = std::move(texts);
}

const std::vector<QString>& SheetData::sharedTexts() const {
    static const std::vector<QString> none;
    return m_sharedTexts ? *m_sharedTexts : none;
}

void SheetData::set(int row, int col, CellValue value) {
    if (row < 1 || col < 1)
        return;
    place(row, col, encode(std::move(value)));
}

void SheetData::setNumber(int row, int col, double value) {
    if (row < 1 || col < 1)
        return;
    place(row, col, encodeNumber(value));
}

void SheetData::setSharedText(int row, int col, std::size_t index) {
    assert(index < sharedTexts().size());
    if (row < 1 || col < 1)
        return;
    place(row, col, std::bit_cast<double>(kSharedTextTag | index));
}

void SheetData::place(int row, int col, double encoded) {
    if (!m_rowOf.empty()) {
        // Out of order already: every cell keeps its row until finish().
        append(col, encoded);
        m_rowOf.push_back(static_cast<std::uint32_t>(row));
        m_maxRow = std::max(m_maxRow, row);
        return;
    }
    const int last = lastRow();
    if (row > last) {
        m_rowStart.resize(static_cast<std::size_t>(row) + 1, m_size);
        m_maxRow = row;
    } else {
        const std::size_t start = m_rowStart[static_cast<std::size_t>(row - 1)];
        const bool hasCells = start < m_size;
        const int lastCol = hasCells ? colAt(m_size - 1) : 0;
        if (row == last && lastCol == col) {
            valueAt(m_size - 1) = encoded; // the later value wins
            return;
        }
        if (row < last || col < lastCol) {
            // The first cell out of order: from now on each cell carries its row.
            m_rowOf.resize(m_size);
            for (int r = 1; r <= last; ++r)
                std::fill(m_rowOf.begin() + static_cast<std::ptrdiff_t>(
                                                m_rowStart[static_cast<std::size_t>(r - 1)]),
                          m_rowOf.begin() +
                              static_cast<std::ptrdiff_t>(m_rowStart[static_cast<std::size_t>(r)]),
                          static_cast<std::uint32_t>(r));
            append(col, encoded);
            m_rowOf.push_back(static_cast<std::uint32_t>(row));
            return;
        }
    }
    append(col, encoded);
    m_rowStart.back() = m_size;
}

void SheetData::finish() {
    if (!m_rowOf.empty())
        sortCells();
}

// Puts the cells that arrived out of order in row and column order, in
// place: a counting sort by row (stable, so each row keeps its arrival
// order), then each row sorted by column, the last value of a cell kept.
void SheetData::sortCells() {
    const std::size_t n = m_size;
    std::vector<std::size_t> end(static_cast<std::size_t>(m_maxRow) + 1, 0);
    for (std::size_t i = 0; i < n; ++i)
        ++end[m_rowOf[i]];
    for (std::size_t r = 1; r < end.size(); ++r)
        end[r] += end[r - 1];
    // m_rowOf[i] becomes the place of cell i: the next free one of its row.
    std::vector<std::size_t> next(end.size(), 0);
    for (std::size_t r = 1; r < end.size(); ++r)
        next[r] = end[r - 1];
    for (std::size_t i = 0; i < n; ++i)
        m_rowOf[i] = static_cast<std::uint32_t>(next[m_rowOf[i]]++);
    for (std::size_t i = 0; i < n; ++i) {
        while (m_rowOf[i] != i) {
            const std::size_t j = m_rowOf[i];
            std::swap(valueAt(i), valueAt(j));
            std::swap(colAt(i), colAt(j));
            std::swap(m_rowOf[i], m_rowOf[j]);
        }
    }
    std::vector<std::uint32_t>().swap(m_rowOf);

    // Each row by column, the later of equal columns kept, moved down to
    // close the gaps that removed cells leave.
    struct Cell {
        std::int32_t col;
        double value;
    };
    std::vector<Cell> row;
    std::size_t kept = 0;
    std::size_t start = 0;
    for (std::size_t r = 1; r < end.size(); ++r) {
        row.clear();
        for (std::size_t i = start; i < end[r]; ++i)
            row.push_back({colAt(i), valueAt(i)});
        start = end[r];
        std::stable_sort(row.begin(), row.end(),
                         [](const Cell& a, const Cell& b) { return a.col < b.col; });
        for (std::size_t k = 0; k < row.size(); ++k) {
            if (k + 1 < row.size() && row[k + 1].col == row[k].col)
                continue;
            colAt(kept) = row[k].col;
            valueAt(kept) = row[k].value;
            ++kept;
        }
        end[r] = kept;
    }
    m_size = kept;
    m_blocks.resize((kept + kBlockCells - 1) / kBlockCells);
    m_rowStart = std::move(end);
}

CellValue SheetData::at(int row, int col) const {
    if (row < m_releasedBefore || col < 1 || row > lastRow())
        return CellValue();
    const std::size_t first = m_rowStart[static_cast<std::size_t>(row - 1)];
    const std::size_t last = m_rowStart[static_cast<std::size_t>(row)];
    // Rows are usually dense from column 1: try the direct slot first.
    const std::size_t slot = first + static_cast<std::size_t>(col - 1);
    if (slot < last && colAt(slot) == col)
        return decode(valueAt(slot));
    std::size_t low = first;
    std::size_t high = last;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (colAt(middle) < col)
            low = middle + 1;
        else
            high = middle;
    }
    if (low < last && colAt(low) == col)
        return decode(valueAt(low));
    return CellValue();
}

int SheetData::lastColumn(int row) const {
    if (row < m_releasedBefore || row < 1 || row > lastRow())
        return 0;
    const std::size_t first = m_rowStart[static_cast<std::size_t>(row - 1)];
    const std::size_t last = m_rowStart[static_cast<std::size_t>(row)];
    return last > first ? colAt(last - 1) : 0;
}

void SheetData::releaseRowsBefore(int row) {
    assert(m_rowOf.empty());
    row = std::min(row, lastRow() + 1);
    if (row <= m_releasedBefore)
        return;
    m_releasedBefore = row;
    const std::size_t firstKept = m_rowStart[static_cast<std::size_t>(row - 1)];
    for (std::size_t b = 0; (b + 1) * kBlockCells <= firstKept && b < m_blocks.size(); ++b)
        m_blocks[b].reset();
}

void SheetData::clear() {
    *this = SheetData();
}
