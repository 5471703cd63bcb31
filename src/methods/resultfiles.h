#pragma once

#include "shared/regional.h"
#include "shared/table.h"

#include <QString>
#include <QStringList>

// The two result files of a method run, beside the workbook: the values
// result file <workbook>.out<CODE>.csv and the ranks result file
// <workbook>.out<CODE>.rnk.
QString valuesResultFile(const QString& strMatrice, const QString& methodCode);
QString ranksResultFile(const QString& strMatrice, const QString& methodCode);

// The lines of a result file from columns 1 and 2 of rows 1..nRighe of a
// result table: "label;value", each field the general text of its cell.
QStringList resultFileLines(const Table& table, int nRighe, const Regional& regional);
