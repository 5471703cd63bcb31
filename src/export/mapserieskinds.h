#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// What a map shows: one number per unit of the matrix.
struct MapSeries {
    QString what;               // the code it was asked by ("MPI+", "rank:MPI+", "width", ...)
    QString title;              // for the map's heading and legend
    QString method;             // the method or analysis, for the source line
    QStringList labels;         // the units, in the order of the matrix
    std::vector<double> values; // one per unit; NaN where the unit has none
    // Shifts (a change of rank, of the AMPI) are drawn on a diverging scale
    // centred on 0, levels on a sequential one.
    bool diverging = false;
    // Whether smaller values are better (ranks, rank-interval widths): the
    // sequential scale then darkens toward the small values.
    bool smallerIsBetter = false;
    // The files the values were read from, for the record of the map.
    QStringList files;
};

// One thing the results can be mapped by.
struct MapChoice {
    QString what;  // the series' code
    QString title; // for a list to choose from
};

// The kinds of series a map shows, each without its units and values: the
// code it is asked by (as `orvalta --map --show` takes it), its title in
// the interface's language, the method for the source line and its scale.
// One wording whatever the numbers come from: the windows fill them from
// the runs they hold, the batch tool and the report from the result files.

// A method's (or composite's) index, or its ranks; of a group of the
// structure when group is not empty.
MapSeries indexMap(const QString& code, const QString& group, bool ranks);
// The width of each unit's 5-95% rank interval, of the Monte Carlo analysis
// or of the uncertainty analysis.
MapSeries widthMap(bool monteCarlo);
// A factor's total Sobol index on each unit's rank: factor as the Sobol
// indices' file names it, shownFactor in the interface's language.
MapSeries sobolMap(const QString& factor, const QString& shownFactor);
// The shift of each unit's rank when leftOut is left out of method code.
MapSeries sensitivityMap(const QString& code, const QString& leftOut);
// The AMPI+ (plus) or AMPI- named name ("AMPI+", or with its group) of the
// period from, or its change from period from to period to.
MapSeries ampiMap(const QString& name, bool plus, const QString& from, const QString& to = {});

// The series' units and their values, NaN for a unit past the values.
void setMapValues(MapSeries& series, const QStringList& labels, std::vector<double> values);
// Each unit's change from earlier to later.
std::vector<double> mapChange(const std::vector<double>& earlier, const std::vector<double>& later);
// What a list to choose from shows of a series.
inline MapChoice mapChoice(const MapSeries& series) {
    return {series.what, series.title};
}
