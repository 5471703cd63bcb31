#include "comparison/cograduation.h"

#include "comparison/spearman.h"

#include <algorithm>

std::vector<double> rankColumn(const TextTable& ranks, int column) {
    std::vector<double> values;
    values.reserve(std::size_t(std::max(0, ranks.rowCount() - 1)));
    const std::span<const int> whole = ranks.wholeNumbers(column);
    for (int r = 1; r < ranks.rowCount(); ++r)
        values.push_back(whole.empty() ? rankNumber(ranks.cell(r, column))
                                       : double(whole[std::size_t(r - 1)]));
    return values;
}

namespace {

// Spearman's coefficient of two rank columns: straight from their whole
// numbers when both hold them, otherwise from the numbers their texts read as.
QString coefficientText(const TextTable& ranks, int a, int b, const Regional& regional) {
    const std::span<const int> wholeA = ranks.wholeNumbers(a);
    const std::span<const int> wholeB = ranks.wholeNumbers(b);
    if (!wholeA.empty() && !wholeB.empty())
        return SpearmanCoefficient(wholeA, wholeB).text(regional);
    const std::vector<double> columnA = rankColumn(ranks, a);
    const std::vector<double> columnB = rankColumn(ranks, b);
    return SpearmanCoefficient(std::span<const double>(columnA), std::span<const double>(columnB))
        .text(regional);
}

} // namespace

TextTable cograduationMatrix(const TextTable& ranks, const Regional& regional) {
    const int methods = ranks.columnCount() - 1;
    if (methods < 1)
        return TextTable();
    TextTable matrix(methods + 1, methods + 1);
    const QString one = regional.fixed4(1.0);
    // Column by column, each from its top.
    for (int k = 1; k <= methods; ++k)
        matrix.setCell(k, 0, ranks.cell(0, k));
    for (int a = 1; a <= methods; ++a) {
        matrix.setCell(0, a, ranks.cell(0, a));
        for (int b = 1; b < a; ++b)
            matrix.setCell(b, a, QString());
        matrix.setCell(a, a, one);
        for (int b = a + 1; b <= methods; ++b)
            matrix.setCell(b, a, coefficientText(ranks, a, b, regional));
    }
    return matrix;
}
