#include "timeseries/ampifiles.h"

#include "shared/delimitedfields.h"
#include "shared/resultnames.h"
#include "shared/textfile.h"

namespace {

QString ampiSign(bool plus) {
    return plus ? QStringLiteral("+") : QStringLiteral("-");
}

} // namespace

QString ampiValuesFile(const QString& workbook, bool plus) {
    return resultFileName(workbook, ResultFileKind::AmpiValues, ampiSign(plus));
}

QString ampiRanksFile(const QString& workbook, bool plus) {
    return resultFileName(workbook, ResultFileKind::AmpiRanks, ampiSign(plus));
}

QString ampiGoalpostsFile(const QString& workbook) {
    return resultFileName(workbook, ResultFileKind::AmpiGoalposts);
}

QString ampiGroupValuesFile(const QString& workbook, bool plus) {
    return resultFileName(workbook, ResultFileKind::AmpiGroupValues, ampiSign(plus));
}

QString ampiGroupRanksFile(const QString& workbook, bool plus) {
    return resultFileName(workbook, ResultFileKind::AmpiGroupRanks, ampiSign(plus));
}

std::vector<std::vector<int>> ampiGroupRanks(const std::vector<std::vector<double>>& groupValues,
                                             int periods, int units) {
    std::vector<std::vector<int>> ranks(groupValues.size());
    for (std::size_t e = 0; e < groupValues.size(); ++e)
        if (!groupValues[e].empty())
            ranks[e] = ampiRanks(groupValues[e], periods, units);
    return ranks;
}

AmpiRanks rankAmpi(const Panel& panel, const AmpiResult& result, const Structure* structure) {
    AmpiRanks ranks;
    ranks.plus = ampiRanks(result.plus, panel.periodCount(), panel.unitCount());
    ranks.minus = ampiRanks(result.minus, panel.periodCount(), panel.unitCount());
    if (structure) {
        ranks.groupPlus = ampiGroupRanks(result.groupPlus, panel.periodCount(), panel.unitCount());
        ranks.groupMinus =
            ampiGroupRanks(result.groupMinus, panel.periodCount(), panel.unitCount());
    }
    return ranks;
}

namespace {

// The header line and one line per unit, each field appended by
// append(at, bytes) for the value at position at (by period, then unit).
template <typename Append> TextLines periodLines(const Panel& panel, Append append) {
    return TextLines(panel.unitCount() + 1, [&panel, append](qsizetype line, QByteArray& bytes) {
        if (line == 0) {
            bytes += joinFields(QStringList(panel.corner) + panel.periods).toUtf8();
            return;
        }
        const int u = static_cast<int>(line - 1);
        appendField(bytes, panel.units[u].toUtf8());
        for (int p = 0; p < panel.periodCount(); ++p) {
            bytes += ';';
            append(std::size_t(p) * std::size_t(panel.unitCount()) + std::size_t(u), bytes);
        }
    });
}

// The header line and a line per unit and group (the overall group last
// within a unit), each field appended by append(group, at, bytes) for the
// group's value at position at.
template <typename Append>
TextLines groupLines(const Panel& panel, const Structure& structure, Append append) {
    const qsizetype perUnit = qsizetype(structure.groups.size()) + 1;
    return TextLines(qsizetype(panel.unitCount()) * perUnit + 1, [&panel, &structure, perUnit,
                                                                  append](qsizetype line,
                                                                          QByteArray& bytes) {
        if (line == 0) {
            bytes +=
                joinFields(QStringList{panel.corner, QStringLiteral("Dimensione")} + panel.periods)
                    .toUtf8();
            return;
        }
        const int u = int((line - 1) / perUnit);
        const auto g = std::size_t((line - 1) % perUnit);
        const int group = g < structure.groups.size() ? structure.groups[g] : structure.root;
        appendField(bytes, panel.units[u].toUtf8());
        bytes += ';';
        appendField(bytes, structure.elements[std::size_t(group)].name.toUtf8());
        for (int p = 0; p < panel.periodCount(); ++p) {
            bytes += ';';
            append(std::size_t(group),
                   std::size_t(p) * std::size_t(panel.unitCount()) + std::size_t(u), bytes);
        }
    });
}

} // namespace

TextLines ampiGroupValuesLines(const Panel& panel, const Structure& structure,
                               const std::vector<std::vector<double>>& groupValues,
                               const Regional& regional) {
    return groupLines(
        panel, structure,
        [&groupValues, &regional](std::size_t group, std::size_t at, QByteArray& bytes) {
            bytes += regional.indexText(groupValues[group][at]).toUtf8();
        });
}

TextLines ampiGroupRanksLines(const Panel& panel, const Structure& structure,
                              const std::vector<std::vector<int>>& groupRanks) {
    return groupLines(panel, structure,
                      [&groupRanks](std::size_t group, std::size_t at, QByteArray& bytes) {
                          bytes += QByteArray::number(groupRanks[group][at]);
                      });
}

TextLines ampiValuesLines(const Panel& panel, const std::vector<double>& values,
                          const Regional& regional) {
    return periodLines(panel, [&values, &regional](std::size_t at, QByteArray& bytes) {
        bytes += regional.indexText(values[at]).toUtf8();
    });
}

TextLines ampiRanksLines(const Panel& panel, const std::vector<int>& ranks) {
    return periodLines(panel, [&ranks](std::size_t at, QByteArray& bytes) {
        bytes += QByteArray::number(ranks[at]);
    });
}

QStringList ampiGoalpostsLines(const Panel& panel, const AmpiResult& result,
                               const Regional& regional) {
    QStringList lines{QStringLiteral("Indicatore;Polarità;Inf;Sup;Ref;Min;Max")};
    for (int j = 0; j < panel.indicatorCount(); ++j) {
        const Goalposts& g = result.goalposts[std::size_t(j)];
        lines.append(joinFields(
            {panel.indicators[j],
             panel.negative[std::size_t(j)] ? QStringLiteral("-") : QStringLiteral("+"),
             regional.indexText(g.inf), regional.indexText(g.sup), regional.indexText(g.ref),
             regional.indexText(g.min), regional.indexText(g.max)}));
    }
    return lines;
}

Status writeAmpiFiles(const QString& workbook, const Panel& panel, const AmpiResult& result,
                      const AmpiRanks& ranks, const Regional& regional,
                      const Structure* structure) {
    std::vector<std::pair<QString, TextLines>> files{
        {ampiValuesFile(workbook, true), ampiValuesLines(panel, result.plus, regional)},
        {ampiValuesFile(workbook, false), ampiValuesLines(panel, result.minus, regional)},
        {ampiRanksFile(workbook, true), ampiRanksLines(panel, ranks.plus)},
        {ampiRanksFile(workbook, false), ampiRanksLines(panel, ranks.minus)},
        {ampiGoalpostsFile(workbook), TextLines(ampiGoalpostsLines(panel, result, regional))},
    };
    if (structure) {
        files.emplace_back(ampiGroupValuesFile(workbook, true),
                           ampiGroupValuesLines(panel, *structure, result.groupPlus, regional));
        files.emplace_back(ampiGroupValuesFile(workbook, false),
                           ampiGroupValuesLines(panel, *structure, result.groupMinus, regional));
        files.emplace_back(ampiGroupRanksFile(workbook, true),
                           ampiGroupRanksLines(panel, *structure, ranks.groupPlus));
        files.emplace_back(ampiGroupRanksFile(workbook, false),
                           ampiGroupRanksLines(panel, *structure, ranks.groupMinus));
    }
    return writeTextFiles(files);
}
