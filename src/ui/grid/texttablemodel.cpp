#include "ui/grid/texttablemodel.h"

#include "ui/platform/windowsetup.h"

#include <QCoreApplication>

TextTableModel::TextTableModel(const Regional& regional, QObject* parent)
    : GridModel(parent), m_regional(regional) {}

void TextTableModel::setTable(TextTable table) {
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

void TextTableModel::clear() {
    setTable(TextTable());
}

bool TextTableModel::inside(int row, int col) const {
    return row >= 0 && row < m_table.rowCount() && col >= 0 && col < m_table.columnCount();
}

QString TextTableModel::gridText(int row, int col) const {
    if (!inside(row, col))
        return QString();
    // The headers the core writes are shown in the interface language, the
    // methods' index names with their codes; the workbook's own names are
    // not in the catalogue and stay as they are.
    return row == 0 ? methodLabel(QCoreApplication::translate(
                          "TableHeaders", m_table.cell(row, col).toUtf8().constData()))
                    : m_table.cell(row, col);
}

std::optional<double> TextTableModel::cellNumber(int row, int col) const {
    return inside(row, col) ? m_regional.parseNumber(m_table.cell(row, col)) : std::nullopt;
}
