#include "ui/grid/analysistablemodel.h"

#include "ui/platform/windowsetup.h"

#include <QCoreApplication>

AnalysisTableModel::AnalysisTableModel(const Regional& regional, QObject* parent)
    : GridModel(parent), m_regional(regional) {}

void AnalysisTableModel::setTable(std::shared_ptr<const AnalysisTable> table) {
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

void AnalysisTableModel::clear() {
    setTable(nullptr);
}

bool AnalysisTableModel::inside(int row, int col) const {
    return row >= 0 && row < gridRowCount() && col >= 0 && col < gridColumnCount();
}

QString AnalysisTableModel::gridText(int row, int col) const {
    if (!inside(row, col))
        return QString();
    // The headers the core writes are shown in the interface language, the
    // methods' index names with their codes; the workbook's own names are
    // not in the catalogue and stay as they are.
    return row == 0 ? methodLabel(QCoreApplication::translate(
                          "TableHeaders", m_table->cell(row, col).toUtf8().constData()))
                    : m_table->cell(row, col);
}

std::optional<double> AnalysisTableModel::cellNumber(int row, int col) const {
    if (!inside(row, col))
        return std::nullopt;
    return m_table->holdsText(row, col) ? m_regional.parseNumber(m_table->cell(row, col))
                                        : m_table->number(row, col);
}
