#include "robustness/uncertainty.h"

#include "methods/metodi.h"
#include "robustness/indicatorsets.h"
#include "robustness/rankstatistics.h"

#include <QCoreApplication>

#include <algorithm>
#include <optional>

Expected<RankUncertainty> rankUncertainty(const Matrix& matrix,
                                          const std::vector<MethodPosition>& positions,
                                          const Regional& regional, WorkProgress* progress,
                                          const Matrix* treated) {
    std::vector<UncertaintyVariant> variants{{&matrix, QString()}};
    if (treated)
        variants.push_back({treated, QCoreApplication::translate("Robustness", "trattata")});
    return rankUncertainty(variants, positions, regional, progress);
}

namespace {

// Why the analysis cannot run over matrix (the first variant's), if it
// cannot.
std::optional<Failure> refusalOf(const Matrix* matrix, std::size_t methods) {
    if (methods == 0 || !matrix || matrix->unitCount() < 1 || matrix->indicatorCount() < 1)
        return failure(FailureKind::Usage,
                       QCoreApplication::translate(
                           "Robustness", "Nessuna matrice caricata o nessun metodo indicato."));
    if (matrix->indicatorCount() < 2)
        return failure(FailureKind::Usage,
                       QCoreApplication::translate("Robustness",
                                                   "La matrice ha un solo indicatore: l'analisi "
                                                   "d'incertezza richiede almeno due indicatori."));
    return std::nullopt;
}

// The rankings that enter the figures, in order, and the reference: the
// first of them.
struct TakenRankings {
    std::vector<const std::vector<int>*> taken;
    std::vector<int> reference;
};

// The runs of one variant: the methods' and the composites' over every
// indicator set (method i over set s at s * k + i), the composites first
// when so chosen; empty when cancelled.
std::vector<MethodRanking> variantRuns(const Matrix& matrix,
                                       const std::vector<MethodPosition>& positions,
                                       const UncertaintyComposites& composites,
                                       const Regional& regional, WorkProgress* progress) {
    std::vector<MethodRanking> nine = rankOverIndicatorSets(matrix, positions, progress);
    std::vector<MethodRanking> others =
        composites.variants.empty()
            ? std::vector<MethodRanking>()
            : rankCompositesOverIndicatorSets(matrix, composites.variants, regional,
                                              composites.bounds, progress);
    const std::size_t sets = std::size_t(matrix.indicatorCount()) + 1;
    const std::size_t k1 = positions.size();
    const std::size_t k2 = composites.variants.size();
    if (nine.size() != sets * k1 || others.size() != sets * k2)
        return {};
    if (k2 == 0)
        return nine;
    std::vector<MethodRanking> runs;
    runs.reserve(sets * (k1 + k2));
    for (std::size_t set = 0; set < sets; ++set) {
        const auto take = [&runs, set](std::vector<MethodRanking>& from, std::size_t k) {
            for (std::size_t i = 0; i < k; ++i)
                runs.push_back(std::move(from[set * k + i]));
        };
        if (composites.first)
            take(others, k2);
        take(nine, k1);
        if (!composites.first)
            take(others, k2);
    }
    return runs;
}

// The codes of the runs as variantRuns lays them out.
QStringList runCodes(const std::vector<MethodPosition>& positions,
                     const UncertaintyComposites& composites) {
    QStringList nine;
    for (const MethodPosition position : positions)
        nine.append(methodAt(position).code);
    QStringList others;
    for (const CompositeVariant& variant : composites.variants)
        others.append(variant.code);
    return composites.first ? others + nine : nine + others;
}

// Takes the rankings of one variant's runs (method i over set s at
// s * k + i) that were not refused, naming in result the methods that took
// part and the refusals.
void takeRankings(const std::vector<MethodRanking>& runs, const QString& variantName,
                  const QStringList& codes, const Matrix& matrix, const Regional& regional,
                  RankUncertainty& result, TakenRankings& rankings) {
    const auto k = std::size_t(codes.size());
    const int sets = matrix.indicatorCount() + 1;
    for (std::size_t i = 0; i < k; ++i) {
        QString code = codes[qsizetype(i)];
        if (!result.codes.contains(code) && !runs[i].refused)
            result.codes.append(code);
        if (!variantName.isEmpty())
            code += QStringLiteral(" (%1)").arg(variantName);
        if (runs[i].refused) {
            result.leftOut.append(code + QStringLiteral(": ") + runs[i].message);
            continue;
        }
        for (int set = 0; set < sets; ++set) {
            const MethodRanking& run = runs[std::size_t(set) * k + i];
            if (run.refused) {
                result.refusedRuns.append(
                    QCoreApplication::translate("Robustness", "%1 senza %2: %3")
                        .arg(code, regional.generalText(matrix.indicators[std::size_t(set - 1)]),
                             run.message));
                continue;
            }
            if (rankings.reference.empty())
                rankings.reference = run.ranks;
            rankings.taken.push_back(&run.ranks);
        }
    }
}

// Where each unit's rank lies over the rankings taken.
std::vector<UnitUncertainty> unitFigures(const TakenRankings& rankings, int units) {
    std::vector<UnitUncertainty> figures(static_cast<std::size_t>(units));
    std::vector<int> ranks(rankings.taken.size());
    for (std::size_t u = 0; u < figures.size(); ++u) {
        for (std::size_t t = 0; t < rankings.taken.size(); ++t)
            ranks[t] = (*rankings.taken[t])[u];
        std::sort(ranks.begin(), ranks.end());
        UnitUncertainty& unit = figures[u];
        unit.reference = rankings.reference[u];
        unit.median = sortedMedian(ranks);
        unit.p5 = nearestRankPercentile(ranks, 5);
        unit.p95 = nearestRankPercentile(ranks, 95);
        unit.best = ranks.front();
        unit.worst = ranks.back();
    }
    return figures;
}

} // namespace

Expected<RankUncertainty> rankUncertainty(const std::vector<UncertaintyVariant>& variants,
                                          const std::vector<MethodPosition>& positions,
                                          const Regional& regional, WorkProgress* progress,
                                          const UncertaintyComposites& composites) {
    const Matrix* first = variants.empty() ? nullptr : variants.front().matrix;
    if (std::optional<Failure> refused =
            refusalOf(first, positions.size() + composites.variants.size()))
        return std::move(*refused);
    const Matrix& matrix = *first;
    if (progress)
        progress->report(QCoreApplication::translate("Robustness", "Analisi d'incertezza"), 0);
    // Each variant's runs in turn: only one variant's rankings are held
    // beside those taken so far.
    std::vector<std::vector<MethodRanking>> runsOf;
    for (const UncertaintyVariant& variant : variants) {
        runsOf.push_back(variantRuns(*variant.matrix, positions, composites, regional, progress));
        if (runsOf.back().empty())
            return failure(FailureKind::Cancelled,
                           QCoreApplication::translate("Robustness", "Analisi annullata."));
    }

    RankUncertainty result;
    TakenRankings rankings;
    const QStringList codes = runCodes(positions, composites);
    for (std::size_t v = 0; v < variants.size(); ++v)
        takeRankings(runsOf[v], variants[v].name, codes, matrix, regional, result, rankings);
    if (rankings.taken.empty())
        return failure(
            FailureKind::MethodRefused,
            (result.leftOut + QStringList(QCoreApplication::translate(
                                  "Robustness", "Nessuno dei metodi indicati accetta la matrice.")))
                .join(u'\n'));

    result.rankings = int(rankings.taken.size());
    result.corner = regional.generalText(matrix.corner);
    for (const CellValue& label : matrix.units)
        result.labels.append(regional.generalText(label));
    result.units = unitFigures(rankings, matrix.unitCount());
    return result;
}

namespace {

class UncertaintyCells : public AnalysisTable {
public:
    UncertaintyCells(std::shared_ptr<const RankUncertainty> uncertainty, const Regional& regional)
        : m_u(std::move(uncertainty)), m_regional(regional) {}
    int rowCount() const override { return int(m_u->units.size()) + 1; }
    int columnCount() const override { return 7; }
    QString cell(int row, int col) const override {
        if (row == 0) {
            static const char* const headers[] = {
                nullptr,
                QT_TRANSLATE_NOOP("TableHeaders", "Rango di riferimento"),
                QT_TRANSLATE_NOOP("TableHeaders", "Mediana"),
                QT_TRANSLATE_NOOP("TableHeaders", "5° percentile"),
                QT_TRANSLATE_NOOP("TableHeaders", "95° percentile"),
                QT_TRANSLATE_NOOP("TableHeaders", "Migliore"),
                QT_TRANSLATE_NOOP("TableHeaders", "Peggiore")};
            return col == 0 ? m_u->corner : QString::fromUtf8(headers[col]);
        }
        if (col == 0)
            return m_u->labels[row - 1];
        const double value = *number(row, col);
        return col == 2 ? medianRankText(value, m_regional) : rankText(value, m_regional);
    }
    std::optional<double> number(int row, int col) const override {
        if (row < 1 || col < 1)
            return std::nullopt;
        const UnitUncertainty& unit = m_u->units[std::size_t(row - 1)];
        const double values[] = {0,
                                 double(unit.reference),
                                 unit.median,
                                 double(unit.p5),
                                 double(unit.p95),
                                 double(unit.best),
                                 double(unit.worst)};
        return values[col];
    }

private:
    std::shared_ptr<const RankUncertainty> m_u;
    Regional m_regional;
};

} // namespace

std::shared_ptr<const AnalysisTable>
uncertaintyCells(std::shared_ptr<const RankUncertainty> uncertainty, const Regional& regional) {
    return std::make_shared<const UncertaintyCells>(std::move(uncertainty), regional);
}

TextTable uncertaintyTable(const RankUncertainty& uncertainty, const Regional& regional) {
    // The numbers are borrowed for the while the table is written.
    return UncertaintyCells(std::shared_ptr<const RankUncertainty>(
                                std::shared_ptr<const RankUncertainty>(), &uncertainty),
                            regional)
        .texts();
}
