#include "ui/grid/gridsortproxy.h"

#include "ui/grid/gridmodel.h"

#include <optional>

namespace {

// What a cell sorts by: its number, else its text.
struct SortKey {
    std::optional<double> number;
    QString text;

    bool empty() const { return !number && text.isEmpty(); }
};

SortKey keyOf(const GridModel& model, const QModelIndex& index) {
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    if (const std::optional<double> number = model.cellNumber(row, col))
        return {number, QString()};
    return {std::nullopt, model.gridText(row, col)};
}

} // namespace

GridSortProxy::GridSortProxy(QObject* parent) : QSortFilterProxyModel(parent) {}

void GridSortProxy::setGridModel(GridModel* model) {
    m_model = model;
    setSourceModel(model);
}

bool GridSortProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    if (!m_model)
        return false;
    const SortKey a = keyOf(*m_model, left);
    const SortKey b = keyOf(*m_model, right);
    if (a.empty() || b.empty()) {
        // The view puts the greater cells first when descending: an empty
        // cell is then the lesser, so that it stays at the bottom.
        const bool descending = sortOrder() == Qt::DescendingOrder;
        return a.empty() && b.empty() ? false : (a.empty() ? descending : !descending);
    }
    if (a.number && b.number)
        return *a.number < *b.number;
    if (a.number || b.number)
        return a.number.has_value();
    return QString::localeAwareCompare(a.text, b.text) < 0;
}
