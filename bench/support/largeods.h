#pragma once

#include <QString>

// Writes the benchmark matrix as an .ods workbook (see largematrix.h).
bool writeLargeOds(const QString& path, int rows, int cols, bool trailingRuns);
