#pragma once

#include "shared/expected.h"
#include "shared/regional.h"
#include "stats/matrix.h"
#include "stats/matrixrefusals.h"
#include "workbook/workbookreader.h"

#include <QString>

#include <optional>

// Reads the source matrix of the workbook at path: the block from A1 (as
// many columns as consecutive non-empty cells in row 1, as many rows as in
// column 1), the unit labels, the indicator names with their polarity, the
// values, weights of 1 and no missing cell. The data values are checked
// column by column and, within a column, row by row: an empty value, then a
// value that is not a finite number (a numeric text under the regional
// settings counts as its number and is stored as that number); the first
// invalid cell decides. Then an indicator whose minimum equals its maximum
// is refused, the lowest column first.
//
// With MissingCells::Marked, a value that is not a number refuses nothing:
// it is marked in Matrix::missing, kMissingEmpty for an empty cell,
// kMissingText for a text that says the value is not available (trimmed,
// any letter case: NA, N/A, n.d., n.a., .., :, -, ND), kInvalidValue for
// anything else, which the treatment of the missing cells refuses
// (invalidValueRefusal); the constant indicators are left to it too.
//
// Fails with FailureKind::Refused (the matrix breaks a rule; the message is
// the refusal text), File (the workbook cannot be read, is beyond a
// reader's limit or holds no matrix) or Cancelled.
// With progress given, the reading ("Lettura della matrice") and the checks
// ("Controllo della matrice") are reported to it, and a cancellation stops
// the work at the next check. Running out of memory throws std::bad_alloc.
// With sheetNames given, the names of the workbook's sheets go there, as its
// reader lists them, whenever it could be read.
enum class MissingCells { Refused, Marked };

Expected<Matrix> carica_matrice(const QString& path, const Regional& regional,
                                WorkProgress* progress = nullptr, QStringList* sheetNames = nullptr,
                                MissingCells missing = MissingCells::Refused);

// The same, over a workbook that is already open; path names it in the
// messages.
Expected<Matrix> carica_matrice(const WorkbookReader& reader, const QString& path,
                                const Regional& regional, WorkProgress* progress = nullptr,
                                MissingCells missing = MissingCells::Refused);

// Whether a text says that a value is not available: NA, N/A, n.d., n.a.,
// .., :, - or ND, trimmed, in any letter case.
bool isNotAvailableText(const QString& text);
