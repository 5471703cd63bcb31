#include "framework/frameworkfiles.h"

#include "shared/delimitedfields.h"
#include "shared/resultnames.h"

#include <QCoreApplication>

#include <charconv>
#include <cmath>
#include <string>

QString groupValuesFile(const QString& workbook, const QString& code) {
    return resultFileName(workbook, ResultFileKind::GroupValues, code);
}

QString groupRanksFile(const QString& workbook, const QString& code) {
    return resultFileName(workbook, ResultFileKind::GroupRanks, code);
}

namespace {

// The lines of a group file: the header (the corner, then the groups'
// names), then per unit its label and cell(group, unit) of every group.
template <typename Cell>
TextLines groupLines(const Structure& structure, const ResultLabels& labels, qsizetype units,
                     Cell cell) {
    return TextLines(units + 1, [&structure, &labels, cell](qsizetype line, QByteArray& bytes) {
        bytes += labels.label(int(line));
        for (const int group : structure.groups) {
            bytes += ';';
            if (line == 0)
                appendField(bytes, structure.elements[std::size_t(group)].name.toUtf8());
            else
                cell(group, std::size_t(line - 1), bytes);
        }
    });
}

} // namespace

std::pair<TextLines, TextLines> groupFileLines(const Structure& structure,
                                               const std::vector<MethodOutput>& groups,
                                               qsizetype units, const ResultLabels& labels,
                                               const Regional& regional) {
    TextLines values =
        groupLines(structure, labels, units,
                   [&groups, &regional](int group, std::size_t unit, QByteArray& bytes) {
                       const double index = groups[std::size_t(group)].index[unit];
                       if (std::isnan(index))
                           return; // no index of this group: an empty field
                       std::string text;
                       regional.appendIndexText(index, text);
                       bytes.append(text.data(), qsizetype(text.size()));
                   });
    TextLines ranks =
        groupLines(structure, labels, units,
                   [&groups, &regional](int group, std::size_t unit, QByteArray& bytes) {
                       if (std::isnan(groups[std::size_t(group)].index[unit]))
                           return;
                       const int rank = groups[std::size_t(group)].ranks[unit];
                       if (!regional.plainWholeNumbers()) {
                           bytes += regional.generalText(CellValue(double(rank))).toUtf8();
                           return;
                       }
                       char digits[16];
                       const char* const end =
                           std::to_chars(digits, digits + sizeof digits, rank).ptr;
                       bytes.append(digits, end - digits);
                   });
    return {std::move(values), std::move(ranks)};
}

QStringList structureTree(const Structure& structure, const Regional& regional) {
    QStringList lines;
    const auto six = [&regional](double x) { return regional.locale().toString(x, 'f', 6); };
    const std::vector<double> shares = structure.shares();
    const std::vector<double> effective = structure.effectiveWeights();
    for (const auto& [element, depth] : structure.depthFirst()) {
        const StructureElement& e = structure.elements[std::size_t(element)];
        QString line = QString(depth * 2, u' ') + e.name;
        if (element != structure.root) {
            line += e.weight == 0.0
                        ? QCoreApplication::translate("Framework", " (escluso: peso 0)")
                        : QCoreApplication::translate("Framework", " - quota %1, peso effettivo %2")
                              .arg(six(shares[std::size_t(element)]),
                                   six(effective[std::size_t(element)]));
        }
        lines.append(line);
    }
    return lines;
}
