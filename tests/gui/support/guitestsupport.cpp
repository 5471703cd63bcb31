#include "guitestsupport.h"

#include "ui/grid/gridview.h"
#include "workbook/caricamatrice.h"

Processing::MatrixLoader memoryLoader(std::shared_ptr<Rows> rows, const Regional& regional) {
    return [rows, regional](const QString& path, WorkProgress* progress) {
        const MemoryReader reader(*rows);
        return carica_matrice(reader, path, regional, progress);
    };
}

Processing::MatrixLoader memoryLoader(const Rows& rows, const Regional& regional) {
    return memoryLoader(std::make_shared<Rows>(rows), regional);
}

bool writeMethodResults(const QString& workbook, const Rows& rows,
                        const std::vector<int>& positions, const Regional& regional) {
    const std::unique_ptr<Processing> processing = processingOf(workbook, rows, regional);
    for (const int position : positions)
        if (!processing->run(MethodPosition(position)))
            return false;
    return true;
}

CellValue t(const char* text) {
    return CellValue(QString::fromUtf8(text));
}

QStringList gridColumnTexts(const GridView* grid, int col) {
    QStringList texts;
    for (int r = 0; r < grid->gridModel()->gridRowCount(); ++r)
        texts.append(grid->gridModel()->gridText(r, col));
    return texts;
}
