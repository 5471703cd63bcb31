#pragma once

#include "shared/regional.h"

#include <QString>

#include <benchmark/benchmark.h>

// Loads and validates the matrix of rows x cols at path with the real loader
// once per iteration, and counts the cells loaded per second; a refused or
// unreadable workbook skips the benchmark with its message.
void loadMatrixRepeatedly(benchmark::State& state, const QString& path, const Regional& regional,
                          int rows, int cols);
