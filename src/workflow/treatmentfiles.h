#pragma once

#include "shared/expected.h"
#include "shared/regional.h"
#include "stats/matrix.h"
#include "treatment/outliers.h"

#include <QString>
#include <QStringList>

// The shortest text that reads back as value, with the locale's decimal
// separator and no grouping: how the records of changed or filled cells
// write a value.
QString shortestText(double value, const Regional& regional);

// The record of an outlier treatment beside the workbook, both files
// written together: <workbook>.trattamenti.csv, a line per flagged
// indicator (the treatment, the values changed, skewness and kurtosis
// before and after), and <workbook>.trattati.csv, a line per changed cell
// (unit, indicator, original and treated value in their shortest texts
// that read back as the same number). original is the matrix as read.
// Returns the two paths.
Expected<QStringList> writeTreatmentFiles(const QString& workbook, const Matrix& original,
                                          const OutlierTreatment& treatment,
                                          const Regional& regional);
