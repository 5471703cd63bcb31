#include "commands.h"

#include "batchload.h"
#include "exitstatus.h"
#include "framework/structure.h"
#include "methodcodes.h"
#include "methods/metodi.h"
#include "workflow/processing.h"

#include <QDir>

#include <algorithm>

namespace {

// The methods of the chosen codes, in list order, all nine without any; a
// Usage failure for an unknown code or none.
Expected<std::vector<MethodPosition>> choosePositions(const QString& option) {
    std::vector<MethodPosition> positions;
    const auto& table = methodTable();
    if (option.isEmpty()) {
        for (const auto& method : table)
            positions.push_back(MethodPosition(method.position));
        return positions;
    }
    Expected<std::vector<MethodPosition>> listed = listedMethods(option);
    if (!listed)
        return listed;
    std::sort(listed->begin(), listed->end());
    return listed;
}

} // namespace

int runCommand(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    const QString methods = parser.value(QStringLiteral("methods"));
    if (args.size() != 1 || (parser.isSet(QStringLiteral("methods")) && methods.isEmpty()))
        return reportUsage(
            QStringLiteral(
                "Uso: orvalta-batch run CARTELLA_DI_LAVORO [--methods CODICE[,CODICE...]]") +
            matrixUsage());
    const Expected<std::vector<MethodPosition>> positions = choosePositions(methods);
    if (!positions)
        return reportFailure(positions.error());

    const Expected<std::unique_ptr<Processing>> loaded =
        loadWorkbook(args.first(), parser, Regional::system());
    if (!loaded)
        return reportFailure(loaded.error());
    Processing& processing = **loaded;
    if (processing.structure())
        printOut(structureSummary(*processing.structure()));
    if (const int status = writeGapsFilesIfAsked(processing); status != kExitSuccess)
        return status;
    if (const int status = treatOutliersIfAsked(processing, parser); status != kExitSuccess)
        return status;

    // Each method's files are written while the next method is computed;
    // they are reported, and a failure stops the command, in list order.
    int status = kExitSuccess;
    const Status done = processing.runAll(
        *positions,
        [&status](MethodPosition, const Expected<std::shared_ptr<const MethodRun>>& run) {
            if (!run) {
                if (run.error().kind == FailureKind::MethodRefused)
                    status = reportFailure(run.error());
                return;
            }
            const MethodRun& method = **run;
            QString line = QStringLiteral("%1: %2, %3")
                               .arg(methodAt(method.position).code,
                                    QDir::toNativeSeparators(method.valuesFile),
                                    QDir::toNativeSeparators(method.ranksFile));
            if (!method.groupValuesFile.isEmpty())
                line += QStringLiteral(", %1, %2")
                            .arg(QDir::toNativeSeparators(method.groupValuesFile),
                                 QDir::toNativeSeparators(method.groupRanksFile));
            printOut(line);
        });
    if (!done)
        return reportFailure(done.error());
    return status;
}
