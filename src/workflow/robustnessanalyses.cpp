#include "workflow/robustnessanalyses.h"
#include "shared/expected.h"

#include "comparison/comparisonfiles.h"
#include "record/record.h"
#include "robustness/analysisorigins.h"
#include "robustness/kendall.h"
#include "robustness/robustnessfiles.h"
#include "treatment/outliers.h"
#include "workflow/compositerun.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <functional>

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

QStringList codesOf(const std::vector<MethodPosition>& positions) {
    QStringList codes;
    for (const MethodPosition position : positions)
        codes.append(methodAt(position).code);
    return codes;
}

} // namespace

namespace {

// The codes of the methods of the ranks comparison file, as its entry in
// the record names them when it names as many as ranks has; else the
// codes of the nine's headers (a composite's header is its name).
QStringList comparedCodes(const QString& workbook, const RankMatrix& ranks) {
    const QString file = ranksComparisonFile(workbook);
    if (const Expected<Record> record = readRecord(workbook))
        if (const RecordEntry* entry = record->find(file)) {
            QStringList codes;
            for (const QJsonValue& code :
                 entry->settings.value(QLatin1StringView("methods")).toArray())
                codes.append(code.toString());
            if (codes.size() == ranks.methods.size())
                return codes;
        }
    return methodCodesOfHeaders(ranks.methods);
}

} // namespace

RankSummaryRun analyseRanks(const QString& workbook, const RankMatrix& ranks,
                            const Regional& regional, const QStringList& sources,
                            const QStringList& codes) {
    RankSummaryRun run;
    run.ranks = ranks;
    run.summary = summarizeRanks(run.ranks);
    run.kendall = kendallMatrix(run.ranks);
    run.file = rankSummaryFile(workbook);
    AnalysisOrigin origin;
    origin.methods = codes.isEmpty() ? comparedCodes(workbook, run.ranks) : codes;
    RecordScope scope(workbook, regional);
    for (const QString& source :
         sources.isEmpty() ? QStringList{ranksComparisonFile(workbook)} : sources)
        scope.recorder().addInput(source, InputRole::File);
    run.saved = save(scope.recorder(), run.file, rankSummaryTable(run.ranks, run.summary, regional),
                     origin, nullptr);
    return run;
}

namespace {

// The sensitivity's table and file, written with the settings given.
SensitivityRun writtenSensitivity(const MatrixBasis& basis, IndicatorSensitivity sensitivity,
                                  const Regional& regional, WorkProgress* progress,
                                  const std::function<void(OutputRecorder&)>& describe) {
    SensitivityRun run;
    run.sensitivity = std::move(sensitivity);
    for (int i = 0; i < int(run.sensitivity.labels.size()); ++i)
        run.largestShift = std::max(run.largestShift, run.sensitivity.largestShift(i));
    run.file = sensitivityFile(basis.workbook, run.sensitivity.code);
    AnalysisOrigin origin;
    origin.methods = QStringList{run.sensitivity.code};
    origin.indicators = QStringLiteral("uno escluso alla volta");
    BasisScope scope(basis, regional);
    if (describe)
        describe(scope.recorder());
    run.saved =
        save(scope.recorder(), run.file, sensitivityTable(run.sensitivity), origin, progress);
    return run;
}

} // namespace

Expected<SensitivityRun> analyseSensitivity(const MatrixBasis& basis, const Matrix& matrix,
                                            MethodPosition position, const Regional& regional,
                                            WorkProgress* progress, const Structure* structure) {
    if (Status readable = recordReadable(basis.workbook); !readable)
        return std::move(readable).error();
    Expected<IndicatorSensitivity> sensitivity =
        indicatorSensitivity(matrix, position, regional, progress, structure);
    if (!sensitivity)
        return std::move(sensitivity).error();
    return writtenSensitivity(basis, std::move(*sensitivity), regional, progress, {});
}

Expected<SensitivityRun> analyseSensitivity(const MatrixBasis& basis, const Matrix& matrix,
                                            const Composite& composite, const Regional& regional,
                                            WorkProgress* progress, const Structure* structure) {
    if (Status readable = recordReadable(basis.workbook); !readable)
        return std::move(readable).error();
    const Structure flat = structure ? Structure() : flatStructure(matrix, regional);
    const auto rank = [&](const Structure& shown) {
        MethodRanking ranking;
        Expected<CompositeOutput> output = computeComposite(composite, matrix, &shown, regional);
        if (!output) {
            ranking.refused = true;
            ranking.message = output.error().message;
            return ranking;
        }
        ranking.ranks = std::move(output->ranks);
        // A unit without an overall index has no rank.
        for (std::size_t i = 0; i < output->index.size(); ++i)
            if (std::isnan(output->index[i]))
                ranking.ranks[i] = IndicatorSensitivity::kNoShift;
        return ranking;
    };
    Expected<IndicatorSensitivity> sensitivity = structureSensitivity(
        matrix, composite.code, structure ? *structure : flat, rank, regional, progress);
    if (!sensitivity)
        return std::move(sensitivity).error();
    return writtenSensitivity(
        basis, std::move(*sensitivity), regional, progress,
        [&](OutputRecorder& recorder) { describeComposite(recorder, basis.workbook, composite); });
}

namespace {

// The origin's methods: the codes of the nine and of the composites, in
// the order the analysis takes them.
QStringList uncertaintyCodes(const std::vector<MethodPosition>& positions,
                             const UncertaintyComposites& composites) {
    QStringList others;
    for (const CompositeVariant& variant : composites.variants)
        if (!others.contains(variant.composite.code))
            others.append(variant.composite.code);
    return composites.first ? others + codesOf(positions) : codesOf(positions) + others;
}

// What the record keeps of the composites: each variant's definition, so
// that a changed definition leaves the file stale; nothing without them.
QJsonObject compositeSettings(const UncertaintyComposites& composites) {
    QJsonObject settings{{QStringLiteral("structureUnused"), true}};
    QStringList definitions;
    for (const CompositeVariant& variant : composites.variants)
        definitions.append(variant.composite.code + QStringLiteral("=") +
                           variant.composite.definition());
    if (!definitions.isEmpty())
        settings.insert(QStringLiteral("composites"), definitions.join(u' '));
    return settings;
}

Expected<UncertaintyRun> writtenUncertainty(const MatrixBasis& basis,
                                            Expected<RankUncertainty> uncertainty,
                                            const Regional& regional, WorkProgress* progress,
                                            AnalysisOrigin origin,
                                            const UncertaintyComposites& composites) {
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
                     progress, compositeSettings(composites));
    return run;
}

} // namespace

Expected<UncertaintyRun> analyseUncertainty(const MatrixBasis& basis, const Matrix& matrix,
                                            const std::vector<MethodPosition>& positions,
                                            const Regional& regional, WorkProgress* progress,
                                            const Matrix* treated,
                                            const UncertaintyComposites& composites) {
    if (Status readable = recordReadable(basis.workbook); !readable)
        return std::move(readable).error();
    AnalysisOrigin origin;
    origin.methods = uncertaintyCodes(positions, composites);
    if (treated)
        origin.outliers = QStringLiteral("fattore");
    std::vector<UncertaintyVariant> variants{{&matrix, QString()}};
    if (treated)
        variants.push_back({treated, QCoreApplication::translate("Robustness", "trattata")});
    return writtenUncertainty(basis,
                              rankUncertainty(variants, positions, regional, progress, composites),
                              regional, progress, std::move(origin), composites);
}

Expected<UncertaintyRun> analyseUncertainty(const MatrixBasis& basis, const Matrix& matrix,
                                            const std::vector<MissingTreatment>& treatments,
                                            const std::vector<MethodPosition>& positions,
                                            const Regional& regional, bool outlierFactor,
                                            WorkProgress* progress,
                                            const UncertaintyComposites& composites) {
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
    origin.methods = uncertaintyCodes(positions, composites);
    QStringList names;
    for (const MissingTreatment treatment : treatments)
        names.append(missingTreatmentName(treatment));
    origin.missing = names.join(QStringLiteral(", "));
    if (outlierFactor)
        origin.outliers = QStringLiteral("fattore");
    return writtenUncertainty(basis,
                              rankUncertainty(variants, positions, regional, progress, composites),
                              regional, progress, std::move(origin), composites);
}
