#pragma once

#include <QString>
#include <QTemporaryDir>

// A small tmpfs mounted on a temporary folder, for tests of full disks and
// read-only folders. Mounting needs root; when it fails, isMounted() is false
// and the test should be skipped.
class ScratchMount {
public:
    explicit ScratchMount(int kilobytes);
    ~ScratchMount();
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    bool isMounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    // Fills the file system until no byte is left, or (leaving > 0) about
    // that many bytes, for a write that fails part of the way.
    bool fill(qint64 leaving = 0);
    // Remounts it read-only (true) or read-write.
    bool setReadOnly(bool readOnly);

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
