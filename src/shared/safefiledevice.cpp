#include "shared/safefiledevice.h"

namespace {

constexpr qsizetype kHeldBytes = qsizetype(1) << 20;

} // namespace

SafeFileDevice::SafeFileDevice(SafeFile& file) : m_file(file) {
    m_held.reserve(kHeldBytes);
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

SafeFileDevice::~SafeFileDevice() {
    if (isOpen())
        (void)finish();
}

qint64 SafeFileDevice::readData(char*, qint64) {
    return -1;
}

qint64 SafeFileDevice::writeData(const char* data, qint64 size) {
    if (!m_status)
        return -1;
    m_held.append(data, qsizetype(size));
    if (m_held.size() >= kHeldBytes && !flushHeld())
        return -1;
    m_written += size;
    return size;
}

bool SafeFileDevice::flushHeld() {
    if (m_held.isEmpty() || !m_status)
        return bool(m_status);
    m_status = m_file.write(m_held);
    m_held.resize(0);
    if (!m_status)
        setErrorString(m_status.error().message);
    return bool(m_status);
}

Status SafeFileDevice::finish() {
    flushHeld();
    if (isOpen())
        close();
    return m_status;
}
