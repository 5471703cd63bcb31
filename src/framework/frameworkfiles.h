#pragma once

#include "framework/frameworkcomputation.h"
#include "framework/structure.h"
#include "methods/resultfiles.h"
#include "shared/expected.h"
#include "shared/regional.h"

#include <QString>
#include <QStringList>

// The files of a method run over a structure, beside its result files:
// <workbook>.dim<CODE>.csv holds every group's index (but the overall
// one's, which the result files hold), a column per group in the order of
// Structure::groups, a line per unit, four decimals under the regional
// settings; <workbook>.dim<CODE>.rnk.csv the ranks within each group.
QString groupValuesFile(const QString& workbook, const QString& code);
QString groupRanksFile(const QString& workbook, const QString& code);

Status writeGroupFiles(const QString& workbook, const Structure& structure, const FrameworkRun& run,
                       const ResultLabels& labels, const Regional& regional);

// The structure as a tree for the batch tool's check: a line per element,
// indented two blanks per level, with its share within its parent and its
// effective weight in the overall index (six decimals), elements of weight 0
// marked as left out.
QStringList structureTree(const Structure& structure, const Regional& regional);
