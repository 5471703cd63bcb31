#pragma once

#include "framework/structure.h"
#include "methods/methodcomputation.h"
#include "methods/resultfiles.h"
#include "shared/regional.h"
#include "shared/textfile.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// The files of a method run over a structure, beside its result files:
// <workbook>.dim<CODE>.csv holds every group's index (but the overall
// one's, which the result files hold), a column per group in the order of
// Structure::groups, a line per unit, four decimals under the regional
// settings; <workbook>.dim<CODE>.rnk.csv the ranks within each group.
QString groupValuesFile(const QString& workbook, const QString& code);
QString groupRanksFile(const QString& workbook, const QString& code);

// The lines of the two group files of a method run, for the writer:
// values, then ranks. A header line (the corner label, then each group's
// name), then per unit its label and its index (ranks file: its rank) in
// every group. groups holds what the method computed per element of the
// structure (FrameworkRun::groups; the overall index's is not read), for
// as many units as the labels have. The lines read structure, groups,
// labels and regional, which must outlive the writing.
std::pair<TextLines, TextLines> groupFileLines(const Structure& structure,
                                               const std::vector<MethodOutput>& groups,
                                               qsizetype units, const ResultLabels& labels,
                                               const Regional& regional);

// The structure as a tree for the batch tool's check: a line per element,
// indented two blanks per level, with its share within its parent and its
// effective weight in the overall index (six decimals), elements of weight 0
// marked as left out.
QStringList structureTree(const Structure& structure, const Regional& regional);
