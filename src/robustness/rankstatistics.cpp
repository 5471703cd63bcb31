#include "robustness/rankstatistics.h"

#include <cmath>

double sortedMedian(std::span<const int> sorted) {
    const std::size_t n = sorted.size();
    if (n % 2 == 1)
        return sorted[n / 2];
    return (double(sorted[n / 2 - 1]) + double(sorted[n / 2])) / 2.0;
}

int nearestRankPercentile(std::span<const int> sorted, int q) {
    const qint64 n = qint64(sorted.size());
    qint64 position = (qint64(q) * n + 99) / 100;
    if (position < 1)
        position = 1;
    if (position > n)
        position = n;
    return sorted[std::size_t(position - 1)];
}

QString rankText(double rank, const Regional& regional) {
    // Never a minus sign before zero.
    return regional.locale().toString(rank == 0 ? 0.0 : rank, 'f', 0);
}

QString medianRankText(double value, const Regional& regional) {
    if (value == std::floor(value))
        return rankText(value, regional);
    return regional.locale().toString(value, 'f', 1);
}
