#include "composite/compositedefinitions.h"

#include "methods/metodi.h"
#include "shared/resultnames.h"
#include "shared/textfile.h"
#include "workbook/sheetcolumns.h"
#include "workbook/structuresheet.h"
#include "workbook/workbookreader.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace {

constexpr KnownColumn kColumns[] = {{u"Codice", true},
                                    {u"Nome", true},
                                    {u"Normalizzazione", true},
                                    {u"Aggregazione", true},
                                    {u"Costruzione", false}};
enum Column { kCode, kName, kNormalisation, kAggregation, kConstruction };

Failure refusal(int row, const QString& reason) {
    return failure(FailureKind::Refused,
                   QCoreApplication::translate("Composite", "Metodi, riga %1: ").arg(row) + reason);
}

bool isValidCode(const QString& code) {
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z0-9+_-]{1,8}$"));
    return valid.match(code).hasMatch();
}

// The composite of row r of a sheet: its texts read as a definition.
Expected<Composite> compositeOf(const WorkbookReader& reader, int r, const SheetColumns& columns,
                                QSet<QString>& codes, const Regional& regional) {
    const auto text = [&](Column column) {
        const int at = columns.at[std::size_t(column)];
        return at ? regional.generalText(reader.cell(r, at)).trimmed() : QString();
    };
    if (const int last = lastFilledColumn(reader, r, regional); last > columns.width)
        return refusal(r, QCoreApplication::translate(
                              "Composite", "la riga ha %1 campi, ma la riga 1 ne intitola %2.")
                              .arg(last)
                              .arg(columns.width));
    const CompositeTexts texts{text(kCode), text(kName), text(kNormalisation), text(kAggregation),
                               text(kConstruction)};
    Expected<Composite> composite = parseComposite(texts, r, codes);
    if (composite)
        codes.insert(composite->code.toUpper());
    return composite;
}

// A field of the definitions file, quoted when it holds a delimiter or a
// quote.
QString fileField(const QString& text) {
    static const QRegularExpression special(QStringLiteral("[;,\t\"]"));
    if (!text.contains(special))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

Expected<Composite> parseComposite(const CompositeTexts& texts, int row,
                                   const QSet<QString>& codesBefore) {
    Composite composite;
    composite.row = row;
    composite.code = texts.code.trimmed();
    if (!isValidCode(composite.code))
        return refusal(row, QCoreApplication::translate(
                                "Composite", "il codice «%1» non è ammesso: da 1 a 8 lettere, "
                                             "cifre, +, - o _.")
                                .arg(composite.code));
    const QString key = composite.code.toUpper();
    for (const QString& nine : methodCodes())
        if (nine.toUpper() == key)
            return refusal(row, QCoreApplication::translate(
                                    "Composite", "il codice %1 è quello di uno dei nove metodi.")
                                    .arg(composite.code));
    if (codesBefore.contains(key))
        return refusal(row, QCoreApplication::translate("Composite",
                                                        "il codice %1 è già usato in una riga "
                                                        "precedente.")
                                .arg(composite.code));
    composite.name = texts.name.trimmed();
    if (composite.name.isEmpty())
        composite.name = composite.code;
    const auto unknown = [&](const QString& what, const QString& value, const QString& known) {
        return refusal(row, QCoreApplication::translate(
                                "Composite", "%1 «%2» di %3 non è ammessa (ammesse: %4).")
                                .arg(what, value, composite.code, known));
    };
    const std::optional<Normalisation> normalisation = parseNormalisation(texts.normalisation);
    if (!normalisation)
        return unknown(QCoreApplication::translate("Composite", "la normalizzazione"),
                       texts.normalisation.trimmed(), normalisationCodes());
    const std::optional<Aggregation> aggregation = parseAggregation(texts.aggregation);
    if (!aggregation)
        return unknown(QCoreApplication::translate("Composite", "l'aggregazione"),
                       texts.aggregation.trimmed(), aggregationCodes());
    std::optional<Construction> construction = Construction::Upward;
    if (const QString written = texts.construction.trimmed(); !written.isEmpty())
        construction = parseConstruction(written);
    if (!construction)
        return unknown(QCoreApplication::translate("Composite", "la costruzione"),
                       texts.construction.trimmed(), constructionCodes());
    composite.normalisation = *normalisation;
    composite.aggregation = *aggregation;
    composite.construction = *construction;
    return composite;
}

QStringList compositesFileLines(const std::vector<Composite>& composites) {
    QStringList lines{QStringLiteral("Codice;Nome;Normalizzazione;Aggregazione;Costruzione")};
    for (const Composite& composite : composites)
        lines.append(QStringList{fileField(composite.code), fileField(composite.name),
                                 fileField(composite.normalisation.code()),
                                 fileField(composite.aggregation.code()),
                                 fileField(constructionCode(composite.construction))}
                         .join(u';'));
    return lines;
}

Status writeCompositesFile(const QString& workbook, const std::vector<Composite>& composites) {
    return writeTextFile(resultFileName(workbook, ResultFileKind::Composites),
                         compositesFileLines(composites));
}

namespace {

Expected<CompositeList> readSheet(const QString& path, int sheet, const QString& source,
                                  const Regional& regional) {
    Expected<std::unique_ptr<WorkbookReader>> opened = openWorkbookSheet(path, sheet, regional);
    if (!opened)
        return std::move(opened).error();
    const std::unique_ptr<WorkbookReader>& reader = *opened;
    const Expected<SheetColumns> columns = sheetColumns(
        *reader, kColumns,
        QCoreApplication::translate("Composite", "La definizione dei metodi %1").arg(source),
        regional);
    if (!columns)
        return columns.error();
    CompositeList list;
    list.source = source;
    QSet<QString> codes;
    for (int r = 2; r <= reader->lastRow(); ++r) {
        if (lastFilledColumn(*reader, r, regional) == 0)
            continue;
        Expected<Composite> composite = compositeOf(*reader, r, *columns, codes, regional);
        if (!composite)
            return std::move(composite).error();
        list.composites.push_back(std::move(*composite));
    }
    return list;
}

Expected<CompositeList> readFile(const QString& file, const Regional& regional) {
    const QFileInfo info(file);
    if (!info.isFile())
        return failure(FailureKind::File,
                       QCoreApplication::translate("Composite",
                                                   "La definizione dei metodi %1 non è un file "
                                                   "leggibile.")
                           .arg(file));
    // Hashed before it is read: a change while it is read leaves its
    // outputs stale rather than passed as current.
    QFile bytes(file);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!bytes.open(QIODevice::ReadOnly) || !hash.addData(&bytes))
        return failure(FailureKind::File,
                       QCoreApplication::translate("Composite",
                                                   "La definizione dei metodi %1 non è un file "
                                                   "leggibile.")
                           .arg(file));
    Expected<CompositeList> list = readSheet(
        file, 0, QCoreApplication::translate("Composite", "dal file %1").arg(info.fileName()),
        regional);
    if (list)
        for (Composite& composite : list->composites) {
            composite.file = info.absoluteFilePath();
            composite.fileSha256 = hash.result().toHex();
        }
    return list;
}

} // namespace

QString Composite::definition() const {
    return QStringLiteral("%1;%2;%3")
        .arg(normalisation.code(), aggregation.code(), constructionCode(construction));
}

const Composite* CompositeList::find(const QString& code) const {
    for (const Composite& composite : composites)
        if (composite.code.compare(code.trimmed(), Qt::CaseInsensitive) == 0)
            return &composite;
    return nullptr;
}

Expected<CompositeList> readComposites(const QString& path, const QStringList& sheetNames,
                                       const QString& file, const Regional& regional) {
    if (!file.isEmpty())
        return readFile(file, regional);
    for (int s = 1; s < sheetNames.size(); ++s)
        if (isCompositesSheetName(sheetNames[s]))
            return readSheet(
                path, s,
                QCoreApplication::translate("Composite", "dal foglio %1").arg(sheetNames[s]),
                regional);
    const QString beside = resultFileName(path, ResultFileKind::Composites);
    if (!QFileInfo::exists(beside))
        return CompositeList();
    return readFile(beside, regional);
}
