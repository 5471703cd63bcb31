#pragma once

#include "workbook/xmlstream.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

class QIODevice;

// Reads a device on a worker thread, a few chunks ahead of the consumer, so
// that inflating a zip entry and parsing it run side by side. At most
// `chunks` chunks of `chunkBytes` are held at once, whatever the device's
// size. The device must not be touched by anyone else until the ReadAhead
// is destroyed; destroying it early stops the worker after its current read.
// With one chunk, or when no thread can be started, the device is read on
// the caller's thread.
class ReadAhead : public XmlSource {
public:
    explicit ReadAhead(QIODevice& device, qint64 chunkBytes = 256 * 1024, int chunks = 4);
    ~ReadAhead() override;
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next chunk in device order; 0 at the end, -1 on a read failure.
    qint64 next(const char** data) override;

private:
    void run();

    QIODevice& m_device;
    const qint64 m_chunkBytes;
    std::vector<std::vector<char>> m_buffers; // a ring
    std::vector<qint64> m_lengths;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_busy = 0;         // slots filled by the worker or held by the consumer
    int m_readSlot = 0;     // the next slot the consumer takes
    bool m_holding = false; // the consumer holds m_readSlot
    bool m_stop = false;
    bool m_ended = false; // the end or a failure has been handed out
    qint64 m_endLength = 0;
    std::thread m_worker;
};
