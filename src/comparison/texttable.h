#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A rectangular table of texts indexed from 0: the tables of a comparison
// (values, ranks, cograduation matrix) keep row 0 and column 0 for headers.
class TextTable {
public:
    TextTable() = default;
    // A table of rows x columns empty texts.
    TextTable(int rows, int columns);

    int rowCount() const { return m_rows; }
    int columnCount() const { return m_columns; }

    // The text of a cell; row and column must lie inside the table.
    const QString& cell(int row, int column) const { return m_cells.at(index(row, column)); }
    void setCell(int row, int column, const QString& text) { m_cells[index(row, column)] = text; }
    void setCell(int row, int column, QString&& text) {
        m_cells[index(row, column)] = std::move(text);
    }

    // The texts of one row joined by the separator, column 0 first.
    QString joinedRow(int row, QChar separator) const;
    // Every row joined by the separator, row 0 first: the lines of a file.
    QStringList joinedRows(QChar separator) const;

    bool operator==(const TextTable&) const = default;

private:
    qsizetype index(int row, int column) const;

    int m_rows = 0;
    int m_columns = 0;
    QList<QString> m_cells;
};
