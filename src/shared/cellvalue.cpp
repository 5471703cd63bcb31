#include "shared/cellvalue.h"

CellValue CellValue::fromBool(bool value) {
    CellValue cell;
    cell.m_value = value;
    return cell;
}

CellValue CellValue::fromDate(const QDateTime& value) {
    CellValue cell;
    cell.m_value = value;
    return cell;
}

CellValue CellValue::fromError(const QString& code) {
    CellValue cell;
    cell.m_value = CellError{code};
    return cell;
}

bool CellValue::equalsEmptyText() const {
    return isEmpty() || (isText() && text().isEmpty());
}
