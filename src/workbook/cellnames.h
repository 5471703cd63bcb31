#pragma once

#include <QString>

// Spreadsheet names of columns and cells, for messages: column 1 is "A",
// column 28 "AB"; cell (3, 2) is "B3". Both 1-based.
QString columnName(int col);
QString cellName(int row, int col);
