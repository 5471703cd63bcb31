#include "saveresults.h"

#include "shared/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The canonical form of a folder or file path, or the cleaned absolute path
// when it does not exist.
QString canonical(const QString& path) {
    const QFileInfo info(path);
    const QString resolved = info.canonicalFilePath();
    return resolved.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : resolved;
}

// The cause of a failed write as a phrase to go inside a sentence.
QString withoutFinalStop(QString cause) {
    if (cause.endsWith(QLatin1Char('.')))
        cause.chop(1);
    return cause;
}

// Copies one file through a temporary file beside the destination, renamed
// over it at the end: a failed copy leaves the earlier file of that name.
// Returns an empty string or the reason of the failure.
QString copia(const QString& from, const QString& to) {
    // A link at the destination is replaced like a file, whatever it
    // points to.
    const QFileInfo target(to);
    if (!target.isSymLink() && target.exists() && canonical(from) == canonical(to))
        return QCoreApplication::translate("Shared", "la destinazione è il file stesso");
    if (!target.isSymLink() && target.isDir())
        return QCoreApplication::translate(
            "Shared", "nella cartella di destinazione esiste una cartella con lo "
                      "stesso nome");
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return QCoreApplication::translate("Shared",
                                           "i file della matrice non possono essere letti");
    SafeFile copy(to);
    if (!copy.open())
        return withoutFinalStop(copy.failureCause());
    constexpr qint64 kChunk = 1 << 20;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(kChunk);
        if (chunk.isEmpty() && source.error() != QFileDevice::NoError)
            return QCoreApplication::translate("Shared",
                                               "i file della matrice non possono essere letti");
        if (!copy.write(chunk))
            return withoutFinalStop(copy.failureCause());
    }
    if (!copy.commit())
        return withoutFinalStop(copy.failureCause());
    return QString();
}

} // namespace

QStringList filesToSave(const QString& workbookPath) {
    const QFileInfo workbook(workbookPath);
    const QString name = workbook.fileName();
    if (workbookPath.isEmpty() || name.isEmpty())
        return {};
    const QStringList entries =
        workbook.absoluteDir().entryList(QDir::Files | QDir::Hidden, QDir::Name);
    QStringList files;
    for (const QString& entry : entries) {
        if (entry.startsWith(name, Qt::CaseSensitive))
            files.append(entry);
    }
    return files;
}

SaveOutcome saveResults(const QString& workbookPath, const QString& destFolder,
                        WorkProgress* progress) {
    SaveOutcome outcome;
    if (workbookPath.isEmpty() || QFileInfo(workbookPath).fileName().isEmpty()) {
        outcome.status = SaveOutcome::Status::NoWorkbook;
        return outcome;
    }
    const QDir sourceDir = QFileInfo(workbookPath).absoluteDir();
    if (canonical(sourceDir.absolutePath()) == canonical(destFolder)) {
        outcome.status = SaveOutcome::Status::SameFolder;
        return outcome;
    }

    const QFileInfo dest(destFolder);
    const bool destUsable = dest.isDir();
    const QDir destDir(destFolder);
    const QStringList names = filesToSave(workbookPath);
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        if (progress)
            progress->report(QCoreApplication::translate("Shared", "Copia dei file"),
                             percentOf(i, names.size()));
        const QString reason =
            destUsable
                ? copia(sourceDir.filePath(name), destDir.filePath(name))
                : QCoreApplication::translate("Shared", "la cartella di destinazione non esiste");
        if (reason.isEmpty())
            outcome.copied.append(name);
        else
            outcome.failures.push_back({name, reason});
    }
    if (!outcome.failures.empty())
        outcome.status = SaveOutcome::Status::Partial;
    return outcome;
}
