#include "robustness/rankmatrix.h"

#include "comparison/cograduation.h"

RankMatrix rankMatrixOf(const TextTable& table) {
    RankMatrix matrix;
    if (table.rowCount() < 1 || table.columnCount() < 1)
        return matrix;
    matrix.corner = table.cell(0, 0);
    for (int r = 1; r < table.rowCount(); ++r)
        matrix.labels.append(table.cell(r, 0));
    for (int k = 1; k < table.columnCount(); ++k) {
        matrix.methods.append(table.cell(0, k));
        const std::span<const int> whole = table.wholeNumbers(k);
        if (!whole.empty()) {
            matrix.ranks.emplace_back(whole.begin(), whole.end());
            continue;
        }
        const std::vector<double> column = rankColumn(table, k);
        matrix.ranks.emplace_back(column.begin(), column.end());
    }
    return matrix;
}
