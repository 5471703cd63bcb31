#include "support/scratchmount.h"

#include <QFile>
#include <QProcess>

#include <algorithm>

namespace {
bool runQuietly(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}
} // namespace

ScratchMount::ScratchMount(int kilobytes) {
    if (!m_dir.isValid())
        return;
    m_mounted = runQuietly(QStringLiteral("mount"),
                           {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                            QStringLiteral("size=%1k").arg(kilobytes), QStringLiteral("tmpfs"),
                            m_dir.path()});
}

ScratchMount::~ScratchMount() {
    if (m_mounted)
        runQuietly(QStringLiteral("umount"), {m_dir.path()});
}

bool ScratchMount::fill(qint64 leaving) {
    const QString path = m_dir.filePath(QStringLiteral("riempitivo.bin"));
    QFile filler(path);
    if (!filler.open(QIODevice::WriteOnly))
        return false;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    // Whatever room is left after the last whole block.
    while (filler.write("x", 1) == 1 && filler.flush()) {
    }
    filler.close();
    return leaving == 0 || QFile::resize(path, std::max<qint64>(QFile(path).size() - leaving, 0));
}

bool ScratchMount::setReadOnly(bool readOnly) {
    return runQuietly(QStringLiteral("mount"),
                      {QStringLiteral("-o"),
                       readOnly ? QStringLiteral("remount,ro") : QStringLiteral("remount,rw"),
                       m_dir.path()});
}
