#include "workbook/xls/bifffailure.h"

BiffFailure BiffFailure::at(Kind kind, qsizetype offset) {
    BiffFailure f;
    f.kind = kind;
    f.offset = offset;
    return f;
}
