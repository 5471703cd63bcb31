#pragma once

#include "framework/structure.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The same units observed on the same indicators in several periods, one
// sheet of a workbook each. Units keep the order of the first period's sheet.
struct Panel {
    QString corner;             // the corner label of the first sheet
    QStringList periods;        // the sheet names, in workbook order
    QStringList indicators;     // the indicator names, as row 1 gives them
    std::vector<char> negative; // per indicator: lower values are better
    QStringList units;          // the unit labels
    std::vector<double> values; // by period, then unit, then indicator
    // The indicators grouped into dimensions with weights; null when the
    // panel has no structure.
    std::shared_ptr<const Structure> structure;

    int periodCount() const { return static_cast<int>(periods.size()); }
    int unitCount() const { return static_cast<int>(units.size()); }
    int indicatorCount() const { return static_cast<int>(indicators.size()); }

    // The value of indicator j for unit u in period p, all from 0.
    double value(int p, int u, int j) const { return values[index(p, u, j)]; }
    double& value(int p, int u, int j) { return values[index(p, u, j)]; }

private:
    std::size_t index(int p, int u, int j) const {
        return (static_cast<std::size_t>(p) * units.size() + static_cast<std::size_t>(u)) *
                   indicators.size() +
               static_cast<std::size_t>(j);
    }
};
