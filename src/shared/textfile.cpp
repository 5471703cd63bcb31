#include "shared/textfile.h"

#include "shared/safefile.h"

namespace {

QByteArray encode(const QStringList& lines) {
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    QByteArray bytes;
    bytes.reserve(size + size / 4);
    for (const QString& line : lines) {
        QByteArray text = line.toUtf8();
        if (text.contains('\n') || text.contains('\r'))
            text.replace("\r\n", " ").replace('\r', ' ').replace('\n', ' ');
        bytes += text;
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace

QString writeTextFile(const QString& path, const QStringList& lines) {
    return writeTextFiles({{path, lines}});
}

QString writeTextFiles(const std::vector<std::pair<QString, QStringList>>& files) {
    std::vector<SafeFile> safe;
    safe.reserve(files.size());
    for (const auto& [path, lines] : files) {
        safe.emplace_back(path);
        QString error = safe.back().open();
        if (error.isEmpty())
            error = safe.back().write(encode(lines));
        if (!error.isEmpty())
            return error;
    }
    return commitTogether(safe);
}
