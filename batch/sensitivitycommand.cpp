#include "batchload.h"
#include "commands.h"
#include "exitstatus.h"
#include "methodcodes.h"

#include "workflow/compositerun.h"
#include "workflow/robustnessanalyses.h"

#include <QFileInfo>

namespace {

// The sensitivity of the method named code: one of the nine, else a
// composite of the workbook (a Usage failure for a code of neither).
Expected<SensitivityRun> sensitivityOf(const Processing& processing, const QString& code,
                                       const QCommandLineParser& parser, const Regional& regional) {
    if (const MethodInfo* method = methodWithCode(code))
        return analyseSensitivity(processing.basis(), processing.matrix(),
                                  MethodPosition(method->position), regional, nullptr,
                                  processing.structure().get());
    const Expected<CompositeList> list =
        loadComposites(processing, parser.value(QStringLiteral("composites")), regional);
    if (!list)
        return list.error();
    const Composite* composite = list->find(code);
    if (!composite) {
        QStringList valid = methodCodes();
        for (const Composite& defined : list->composites)
            valid.append(defined.code);
        return failure(FailureKind::Usage, QStringLiteral("Metodo sconosciuto: %1 (codici: %2).")
                                               .arg(code, valid.join(QStringLiteral(", "))));
    }
    return analyseSensitivity(processing.basis(), processing.matrix(), *composite, regional,
                              nullptr, processing.structure().get());
}

} // namespace

// sensitivity WORKBOOK CODE: loads the workbook, runs the method (one of
// the nine or a composite) with every indicator and with each one left out
// (with a structure, each group too), and writes the sensitivity file.
int sensitivityCommand(const QCommandLineParser& parser) {
    const QString usage = QStringLiteral("Uso: orvalta-batch sensitivity CARTELLA_DI_LAVORO CODICE "
                                         "[--composites FILE]") +
                          matrixUsage();
    if (parser.positionalArguments().size() != 2)
        return reportUsage(usage);
    const Regional regional = Regional::system();
    const QString workbook = QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
    const Expected<std::unique_ptr<Processing>> loaded = loadWorkbook(workbook, parser, regional);
    if (!loaded)
        return reportFailure(loaded.error());
    if (const int status = treatOutliersIfAsked(**loaded, parser); status != kExitSuccess)
        return status;
    const Expected<SensitivityRun> run =
        sensitivityOf(**loaded, parser.positionalArguments().at(1), parser, regional);
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
