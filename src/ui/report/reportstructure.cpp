#include "ui/report/reportstructure.h"

#include "methods/metodi.h"
#include "methods/ranking.h"

#include <span>

ReportTable structureTable(const Structure& structure, const Regional& regional) {
    const std::vector<std::pair<int, int>> rows = structure.depthFirst();
    ReportTable table;
    table.headers = {QStringLiteral("Elemento"), QStringLiteral("Peso"),
                     QStringLiteral("Peso effettivo")};
    table.widths = {4, 1.4, 1.6};
    table.rows = int(rows.size());
    const std::vector<double> effective = structure.effectiveWeights();
    table.cell = [&structure, &regional, rows, effective](int row, int column) -> QString {
        const auto [element, depth] = rows[std::size_t(row)];
        const StructureElement& e = structure.elements[std::size_t(element)];
        switch (column) {
        case 0:
            return QString(2 * depth, u' ') + e.name;
        case 1:
            return e.weight == 0.0 ? QStringLiteral("0 (escluso)")
                                   : regional.generalText(CellValue(e.writtenWeight));
        default:
            return regional.locale().toString(effective[std::size_t(element)], 'f', 6);
        }
    };
    return table;
}

namespace {

bool rankedAscending(const QString& code) {
    for (const MethodInfo& info : methodTable())
        if (info.code == code)
            return info.ascending;
    return false;
}

} // namespace

QStringList groupEnds(const MethodResults& method, int ends, const Regional& regional) {
    QStringList lines;
    if (!method.groups)
        return lines;
    const DelimitedTable& groups = *method.groups;
    const int n = groups.rowCount();
    const int shown = std::min(ends, n / 2);
    if (shown <= 0)
        return lines;
    const bool ascending = rankedAscending(method.code);
    for (int k = 0; k < groups.columnCount(); ++k) {
        std::vector<double> values(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            values[std::size_t(i)] = groups.number(i, k);
        const std::vector<int> ranks = rankIndex(std::span<const double>(values), ascending);
        std::vector<int> order(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            order[std::size_t(ranks[std::size_t(i)] - 1)] = i;
        const auto list = [&](int from, int to) {
            QStringList names;
            for (int r = from; r < to; ++r) {
                const int unit = order[std::size_t(r)];
                names.append(QStringLiteral("%1 (%2)").arg(
                    groups.labels[unit], regional.indexText(values[std::size_t(unit)])));
            }
            return names.join(QStringLiteral(", "));
        };
        lines.append(QStringLiteral("%1 – prime unità: %2; ultime unità: %3.")
                         .arg(groups.headers[k + 1], list(0, shown), list(n - shown, n)));
    }
    return lines;
}
