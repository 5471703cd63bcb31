#include "shared/textfile.h"

#include "shared/safefile.h"

#include <algorithm>

namespace {

// The text goes to the file in pieces of about this size.
constexpr qsizetype kChunkBytes = 1 << 20;

// Appends line i of lines to bytes, a line break inside it written as one
// space, then the line end.
void appendLine(const TextLines& lines, qsizetype i, QByteArray& bytes) {
    const qsizetype start = bytes.size();
    lines.appendLine(i, bytes);
    const auto isBreak = [](char c) { return c == '\r' || c == '\n'; };
    if (std::any_of(bytes.cbegin() + start, bytes.cend(), isBreak)) {
        for (qsizetype k = start; k < bytes.size(); ++k) {
            if (bytes[k] == '\r' && k + 1 < bytes.size() && bytes[k + 1] == '\n')
                bytes.remove(k + 1, 1);
            if (bytes[k] == '\r' || bytes[k] == '\n')
                bytes[k] = ' ';
        }
    }
    bytes += "\r\n";
}

// Writes the whole text to the open file, a chunk at a time. Returns an
// empty string or the failure.
QString writeLines(SafeFile& file, const TextLines& lines) {
    QByteArray chunk;
    chunk.reserve(kChunkBytes + kChunkBytes / 4);
    for (qsizetype i = 0; i < lines.count; ++i) {
        appendLine(lines, i, chunk);
        if (chunk.size() >= kChunkBytes || i + 1 == lines.count) {
            const QString error = file.write(chunk);
            if (!error.isEmpty())
                return error;
            chunk.resize(0); // keeps its capacity
        }
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
    std::vector<SafeFile> safe;
    safe.reserve(files.size());
    for (const auto& [path, lines] : files) {
        safe.emplace_back(path);
        QString error = safe.back().open();
        if (error.isEmpty())
            error = writeLines(safe.back(), lines);
        if (!error.isEmpty())
            return error;
    }
    return commitTogether(safe);
}
