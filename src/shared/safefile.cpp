#include "shared/safefile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Temporary names: "." + the final name (shortened to fit a file name) +
// kMarker + kRandomLength letters and digits.
const QString kMarker = QStringLiteral(".orvalta-");
constexpr int kRandomLength = 6;
constexpr qsizetype kMaxNameBytes = 255;

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

QString systemError(int error) {
    return qt_error_string(error);
}

// What every temporary name of the final name `name` begins with.
QString temporaryPrefix(const QString& name) {
    const qsizetype room = kMaxNameBytes - 1 - encoded(kMarker).size() - kRandomLength;
    QString kept = name;
    while (encoded(kept).size() > room) {
        kept.chop(1);
        if (!kept.isEmpty() && kept.back().isHighSurrogate())
            kept.chop(1);
    }
    return u'.' + kept + kMarker;
}

QString randomSuffix() {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString suffix;
    for (int i = 0; i < kRandomLength; ++i)
        suffix += QChar::fromLatin1(
            kLetters[QRandomGenerator::global()->bounded(int(sizeof(kLetters) - 1))]);
    return suffix;
}

int lockFile(int fd, int operation) {
    int result;
    do
        result = ::flock(fd, operation);
    while (result != 0 && errno == EINTR);
    return result;
}

// True while fd is still the file named path (nobody removed or replaced it).
bool stillNamed(int fd, const QByteArray& path) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::lstat(path.constData(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

// Removes the temporary files of a final name that no writer holds: a
// writer keeps its file locked from creation to rename.
void removeAbandoned(const QString& folder, const QString& prefix) {
    DIR* dir = ::opendir(encoded(folder).constData());
    if (!dir)
        return;
    const QByteArray start = encoded(prefix);
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!name.startsWith(start) || name.size() != start.size() + kRandomLength)
            continue;
        const QByteArray path = encoded(folder) + '/' + name;
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (lockFile(fd, LOCK_EX | LOCK_NB) == 0 && stillNamed(fd, path))
            ::unlink(path.constData());
        ::close(fd);
    }
    ::closedir(dir);
}

thread_local CommitCompanion* t_companion = nullptr;

void syncFolder(const QString& folder) {
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

SafeFile::SafeFile(const QString& path) : m_path(path) {}

SafeFile::SafeFile(SafeFile&& other) noexcept
    : m_path(std::move(other.m_path)), m_cause(std::move(other.m_cause)),
      m_temporary(std::move(other.m_temporary)), m_fd(other.m_fd), m_synced(other.m_synced) {
    other.m_temporary.clear();
    other.m_fd = -1;
}

SafeFile::~SafeFile() {
    discard();
}

Failure SafeFile::failed(const QString& cause) {
    m_cause = cause;
    return ::failure(FailureKind::File,
                     QCoreApplication::translate("Shared", "Impossibile scrivere il file %1: %2")
                         .arg(QDir::toNativeSeparators(m_path), cause));
}

Status SafeFile::checkReplaceable(bool* replacesFile, mode_t* mode) {
    const QFileInfo file(m_path);
    const QString folder = file.absolutePath();
    const QByteArray name = encoded(file.absoluteFilePath());
    struct stat existing {};
    const bool exists = ::lstat(name.constData(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return failed(
            QCoreApplication::translate("Shared", "esiste una cartella con lo stesso nome."));
    if (!QFileInfo(folder).isDir())
        return failed(QCoreApplication::translate("Shared", "la cartella %1 non esiste.")
                          .arg(QDir::toNativeSeparators(folder)));
    if (::access(encoded(folder).constData(), W_OK) != 0)
        return failed(QCoreApplication::translate("Shared", "la cartella non è scrivibile."));
    // A link is replaced whatever it points to; only a file of its own is
    // checked for write protection.
    *replacesFile = exists && S_ISREG(existing.st_mode);
    *mode = existing.st_mode;
    if (*replacesFile && ::access(name.constData(), W_OK) != 0)
        return failed(QCoreApplication::translate("Shared", "il file è protetto dalla scrittura."));
    return {};
}

Status SafeFile::open() {
    discard();
    bool replacesFile = false;
    mode_t mode = 0;
    if (Status replaceable = checkReplaceable(&replacesFile, &mode); !replaceable)
        return replaceable;
    const QFileInfo file(m_path);
    const QString folder = file.absolutePath();
    const QString prefix = temporaryPrefix(file.fileName());
    removeAbandoned(folder, prefix);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const Expected<int> fd = createTemporary(QDir(folder).filePath(prefix + randomSuffix()));
        if (!fd)
            return fd.error();
        if (*fd < 0)
            continue;
        if (replacesFile)
            ::fchmod(*fd, mode & 07777);
        m_fd = *fd;
        m_synced = false;
        return {};
    }
    return failed(QCoreApplication::translate(
        "Shared", "il file non può essere creato (nessun nome temporaneo "
                  "libero)."));
}

Expected<int> SafeFile::createTemporary(const QString& temporary) {
    const QByteArray encodedTemporary = encoded(temporary);
    const int fd = ::open(encodedTemporary.constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST)
            return -1;
        return failed(QCoreApplication::translate("Shared", "il file non può essere creato (%1).")
                          .arg(systemError(errno)));
    }
    // Another writer's clean-up may have taken the file between its
    // creation and the lock: then it is gone, and a new one is made.
    // Where locks are not supported the file goes unlocked.
    if (lockFile(fd, LOCK_EX) != 0 && errno != ENOLCK && errno != EOPNOTSUPP && errno != EINVAL) {
        const int error = errno;
        ::unlink(encodedTemporary.constData());
        ::close(fd);
        return failed(QCoreApplication::translate("Shared", "il file non può essere creato (%1).")
                          .arg(systemError(error)));
    }
    if (!stillNamed(fd, encodedTemporary)) {
        ::close(fd);
        return -1;
    }
    m_temporary = temporary;
    return fd;
}

Status SafeFile::write(QByteArrayView bytes) {
    if (m_fd < 0)
        return failed(QCoreApplication::translate("Shared", "il file non è aperto."));
    m_synced = false;
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, static_cast<std::size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return failed(QCoreApplication::translate(
                              "Shared", "errore di scrittura, forse il disco è pieno (%1).")
                              .arg(systemError(errno)));
        }
        data += written;
        left -= written;
    }
    return {};
}

Status SafeFile::sync() {
    if (m_fd < 0)
        return failed(QCoreApplication::translate("Shared", "il file non è aperto."));
    if (m_synced)
        return {};
    // A library given the temporary name may have written a new file under
    // it: the name is opened again so that its data is flushed too.
    const int named = ::open(encoded(m_temporary).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (named < 0)
        return failed(
            QCoreApplication::translate("Shared", "il file temporaneo %1 è scomparso (%2).")
                .arg(QDir::toNativeSeparators(m_temporary), systemError(errno)));
    const bool flushed = ::fsync(m_fd) == 0 && ::fsync(named) == 0;
    const int error = errno;
    ::close(named);
    if (!flushed)
        return failed(QCoreApplication::translate(
                          "Shared", "errore di scrittura, forse il disco è pieno (%1).")
                          .arg(systemError(error)));
    m_synced = true;
    return {};
}

Status SafeFile::commit() {
    return commitTogether(std::span<SafeFile>(this, 1));
}

Status SafeFile::putInPlace() {
    const QFileInfo file(m_path);
    if (::rename(encoded(m_temporary).constData(), encoded(file.absoluteFilePath()).constData()) !=
        0)
        return failed(
            QCoreApplication::translate("Shared", "il file non può essere sostituito (%1).")
                .arg(systemError(errno)));
    ::close(m_fd);
    m_fd = -1;
    m_temporary.clear();
    syncFolder(file.absolutePath());
    return {};
}

Expected<QByteArray> SafeFile::temporarySha256() {
    if (Status synced = sync(); !synced)
        return std::move(synced).error();
    QFile file(m_temporary);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return failed(
            QCoreApplication::translate("Shared", "il file temporaneo %1 non può essere riletto.")
                .arg(QDir::toNativeSeparators(m_temporary)));
    return hash.result().toHex();
}

void SafeFile::discard() {
    if (m_fd < 0)
        return;
    // The name is this writer's own while the file is locked (a library may
    // have put a new file under it).
    ::unlink(encoded(m_temporary).constData());
    ::close(m_fd);
    m_fd = -1;
    m_temporary.clear();
}

Status writeFileSafely(const QString& path, QByteArrayView bytes) {
    SafeFile file(path);
    Status written = file.open();
    if (written)
        written = file.write(bytes);
    if (written)
        written = file.commit();
    return written;
}

Status commitTogether(std::span<SafeFile> files) {
    for (SafeFile& file : files)
        if (Status synced = file.sync(); !synced)
            return synced;
    // The companion's own files go in place here, never through a commit of
    // their own.
    CommitCompanion* companion = t_companion;
    std::vector<SafeFile> companions;
    // Companions of two threads (two windows' work) read and replace the
    // same record: one at a time, from reading it to renaming it.
    static std::mutex companionMutex;
    std::unique_lock<std::mutex> companionLock(companionMutex, std::defer_lock);
    if (companion) {
        companionLock.lock();
        std::vector<CommittingFile> committing;
        for (SafeFile& file : files) {
            Expected<QByteArray> sha256 = file.temporarySha256();
            if (!sha256)
                return std::move(sha256).error();
            committing.push_back({file.path(), std::move(*sha256)});
        }
        if (Status prepared = companion->prepare(committing, companions); !prepared)
            return prepared;
        for (SafeFile& file : companions)
            if (Status synced = file.sync(); !synced)
                return synced;
    }
    std::vector<SafeFile*> all;
    for (SafeFile& file : files)
        all.push_back(&file);
    for (SafeFile& file : companions)
        all.push_back(&file);
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (Status placed = all[i]->putInPlace(); !placed) {
            for (std::size_t j = i + 1; j < all.size(); ++j)
                all[j]->discard();
            return placed;
        }
    }
    if (companion)
        companion->committed();
    return {};
}

CommitCompanionScope::CommitCompanionScope(CommitCompanion* companion) : m_previous(t_companion) {
    t_companion = companion;
}

CommitCompanionScope::~CommitCompanionScope() {
    t_companion = m_previous;
}

CommitCompanion* CommitCompanionScope::current() {
    return t_companion;
}
