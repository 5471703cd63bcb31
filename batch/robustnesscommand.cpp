#include "commands.h"

#include "exitstatus.h"
#include "methodcodes.h"

#include "comparison/cograduation.h"
#include "comparison/comparison.h"
#include "robustness/rankmatrix.h"
#include "shared/resultnames.h"
#include "workflow/comparisonrun.h"
#include "workflow/robustnessanalyses.h"

#include <QDir>
#include <QFileInfo>

// robustness WORKBOOK CODE CODE [CODE...] | --all: reads the result files of
// the methods (with --all every method that has a values result file, the
// nine in list order, then the composites), writes the rank summary file and
// prints the Kendall matrix, an empty line and the overall figures.
int robustnessCommand(const QCommandLineParser& parser) {
    const QString usage = QStringLiteral(
        "Uso: orvalta-batch robustness CARTELLA_DI_LAVORO CODICE CODICE [CODICE...] | --all");
    const QStringList args = parser.positionalArguments();
    const bool all = parser.isSet(QStringLiteral("all"));
    if (args.isEmpty() || (all && args.size() != 1) || (!all && args.size() < 3))
        return reportUsage(usage);
    const QString workbook = QFileInfo(args.first()).absoluteFilePath();
    const QDir folder = QFileInfo(workbook).absoluteDir();
    const Expected<QStringList> chosen = comparedEntries(parser, workbook, usage);
    if (!chosen)
        return reportFailure(chosen.error());
    const QStringList& entries = *chosen;
    const Regional regional = Regional::system();
    const Expected<CheckedComparison> comparison = compareCurrent(workbook, entries, regional);
    if (!comparison)
        return reportFailure(comparison.error());
    for (const QString& line : comparison->notices)
        printErr(line);
    QStringList sources;
    QStringList codes;
    for (const QString& entry : entries) {
        sources << folder.filePath(entry) << folder.filePath(ranksFileFor(entry));
        codes << methodCodeOfResultFile(entry);
    }
    const RankSummaryRun run =
        analyseRanks(workbook, rankMatrixOf(comparison->comparison), regional, sources, codes);
    if (!run.saved)
        return reportFailure(run.saved.error());
    for (const QString& line : coefficientTable(run.kendall, regional).joinedRows())
        printOut(line);
    printOut(QString());
    printOut(QStringLiteral("Spostamento medio;") + regional.fixed4(run.summary.meanShift));
    printOut(QStringLiteral("Quota di unita' con lo stesso rango;") +
             regional.fixed4(run.summary.shareUnchanged));
    return kExitSuccess;
}
