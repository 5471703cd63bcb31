#include "ui/charts/rankaxis.h"

#include "robustness/rankstatistics.h"
#include "ui/charts/axisticks.h"

#include <QCategoryAxis>

#include <algorithm>
#include <cmath>

std::vector<int> rankTicks(int first, int last) {
    std::vector<int> ticks;
    if (first < 1 || last < first)
        return ticks;
    // The whole round step of at most eight steps over the ranks.
    const int step = std::max(1, int(std::lround(roundTicks(first - 1, last, 8, true).step)));
    ticks.push_back(first);
    for (int rank = (first / step + 1) * step; rank < last; rank += step)
        if (rank > first)
            ticks.push_back(rank);
    if (ticks.size() > 1 && 2 * (last - ticks.back()) <= step)
        ticks.pop_back();
    if (ticks.back() != last)
        ticks.push_back(last);
    return ticks;
}

std::vector<int> rankTicks(int units) {
    return rankTicks(1, units);
}

QCategoryAxis* rankAxis(int units, const QString& title, const Regional& regional, bool ascending) {
    return rankAxis(1, units, title, regional, ascending);
}

QCategoryAxis* rankAxis(int first, int last, const QString& title, const Regional& regional,
                        bool ascending) {
    auto* axis = new QCategoryAxis;
    axis->setTitleText(title);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setStartValue(first - 1);
    for (const int rank : rankTicks(first, last))
        axis->append(rankText(rank, regional), rank);
    axis->setRange(first - 1, last + 1);
    axis->setReverse(!ascending);
    return axis;
}
