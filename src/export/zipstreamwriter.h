#pragma once

#include "shared/expected.h"

#include <QByteArray>
#include <QString>

#include <memory>

// A ZIP archive written entry after entry, its bytes deflated on a second
// thread while the caller produces the next ones.
//
// Entries are deflated at zlib's fastest level: the workbooks it writes are
// hundreds of megabytes of repetitive XML, where the fastest level costs a
// fifth more space and a third of the time. ZIP64 is on, so no entry or
// archive is too big.
//
// The caller hands over chunks of an entry's bytes; a chunk of about a
// megabyte keeps both threads busy. At most a few chunks wait at a time, so
// a fast producer waits for the writing thread instead of piling up memory.
class ZipStreamWriter {
public:
    // Creates (or empties) the archive at path.
    explicit ZipStreamWriter(const QString& path);
    ~ZipStreamWriter();
    ZipStreamWriter(const ZipStreamWriter&) = delete;
    ZipStreamWriter& operator=(const ZipStreamWriter&) = delete;

    // Ends the entry being written, if any, and starts the one named name.
    void beginEntry(const QString& name);
    // Appends bytes to the current entry.
    void write(QByteArray bytes);
    // True once writing has failed: what follows is thrown away, and
    // finish() reports the failure.
    bool failed() const;
    // Ends the last entry and the archive and waits for the writing thread.
    // A File failure whose message is the cause, in Italian, when the
    // archive could not be written.
    Status finish();

private:
    struct Shared;
    std::unique_ptr<Shared> m_shared;
};
