#pragma once

#include "comparison/texttable.h"
#include "shared/regional.h"

#include <Qt>

#include <vector>

// The order of the data rows (1..) of a table sorted by one column: numbers
// (read under the regional settings) by value and before any other text,
// other texts by locale-aware comparison; equal cells keep their order.
// Returns the row indices in their new order.
std::vector<int> sortedRows(const TextTable& table, int column, Qt::SortOrder order,
                            const Regional& regional);

// The table with its data rows in the given order; row 0 stays first.
TextTable withRowOrder(const TextTable& table, const std::vector<int>& rows);
