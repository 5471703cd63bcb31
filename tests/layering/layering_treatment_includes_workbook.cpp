// The treatment of missing cells works on a matrix, never on a workbook.
#include "treatment/missing.h"
#include "workbook/caricamatrice.h"

int main() {
    return 0;
}
