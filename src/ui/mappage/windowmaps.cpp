#include "ui/mappage/windowmaps.h"

#include "shared/resultnames.h"
#include "workflow/processing.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

MapSeries seriesOf(const QString& what, const QString& title, const QString& method,
                   const QStringList& labels) {
    MapSeries series;
    series.what = what;
    series.title = title;
    series.method = method;
    series.labels = labels;
    series.values.assign(std::size_t(labels.size()), kNone);
    return series;
}

template <typename Number> std::vector<double> asDoubles(const std::vector<Number>& numbers) {
    return std::vector<double>(numbers.begin(), numbers.end());
}

} // namespace

MethodMaps::MethodMaps(QString code, QStringList labels, QStringList groups,
                       std::shared_ptr<const MethodRun> run)
    : m_code(std::move(code)), m_labels(std::move(labels)), m_groups(std::move(groups)),
      m_run(std::move(run)) {}

std::vector<MapChoice> MethodMaps::choices() const {
    std::vector<MapChoice> choices{{m_code, tr("Indice %1").arg(m_code)},
                                   {QStringLiteral("rank:") + m_code, tr("Ranghi %1").arg(m_code)}};
    for (qsizetype group = 0; group < m_groups.size(); ++group) {
        const QString what = m_code + u'/' + m_groups[group];
        choices.push_back({what, tr("Indice %1 - dimensione %2").arg(m_code, m_groups[group])});
        choices.push_back({QStringLiteral("rank:") + what,
                           tr("Ranghi %1 - dimensione %2").arg(m_code, m_groups[group])});
    }
    return choices;
}

MapSeries MethodMaps::series(const QString& what) const {
    const bool ranks = what.startsWith(QLatin1String("rank:"));
    const QString group = what.section(u'/', 1);
    const qsizetype position = group.isEmpty() ? -1 : m_groups.indexOf(group);
    QString title = ranks ? tr("Ranghi %1").arg(m_code) : tr("Indice %1").arg(m_code);
    if (position >= 0)
        title += tr(" - dimensione %1").arg(group);
    MapSeries series = seriesOf(what, title, m_code, m_labels);
    if (!m_run)
        return series;
    const MethodOutput& output = position >= 0 && std::size_t(position) < m_run->groups.size()
                                     ? m_run->groups[std::size_t(position)]
                                     : m_run->output;
    if (ranks) {
        series.values = asDoubles(output.ranks);
        series.smallerIsBetter = true;
    } else {
        series.values = output.index;
    }
    series.values.resize(std::size_t(m_labels.size()), kNone);
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
        choices.push_back({QStringLiteral("width"), width().title});
    if (m_monteCarlo && !m_monteCarlo->unitTotals.empty())
        for (const MonteCarloFactor factor : m_monteCarlo->factors)
            choices.push_back({QStringLiteral("sti:") + monteCarloFactorName(factor),
                               tr("Indice totale di Sobol sul rango: %1")
                                   .arg(monteCarloFactorShownName(factor))});
    if (m_sensitivity)
        for (std::size_t run = 0; run < m_sensitivity->shifts.size(); ++run)
            if (!m_sensitivity->shifts[run].empty()) {
                const QString& leftOut = m_sensitivity->leftOut(int(run));
                choices.push_back(
                    {QStringLiteral("sens:%1:%2").arg(m_sensitivity->code, leftOut),
                     tr("Spostamento del rango senza %1 (%2)").arg(leftOut, m_sensitivity->code)});
            }
    return choices;
}

MapSeries RobustnessMaps::width() const {
    if (m_monteCarlo) {
        MapSeries series = seriesOf(QStringLiteral("width"),
                                    tr("Ampiezza dell'intervallo 5-95% del rango (Monte Carlo)"),
                                    QStringLiteral("Monte Carlo"), m_labels);
        for (std::size_t unit = 0; unit < m_monteCarlo->units.size() && unit < series.values.size();
             ++unit) {
            const MonteCarloUnit& figures = m_monteCarlo->units[unit];
            if (figures.lacking < m_monteCarlo->rankings)
                series.values[unit] = figures.p95 - figures.p5;
        }
        series.files = m_monteCarloFiles.mid(0, 1);
        series.smallerIsBetter = true;
        return series;
    }
    MapSeries series = seriesOf(QStringLiteral("width"),
                                tr("Ampiezza dell'intervallo 5-95% del rango (incertezza)"),
                                tr("analisi d'incertezza"), m_labels);
    if (m_uncertainty)
        for (std::size_t unit = 0;
             unit < m_uncertainty->units.size() && unit < series.values.size(); ++unit)
            series.values[unit] = m_uncertainty->units[unit].p95 - m_uncertainty->units[unit].p5;
    series.files = {m_uncertaintyFile};
    series.smallerIsBetter = true;
    return series;
}

MapSeries RobustnessMaps::series(const QString& what) const {
    if (what == QLatin1String("width"))
        return width();
    if (what.startsWith(QLatin1String("sti:")) && m_monteCarlo) {
        const QString name = what.mid(4);
        MapSeries series = seriesOf(what, name, QStringLiteral("Monte Carlo"), m_labels);
        for (std::size_t factor = 0; factor < m_monteCarlo->factors.size(); ++factor) {
            if (monteCarloFactorName(m_monteCarlo->factors[factor]) != name)
                continue;
            series.title = tr("Indice totale di Sobol sul rango: %1")
                               .arg(monteCarloFactorShownName(m_monteCarlo->factors[factor]));
            for (std::size_t unit = 0;
                 unit < m_monteCarlo->unitTotals.size() && unit < series.values.size(); ++unit)
                if (const auto& totals = m_monteCarlo->unitTotals[unit];
                    totals && factor < totals->size())
                    series.values[unit] = (*totals)[factor];
        }
        series.files = m_monteCarloFiles.mid(2, 1);
        return series;
    }
    if (what.startsWith(QLatin1String("sens:")) && m_sensitivity) {
        const QString leftOut = what.section(u':', 2);
        MapSeries series = seriesOf(
            what, tr("Spostamento del rango senza %1 (%2)").arg(leftOut, m_sensitivity->code),
            m_sensitivity->code, m_labels);
        for (std::size_t run = 0; run < m_sensitivity->shifts.size(); ++run) {
            if (m_sensitivity->leftOut(int(run)) != leftOut)
                continue;
            const std::vector<int>& shifts = m_sensitivity->shifts[run];
            for (std::size_t unit = 0; unit < shifts.size() && unit < series.values.size(); ++unit)
                if (shifts[unit] != IndicatorSensitivity::kNoShift)
                    series.values[unit] = shifts[unit];
        }
        series.diverging = true;
        series.files = {m_sensitivityFile};
        return series;
    }
    return seriesOf(what, what, QString(), m_labels);
}

AmpiMaps::AmpiMaps(QString name, bool plus, QStringList labels, QStringList periods,
                   std::vector<double> values, QString file)
    : m_name(std::move(name)), m_prefix(plus ? QStringLiteral("ampi+:") : QStringLiteral("ampi-:")),
      m_labels(std::move(labels)), m_periods(std::move(periods)), m_values(std::move(values)),
      m_file(std::move(file)) {}

std::vector<MapChoice> AmpiMaps::choices() const {
    std::vector<MapChoice> choices;
    for (const QString& period : m_periods)
        choices.push_back({m_prefix + period, tr("%1 %2").arg(m_name, period)});
    const auto change = [&](const QString& from, const QString& to) {
        choices.push_back(
            {m_prefix + from + u'>' + to, tr("%1: variazione da %2 a %3").arg(m_name, from, to)});
    };
    for (qsizetype period = 1; period < m_periods.size(); ++period)
        change(m_periods[period - 1], m_periods[period]);
    if (m_periods.size() > 2)
        change(m_periods.first(), m_periods.last());
    return choices;
}

MapSeries AmpiMaps::series(const QString& what) const {
    const QString periods = what.mid(m_prefix.size());
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
    MapSeries series =
        seriesOf(what,
                 to.isEmpty() ? tr("%1 %2").arg(m_name, from)
                              : tr("%1: variazione da %2 a %3").arg(m_name, from, to),
                 m_name, m_labels);
    series.values = valuesOf(from);
    if (!to.isEmpty()) {
        const std::vector<double> later = valuesOf(to);
        for (std::size_t unit = 0; unit < later.size(); ++unit)
            series.values[unit] = later[unit] - series.values[unit];
        series.diverging = true;
    }
    series.files = {m_file};
    return series;
}
