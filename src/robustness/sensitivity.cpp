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

namespace {

class SensitivityCells : public AnalysisTable {
public:
    explicit SensitivityCells(std::shared_ptr<const IndicatorSensitivity> sensitivity)
        : m_s(std::move(sensitivity)), m_indicators(int(m_s->shifts.size())) {}
    int rowCount() const override { return int(m_s->labels.size()) + 1; }
    int columnCount() const override { return m_indicators + 4; }
    QString cell(int row, int col) const override {
        const int m = m_indicators;
        if (row == 0) {
            if (col == 0)
                return m_s->corner;
            if (col == 1)
                return QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Rango"));
            if (col < m + 2)
                return m_s->leftOut(col - 2);
            return col == m + 2
                       ? QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Spostamento massimo"))
                       : QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Indicatore"));
        }
        if (col == 0)
            return m_s->labels[row - 1];
        if (col == m + 3) {
            const int largest = m_s->largestIndicator(row - 1);
            return largest >= 0 ? m_s->leftOut(largest) : QString();
        }
        const std::optional<double> value = number(row, col);
        return value ? QString::number(int(*value)) : QString();
    }
    std::optional<double> number(int row, int col) const override {
        const int m = m_indicators;
        const auto i = std::size_t(row - 1);
        if (row < 1 || col < 1 || col > m + 2)
            return std::nullopt;
        if (col == 1)
            return m_s->ranks[i];
        if (col == m + 2)
            return m_s->largestIndicator(row - 1) >= 0
                       ? std::optional<double>(m_s->largestShift(row - 1))
                       : std::nullopt;
        const std::vector<int>& shift = m_s->shifts[std::size_t(col - 2)];
        if (shift.empty() || shift[i] == IndicatorSensitivity::kNoShift)
            return std::nullopt;
        return shift[i];
    }
    bool holdsText(int row, int col) const override {
        return row == 0 || col == 0 || col == m_indicators + 3;
    }

private:
    std::shared_ptr<const IndicatorSensitivity> m_s;
    int m_indicators;
};

} // namespace

std::shared_ptr<const AnalysisTable>
sensitivityCells(std::shared_ptr<const IndicatorSensitivity> sensitivity) {
    return std::make_shared<const SensitivityCells>(std::move(sensitivity));
}

TextTable sensitivityTable(const IndicatorSensitivity& sensitivity) {
    // The numbers are borrowed for the while the table is written.
    return SensitivityCells(std::shared_ptr<const IndicatorSensitivity>(
                                std::shared_ptr<const IndicatorSensitivity>(), &sensitivity))
        .texts();
}
