#include "methods/resultfiles.h"

QString valuesResultFile(const QString& strMatrice, const QString& methodCode) {
    return resultFileName(strMatrice, ResultFileKind::MethodValues, methodCode);
}

QString ranksResultFile(const QString& strMatrice, const QString& methodCode) {
    return resultFileName(strMatrice, ResultFileKind::MethodRanks, methodCode);
}

TextLines resultFileLines(const Table& table, int nRighe, ResultColumn column,
                          const Regional& regional) {
    return TextLines(nRighe, [&table, column, &regional](qsizetype i, QByteArray& bytes) {
        const int r = static_cast<int>(i) + 1;
        QString value;
        if (r == 1)
            value = regional.generalText(table.header(2));
        else if (column == ResultColumn::IndexValues)
            value = regional.indexText(table(r, 2));
        else
            value = regional.generalText(CellValue(table(r, 2)));
        bytes += (regional.generalText(table.label(r)) + u';' + value).toUtf8();
    });
}
