#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// Writes the fuzzer's input to a scratch file (in memory-backed /dev/shm when
// it exists) and returns its path; the same path is reused by every run.
QString writeFuzzInput(const std::uint8_t* data, std::size_t size, const QString& suffix);
