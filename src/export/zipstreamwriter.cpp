#include "export/zipstreamwriter.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <QCoreApplication>
#include <QFileDevice>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

constexpr std::size_t kMaxWaiting = 8; // chunks queued for the writing thread

struct Item {
    enum Kind { Begin, Data, End } kind;
    QString name;
    QByteArray bytes;
};

} // namespace

struct ZipStreamWriter::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Item> queue;
    bool failed = false;
    QString cause;
    std::thread thread;

    void push(Item item) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return queue.size() < kMaxWaiting || failed; });
        if (failed)
            return;
        queue.push_back(std::move(item));
        changed.notify_all();
    }

    Item pop() {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return !queue.empty(); });
        Item item = std::move(queue.front());
        queue.pop_front();
        changed.notify_all();
        return item;
    }

    void fail(const QString& why) {
        std::lock_guard lock(mutex);
        if (!failed) {
            failed = true;
            cause = why;
        }
        changed.notify_all();
    }

    bool hasFailed() {
        std::lock_guard lock(mutex);
        return failed;
    }

    void run(const QString& path);
};

namespace {

// The cause of a failed write: the file's own error when it has one.
QString causeOf(QuaZip& zip) {
    if (const auto* file = qobject_cast<const QFileDevice*>(zip.getIoDevice());
        file && file->error() != QFileDevice::NoError)
        return file->errorString();
    return QCoreApplication::translate("Export", "errore di scrittura dell'archivio (codice %1)")
        .arg(zip.getZipError());
}

} // namespace

void ZipStreamWriter::Shared::run(const QString& path) {
    QuaZip zip(path);
    zip.setZip64Enabled(true);
    const bool open = zip.open(QuaZip::mdCreate);
    if (!open)
        fail(causeOf(zip));
    QuaZipFile entry(&zip);
    for (;;) {
        Item item = pop();
        if (hasFailed()) {
            if (item.kind == Item::End)
                break;
            continue;
        }
        if (item.kind != Item::Data && entry.isOpen()) {
            entry.close();
            if (entry.getZipError() != ZIP_OK) {
                fail(causeOf(zip));
                continue;
            }
        }
        if (item.kind == Item::Begin) {
            // Readable by all once unpacked, as files the user saves are.
            QuaZipNewInfo info(item.name);
            info.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                QFileDevice::ReadGroup | QFileDevice::ReadOther);
            if (!entry.open(QIODevice::WriteOnly, info, nullptr, 0, Z_DEFLATED, Z_BEST_SPEED))
                fail(causeOf(zip));
        } else if (item.kind == Item::Data) {
            if (entry.write(item.bytes) != item.bytes.size())
                fail(causeOf(zip));
        } else {
            break;
        }
    }
    if (open) {
        zip.close();
        if (zip.getZipError() != ZIP_OK)
            fail(causeOf(zip));
    }
}

ZipStreamWriter::ZipStreamWriter(const QString& path) : m_shared(std::make_unique<Shared>()) {
    m_shared->thread = std::thread([shared = m_shared.get(), path] { shared->run(path); });
}

ZipStreamWriter::~ZipStreamWriter() {
    if (m_shared->thread.joinable())
        (void)finish();
}

void ZipStreamWriter::beginEntry(const QString& name) {
    m_shared->push(Item{Item::Begin, name, {}});
}

void ZipStreamWriter::write(QByteArray bytes) {
    if (!bytes.isEmpty())
        m_shared->push(Item{Item::Data, {}, std::move(bytes)});
}

bool ZipStreamWriter::failed() const {
    return m_shared->hasFailed();
}

Status ZipStreamWriter::finish() {
    const auto outcome = [this]() -> Status {
        if (m_shared->hasFailed())
            return failure(FailureKind::File, m_shared->cause);
        return {};
    };
    if (!m_shared->thread.joinable())
        return outcome();
    {
        // The end goes in even after a failure, so that the thread stops.
        std::lock_guard lock(m_shared->mutex);
        m_shared->queue.push_back(Item{Item::End, {}, {}});
        m_shared->changed.notify_all();
    }
    m_shared->thread.join();
    return outcome();
}
