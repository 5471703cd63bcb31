#pragma once

#include "export/mapserieskinds.h"
#include "robustness/montecarlo.h"
#include "robustness/sensitivity.h"
#include "robustness/uncertainty.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

struct MethodRun;

// What the windows' map pages show, made from the results the windows
// hold: the same numbers their grids show. The codes are those of
// mapSeries where it has one.

// The processing window: the index and the ranks of the method on view
// (code), overall and, with a structure, of each group (groups: their
// names, in the order of MethodRun::groups).
class MethodMaps {
public:
    MethodMaps(QString code, QStringList labels, QStringList groups,
               std::shared_ptr<const MethodRun> run);

    std::vector<MapChoice> choices() const;
    MapSeries series(const QString& what) const;

private:
    QString m_code;
    QStringList m_labels;
    QStringList m_groups;
    std::shared_ptr<const MethodRun> m_run;
};

// The robustness window: the width of each unit's 5-95% rank interval (of
// the Monte Carlo when it has run, else of the uncertainty analysis), each
// factor's total Sobol index on each unit's rank, and the shift of each
// unit's rank with each indicator (or group) left out.
class RobustnessMaps {
public:
    void clear();
    void setLabels(const QStringList& labels) { m_labels = labels; }
    void takeSensitivity(const IndicatorSensitivity& sensitivity, const QString& file);
    void takeUncertainty(const RankUncertainty& uncertainty, const QString& file);
    void takeMonteCarlo(const MonteCarloResult& result, const QStringList& files);

    const QStringList& labels() const { return m_labels; }
    std::vector<MapChoice> choices() const;
    MapSeries series(const QString& what) const;

private:
    MapSeries width() const;

    QStringList m_labels;
    std::optional<IndicatorSensitivity> m_sensitivity;
    QString m_sensitivityFile;
    std::optional<RankUncertainty> m_uncertainty;
    QString m_uncertaintyFile;
    std::optional<MonteCarloResult> m_monteCarlo;
    QStringList m_monteCarloFiles;
};

// The time-analysis window: the index on view (AMPI+ or AMPI-, overall or
// of a group: name) of each period, and its change from each period to the
// next and from the first to the last. values: period after period, a
// value per unit.
class AmpiMaps {
public:
    AmpiMaps(QString name, bool plus, QStringList labels, QStringList periods,
             std::vector<double> values, QString file);

    std::vector<MapChoice> choices() const;
    MapSeries series(const QString& what) const;

private:
    QString m_name;
    bool m_plus;
    QStringList m_labels;
    QStringList m_periods;
    std::vector<double> m_values;
    QString m_file;
};
