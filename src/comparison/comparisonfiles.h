#pragma once

#include "comparison/comparison.h"
#include "shared/expected.h"
#include "shared/regional.h"

#include <QString>

// The values comparison file of the workbook strMatrice: strMatrice + ".val.csv".
QString valuesComparisonFile(const QString& strMatrice);
// The ranks comparison file of the workbook strMatrice: strMatrice + ".rnk.csv".
QString ranksComparisonFile(const QString& strMatrice);

// Writes a comparison to the two comparison files, each a table of a line
// per row: the corner label and the index headers, then a line per unit with
// its label and, method by method, its index value text (indexText under the
// regional settings) in the values file and its rank in the ranks file.
// Cells are joined by ";" (quoted when they need it), UTF-8 without
// byte-order mark, CR LF after every line; each file replaces the earlier
// one completely. Fails with a File failure whose
// Italian message names the file and the cause.
//
// Both texts are written in full before either file is put in
// place, so a failure (a folder in the place of a file, a missing or
// read-only folder, a full disk) leaves both earlier files intact.
Status writeComparisonFiles(const QString& strMatrice, const ComparisonResult& result,
                            const Regional& regional);
