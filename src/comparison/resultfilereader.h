#pragma once

#include <QList>
#include <QString>

// One line of a result file, split at its last ";": the label part before
// it (which may hold further semicolons) and the value part after it.
struct ResultLine {
    QString label;
    QString value;
    bool hasSeparator = false; // false: no ";" at all, the value is the whole line
};

// The split of one line at its last ";".
ResultLine splitResultLine(const QString& line);

// The lines of a result file as read.
struct ResultFileContent {
    enum class Status { Read, Missing, Unreadable };
    Status status = Status::Missing;
    QString error; // the system's reason when Unreadable
    QList<ResultLine> lines;
};

// Reads a result file whole. Lines end with CR LF or LF, the last one
// optionally; each line is decoded as UTF-8, or as Windows-1252 when it is
// not valid UTF-8; a UTF-8 byte-order mark at the start is dropped. An empty
// file has no lines. A path that does not exist, or names a folder, is
// Missing; a file that cannot be opened or read is Unreadable.
ResultFileContent readResultFile(const QString& path);
