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

// The Sobol indices of each factor with their bootstrap intervals.
class SobolCells : public AnalysisTable {
public:
    SobolCells(std::shared_ptr<const MonteCarloResult> result, const Regional& regional)
        : m_result(std::move(result)), m_regional(regional) {}
    int rowCount() const override { return int(m_result->factors.size()) + 1; }
    int columnCount() const override { return 7; }
    QString cell(int row, int col) const override {
        if (row == 0) {
            static const char* const headers[] = {QT_TRANSLATE_NOOP("TableHeaders", "Fattore"),
                                                  "Si",
                                                  "Si P5",
                                                  "Si P95",
                                                  "STi",
                                                  "STi P5",
                                                  "STi P95"};
            return QString::fromUtf8(headers[col]);
        }
        if (col == 0)
            return monteCarloFactorName(m_result->factors[std::size_t(row - 1)]);
        const std::optional<double> value = number(row, col);
        return value ? m_regional.fixed4(*value) : QString();
    }
    std::optional<double> number(int row, int col) const override {
        if (row < 1 || col < 1 || !m_result->indices)
            return std::nullopt;
        const FactorIndices& f = (*m_result->indices)[std::size_t(row - 1)];
        const double figures[] = {f.first.value, f.first.p5, f.first.p95,
                                  f.total.value, f.total.p5, f.total.p95};
        return figures[col - 1];
    }

private:
    std::shared_ptr<const MonteCarloResult> m_result;
    Regional m_regional;
};

// The total index of each factor on each unit's rank.
class SobolUnitsCells : public AnalysisTable {
public:
    SobolUnitsCells(std::shared_ptr<const MonteCarloResult> result, QString corner,
                    QStringList labels, const Regional& regional)
        : m_result(std::move(result)), m_corner(std::move(corner)), m_labels(std::move(labels)),
          m_regional(regional) {}
    int rowCount() const override { return int(m_result->unitTotals.size()) + 1; }
    int columnCount() const override { return int(m_result->factors.size()) + 1; }
    QString cell(int row, int col) const override {
        if (row == 0)
            return col == 0 ? m_corner
                            : monteCarloFactorName(m_result->factors[std::size_t(col - 1)]);
        if (col == 0)
            return m_labels.value(row - 1);
        const std::optional<double> value = number(row, col);
        return value ? m_regional.fixed4(*value) : QString();
    }
    std::optional<double> number(int row, int col) const override {
        if (row < 1 || col < 1)
            return std::nullopt;
        const std::optional<std::vector<double>>& totals =
            m_result->unitTotals[std::size_t(row - 1)];
        return totals ? std::optional<double>((*totals)[std::size_t(col - 1)]) : std::nullopt;
    }

private:
    std::shared_ptr<const MonteCarloResult> m_result;
    QString m_corner;
    QStringList m_labels;
    Regional m_regional;
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

std::shared_ptr<const AnalysisTable> sobolCells(std::shared_ptr<const MonteCarloResult> result,
                                                const Regional& regional) {
    return std::make_shared<const SobolCells>(std::move(result), regional);
}

std::shared_ptr<const AnalysisTable> sobolUnitsCells(std::shared_ptr<const MonteCarloResult> result,
                                                     const QString& corner,
                                                     const QStringList& labels,
                                                     const Regional& regional) {
    return std::make_shared<const SobolUnitsCells>(std::move(result), corner, labels, regional);
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
