#include "workbook/cellnames.h"

QString columnName(int col) {
    QString name;
    while (col > 0) {
        const int digit = (col - 1) % 26;
        name.prepend(QChar(u'A' + digit));
        col = (col - 1) / 26;
    }
    return name;
}

QString cellName(int row, int col) {
    return columnName(col) + QString::number(row);
}
