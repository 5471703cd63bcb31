#include "ui/robustness/tablesorting.h"

#include <algorithm>
#include <optional>

std::vector<int> sortedRows(const TextTable& table, int column, Qt::SortOrder order,
                            const Regional& regional) {
    struct Key {
        std::optional<double> number;
        QString text;
    };
    std::vector<int> rows;
    std::vector<Key> keys(std::size_t(std::max(1, table.rowCount())));
    for (int r = 1; r < table.rowCount(); ++r) {
        rows.push_back(r);
        const QString& text = table.cell(r, column);
        keys[std::size_t(r)] = {regional.parseNumber(text), text};
    }
    const auto less = [&](int a, int b) {
        const Key& x = keys[std::size_t(a)];
        const Key& y = keys[std::size_t(b)];
        if (x.number && y.number)
            return *x.number < *y.number;
        if (x.number || y.number)
            return bool(x.number);
        return QString::localeAwareCompare(x.text, y.text) < 0;
    };
    if (order == Qt::AscendingOrder)
        std::stable_sort(rows.begin(), rows.end(), less);
    else
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return less(b, a); });
    return rows;
}

TextTable withRowOrder(const TextTable& table, const std::vector<int>& rows) {
    TextTable sorted(table.rowCount(), table.columnCount());
    for (int c = 0; c < table.columnCount(); ++c)
        sorted.setCell(0, c, table.cell(0, c));
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (int c = 0; c < table.columnCount(); ++c)
            sorted.setCell(int(i) + 1, c, table.cell(rows[i], c));
    return sorted;
}
