#include "comparison/resultfilereader.h"

#include "shared/delimitedfields.h"
#include "shared/textdecoding.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The file is read this much at a time, its lines checked in between.
constexpr qsizetype kChunkBytes = qsizetype(4) << 20;
// Memory taken at first for a file, more as it turns out to hold lines
// within its bounds.
constexpr qsizetype kFirstBytes = qsizetype(64) << 20;

// The failure of a file that cannot be opened or read, or is refused.
void unreadable(ResultFileContent& content, const QString& cause) {
    content.status = ResultFileContent::Status::Unreadable;
    content.error = cause;
    content.bytes.clear();
    content.lines.clear();
    content.sha256.clear();
}

QString number(qint64 value) {
    return QString::number(value);
}

QString tooLarge(qint64 size, qsizetype lines, qint64 bound) {
    return QCoreApplication::translate(
               "Comparison", "il file occupa %1 byte, più di quanto il programma ne scriva "
                             "in %2 righe (%3 byte al massimo).")
        .arg(number(size), number(lines), number(bound));
}

// A descriptor closed at the end of its scope.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

// Opens a file for reading without waiting on it (a pipe with no writer):
// the descriptor, or -1 with content Missing or Unreadable.
int openRegular(const QString& path, ResultFileContent& content, struct stat& info) {
    content.lines.clear();
    content.error.clear();
    content.sha256.clear();
    const QFileInfo named(path);
    if (!named.exists() || named.isDir()) {
        content.status = ResultFileContent::Status::Missing;
        content.bytes.clear();
        return -1;
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        unreadable(content, qt_error_string(errno));
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const bool folder = S_ISDIR(info.st_mode);
        ::close(fd);
        if (folder) {
            content.status = ResultFileContent::Status::Missing;
            content.bytes.clear();
        } else {
            unreadable(content, QCoreApplication::translate(
                                    "Comparison", "non è un file regolare (è un dispositivo, "
                                                  "una pipe o un socket)."));
        }
        return -1;
    }
    content.status = ResultFileContent::Status::Read;
    return fd;
}

// Finds the lines of a file as its bytes come in, and stops the reading at
// the first bound crossed.
class LineScanner {
public:
    LineScanner(ResultFileContent& content, const ResultFileBounds& bounds, qint64 fileSize)
        : m_content(content), m_bounds(bounds), m_fileSize(fileSize),
          m_lineBytes(
              bounds.lineBytes(bounds.shape == ResultFileBounds::Shape::Table ? bounds.fields : 2)),
          m_fileBytes(fileBound(m_lineBytes)) {}

    // The most bytes the file may have as far as it is known.
    qint64 fileBytes() const { return m_fileBytes; }
    // Where the first line begins (after a byte-order mark).
    qsizetype start() const { return m_start; }

    // Takes the bytes read so far, the first size of content.bytes; atEnd
    // when the file has no more. Returns the cause when a bound is crossed.
    QString take(qsizetype size, bool atEnd) {
        const char* const data = m_content.bytes.constData();
        if (!m_started && (size >= 3 || atEnd)) {
            m_started = true;
            if (QByteArrayView(data, size).startsWith("\xEF\xBB\xBF"))
                m_start = m_lineStart = m_scanned = 3;
        }
        if (!m_started)
            return QString();
        while (m_scanned < size) {
            const auto* newline = static_cast<const char*>(
                std::memchr(data + m_scanned, '\n', size_t(size - m_scanned)));
            if (!newline) {
                m_scanned = size;
                break;
            }
            const qsizetype end = newline - data;
            if (QString cause = addLine(end + 1 - m_lineStart, end); !cause.isEmpty())
                return cause;
            m_lineStart = m_scanned = end + 1;
        }
        if (size - m_lineStart > m_lineBytes)
            return lineTooLong();
        if (atEnd && m_lineStart < size)
            return addLine(size - m_lineStart, size);
        return QString();
    }

private:
    qint64 fileBound(qint64 lineBytes) const { return m_bounds.lines * lineBytes + 3; }

    QString lineTooLong() const {
        return QCoreApplication::translate(
                   "Comparison", "la riga %1 è più lunga di quanto il programma scriva (%2 byte "
                                 "al massimo).")
            .arg(number(m_content.lineCount() + 1), number(m_lineBytes));
    }

    // The line [m_lineStart, end) of length bytes with its line end.
    QString addLine(qint64 length, qsizetype end) {
        if (length > m_lineBytes)
            return lineTooLong();
        if (m_content.lineCount() == kSheetMaxRows)
            return QCoreApplication::translate("Comparison",
                                               "il file ha più righe di quante un foglio ne "
                                               "abbia (%1).")
                .arg(number(kSheetMaxRows));
        const char* const data = m_content.bytes.constData();
        if (end > m_lineStart && data[end - 1] == '\r')
            --end;
        m_content.lines.push_back({m_lineStart, -1, end, false});
        if (m_content.lineCount() == 1 && m_bounds.shape == ResultFileBounds::Shape::Table) {
            // The other lines have no more fields than the first, nor more
            // bytes than so many fields make.
            const qsizetype fields = std::count(data + m_lineStart, data + end, ';') + qsizetype(1);
            m_lineBytes = m_bounds.lineBytes(std::min(fields, m_bounds.fields));
            m_fileBytes = fileBound(m_lineBytes);
            if (m_fileSize > m_fileBytes)
                return tooLarge(m_fileSize, m_bounds.lines, m_fileBytes);
        }
        return QString();
    }

    ResultFileContent& m_content;
    const ResultFileBounds& m_bounds;
    qint64 m_fileSize;
    qint64 m_lineBytes;
    qint64 m_fileBytes;
    bool m_started = false;
    qsizetype m_start = 0;
    qsizetype m_lineStart = 0;
    qsizetype m_scanned = 0;
};

// Splits a line of a result file into label and value: at the end of a
// quoted label (both parts then moved to the line's start, unquoted), else
// at its last ";".
void splitLabelAndValue(char* data, ResultFileContent::Line& line, std::vector<FieldSpan>& spans) {
    char* const text = data + line.begin;
    const qsizetype length = line.end - line.begin;
    if (length > 0 && text[0] == '"' && splitQuotedFields(QByteArrayView(text, length), spans) &&
        spans.size() == 2) {
        const qsizetype label = unquoteTo(text, text, spans[0]);
        text[label] = ';';
        const qsizetype value = unquoteTo(text + label + 1, text, spans[1]);
        line.separator = line.begin + label;
        line.end = line.separator + 1 + value;
        return;
    }
    const auto* semicolon = static_cast<const char*>(memrchr(text, ';', size_t(length)));
    line.separator = semicolon ? semicolon - data : -1;
}

} // namespace

QByteArrayView ResultFileContent::labelBytes(qsizetype i) const {
    const Line& line = lines[std::size_t(i)];
    if (line.separator < 0)
        return QByteArrayView();
    return QByteArrayView(bytes).sliced(line.begin, line.separator - line.begin);
}

QByteArrayView ResultFileContent::lineBytes(qsizetype i) const {
    const Line& line = lines[std::size_t(i)];
    return QByteArrayView(bytes).sliced(line.begin, line.end - line.begin);
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

ResultFileBounds boundsForMatrix(const Matrix& matrix, ResultFileBounds::Shape shape) {
    // Other cells than texts (numbers, dates, truth values, errors) are
    // written in fewer bytes than a number may take.
    qsizetype longest = 0;
    const auto take = [&longest](const CellValue& cell) {
        if (cell.isText())
            longest = std::max(longest, cell.text().size());
    };
    take(matrix.corner);
    for (const CellValue& label : matrix.units)
        take(label);
    for (const CellValue& name : matrix.indicators)
        take(name);
    ResultFileBounds bounds;
    bounds.shape = shape;
    bounds.lines = matrix.unitCount() + 1;
    bounds.fieldBytes = std::max(kMaxNumberFieldBytes, 3 * qint64(longest) + 2);
    bounds.fields = shape == ResultFileBounds::Shape::Table ? kMaxTableFields : 2;
    return bounds;
}

ResultFileContent readResultFile(const QString& path, const ResultFileBounds& bounds, bool hashed) {
    ResultFileContent content;
    readResultFile(path, bounds, content, hashed);
    return content;
}

ResultFileContent probeResultFile(const QString& path) {
    ResultFileContent content;
    struct stat info {};
    const Descriptor file{openRegular(path, content, info)};
    return content;
}

void readResultFile(const QString& path, const ResultFileBounds& bounds, ResultFileContent& content,
                    bool hashed) {
    struct stat info {};
    const Descriptor file{openRegular(path, content, info)};
    if (file.fd < 0)
        return;
    LineScanner scanner(content, bounds, info.st_size);
    if (info.st_size > scanner.fileBytes())
        return unreadable(content, tooLarge(info.st_size, bounds.lines, scanner.fileBytes()));

    // Read into the memory of the previous file when it is large enough;
    // a file that grows while it is read is followed up to its bound.
    qsizetype size = 0;
    content.bytes.resize(std::min(qsizetype(info.st_size) + 1, kFirstBytes));
    for (;;) {
        if (size == content.bytes.size())
            content.bytes.resize(size + std::max<qsizetype>(size / 2, 1 << 16));
        const qsizetype room = std::min(content.bytes.size() - size, kChunkBytes);
        const ssize_t got = ::read(file.fd, content.bytes.data() + size, size_t(room));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return unreadable(content, qt_error_string(errno));
        }
        size += got;
        if (size > scanner.fileBytes())
            return unreadable(content, tooLarge(size, bounds.lines, scanner.fileBytes()));
        if (const QString cause = scanner.take(size, got == 0); !cause.isEmpty())
            return unreadable(content, cause);
        if (got == 0)
            break;
    }
    content.bytes.resize(size);
    // Hashed before a quoted label is unquoted in place.
    if (hashed)
        content.sha256 =
            QCryptographicHash::hash(content.bytes, QCryptographicHash::Sha256).toHex();

    char* const data = content.bytes.data();
    const qsizetype start = scanner.start();
    // A valid UTF-8 file splits at ASCII bytes into valid parts: then no
    // line needs looking at on its own.
    const bool allUtf8 = isValidUtf8(QByteArrayView(data + start, size - start));
    const bool table = bounds.shape == ResultFileBounds::Shape::Table;
    std::vector<FieldSpan> spans;
    for (ResultFileContent::Line& line : content.lines) {
        if (!table)
            splitLabelAndValue(data, line, spans);
        // The bytes of ";" and '"' stand for themselves alone in UTF-8 and
        // in Windows-1252, so the line can be split before it is decoded,
        // and it is valid UTF-8 exactly when both parts are.
        line.utf8 =
            allUtf8 ? true
            : line.separator < 0
                ? isValidUtf8(QByteArrayView(data + line.begin, line.end - line.begin))
                : isValidUtf8(QByteArrayView(data + line.begin, line.separator - line.begin)) &&
                      isValidUtf8(
                          QByteArrayView(data + line.separator + 1, line.end - line.separator - 1));
    }
}
