#include "commands.h"

#include "exitstatus.h"
#include "methodcodes.h"

#include "comparison/cograduation.h"
#include "workflow/comparisonrun.h"

#include <QFileInfo>

namespace {

const QString kUsage = QStringLiteral(
    "Uso: orvalta-batch compare CARTELLA_DI_LAVORO CODICE CODICE [CODICE...] | --all");

} // namespace

// compare WORKBOOK CODE CODE [CODE...]: compares the given methods in the
// given order; compare WORKBOOK --all: every method with a values result
// file, the nine in the order of the method table, then the composites. Writes both comparison
// files and prints the cograduation matrix, one line per row, cells joined by ";".
int compareCommand(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    const bool all = parser.isSet(QStringLiteral("all"));
    if (args.isEmpty() || (all && args.size() != 1) || (!all && args.size() < 2))
        return reportUsage(kUsage);
    const QString workbook = QFileInfo(args.first()).absoluteFilePath();
    const Expected<QStringList> entries = comparedEntries(parser, workbook, kUsage);
    if (!entries)
        return reportFailure(entries.error());
    const Regional regional = Regional::system();
    const Expected<ComparisonRun> run = compareAndSave(workbook, *entries, regional);
    if (!run)
        return reportFailure(run.error());
    for (const QString& line : run->notices)
        printErr(line);
    if (!run->saved)
        return reportFailure(run->saved.error());
    for (const QString& line :
         coefficientTable(run->comparison.cograduation, regional).joinedRows())
        printOut(line);
    return kExitSuccess;
}
