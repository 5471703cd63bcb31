// A statistics source may use the shared layer below it.
#include "shared/cellvalue.h"
#include "stats/matrix.h"

int main() {
    const Matrix matrix = Matrix::ofSize(2, 1);
    return matrix.unitCount() == 2 && CellValue().isEmpty() ? 0 : 1;
}
