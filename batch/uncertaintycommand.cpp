#include "batchload.h"
#include "commands.h"
#include "compositechoice.h"
#include "exitstatus.h"
#include "methodcodes.h"

#include "treatment/outliers.h"
#include "workflow/robustnessanalyses.h"

#include <QFileInfo>

#include <optional>

namespace {

// The methods and composites of the arguments after the workbook, or of
// --all; a Usage failure (the usage line) for a wrong count.
Expected<MethodCodes> chosenCodes(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    const bool all = parser.isSet(QStringLiteral("all"));
    if (args.isEmpty() || (all && args.size() != 1) || (!all && args.size() < 2))
        return failure(
            FailureKind::Usage,
            QStringLiteral(
                "Uso: orvalta-batch uncertainty CARTELLA_DI_LAVORO CODICE [CODICE...] | --all "
                "[--composites FILE] [--normalisations ELENCO] [--aggregations ELENCO] "
                "[--treatment-factor] [--missing-factor TRATTAMENTO,TRATTAMENTO...]") +
                matrixUsage());
    return all ? everyMethodCode() : splitMethodCodes(args.mid(1));
}

// The composites' variants to cross: each named composite under its own
// normalisation and aggregation and those listed.
Expected<UncertaintyComposites> chosenComposites(const QCommandLineParser& parser,
                                                 const MethodCodes& codes,
                                                 const Processing& processing) {
    const Expected<std::vector<Normalisation>> normalisations =
        listedNormalisationsOption(parser.value(QStringLiteral("normalisations")));
    if (!normalisations)
        return normalisations.error();
    const Expected<std::vector<Aggregation>> aggregations =
        listedAggregationsOption(parser.value(QStringLiteral("aggregations")));
    if (!aggregations)
        return aggregations.error();
    const Expected<std::vector<Composite>> composites =
        namedComposites(codes, processing, parser.value(QStringLiteral("composites")));
    if (!composites)
        return composites.error();
    if (composites->empty() && (!normalisations->empty() || !aggregations->empty()))
        return failure(FailureKind::Usage,
                       QStringLiteral("Le normalizzazioni e le aggregazioni si incrociano solo "
                                      "per i metodi personalizzati: indicarne almeno uno."));
    return UncertaintyComposites{compositeVariants(*composites, *normalisations, *aggregations),
                                 codes.compositeFirst, processing.structure().get()};
}

} // namespace

// uncertainty WORKBOOK CODE [CODE...] | --all: loads the workbook, runs
// every method (and composite) with every indicator and with each one left
// out, and writes the uncertainty file. With --treatment-factor every run
// is repeated on the matrix after the outlier treatment (whose record is
// not written); with --missing-factor, under each treatment of missing
// cells listed.
int uncertaintyCommand(const QCommandLineParser& parser) {
    const Expected<MethodCodes> codes = chosenCodes(parser);
    if (!codes)
        return reportFailure(codes.error());
    const std::vector<MethodPosition>* positions = &codes->nine;
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
    const Expected<UncertaintyComposites> composites = chosenComposites(parser, *codes, **loaded);
    if (!composites)
        return reportFailure(composites.error());
    if (const int status = treatOutliersIfAsked(**loaded, parser); status != kExitSuccess)
        return status;
    if ((*loaded)->structure())
        printErr(structureNotUsed());
    const Matrix& matrix = (*loaded)->matrix();
    std::optional<Matrix> treated;
    if (factor && treatments->empty())
        treated = treatOutliers(matrix).matrix;
    const Expected<UncertaintyRun> run =
        treatments->empty()
            ? analyseUncertainty((*loaded)->basis(), matrix, *positions, regional, nullptr,
                                 treated ? &*treated : nullptr, *composites)
            : analyseUncertainty((*loaded)->basis(), matrix, *treatments, *positions, regional,
                                 factor, nullptr, *composites);
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
