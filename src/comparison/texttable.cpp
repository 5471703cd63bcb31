#include "comparison/texttable.h"

#include "shared/delimitedfields.h"
#include "shared/textdecoding.h"

#include <cassert>
#include <charconv>

TextTable::TextTable(int rows, int columns) : m_rows(rows) {
    assert(rows >= 0 && columns >= 0);
    m_columns.reserve(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c)
        m_columns.push_back(std::make_shared<Column>());
}

const TextTable::Column& TextTable::column(int column) const {
    assert(column >= 0 && column < columnCount());
    return *m_columns[static_cast<std::size_t>(column)];
}

TextTable::Column& TextTable::writable(int column) {
    assert(column >= 0 && column < columnCount());
    auto& held = m_columns[static_cast<std::size_t>(column)];
    if (held.use_count() > 1)
        held = std::make_shared<Column>(*held); // shared with a copy: changed apart
    return *held;
}

std::size_t TextTable::beginOf(const Column& column, std::size_t row) {
    return row == 0 ? 0 : static_cast<std::size_t>(column.ends[row - 1]);
}

QByteArrayView TextTable::cellUtf8(int row, int column) const {
    assert(row >= 0 && row < m_rows);
    const Column& held = this->column(column);
    assert(row == 0 || held.numbers.empty());
    const auto r = static_cast<std::size_t>(row);
    if (r >= held.ends.size())
        return QByteArrayView();
    const std::size_t begin = beginOf(held, r);
    return QByteArrayView(held.bytes.data() + begin, static_cast<qsizetype>(held.ends[r] - begin));
}

void TextTable::appendCellUtf8(int row, int column, QByteArray& bytes) const {
    const Column& held = this->column(column);
    if (row > 0 && !held.numbers.empty()) {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits,
                                       held.numbers[static_cast<std::size_t>(row - 1)])
                             .ptr;
        bytes.append(digits, end - digits);
    } else {
        bytes += cellUtf8(row, column);
    }
}

void TextTable::reserve(int column, qsizetype bytes) {
    Column& held = writable(column);
    held.bytes.reserve(static_cast<std::size_t>(bytes));
    held.ends.reserve(static_cast<std::size_t>(m_rows));
}

QString TextTable::cell(int row, int column) const {
    const Column& held = this->column(column);
    if (row > 0 && !held.numbers.empty())
        return QString::number(held.numbers[static_cast<std::size_t>(row - 1)]);
    const QByteArrayView bytes = cellUtf8(row, column);
    return utf8Text(bytes);
}

void TextTable::setCell(int row, int column, QStringView text) {
    setCellUtf8(row, column, text.toUtf8());
}

void TextTable::setCellUtf8(int row, int column, QByteArrayView utf8) {
    assert(row >= 0 && row < m_rows);
    Column& held = writable(column);
    if (row > 0 && !held.numbers.empty()) {
        // Back to texts: the numbers become their digits.
        std::vector<int> numbers;
        numbers.swap(held.numbers);
        held.ends.resize(1);
        held.bytes.resize(held.ends[0]);
        for (const int number : numbers) {
            held.bytes += std::to_string(number);
            held.ends.push_back(held.bytes.size());
        }
    }
    const auto r = static_cast<std::size_t>(row);
    while (held.ends.size() < r)
        held.ends.push_back(held.bytes.size()); // the rows between stay empty
    if (held.ends.size() == r) {
        held.bytes.append(utf8.data(), static_cast<std::size_t>(utf8.size()));
        held.ends.push_back(held.bytes.size());
        return;
    }
    // A row set before: its text replaced, the later ones moved.
    const std::size_t begin = beginOf(held, r);
    const std::size_t length = static_cast<std::size_t>(held.ends[r]) - begin;
    held.bytes.replace(begin, length, utf8.data(), static_cast<std::size_t>(utf8.size()));
    const auto shift = static_cast<std::int64_t>(utf8.size()) - static_cast<std::int64_t>(length);
    for (std::size_t i = r; i < held.ends.size(); ++i)
        held.ends[i] = static_cast<std::uint64_t>(static_cast<std::int64_t>(held.ends[i]) + shift);
}

void TextTable::setWholeNumbers(int column, std::vector<int> numbers) {
    assert(static_cast<int>(numbers.size()) == std::max(m_rows - 1, 0));
    Column& held = writable(column);
    // Only the header's text stays.
    if (held.ends.empty())
        held.ends.push_back(0);
    held.ends.resize(1);
    held.bytes.resize(held.ends[0]);
    held.numbers = std::move(numbers);
}

std::span<const int> TextTable::wholeNumbers(int column) const {
    return this->column(column).numbers;
}

void TextTable::appendFieldUtf8(int row, int column, QByteArray& bytes) const {
    if (row > 0 && !this->column(column).numbers.empty())
        appendCellUtf8(row, column, bytes);
    else
        appendField(bytes, cellUtf8(row, column));
}

void TextTable::appendLine(int row, QByteArray& bytes) const {
    for (int c = 0; c < columnCount(); ++c) {
        if (c > 0)
            bytes += ';';
        appendFieldUtf8(row, c, bytes);
    }
}

QString TextTable::joinedRow(int row) const {
    QByteArray line;
    appendLine(row, line);
    return utf8Text(line);
}

QStringList TextTable::joinedRows() const {
    QStringList lines;
    lines.reserve(m_rows);
    for (int r = 0; r < m_rows; ++r)
        lines.append(joinedRow(r));
    return lines;
}

TextLines TextTable::joinedLines() const {
    return TextLines(m_rows, [this](qsizetype row, QByteArray& bytes) {
        appendLine(static_cast<int>(row), bytes);
    });
}

bool TextTable::operator==(const TextTable& other) const {
    if (m_rows != other.m_rows || columnCount() != other.columnCount())
        return false;
    for (int c = 0; c < columnCount(); ++c)
        for (int r = 0; r < m_rows; ++r)
            if (cell(r, c) != other.cell(r, c))
                return false;
    return true;
}
