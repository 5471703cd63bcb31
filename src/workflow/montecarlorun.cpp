#include "workflow/montecarlorun.h"

#include "record/record.h"
#include "robustness/analysisorigins.h"
#include "robustness/montecarlotables.h"
#include "shared/resultnames.h"
#include "shared/textfile.h"
#include "treatment/outliers.h"

#include <QCoreApplication>
#include <QJsonObject>

Expected<MonteCarloRun> analyseMonteCarlo(const MatrixBasis& basis, const Matrix& matrix,
                                          const MonteCarloChoices& choices,
                                          const Regional& regional, WorkProgress* progress,
                                          const Structure* structure) {
    const QString& workbook = basis.workbook;
    // The record is rewritten at the end: refused before the work.
    if (const Expected<Record> record = readRecord(workbook); !record)
        return record.error();
    MonteCarloSetup setup = choices.setup;
    // The matrix under each treatment of missing cells, the nominal first;
    // the coverage rule has already left out what it leaves out.
    std::vector<Matrix> filled;
    filled.reserve(choices.missing.size());
    for (const MissingTreatment treatment : choices.missing) {
        Expected<TreatedMatrix> one = treatMissing(matrix, treatment, 0.0, regional, progress);
        if (!one)
            return std::move(one).error();
        filled.push_back(std::move(one->matrix));
    }
    std::vector<const Matrix*> bases;
    for (const Matrix& one : filled)
        bases.push_back(&one);
    if (bases.empty())
        bases.push_back(&matrix);
    // The variants: for each of those, the nominal outlier choice first,
    // then the other one.
    const bool outliers = choices.outliersFactor || choices.outliersNominal;
    std::vector<Matrix> treated;
    treated.reserve(outliers ? bases.size() : 0);
    std::vector<const Matrix*> variants;
    for (const Matrix* base : bases) {
        if (!outliers) {
            variants.push_back(base);
            continue;
        }
        treated.push_back(treatOutliers(*base).matrix);
        variants.push_back(choices.outliersNominal ? &treated.back() : base);
        if (choices.outliersFactor)
            variants.push_back(choices.outliersNominal ? base : &treated.back());
    }
    setup.missingLevels = int(bases.size());
    setup.outlierLevels = int(variants.size() / bases.size());

    Expected<MonteCarloResult> result = monteCarlo(variants, setup, progress, structure);
    if (!result)
        return std::move(result).error();
    MonteCarloRun run;
    run.result = std::move(*result);

    const QString corner = regional.generalText(matrix.corner);
    QStringList labels;
    for (const CellValue& unit : matrix.units)
        labels.append(regional.generalText(unit));
    // The tables outlive the lines that read them.
    std::vector<TextTable> tables;
    tables.push_back(monteCarloTable(run.result, corner, labels, regional));
    run.files.append(resultFileName(workbook, ResultFileKind::MonteCarlo));
    if (setup.sobol) {
        tables.push_back(sobolTable(run.result, regional));
        run.files.append(resultFileName(workbook, ResultFileKind::Sobol));
        tables.push_back(sobolUnitsTable(run.result, corner, labels, regional));
        run.files.append(resultFileName(workbook, ResultFileKind::SobolUnits));
    }
    std::vector<std::pair<QString, TextLines>> files;
    for (std::size_t i = 0; i < tables.size(); ++i)
        files.emplace_back(run.files[qsizetype(i)], tables[i].joinedLines());
    if (progress && progress->cancelled())
        return failure(FailureKind::Cancelled,
                       QCoreApplication::translate("Robustness", "Analisi annullata."));
    if (progress)
        progress->report(QCoreApplication::translate("Workflow", "Scrittura dei file"));
    AnalysisOrigin origin;
    for (const MethodPosition position : setup.methods)
        origin.methods.append(methodAt(position).code);
    origin.reference = origin.methods.value(0);
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
    if (setup.sobol)
        sampling.append(QStringLiteral("disegno di Saltelli"));
    if (run.result.skipped > 0)
        sampling.append(QStringLiteral("%1 estrazioni scartate").arg(run.result.skipped));
    origin.settings = sampling.join(QStringLiteral(", "));
    // The draws: whatever else chose the numbers. The files are written
    // together, so a later run without Sobol indices leaves these behind.
    QJsonObject settings = originSettings(origin);
    settings.insert(QStringLiteral("runs"), setup.runs);
    settings.insert(QStringLiteral("seed"), QString::number(setup.seed));
    settings.insert(QStringLiteral("weightSpread"), setup.weightSpread);
    settings.insert(QStringLiteral("sobol"), setup.sobol);
    if (setup.sobol)
        settings.insert(QStringLiteral("bootstrap"), setup.bootstrap);
    BasisScope scope(basis, regional);
    if (!structure)
        scope.recorder().settings().insert(QStringLiteral("structure"), QString());
    for (auto it = settings.begin(); it != settings.end(); ++it)
        scope.recorder().settings().insert(it.key(), it.value());
    if (Status saved = writeTextFiles(files); !saved)
        return std::move(saved).error();
    return run;
}
