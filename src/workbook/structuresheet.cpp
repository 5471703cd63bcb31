#include "workbook/structuresheet.h"

#include "shared/namekey.h"
#include "shared/resultnames.h"
#include "workbook/cellnames.h"
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

// The columns a structure sheet may have, in the order messages list them.
struct KnownColumn {
    const char16_t* name;
    bool required;
};
constexpr KnownColumn kKnownColumns[] = {{u"Elemento", true}, {u"Padre", true}, {u"Peso", false}};
constexpr int kElementColumn = 0;
constexpr int kParentColumn = 1;
constexpr int kWeightColumn = 2;
constexpr int kKnownColumnCount = int(std::size(kKnownColumns));

QString knownColumnList() {
    QStringList names;
    for (const KnownColumn& column : kKnownColumns)
        names.append(QString::fromUtf16(column.name));
    return names.join(QStringLiteral(", "));
}

QString atRow(int row) {
    return QCoreApplication::translate("Framework", "Struttura, riga %1: ").arg(row);
}

bool isBlank(const CellValue& cell, const Regional& regional) {
    return cell.equalsEmptyText() || nameKey(regional.generalText(cell)).isEmpty();
}

// The rows of the structure held by the sheet the reader has open: every
// row from 2 to the last, blank rows skipped.
Expected<StructureSheet> rowsOf(const WorkbookReader& reader, const QString& source,
                                const Regional& regional) {
    // Row 1: the column of each known column (0 when absent).
    std::array<int, kKnownColumnCount> at{};
    int width = reader.lastColumn(1);
    while (width > 0 && isBlank(reader.cell(1, width), regional))
        --width;
    for (int c = 1; c <= width; ++c) {
        const QString name = regional.generalText(reader.cell(1, c)).trimmed();
        const QString key = nameKey(name).toLower();
        int known = 0;
        while (known < kKnownColumnCount &&
               key != QString::fromUtf16(kKnownColumns[known].name).toLower())
            ++known;
        if (known == kKnownColumnCount)
            return structureRefusal(
                (key.isEmpty()
                     ? QCoreApplication::translate(
                           "Framework", "La struttura %1 ha la colonna %2 senza nome nella riga 1")
                           .arg(source, columnName(c))
                     : QCoreApplication::translate(
                           "Framework", "La struttura %1 ha la colonna «%2» (colonna %3) nella "
                                        "riga 1")
                           .arg(source, name, columnName(c))) +
                QCoreApplication::translate("Framework", ": le colonne ammesse sono %1.")
                    .arg(knownColumnList()));
        if (at[std::size_t(known)])
            return structureRefusal(QCoreApplication::translate(
                                        "Framework",
                                        "La struttura %1 ha due volte la colonna %2 nella riga 1 "
                                        "(colonne %3 e %4).")
                                        .arg(source, QString::fromUtf16(kKnownColumns[known].name),
                                             columnName(at[std::size_t(known)]), columnName(c)));
        at[std::size_t(known)] = c;
    }
    for (int known = 0; known < kKnownColumnCount; ++known)
        if (kKnownColumns[known].required && !at[std::size_t(known)])
            return structureRefusal(
                QCoreApplication::translate("Framework",
                                            "La struttura %1 non ha la colonna %2 nella riga 1.")
                    .arg(source, QString::fromUtf16(kKnownColumns[known].name)));
    StructureSheet sheet;
    sheet.source = source;
    const int rows = reader.lastRow();
    for (int r = 2; r <= rows; ++r) {
        // The last cell of the row that holds something.
        int last = reader.lastColumn(r);
        while (last > 0 && isBlank(reader.cell(r, last), regional))
            --last;
        if (last == 0)
            continue; // a blank row separates, and ends nothing
        if (last > width)
            return structureRefusal(
                atRow(r) + QCoreApplication::translate(
                               "Framework", "la riga ha %1 campi, ma la riga 1 ne intitola %2.")
                               .arg(last)
                               .arg(width));
        const CellValue element = reader.cell(r, at[kElementColumn]);
        if (isBlank(element, regional))
            return structureRefusal(atRow(r) + QCoreApplication::translate(
                                                   "Framework", "la colonna Elemento è vuota."));
        StructureRow row;
        row.row = r;
        row.element = regional.generalText(element).trimmed();
        row.parent = regional.generalText(reader.cell(r, at[kParentColumn])).trimmed();
        if (at[kWeightColumn])
            row.weight = reader.cell(r, at[kWeightColumn]);
        sheet.rows.push_back(std::move(row));
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
