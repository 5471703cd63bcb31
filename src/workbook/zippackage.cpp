#include "workbook/zippackage.h"

#include "shared/workprogress.h"
#include "workbook/entryinflater.h"
#include "workbook/readahead.h"

#include <QCoreApplication>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>

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

} // namespace

ZipPackage::ZipPackage() = default;

ZipPackage::~ZipPackage() {
    close();
}

bool ZipPackage::open(const QString& path) {
    close();
    m_zip = std::make_unique<QuaZip>(path);
    if (!m_zip->open(QuaZip::mdUnzip)) {
        m_zip.reset();
        return false;
    }
    const QList<QuaZipFileInfo64> entries = m_zip->getFileInfoList64();
    if (m_zip->getZipError() != UNZ_OK) {
        close();
        return false;
    }
    for (const QuaZipFileInfo64& entry : entries) {
        m_entries.insert(entry.name.toLower(), entry.name);
        m_sizes.insert(entry.name.toLower(), qint64(entry.uncompressedSize));
        if (entry.isEncrypted() ||
            entry.name.compare(QStringLiteral("EncryptedPackage"), Qt::CaseInsensitive) == 0)
            m_encrypted = true;
    }
    return true;
}

void ZipPackage::close() {
    if (m_zip)
        m_zip->close();
    m_zip.reset();
    m_entries.clear();
    m_sizes.clear();
    m_encrypted = false;
}

bool ZipPackage::contains(const QString& part) const {
    return m_entries.contains(part.toLower());
}

bool ZipPackage::parse(const QString& part, XmlHandler& handler, const XmlLimits& limits,
                       XmlError* error, WorkProgress* progress) {
    const auto entry = m_entries.constFind(part.toLower());
    if (!m_zip || entry == m_entries.cend()) {
        *error = {QCoreApplication::translate("Workbook", "manca la parte %1").arg(part)};
        return false;
    }
    QuaZipFile file(m_zip.get());
    QuaZipFileInfo64 info;
    int method = 0;
    int level = 0;
    // A deflated entry is read raw and inflated here; any other is left to
    // QuaZip.
    const bool found =
        m_zip->setCurrentFile(*entry, QuaZip::csSensitive) && m_zip->getCurrentFileInfo(&info);
    const bool raw = found && info.method == Z_DEFLATED;
    if (!found || !file.open(QIODevice::ReadOnly, &method, &level, raw)) {
        *error = {QCoreApplication::translate(
                      "Workbook", "la parte %1 non può essere aperta: l'archivio è danneggiato o "
                                  "usa una compressione non supportata")
                      .arg(part)};
        return false;
    }
    const auto parseFrom = [&](QIODevice& device) {
        ReadAhead chunks(device);
        if (progress) {
            CountingSource counted(chunks, *progress, m_sizes.value(part.toLower()));
            return parseXml(counted, part, handler, limits, error);
        }
        return parseXml(chunks, part, handler, limits, error);
    };
    bool ok = false;
    bool intact = true;
    if (raw) {
        EntryInflater inflater(file, static_cast<qint64>(info.uncompressedSize), info.crc);
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

bool ZipPackage::read(const QString& part, qint64 maxBytes, QByteArray* content) {
    const auto entry = m_entries.constFind(part.toLower());
    if (!m_zip || entry == m_entries.cend() || !m_zip->setCurrentFile(*entry, QuaZip::csSensitive))
        return false;
    QuaZipFile file(m_zip.get());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *content = file.read(maxBytes + 1);
    const bool whole = file.atEnd() && content->size() <= maxBytes;
    file.close();
    return whole && file.getZipError() == UNZ_OK;
}
