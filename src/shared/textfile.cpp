#include "shared/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString failure(const QString& path, const QString& cause) {
    return QStringLiteral("Impossibile scrivere il file %1: %2").arg(QDir::toNativeSeparators(path), cause);
}

} // namespace

QString writeTextFile(const QString& path, const QStringList& lines) {
    const QFileInfo info(path);
    if (info.isDir())
        return failure(path, QStringLiteral("esiste una cartella con lo stesso nome."));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, file.errorString());
    QByteArray bytes;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    bytes.reserve(size + size / 4);
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    if (file.write(bytes) != bytes.size()) {
        const QString cause = file.errorString();
        file.cancelWriting();
        return failure(path, cause);
    }
    if (!file.commit())
        return failure(path, file.errorString());
    return QString();
}
