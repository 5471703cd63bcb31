#include "commands.h"

#include "comparison/comparison.h"
#include "comparison/comparisonfiles.h"
#include "comparison/resultfilelisting.h"
#include "methods/metodi.h"
#include "shared/resultnames.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kUso = QStringLiteral(
    "Uso: orvalta-batch compare CARTELLA_DI_LAVORO CODICE CODICE [CODICE...] | --all");

} // namespace

// compare WORKBOOK CODE CODE [CODE...]: compares the given methods in the
// given order; compare WORKBOOK --all: every method with a values result
// file, in name order. Writes both comparison files and prints the
// cograduation matrix, one line per row, cells joined by ";".
int comandoCompare(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    const bool all = parser.isSet(QStringLiteral("all"));
    if (args.isEmpty() || (all && args.size() != 1) || (!all && args.size() < 2)) {
        scriviErr(kUso);
        return 1;
    }
    const QString strMatrice = QFileInfo(args.first()).absoluteFilePath();
    const QString strCartella = QFileInfo(strMatrice).absolutePath();
    const QString fileName = QFileInfo(strMatrice).fileName();

    QStringList entries;
    if (all) {
        entries = valuesResultFiles(strMatrice);
        if (entries.size() < 2) {
            scriviErr(QStringLiteral("Per il confronto servono almeno due metodi elaborati: "
                                     "trovati %1 file dei valori di %2.")
                          .arg(QString::number(entries.size()), strMatrice));
            return 1;
        }
    } else {
        const QStringList codes = args.mid(1);
        if (codes.size() < 2) {
            scriviErr(QStringLiteral("Indicare almeno due metodi da confrontare."));
            scriviErr(kUso);
            return 1;
        }
        for (const QString& code : codes) {
            const QString entry = resultFileName(fileName, ResultFileKind::MethodValues, code);
            if (!QFileInfo(QDir(strCartella).filePath(entry)).isFile() && !methodWithCode(code)) {
                scriviErr(QStringLiteral("Metodo sconosciuto: %1 (codici: %2).")
                              .arg(code, methodCodes().join(QStringLiteral(", "))));
                return 1;
            }
            entries.append(entry);
        }
    }

    const ComparisonResult result = compareMethods(strCartella, entries, Regional::system());
    if (!result.ok) {
        scriviErr(result.message);
        return 1;
    }
    const QString writeError = writeComparisonFiles(strMatrice, result);
    if (!writeError.isEmpty()) {
        scriviErr(writeError);
        return 1;
    }
    for (const QString& line : result.cograduation.joinedRows())
        scriviOut(line);
    return 0;
}
