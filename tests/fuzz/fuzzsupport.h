#pragma once

#include "shared/regional.h"
#include "workbook/workbookreader.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// Writes the fuzzer's input to a scratch file (in memory-backed /dev/shm when
// it exists) and returns its path; the same path is reused by every run.
QString writeFuzzInput(const std::uint8_t* data, std::size_t size, const QString& suffix);

// A sheet read two ways from one fuzzer input: its first byte chooses
// between a workbook (.xlsx) and a delimited file (.csv) and between the
// Italian and the C regional settings; the rest is the file, written as
// writeFuzzInput writes it.
struct SheetFuzzInput {
    QString path;
    bool workbook = false;
    const Regional* regional = nullptr;
};
// size must be above 0.
SheetFuzzInput sheetFuzzInput(const std::uint8_t* data, std::size_t size);

// Reads every sheet of the input in one pass, then opens it with the reader
// and, when a sheet opens, loads its matrix. Every failure must come back as
// a message; a silent one stops the fuzzer.
// Bounds a few times smaller than the readers' own, so that one input stays
// within the fuzzer's memory limit; the limits themselves are exercised all
// the same.
template <typename Limits> Limits fuzzLimits() {
    Limits limits;
    limits.maxCells = 2'000'000;
    limits.maxTextCharacters = 8'000'000;
    return limits;
}

void fuzzWorkbook(WorkbookReader& reader, const std::uint8_t* data, std::size_t size,
                  const QString& suffix);
