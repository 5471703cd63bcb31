#include "shared/xlsreader.h"

#include <QFileInfo>

bool XlsReader::open(const QString& path) {
    m_error = QStringLiteral("Il file %1 è una cartella di lavoro .xls (Excel 97-2003), formato "
                             "che questa versione non legge ancora: salvarlo in formato .xlsx.")
                  .arg(QFileInfo(path).fileName());
    return false;
}

const CellValue& XlsReader::cell(int row, int col) const {
    return m_sheet.at(row, col);
}

void XlsReader::close() {
    m_sheet.clear();
}
