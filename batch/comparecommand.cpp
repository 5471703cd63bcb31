#include "commands.h"

#include "exitstatus.h"

#include "comparison/cograduation.h"
#include "comparison/resultfilelisting.h"
#include "methods/metodi.h"
#include "shared/resultnames.h"
#include "workflow/comparisonrun.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

const QString kUsage = QStringLiteral(
    "Uso: orvalta-batch compare CARTELLA_DI_LAVORO CODICE CODICE [CODICE...] | --all");

// The values result files of the methods to compare: every one of the
// workbook with --all, in the order of the method table; else those of the codes given, a
// code of no method allowed when its file is there.
Expected<QStringList> chosenEntries(const QCommandLineParser& parser, const QString& workbook) {
    if (parser.isSet(QStringLiteral("all"))) {
        // In the order of the method table, as every --all; codes of no
        // method after them, by name.
        QStringList entries = valuesResultFiles(workbook);
        const QStringList codes = methodCodes();
        const auto rank = [&codes](const QString& entry) {
            const qsizetype at = codes.indexOf(methodCodeOfResultFile(entry));
            return at < 0 ? codes.size() : at;
        };
        std::stable_sort(entries.begin(), entries.end(),
                         [&rank](const QString& a, const QString& b) { return rank(a) < rank(b); });
        if (entries.size() < 2)
            return failure(FailureKind::Usage,
                           QStringLiteral("Per il confronto servono almeno due metodi elaborati: "
                                          "trovati %1 file dei valori di %2.")
                               .arg(QString::number(entries.size()), workbook));
        return entries;
    }
    const QStringList codes = parser.positionalArguments().mid(1);
    if (codes.size() < 2)
        return failure(FailureKind::Usage,
                       QStringLiteral("Indicare almeno due metodi da confrontare.\n") + kUsage);
    const QDir folder = QFileInfo(workbook).absoluteDir();
    QStringList entries;
    for (const QString& code : codes) {
        const QString entry =
            resultFileName(QFileInfo(workbook).fileName(), ResultFileKind::MethodValues, code);
        if (!QFileInfo(folder.filePath(entry)).isFile() && !methodWithCode(code))
            return failure(FailureKind::Usage,
                           QStringLiteral("Metodo sconosciuto: %1 (codici: %2).")
                               .arg(code, methodCodes().join(QStringLiteral(", "))));
        entries.append(entry);
    }
    return entries;
}

} // namespace

// compare WORKBOOK CODE CODE [CODE...]: compares the given methods in the
// given order; compare WORKBOOK --all: every method with a values result
// file, in the order of the method table. Writes both comparison files and prints the
// cograduation matrix, one line per row, cells joined by ";".
int compareCommand(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    const bool all = parser.isSet(QStringLiteral("all"));
    if (args.isEmpty() || (all && args.size() != 1) || (!all && args.size() < 2))
        return reportUsage(kUsage);
    const QString workbook = QFileInfo(args.first()).absoluteFilePath();
    const Expected<QStringList> entries = chosenEntries(parser, workbook);
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
