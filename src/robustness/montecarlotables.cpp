#include "robustness/montecarlotables.h"

#include "robustness/rankstatistics.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

class MonteCarloCells : public AnalysisTable {
public:
    MonteCarloCells(std::shared_ptr<const MonteCarloResult> result, QString corner,
                    QStringList labels, const Regional& regional)
        : m_result(std::move(result)), m_corner(std::move(corner)), m_labels(std::move(labels)),
          m_regional(regional),
          // The count of rankings without the unit, only when some unit lacks one.
          m_lacking(std::any_of(m_result->units.begin(), m_result->units.end(),
                                [](const MonteCarloUnit& unit) { return unit.lacking > 0; })) {}
    int rowCount() const override { return int(m_result->units.size()) + 1; }
    int columnCount() const override { return m_lacking ? 9 : 8; }
    QString cell(int row, int col) const override {
        if (row == 0) {
            static const char* const headers[] = {
                nullptr,
                QT_TRANSLATE_NOOP("TableHeaders", "Nominale"),
                QT_TRANSLATE_NOOP("TableHeaders", "Mediana"),
                QT_TRANSLATE_NOOP("TableHeaders", "Media"),
                "P5",
                "P95",
                QT_TRANSLATE_NOOP("TableHeaders", "Migliore"),
                QT_TRANSLATE_NOOP("TableHeaders", "Peggiore"),
                QT_TRANSLATE_NOOP("TableHeaders", "Senza indice")};
            return col == 0 ? m_corner : QString::fromUtf8(headers[col]);
        }
        if (col == 0)
            return m_labels.value(row - 1);
        const std::optional<double> value = number(row, col);
        if (!value)
            return QString();
        switch (col) {
        case 2:
            return medianRankText(*value, m_regional);
        case 3:
            return m_regional.indexText(m_result->units[std::size_t(row - 1)].mean);
        case 8:
            return QString::number(int(*value));
        default:
            return rankText(*value, m_regional);
        }
    }
    std::optional<double> number(int row, int col) const override {
        if (row < 1 || col < 1)
            return std::nullopt;
        const MonteCarloUnit& unit = m_result->units[std::size_t(row - 1)];
        if (col == 1)
            return unit.nominal > 0 ? std::optional<double>(unit.nominal) : std::nullopt;
        if (col == 8)
            return unit.lacking;
        if (unit.lacking >= m_result->rankings)
            return std::nullopt;
        switch (col) {
        case 2:
            return unit.median;
        case 3:
            // The mean as its text reads: equal texts sort as equals.
            return m_regional.indexTextValue(unit.mean).value_or(
                m_regional.parseNumber(m_regional.indexText(unit.mean)).value_or(unit.mean));
        case 4:
            return unit.p5;
        case 5:
            return unit.p95;
        case 6:
            return unit.best;
        default:
            return unit.worst;
        }
    }

private:
    std::shared_ptr<const MonteCarloResult> m_result;
    QString m_corner;
    QStringList m_labels;
    Regional m_regional;
    bool m_lacking;
};

} // namespace

std::shared_ptr<const AnalysisTable> monteCarloCells(std::shared_ptr<const MonteCarloResult> result,
                                                     const QString& corner,
                                                     const QStringList& labels,
                                                     const Regional& regional) {
    return std::make_shared<const MonteCarloCells>(std::move(result), corner, labels, regional);
}

TextTable monteCarloTable(const MonteCarloResult& result, const QString& corner,
                          const QStringList& labels, const Regional& regional) {
    // The numbers are borrowed for the while the table is written.
    return MonteCarloCells(std::shared_ptr<const MonteCarloResult>(
                               std::shared_ptr<const MonteCarloResult>(), &result),
                           corner, labels, regional)
        .texts();
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
