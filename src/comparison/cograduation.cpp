#include "comparison/cograduation.h"

#include "comparison/spearman.h"

#include <algorithm>

std::vector<double> rankColumn(const TextTable& ranks, int column) {
    std::vector<double> values;
    values.reserve(std::size_t(std::max(0, ranks.rowCount() - 1)));
    for (int r = 1; r < ranks.rowCount(); ++r)
        values.push_back(rankNumber(ranks.cell(r, column)));
    return values;
}

TextTable cograduationMatrix(const TextTable& ranks, const Regional& regional) {
    const int methods = ranks.columnCount() - 1;
    if (methods < 1)
        return TextTable();
    TextTable matrix(methods + 1, methods + 1);
    std::vector<std::vector<double>> columns;
    columns.reserve(std::size_t(methods));
    const QString one = regional.fixed4(1.0);
    for (int k = 1; k <= methods; ++k) {
        matrix.setCell(0, k, ranks.cell(0, k));
        matrix.setCell(k, 0, ranks.cell(0, k));
        matrix.setCell(k, k, one);
        columns.push_back(rankColumn(ranks, k));
    }
    for (int a = 1; a < methods; ++a)
        for (int b = a + 1; b <= methods; ++b)
            matrix.setCell(
                b, a,
                SpearmanCoefficient(columns[std::size_t(a - 1)], columns[std::size_t(b - 1)])
                    .text(regional));
    return matrix;
}
