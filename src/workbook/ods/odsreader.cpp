#include "workbook/ods/odsreader.h"

#include "workbook/ods/odscontent.h"
#include "workbook/workbookmessages.h"
#include "workbook/zippackage.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstring>

namespace {

const QString kMimetype = QStringLiteral("mimetype");
const QString kManifest = QStringLiteral("META-INF/manifest.xml");
const QString kContent = QStringLiteral("content.xml");
const QByteArray kOpenDocument = QByteArrayLiteral("application/vnd.oasis.opendocument.");

// Finds the encryption data that a password-protected document lists for
// its parts.
class ManifestHandler : public XmlHandler {
public:
    // Whatever the namespace: a part that may be encrypted is refused, never
    // read as if it were plain.
    void startElement(const XmlName& name, const XmlAttributes&) override {
        if (std::strcmp(name.local, "encryption-data") == 0 ||
            std::strcmp(name.local, "encrypted-key") == 0)
            m_encrypted = true;
    }
    void endElement(const XmlName&) override {}
    void characters(const char*, int) override {}
    bool encrypted() const { return m_encrypted; }

private:
    bool m_encrypted = false;
};

// What an OpenDocument file of the given kind ("text", from its mimetype or
// its body) is, in words.
QString documentKind(const QString& kind) {
    if (kind.startsWith(QStringLiteral("text")))
        return QCoreApplication::translate("Workbook", "un documento di testo");
    if (kind.startsWith(QStringLiteral("presentation")))
        return QCoreApplication::translate("Workbook", "una presentazione");
    if (kind.startsWith(QStringLiteral("graphics")) || kind == QStringLiteral("drawing"))
        return QCoreApplication::translate("Workbook", "un disegno");
    if (kind.startsWith(QStringLiteral("chart")))
        return QCoreApplication::translate("Workbook", "un grafico");
    if (kind.startsWith(QStringLiteral("formula")))
        return QCoreApplication::translate("Workbook", "una formula");
    return QCoreApplication::translate("Workbook", "un documento di altro tipo");
}

QString notSpreadsheet(const QString& name, const QString& kind) {
    return QCoreApplication::translate("Workbook",
                                       "Il file %1 è %2 OpenDocument, non un foglio di calcolo.")
        .arg(name, documentKind(kind));
}

const QString kFormat = QStringLiteral(".ods");

} // namespace

XmlLimits OdsReader::xmlLimits() const {
    // An OpenDocument cell is written with about twice the XML of an .xlsx
    // cell.
    return {m_limits.maxPartBytes, m_limits.maxXmlDepth, 2 * m_limits.partBytesPerKept};
}

Status OdsReader::openPackage(const QString& path, ZipPackage& package) const {
    const QString name = QFileInfo(path).fileName();
    const auto invalid = [&](const QString& cause) {
        return readFailure(invalidFileMessage(name, kFormat, cause));
    };
    if (!QFileInfo::exists(path))
        return readFailure(missingFileMessage(path));
    if (Status opened = package.open(path); !opened)
        return invalid(opened.error().message);
    if (package.isEncrypted())
        return readFailure(protectedFileMessage(name));
    if (package.contains(kMimetype)) {
        std::optional<QByteArray> type = package.read(kMimetype, 256);
        if (!type)
            return invalid(
                QCoreApplication::translate("Workbook", "la parte mimetype è danneggiata"));
        *type = type->trimmed();
        if (type->startsWith(kOpenDocument) &&
            !type->startsWith(QByteArray(kOpenDocument + QByteArrayLiteral("spreadsheet"))))
            return readFailure(
                notSpreadsheet(name, QString::fromUtf8(type->mid(kOpenDocument.size()))));
    }
    if (package.contains(kManifest)) {
        ManifestHandler manifest;
        XmlError error;
        if (!package.parse(kManifest, manifest, xmlLimits(), &error))
            return readFailure(xmlErrorMessage(name, kFormat, error));
        if (manifest.encrypted())
            return readFailure(protectedFileMessage(name));
    }
    if (!package.contains(kContent))
        return invalid(QCoreApplication::translate("Workbook", "manca la parte %1 con il contenuto")
                           .arg(kContent));
    return {};
}

Failure OdsReader::contentFailure(const QString& path, const QString& otherBody,
                                  const XmlError& error) const {
    const QString name = QFileInfo(path).fileName();
    return readFailure(otherBody.isEmpty() ? xmlErrorMessage(name, kFormat, error)
                                           : notSpreadsheet(name, otherBody));
}

Status OdsReader::read(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    ZipPackage package;
    if (Status opened = openPackage(path, package); !opened)
        return opened;
    OdsContentHandler content(m_sheet, kContent, m_limits.maxCells, m_sheetIndex,
                              m_limits.maxSheets);
    // A fault after the chosen table spoils nothing, unless a limit stopped
    // the parse: the names of the tables would then be cut short.
    XmlError error;
    if (!package.parse(kContent, content, xmlLimits(), &error, m_progress) &&
        (!content.tableRead() || error.limit))
        return contentFailure(path, content.otherBody(), error);
    if (content.tableNames().isEmpty())
        return readFailure(noSheetsMessage(name));
    if (!content.hasTable())
        return readFailure(missingSheetMessage(name, m_sheetIndex, content.tableNames().size()));
    m_sheetNames = content.tableNames();
    return {};
}

Status OdsReader::readSheets(const QString& path, const SheetVisitor& visit, int threads) {
    (void)threads; // one part, read in one stream
    close();
    m_sheetNames.clear();
    ZipPackage package;
    if (Status opened = openPackage(path, package); !opened)
        return opened;
    OdsContentHandler content(m_sheet, kContent, m_limits.maxCells, 0, m_limits.maxSheets);
    content.readEveryTable([&](int index) {
        m_sheetNames.append(content.tableNames().at(index));
        m_sheet.finish();
        return handOver(index, visit, 0);
    });
    XmlError error;
    if (!package.parse(kContent, content, xmlLimits(), &error, m_progress)) {
        if (content.stopped())
            return {};
        return contentFailure(path, content.otherBody(), error);
    }
    m_sheetNames = content.tableNames();
    if (m_sheetNames.isEmpty())
        return readFailure(noSheetsMessage(QFileInfo(path).fileName()));
    return {};
}
