#include "comparison/resultfilelisting.h"

#include "shared/resultnames.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

QStringList valuesResultFiles(const QString& strMatrice) {
    // The folder is listed unfiltered: a name filter would read the
    // workbook's name as a wildcard pattern.
    const QStringList names =
        QFileInfo(strMatrice)
            .dir()
            .entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Unsorted);
    QStringList found;
    for (const QString& name : names)
        if (matchesValuesResultPattern(strMatrice, name))
            found.append(name);
    std::sort(found.begin(), found.end(),
              [](const QString& a, const QString& b) { return QString::compare(a, b) < 0; });
    return found;
}
