#include "shared/salvataggio.h"

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

// Copies one file, replacing the destination. Returns an empty string or
// the reason of the failure.
QString copia(const QString& from, const QString& to) {
    const QFileInfo target(to);
    if (target.exists() || target.isSymLink()) {
        if (canonical(from) == canonical(to))
            return QStringLiteral("la destinazione è il file stesso");
        if (target.isDir())
            return QStringLiteral("nella cartella di destinazione esiste una cartella con lo "
                                  "stesso nome");
        if (!QFile::remove(to))
            return QStringLiteral("i file esistenti nella cartella di destinazione non possono "
                                  "essere sostituiti");
    }
    if (QFile::copy(from, to))
        return QString();
    if (!QFileInfo(target.absolutePath()).isWritable())
        return QStringLiteral("la cartella di destinazione non è scrivibile");
    if (!QFileInfo(from).isReadable())
        return QStringLiteral("i file della matrice non possono essere letti");
    return QStringLiteral("la copia si è interrotta, forse il disco è pieno");
}

} // namespace

QStringList fileDaSalvare(const QString& workbookPath) {
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

SaveOutcome salvaRisultati(const QString& workbookPath, const QString& destFolder,
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
    const QStringList names = fileDaSalvare(workbookPath);
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        if (progress)
            progress->report(QStringLiteral("Copia dei file"), percentOf(i, names.size()));
        const QString reason = destUsable
                                   ? copia(sourceDir.filePath(name), destDir.filePath(name))
                                   : QStringLiteral("la cartella di destinazione non esiste");
        if (reason.isEmpty())
            outcome.copied.append(name);
        else
            outcome.failures.push_back({name, reason});
    }
    if (!outcome.failures.empty())
        outcome.status = SaveOutcome::Status::Partial;
    return outcome;
}
