#pragma once

#include "shared/expected.h"
#include "shared/regional.h"
#include "stats/matrix.h"

#include <QString>

#include <optional>

// The refusals of a matrix's cells, in Italian, shared by the loader and the
// treatment of missing cells.

// The refusal texts, for the indicator whose header text is given. A refused
// matrix's message is one of them, then a line naming the first offending
// cell, its unit and how many cells of the indicator are affected.
QString nullValuesMessage(const QString& indicator);
QString textValuesMessage(const QString& indicator);
QString constantIndicatorMessage(const QString& indicator);

// When a text is no number under the regional settings but is one under the
// other decimal separator ("12,5" under C, "12.5" under Italian): a line
// telling how to start the program so that it reads such numbers; empty
// otherwise.
QString separatorHint(const QString& text, const Regional& regional);

// The reference of a sheet cell (row and column from 1): "D7".
QString cellReference(int row, int column);

// A refusal (FailureKind::Refused): message, then a line naming the first
// offending cell (sheet row and column, from 1), its unit and how many cells
// of the indicator are affected, then separatorHint of the cell's text when
// there is one.
Failure refusedAt(const QString& message, int row, int column, const QString& unit, int affected,
                  const QString& text, const Regional& regional);

// The refusal of a matrix whose missing cells (Matrix::missing) are refused
// after all: the first marked cell in column order decides, as it decides
// when the loader refuses missing cells.
Failure missingCellsRefusal(const Matrix& matrix, const Regional& regional);

// The refusal of a matrix holding a cell marked kInvalidValue, a value no
// treatment takes: "valori alfanumerici" for the first in column order;
// nothing when there is none.
std::optional<Failure> invalidValueRefusal(const Matrix& matrix, const Regional& regional);
