#include "batchload.h"
#include "commands.h"
#include "exitstatus.h"
#include "methodcodes.h"

#include "treatment/outliers.h"
#include "workflow/robustnessanalyses.h"

#include <QFileInfo>

#include <optional>

// uncertainty WORKBOOK CODE [CODE...] | --all: loads the workbook, runs
// every method with every indicator and with each one left out, and writes
// the uncertainty file. With --treatment-factor every run is repeated on
// the matrix after the outlier treatment (whose record is not written);
// with --missing-factor, under each treatment of missing cells listed.
int uncertaintyCommand(const QCommandLineParser& parser) {
    const Expected<std::vector<MethodPosition>> positions = chosenMethods(
        parser, 1,
        QStringLiteral(
            "Uso: orvalta-batch uncertainty CARTELLA_DI_LAVORO CODICE [CODICE...] | --all "
            "[--treatment-factor] [--missing-factor TRATTAMENTO,TRATTAMENTO...]") +
            matrixUsage());
    if (!positions)
        return reportFailure(positions.error());
    const bool factor = parser.isSet(QStringLiteral("treatment-factor"));
    if (factor && parser.isSet(QStringLiteral("outliers")))
        return reportFailure(failure(
            FailureKind::Usage,
            QStringLiteral("--treatment-factor confronta la matrice letta con quella trattata: "
                           "non va insieme a --outliers.")));
    const Regional regional = Regional::system();
    const QString workbook = QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
    const Expected<std::vector<MissingTreatment>> treatments =
        treatmentList(parser, QStringLiteral("missing-factor"));
    if (!treatments)
        return reportFailure(treatments.error());
    const Expected<std::unique_ptr<Processing>> loaded = loadWorkbook(
        workbook, parser, regional, treatments->empty() ? GapsUse::Refuse : GapsUse::Factor);
    if (!loaded)
        return reportFailure(loaded.error());
    if (const int status = treatOutliersIfAsked(**loaded, parser); status != kExitSuccess)
        return status;
    if ((*loaded)->structure())
        printErr(structureNotUsed());
    const Matrix& matrix = (*loaded)->matrix();
    std::optional<Matrix> treated;
    if (factor && treatments->empty())
        treated = treatOutliers(matrix).matrix;
    const Expected<UncertaintyRun> run =
        treatments->empty() ? analyseUncertainty((*loaded)->basis(), matrix, *positions, regional,
                                                 nullptr, treated ? &*treated : nullptr)
                            : analyseUncertainty((*loaded)->basis(), matrix, *treatments,
                                                 *positions, regional, factor);
    if (!run)
        return reportFailure(run.error());
    const RankUncertainty& uncertainty = run->uncertainty;
    for (const QString& line : uncertainty.leftOut + uncertainty.refusedRuns)
        printErr(line);
    if (!run->saved)
        return reportFailure(run->saved.error());
    printOut(QStringLiteral("%1 (%2 graduatorie)")
                 .arg(run->file, QString::number(uncertainty.rankings)));
    return uncertainty.leftOut.isEmpty() && uncertainty.refusedRuns.isEmpty()
               ? kExitSuccess
               : exitStatus(FailureKind::MethodRefused);
}
