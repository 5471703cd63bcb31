#include "largematrix.h"

#include "largecsv.h"
#include "largeods.h"
#include "largexlsx.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool writeLargeMatrix(const QString& path, int rows, int cols, bool trailingRuns) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("xlsx"))
        return writeLargeXlsx(path, rows, cols);
    if (suffix == QStringLiteral("ods"))
        return writeLargeOds(path, rows, cols, trailingRuns);
    if (suffix == QStringLiteral("csv"))
        return writeLargeCsv(path, rows, cols);
    return false;
}

QString largeMatrix(const QString& suffix, int rows, int cols, bool trailingRuns) {
    const QString path =
        QDir::temp().filePath(QStringLiteral("orvalta_bench_%1x%2%3%4")
                                  .arg(rows)
                                  .arg(cols)
                                  .arg(trailingRuns ? QStringLiteral("_lo") : QString(), suffix));
    if (QFileInfo::exists(path))
        return path;
    // Written under another name first, so that an interrupted run leaves no
    // half-written file behind for the next one.
    const QString partial = path + QStringLiteral(".part") + suffix;
    QFile::remove(partial);
    if (!writeLargeMatrix(partial, rows, cols, trailingRuns) || !QFile::rename(partial, path)) {
        QFile::remove(partial);
        return QString();
    }
    return path;
}
