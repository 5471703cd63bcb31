#pragma once

#include <QString>

#include <random>

// The figures of the benchmark matrices: pseudo-random numbers from a fixed
// seed, so that every writer and every run gives the same values in the
// same order (row by row), with up to 17 significant digits as scripts
// write them.
class LargeMatrixValues {
public:
    double next() { return m_value(m_random); }

private:
    std::mt19937_64 m_random{20240315};
    std::uniform_real_distribution<double> m_value{0.0, 1000.0};
};

// Writes the benchmark matrix of the given size (a header row "Unità",
// "Ind1", ..., a label column "Unità 1", ..., and rows x cols figures) in
// the format the path's extension names: .xlsx, .ods (as LibreOffice writes
// it; with trailingRuns, also the empty runs to the sheet's last row and
// column that LibreOffice writes in ordinary files) or .csv (";" between
// fields, decimal commas, as Italian settings write it). False when the file
// cannot be written or the extension is none of these.
bool writeLargeMatrix(const QString& path, int rows, int cols, bool trailingRuns = false);

// The benchmark matrix of the given size and format (".ods") in the
// system's temporary folder, written on first use; empty when it cannot be
// written.
QString largeMatrix(const QString& suffix, int rows, int cols, bool trailingRuns = false);
