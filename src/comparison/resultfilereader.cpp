#include "comparison/resultfilereader.h"

#include "shared/textdecoding.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

ResultLine splitResultLine(const QString& line) {
    const qsizetype separator = line.lastIndexOf(u';');
    if (separator < 0)
        return ResultLine{QString(), line, false};
    return ResultLine{line.left(separator), line.mid(separator + 1), true};
}

namespace {

QString decoded(QByteArrayView bytes, bool utf8) {
    return utf8 ? utf8Text(bytes) : fromWindows1252(bytes);
}

QByteArrayView inUtf8(QByteArrayView bytes, bool utf8, QByteArray& scratch) {
    if (utf8)
        return bytes;
    scratch = fromWindows1252(bytes).toUtf8();
    return scratch;
}

// The failure of a file that cannot be opened or read.
void unreadable(ResultFileContent& content, const QFile& file) {
    content.status = ResultFileContent::Status::Unreadable;
    content.error = file.errorString();
    content.bytes.clear();
}

} // namespace

QByteArrayView ResultFileContent::labelBytes(qsizetype i) const {
    const Line& line = lines[std::size_t(i)];
    if (line.separator < 0)
        return QByteArrayView();
    return QByteArrayView(bytes).sliced(line.begin, line.separator - line.begin);
}

QByteArrayView ResultFileContent::valueBytes(qsizetype i) const {
    const Line& line = lines[std::size_t(i)];
    const qsizetype begin = line.separator < 0 ? line.begin : line.separator + 1;
    return QByteArrayView(bytes).sliced(begin, line.end - begin);
}

QString ResultFileContent::label(qsizetype i) const {
    return decoded(labelBytes(i), isUtf8(i));
}

QString ResultFileContent::value(qsizetype i) const {
    return decoded(valueBytes(i), isUtf8(i));
}

QByteArrayView ResultFileContent::labelUtf8(qsizetype i, QByteArray& scratch) const {
    return inUtf8(labelBytes(i), isUtf8(i), scratch);
}

QByteArrayView ResultFileContent::valueUtf8(qsizetype i, QByteArray& scratch) const {
    return inUtf8(valueBytes(i), isUtf8(i), scratch);
}

ResultFileContent readResultFile(const QString& path) {
    ResultFileContent content;
    readResultFile(path, content);
    return content;
}

void readResultFile(const QString& path, ResultFileContent& content) {
    content.lines.clear();
    content.error.clear();
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        content.status = ResultFileContent::Status::Missing;
        content.bytes.clear();
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return unreadable(content, file);
    // Read into the memory of the previous file when it is large enough.
    qsizetype size = 0;
    content.bytes.resize(std::max<qint64>(file.size(), 0));
    for (;;) {
        if (size == content.bytes.size())
            content.bytes.resize(size + std::max<qsizetype>(size / 2, 1 << 16));
        const qint64 got = file.read(content.bytes.data() + size, content.bytes.size() - size);
        if (got < 0)
            return unreadable(content, file);
        if (got == 0)
            break;
        size += got;
    }
    content.bytes.resize(size);
    content.status = ResultFileContent::Status::Read;

    const char* const data = content.bytes.constData();
    qsizetype at = content.bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    // A valid UTF-8 file splits at ASCII bytes into valid parts: then no
    // line needs looking at on its own.
    const bool allUtf8 = isValidUtf8(QByteArrayView(data + at, size - at));
    while (at < size) {
        const auto* newline =
            static_cast<const char*>(std::memchr(data + at, '\n', size_t(size - at)));
        qsizetype end = newline ? newline - data : size;
        const qsizetype next = newline ? end + 1 : size;
        if (end > at && data[end - 1] == '\r')
            --end;
        const auto* semicolon = static_cast<const char*>(memrchr(data + at, ';', size_t(end - at)));
        const qsizetype separator = semicolon ? semicolon - data : -1;
        // The byte of ";" stands for ";" alone in UTF-8 and in Windows-1252,
        // so the line can be split before it is decoded, and it is valid
        // UTF-8 exactly when both parts are.
        const bool utf8 =
            allUtf8 ? true
            : separator < 0
                ? isValidUtf8(QByteArrayView(data + at, end - at))
                : isValidUtf8(QByteArrayView(data + at, separator - at)) &&
                      isValidUtf8(QByteArrayView(data + separator + 1, end - separator - 1));
        content.lines.push_back({at, separator, end, utf8});
        at = next;
    }
}
