#include "ui/comparison/comparisonmodel.h"

#include "ui/platform/windowsetup.h"

#include <QCoreApplication>

#include <cmath>

ComparisonModel::ComparisonModel(const Regional& regional, Shown shown, QObject* parent)
    : GridModel(parent), m_regional(regional), m_shown(shown) {}

void ComparisonModel::setComparison(std::shared_ptr<const ComparisonResult> comparison) {
    beginResetModel();
    m_comparison = std::move(comparison);
    endResetModel();
}

void ComparisonModel::clear() {
    setComparison(nullptr);
}

int ComparisonModel::gridRowCount() const {
    return m_comparison ? m_comparison->labels.rowCount() : 0;
}

int ComparisonModel::gridColumnCount() const {
    return m_comparison ? int(m_comparison->methods.size()) + 1 : 0;
}

bool ComparisonModel::inside(int row, int col) const {
    return row >= 0 && row < gridRowCount() && col >= 0 && col < gridColumnCount();
}

QString ComparisonModel::labelText(int row, int col) const {
    if (col == 0)
        return m_comparison->labels.cell(row, 0);
    return m_comparison->methods[std::size_t(col - 1)].header;
}

QString ComparisonModel::gridText(int row, int col) const {
    if (!inside(row, col))
        return QString();
    // The headers are shown in the interface language, the methods' index
    // names with their codes; the workbook's own names stay as they are.
    if (row == 0)
        return methodLabel(
            QCoreApplication::translate("TableHeaders", labelText(row, col).toUtf8().constData()));
    if (col == 0)
        return labelText(row, col);
    const ComparedMethod& method = m_comparison->methods[std::size_t(col - 1)];
    if (m_shown == Shown::Ranks)
        return QString::number(method.ranks[std::size_t(row - 1)]);
    return m_regional.indexText(method.values[std::size_t(row - 1)]);
}

std::optional<double> ComparisonModel::cellNumber(int row, int col) const {
    if (!inside(row, col))
        return std::nullopt;
    if (row == 0 || col == 0)
        return m_regional.parseNumber(labelText(row, col));
    const ComparedMethod& method = m_comparison->methods[std::size_t(col - 1)];
    if (m_shown == Shown::Ranks)
        return method.ranks[std::size_t(row - 1)];
    const double value = method.values[std::size_t(row - 1)];
    return std::isnan(value) ? std::nullopt : std::optional<double>(value);
}
