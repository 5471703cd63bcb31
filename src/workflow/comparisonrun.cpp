#include "workflow/comparisonrun.h"

#include "comparison/comparisonfiles.h"

#include <QCoreApplication>
#include <QFileInfo>

Expected<ComparisonRun> compareAndSave(const QString& workbook, const QStringList& entries,
                                       const Regional& regional, WorkProgress* progress) {
    Expected<ComparisonResult> comparison =
        compareMethods(QFileInfo(workbook).absolutePath(), entries, regional, progress);
    if (!comparison)
        return std::move(comparison).error();
    // Stopped while reading: nothing is written, the earlier files stay.
    if (progress && progress->cancelled())
        return failure(FailureKind::Cancelled,
                       QCoreApplication::translate("Workflow", "Confronto annullato."));
    if (progress)
        progress->report(
            QCoreApplication::translate("Workflow", "Scrittura dei file di confronto"));
    ComparisonRun run{std::move(*comparison), {}};
    run.saved = writeComparisonFiles(workbook, run.comparison);
    return run;
}
