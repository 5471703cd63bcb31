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

QString rankFigureText(double value, const Regional& regional) {
    if (value == std::floor(value) && std::abs(value) < 1e15)
        return QString::number(qint64(value));
    return regional.indexText(value);
}
