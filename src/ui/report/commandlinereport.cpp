#include "ui/report/commandlinereport.h"
#include "shared/expected.h"

#include "export/resultscollection.h"
#include "record/outputrecorder.h"
#include "ui/report/pdfreport.h"
#include "workflow/processing.h"

#include <QFileInfo>

Status reportFromCommandLine(const QString& pdfPath, const QString& workbook,
                             const Regional& regional, QStringList* warnings) {
    Processing source(regional);
    if (Status loaded = source.load(workbook); !loaded)
        return loaded;
    const ResultsCollection results =
        collectResults(source.workbook(), source.matrix(), regional, std::nullopt, nullptr,
                       source.structure().get(), basisSettings(source.basis()));
    if (warnings)
        *warnings = results.warnings + results.notices;
    // The report beside the workbook is recorded with what it was made from.
    RecordScope scope(source.workbook(), regional);
    scope.recorder().addInput(source.basis().matrix);
    for (const QString& read : results.files)
        scope.recorder().addInput(read, InputRole::File);
    return writePdfReport(QFileInfo(pdfPath).absoluteFilePath(), results);
}
