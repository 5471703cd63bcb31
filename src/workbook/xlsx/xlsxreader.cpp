#include "workbook/xlsx/xlsxreader.h"

#include "workbook/sheetpass.h"
#include "workbook/workbookmessages.h"
#include "workbook/xlsx/xlsxparts.h"
#include "workbook/xlsx/xlsxworksheet.h"
#include "workbook/zippackage.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <memory>
#include <optional>

namespace {

const QString kPackageRelationships = QStringLiteral("_rels/.rels");
const QString kDefaultWorkbook = QStringLiteral("xl/workbook.xml");
const QString kBinaryWorkbook = QStringLiteral("xl/workbook.bin");
const QString kDefaultSharedStrings = QStringLiteral("xl/sharedStrings.xml");
const QString kDefaultStyles = QStringLiteral("xl/styles.xml");
const QString kFormat = QStringLiteral(".xlsx");

// The part that a relationship of the given kind names, or the usual part
// when there is no such relationship; empty when neither is in the package.
QString partOfKind(const ZipPackage& package, const XlsxRelationshipsHandler& relationships,
                   const QString& source, const QString& kind, const QString& fallback) {
    if (const XlsxRelationship* relationship = relationships.byKind(kind)) {
        const QString part = resolveXlsxTarget(source, relationship->target);
        if (!part.isEmpty() && package.contains(part))
            return part;
    }
    return package.contains(fallback) ? fallback : QString();
}

// A sheet's description at the start of a sentence.
QString capitalized(const QString& text) {
    return text.left(1).toUpper() + text.mid(1);
}

QString damagedArchive() {
    return QCoreApplication::translate("Workbook", "l'archivio ZIP è danneggiato o incompleto");
}

} // namespace

// The parts of a workbook that every sheet shares, read once.
struct XlsxReader::Workbook {
    QString name; // the file's name, for the messages
    QString part; // the workbook part
    std::vector<XlsxSheetEntry> sheets;
    QString relationshipsPart;
    std::optional<XlsxRelationshipsHandler> relationships;
    std::shared_ptr<const std::vector<QString>> strings;
    qint64 stringCharacters = 0;
    std::vector<char> dateStyles;
    bool date1904 = false;
};

XlsxReader::XlsxReader() = default;
XlsxReader::~XlsxReader() = default;

bool XlsxReader::openWorkbook(const QString& path, ZipPackage& package, Workbook* book) {
    m_date1904 = false;
    const QString name = QFileInfo(path).fileName();
    book->name = name;
    const auto invalid = [&](const QString& cause) {
        m_error = invalidFileMessage(name, kFormat, cause);
        return false;
    };
    const auto xmlFailure = [&](const XmlError& error) {
        m_error = xmlErrorMessage(name, kFormat, error);
        return false;
    };
    const XmlLimits xmlLimits{m_limits.maxPartBytes, m_limits.maxXmlDepth,
                              m_limits.partBytesPerKept};

    if (!QFileInfo::exists(path)) {
        m_error = missingFileMessage(path);
        return false;
    }
    if (!package.open(path))
        return invalid(damagedArchive());
    if (package.isEncrypted()) {
        m_error = protectedFileMessage(name);
        return false;
    }
    XmlError error;

    // The package relationships lead to the workbook part.
    QString workbook = kDefaultWorkbook;
    if (package.contains(kPackageRelationships)) {
        XlsxRelationshipsHandler root(kPackageRelationships, m_limits.maxRelationships);
        if (!package.parse(kPackageRelationships, root, xmlLimits, &error))
            return xmlFailure(error);
        if (const XlsxRelationship* document = root.byKind(QStringLiteral("officeDocument"))) {
            const QString target = resolveXlsxTarget(QString(), document->target);
            if (!target.isEmpty())
                workbook = target;
        }
    }
    if (workbook.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive) ||
        (!package.contains(workbook) && package.contains(kBinaryWorkbook))) {
        m_error = QCoreApplication::translate(
                      "Workbook", "La cartella di lavoro %1 è in formato binario .xlsb non "
                                  "supportato: salvarla come .xlsx.")
                      .arg(name);
        return false;
    }
    if (!package.contains(workbook))
        return invalid(
            QCoreApplication::translate("Workbook", "manca la parte %1 con la cartella di lavoro")
                .arg(workbook));
    book->part = workbook;

    XlsxWorkbookHandler list(workbook, m_limits.maxSheets);
    if (!package.parse(workbook, list, xmlLimits, &error))
        return xmlFailure(error);
    if (!list.hasSheet()) {
        m_error = noSheetsMessage(name);
        return false;
    }
    book->sheets = list.sheets();
    book->date1904 = list.date1904();
    m_date1904 = book->date1904;

    // The workbook's relationships lead to the sheets, the shared strings
    // and the styles.
    book->relationshipsPart = xlsxRelationshipsPart(workbook);
    XlsxRelationshipsHandler& relationships =
        book->relationships.emplace(book->relationshipsPart, m_limits.maxRelationships);
    if (package.contains(book->relationshipsPart) &&
        !package.parse(book->relationshipsPart, relationships, xmlLimits, &error))
        return xmlFailure(error);

    XlsxSharedStringsHandler strings(m_limits);
    const QString stringsPart = partOfKind(package, relationships, workbook,
                                           QStringLiteral("sharedStrings"), kDefaultSharedStrings);
    if (!stringsPart.isEmpty() && !package.parse(stringsPart, strings, xmlLimits, &error))
        return xmlFailure(error);
    // The cells' own texts count with the characters of the shared strings.
    book->stringCharacters = strings.characters();
    book->strings = std::make_shared<const std::vector<QString>>(std::move(strings.strings()));

    XlsxStylesHandler styles;
    const QString stylesPart =
        partOfKind(package, relationships, workbook, QStringLiteral("styles"), kDefaultStyles);
    if (!stylesPart.isEmpty() && !package.parse(stylesPart, styles, xmlLimits, &error))
        return xmlFailure(error);
    book->dateStyles = styles.dateStyles();
    return true;
}

bool XlsxReader::readSheet(ZipPackage& package, const Workbook& book, int index, SheetData& sheet,
                           QString* error, WorkProgress* progress) const {
    const QString& name = book.name;
    const auto invalid = [&](const QString& cause) {
        *error = invalidFileMessage(name, kFormat, cause);
        return false;
    };
    if (index < 0 || index >= std::ssize(book.sheets)) {
        *error = missingSheetMessage(name, index, std::ssize(book.sheets));
        return false;
    }
    const XlsxSheetEntry& chosen = book.sheets[static_cast<std::size_t>(index)];
    const QString which = sheetPhrase(index, chosen.name);
    const XlsxRelationship* relationship = book.relationships->byId(chosen.relationship);
    if (!relationship)
        return invalid(QCoreApplication::translate(
                           "Workbook", "il foglio \"%1\" rimanda alla relazione \"%2\", "
                                       "assente in %3")
                           .arg(chosen.name, chosen.relationship, book.relationshipsPart));
    if (!relationship->type.endsWith(QStringLiteral("/worksheet"), Qt::CaseInsensitive)) {
        const bool chart =
            relationship->type.endsWith(QStringLiteral("/chartsheet"), Qt::CaseInsensitive);
        *error = QCoreApplication::translate("Workbook", "%1 di %2 non è un foglio di lavoro%3.")
                     .arg(capitalized(which), name,
                          chart ? QCoreApplication::translate("Workbook", ": è un foglio grafico")
                                : QString());
        return false;
    }
    const QString sheetPart = resolveXlsxTarget(book.part, relationship->target);
    if (relationship->external || sheetPart.isEmpty() || !package.contains(sheetPart))
        return invalid(QCoreApplication::translate("Workbook", "manca la parte %1 %2")
                           .arg(sheetPart.isEmpty() ? relationship->target : sheetPart,
                                ofSheetPhrase(index, chosen.name)));

    // The cells refer to the shared strings, which the sheet shares.
    sheet.setSharedTexts(book.strings);
    const XlsxSheetContext context{
        &sheet.sharedTexts(),   &book.dateStyles,           book.date1904,        m_limits.maxCells,
        m_limits.maxTextLength, m_limits.maxTextCharacters, book.stringCharacters};
    XlsxWorksheetHandler cells(sheet, sheetPart, context);
    XmlError failure;
    if (!package.parse(sheetPart, cells,
                       {m_limits.maxPartBytes, m_limits.maxXmlDepth, m_limits.partBytesPerKept},
                       &failure, progress)) {
        // A root element of another kind; a part that fails before its root
        // (a document type declaration) is reported for what it holds.
        if (cells.sawRoot() && !cells.isWorksheet() && !failure.limit && cells.failed()) {
            *error = QCoreApplication::translate("Workbook", "%1 di %2 non è un foglio di lavoro.")
                         .arg(capitalized(which), name);
            return false;
        }
        *error = xmlErrorMessage(name, kFormat, failure);
        return false;
    }
    return true;
}

bool XlsxReader::read(const QString& path) {
    ZipPackage package;
    Workbook book;
    if (!openWorkbook(path, package, &book) ||
        !readSheet(package, book, m_sheetIndex, m_sheet, &m_error, m_progress))
        return false;
    for (const XlsxSheetEntry& entry : book.sheets)
        m_sheetNames.append(entry.name);
    return true;
}

bool XlsxReader::readSheets(const QString& path, const SheetVisitor& visit, int threads) {
    close();
    m_error.clear();
    m_sheetNames.clear();
    ZipPackage package;
    Workbook book;
    if (!openWorkbook(path, package, &book))
        return false;
    for (const XlsxSheetEntry& entry : book.sheets)
        m_sheetNames.append(entry.name);

    // Each worker reads with a handle of its own on the archive.
    std::vector<std::unique_ptr<ZipPackage>> handles(
        static_cast<std::size_t>(std::max(threads, 1)));
    const auto read = [&](int worker, int index, SheetData& sheet, QString* error) {
        std::unique_ptr<ZipPackage>& handle = handles[static_cast<std::size_t>(worker)];
        ZipPackage* zip = &package;
        if (worker > 0) {
            if (!handle) {
                handle = std::make_unique<ZipPackage>();
                if (!handle->openSharing(package)) {
                    *error = invalidFileMessage(book.name, kFormat, damagedArchive());
                    return false;
                }
            }
            zip = handle.get();
        }
        return readSheet(*zip, book, index, sheet, error, nullptr);
    };
    return passOver(static_cast<int>(book.sheets.size()), threads, read, visit);
}
