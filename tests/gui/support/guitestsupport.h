#pragma once

#include "shared/cellvalue.h"
#include "shared/regional.h"
#include "support/regioniesempio.h"
#include "ui/processing/indicemp.h"

#include <memory>
#include <vector>

using Rows = std::vector<std::vector<CellValue>>;

// A loader that reads *rows as the first worksheet of the workbook, through
// the program's own checks; *rows may change between two openings.
IndiceMP::MatrixLoader loaderDa(std::shared_ptr<Rows> rows, const Regional& regional);
IndiceMP::MatrixLoader loaderDa(const Rows& rows, const Regional& regional);

// A text cell.
CellValue t(const char* text);
