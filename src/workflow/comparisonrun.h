#pragma once

#include "comparison/comparison.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <QStringList>
#include <optional>

// A comparison of the methods chosen, as the comparison window and
// `orvalta-batch compare` run it: what it found, and whether its two files
// were written.
struct ComparisonRun {
    ComparisonResult comparison;
    Status saved; // both comparison files on disk, or why neither was replaced
    // A line for each file compared whose origin cannot be checked (it has
    // no entry in the record), in Italian.
    QStringList notices;
};

// The comparison of current result files (compareMethods after
// checkCurrent), and the lines of the files without an entry.
struct CheckedComparison {
    ComparisonResult comparison;
    QStringList notices;
};
Expected<CheckedComparison>
compareCurrent(const QString& workbook, const QStringList& entries, const Regional& regional,
               WorkProgress* progress = nullptr,
               const std::optional<QJsonObject>& expected = std::nullopt);

// Compares the methods whose values result files are entries (names in the
// folder of workbook), in that order (compareMethods), then writes the
// values and ranks comparison files of workbook (writeComparisonFiles).
// Fails, writing nothing, when the files do not belong together, or one is
// not current (checkCurrent) or was computed on a matrix other than the
// others' (the latest one's, or expected when given). Each file's numbers
// are read under the regional settings of its entry. A
// comparison whose files cannot be written is returned all the same, saved
// holding the File failure; the earlier files stay as they were. Progress,
// when given, is told the reading, the computing and the writing; cancelled
// by the time the files are read, it fails with Cancelled and writes nothing.
Expected<ComparisonRun> compareAndSave(const QString& workbook, const QStringList& entries,
                                       const Regional& regional, WorkProgress* progress = nullptr,
                                       const std::optional<QJsonObject>& expected = std::nullopt);

// Whether the files at paths (beside workbook) are current and computed
// on the same matrix (expected's, else the latest one's): the lines of the
// files without an entry, or a File failure naming the first file that
// is not current and why ("calcolato su un'altra versione della matrice").
Expected<QStringList> checkCurrent(const QString& workbook, const QStringList& paths,
                                   const Regional& regional,
                                   const std::optional<QJsonObject>& expected = std::nullopt);
