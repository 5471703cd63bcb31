#include "ui/mappage/windowmaps.h"

#include "workflow/processing.h"

#include <limits>

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

template <typename Number> std::vector<double> asDoubles(const std::vector<Number>& numbers) {
    return std::vector<double>(numbers.begin(), numbers.end());
}

} // namespace

MethodMaps::MethodMaps(QString code, QStringList labels, QStringList groups,
                       std::shared_ptr<const MethodRun> run)
    : m_code(std::move(code)), m_labels(std::move(labels)), m_groups(std::move(groups)),
      m_run(std::move(run)) {}

std::vector<MapChoice> MethodMaps::choices() const {
    std::vector<MapChoice> choices{mapChoice(indexMap(m_code, QString(), false)),
                                   mapChoice(indexMap(m_code, QString(), true))};
    for (const QString& group : m_groups) {
        choices.push_back(mapChoice(indexMap(m_code, group, false)));
        choices.push_back(mapChoice(indexMap(m_code, group, true)));
    }
    return choices;
}

MapSeries MethodMaps::series(const QString& what) const {
    const bool ranks = what.startsWith(QLatin1String("rank:"));
    const QString group = what.section(u'/', 1);
    const qsizetype position = group.isEmpty() ? -1 : m_groups.indexOf(group);
    MapSeries series = indexMap(m_code, position >= 0 ? group : QString(), ranks);
    if (!m_run) {
        setMapValues(series, m_labels, {});
        return series;
    }
    const MethodOutput& output = position >= 0 && std::size_t(position) < m_run->groups.size()
                                     ? m_run->groups[std::size_t(position)]
                                     : m_run->output;
    setMapValues(series, m_labels, ranks ? asDoubles(output.ranks) : output.index);
    if (position >= 0)
        series.files = {ranks ? m_run->groupRanksFile : m_run->groupValuesFile};
    else
        series.files = {ranks ? m_run->ranksFile : m_run->valuesFile};
    return series;
}

void RobustnessMaps::clear() {
    m_sensitivity.reset();
    m_uncertainty.reset();
    m_monteCarlo.reset();
}

void RobustnessMaps::takeSensitivity(const IndicatorSensitivity& sensitivity, const QString& file) {
    m_sensitivity = sensitivity;
    m_sensitivityFile = file;
}

void RobustnessMaps::takeUncertainty(const RankUncertainty& uncertainty, const QString& file) {
    m_uncertainty = uncertainty;
    m_uncertaintyFile = file;
}

void RobustnessMaps::takeMonteCarlo(const MonteCarloResult& result, const QStringList& files) {
    m_monteCarlo = result;
    m_monteCarloFiles = files;
}

std::vector<MapChoice> RobustnessMaps::choices() const {
    std::vector<MapChoice> choices;
    if (m_monteCarlo || m_uncertainty)
        choices.push_back(mapChoice(widthMap(m_monteCarlo.has_value())));
    if (m_monteCarlo && !m_monteCarlo->unitTotals.empty())
        for (const MonteCarloFactor factor : m_monteCarlo->factors)
            choices.push_back(mapChoice(
                sobolMap(monteCarloFactorName(factor), monteCarloFactorShownName(factor))));
    if (m_sensitivity)
        for (std::size_t run = 0; run < m_sensitivity->shifts.size(); ++run)
            if (!m_sensitivity->shifts[run].empty())
                choices.push_back(mapChoice(
                    sensitivityMap(m_sensitivity->code, m_sensitivity->leftOut(int(run)))));
    return choices;
}

MapSeries RobustnessMaps::width() const {
    MapSeries series = widthMap(m_monteCarlo.has_value());
    std::vector<double> widths(std::size_t(m_labels.size()), kNone);
    if (m_monteCarlo) {
        for (std::size_t unit = 0; unit < m_monteCarlo->units.size() && unit < widths.size();
             ++unit) {
            const MonteCarloUnit& figures = m_monteCarlo->units[unit];
            if (figures.lacking < m_monteCarlo->rankings)
                widths[unit] = figures.p95 - figures.p5;
        }
        series.files = m_monteCarloFiles.mid(0, 1);
    } else {
        if (m_uncertainty)
            for (std::size_t unit = 0; unit < m_uncertainty->units.size() && unit < widths.size();
                 ++unit)
                widths[unit] = m_uncertainty->units[unit].p95 - m_uncertainty->units[unit].p5;
        series.files = {m_uncertaintyFile};
    }
    setMapValues(series, m_labels, std::move(widths));
    return series;
}

MapSeries RobustnessMaps::series(const QString& what) const {
    if (what == QLatin1String("width"))
        return width();
    std::vector<double> values(std::size_t(m_labels.size()), kNone);
    if (what.startsWith(QLatin1String("sti:")) && m_monteCarlo) {
        for (std::size_t factor = 0; factor < m_monteCarlo->factors.size(); ++factor) {
            const MonteCarloFactor kind = m_monteCarlo->factors[factor];
            if (QStringLiteral("sti:") + monteCarloFactorName(kind) != what)
                continue;
            MapSeries series =
                sobolMap(monteCarloFactorName(kind), monteCarloFactorShownName(kind));
            for (std::size_t unit = 0;
                 unit < m_monteCarlo->unitTotals.size() && unit < values.size(); ++unit)
                if (const auto& totals = m_monteCarlo->unitTotals[unit];
                    totals && factor < totals->size())
                    values[unit] = (*totals)[factor];
            setMapValues(series, m_labels, std::move(values));
            series.files = m_monteCarloFiles.mid(2, 1);
            return series;
        }
    }
    if (what.startsWith(QLatin1String("sens:")) && m_sensitivity) {
        const QString leftOut = what.section(u':', 2);
        MapSeries series = sensitivityMap(m_sensitivity->code, leftOut);
        for (std::size_t run = 0; run < m_sensitivity->shifts.size(); ++run) {
            if (m_sensitivity->leftOut(int(run)) != leftOut)
                continue;
            const std::vector<int>& shifts = m_sensitivity->shifts[run];
            for (std::size_t unit = 0; unit < shifts.size() && unit < values.size(); ++unit)
                if (shifts[unit] != IndicatorSensitivity::kNoShift)
                    values[unit] = shifts[unit];
        }
        setMapValues(series, m_labels, std::move(values));
        series.files = {m_sensitivityFile};
        return series;
    }
    MapSeries unknown;
    unknown.what = unknown.title = what;
    setMapValues(unknown, m_labels, std::move(values));
    return unknown;
}

AmpiMaps::AmpiMaps(QString name, bool plus, QStringList labels, QStringList periods,
                   std::vector<double> values, QString file)
    : m_name(std::move(name)), m_plus(plus), m_labels(std::move(labels)),
      m_periods(std::move(periods)), m_values(std::move(values)), m_file(std::move(file)) {}

std::vector<MapChoice> AmpiMaps::choices() const {
    std::vector<MapChoice> choices;
    for (const QString& period : m_periods)
        choices.push_back(mapChoice(ampiMap(m_name, m_plus, period)));
    for (qsizetype period = 1; period < m_periods.size(); ++period)
        choices.push_back(
            mapChoice(ampiMap(m_name, m_plus, m_periods[period - 1], m_periods[period])));
    if (m_periods.size() > 2)
        choices.push_back(mapChoice(ampiMap(m_name, m_plus, m_periods.first(), m_periods.last())));
    return choices;
}

MapSeries AmpiMaps::series(const QString& what) const {
    const QString periods = what.section(u':', 1);
    const QString from = periods.section(u'>', 0, 0);
    const QString to = periods.section(u'>', 1);
    const qsizetype units = m_labels.size();
    const auto valuesOf = [&](const QString& period) {
        std::vector<double> values(std::size_t(units), kNone);
        const qsizetype p = m_periods.indexOf(period);
        if (p < 0)
            return values;
        for (qsizetype unit = 0; unit < units; ++unit)
            if (const std::size_t at = std::size_t(p * units + unit); at < m_values.size())
                values[std::size_t(unit)] = m_values[at];
        return values;
    };
    MapSeries series = ampiMap(m_name, m_plus, from, to);
    setMapValues(series, m_labels,
                 to.isEmpty() ? valuesOf(from) : mapChange(valuesOf(from), valuesOf(to)));
    series.files = {m_file};
    return series;
}
