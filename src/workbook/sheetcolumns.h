#pragma once

#include "shared/cellvalue.h"
#include "shared/expected.h"
#include "shared/regional.h"

#include <QString>

#include <span>
#include <vector>

class WorkbookReader;

// A column a sheet of definitions (a structure, the composites) may have,
// named in its row 1.
struct KnownColumn {
    const char16_t* name;
    bool required;
};

// Row 1 of such a sheet: where each known column is.
struct SheetColumns {
    std::vector<int> at; // per known column, its sheet column (from 1); 0 when absent
    int width = 0;       // the last column of row 1 that names something
};

// Whether a cell holds nothing but blanks.
bool isBlankCell(const CellValue& cell, const Regional& regional);

// The last column of the row that holds something; 0 for a blank row.
int lastFilledColumn(const WorkbookReader& reader, int row, const Regional& regional);

// Reads row 1 of the sheet the reader has open: the column names in any
// order and letter case (blanks around them ignored). Refuses
// (FailureKind::Refused), the message beginning with subject ("La
// struttura dal foglio Struttura"): a column without a name or with a name
// not known (listing the known ones), a column named twice, a required
// column missing.
Expected<SheetColumns> sheetColumns(const WorkbookReader& reader,
                                    std::span<const KnownColumn> known, const QString& subject,
                                    const Regional& regional);
