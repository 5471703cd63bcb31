#include "ui/grid/rowselection.h"

#include "ui/grid/gridview.h"

#include <QItemSelection>

#include <algorithm>

QList<int> matchingLabels(const QStringList& labels, const QString& text) {
    QList<int> places;
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return places;
    for (int i = 0; i < labels.size(); ++i)
        if (labels[i].contains(wanted, Qt::CaseInsensitive))
            places.append(i);
    return places;
}

QList<int> selectedRows(const GridView& grid) {
    QList<int> rows;
    if (const QItemSelectionModel* selection = grid.selectionModel())
        for (const QItemSelectionRange& range : selection->selection())
            for (int row = range.top(); row <= range.bottom(); ++row)
                rows.append(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void selectRows(GridView& grid, const QList<int>& rows) {
    QItemSelectionModel* selection = grid.selectionModel();
    const QAbstractItemModel* model = grid.model();
    if (!selection || !model)
        return;
    QList<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    const int last = model->columnCount() - 1;
    QItemSelection chosen;
    // Runs of consecutive rows as one range each.
    for (qsizetype i = 0; i < sorted.size();) {
        qsizetype j = i;
        while (j + 1 < sorted.size() && sorted[j + 1] <= sorted[j] + 1)
            ++j;
        const int top = std::max(sorted[i], 0);
        const int bottom = std::min(sorted[j], model->rowCount() - 1);
        if (top <= bottom && last >= 0)
            chosen.select(model->index(top, 0), model->index(bottom, last));
        i = j + 1;
    }
    selection->select(chosen, QItemSelectionModel::ClearAndSelect);
    if (!chosen.isEmpty())
        grid.scrollTo(chosen.first().topLeft());
}
