#pragma once

#include "shared/regional.h"
#include "shared/resultnames.h"
#include "shared/table.h"
#include "shared/textfile.h"

#include <QString>

// The two result files of a method run, beside the workbook: the values
// result file <workbook>.out<CODE>.csv and the ranks result file
// <workbook>.out<CODE>.rnk.
QString valuesResultFile(const QString& strMatrice, const QString& methodCode);
QString ranksResultFile(const QString& strMatrice, const QString& methodCode);

// What column 2 of a result table holds below its header.
enum class ResultColumn {
    IndexValues, // matValori: index values, written as their index value texts
    Ranks        // matRanghi: ranks, written as whole numbers
};

// The lines of a result file from columns 1 and 2 of rows 1..nRighe of a
// result table: "label;value", the label column and the header in their
// general text. The table and the regional settings must outlive the lines.
TextLines resultFileLines(const Table& table, int nRighe, ResultColumn column,
                          const Regional& regional);
