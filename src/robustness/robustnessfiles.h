#pragma once

#include "comparison/texttable.h"
#include "shared/expected.h"

#include <QString>

// The files of the robustness analyses beside the workbook strMatrice. Their
// names begin with the workbook's file name, so the save command copies
// them, and none matches the values result files' "<workbook>.out*.csv".

// The rank summary: strMatrice + ".rob.csv".
QString rankSummaryFile(const QString& strMatrice);
// The indicator sensitivity of one method: strMatrice + ".sens" + code + ".csv".
QString sensitivityFile(const QString& strMatrice, const QString& code);
// The uncertainty over methods and indicator sets: strMatrice + ".unc.csv".
QString uncertaintyFile(const QString& strMatrice);

// Writes a table as every output file is written: each row a line, cells
// joined by ";" (quoted when they need it), UTF-8 without byte-order mark,
// CR LF, through the safe writer. A File failure whose Italian message
// names the file and the cause (the earlier file stays as it was).
Status writeTableFile(const QString& path, const TextTable& table);
