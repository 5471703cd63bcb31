#include "workflow/robustnessanalyses.h"
#include "shared/expected.h"

#include "robustness/kendall.h"
#include "robustness/robustnessfiles.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace {

Status save(const QString& path, const TextTable& table, WorkProgress* progress) {
    if (progress)
        progress->report(QCoreApplication::translate("Workflow", "Scrittura di %1")
                             .arg(QFileInfo(path).fileName()));
    return writeTableFile(path, table);
}

} // namespace

RankSummaryRun analyseRanks(const QString& workbook, const TextTable& comparedRanks,
                            const Regional& regional) {
    RankSummaryRun run;
    run.ranks = rankMatrixOf(comparedRanks);
    run.summary = summarizeRanks(run.ranks);
    run.table = rankSummaryTable(run.ranks, run.summary, regional);
    run.kendall = kendallMatrix(run.ranks, regional);
    run.file = rankSummaryFile(workbook);
    run.saved = save(run.file, run.table, nullptr);
    return run;
}

Expected<SensitivityRun> analyseSensitivity(const QString& workbook, const Matrix& matrix,
                                            MethodPosition position, const Regional& regional,
                                            WorkProgress* progress, const Structure* structure) {
    Expected<IndicatorSensitivity> sensitivity =
        indicatorSensitivity(matrix, position, regional, progress, structure);
    if (!sensitivity)
        return std::move(sensitivity).error();
    SensitivityRun run;
    run.sensitivity = std::move(*sensitivity);
    // Millions of cells for a large matrix: made here, off the window's thread.
    run.table = sensitivityTable(run.sensitivity);
    for (int i = 0; i < int(run.sensitivity.labels.size()); ++i)
        run.largestShift = std::max(run.largestShift, run.sensitivity.largestShift(i));
    run.file = sensitivityFile(workbook, run.sensitivity.code);
    run.saved = save(run.file, run.table, progress);
    return run;
}

Expected<UncertaintyRun> analyseUncertainty(const QString& workbook, const Matrix& matrix,
                                            const std::vector<MethodPosition>& positions,
                                            const Regional& regional, WorkProgress* progress,
                                            const Matrix* treated) {
    Expected<RankUncertainty> uncertainty =
        rankUncertainty(matrix, positions, regional, progress, treated);
    if (!uncertainty)
        return std::move(uncertainty).error();
    UncertaintyRun run;
    run.uncertainty = std::move(*uncertainty);
    run.table = uncertaintyTable(run.uncertainty, regional);
    run.file = uncertaintyFile(workbook);
    run.saved = save(run.file, run.table, progress);
    return run;
}
