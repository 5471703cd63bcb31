#include "robustness/analysistable.h"

TextTable AnalysisTable::texts() const {
    TextTable table(rowCount(), columnCount());
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if (QString text = cell(r, c); !text.isEmpty())
                table.setCell(r, c, text);
    return table;
}
