#include "guitestsupport.h"

#include "support/testsupport.h"
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
    Processing processing(regional, memoryLoader(rows, regional));
    if (!processing.load(workbook))
        return false;
    for (const int position : positions)
        if (!processing.run(MethodPosition(position)))
            return false;
    return true;
}

CellValue t(const char* text) {
    return CellValue(QString::fromUtf8(text));
}
