#include "workflow/montecarlorun.h"

#include "record/record.h"
#include "robustness/analysisorigins.h"
#include "robustness/montecarlotables.h"
#include "shared/resultnames.h"
#include "shared/textfile.h"
#include "treatment/outliers.h"

#include <QCoreApplication>
#include <QJsonObject>

namespace {

// The matrices the draws work on (MonteCarloSetup's variants) and the
// treated copies they point into.
struct Variants {
    std::vector<Matrix> filled;  // one for each treatment of missing cells
    std::vector<Matrix> treated; // with the outliers treated, one for each base
    std::vector<const Matrix*> matrices;
    int missingLevels = 1;
    int outlierLevels = 1;
};

// Makes the variants of matrix the choices draw from.
Status makeVariants(const Matrix& matrix, const MonteCarloChoices& choices,
                    const Regional& regional, WorkProgress* progress, Variants& variants) {
    // The matrix under each treatment of missing cells, the nominal first;
    // the coverage rule has already left out what it leaves out.
    variants.filled.reserve(choices.missing.size());
    for (const MissingTreatment treatment : choices.missing) {
        Expected<TreatedMatrix> one = treatMissing(matrix, treatment, 0.0, regional, progress);
        if (!one)
            return std::move(one).error();
        variants.filled.push_back(std::move(one->matrix));
    }
    std::vector<const Matrix*> bases;
    for (const Matrix& one : variants.filled)
        bases.push_back(&one);
    if (bases.empty())
        bases.push_back(&matrix);
    // For each of those, the nominal outlier choice first, then the other
    // one.
    const bool outliers = choices.outliersFactor || choices.outliersNominal;
    variants.treated.reserve(outliers ? bases.size() : 0);
    for (const Matrix* base : bases) {
        if (!outliers) {
            variants.matrices.push_back(base);
            continue;
        }
        variants.treated.push_back(treatOutliers(*base).matrix);
        const Matrix* treated = &variants.treated.back();
        variants.matrices.push_back(choices.outliersNominal ? treated : base);
        if (choices.outliersFactor)
            variants.matrices.push_back(choices.outliersNominal ? base : treated);
    }
    variants.missingLevels = int(bases.size());
    variants.outlierLevels = int(variants.matrices.size() / bases.size());
    return {};
}

// The result files of a run (named in run.files) with their lines, read
// from tables, which must outlive them.
std::vector<std::pair<QString, TextLines>> resultFiles(MonteCarloRun& run, const QString& workbook,
                                                       bool sobol, const Matrix& matrix,
                                                       const Regional& regional,
                                                       std::vector<TextTable>& tables) {
    const QString corner = regional.generalText(matrix.corner);
    QStringList labels;
    for (const CellValue& unit : matrix.units)
        labels.append(regional.generalText(unit));
    tables.push_back(monteCarloTable(run.result, corner, labels, regional));
    run.files.append(resultFileName(workbook, ResultFileKind::MonteCarlo));
    if (sobol) {
        // The figures are borrowed for the while the tables are formatted.
        const std::shared_ptr<const MonteCarloResult> figures(
            std::shared_ptr<const MonteCarloResult>(), &run.result);
        tables.push_back(sobolCells(figures, regional)->texts());
        run.files.append(resultFileName(workbook, ResultFileKind::Sobol));
        tables.push_back(sobolUnitsCells(figures, corner, labels, regional)->texts());
        run.files.append(resultFileName(workbook, ResultFileKind::SobolUnits));
    }
    std::vector<std::pair<QString, TextLines>> files;
    for (std::size_t i = 0; i < tables.size(); ++i)
        files.emplace_back(run.files[qsizetype(i)], tables[i].joinedLines());
    return files;
}

// What the record keeps of the run: its origin, and the draws (whatever
// else chose the numbers).
QJsonObject runSettings(const MonteCarloChoices& choices, const MonteCarloSetup& setup,
                        const MonteCarloResult& result, const Regional& regional) {
    AnalysisOrigin origin;
    for (const MethodPosition position : setup.methods)
        origin.methods.append(methodAt(position).code);
    QStringList definitions;
    for (const Composite& composite : setup.composites) {
        origin.methods.append(composite.code);
        definitions.append(composite.code + QStringLiteral("=") + composite.definition());
    }
    origin.reference = setup.methods.empty() || setup.compositeNominal
                           ? setup.composites.front().code
                           : origin.methods.value(0);
    if (setup.leaveOut)
        origin.indicators = QStringLiteral("tutti e uno escluso alla volta");
    QStringList missing;
    for (const MissingTreatment treatment : choices.missing)
        missing.append(missingTreatmentName(treatment));
    origin.missing = missing.join(QStringLiteral(", "));
    if (choices.outliersFactor)
        origin.outliers = QStringLiteral("fattore");
    else if (choices.outliersNominal)
        origin.outliers = QStringLiteral("trattati");
    QStringList sampling{QStringLiteral("%1 estrazioni").arg(setup.runs),
                         QStringLiteral("seme %1").arg(setup.seed)};
    if (setup.weightSpread > 0)
        sampling.append(QStringLiteral("pesi variati entro il ±%1%")
                            .arg(regional.locale().toString(setup.weightSpread * 100, 'g', 4)));
    QStringList normalisations;
    for (const Normalisation& normalisation : setup.normalisations)
        normalisations.append(normalisation.code());
    if (!normalisations.isEmpty())
        sampling.append(QStringLiteral("normalizzazioni %1").arg(normalisations.join(u' ')));
    QStringList aggregations;
    for (const Aggregation& aggregation : setup.aggregations)
        aggregations.append(aggregation.code());
    if (!aggregations.isEmpty())
        sampling.append(QStringLiteral("aggregazioni %1").arg(aggregations.join(u' ')));
    if (setup.sobol)
        sampling.append(QStringLiteral("disegno di Saltelli"));
    if (result.skipped > 0)
        sampling.append(QStringLiteral("%1 estrazioni scartate").arg(result.skipped));
    origin.settings = sampling.join(QStringLiteral(", "));
    QJsonObject settings = originSettings(origin);
    settings.insert(QStringLiteral("runs"), setup.runs);
    settings.insert(QStringLiteral("seed"), QString::number(setup.seed));
    settings.insert(QStringLiteral("weightSpread"), setup.weightSpread);
    settings.insert(QStringLiteral("sobol"), setup.sobol);
    if (setup.sobol)
        settings.insert(QStringLiteral("bootstrap"), setup.bootstrap);
    if (!definitions.isEmpty())
        settings.insert(QStringLiteral("composites"), definitions.join(u' '));
    return settings;
}

} // namespace

Expected<MonteCarloRun> analyseMonteCarlo(const MatrixBasis& basis, const Matrix& matrix,
                                          const MonteCarloChoices& choices,
                                          const Regional& regional, WorkProgress* progress,
                                          const Structure* structure) {
    const QString& workbook = basis.workbook;
    // The record is rewritten at the end: refused before the work.
    if (Status readable = recordReadable(workbook); !readable)
        return std::move(readable).error();
    Variants variants;
    if (Status made = makeVariants(matrix, choices, regional, progress, variants); !made)
        return std::move(made).error();
    MonteCarloSetup setup = choices.setup;
    setup.missingLevels = variants.missingLevels;
    setup.outlierLevels = variants.outlierLevels;

    Expected<MonteCarloResult> result = monteCarlo(variants.matrices, setup, progress, structure);
    if (!result)
        return std::move(result).error();
    MonteCarloRun run;
    run.result = std::move(*result);
    std::vector<TextTable> tables;
    const std::vector<std::pair<QString, TextLines>> files =
        resultFiles(run, workbook, setup.sobol, matrix, regional, tables);
    if (progress && progress->cancelled())
        return failure(FailureKind::Cancelled,
                       QCoreApplication::translate("Robustness", "Analisi annullata."));
    if (progress)
        progress->report(QCoreApplication::translate("Workflow", "Scrittura dei file"));
    // The files are written together, so a later run without Sobol indices
    // leaves these behind.
    const QJsonObject settings = runSettings(choices, setup, run.result, regional);
    BasisScope scope(basis, regional);
    if (!structure)
        scope.recorder().settings().insert(QStringLiteral("structure"), QString());
    for (auto it = settings.begin(); it != settings.end(); ++it)
        scope.recorder().settings().insert(it.key(), it.value());
    if (Status saved = writeTextFiles(files); !saved)
        return std::move(saved).error();
    return run;
}
