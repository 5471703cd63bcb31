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
// the methods (with --all every method of the list that has a values result
// file, in list order), writes the rank summary file and prints the Kendall
// matrix, an empty line and the overall figures.
int robustnessCommand(const QCommandLineParser& parser) {
    const Expected<std::vector<MethodPosition>> positions = chosenMethods(
        parser, 2,
        QStringLiteral(
            "Uso: orvalta-batch robustness CARTELLA_DI_LAVORO CODICE CODICE [CODICE...] | --all"));
    if (!positions)
        return reportFailure(positions.error());
    const QString workbook = QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
    const QDir folder = QFileInfo(workbook).absoluteDir();

    QStringList entries;
    for (const MethodPosition position : *positions) {
        const QString entry = resultFileName(QFileInfo(workbook).fileName(),
                                             ResultFileKind::MethodValues, methodAt(position).code);
        if (!parser.isSet(QStringLiteral("all")) || QFileInfo(folder.filePath(entry)).isFile())
            entries.append(entry);
    }
    const Regional regional = Regional::system();
    const Expected<CheckedComparison> comparison = compareCurrent(workbook, entries, regional);
    if (!comparison)
        return reportFailure(comparison.error());
    for (const QString& line : comparison->notices)
        printErr(line);
    QStringList sources;
    for (const QString& entry : entries)
        sources << folder.filePath(entry) << folder.filePath(ranksFileFor(entry));
    const RankSummaryRun run =
        analyseRanks(workbook, rankMatrixOf(comparison->comparison), regional, sources);
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
