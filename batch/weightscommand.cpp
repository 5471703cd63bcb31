#include "commands.h"

#include "batchload.h"
#include "chosenmethod.h"
#include "exitstatus.h"
#include "workflow/compositerun.h"
#include "workflow/weightsfit.h"

#include <QDir>

namespace {

QString weightsUsage() {
    return QStringLiteral("Uso: orvalta-batch weights CARTELLA_DI_LAVORO --method CODICE --target "
                          "balance|pca [--composites FILE]") +
           matrixUsage();
}

} // namespace

Expected<AnalysedMethod> chosenMethod(const Processing& processing,
                                      const QCommandLineParser& parser) {
    const QString code = parser.value(QStringLiteral("method")).trimmed();
    CompositeList composites;
    if (!methodWithCode(code)) {
        Expected<CompositeList> list = loadComposites(
            processing, parser.value(QStringLiteral("composites")), Regional::system());
        if (!list)
            return std::move(list).error();
        composites = std::move(*list);
    }
    return methodOfCode(code, composites);
}

int weightsCommand(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    const std::optional<WeightTarget> target =
        parseWeightTarget(parser.value(QStringLiteral("target")));
    if (args.size() != 1 || parser.value(QStringLiteral("method")).trimmed().isEmpty() || !target)
        return reportUsage(weightsUsage());
    const Regional regional = Regional::system();
    const Expected<std::unique_ptr<Processing>> loaded =
        loadWorkbook(args.first(), parser, regional);
    if (!loaded)
        return reportFailure(loaded.error());
    Processing& processing = **loaded;
    const Expected<AnalysedMethod> method = chosenMethod(processing, parser);
    if (!method)
        return reportFailure(method.error());
    if (const int status = prepareRun(processing, parser); status != kExitSuccess)
        return status;

    const Structure structure =
        structureOrFlat(processing.structure().get(), processing.matrix(), regional);
    const Expected<WeightsFit> fit =
        fitWeights(*method, processing.matrix(), structure, *target, regional);
    if (!fit)
        return reportFailure(fit.error());
    const Expected<QString> written = writeWeightsFile(processing.workbook(), processing.basis(),
                                                       *method, *target, *fit, regional);
    if (!written)
        return reportFailure(written.error());
    for (const QString& line : weightsFitLines(*fit, regional))
        printOut(line);
    printOut(QStringLiteral("Pesi: %1").arg(QDir::toNativeSeparators(*written)));
    return kExitSuccess;
}
