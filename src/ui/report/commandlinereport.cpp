#include "ui/report/commandlinereport.h"

#include "export/resultscollection.h"
#include "ui/report/pdfreport.h"
#include "workbook/caricamatrice.h"

#include <QFileInfo>

QString reportFromCommandLine(const QString& pdfPath, const QString& workbook,
                              const Regional& regional, QStringList* warnings) {
    SharedState s;
    const QFileInfo info(workbook);
    s.strMatrice = info.absoluteFilePath();
    s.strCartella = info.absolutePath();
    const LoadResult load = carica_matrice(s, regional);
    if (!load.loaded())
        return load.message;
    const ResultsCollection results = collectResults(s, regional);
    if (warnings)
        *warnings = results.warnings;
    return writePdfReport(QFileInfo(pdfPath).absoluteFilePath(), results);
}
