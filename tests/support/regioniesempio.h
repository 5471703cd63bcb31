#pragma once

#include "shared/cellvalue.h"

#include <vector>

// The matrix of the sample workbooks (examples/make_examples.py writes the
// same figures): the header row, then twenty regions by eight indicators.
std::vector<std::vector<CellValue>> regioniEsempio();
