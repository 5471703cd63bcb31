#include "workbook/structuresheet.h"

#include "shared/resultnames.h"
#include "workbook/workbookreader.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

Failure fileFailure(const QString& message) {
    return failure(FailureKind::File, message);
}

Failure structureRefusal(const QString& message) {
    return failure(FailureKind::Refused, message);
}

// The rows of the structure held by the sheet the reader has open.
Expected<StructureSheet> rowsOf(const WorkbookReader& reader, const QString& source,
                                const Regional& regional) {
    int element = 0;
    int parent = 0;
    int weight = 0;
    for (int c = 1;; ++c) {
        const CellValue cell = reader.cell(1, c);
        if (cell.equalsEmptyText())
            break;
        const QString name = regional.generalText(cell).trimmed().toLower();
        if (name == QStringLiteral("elemento") && !element)
            element = c;
        else if (name == QStringLiteral("padre") && !parent)
            parent = c;
        else if (name == QStringLiteral("peso") && !weight)
            weight = c;
    }
    for (const auto& [column, name] : {std::pair{element, QStringLiteral("Elemento")},
                                       std::pair{parent, QStringLiteral("Padre")}})
        if (!column)
            return structureRefusal(
                QCoreApplication::translate("Framework",
                                            "La struttura %1 non ha la colonna %2 nella riga 1.")
                    .arg(source, name));
    StructureSheet sheet;
    sheet.source = source;
    for (int r = 2;; ++r) {
        const CellValue name = reader.cell(r, element);
        if (name.equalsEmptyText())
            break;
        StructureRow row;
        row.row = r;
        row.element = regional.generalText(name).trimmed();
        row.parent = regional.generalText(reader.cell(r, parent)).trimmed();
        if (weight)
            row.weight = reader.cell(r, weight);
        sheet.rows.push_back(std::move(row));
    }
    return sheet;
}

Expected<StructureSheet> readSheet(const QString& path, int sheet, const QString& source,
                                   const Regional& regional) {
    QString error;
    const auto reader = openWorkbookSheet(path, sheet, regional, &error);
    if (!reader)
        return fileFailure(error);
    return rowsOf(*reader, source, regional);
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
    if (!choice.file.isEmpty())
        return wrap(readSheet(choice.file, 0,
                              QCoreApplication::translate("Framework", "dal file %1")
                                  .arg(QFileInfo(choice.file).fileName()),
                              regional));
    // A sheet named Struttura after the first.
    for (int s = 1; s < sheetNames.size(); ++s)
        if (isStructureSheetName(sheetNames[s]))
            return wrap(readSheet(
                path, s,
                QCoreApplication::translate("Framework", "dal foglio %1").arg(sheetNames[s]),
                regional));
    const QString beside = resultFileName(path, ResultFileKind::Structure);
    if (QFileInfo(beside).isFile())
        return wrap(readSheet(beside, 0,
                              QCoreApplication::translate("Framework", "dal file %1")
                                  .arg(QFileInfo(beside).fileName()),
                              regional));
    return Result();
}
