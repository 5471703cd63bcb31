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
    if (progress)
        progress->report(
            QCoreApplication::translate("Workflow", "Scrittura dei file di confronto"));
    ComparisonRun run{std::move(*comparison), {}};
    run.saved = writeComparisonFiles(workbook, run.comparison);
    return run;
}
