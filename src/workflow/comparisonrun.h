#pragma once

#include "comparison/comparison.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"

#include <QString>
#include <QStringList>

// A comparison of the methods chosen, as the comparison window and
// `orvalta-batch compare` run it: what it found, and whether its two files
// were written.
struct ComparisonRun {
    ComparisonResult comparison;
    Status saved; // both comparison files on disk, or why neither was replaced
};

// Compares the methods whose values result files are entries (names in the
// folder of workbook), in that order (compareMethods), then writes the
// values and ranks comparison files of workbook (writeComparisonFiles).
// Fails, writing nothing, when the files do not belong together. A
// comparison whose files cannot be written is returned all the same, saved
// holding the File failure; the earlier files stay as they were. Progress,
// when given, is told the reading, the computing and the writing; cancelled
// by the time the files are read, it fails with Cancelled and writes nothing.
Expected<ComparisonRun> compareAndSave(const QString& workbook, const QStringList& entries,
                                       const Regional& regional, WorkProgress* progress = nullptr);
