#include "workbook/structuresheet.h"

#include "shared/namekey.h"
#include "shared/resultnames.h"
#include "workbook/cellnames.h"
#include "workbook/sheetcolumns.h"
#include "workbook/workbookreader.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <array>
#include <iterator>

namespace {

Failure fileFailure(const QString& message) {
    return failure(FailureKind::File, message);
}

Failure structureRefusal(const QString& message) {
    return failure(FailureKind::Refused, message);
}

// The columns a structure sheet may have, in the order messages list them:
// the one list of them.
constexpr KnownColumn kKnownColumns[] = {{u"Elemento", true},        {u"Padre", true},
                                         {u"Peso", false},           {u"Minimo", false},
                                         {u"Massimo", false},        {u"Obiettivo", false},
                                         {u"Trasformazione", false}, {u"Aggregazione", false}};
enum Column {
    kElementColumn,
    kParentColumn,
    kWeightColumn,
    kMinimumColumn,
    kMaximumColumn,
    kTargetColumn,
    kTransformationColumn,
    kAggregationColumn,
};

QString atRow(int row) {
    return QCoreApplication::translate("Framework", "Struttura, riga %1: ").arg(row);
}

// One row of the sheet that holds something, as read.
Expected<StructureRow> rowOf(const WorkbookReader& reader, int r, const SheetColumns& columns,
                             const Regional& regional) {
    const int last = lastFilledColumn(reader, r, regional);
    if (last > columns.width)
        return structureRefusal(
            atRow(r) + QCoreApplication::translate(
                           "Framework", "la riga ha %1 campi, ma la riga 1 ne intitola %2.")
                           .arg(last)
                           .arg(columns.width));
    const CellValue element = reader.cell(r, columns.at[kElementColumn]);
    if (isBlankCell(element, regional))
        return structureRefusal(
            atRow(r) + QCoreApplication::translate("Framework", "la colonna Elemento è vuota."));
    const auto cell = [&](Column column) {
        const int at = columns.at[std::size_t(column)];
        return at ? reader.cell(r, at) : CellValue();
    };
    const auto text = [&](Column column) { return regional.generalText(cell(column)).trimmed(); };
    StructureRow row;
    row.row = r;
    row.element = regional.generalText(element).trimmed();
    row.parent = text(kParentColumn);
    row.weight = cell(kWeightColumn);
    row.minimum = cell(kMinimumColumn);
    row.maximum = cell(kMaximumColumn);
    row.target = cell(kTargetColumn);
    row.transformation = text(kTransformationColumn);
    row.aggregation = text(kAggregationColumn);
    return row;
}

// The rows of the structure held by the sheet the reader has open: every
// row from 2 to the last, blank rows skipped.
Expected<StructureSheet> rowsOf(const WorkbookReader& reader, const QString& source,
                                const Regional& regional) {
    const Expected<SheetColumns> columns = sheetColumns(
        reader, kKnownColumns,
        QCoreApplication::translate("Framework", "La struttura %1").arg(source), regional);
    if (!columns)
        return columns.error();
    StructureSheet sheet;
    sheet.source = source;
    const int rows = reader.lastRow();
    for (int r = 2; r <= rows; ++r) {
        if (lastFilledColumn(reader, r, regional) == 0)
            continue; // a blank row separates, and ends nothing
        Expected<StructureRow> row = rowOf(reader, r, *columns, regional);
        if (!row)
            return std::move(row).error();
        sheet.rows.push_back(std::move(*row));
    }
    return sheet;
}

// Why the structure file at path cannot be read without opening it: a
// folder, or anything but a regular file (a pipe, a device), which would
// block or never end; nothing for a regular file or none at all.
std::optional<Failure> notRegular(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return std::nullopt;
    return fileFailure(
        info.isDir()
            ? QCoreApplication::translate(
                  "Framework",
                  "La struttura %1 è una cartella: indicare un file .csv o una cartella di lavoro.")
                  .arg(path)
            : QCoreApplication::translate(
                  "Framework", "La struttura %1 non è un file regolare (è un dispositivo, una pipe "
                               "o un socket): non viene letta.")
                  .arg(path));
}

Expected<StructureSheet> readSheet(const QString& path, int sheet, const QString& source,
                                   const Regional& regional) {
    const auto reader = openWorkbookSheet(path, sheet, regional);
    if (!reader)
        return reader.error();
    return rowsOf(**reader, source, regional);
}

} // namespace

bool isStructureSheetName(const QString& sheetName) {
    return sheetName.trimmed().compare(QStringLiteral("Struttura"), Qt::CaseInsensitive) == 0;
}

bool isCompositesSheetName(const QString& sheetName) {
    return sheetName.trimmed().compare(QStringLiteral("Metodi"), Qt::CaseInsensitive) == 0;
}

Expected<std::optional<StructureSheet>> readStructure(const QString& path,
                                                      const QStringList& sheetNames,
                                                      const StructureChoice& choice,
                                                      const Regional& regional) {
    using Result = std::optional<StructureSheet>;
    if (choice.ignore)
        return Result();
    const auto wrap = [](Expected<StructureSheet> sheet) -> Expected<Result> {
        if (!sheet)
            return std::move(sheet).error();
        return Result(std::move(*sheet));
    };
    if (!choice.file.isEmpty()) {
        if (const auto refusal = notRegular(choice.file))
            return *refusal;
        return wrap(readSheet(choice.file, 0,
                              QCoreApplication::translate("Framework", "dal file %1")
                                  .arg(QFileInfo(choice.file).fileName()),
                              regional));
    }
    // A sheet named Struttura after the first.
    for (int s = 1; s < sheetNames.size(); ++s)
        if (isStructureSheetName(sheetNames[s]))
            return wrap(readSheet(
                path, s,
                QCoreApplication::translate("Framework", "dal foglio %1").arg(sheetNames[s]),
                regional));
    const QString beside = resultFileName(path, ResultFileKind::Structure);
    if (!QFileInfo::exists(beside))
        return Result();
    if (const auto refusal = notRegular(beside))
        return *refusal;
    return wrap(readSheet(
        beside, 0,
        QCoreApplication::translate("Framework", "dal file %1").arg(QFileInfo(beside).fileName()),
        regional));
}
