#include "comparison/resultfilereader.h"

#include "shared/textdecoding.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

ResultLine splitResultLine(const QString& line) {
    const qsizetype separator = line.lastIndexOf(u';');
    if (separator < 0)
        return ResultLine{QString(), line, false};
    return ResultLine{line.left(separator), line.mid(separator + 1), true};
}

ResultFileContent readResultFile(const QString& path) {
    ResultFileContent content;
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        content.status = ResultFileContent::Status::Missing;
        return content;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        content.status = ResultFileContent::Status::Unreadable;
        content.error = file.errorString();
        return content;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        content.status = ResultFileContent::Status::Unreadable;
        content.error = file.errorString();
        return content;
    }
    content.status = ResultFileContent::Status::Read;

    QByteArrayView rest(bytes);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    content.lines.reserve(std::count(rest.begin(), rest.end(), '\n') + 1);
    while (!rest.isEmpty()) {
        const qsizetype end = rest.indexOf('\n');
        QByteArrayView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        // The byte of ";" stands for ";" alone in UTF-8 and in Windows-1252,
        // so the line can be split before it is decoded, and it is valid
        // UTF-8 exactly when both parts are.
        const qsizetype separator = line.lastIndexOf(';');
        if (separator < 0) {
            content.lines.append(ResultLine{QString(), decodeTextLine(line), false});
            continue;
        }
        const QByteArrayView label = line.first(separator);
        const QByteArrayView value = line.sliced(separator + 1);
        if (isValidUtf8(label) && isValidUtf8(value))
            content.lines.append(
                ResultLine{QString::fromUtf8(label), QString::fromUtf8(value), true});
        else
            content.lines.append(ResultLine{fromWindows1252(label), fromWindows1252(value), true});
    }
    return content;
}
