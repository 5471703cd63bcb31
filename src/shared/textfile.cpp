#include "shared/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <memory>

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

QByteArray encode(const QStringList& lines) {
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    QByteArray bytes;
    bytes.reserve(size + size / 4);
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

// Opens the save file of path and writes the whole text to it, not yet in
// place. Returns an empty string or the failure.
QString prepare(QSaveFile& file, const QString& path, const QStringList& lines) {
    if (!file.open(QIODevice::WriteOnly))
        return failure(
            path, QStringLiteral("il file non può essere creato (%1).").arg(file.errorString()));
    const QByteArray bytes = encode(lines);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString cause = file.errorString();
        file.cancelWriting();
        return failure(
            path, QStringLiteral("errore di scrittura, forse il disco è pieno (%1).").arg(cause));
    }
    return QString();
}

} // namespace

QString writeTextFile(const QString& path, const QStringList& lines) {
    return writeTextFiles({{path, lines}});
}

QString writeTextFiles(const std::vector<std::pair<QString, QStringList>>& files) {
    for (const auto& file : files) {
        const QString problem = destinationProblem(file.first);
        if (!problem.isEmpty())
            return problem;
    }
    std::vector<std::unique_ptr<QSaveFile>> saves;
    for (const auto& [path, lines] : files) {
        saves.push_back(std::make_unique<QSaveFile>(path));
        const QString error = prepare(*saves.back(), path, lines);
        if (!error.isEmpty()) {
            for (auto& save : saves)
                save->cancelWriting();
            return error;
        }
    }
    // Every text is on disk: put the files in place.
    for (std::size_t i = 0; i < saves.size(); ++i) {
        if (!saves[i]->commit()) {
            const QString error =
                failure(files[i].first, QStringLiteral("il file non può essere sostituito (%1).")
                                            .arg(saves[i]->errorString()));
            for (std::size_t j = i + 1; j < saves.size(); ++j)
                saves[j]->cancelWriting();
            return error;
        }
    }
    return QString();
}
