#include "comparison/cograduation.h"

#include "comparison/spearman.h"

#include <cmath>
#include <limits>

CoefficientMatrix cograduationMatrix(const QStringList& headers,
                                     const std::vector<std::span<const int>>& ranks) {
    CoefficientMatrix matrix;
    matrix.headers = headers;
    const auto n = std::size_t(headers.size());
    matrix.cells.assign(n * n, std::numeric_limits<double>::quiet_NaN());
    for (std::size_t a = 0; a < n; ++a) {
        matrix.cells[a * n + a] = 1.0;
        for (std::size_t b = a + 1; b < n; ++b)
            matrix.cells[b * n + a] = SpearmanCoefficient(ranks[a], ranks[b]).rounded();
    }
    return matrix;
}

TextTable coefficientTable(const CoefficientMatrix& matrix, const Regional& regional) {
    const int methods = matrix.size();
    if (methods < 1)
        return TextTable();
    TextTable table(methods + 1, methods + 1);
    // Column by column, each from its top.
    for (int k = 1; k <= methods; ++k)
        table.setCell(k, 0, matrix.headers[k - 1]);
    for (int a = 1; a <= methods; ++a) {
        table.setCell(0, a, matrix.headers[a - 1]);
        for (int b = 1; b <= methods; ++b) {
            const double value = matrix.at(b - 1, a - 1);
            table.setCell(b, a, std::isnan(value) ? QString() : regional.fixed4(value));
        }
    }
    return table;
}
