#pragma once

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

// The lines of a values file, produced one at a time (panel, values and
// regional must outlive them): the corner label and the periods, then one
// line per unit with its index value text in every period.
TextLines ampiValuesLines(const Panel& panel, const std::vector<double>& values,
                          const Regional& regional);
// The lines of a ranks file: the same layout with integer ranks.
TextLines ampiRanksLines(const Panel& panel, const std::vector<int>& ranks);
// The goalposts: indicator, polarity (+ or -), Inf, Sup, Ref, Min, Max.
QStringList ampiGoalpostsLines(const Panel& panel, const AmpiResult& result,
                               const Regional& regional);

// Writes the five files together (";"-separated, fields quoted when they
// need it, UTF-8, CR LF), the ranks those ampiRanks gives result.plus and
// result.minus: all of them or, on a failure, none. Fails with a File failure.
Status scriviFileAmpi(const QString& workbook, const Panel& panel, const AmpiResult& result,
                      const std::vector<int>& ranksPlus, const std::vector<int>& ranksMinus,
                      const Regional& regional);
