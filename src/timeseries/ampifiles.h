#pragma once

#include "framework/structure.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/textfile.h"
#include "timeseries/ampi.h"
#include "timeseries/panel.h"

#include <QString>
#include <QStringList>

// The files of an AMPI run beside the workbook: <workbook>.AMPI+.csv and
// <workbook>.AMPI-.csv (the values), <workbook>.AMPI+.rnk.csv and
// <workbook>.AMPI-.rnk.csv (the ranks), <workbook>.goalposts.csv.
QString ampiValuesFile(const QString& workbook, bool plus);
QString ampiRanksFile(const QString& workbook, bool plus);
QString ampiGoalpostsFile(const QString& workbook);
// With a structure: <workbook>.AMPI+.dim.csv and <workbook>.AMPI-.dim.csv
// (every group's values), <workbook>.AMPI+.dim.rnk.csv and
// <workbook>.AMPI-.dim.rnk.csv (their ranks within each group and period).
QString ampiGroupValuesFile(const QString& workbook, bool plus);
QString ampiGroupRanksFile(const QString& workbook, bool plus);

// The ranks within each period of every group's values (AmpiResult's
// groupPlus or groupMinus), per element of the structure; empty for an
// indicator.
std::vector<std::vector<int>> ampiGroupRanks(const std::vector<std::vector<double>>& groupValues,
                                             int periods, int units);

// The lines of a values file, produced one at a time (panel, values and
// regional must outlive them): the corner label and the periods, then one
// line per unit with its index value text in every period.
TextLines ampiValuesLines(const Panel& panel, const std::vector<double>& values,
                          const Regional& regional);
// The lines of a ranks file: the same layout with integer ranks.
TextLines ampiRanksLines(const Panel& panel, const std::vector<int>& ranks);
// The lines of a group values file (structure, groupValues and regional
// must outlive them): the corner label, "Dimensione" and the periods, then
// a line per unit and group, unit by unit in the panel's order, within a
// unit the groups in the order of Structure::groups and the overall group
// last, each with the group's value in every period.
TextLines ampiGroupValuesLines(const Panel& panel, const Structure& structure,
                               const std::vector<std::vector<double>>& groupValues,
                               const Regional& regional);
// The lines of a group ranks file: the same layout with integer ranks.
TextLines ampiGroupRanksLines(const Panel& panel, const Structure& structure,
                              const std::vector<std::vector<int>>& groupRanks);
// The goalposts: indicator, polarity (+ or -), Inf, Sup, Ref, Min, Max.
QStringList ampiGoalpostsLines(const Panel& panel, const AmpiResult& result,
                               const Regional& regional);

// The ranks of an AMPI run: those ampiRanks gives the overall indices, and
// with a structure those ampiGroupRanks gives every group's.
struct AmpiRanks {
    std::vector<int> plus;
    std::vector<int> minus;
    std::vector<std::vector<int>> groupPlus;  // empty without a structure
    std::vector<std::vector<int>> groupMinus; // empty without a structure
};

// The ranks of result over the panel (and its structure, when it has one).
AmpiRanks rankAmpi(const Panel& panel, const AmpiResult& result, const Structure* structure);

// Writes the five files together (";"-separated, fields quoted when they
// need it, UTF-8, CR LF) and, with a structure, the four group files: all
// of them or, on a failure, none. Fails with a File failure.
Status writeAmpiFiles(const QString& workbook, const Panel& panel, const AmpiResult& result,
                      const AmpiRanks& ranks, const Regional& regional,
                      const Structure* structure = nullptr);
