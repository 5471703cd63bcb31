#include "timeseries/ampifiles.h"

#include "shared/textfile.h"

QString ampiValuesFile(const QString& workbook, bool plus) {
    return workbook + (plus ? QStringLiteral(".AMPI+.csv") : QStringLiteral(".AMPI-.csv"));
}

QString ampiRanksFile(const QString& workbook, bool plus) {
    return workbook + (plus ? QStringLiteral(".AMPI+.rnk.csv") : QStringLiteral(".AMPI-.rnk.csv"));
}

QString ampiGoalpostsFile(const QString& workbook) {
    return workbook + QStringLiteral(".goalposts.csv");
}

namespace {

// The header line and one line per unit, each field given by text(p, u).
template <typename Text> QStringList periodLines(const Panel& panel, Text text) {
    QStringList lines;
    lines.reserve(panel.unitCount() + 1);
    lines.append((QStringList(panel.corner) + panel.periods).join(u';'));
    for (int u = 0; u < panel.unitCount(); ++u) {
        QString line = panel.units[u];
        for (int p = 0; p < panel.periodCount(); ++p)
            line += u';' + text(std::size_t(p) * std::size_t(panel.unitCount()) + std::size_t(u));
        lines.append(line);
    }
    return lines;
}

} // namespace

QStringList ampiValuesLines(const Panel& panel, const std::vector<double>& values,
                            const Regional& regional) {
    return periodLines(panel, [&](std::size_t at) { return regional.indexText(values[at]); });
}

QStringList ampiRanksLines(const Panel& panel, const std::vector<int>& ranks) {
    return periodLines(panel, [&](std::size_t at) { return QString::number(ranks[at]); });
}

QStringList ampiGoalpostsLines(const Panel& panel, const AmpiResult& result,
                               const Regional& regional) {
    QStringList lines{QStringLiteral("Indicatore;Polarità;Inf;Sup;Ref;Min;Max")};
    for (int j = 0; j < panel.indicatorCount(); ++j) {
        const Goalposts& g = result.goalposts[std::size_t(j)];
        lines.append(QStringList{
            panel.indicators[j],
            panel.negative[std::size_t(j)] ? QStringLiteral("-") : QStringLiteral("+"),
            regional.indexText(g.inf), regional.indexText(g.sup), regional.indexText(g.ref),
            regional.indexText(g.min), regional.indexText(g.max)}
                         .join(u';'));
    }
    return lines;
}

QString scriviFileAmpi(const QString& workbook, const Panel& panel, const AmpiResult& result,
                       const Regional& regional) {
    const int periods = panel.periodCount();
    const int units = panel.unitCount();
    return writeTextFiles({
        {ampiValuesFile(workbook, true), ampiValuesLines(panel, result.plus, regional)},
        {ampiValuesFile(workbook, false), ampiValuesLines(panel, result.minus, regional)},
        {ampiRanksFile(workbook, true),
         ampiRanksLines(panel, ampiRanks(result.plus, periods, units, regional))},
        {ampiRanksFile(workbook, false),
         ampiRanksLines(panel, ampiRanks(result.minus, periods, units, regional))},
        {ampiGoalpostsFile(workbook), ampiGoalpostsLines(panel, result, regional)},
    });
}
