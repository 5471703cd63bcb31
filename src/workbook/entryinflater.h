#pragma once

#include <QIODevice>

#include <memory>

struct inflate_state;

// The inflated bytes of a deflated zip entry, read raw from its archive and
// inflated with ISA-L, which inflates and checks the CRC about three times
// as fast as zlib. No more than the entry's declared size is given out; at
// the end damaged() tells whether the stream failed to end there with the
// declared CRC. A damaged stream, or raw data that ends before the stream
// does, is a read failure (-1).
class EntryInflater : public QIODevice {
public:
    // rawSize, when known, is the size of the raw data: a small entry then
    // takes an input buffer of its own size.
    EntryInflater(QIODevice& raw, qint64 size, quint32 crc, qint64 rawSize = -1);
    ~EntryInflater() override;
    EntryInflater(const EntryInflater&) = delete;
    EntryInflater& operator=(const EntryInflater&) = delete;

    bool isSequential() const override { return true; }
    // The declared size has been read, or the stream has ended, and the
    // stream did not end at the declared size with the declared CRC. A
    // reader that stops early learns nothing of what it did not read.
    bool damaged() const { return m_done && !m_intact; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    // Inflates into out, at most room bytes: how many came (0 only once the
    // stream has ended), or -1 when the stream or the raw data is damaged.
    qint64 inflate(char* out, qint64 room);

    QIODevice& m_raw;
    const qint64 m_size;
    const quint32 m_crc;
    const qint64 m_inputBytes; // read from the raw data at a time
    std::unique_ptr<inflate_state> m_state;
    QByteArray m_input;
    qint64 m_given = 0;
    bool m_rawEnded = false;
    bool m_finished = false; // the stream's last block has been inflated
    bool m_done = false;     // the end has been checked
    bool m_intact = false;
};
