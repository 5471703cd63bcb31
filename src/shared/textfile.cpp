#include "shared/textfile.h"

#include "shared/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QScopeGuard>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The text goes to the file in pieces of about this size.
constexpr qsizetype kChunkBytes = 1 << 20;

// Each line break in bytes from start on written as one space.
template <typename Bytes> void spacesForLineBreaks(Bytes& bytes, std::size_t start) {
    const auto isBreak = [](char c) { return c == '\r' || c == '\n'; };
    if (std::none_of(bytes.cbegin() + qsizetype(start), bytes.cend(), isBreak))
        return;
    std::size_t to = start;
    char previous = 0;
    for (std::size_t k = start; k < std::size_t(bytes.size()); ++k) {
        const char c = bytes[k];
        const bool crlf = c == '\n' && previous == '\r'; // the CR became the space
        previous = c;
        if (!crlf)
            bytes[to++] = isBreak(c) ? ' ' : c;
    }
    bytes.resize(to);
}

// Appends line i of lines to bytes, a line break inside it written as one
// space, then the line end.
void appendLine(const TextLines& lines, qsizetype i, QByteArray& bytes) {
    const qsizetype start = bytes.size();
    lines.appendLine(i, bytes);
    if (!lines.withoutLineBreaks)
        spacesForLineBreaks(bytes, std::size_t(start));
    bytes += "\r\n";
}

// Writes the whole text to the open file, a chunk at a time.
Status writeLines(SafeFile& file, const TextLines& lines) {
    QByteArray chunk;
    chunk.reserve(kChunkBytes + kChunkBytes / 4);
    for (qsizetype i = 0; i < lines.count; ++i) {
        appendLine(lines, i, chunk);
        if (chunk.size() >= kChunkBytes || i + 1 == lines.count) {
            if (Status written = file.write(chunk); !written)
                return written;
            chunk.resize(0); // keeps its capacity
        }
    }
    return {};
}

} // namespace

void replaceLineBreaks(std::string& bytes, std::size_t start) {
    spacesForLineBreaks(bytes, start);
}

TextLines::TextLines(const QStringList& lines)
    : count(lines.size()),
      appendLine([lines](qsizetype i, QByteArray& bytes) { bytes += lines.at(i).toUtf8(); }) {}

Status writeTextFile(const QString& path, const QStringList& lines) {
    return writeTextFiles({{path, TextLines(lines)}});
}

Status writeTextFiles(const std::vector<std::pair<QString, TextLines>>& files) {
    std::vector<SafeFile> safe;
    safe.reserve(files.size());
    for (const auto& [path, lines] : files) {
        safe.emplace_back(path);
        Status written = safe.back().open();
        if (written)
            written = writeLines(safe.back(), lines);
        if (!written)
            return written;
    }
    return commitTogether(safe);
}

Status writeTextFilesTogether(const std::vector<std::pair<QString, TextLines>>& files) {
    std::vector<SafeFile> safe;
    safe.reserve(files.size());
    for (const auto& file : files)
        safe.emplace_back(file.first);
    // Opened and written up to the first file that cannot be opened, as the
    // files would be one after another; the first failure in file order is
    // the one reported.
    std::vector<Status> written(files.size());
    std::size_t opened = 0;
    while (opened < files.size() && (written[opened] = safe[opened].open()))
        ++opened;
    const auto write = [&safe, &files, &written](std::size_t k) {
        written[k] = writeLines(safe[k], files[k].second);
    };
    std::vector<std::future<void>> others;
    for (std::size_t k = 1; k < opened; ++k)
        others.push_back(std::async(std::launch::async, write, k));
    if (opened > 0)
        write(0);
    for (auto& other : others)
        other.get();
    for (Status& status : written)
        if (!status)
            return status;
    return commitTogether(safe);
}

namespace {

Failure unreadableFile(const QString& path, const QString& cause) {
    return failure(FailureKind::File,
                   QCoreApplication::translate("Shared", "Il file %1 non può essere letto: %2")
                       .arg(QDir::toNativeSeparators(path), cause));
}

// Why a file of this kind is not read, or empty for a regular file.
QString notRegular(mode_t mode) {
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return QCoreApplication::translate("Shared", "è una cartella.");
    return QCoreApplication::translate(
        "Shared", "non è un file regolare (è un dispositivo, una pipe o un socket).");
}

QString tooLarge(qint64 size, qint64 maxBytes) {
    return QCoreApplication::translate("Shared", "occupa %1 byte, più dei %2 che può occupare.")
        .arg(QString::number(size), QString::number(maxBytes));
}

} // namespace

Expected<std::optional<QByteArray>> readBoundedFile(const QString& path, qint64 maxBytes) {
    const QByteArray name = QFile::encodeName(path);
    // What the name leads to is looked at before anything is opened: opening
    // a pipe or a device for reading may wait, or never end.
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        if (errno == ENOENT)
            return std::optional<QByteArray>();
        return unreadableFile(path, qt_error_string(errno));
    }
    if (const QString cause = notRegular(info.st_mode); !cause.isEmpty())
        return unreadableFile(path, cause);
    if (info.st_size > maxBytes)
        return unreadableFile(path, tooLarge(info.st_size, maxBytes));
    // Replaced in between by something else: looked at again once open.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return unreadableFile(path, qt_error_string(errno));
    const auto closing = qScopeGuard([fd] { ::close(fd); });
    if (::fstat(fd, &info) != 0)
        return unreadableFile(path, qt_error_string(errno));
    if (const QString cause = notRegular(info.st_mode); !cause.isEmpty())
        return unreadableFile(path, cause);
    QByteArray bytes(qsizetype(std::min<qint64>(info.st_size, maxBytes)) + 1, Qt::Uninitialized);
    qsizetype size = 0;
    for (;;) {
        if (size == bytes.size()) {
            if (size > maxBytes)
                return unreadableFile(path, tooLarge(size, maxBytes));
            bytes.resize(qsizetype(std::min<qint64>(maxBytes + 1, qint64(size) * 2 + 1)));
        }
        const ssize_t got = ::read(fd, bytes.data() + size, std::size_t(bytes.size() - size));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return unreadableFile(path, qt_error_string(errno));
        }
        if (got == 0)
            break;
        size += got;
    }
    if (size > maxBytes)
        return unreadableFile(path, tooLarge(size, maxBytes));
    bytes.resize(size);
    return std::optional<QByteArray>(std::move(bytes));
}
