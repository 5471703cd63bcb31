#include "methods/resultfiles.h"

QString valuesResultFile(const QString& strMatrice, const QString& methodCode) {
    return strMatrice + QStringLiteral(".out") + methodCode + QStringLiteral(".csv");
}

QString ranksResultFile(const QString& strMatrice, const QString& methodCode) {
    return strMatrice + QStringLiteral(".out") + methodCode + QStringLiteral(".rnk");
}

QStringList resultFileLines(const Table& table, int nRighe, const Regional& regional) {
    QStringList lines;
    lines.reserve(nRighe);
    for (int r = 1; r <= nRighe; ++r)
        lines.append(regional.generalText(table(r, 1)) + u';' + regional.generalText(table(r, 2)));
    return lines;
}
