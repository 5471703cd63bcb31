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

} // namespace

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

Status scriviFileAmpi(const QString& workbook, const Panel& panel, const AmpiResult& result,
                      const std::vector<int>& ranksPlus, const std::vector<int>& ranksMinus,
                      const Regional& regional) {
    return writeTextFiles({
        {ampiValuesFile(workbook, true), ampiValuesLines(panel, result.plus, regional)},
        {ampiValuesFile(workbook, false), ampiValuesLines(panel, result.minus, regional)},
        {ampiRanksFile(workbook, true), ampiRanksLines(panel, ranksPlus)},
        {ampiRanksFile(workbook, false), ampiRanksLines(panel, ranksMinus)},
        {ampiGoalpostsFile(workbook), TextLines(ampiGoalpostsLines(panel, result, regional))},
    });
}
