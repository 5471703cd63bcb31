#include "robustness/uncertainty.h"

#include "methods/metodi.h"
#include "robustness/indicatorsets.h"
#include "robustness/rankstatistics.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

// "CODE senza INDICATORE: message", "CODE trattata senza INDICATORE: message"
// or "CODE trattata: message": the run that was refused.
QString refusedRun(const QString& code, const Matrix& matrix, int set, bool treated,
                   const QString& message, const Regional& regional) {
    if (set == 0)
        return QCoreApplication::translate("Robustness", "%1 trattata: %2").arg(code, message);
    const QString indicator = regional.generalText(matrix.indicators[std::size_t(set - 1)]);
    return treated ? QCoreApplication::translate("Robustness", "%1 trattata senza %2: %3")
                         .arg(code, indicator, message)
                   : QCoreApplication::translate("Robustness", "%1 senza %2: %3")
                         .arg(code, indicator, message);
}

} // namespace

Expected<RankUncertainty> rankUncertainty(const Matrix& matrix,
                                          const std::vector<MethodPosition>& positions,
                                          const Regional& regional, WorkProgress* progress,
                                          const Matrix* treated) {
    if (positions.empty() || matrix.unitCount() < 1 || matrix.indicatorCount() < 1)
        return failure(FailureKind::Usage,
                       QCoreApplication::translate(
                           "Robustness", "Nessuna matrice caricata o nessun metodo indicato."));
    if (matrix.indicatorCount() < 2)
        return failure(FailureKind::Usage,
                       QCoreApplication::translate("Robustness",
                                                   "La matrice ha un solo indicatore: l'analisi "
                                                   "d'incertezza richiede almeno due indicatori."));
    if (progress)
        progress->report(QCoreApplication::translate("Robustness", "Analisi d'incertezza"), 0);
    const std::vector<MethodRanking> runs = rankOverIndicatorSets(matrix, positions, progress);
    std::vector<MethodRanking> treatedRuns;
    if (treated && !runs.empty())
        treatedRuns = rankOverIndicatorSets(*treated, positions, progress);
    if (runs.empty() || (treated && treatedRuns.empty()))
        return failure(FailureKind::Cancelled,
                       QCoreApplication::translate("Robustness", "Analisi annullata."));

    RankUncertainty result;
    const std::size_t k = positions.size();
    const int sets = matrix.indicatorCount() + 1;
    std::vector<const std::vector<int>*> taken; // the rankings that enter the figures
    std::vector<int> reference;
    for (std::size_t i = 0; i < k; ++i) {
        const QString code = methodCode(methodAt(positions[i]).entryText);
        if (runs[i].refused) {
            result.leftOut.append(code + QStringLiteral(": ") + runs[i].message);
            continue;
        }
        result.codes.append(code);
        const std::vector<MethodRanking>* variants[] = {&runs, &treatedRuns};
        for (const std::vector<MethodRanking>* variant : variants) {
            const bool onTreated = variant == &treatedRuns;
            for (int set = 0; set < sets && !variant->empty(); ++set) {
                const MethodRanking& run = (*variant)[std::size_t(set) * k + i];
                if (run.refused) {
                    result.refusedRuns.append(
                        refusedRun(code, matrix, set, onTreated, run.message, regional));
                    continue;
                }
                if (reference.empty())
                    reference = run.ranks;
                taken.push_back(&run.ranks);
            }
        }
    }
    if (taken.empty())
        return failure(
            FailureKind::MethodRefused,
            (result.leftOut + QStringList(QCoreApplication::translate(
                                  "Robustness", "Nessuno dei metodi indicati accetta la matrice.")))
                .join(u'\n'));

    result.rankings = int(taken.size());
    result.corner = regional.generalText(matrix.corner);
    const int n = matrix.unitCount();
    result.units.resize(std::size_t(n));
    std::vector<int> ranks(taken.size());
    for (int u = 0; u < n; ++u) {
        result.labels.append(regional.generalText(matrix.units[std::size_t(u)]));
        for (std::size_t t = 0; t < taken.size(); ++t)
            ranks[t] = (*taken[t])[std::size_t(u)];
        std::sort(ranks.begin(), ranks.end());
        UnitUncertainty& unit = result.units[std::size_t(u)];
        unit.reference = reference[std::size_t(u)];
        unit.median = sortedMedian(ranks);
        unit.p5 = nearestRankPercentile(ranks, 5);
        unit.p95 = nearestRankPercentile(ranks, 95);
        unit.best = ranks.front();
        unit.worst = ranks.back();
    }
    return result;
}

TextTable uncertaintyTable(const RankUncertainty& uncertainty, const Regional& regional) {
    const int n = int(uncertainty.units.size());
    TextTable table(n + 1, 7);
    const QStringList headers{
        uncertainty.corner,
        QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Rango di riferimento")),
        QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Mediana")),
        QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "5° percentile")),
        QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "95° percentile")),
        QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Migliore")),
        QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Peggiore"))};
    for (int c = 0; c < 7; ++c)
        table.setCell(0, c, headers[c]);
    for (int i = 0; i < n; ++i) {
        const UnitUncertainty& unit = uncertainty.units[std::size_t(i)];
        table.setCell(i + 1, 0, uncertainty.labels[i]);
        table.setCell(i + 1, 1, QString::number(unit.reference));
        table.setCell(i + 1, 2, rankFigureText(unit.median, regional));
        table.setCell(i + 1, 3, QString::number(unit.p5));
        table.setCell(i + 1, 4, QString::number(unit.p95));
        table.setCell(i + 1, 5, QString::number(unit.best));
        table.setCell(i + 1, 6, QString::number(unit.worst));
    }
    return table;
}
