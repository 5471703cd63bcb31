#include "comparison/resultfilelisting.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

QStringList valuesResultFiles(const QString& strMatrice) {
    const QFileInfo workbook(strMatrice);
    const QString prefix = workbook.fileName() + QStringLiteral(".out");
    const QString suffix = QStringLiteral(".csv");
    // The folder is listed unfiltered: a name filter would read the
    // workbook's name as a wildcard pattern.
    const QStringList names = workbook.dir().entryList(
        QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    QStringList found;
    for (const QString& name : names) {
        if (name.size() < prefix.size() + suffix.size() || !name.startsWith(prefix) ||
            !name.endsWith(suffix))
            continue;
        if (name.endsWith(QStringLiteral(".val.csv")) || name.endsWith(QStringLiteral(".rnk.csv")))
            continue;
        found.append(name);
    }
    std::sort(found.begin(), found.end(),
              [](const QString& a, const QString& b) { return QString::compare(a, b) < 0; });
    return found;
}

QString ranksFileFor(const QString& valuesEntry) {
    return valuesEntry.left(std::max<qsizetype>(0, valuesEntry.size() - 3)) + QStringLiteral("rnk");
}
