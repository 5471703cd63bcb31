#pragma once

#include "shared/expected.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The text of one file, produced a line at a time so that the whole text is
// never held: appendLine(i, bytes) appends line i (0-based) to bytes in
// UTF-8, without its line end.
struct TextLines {
    TextLines(qsizetype lineCount, std::function<void(qsizetype, QByteArray&)> append)
        : count(lineCount), appendLine(std::move(append)) {}
    // The lines of a list (shared with it, not copied).
    TextLines(const QStringList& lines);

    qsizetype count;
    std::function<void(qsizetype, QByteArray&)> appendLine;
    // Set when no line can hold a line break (its parts were cleared of
    // them beforehand): the writer then does not look for them.
    bool withoutLineBreaks = false;
};

// Writes each line break in bytes from start on (CR LF, CR or LF) as one
// space, as the writer below does in every line.
void replaceLineBreaks(std::string& bytes, std::size_t start = 0);

// Writes text files the way every output of the program is written: UTF-8
// without byte-order mark, each line followed by CR LF (the last one too).
// Each given line is one line of the file: a line break inside it (CR LF,
// CR or LF, as in a label typed on two lines) is written as one space.
// Each file goes through SafeFile: it is replaced only when its whole text
// is on disk, a link at its name is replaced rather than written through,
// and on any failure the earlier file of that name stays as it was. Each
// function fails with a File failure whose Italian message names the file
// and the cause.
Status writeTextFile(const QString& path, const QStringList& lines);

// Writes several files together: every text is written to a temporary file
// first, and the files are put in place only when all of them have been
// written, so that a failure leaves every earlier file as it was.
Status writeTextFiles(const std::vector<std::pair<QString, TextLines>>& files);

// The same, each file's text produced and written on a thread of its own
// (the first on the calling one): no file's appendLine may change what
// another's reads. The failure reported is the one the function above
// would report.
Status writeTextFilesTogether(const std::vector<std::pair<QString, TextLines>>& files);

// The bytes of the file at path, read only when it is a regular file (or a
// link to one) of at most maxBytes bytes: a folder, a pipe, a device or a
// socket, or a link to one, is refused before it is opened for reading, and
// so is a larger file or one that grows beyond maxBytes while it is read;
// nothing is waited for. No value when nothing is at path. A failure is of
// kind File, its Italian message naming the file and the cause.
Expected<std::optional<QByteArray>> readBoundedFile(const QString& path, qint64 maxBytes);
