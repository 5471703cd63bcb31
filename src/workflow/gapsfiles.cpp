#include "workflow/gapsfiles.h"

#include "shared/delimitedfields.h"
#include "shared/resultnames.h"
#include "shared/textfile.h"
#include "workflow/treatmentfiles.h"

#include <QCoreApplication>

namespace {

QString coverageLine(const QString& element, const QString& type, const CoverageCount& count,
                     const Regional& regional) {
    return joinFields({element, type, QString::number(count.available),
                       QString::number(count.missing), regional.fixed4(count.share())});
}

QString namesOf(const std::vector<CellValue>& cells, const std::vector<int>& which,
                const Regional& regional) {
    QStringList names;
    for (const int k : which)
        names.push_back(regional.generalText(cells[std::size_t(k)]));
    return names.join(QStringLiteral(", "));
}

} // namespace

QStringList coverageFileLines(const GapsRecord& gaps, const Structure* structure,
                              const Regional& regional) {
    QStringList lines{QStringLiteral("Elemento;Tipo;Disponibili;Mancanti;Copertura")};
    for (std::size_t j = 0; j < gaps.indicators.size(); ++j)
        lines.push_back(coverageLine(regional.generalText(gaps.indicators[j]),
                                     QStringLiteral("indicatore"), gaps.coverage.indicators[j],
                                     regional));
    for (std::size_t i = 0; i < gaps.units.size(); ++i)
        lines.push_back(coverageLine(regional.generalText(gaps.units[i]), QStringLiteral("unita"),
                                     gaps.coverage.units[i], regional));
    if (!structure)
        return lines;
    std::vector<int> groups = structure->groups;
    groups.push_back(structure->root);
    for (const int group : groups) {
        const std::vector<int> columns = structure->indicatorsBeneath(group);
        const QString& name = structure->elements[std::size_t(group)].name;
        for (const int i : gaps.keptUnits) {
            CoverageCount count;
            for (const int column : columns)
                (gaps.isMissing(i, gaps.keptIndicators[std::size_t(column)]) ? count.missing
                                                                             : count.available)++;
            lines.push_back(coverageLine(regional.generalText(gaps.units[std::size_t(i)]), name,
                                         count, regional));
        }
    }
    return lines;
}

QStringList imputedFileLines(const GapsRecord& gaps, const Regional& regional) {
    QStringList lines{joinFields({regional.generalText(gaps.corner), QStringLiteral("Indicatore"),
                                  QStringLiteral("Valore"), QStringLiteral("Trattamento")})};
    const QString word = fillWord(gaps.treatment);
    for (const FilledCell& cell : gaps.filled)
        lines.push_back(
            joinFields({regional.generalText(gaps.units[std::size_t(cell.unit)]),
                        regional.generalText(gaps.indicators[std::size_t(cell.indicator)]),
                        shortestText(cell.value, regional), word}));
    return lines;
}

Expected<QStringList> writeGapsFiles(const QString& workbook, const GapsRecord& gaps,
                                     const Structure* structure, const Regional& regional) {
    QStringList paths{resultFileName(workbook, ResultFileKind::Coverage)};
    std::vector<std::pair<QString, TextLines>> files;
    files.emplace_back(paths.back(), TextLines(coverageFileLines(gaps, structure, regional)));
    if (fillsCells(gaps.treatment)) {
        paths.push_back(resultFileName(workbook, ResultFileKind::ImputedCells));
        files.emplace_back(paths.back(), TextLines(imputedFileLines(gaps, regional)));
    }
    if (Status written = writeTextFiles(files); !written)
        return std::move(written).error();
    return paths;
}

QStringList gapsSummary(const GapsRecord& gaps, const Regional& regional) {
    QStringList lines;
    lines.push_back(QCoreApplication::translate("Treatment", "Copertura: %1")
                        .arg(gapsCount(gaps.coverage, regional)));
    const QString percent = regional.locale().toString(100.0 * gaps.minCoverage, 'g', 4);
    if (!gaps.leftOut.indicators.empty())
        lines.push_back(
            QCoreApplication::translate("Treatment",
                                        "Indicatori con copertura inferiore al %1%: %2")
                .arg(percent, namesOf(gaps.indicators, gaps.leftOut.indicators, regional)));
    if (!gaps.leftOut.units.empty())
        lines.push_back(
            QCoreApplication::translate("Treatment", "Unità con copertura inferiore al %1%: %2")
                .arg(percent, namesOf(gaps.units, gaps.leftOut.units, regional)));
    for (const QString& group : gaps.emptiedGroups)
        lines.push_back(emptiedGroupText(group));
    if (!gaps.leftOut.unitsWithoutIndex.empty())
        lines.push_back(
            QCoreApplication::translate("Treatment", "Unità senza indice complessivo: %1")
                .arg(namesOf(gaps.units, gaps.leftOut.unitsWithoutIndex, regional)));
    return lines;
}
