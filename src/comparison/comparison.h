#pragma once

#include "comparison/texttable.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"

#include <QString>
#include <QStringList>

#include <vector>

// What comparing the result files of two or more methods gives.
struct ComparisonResult {
    // Row 0: the corner label, then the index header of each method in the
    // order given; rows 1..n: the unit label, then each method's value text
    // (values) or rank text (ranks) exactly as read from its result file.
    // The ranks are held as whole numbers (TextTable::wholeNumbers).
    TextTable values;
    TextTable ranks;
    // The cograduation matrix of the ranks (see cograduationMatrix).
    TextTable cograduation;
};

// Compares the methods whose values result files are `entries` (bare names
// in the folder strCartella), in that order; each method's ranks result file
// is the one named by ranksFileFor. Writes nothing.
//
// Before building anything it checks that the files belong together, and
// fails with a message naming the file and the problem when
// - fewer than two entries are given, or an entry does not end in "csv";
// - a values or ranks file is missing, cannot be read, is no regular file or
//   is larger than its lines can make (ResultFileBounds: the first method's
//   two files may have as many lines as a sheet has rows, every later file
//   as many as the first values file);
// - the first values file has fewer than three lines (a header and two units);
// - a file has not as many lines as the first values file, or a line has no ";";
// - the unit labels (and the corner label) of a method's values file differ
//   from the first method's, row by row;
// - a method's two files do not belong together (checkResultPair).
// A refusal is a File failure whose message is the one above. With progress
// given, the reading of the files and the computing of the matrix are
// reported to it.
// writtenUnder, when given, holds for each entry the regional settings its
// files' numbers were written under: values written under other settings
// are read under theirs and taken as regional writes them.
Expected<ComparisonResult> compareMethods(const QString& strCartella, const QStringList& entries,
                                          const Regional& regional,
                                          WorkProgress* progress = nullptr,
                                          const std::vector<Regional>& writtenUnder = {});
