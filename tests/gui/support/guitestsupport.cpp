#include "guitestsupport.h"

#include "support/testsupport.h"
#include "workbook/caricamatrice.h"

IndiceMP::MatrixLoader loaderDa(std::shared_ptr<Rows> rows, const Regional& regional) {
    return [rows, regional](SharedState& s, WorkProgress& progress) {
        const MemoryReader reader(*rows);
        return carica_matrice(s, reader, regional, &progress);
    };
}

IndiceMP::MatrixLoader loaderDa(const Rows& rows, const Regional& regional) {
    return loaderDa(std::make_shared<Rows>(rows), regional);
}

CellValue t(const char* text) {
    return CellValue(QString::fromUtf8(text));
}
