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

Status XlsxReader::openWorkbook(const QString& path, ZipPackage& package, Workbook* book) {
    m_date1904 = false;
    book->name = QFileInfo(path).fileName();
    if (Status found = findWorkbookPart(path, package, book); !found)
        return found;
    if (Status listed = readSheetList(package, book); !listed)
        return listed;
    m_date1904 = book->date1904;
    return readSharedParts(package, book);
}

Status XlsxReader::findWorkbookPart(const QString& path, ZipPackage& package,
                                    Workbook* book) const {
    const QString& name = book->name;
    if (!QFileInfo::exists(path))
        return readFailure(missingFileMessage(path));
    if (Status opened = package.open(path); !opened)
        return readFailure(invalidFileMessage(name, kFormat, opened.error().message));
    if (package.isEncrypted())
        return readFailure(protectedFileMessage(name));

    // The package relationships lead to the workbook part.
    QString workbook = kDefaultWorkbook;
    if (package.contains(kPackageRelationships)) {
        XlsxRelationshipsHandler root(kPackageRelationships, m_limits.maxRelationships);
        XmlError error;
        if (!package.parse(kPackageRelationships, root, xmlLimits(), &error))
            return readFailure(xmlErrorMessage(name, kFormat, error));
        if (const XlsxRelationship* document = root.byKind(QStringLiteral("officeDocument"))) {
            const QString target = resolveXlsxTarget(QString(), document->target);
            if (!target.isEmpty())
                workbook = target;
        }
    }
    if (workbook.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive) ||
        (!package.contains(workbook) && package.contains(kBinaryWorkbook)))
        return readFailure(
            QCoreApplication::translate("Workbook",
                                        "La cartella di lavoro %1 è in formato binario .xlsb non "
                                        "supportato: salvarla come .xlsx.")
                .arg(name));
    if (!package.contains(workbook))
        return readFailure(invalidFileMessage(
            name, kFormat,
            QCoreApplication::translate("Workbook", "manca la parte %1 con la cartella di lavoro")
                .arg(workbook)));
    book->part = workbook;
    return {};
}

Status XlsxReader::readSheetList(ZipPackage& package, Workbook* book) const {
    XlsxWorkbookHandler list(book->part, m_limits.maxSheets);
    XmlError error;
    if (!package.parse(book->part, list, xmlLimits(), &error))
        return readFailure(xmlErrorMessage(book->name, kFormat, error));
    if (!list.hasSheet())
        return readFailure(noSheetsMessage(book->name));
    book->sheets = list.sheets();
    book->date1904 = list.date1904();
    return {};
}

Status XlsxReader::readSharedParts(ZipPackage& package, Workbook* book) const {
    const QString& workbook = book->part;
    const auto xmlFailure = [&](const XmlError& error) {
        return readFailure(xmlErrorMessage(book->name, kFormat, error));
    };
    XmlError error;
    // The workbook's relationships lead to the sheets, the shared strings
    // and the styles.
    book->relationshipsPart = xlsxRelationshipsPart(workbook);
    XlsxRelationshipsHandler& relationships =
        book->relationships.emplace(book->relationshipsPart, m_limits.maxRelationships);
    if (package.contains(book->relationshipsPart) &&
        !package.parse(book->relationshipsPart, relationships, xmlLimits(), &error))
        return xmlFailure(error);

    XlsxSharedStringsHandler strings(m_limits);
    const QString stringsPart = partOfKind(package, relationships, workbook,
                                           QStringLiteral("sharedStrings"), kDefaultSharedStrings);
    if (!stringsPart.isEmpty() && !package.parse(stringsPart, strings, xmlLimits(), &error))
        return xmlFailure(error);
    // The cells' own texts count with the characters of the shared strings.
    book->stringCharacters = strings.characters();
    book->strings = std::make_shared<const std::vector<QString>>(std::move(strings.strings()));

    XlsxStylesHandler styles;
    const QString stylesPart =
        partOfKind(package, relationships, workbook, QStringLiteral("styles"), kDefaultStyles);
    if (!stylesPart.isEmpty() && !package.parse(stylesPart, styles, xmlLimits(), &error))
        return xmlFailure(error);
    book->dateStyles = styles.dateStyles();
    return {};
}

XmlLimits XlsxReader::xmlLimits() const {
    return {m_limits.maxPartBytes, m_limits.maxXmlDepth, m_limits.partBytesPerKept};
}

Status XlsxReader::readSheet(ZipPackage& package, const Workbook& book, int index, SheetData& sheet,
                             WorkProgress* progress) const {
    const QString& name = book.name;
    const auto invalid = [&](const QString& cause) {
        return readFailure(invalidFileMessage(name, kFormat, cause));
    };
    if (index < 0 || index >= std::ssize(book.sheets))
        return readFailure(missingSheetMessage(name, index, std::ssize(book.sheets)));
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
        return readFailure(
            QCoreApplication::translate("Workbook", "%1 di %2 non è un foglio di lavoro%3.")
                .arg(capitalized(which), name,
                     chart ? QCoreApplication::translate("Workbook", ": è un foglio grafico")
                           : QString()));
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
    if (!package.parse(sheetPart, cells, xmlLimits(), &failure, progress)) {
        // A root element of another kind; a part that fails before its root
        // (a document type declaration) is reported for what it holds.
        if (cells.sawRoot() && !cells.isWorksheet() && !failure.limit && cells.failed())
            return readFailure(
                QCoreApplication::translate("Workbook", "%1 di %2 non è un foglio di lavoro.")
                    .arg(capitalized(which), name));
        return readFailure(xmlErrorMessage(name, kFormat, failure));
    }
    return {};
}

Status XlsxReader::read(const QString& path) {
    ZipPackage package;
    Workbook book;
    if (Status opened = openWorkbook(path, package, &book); !opened)
        return opened;
    if (Status read = readSheet(package, book, m_sheetIndex, m_sheet, m_progress); !read)
        return read;
    for (const XlsxSheetEntry& entry : book.sheets)
        m_sheetNames.append(entry.name);
    return {};
}

Status XlsxReader::readSheets(const QString& path, const SheetVisitor& visit, int threads) {
    close();
    m_sheetNames.clear();
    ZipPackage package;
    Workbook book;
    if (Status opened = openWorkbook(path, package, &book); !opened)
        return opened;
    for (const XlsxSheetEntry& entry : book.sheets)
        m_sheetNames.append(entry.name);

    // Each worker reads with a handle of its own on the archive.
    std::vector<std::unique_ptr<ZipPackage>> handles(
        static_cast<std::size_t>(std::max(threads, 1)));
    const auto read = [&](int worker, int index, SheetData& sheet) -> Status {
        std::unique_ptr<ZipPackage>& handle = handles[static_cast<std::size_t>(worker)];
        ZipPackage* zip = &package;
        if (worker > 0) {
            if (!handle) {
                handle = std::make_unique<ZipPackage>();
                if (Status shared = handle->openSharing(package); !shared)
                    return readFailure(
                        invalidFileMessage(book.name, kFormat, shared.error().message));
            }
            zip = handle.get();
        }
        return readSheet(*zip, book, index, sheet, nullptr);
    };
    return passOver(static_cast<int>(book.sheets.size()), threads, read, visit);
}
