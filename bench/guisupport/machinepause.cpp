#include "guisupport/machinepause.h"

#include <QElapsedTimer>

#include <algorithm>

double longestMachinePauseMs(int ms) {
    QElapsedTimer whole;
    whole.start();
    qint64 longestNs = 0;
    volatile double sum = 0;
    while (whole.elapsed() < ms) {
        QElapsedTimer step;
        step.start();
        for (int i = 0; i < 100000; ++i)
            sum = sum + i * 0.5;
        longestNs = std::max(longestNs, step.nsecsElapsed());
    }
    return double(longestNs) / 1e6;
}
