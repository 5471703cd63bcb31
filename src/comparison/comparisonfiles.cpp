#include "comparison/comparisonfiles.h"

#include "shared/textfile.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString failure(const QString& path, const QString& cause) {
    return QStringLiteral("Impossibile scrivere il file %1: %2")
        .arg(QDir::toNativeSeparators(path), cause);
}

// Why the file could not be replaced, as far as can be told before writing;
// empty when nothing stands in the way.
QString destinationProblem(const QString& path) {
    const QFileInfo file(path);
    if (file.isDir())
        return failure(path, QStringLiteral("esiste una cartella con lo stesso nome."));
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir())
        return failure(path, QStringLiteral("la cartella %1 non esiste.")
                                 .arg(QDir::toNativeSeparators(folder.absoluteFilePath())));
    if (!folder.isWritable())
        return failure(path, QStringLiteral("la cartella non è scrivibile."));
    if (file.exists() && !file.isWritable())
        return failure(path, QStringLiteral("il file è protetto dalla scrittura."));
    return QString();
}

} // namespace

QString valuesComparisonFile(const QString& strMatrice) {
    return strMatrice + QStringLiteral(".val.csv");
}

QString ranksComparisonFile(const QString& strMatrice) {
    return strMatrice + QStringLiteral(".rnk.csv");
}

QString writeComparisonFiles(const QString& strMatrice, const ComparisonResult& result) {
    if (!result.ok)
        return result.message;
    const QString valuesPath = valuesComparisonFile(strMatrice);
    const QString ranksPath = ranksComparisonFile(strMatrice);
    for (const QString& path : {valuesPath, ranksPath}) {
        const QString problem = destinationProblem(path);
        if (!problem.isEmpty())
            return problem;
    }
    const QString valuesError = writeTextFile(valuesPath, result.values.joinedRows(u';'));
    if (!valuesError.isEmpty())
        return valuesError;
    // The values file is already replaced: a failure now leaves the two files
    // of different runs, which the message must say.
    const QString ranksError = writeTextFile(ranksPath, result.ranks.joinedRows(u';'));
    if (!ranksError.isEmpty())
        return ranksError +
               QStringLiteral(" Il file %1 è già stato aggiornato con questo confronto, il file "
                              "dei ranghi no: ripetere il confronto.")
                   .arg(QDir::toNativeSeparators(valuesPath));
    return QString();
}
