#include "workflow/robustnessanalyses.h"
#include "shared/expected.h"

#include "comparison/comparisonfiles.h"
#include "record/record.h"
#include "robustness/analysisorigins.h"
#include "robustness/kendall.h"
#include "robustness/robustnessfiles.h"
#include "treatment/outliers.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace {

// Writes the analysis file and its entry in the record, as one change.
Status save(OutputRecorder& recorder, const QString& path, const TextTable& table,
            const AnalysisOrigin& origin, WorkProgress* progress) {
    if (progress)
        progress->report(QCoreApplication::translate("Workflow", "Scrittura di %1")
                             .arg(QFileInfo(path).fileName()));
    const QJsonObject settings = originSettings(origin);
    for (auto it = settings.begin(); it != settings.end(); ++it)
        recorder.settings().insert(it.key(), it.value());
    return writeTableFile(path, table);
}

Status save(const MatrixBasis& basis, const Regional& regional, const QString& path,
            const TextTable& table, const AnalysisOrigin& origin, WorkProgress* progress,
            const QJsonObject& settings = {}) {
    BasisScope scope(basis, regional);
    for (auto it = settings.begin(); it != settings.end(); ++it)
        scope.recorder().settings().insert(it.key(), it.value());
    if (settings.contains(QLatin1StringView("structureUnused")))
        scope.recorder().settings().remove(QStringLiteral("structure"));
    return save(scope.recorder(), path, table, origin, progress);
}

// Whether the record beside the workbook, rewritten with the analysis
// file, can be read: checked before the work, so that it is refused at once.
Status recordReadable(const QString& workbook) {
    if (const Expected<Record> record = readRecord(workbook); !record)
        return record.error();
    return {};
}

QStringList codesOf(const std::vector<MethodPosition>& positions) {
    QStringList codes;
    for (const MethodPosition position : positions)
        codes.append(methodAt(position).code);
    return codes;
}

} // namespace

RankSummaryRun analyseRanks(const QString& workbook, const RankMatrix& ranks,
                            const Regional& regional, const QStringList& sources) {
    RankSummaryRun run;
    run.ranks = ranks;
    run.summary = summarizeRanks(run.ranks);
    run.kendall = kendallMatrix(run.ranks);
    run.file = rankSummaryFile(workbook);
    AnalysisOrigin origin;
    origin.methods = methodCodesOfHeaders(run.ranks.methods);
    RecordScope scope(workbook, regional);
    for (const QString& source :
         sources.isEmpty() ? QStringList{ranksComparisonFile(workbook)} : sources)
        scope.recorder().addInput(source, InputRole::File);
    run.saved = save(scope.recorder(), run.file, rankSummaryTable(run.ranks, run.summary, regional),
                     origin, nullptr);
    return run;
}

Expected<SensitivityRun> analyseSensitivity(const MatrixBasis& basis, const Matrix& matrix,
                                            MethodPosition position, const Regional& regional,
                                            WorkProgress* progress, const Structure* structure) {
    if (Status readable = recordReadable(basis.workbook); !readable)
        return std::move(readable).error();
    Expected<IndicatorSensitivity> sensitivity =
        indicatorSensitivity(matrix, position, regional, progress, structure);
    if (!sensitivity)
        return std::move(sensitivity).error();
    SensitivityRun run;
    run.sensitivity = std::move(*sensitivity);
    for (int i = 0; i < int(run.sensitivity.labels.size()); ++i)
        run.largestShift = std::max(run.largestShift, run.sensitivity.largestShift(i));
    run.file = sensitivityFile(basis.workbook, run.sensitivity.code);
    AnalysisOrigin origin;
    origin.methods = QStringList{run.sensitivity.code};
    origin.indicators = QStringLiteral("uno escluso alla volta");
    run.saved =
        save(basis, regional, run.file, sensitivityTable(run.sensitivity), origin, progress);
    return run;
}

namespace {

Expected<UncertaintyRun> writtenUncertainty(const MatrixBasis& basis,
                                            Expected<RankUncertainty> uncertainty,
                                            const Regional& regional, WorkProgress* progress,
                                            AnalysisOrigin origin) {
    if (!uncertainty)
        return std::move(uncertainty).error();
    UncertaintyRun run;
    run.uncertainty = std::move(*uncertainty);
    run.file = uncertaintyFile(basis.workbook);
    // The methods asked for, a method that refused the matrix included.
    origin.reference = origin.methods.value(0);
    origin.indicators = QStringLiteral("tutti e uno escluso alla volta");
    // The analysis leaves the structure aside.
    run.saved = save(basis, regional, run.file, uncertaintyTable(run.uncertainty, regional), origin,
                     progress, {{QStringLiteral("structureUnused"), true}});
    return run;
}

} // namespace

Expected<UncertaintyRun> analyseUncertainty(const MatrixBasis& basis, const Matrix& matrix,
                                            const std::vector<MethodPosition>& positions,
                                            const Regional& regional, WorkProgress* progress,
                                            const Matrix* treated) {
    if (Status readable = recordReadable(basis.workbook); !readable)
        return std::move(readable).error();
    AnalysisOrigin origin;
    origin.methods = codesOf(positions);
    if (treated)
        origin.outliers = QStringLiteral("fattore");
    return writtenUncertainty(basis,
                              rankUncertainty(matrix, positions, regional, progress, treated),
                              regional, progress, std::move(origin));
}

Expected<UncertaintyRun> analyseUncertainty(const MatrixBasis& basis, const Matrix& matrix,
                                            const std::vector<MissingTreatment>& treatments,
                                            const std::vector<MethodPosition>& positions,
                                            const Regional& regional, bool outlierFactor,
                                            WorkProgress* progress) {
    if (Status readable = recordReadable(basis.workbook); !readable)
        return std::move(readable).error();
    // The coverage rule has already left out what it leaves out: nothing
    // more goes under any treatment.
    std::vector<Matrix> treated;
    treated.reserve(treatments.size() * (outlierFactor ? 2 : 1));
    for (const MissingTreatment treatment : treatments) {
        Expected<TreatedMatrix> one = treatMissing(matrix, treatment, 0.0, regional, progress);
        if (!one)
            return std::move(one).error();
        treated.push_back(std::move(one->matrix));
    }
    std::vector<UncertaintyVariant> variants;
    for (std::size_t t = 0; t < treatments.size(); ++t)
        variants.push_back({&treated[t], missingTreatmentName(treatments[t])});
    if (outlierFactor) {
        // Reserved above: the variants' pointers stay valid.
        for (std::size_t t = 0; t < treatments.size(); ++t) {
            treated.push_back(treatOutliers(treated[t]).matrix);
            variants.push_back(
                {&treated.back(), missingTreatmentName(treatments[t]) + QStringLiteral(", ") +
                                      QCoreApplication::translate("Robustness", "trattata")});
        }
    }
    AnalysisOrigin origin;
    origin.methods = codesOf(positions);
    QStringList names;
    for (const MissingTreatment treatment : treatments)
        names.append(missingTreatmentName(treatment));
    origin.missing = names.join(QStringLiteral(", "));
    if (outlierFactor)
        origin.outliers = QStringLiteral("fattore");
    return writtenUncertainty(basis, rankUncertainty(variants, positions, regional, progress),
                              regional, progress, std::move(origin));
}
