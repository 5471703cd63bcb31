#include "ui/report/commandlinereport.h"
#include "shared/expected.h"

#include "export/resultscollection.h"
#include "record/outputrecorder.h"
#include "ui/report/pdfreport.h"
#include "workflow/gapsfiles.h"
#include "workflow/processing.h"

#include <QCoreApplication>

#include <QFileInfo>

Status reportFromCommandLine(const QString& pdfPath, const QString& workbook,
                             const Regional& regional, const MatrixChoices& choices,
                             QStringList* warnings) {
    Processing source(regional);
    source.setStructureChoice(choices.structure);
    source.setMissingChoice(choices.missing);
    if (Status loaded = source.load(QFileInfo(workbook).absoluteFilePath()); !loaded)
        return loaded;
    QStringList told;
    if (const std::shared_ptr<const GapsRecord>& gaps = source.gaps();
        gaps && gaps->coverage.missingCells() > 0)
        told += gapsSummary(*gaps, regional);
    if (choices.outliers) {
        const Expected<QStringList> written = source.treatOutliers();
        if (!written)
            return written.error();
        told.append(QCoreApplication::translate("Report", "Trattamento dei valori anomali: %1")
                        .arg(written->join(QStringLiteral(", "))));
    }
    const ResultsCollection results =
        collectResults(source.workbook(), source.matrix(), regional, std::nullopt, nullptr,
                       source.structure().get(), basisSettings(source.basis()));
    if (warnings)
        *warnings = told + results.warnings + results.notices;
    // The report beside the workbook is recorded with what it was made from.
    RecordScope scope(source.workbook(), regional);
    scope.recorder().addInput(source.basis().matrix);
    for (const TakenFile& read : results.files)
        scope.recorder().addInput(read.path, InputRole::File, read.sha256);
    return writePdfReport(QFileInfo(pdfPath).absoluteFilePath(), results);
}
