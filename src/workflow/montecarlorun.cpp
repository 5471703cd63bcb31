#include "workflow/montecarlorun.h"

#include "robustness/montecarlotables.h"
#include "shared/resultnames.h"
#include "shared/textfile.h"
#include "treatment/outliers.h"

#include <QCoreApplication>

Expected<MonteCarloRun> analyseMonteCarlo(const QString& workbook, const Matrix& matrix,
                                          const MonteCarloChoices& choices,
                                          const Regional& regional, WorkProgress* progress) {
    MonteCarloSetup setup = choices.setup;
    // The variants: the nominal matrix first, then the other outlier choice.
    std::vector<const Matrix*> variants{&matrix};
    Matrix treated;
    if (choices.outliersFactor || choices.outliersNominal) {
        treated = treatOutliers(matrix).matrix;
        variants.front() = choices.outliersNominal ? &treated : &matrix;
        if (choices.outliersFactor)
            variants.push_back(choices.outliersNominal ? &matrix : &treated);
    }
    setup.missingLevels = 1;
    setup.outlierLevels = int(variants.size());

    Expected<MonteCarloResult> result = monteCarlo(variants, setup, progress);
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
    if (Status saved = writeTextFiles(files); !saved)
        return std::move(saved).error();
    return run;
}
