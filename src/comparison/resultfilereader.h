#pragma once

#include "stats/matrix.h"
#include "workbook/readerlimits.h"
#include "workbook/workbooklimits.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

// The most bytes one field of a ";" file can take as the program writes it:
// a text of a cell's longest (32,767 characters of up to 3 bytes each in
// UTF-8; a character outside the Basic Multilingual Plane counts two and
// takes 4 bytes) between quotes, its doubled quotes within the 3 bytes of
// each.
inline constexpr qint64 kMaxTextFieldBytes = 3 * qint64(kMaxCellTextLength) + 2;
// The same for a number as any settings write it: a double's 309 integer
// digits with a grouping separator of up to 3 bytes every 3 digits, a sign,
// decimal separator and decimals, with room to spare.
inline constexpr qint64 kMaxNumberFieldBytes = 1024;

// What a ";" file read back can hold, from what the program writes: no more
// lines than a sheet has rows, fields of a bounded length. A file larger
// than its lines can make is refused before it is read; a line longer than
// its fields can make, or a line beyond a sheet's rows, as soon as the
// reading gets to it.
struct ResultFileBounds {
    enum class Shape {
        LabelAndValue, // a result file: a label and a value a line
        Table          // a table: its lines have no more fields than its first
    };
    Shape shape = Shape::LabelAndValue;
    // The lines the file's size is bounded by: as many as a sheet has rows,
    // unless the source matrix or a file read before tells how many. A file
    // of more lines, but short enough, is read: the reader then tells how
    // many it has.
    qsizetype lines = kSheetMaxRows;
    // The most bytes of a field: kMaxTextFieldBytes, unless the source matrix
    // tells its longest text.
    qint64 fieldBytes = kMaxTextFieldBytes;
    // The most fields of a line: 2 for a result file; for a table, of its
    // first line (the lines after it have no more fields than it has).
    qsizetype fields = 2;

    // The most bytes of a line of this many fields, its line end included.
    qint64 lineBytes(qsizetype fieldCount) const { return fieldCount * fieldBytes + 2; }
};

// The most fields of the first line of a table: an indicator for every
// column of a sheet and a few more, or as many compared methods.
inline constexpr qsizetype kMaxTableFields = qsizetype(kSheetMaxColumns) + 4;

// The bounds of the files written for a source matrix that is loaded: its
// header line and a line per unit, and fields no longer than its longest label or indicator
// name, or a number, makes. A table's first line may have up to
// kMaxTableFields fields.
ResultFileBounds boundsForMatrix(const Matrix& matrix, ResultFileBounds::Shape shape);

// A ";" file as read: its bytes, and where each line lies in them. A result
// file's lines are split into label and value: at the end of a label written
// in quotes (see delimitedfields.h), else, as files written before quoting
// hold, at the last ";". Each line is decoded on its own: as UTF-8 when
// its label part and its value part are both valid UTF-8, otherwise as
// Windows-1252.
struct ResultFileContent {
    enum class Status { Read, Missing, Unreadable };
    Status status = Status::Missing;
    // When Unreadable, the cause: the system's reason, or why the file is
    // refused (no regular file, larger than its bounds).
    QString error;

    // Line i without its line end: bytes [begin, end), the ";" between its
    // label and its value at separator (-1 when it has none, and always in a
    // table), and whether it is read as UTF-8. A quoted label is stored
    // unquoted in place: the line's bytes are then the label, ";" and the
    // value.
    struct Line {
        qsizetype begin;
        qsizetype separator;
        qsizetype end;
        bool utf8;
    };
    QByteArray bytes; // the file, a UTF-8 byte-order mark at its start dropped
    std::vector<Line> lines;
    // The SHA-256 of the file's bytes as read, lower-case hexadecimal, when
    // it was asked for and the file was read; else empty.
    QByteArray sha256;

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
    // The undecoded bytes of a whole line (of a table).
    QByteArrayView lineBytes(qsizetype i) const;
    bool isUtf8(qsizetype i) const { return lines[std::size_t(i)].utf8; }
};

// Reads a ";" file whole, within its bounds. Lines end with CR LF or LF, the
// last one optionally; a UTF-8 byte-order mark at the start is dropped. An
// empty file has no lines. A path that does not exist, or names a folder, is
// Missing. Only a regular file is read (a link to one will do): a device, a
// pipe or a socket is refused as soon as it is opened, without blocking; a
// file beyond its bounds is refused (see ResultFileBounds), as is one that
// cannot be opened or read: Unreadable, with the cause. With hashed, the
// bytes read are hashed too (sha256), so that the record can be checked
// without reading the file again.
ResultFileContent readResultFile(const QString& path, const ResultFileBounds& bounds,
                                 bool hashed = false);
// The same into content, whose memory is used again.
void readResultFile(const QString& path, const ResultFileBounds& bounds, ResultFileContent& content,
                    bool hashed = false);
// Whether a file would be read, told without reading it: Read for a regular
// file that can be opened, otherwise as readResultFile says.
ResultFileContent probeResultFile(const QString& path);
