#include "comparison/texttable.h"

#include <cassert>

TextTable::TextTable(int rows, int columns)
    : m_rows(rows), m_columns(columns), m_cells(qsizetype(rows) * columns) {
    assert(rows >= 0 && columns >= 0);
}

qsizetype TextTable::index(int row, int column) const {
    assert(row >= 0 && row < m_rows && column >= 0 && column < m_columns);
    return qsizetype(row) * m_columns + column;
}

QString TextTable::joinedRow(int row, QChar separator) const {
    QString line;
    qsizetype size = 0;
    for (int c = 0; c < m_columns; ++c)
        size += cell(row, c).size() + 1;
    line.reserve(size);
    for (int c = 0; c < m_columns; ++c) {
        if (c > 0)
            line += separator;
        line += cell(row, c);
    }
    return line;
}

QStringList TextTable::joinedRows(QChar separator) const {
    QStringList lines;
    lines.reserve(m_rows);
    for (int r = 0; r < m_rows; ++r)
        lines.append(joinedRow(r, separator));
    return lines;
}
