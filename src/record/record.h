#pragma once

#include "shared/expected.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

// The record of a workbook's outputs, <workbook>.registro.json beside it:
// for every file the program wrote beside the workbook, what it was
// computed from, so that a reader can tell whether the file is current.

// What an input plays in the computation of a file.
enum class InputRole {
    Matrix,     // the workbook, whose first sheet is the matrix
    Structure,  // the structure of the indicators (a file of its own)
    Composites, // the definitions of the composites (a file of their own)
    File,       // a file the program wrote (results, a comparison...)
    Together    // a file written in the same change: rewritten alone, it leaves this one behind
};

// A file read to compute an output.
struct RecordInput {
    QString name;      // bare, beside the workbook; a full path elsewhere
    QByteArray sha256; // lower-case hexadecimal
    InputRole role = InputRole::File;
    bool operator==(const RecordInput&) const = default;
};

// One written file.
struct RecordEntry {
    QByteArray sha256;     // of the file's bytes, lower-case hexadecimal
    QString written;       // ISO 8601 UTC
    QString by;            // the command line, or the window and the action
    QStringList arguments; // the batch command's arguments after the program, when one wrote it
    QString program;       // name and version
    QString decimal;       // the decimal separator of the file's numbers
    QString locale;        // the regional settings they were written under ("it_IT", "C")
    std::vector<RecordInput> inputs;
    QJsonObject settings; // everything that chose the numbers
    bool operator==(const RecordEntry&) const = default;
};

// The entries by bare file name, and the order they were written in.
struct Record {
    std::map<QString, RecordEntry> entries;
    const RecordEntry* find(const QString& name) const;
};

// The most bytes a record may take: it holds a few hundred bytes per
// file, so this is far beyond any record of the program's.
inline constexpr qint64 kMaxRecordBytes = qint64(16) << 20;

// The record's path for the workbook strMatrice.
QString recordPath(const QString& strMatrice);

// Reads the record beside the workbook: empty when there is none. Fails
// (File) naming it when it is not a regular file, is larger than the
// limit, or is not a record; a FIFO or a device is refused without being
// opened for reading.
Expected<Record> readRecord(const QString& strMatrice);

// Whether the record beside the workbook can be read: asked before a long
// work whose files will go into it, so that a record that cannot be read
// refuses the work at once rather than at its end.
Status recordReadable(const QString& strMatrice);

// The record as its file holds it (UTF-8 JSON).
QByteArray recordBytes(const Record& record);

// The SHA-256 of a file's bytes, lower-case hexadecimal; empty when it
// cannot be read (missing, not a regular file).
QByteArray fileSha256(const QString& path);

// Whether a file beside a workbook can be trusted, and why not.
struct Currency {
    enum class State { Current, Unrecorded, Stale };
    State state = State::Unrecorded;
    QString reason;                     // in Italian, for Stale ("modificato dopo il calcolo")
    const RecordEntry* entry = nullptr; // null when Unrecorded
    bool current() const { return state == State::Current; }
};

// Hashes of the files present, computed once per path.
class HashCache {
public:
    QByteArray sha256(const QString& path);
    // Takes the hash of the bytes just read from the file at path, so that
    // the file is not read again to be hashed.
    void remember(const QString& path, const QByteArray& sha256);

private:
    std::map<QString, QByteArray> m_hashes;
};

// Whether the file at path (beside the workbook strMatrice) is current:
// its bytes match its entry and every input of the entry matches the file
// present now.
Currency currencyOf(const QString& strMatrice, const Record& record, const QString& path,
                    HashCache& hashes);

// The one-line notice for a file without an entry, and the line naming a
// stale file and why, in Italian.
QString unrecordedNotice(const QString& path);
QString staleNotice(const QString& path, const Currency& currency);
