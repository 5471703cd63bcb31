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

// The text goes to the file in pieces of about this size.
constexpr qsizetype kChunkBytes = 1 << 20;

// Opens the save file of path and writes the whole text to it, not yet in
// place. Returns an empty string or the failure.
QString prepare(QSaveFile& file, const QString& path, const TextLines& lines) {
    if (!file.open(QIODevice::WriteOnly))
        return failure(
            path, QStringLiteral("il file non può essere creato (%1).").arg(file.errorString()));
    QByteArray chunk;
    chunk.reserve(kChunkBytes + kChunkBytes / 4);
    bool ok = true;
    for (qsizetype i = 0; i < lines.count && ok; ++i) {
        lines.appendLine(i, chunk);
        chunk += "\r\n";
        if (chunk.size() >= kChunkBytes || i + 1 == lines.count) {
            ok = file.write(chunk.constData(), chunk.size()) == chunk.size();
            chunk.resize(0); // keeps its capacity
        }
    }
    if (!ok || !file.flush()) {
        const QString cause = file.errorString();
        file.cancelWriting();
        return failure(
            path, QStringLiteral("errore di scrittura, forse il disco è pieno (%1).").arg(cause));
    }
    return QString();
}

} // namespace

TextLines::TextLines(const QStringList& lines)
    : count(lines.size()),
      appendLine([lines](qsizetype i, QByteArray& bytes) { bytes += lines.at(i).toUtf8(); }) {}

QString writeTextFile(const QString& path, const QStringList& lines) {
    return writeTextFiles({{path, TextLines(lines)}});
}

QString writeTextFiles(const std::vector<std::pair<QString, TextLines>>& files) {
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
