#include "commands.h"

#include "batchload.h"
#include "exitstatus.h"
#include "workflow/resultsexport.h"

#include <QFileInfo>

// export WORKBOOK OUT.xlsx: one workbook with the source matrix and every
// result, comparison and robustness file of WORKBOOK. Files that do not fit
// the matrix are left out with a warning on stderr.
int exportCommand(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2)
        return reportUsage(
            QStringLiteral("Uso: orvalta-batch export CARTELLA_DI_LAVORO FILE.xlsx") +
            matrixUsage());
    const Regional regional = Regional::system();
    const QString workbook = QFileInfo(args[0]).absoluteFilePath();
    const Expected<std::unique_ptr<Processing>> loaded = loadWorkbook(workbook, parser, regional);
    if (!loaded)
        return reportFailure(loaded.error());
    if (const int status = treatOutliersIfAsked(**loaded, parser); status != kExitSuccess)
        return status;
    const ResultsExport exported =
        exportResults(workbook, (*loaded)->matrix(), QFileInfo(args[1]).absoluteFilePath(),
                      regional, std::nullopt, nullptr, (*loaded)->structure().get(),
                      (*loaded)->gaps().get(), &(*loaded)->basis());
    for (const QString& line : exported.warnings + exported.notices)
        printErr(line);
    if (!exported.written)
        return reportFailure(exported.written.error());
    return kExitSuccess;
}
