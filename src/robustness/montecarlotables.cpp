#include "robustness/montecarlotables.h"

#include "robustness/rankstatistics.h"

#include <QCoreApplication>

#include <algorithm>

TextTable monteCarloTable(const MonteCarloResult& result, const QString& corner,
                          const QStringList& labels, const Regional& regional) {
    const int n = int(result.units.size());
    // The count of rankings without the unit, only when some unit lacks one.
    const bool lacking = std::any_of(result.units.begin(), result.units.end(),
                                     [](const MonteCarloUnit& unit) { return unit.lacking > 0; });
    TextTable table(n + 1, lacking ? 9 : 8);
    QStringList headers{corner,
                        QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Nominale")),
                        QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Mediana")),
                        QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Media")),
                        QStringLiteral("P5"),
                        QStringLiteral("P95"),
                        QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Migliore")),
                        QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Peggiore"))};
    if (lacking)
        headers.append(QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Senza indice")));
    for (int c = 0; c < headers.size(); ++c)
        table.setCell(0, c, headers[c]);
    for (int i = 0; i < n; ++i) {
        const MonteCarloUnit& unit = result.units[std::size_t(i)];
        table.setCell(i + 1, 0, labels.value(i));
        if (unit.nominal > 0)
            table.setCell(i + 1, 1, rankText(unit.nominal, regional));
        if (lacking)
            table.setCell(i + 1, 8, QString::number(unit.lacking));
        if (unit.lacking >= result.rankings)
            continue;
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

QString lackingUnitsNote(const MonteCarloResult& result) {
    const auto lacking = std::count_if(result.units.begin(), result.units.end(),
                                       [](const MonteCarloUnit& unit) { return unit.lacking > 0; });
    if (lacking == 0)
        return {};
    QString note =
        QCoreApplication::translate(
            "Robustness", "%1 unità senza indice complessivo in alcune estrazioni: i loro ranghi "
                          "sono presi sulle altre (colonna Senza indice).")
            .arg(lacking);
    if (!result.unitTotals.empty())
        note += QLatin1Char(' ') +
                QCoreApplication::translate("Robustness", "I loro indici di Sobol restano vuoti.");
    return note;
}
