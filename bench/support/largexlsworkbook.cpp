#include "support/largexlsworkbook.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

QString largeXlsWorkbook() {
    const QString given =
        QProcessEnvironment::systemEnvironment().value(QStringLiteral("ORVALTA_BENCH_XLS"));
    if (!given.isEmpty())
        return QFileInfo::exists(given) ? given : QString();

    const QString path = QDir::temp().filePath(QStringLiteral("orvalta_bench_60000x50.xls"));
    if (QFileInfo::exists(path))
        return path;
    // The generator sits next to this folder in the source tree.
    const QString script =
        QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../make_large_xls.py"));
    const QString partial = path + QStringLiteral(".part");
    const int status = QProcess::execute(QStringLiteral("/usr/bin/python3"), {script, partial});
    if (status != 0 || !QFile::rename(partial, path)) {
        QFile::remove(partial);
        return QString();
    }
    return path;
}
