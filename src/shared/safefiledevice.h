#pragma once

#include "shared/safefile.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

// A write-only device over an open SafeFile, for libraries that write to a
// device and report no failure of their own (the PDF writer): the bytes go
// to the file a megabyte at a time. The first failure stops the writing
// (every later write fails too) and is kept for finish().
class SafeFileDevice : public QIODevice {
public:
    // Opens the device for writing; file must be open and outlive it.
    explicit SafeFileDevice(SafeFile& file);
    ~SafeFileDevice() override;

    // Writes what is held, closes the device and returns the first failure
    // (the safe writer's), or success when every byte is in the temporary
    // file. The file is committed by its owner.
    Status finish();
    // The bytes written so far.
    qint64 written() const { return m_written; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool flushHeld();

    SafeFile& m_file;
    QByteArray m_held;
    Status m_status;
    qint64 m_written = 0;
};
