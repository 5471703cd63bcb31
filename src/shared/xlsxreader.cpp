#include "shared/xlsxreader.h"

#include <QFileInfo>

bool XlsxReader::open(const QString& path) {
    m_error = QStringLiteral("Il file %1 non può essere letto.").arg(QFileInfo(path).fileName());
    return false;
}

const CellValue& XlsxReader::cell(int row, int col) const {
    return m_sheet.at(row, col);
}

void XlsxReader::close() {
    m_sheet.clear();
}
