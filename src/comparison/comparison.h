#pragma once

#include "comparison/cograduation.h"
#include "comparison/texttable.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"

#include <QString>
#include <QStringList>

#include <span>
#include <vector>

// One method of a comparison, read from its two result files.
struct ComparedMethod {
    QString header; // the index header both files carry
    // Unit by unit, in the order of the files: the number the value text
    // reads as under the settings that wrote it (writtenIndexTextKey: texts
    // equal to four decimals give equal numbers, NaN for a text that is no
    // number), and the rank, 1..n, each rank once.
    std::vector<double> values;
    std::vector<int> ranks;
};

// What comparing the result files of two or more methods gives.
struct ComparisonResult {
    // One column: the corner label in row 0, then the unit labels, as
    // read from the first method's values file.
    TextTable labels;
    std::vector<ComparedMethod> methods; // in the order given
    // The cograduation matrix of the ranks (see cograduationMatrix).
    CoefficientMatrix cograduation;

    int units() const { return labels.rowCount() - 1; }
    QString corner() const { return labels.cell(0, 0); }
    QString label(int unit) const { return labels.cell(unit + 1, 0); }
    // The index headers of the methods, in order.
    QStringList headers() const;
    // The ranks of each method, in order.
    std::vector<std::span<const int>> rankColumns() const;
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
// files' numbers were written under (regional for the entries it does not
// reach): each value text is read under the settings that wrote it.
Expected<ComparisonResult> compareMethods(const QString& strCartella, const QStringList& entries,
                                          const Regional& regional,
                                          WorkProgress* progress = nullptr,
                                          const std::vector<Regional>& writtenUnder = {});
