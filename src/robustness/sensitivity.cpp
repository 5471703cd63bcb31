#include "robustness/sensitivity.h"

#include "framework/frameworkcomputation.h"
#include "methods/metodi.h"
#include "robustness/indicatorsets.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

const QString& IndicatorSensitivity::leftOut(int j) const {
    return j < indicators.size() ? indicators[j] : groups[j - indicators.size()];
}

int IndicatorSensitivity::largestShift(int unit) const {
    const int j = largestIndicator(unit);
    return j < 0 ? -1 : std::abs(shifts[std::size_t(j)][std::size_t(unit)]);
}

int IndicatorSensitivity::largestIndicator(int unit) const {
    int best = -1;
    for (std::size_t j = 0; j < shifts.size(); ++j) {
        if (shifts[j].empty() || shifts[j][std::size_t(unit)] == kNoShift)
            continue;
        if (best < 0 || std::abs(shifts[j][std::size_t(unit)]) >
                            std::abs(shifts[std::size_t(best)][std::size_t(unit)]))
            best = int(j);
    }
    return best;
}

bool IndicatorSensitivity::someRefused() const {
    for (const QString& refusal : refusals)
        if (!refusal.isEmpty())
            return true;
    return false;
}

namespace {

// The ranking of the overall index over the structure, refused when
// leaving out an element left nothing.
MethodRanking rankOverStructure(const std::optional<Structure>& structure,
                                const StructureRanker& rank, const QString& name) {
    if (!structure) {
        MethodRanking ranking;
        ranking.refused = true;
        ranking.message =
            QCoreApplication::translate("Robustness", "senza %1 non resta alcun indicatore.")
                .arg(name);
        return ranking;
    }
    return rank(*structure);
}

// The runs of the sensitivity over a structure: every element, then each
// indicator left out, then each group. Empty when progress is cancelled.
std::vector<MethodRanking> rankOverStructure(const Matrix& matrix, const Structure& structure,
                                             const StructureRanker& rank, WorkProgress* progress) {
    std::vector<int> leftOut;
    for (int j = 0; j < matrix.indicatorCount(); ++j)
        for (std::size_t e = 0; e < structure.elements.size(); ++e)
            if (structure.elements[e].indicator == j)
                leftOut.push_back(int(e));
    leftOut.insert(leftOut.end(), structure.groups.begin(), structure.groups.end());
    std::vector<MethodRanking> runs{rank(structure)};
    for (std::size_t k = 0; k < leftOut.size(); ++k) {
        if (progress) {
            if (progress->cancelled())
                return {};
            progress->setPercent(percentOf(qint64(k + 1), qint64(leftOut.size() + 1)));
        }
        const int element = leftOut[k];
        runs.push_back(rankOverStructure(withoutElement(structure, element), rank,
                                         structure.elements[std::size_t(element)].name));
    }
    return runs;
}

// What the matrix allows: a failure when it has no unit or fewer than two
// indicators.
Status sensitivityApplies(const Matrix& matrix) {
    if (matrix.unitCount() < 1 || matrix.indicatorCount() < 1)
        return failure(FailureKind::MethodRefused,
                       QCoreApplication::translate(
                           "Robustness", "Nessuna matrice caricata o metodo sconosciuto."));
    if (matrix.indicatorCount() < 2)
        return failure(FailureKind::MethodRefused,
                       QCoreApplication::translate("Robustness",
                                                   "La matrice ha un solo indicatore: l'analisi di "
                                                   "sensibilita' richiede almeno due indicatori."));
    return {};
}

void reportStart(WorkProgress* progress, const QString& code) {
    if (progress)
        progress->report(
            QCoreApplication::translate("Robustness", "Sensibilità agli indicatori: %1").arg(code),
            0);
}

// The sensitivity of the runs: the first with every indicator, then one
// per indicator (and group of the structure) left out.
Expected<IndicatorSensitivity> sensitivityOfRuns(const QString& code, const Matrix& matrix,
                                                 const Regional& regional,
                                                 const Structure* structure,
                                                 std::vector<MethodRanking> runs) {
    if (runs.empty())
        return failure(FailureKind::Cancelled,
                       QCoreApplication::translate("Robustness", "Analisi annullata."));
    if (runs.front().refused)
        return failure(FailureKind::MethodRefused, runs.front().message);
    IndicatorSensitivity result;
    result.code = code;
    result.corner = regional.generalText(matrix.corner);
    for (const CellValue& label : matrix.units)
        result.labels.append(regional.generalText(label));
    for (const CellValue& name : matrix.indicators)
        result.indicators.append(regional.generalText(name));
    if (structure)
        for (const int group : structure->groups)
            result.groups.append(structure->elements[std::size_t(group)].name);
    result.ranks = std::move(runs.front().ranks);
    const std::size_t n = result.ranks.size();
    for (std::size_t j = 1; j < runs.size(); ++j) {
        std::vector<int> shift;
        if (runs[j].refused) {
            result.refusals.append(runs[j].message);
        } else {
            result.refusals.append(QString());
            shift.resize(n);
            for (std::size_t i = 0; i < n; ++i)
                shift[i] = runs[j].ranks[i] == IndicatorSensitivity::kNoShift ||
                                   result.ranks[i] == IndicatorSensitivity::kNoShift
                               ? IndicatorSensitivity::kNoShift
                               : runs[j].ranks[i] - result.ranks[i];
        }
        result.shifts.push_back(std::move(shift));
    }
    return result;
}

} // namespace

Expected<IndicatorSensitivity> structureSensitivity(const Matrix& matrix, const QString& code,
                                                    const Structure& structure,
                                                    const StructureRanker& rank,
                                                    const Regional& regional,
                                                    WorkProgress* progress) {
    if (Status applies = sensitivityApplies(matrix); !applies)
        return std::move(applies).error();
    reportStart(progress, code);
    return sensitivityOfRuns(code, matrix, regional, &structure,
                             rankOverStructure(matrix, structure, rank, progress));
}

Expected<IndicatorSensitivity> indicatorSensitivity(const Matrix& matrix, MethodPosition position,
                                                    const Regional& regional,
                                                    WorkProgress* progress,
                                                    const Structure* structure) {
    if (structure)
        return structureSensitivity(
            matrix, methodAt(position).code, *structure,
            [&matrix, position](const Structure& shown) {
                MethodRanking ranking;
                Expected<FrameworkRun> run = computeFramework(position, matrix, shown);
                if (!run) {
                    ranking.refused = true;
                    ranking.message = run.error().message;
                    return ranking;
                }
                ranking.ranks = std::move(run->groups[std::size_t(run->root)].ranks);
                // A unit without an overall index has no rank.
                const std::vector<double>& index = run->groups[std::size_t(run->root)].index;
                for (std::size_t i = 0; i < index.size(); ++i)
                    if (std::isnan(index[i]))
                        ranking.ranks[i] = IndicatorSensitivity::kNoShift;
                return ranking;
            },
            regional, progress);
    if (Status applies = sensitivityApplies(matrix); !applies)
        return std::move(applies).error();
    reportStart(progress, methodAt(position).code);
    return sensitivityOfRuns(methodAt(position).code, matrix, regional, nullptr,
                             rankOverIndicatorSets(matrix, {position}, progress));
}

TextTable sensitivityTable(const IndicatorSensitivity& sensitivity) {
    const int n = int(sensitivity.labels.size());
    const int m = int(sensitivity.shifts.size());
    TextTable table(n + 1, m + 4);
    table.setCell(0, 0, sensitivity.corner);
    table.setCell(0, 1, QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Rango")));
    for (int j = 0; j < m; ++j)
        table.setCell(0, j + 2, sensitivity.leftOut(j));
    table.setCell(0, m + 2,
                  QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Spostamento massimo")));
    table.setCell(0, m + 3, QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Indicatore")));
    for (int i = 0; i < n; ++i) {
        table.setCell(i + 1, 0, sensitivity.labels[i]);
        table.setCell(i + 1, 1, QString::number(sensitivity.ranks[std::size_t(i)]));
        for (int j = 0; j < m; ++j) {
            const std::vector<int>& shift = sensitivity.shifts[std::size_t(j)];
            if (!shift.empty() && shift[std::size_t(i)] != IndicatorSensitivity::kNoShift)
                table.setCell(i + 1, j + 2, QString::number(shift[std::size_t(i)]));
        }
        const int largest = sensitivity.largestIndicator(i);
        if (largest >= 0) {
            table.setCell(i + 1, m + 2, QString::number(sensitivity.largestShift(i)));
            table.setCell(i + 1, m + 3, sensitivity.leftOut(largest));
        }
    }
    return table;
}
