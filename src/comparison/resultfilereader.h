#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

// One line of a result file, split at its last ";": the label part before
// it (which may hold further semicolons) and the value part after it.
struct ResultLine {
    QString label;
    QString value;
    bool hasSeparator = false; // false: no ";" at all, the value is the whole line
};

// The split of one line at its last ";".
ResultLine splitResultLine(const QString& line);

// A result file as read: its bytes, and where each line lies in them.
// Each line is decoded on its own: as UTF-8 when its label part and its value
// part are both valid UTF-8, otherwise as Windows-1252.
struct ResultFileContent {
    enum class Status { Read, Missing, Unreadable };
    Status status = Status::Missing;
    QString error; // the system's reason when Unreadable

    // Line i without its line end: bytes [begin, end), its last ";" at
    // separator (-1 when it has none), and whether it is read as UTF-8.
    struct Line {
        qsizetype begin;
        qsizetype separator;
        qsizetype end;
        bool utf8;
    };
    QByteArray bytes; // the file, a UTF-8 byte-order mark at its start dropped
    std::vector<Line> lines;

    qsizetype lineCount() const { return static_cast<qsizetype>(lines.size()); }
    bool hasSeparator(qsizetype i) const { return lines[std::size_t(i)].separator >= 0; }
    // The label and value parts of line i, decoded (no separator: an empty
    // label, the whole line the value).
    QString label(qsizetype i) const;
    QString value(qsizetype i) const;
    // The same in UTF-8: the bytes themselves in a UTF-8 line, otherwise
    // converted from Windows-1252 into scratch (valid until scratch
    // changes). Two parts are equal as texts exactly when these are equal.
    QByteArrayView labelUtf8(qsizetype i, QByteArray& scratch) const;
    QByteArrayView valueUtf8(qsizetype i, QByteArray& scratch) const;
    // The undecoded bytes of the two parts, and whether the line is UTF-8.
    QByteArrayView labelBytes(qsizetype i) const;
    QByteArrayView valueBytes(qsizetype i) const;
    bool isUtf8(qsizetype i) const { return lines[std::size_t(i)].utf8; }
};

// Reads a result file whole. Lines end with CR LF or LF, the last one
// optionally; a UTF-8 byte-order mark at the start is dropped. An empty
// file has no lines. A path that does not exist, or names a folder, is
// Missing; a file that cannot be opened or read is Unreadable.
ResultFileContent readResultFile(const QString& path);
// The same into content, whose memory is used again.
void readResultFile(const QString& path, ResultFileContent& content);
