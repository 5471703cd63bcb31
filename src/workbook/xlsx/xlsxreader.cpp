#include "workbook/xlsx/xlsxreader.h"

#include "workbook/workbookmessages.h"
#include "workbook/xlsx/xlsxparts.h"
#include "workbook/xlsx/xlsxworksheet.h"
#include "workbook/zippackage.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

const QString kPackageRelationships = QStringLiteral("_rels/.rels");
const QString kDefaultWorkbook = QStringLiteral("xl/workbook.xml");
const QString kBinaryWorkbook = QStringLiteral("xl/workbook.bin");
const QString kDefaultSharedStrings = QStringLiteral("xl/sharedStrings.xml");
const QString kDefaultStyles = QStringLiteral("xl/styles.xml");

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

bool XlsxReader::read(const QString& path) {
    m_date1904 = false;
    const QString name = QFileInfo(path).fileName();
    const QString format = QStringLiteral(".xlsx");
    const auto invalid = [&](const QString& cause) {
        m_error = messaggioFileNonValido(name, format, cause);
        return false;
    };
    const auto xmlFailure = [&](const XmlError& error) {
        m_error = messaggioErroreXml(name, format, error);
        return false;
    };
    const XmlLimits xmlLimits{m_limits.maxPartBytes, m_limits.maxXmlDepth,
                              m_limits.partBytesPerKept};

    if (!QFileInfo::exists(path)) {
        m_error = messaggioFileAssente(path);
        return false;
    }
    ZipPackage package;
    if (!package.open(path))
        return invalid(
            QCoreApplication::translate("Workbook", "l'archivio ZIP è danneggiato o incompleto"));
    if (package.isEncrypted()) {
        m_error = messaggioFileProtetto(name);
        return false;
    }
    XmlError error;

    // The package relationships lead to the workbook part.
    QString workbook = kDefaultWorkbook;
    if (package.contains(kPackageRelationships)) {
        XlsxRelationshipsHandler root;
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

    XlsxWorkbookHandler book(workbook);
    if (!package.parse(workbook, book, xmlLimits, &error))
        return xmlFailure(error);
    if (!book.hasSheet()) {
        m_error = messaggioSenzaFogli(name);
        return false;
    }
    m_date1904 = book.date1904();
    QStringList sheetNames;
    for (const XlsxSheetEntry& entry : book.sheets())
        sheetNames.append(entry.name);
    if (m_sheetIndex < 0 || m_sheetIndex >= sheetNames.size()) {
        m_error = messaggioFoglioAssente(name, m_sheetIndex, sheetNames.size());
        return false;
    }
    const XlsxSheetEntry& chosen = book.sheets()[static_cast<std::size_t>(m_sheetIndex)];
    const QString which = nomeFoglio(m_sheetIndex, chosen.name);

    // The workbook's relationships lead to the chosen sheet, the shared
    // strings and the styles.
    const QString workbookRels = xlsxRelationshipsPart(workbook);
    XlsxRelationshipsHandler relationships;
    if (package.contains(workbookRels) &&
        !package.parse(workbookRels, relationships, xmlLimits, &error))
        return xmlFailure(error);
    const XlsxRelationship* sheet = relationships.byId(chosen.relationship);
    if (!sheet)
        return invalid(QCoreApplication::translate(
                           "Workbook", "il foglio \"%1\" rimanda alla relazione \"%2\", "
                                       "assente in %3")
                           .arg(chosen.name, chosen.relationship, workbookRels));
    if (!sheet->type.endsWith(QStringLiteral("/worksheet"), Qt::CaseInsensitive)) {
        const bool chart = sheet->type.endsWith(QStringLiteral("/chartsheet"), Qt::CaseInsensitive);
        m_error = QCoreApplication::translate("Workbook", "%1 di %2 non è un foglio di lavoro%3.")
                      .arg(capitalized(which), name,
                           chart ? QCoreApplication::translate("Workbook", ": è un foglio grafico")
                                 : QString());
        return false;
    }
    const QString sheetPart = resolveXlsxTarget(workbook, sheet->target);
    if (sheet->external || sheetPart.isEmpty() || !package.contains(sheetPart))
        return invalid(QCoreApplication::translate("Workbook", "manca la parte %1 %2")
                           .arg(sheetPart.isEmpty() ? sheet->target : sheetPart,
                                delFoglio(m_sheetIndex, chosen.name)));

    XlsxSharedStringsHandler strings(m_limits);
    const QString stringsPart = partOfKind(package, relationships, workbook,
                                           QStringLiteral("sharedStrings"), kDefaultSharedStrings);
    if (!stringsPart.isEmpty() && !package.parse(stringsPart, strings, xmlLimits, &error))
        return xmlFailure(error);

    XlsxStylesHandler styles;
    const QString stylesPart =
        partOfKind(package, relationships, workbook, QStringLiteral("styles"), kDefaultStyles);
    if (!stylesPart.isEmpty() && !package.parse(stylesPart, styles, xmlLimits, &error))
        return xmlFailure(error);
    const std::vector<char> dateStyles = styles.dateStyles();

    // The cells refer to the shared strings, which move into the sheet; the
    // cells' own texts count with the characters of the shared strings.
    const qint64 sharedCharacters = strings.characters();
    m_sheet.setSharedTexts(std::move(strings.strings()));
    const XlsxSheetContext context{&m_sheet.sharedTexts(),
                                   &dateStyles,
                                   m_date1904,
                                   m_limits.maxCells,
                                   m_limits.maxTextLength,
                                   m_limits.maxTextCharacters,
                                   sharedCharacters};
    XlsxWorksheetHandler cells(m_sheet, sheetPart, context);
    if (!package.parse(sheetPart, cells, xmlLimits, &error, m_progress)) {
        // A root element of another kind; a part that fails before its root
        // (a document type declaration) is reported for what it holds.
        if (cells.sawRoot() && !cells.isWorksheet() && !error.limit && cells.failed()) {
            m_error = QCoreApplication::translate("Workbook", "%1 di %2 non è un foglio di lavoro.")
                          .arg(capitalized(which), name);
            return false;
        }
        return xmlFailure(error);
    }
    m_sheetNames = sheetNames;
    return true;
}
