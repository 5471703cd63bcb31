#include "workbook/readahead.h"

#include <QIODevice>

#include <system_error>

ReadAhead::ReadAhead(QIODevice& device, qint64 chunkBytes, int chunks)
    : m_device(device), m_chunkBytes(chunkBytes),
      m_buffers(static_cast<std::size_t>(chunks),
                std::vector<char>(static_cast<std::size_t>(chunkBytes))),
      m_lengths(static_cast<std::size_t>(chunks), 0) {
    if (chunks < 2)
        return;
    try {
        m_worker = std::thread(&ReadAhead::run, this);
    } catch (const std::system_error&) {
        // No thread: next() reads on the caller's thread.
    }
}

ReadAhead::~ReadAhead() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_worker.joinable())
        m_worker.join();
}

void ReadAhead::run() {
    const int slots = static_cast<int>(m_buffers.size());
    int writeSlot = 0;
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return m_stop || m_busy < slots; });
            if (m_stop)
                return;
        }
        // The slot is free: the consumer never looks at it until it is published.
        auto& buffer = m_buffers[static_cast<std::size_t>(writeSlot)];
        const qint64 length = m_device.read(buffer.data(), m_chunkBytes);
        {
            const std::lock_guard lock(m_mutex);
            m_lengths[static_cast<std::size_t>(writeSlot)] = length;
            ++m_busy;
        }
        m_changed.notify_all();
        if (length <= 0)
            return; // the end, or a failure: the consumer sees it in this slot
        writeSlot = (writeSlot + 1) % slots;
    }
}

qint64 ReadAhead::next(const char** data) {
    *data = m_buffers.front().data();
    if (m_ended)
        return m_endLength;
    if (!m_worker.joinable()) {
        const qint64 length = m_device.read(m_buffers.front().data(), m_chunkBytes);
        if (length <= 0) {
            m_ended = true;
            m_endLength = length;
        }
        return length;
    }
    const int slots = static_cast<int>(m_buffers.size());
    std::unique_lock lock(m_mutex);
    if (m_holding) {
        // The previous chunk has been parsed: its slot goes back to the worker.
        m_holding = false;
        --m_busy;
        m_readSlot = (m_readSlot + 1) % slots;
        lock.unlock();
        m_changed.notify_all();
        lock.lock();
    }
    m_changed.wait(lock, [&] { return m_busy > 0; });
    m_holding = true;
    const auto slot = static_cast<std::size_t>(m_readSlot);
    *data = m_buffers[slot].data();
    if (m_lengths[slot] <= 0) {
        m_ended = true;
        m_endLength = m_lengths[slot];
    }
    return m_lengths[slot];
}
