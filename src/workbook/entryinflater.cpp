#include "workbook/entryinflater.h"

#include <isa-l/igzip_lib.h>

#include <algorithm>
#include <limits>

namespace {
constexpr qint64 kInputBytes = 256 * 1024;
} // namespace

EntryInflater::EntryInflater(QIODevice& raw, qint64 size, quint32 crc, qint64 rawSize)
    : m_raw(raw), m_size(size), m_crc(crc),
      m_inputBytes(rawSize < 0 ? kInputBytes : std::clamp<qint64>(rawSize + 1, 1, kInputBytes)),
      m_state(std::make_unique<inflate_state>()) {
    isal_inflate_init(m_state.get());
    m_state->crc_flag = ISAL_GZIP_NO_HDR; // the CRC-32 of the output, as zip has it
    m_input.resize(m_inputBytes);
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

EntryInflater::~EntryInflater() = default;

qint64 EntryInflater::inflate(char* out, qint64 room) {
    inflate_state& state = *m_state;
    for (;;) {
        if (state.avail_in == 0 && !m_rawEnded) {
            const qint64 got = m_raw.read(m_input.data(), m_inputBytes);
            if (got < 0)
                return -1;
            m_rawEnded = got == 0;
            state.next_in = reinterpret_cast<uint8_t*>(m_input.data());
            state.avail_in = static_cast<uint32_t>(got);
        }
        const auto chunk =
            static_cast<uint32_t>(std::min<qint64>(room, std::numeric_limits<uint32_t>::max()));
        state.next_out = reinterpret_cast<uint8_t*>(out);
        state.avail_out = chunk;
        const uint32_t before = state.avail_in;
        if (isal_inflate(&state) < 0)
            return -1;
        const qint64 produced = chunk - state.avail_out;
        m_finished = state.block_state == ISAL_BLOCK_FINISH;
        if (produced > 0 || m_finished)
            return produced;
        // The raw data ended before the stream did, or nothing moved.
        if ((state.avail_in == 0 && m_rawEnded) || state.avail_in == before)
            return -1;
    }
}

qint64 EntryInflater::readData(char* data, qint64 maxSize) {
    // Never more than the declared size: a longer stream is cut there, as if
    // the entry ended, and is not intact.
    const qint64 wanted = std::min(maxSize, m_size - m_given);
    qint64 written = 0;
    while (written < wanted && !m_finished && !m_done) {
        const qint64 produced = inflate(data + written, wanted - written);
        if (produced < 0)
            return -1;
        written += produced;
    }
    m_given += written;
    if (!m_done && m_given == m_size) {
        // Every declared byte has been given: the stream must end here.
        char extra = 0;
        const bool ends = m_finished || inflate(&extra, 1) == 0;
        m_intact = ends && m_finished && m_state->crc == m_crc;
        m_done = true;
    } else if (!m_done && m_finished) {
        m_intact = false; // shorter than declared
        m_done = true;
    }
    return written;
}

qint64 EntryInflater::writeData(const char*, qint64) {
    return -1;
}
