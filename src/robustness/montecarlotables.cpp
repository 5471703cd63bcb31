#include "robustness/montecarlotables.h"

#include "robustness/rankstatistics.h"

TextTable monteCarloTable(const MonteCarloResult& result, const QString& corner,
                          const QStringList& labels, const Regional& regional) {
    const int n = int(result.units.size());
    TextTable table(n + 1, 8);
    const QStringList headers{corner,
                              QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Nominale")),
                              QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Mediana")),
                              QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Media")),
                              QStringLiteral("P5"),
                              QStringLiteral("P95"),
                              QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Migliore")),
                              QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Peggiore"))};
    for (int c = 0; c < headers.size(); ++c)
        table.setCell(0, c, headers[c]);
    for (int i = 0; i < n; ++i) {
        const MonteCarloUnit& unit = result.units[std::size_t(i)];
        table.setCell(i + 1, 0, labels.value(i));
        table.setCell(i + 1, 1, rankText(unit.nominal, regional));
        table.setCell(i + 1, 2, medianRankText(unit.median, regional));
        table.setCell(i + 1, 3, regional.indexText(unit.mean));
        table.setCell(i + 1, 4, rankText(unit.p5, regional));
        table.setCell(i + 1, 5, rankText(unit.p95, regional));
        table.setCell(i + 1, 6, rankText(unit.best, regional));
        table.setCell(i + 1, 7, rankText(unit.worst, regional));
    }
    return table;
}

TextTable sobolTable(const MonteCarloResult& result, const Regional& regional) {
    const int k = int(result.factors.size());
    TextTable table(k + 1, 7);
    const QStringList headers{QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Fattore")),
                              QStringLiteral("Si"),
                              QStringLiteral("Si P5"),
                              QStringLiteral("Si P95"),
                              QStringLiteral("STi"),
                              QStringLiteral("STi P5"),
                              QStringLiteral("STi P95")};
    for (int c = 0; c < headers.size(); ++c)
        table.setCell(0, c, headers[c]);
    for (int i = 0; i < k; ++i) {
        table.setCell(i + 1, 0, monteCarloFactorName(result.factors[std::size_t(i)]));
        if (!result.indices)
            continue;
        const FactorIndices& f = (*result.indices)[std::size_t(i)];
        const double figures[] = {f.first.value, f.first.p5, f.first.p95,
                                  f.total.value, f.total.p5, f.total.p95};
        for (int c = 0; c < 6; ++c)
            table.setCell(i + 1, c + 1, regional.fixed4(figures[c]));
    }
    return table;
}

TextTable sobolUnitsTable(const MonteCarloResult& result, const QString& corner,
                          const QStringList& labels, const Regional& regional) {
    const int n = int(result.unitTotals.size());
    const int k = int(result.factors.size());
    TextTable table(n + 1, k + 1);
    table.setCell(0, 0, corner);
    for (int i = 0; i < k; ++i)
        table.setCell(0, i + 1, monteCarloFactorName(result.factors[std::size_t(i)]));
    for (int u = 0; u < n; ++u) {
        table.setCell(u + 1, 0, labels.value(u));
        const std::optional<std::vector<double>>& totals = result.unitTotals[std::size_t(u)];
        if (!totals)
            continue;
        for (int i = 0; i < k; ++i)
            table.setCell(u + 1, i + 1, regional.fixed4((*totals)[std::size_t(i)]));
    }
    return table;
}
