#include "batchload.h"
#include "commands.h"
#include "exitstatus.h"
#include "methodcodes.h"

#include "workflow/robustnessanalyses.h"

#include <QFileInfo>

// sensitivity WORKBOOK CODE: loads the workbook, runs the method with every
// indicator and with each one left out (with a structure, each group too),
// and writes the sensitivity file.
int sensitivityCommand(const QCommandLineParser& parser) {
    const QString usage =
        QStringLiteral("Uso: orvalta-batch sensitivity CARTELLA_DI_LAVORO CODICE") + matrixUsage();
    if (parser.positionalArguments().size() != 2)
        return reportUsage(usage);
    const Expected<std::vector<MethodPosition>> positions = chosenMethods(parser, 1, usage);
    if (!positions)
        return reportFailure(positions.error());
    const Regional regional = Regional::system();
    const QString workbook = QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
    const Expected<std::unique_ptr<Processing>> loaded = loadWorkbook(workbook, parser, regional);
    if (!loaded)
        return reportFailure(loaded.error());
    if (const int status = treatOutliersIfAsked(**loaded, parser); status != kExitSuccess)
        return status;
    const Expected<SensitivityRun> run =
        analyseSensitivity((*loaded)->basis(), (*loaded)->matrix(), positions->front(), regional,
                           nullptr, (*loaded)->structure().get());
    if (!run)
        return reportFailure(run.error());
    if (!run->saved)
        return reportFailure(run->saved.error());
    const IndicatorSensitivity& sensitivity = run->sensitivity;
    for (int j = 0; j < sensitivity.refusals.size(); ++j)
        if (!sensitivity.refusals[j].isEmpty())
            printErr(QStringLiteral("Senza %1: %2")
                         .arg(sensitivity.leftOut(j), sensitivity.refusals[j]));
    printOut(run->file);
    return sensitivity.someRefused() ? exitStatus(FailureKind::MethodRefused) : kExitSuccess;
}
