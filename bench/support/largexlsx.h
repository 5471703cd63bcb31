#pragma once

#include <QString>

// Writes a source matrix workbook of the given size for benchmarks: a
// header row ("Unità", "Ind1", ...) and a label column as shared strings,
// and rows x cols pseudo-random numbers (a fixed seed, so every run writes
// the same file) with up to 17 significant digits, as scripts write them.
// Returns false when the file cannot be written.
bool writeLargeXlsx(const QString& path, int rows, int cols);

// The path of the benchmark workbook of the given size in the system's
// temporary folder, written on first use.
QString largeXlsx(int rows, int cols);
