#pragma once

#include "shared/expected.h"

#include <QByteArrayView>
#include <QString>

#include <span>
#include <sys/types.h>
#include <vector>

// A file that is put in place whole or not at all; every file the program
// writes goes through it.
//
// The content goes to a temporary file in the folder of the final name,
// under a hidden name that begins with "." and the final name, so that no
// listing of names beginning with a workbook's name ever takes it. commit()
// flushes it to disk and renames it over the name: a reader sees the old
// file or the new one, never part of one. A symbolic link at the name is
// replaced like a file; what it points to is never opened or created. A
// regular file replaced keeps its permissions.
//
// The temporary file is locked while it is open. Opening removes the
// temporary files of the same name that no writer holds any more, the ones
// a killed run left behind; a live writer's file, in this process or
// another, is never touched.
//
// Two ways to fill it: write() the bytes, or hand temporaryPath() to a
// library that writes the file by its name (it may empty or recreate it)
// and commit() once the library has closed it.
//
// Every function that can fail returns a File failure whose Italian message
// names the final file and the cause. An
// object destroyed without a successful commit() removes its temporary
// file and leaves the name as it was.
class SafeFile {
public:
    explicit SafeFile(const QString& path);
    ~SafeFile();
    SafeFile(SafeFile&& other) noexcept;
    SafeFile& operator=(SafeFile&&) = delete;
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Checks that the name can be replaced (its folder exists and takes new
    // files, no folder and no write-protected file holds the name) and
    // creates the temporary file.
    Status open();
    // Appends bytes to the temporary file.
    Status write(QByteArrayView bytes);
    // The temporary file's path while the file is open; empty otherwise.
    QString temporaryPath() const { return m_temporary; }
    // Flushes the temporary file to disk (done by commit() when not before).
    Status sync();
    // Puts the file in place: sync(), then the rename over the name, then
    // the folder flushed to disk. After a failure the name is unchanged.
    Status commit();
    // Removes the temporary file; the name stays as it was.
    void discard();

    const QString& path() const { return m_path; }
    // The cause alone of the last failure, for lists that name the file.
    const QString& failureCause() const { return m_cause; }

    // The SHA-256 of the temporary file's bytes (lower-case hexadecimal),
    // once it is on disk; a failure when it cannot be read back.
    Expected<QByteArray> temporarySha256();

private:
    friend Status commitTogether(std::span<SafeFile> files);
    // The failure naming the file, cause kept for failureCause().
    Failure failed(const QString& cause);
    // Checks that the name can be replaced; tells whether a regular file
    // holds it now, and its mode.
    Status checkReplaceable(bool* replacesFile, mode_t* mode);
    // Creates and locks the temporary file: its descriptor, or -1 when the
    // name is taken (or was taken away before the lock) and another must be
    // tried.
    Expected<int> createTemporary(const QString& temporary);
    // The rename of a synced file over its name, the folder flushed after.
    Status putInPlace();

    QString m_path;
    QString m_cause;
    QString m_temporary;
    int m_fd = -1;
    bool m_synced = false;
};

// Writes bytes to path at once through a SafeFile: opened, written,
// committed; the first failure is returned.
Status writeFileSafely(const QString& path, QByteArrayView bytes);

// Commits several open files together: every one is flushed to disk before
// the first is renamed, so a failure to write leaves every name as it was.
// A rename that fails (rare once the data is on disk) discards the files
// not yet renamed and is reported. The files of the thread's commit
// companion, if any, are made for them and go with them: when they cannot
// be written, no name changes.
Status commitTogether(std::span<SafeFile> files);

// A file about to be put in place, as its companion sees it.
struct CommittingFile {
    QString path;      // the final name
    QByteArray sha256; // of its bytes, lower-case hexadecimal
};

// What must change together with the files committed on a thread (the
// record of a workbook's outputs beside them): consulted by every commit
// while a CommitCompanionScope holds it.
class CommitCompanion {
public:
    virtual ~CommitCompanion() = default;
    // Opens and fills, into companions, the files that go in place with
    // files (all synced); a failure naming the file when they cannot be
    // made: then nothing is committed. Never commits itself.
    virtual Status prepare(const std::vector<CommittingFile>& files,
                           std::vector<SafeFile>& companions) = 0;
    // Told once files and companions are all in place.
    virtual void committed() {}
};

// Makes companion the commit companion of this thread while it lives (the
// one before comes back after it).
class CommitCompanionScope {
public:
    explicit CommitCompanionScope(CommitCompanion* companion);
    ~CommitCompanionScope();
    CommitCompanionScope(const CommitCompanionScope&) = delete;
    CommitCompanionScope& operator=(const CommitCompanionScope&) = delete;
    // The companion of this thread; null outside every scope.
    static CommitCompanion* current();

private:
    CommitCompanion* m_previous;
};
