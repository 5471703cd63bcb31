#include "workbook/sheetcolumns.h"

#include "shared/namekey.h"
#include "workbook/cellnames.h"
#include "workbook/workbookreader.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

Failure refusal(const QString& message) {
    return failure(FailureKind::Refused, message);
}

QString columnList(std::span<const KnownColumn> known) {
    QStringList names;
    for (const KnownColumn& column : known)
        names.append(QString::fromUtf16(column.name));
    return names.join(QStringLiteral(", "));
}

} // namespace

bool isBlankCell(const CellValue& cell, const Regional& regional) {
    return cell.equalsEmptyText() || nameKey(regional.generalText(cell)).isEmpty();
}

int lastFilledColumn(const WorkbookReader& reader, int row, const Regional& regional) {
    int last = reader.lastColumn(row);
    while (last > 0 && isBlankCell(reader.cell(row, last), regional))
        --last;
    return last;
}

Expected<SheetColumns> sheetColumns(const WorkbookReader& reader,
                                    std::span<const KnownColumn> known, const QString& subject,
                                    const Regional& regional) {
    SheetColumns columns;
    columns.at.assign(known.size(), 0);
    columns.width = lastFilledColumn(reader, 1, regional);
    for (int c = 1; c <= columns.width; ++c) {
        const QString name = regional.generalText(reader.cell(1, c)).trimmed();
        const QString key = nameKey(name).toLower();
        std::size_t k = 0;
        while (k < known.size() && key != QString::fromUtf16(known[k].name).toLower())
            ++k;
        if (k == known.size())
            return refusal(
                (key.isEmpty() ? QCoreApplication::translate(
                                     "Framework", "%1 ha la colonna %2 senza nome nella riga 1")
                                     .arg(subject, columnName(c))
                               : QCoreApplication::translate(
                                     "Framework", "%1 ha la colonna «%2» (colonna %3) nella riga 1")
                                     .arg(subject, name, columnName(c))) +
                QCoreApplication::translate("Framework", ": le colonne ammesse sono %1.")
                    .arg(columnList(known)));
        if (columns.at[k])
            return refusal(
                QCoreApplication::translate(
                    "Framework", "%1 ha due volte la colonna %2 nella riga 1 (colonne %3 e %4).")
                    .arg(subject, QString::fromUtf16(known[k].name), columnName(columns.at[k]),
                         columnName(c)));
        columns.at[k] = c;
    }
    for (std::size_t k = 0; k < known.size(); ++k)
        if (known[k].required && !columns.at[k])
            return refusal(
                QCoreApplication::translate("Framework", "%1 non ha la colonna %2 nella riga 1.")
                    .arg(subject, QString::fromUtf16(known[k].name)));
    return columns;
}
