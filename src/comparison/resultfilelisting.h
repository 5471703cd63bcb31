#pragma once

#include "shared/resultnames.h" // ranksFileFor: the ranks result file of an entry

#include <QString>
#include <QStringList>

// Finding the result files that the methods left beside a workbook.

// The bare names of the values result files of the workbook strMatrice (its
// full path): the files of its folder whose names are the workbook's file
// name, ".out", anything, ".csv", sorted by name (code point order). The
// comparison files (".val.csv", ".rnk.csv") and the files of other workbooks
// are never listed; wildcard characters in the workbook's name ("[", "*",
// "?") are matched literally. An unreadable or missing folder lists nothing.
QStringList valuesResultFiles(const QString& strMatrice);
