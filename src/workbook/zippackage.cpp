#include "workbook/zippackage.h"

#include "shared/workprogress.h"
#include "workbook/entryinflater.h"
#include "workbook/readahead.h"

#include <QCoreApplication>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>
#include <quazip/unzip.h>

#include <algorithm>

namespace {

// Passes the chunks of a part on, telling progress how much of the part's
// declared size has gone by; once cancelled, it fails as a damaged part.
class CountingSource : public XmlSource {
public:
    CountingSource(XmlSource& source, WorkProgress& progress, qint64 total)
        : m_source(source), m_progress(progress), m_total(total) {}
    qint64 next(const char** data) override {
        if (m_progress.cancelled())
            return -1;
        const qint64 length = m_source.next(data);
        if (length > 0) {
            m_read += length;
            m_progress.setPercent(percentOf(m_read, m_total));
        }
        return length;
    }

private:
    XmlSource& m_source;
    WorkProgress& m_progress;
    const qint64 m_total;
    qint64 m_read = 0;
};

// Why an archive cannot be opened.
Failure damagedArchive() {
    return failure(FailureKind::File, QCoreApplication::translate(
                                          "Workbook", "l'archivio ZIP è danneggiato o incompleto"));
}

} // namespace

ZipPackage::ZipPackage() = default;

ZipPackage::~ZipPackage() {
    close();
}

Status ZipPackage::open(const QString& path) {
    close();
    m_path = path;
    if (!openArchive())
        return damagedArchive();
    // One walk over the directory notes where each entry's record lies.
    auto entries = std::make_shared<Directory>();
    for (bool more = m_zip->goToFirstFile(); more; more = m_zip->goToNextFile()) {
        QuaZipFileInfo64 info;
        unz64_file_pos position{};
        if (!m_zip->getCurrentFileInfo(&info) ||
            unzGetFilePos64(m_zip->getUnzFile(), &position) != UNZ_OK) {
            close();
            return damagedArchive();
        }
        const QString key = info.name.toLower();
        if (!entries->contains(key))
            entries->insert(key, {qint64(info.uncompressedSize), position.pos_in_zip_directory,
                                  position.num_of_file});
        if (info.isEncrypted() ||
            info.name.compare(QStringLiteral("EncryptedPackage"), Qt::CaseInsensitive) == 0)
            m_encrypted = true;
    }
    if (const int status = m_zip->getZipError();
        status != UNZ_OK && status != UNZ_END_OF_LIST_OF_FILE) {
        close();
        return damagedArchive();
    }
    // A current entry, so that QuaZipFile opens the one goTo() moves to.
    m_zip->goToFirstFile();
    m_entries = std::move(entries);
    return {};
}

Status ZipPackage::openSharing(const ZipPackage& other) {
    close();
    if (!other.m_entries)
        return damagedArchive();
    m_path = other.m_path;
    if (!openArchive())
        return damagedArchive();
    m_zip->goToFirstFile();
    m_entries = other.m_entries;
    m_encrypted = other.m_encrypted;
    return {};
}

bool ZipPackage::openArchive() {
    m_file = std::make_unique<QFile>(m_path);
    m_zip = std::make_unique<QuaZip>(m_file.get());
    if (!m_file->open(QIODevice::ReadOnly | QIODevice::Unbuffered) ||
        !m_zip->open(QuaZip::mdUnzip)) {
        m_zip.reset();
        m_file.reset();
        return false;
    }
    return true;
}

void ZipPackage::close() {
    if (m_zip)
        m_zip->close();
    m_zip.reset();
    m_file.reset();
    m_entries.reset();
    m_path.clear();
    m_encrypted = false;
}

bool ZipPackage::contains(const QString& part) const {
    return m_entries && m_entries->contains(part.toLower());
}

const ZipPackage::Entry* ZipPackage::goTo(const QString& part) {
    if (!m_zip || !m_entries)
        return nullptr;
    const auto entry = m_entries->constFind(part.toLower());
    if (entry == m_entries->cend())
        return nullptr;
    unz64_file_pos position{entry->directoryOffset, entry->number};
    if (unzGoToFilePos64(m_zip->getUnzFile(), &position) != UNZ_OK)
        return nullptr;
    return &*entry;
}

bool ZipPackage::parse(const QString& part, XmlHandler& handler, const XmlLimits& limits,
                       XmlError* error, WorkProgress* progress) {
    if (!contains(part)) {
        *error = {QCoreApplication::translate("Workbook", "manca la parte %1").arg(part)};
        return false;
    }
    const Entry* entry = goTo(part);
    QuaZipFile file(m_zip.get());
    QuaZipFileInfo64 info;
    int method = 0;
    int level = 0;
    // A deflated entry is read raw and inflated here; any other is left to
    // QuaZip.
    const bool found = entry && m_zip->getCurrentFileInfo(&info);
    const bool raw = found && info.method == Z_DEFLATED;
    if (!found || !file.open(QIODevice::ReadOnly, &method, &level, raw)) {
        *error = {QCoreApplication::translate(
                      "Workbook", "la parte %1 non può essere aperta: l'archivio è danneggiato o "
                                  "usa una compressione non supportata")
                      .arg(part)};
        return false;
    }
    const auto parseFrom = [&](QIODevice& device) {
        // A small part is read in one chunk of its size on this thread: a
        // thread and a megabyte of buffers would cost more than the part.
        constexpr qint64 kChunkBytes = 256 * 1024;
        const qint64 size = std::max<qint64>(entry->size, 0);
        ReadAhead chunks(device, std::clamp<qint64>(size + 1, 4096, kChunkBytes),
                         size < kChunkBytes ? 1 : 4);
        if (progress) {
            CountingSource counted(chunks, *progress, entry->size);
            return parseXml(counted, part, handler, limits, error);
        }
        return parseXml(chunks, part, handler, limits, error);
    };
    bool ok = false;
    bool intact = true;
    if (raw) {
        EntryInflater inflater(file, static_cast<qint64>(info.uncompressedSize), info.crc,
                               static_cast<qint64>(info.compressedSize));
        ok = parseFrom(inflater);
        intact = !inflater.damaged();
        file.close();
    } else {
        ok = parseFrom(file);
        file.close();
        intact = file.getZipError() == UNZ_OK;
    }
    if (ok && !intact) {
        *error = {QCoreApplication::translate(
                      "Workbook", "la parte %1 è danneggiata (controllo CRC non superato)")
                      .arg(part)};
        return false;
    }
    return ok;
}

std::optional<QByteArray> ZipPackage::read(const QString& part, qint64 maxBytes) {
    if (!goTo(part))
        return std::nullopt;
    QuaZipFile file(m_zip.get());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray content = file.read(maxBytes + 1);
    const bool whole = file.atEnd() && content.size() <= maxBytes;
    file.close();
    if (!whole || file.getZipError() != UNZ_OK)
        return std::nullopt;
    return content;
}
