#pragma once

#include <QString>

// Writes the benchmark matrix as delimited text (see largematrix.h).
bool writeLargeCsv(const QString& path, int rows, int cols);
