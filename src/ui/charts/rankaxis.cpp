#include "ui/charts/rankaxis.h"

#include <QCategoryAxis>

std::vector<int> rankTicks(int units) {
    std::vector<int> ticks;
    if (units < 1)
        return ticks;
    // Steps 1, 2, 5, 10, 20, 50, ...: the first that keeps units / step <= 8.
    int step = 1;
    for (int factor = 0; units / step > 8; factor = (factor + 1) % 3)
        step = factor == 1 ? step * 5 / 2 : step * 2;
    ticks.push_back(1);
    for (int rank = step; rank < units; rank += step)
        if (rank > 1)
            ticks.push_back(rank);
    if (ticks.size() > 1 && 2 * (units - ticks.back()) <= step)
        ticks.pop_back();
    if (ticks.back() != units)
        ticks.push_back(units);
    return ticks;
}

QCategoryAxis* rankAxis(int units, const QString& title, bool ascending) {
    auto* axis = new QCategoryAxis;
    axis->setTitleText(title);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setStartValue(0);
    for (const int rank : rankTicks(units))
        axis->append(QString::number(rank), rank);
    axis->setRange(0, units + 1);
    axis->setReverse(!ascending);
    return axis;
}
