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
    if (QFileInfo(path).isDir())
        return failure(path, QStringLiteral("esiste una cartella con lo stesso nome."));
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, file.errorString());
    const QByteArray bytes = encode(lines);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString cause = file.errorString();
        file.cancelWriting();
        return failure(path, cause);
    }
    return QString();
}

} // namespace

QString writeTextFile(const QString& path, const QStringList& lines) {
    return writeTextFiles({{path, lines}});
}

QString writeTextFiles(const std::vector<std::pair<QString, QStringList>>& files) {
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
    for (std::size_t i = 0; i < saves.size(); ++i) {
        if (!saves[i]->commit()) {
            const QString error = failure(files[i].first, saves[i]->errorString());
            for (std::size_t j = i + 1; j < saves.size(); ++j)
                saves[j]->cancelWriting();
            return error;
        }
    }
    return QString();
}
