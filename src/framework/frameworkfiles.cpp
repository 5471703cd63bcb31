#include "framework/frameworkfiles.h"

#include "shared/delimitedfields.h"
#include "shared/resultnames.h"

#include <QCoreApplication>

#include <charconv>
#include <cmath>
#include <memory>
#include <string>

QString groupValuesFile(const QString& workbook, const QString& code) {
    return resultFileName(workbook, ResultFileKind::GroupValues, code);
}

QString groupRanksFile(const QString& workbook, const QString& code) {
    return resultFileName(workbook, ResultFileKind::GroupRanks, code);
}

namespace {

// The lines of a group file: the header (the corner, then the groups'
// names), then per unit its label and cell(k, unit) of every group, k its
// place among the structure's groups.
template <typename Cell>
TextLines groupLines(const Structure& structure, const ResultLabels& labels, qsizetype units,
                     Cell cell) {
    return TextLines(units + 1, [&structure, &labels, cell](qsizetype line, QByteArray& bytes) {
        bytes += labels.label(int(line));
        for (std::size_t k = 0; k < structure.groups.size(); ++k) {
            bytes += ';';
            if (line == 0)
                appendField(bytes,
                            structure.elements[std::size_t(structure.groups[k])].name.toUtf8());
            else
                cell(k, std::size_t(line - 1), bytes);
        }
    });
}

// The groups' indices and ranks unit by unit (a line of a group file),
// taken once from the groups' outputs rather than a value from each of
// them per line: with many groups, a line reads from each one's memory.
struct GroupTable {
    std::vector<double> index; // per unit, per group; NaN when it has none
    std::vector<int> ranks;
};

std::shared_ptr<const GroupTable>
groupTable(const Structure& structure, const std::vector<MethodOutput>& groups, std::size_t units) {
    auto table = std::make_shared<GroupTable>();
    const std::size_t count = structure.groups.size();
    table->index.resize(units * count);
    table->ranks.resize(units * count);
    for (std::size_t k = 0; k < count; ++k) {
        const MethodOutput& output = groups[std::size_t(structure.groups[k])];
        for (std::size_t unit = 0; unit < units; ++unit) {
            table->index[unit * count + k] = output.index[unit];
            table->ranks[unit * count + k] = output.ranks[unit];
        }
    }
    return table;
}

} // namespace

std::pair<TextLines, TextLines> groupFileLines(const Structure& structure,
                                               const std::vector<MethodOutput>& groups,
                                               qsizetype units, const ResultLabels& labels,
                                               const Regional& regional) {
    const std::shared_ptr<const GroupTable> table =
        groupTable(structure, groups, std::size_t(units));
    const std::size_t count = structure.groups.size();
    TextLines values =
        groupLines(structure, labels, units,
                   [table, count, &regional](std::size_t k, std::size_t unit, QByteArray& bytes) {
                       const double index = table->index[unit * count + k];
                       if (std::isnan(index))
                           return; // no index of this group: an empty field
                       std::string text;
                       regional.appendIndexText(index, text);
                       bytes.append(text.data(), qsizetype(text.size()));
                   });
    TextLines ranks =
        groupLines(structure, labels, units,
                   [table, count, &regional](std::size_t k, std::size_t unit, QByteArray& bytes) {
                       if (std::isnan(table->index[unit * count + k]))
                           return;
                       const int rank = table->ranks[unit * count + k];
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
