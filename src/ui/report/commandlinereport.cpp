#include "ui/report/commandlinereport.h"
#include "shared/expected.h"

#include "export/resultscollection.h"
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
                       source.structure().get());
    if (warnings)
        *warnings = results.warnings;
    return writePdfReport(QFileInfo(pdfPath).absoluteFilePath(), results);
}
