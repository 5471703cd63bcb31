#pragma once

#include "shared/expected.h"
#include "workbook/xmlstream.h"

class WorkProgress;

#include <QFile>
#include <QHash>
#include <QString>

#include <memory>
#include <optional>

class QuaZip;

// The zip archive of an .xlsx or .ods workbook: which parts it holds, and
// each part streamed through an XML handler as it is inflated. The archive's
// directory is read once, when it is opened; a part is then found at once,
// whatever the number of parts.
class ZipPackage {
public:
    ZipPackage();
    ~ZipPackage();
    ZipPackage(const ZipPackage&) = delete;
    ZipPackage& operator=(const ZipPackage&) = delete;

    // Opens the archive at path and lists its entries. Fails when the file
    // is not a readable zip archive (damaged, truncated, not a zip): a File
    // failure whose message is the cause alone, for the reader's message.
    Status open(const QString& path);
    // Opens the archive that other has open as a second handle on it, which
    // takes other's directory instead of reading it again: each handle is
    // used by one thread at a time, so that several threads read parts side
    // by side. Fails as open() does when the archive can no longer be opened.
    Status openSharing(const ZipPackage& other);
    void close();

    // True when some entry is encrypted or the archive holds an
    // EncryptedPackage entry: the workbook is protected by a password.
    bool isEncrypted() const { return m_encrypted; }

    // True when the archive holds the part; part names compare without
    // regard to case, as package part names do.
    bool contains(const QString& part) const;

    // Inflates the part and streams it through handler (see parseXml), never
    // more than limits.maxBytes bytes. Returns false with *error set when the
    // part is missing, damaged (including a failed CRC check), malformed or
    // over a limit, or when the handler failed. With progress given, tells it
    // how much of the part has been read, and stops as a damaged part when
    // it is cancelled.
    bool parse(const QString& part, XmlHandler& handler, const XmlLimits& limits, XmlError* error,
               WorkProgress* progress = nullptr);

    // The whole content of a small part, at most maxBytes of it: none when
    // the part is missing, damaged or longer.
    std::optional<QByteArray> read(const QString& part, qint64 maxBytes);

private:
    // An entry of the archive's directory.
    struct Entry {
        qint64 size = 0;             // the declared inflated size
        quint64 directoryOffset = 0; // where its record lies in the directory
        quint64 number = 0;          // its place in the directory
    };
    using Directory = QHash<QString, Entry>; // by lower-case name; the first of a name

    // Makes the entry of part the current one: nullptr when the archive has
    // no such part or cannot reach it.
    const Entry* goTo(const QString& part);
    // Opens m_path's archive for reading.
    bool openArchive();

    QString m_path;
    // The archive, read without Qt's buffer: the directory's records are
    // read a few bytes at a time between seeks, and a buffer refilled after
    // every seek would cost a read of its whole size each time.
    std::unique_ptr<QFile> m_file;
    std::unique_ptr<QuaZip> m_zip;
    std::shared_ptr<const Directory> m_entries;
    bool m_encrypted = false;
};
