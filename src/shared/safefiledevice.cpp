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
        finish();
}

qint64 SafeFileDevice::readData(char*, qint64) {
    return -1;
}

qint64 SafeFileDevice::writeData(const char* data, qint64 size) {
    if (!m_failure.isEmpty())
        return -1;
    m_held.append(data, qsizetype(size));
    if (m_held.size() >= kHeldBytes && !flushHeld())
        return -1;
    m_written += size;
    return size;
}

bool SafeFileDevice::flushHeld() {
    if (m_held.isEmpty() || !m_failure.isEmpty())
        return m_failure.isEmpty();
    m_failure = m_file.write(m_held);
    m_held.resize(0);
    if (!m_failure.isEmpty())
        setErrorString(m_failure);
    return m_failure.isEmpty();
}

QString SafeFileDevice::finish() {
    flushHeld();
    if (isOpen())
        close();
    return m_failure;
}
