#pragma once

#include "comparison/comparison.h"

#include <QString>

// The values comparison file of the workbook strMatrice: strMatrice + ".val.csv".
QString valuesComparisonFile(const QString& strMatrice);
// The ranks comparison file of the workbook strMatrice: strMatrice + ".rnk.csv".
QString ranksComparisonFile(const QString& strMatrice);

// Writes the values table and the ranks table of a successful comparison to
// the two comparison files: every row a line, cells joined by ";", UTF-8
// without byte-order mark, CR LF after every line; each file replaces the
// earlier one completely. Returns an empty string on success, otherwise an
// Italian message naming the file and the cause.
//
// A refused comparison (result.ok false) writes nothing and returns its
// message. Both destinations are checked before either file is written (a
// folder in the place of a file, a missing or read-only folder, a read-only
// file), so the usual failures leave both earlier files intact. Should the
// ranks file still fail once the values file has been replaced (a full disk,
// say), the message says that the values file was already updated; each
// file on its own is never left half written.
QString writeComparisonFiles(const QString& strMatrice, const ComparisonResult& result);
