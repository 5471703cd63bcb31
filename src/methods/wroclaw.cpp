#include "methods/methodsteps.h"

#include "stats/statistiche.h"

#include <cmath>

std::vector<double> wroclawColumns(const MatrixView& data) {
    // Plain z-scores: the polarity counts only in the ideal unit.
    return zScores(data, ZScale::Plain);
}

namespace {

// The ideal value of a column: its best available z-score, starting from
// the first unit that has one and replaced only by a strictly better one.
double idealOf(const MatrixColumn& column, int n) {
    bool found = false;
    double ideal = 0.0;
    for (int i = 0; i < n; ++i) {
        if (column.isMissing(i))
            continue;
        const double z = column.values[i];
        if (!found || (column.negative ? z < ideal : z > ideal))
            ideal = z;
        found = true;
    }
    return ideal;
}

// The squared distances of the units from the ideal one over their
// available columns, weighted, scaled by m / available (sqrt of it on the
// distance) when columns are missing.
std::vector<double> squaredDistances(const MatrixView& transformed) {
    const int n = transformed.units;
    const std::size_t m = transformed.columns.size();
    std::vector<double> ideals(m);
    for (std::size_t j = 0; j < m; ++j)
        ideals[j] = idealOf(transformed.columns[j], n);
    std::vector<double> squares(static_cast<std::size_t>(n), 0.0);
    const bool masked = transformed.hasMissing();
    if (!masked) {
        const std::vector<double> weights = scaledWeights(transformed);
        for (std::size_t j = 0; j < m; ++j) {
            const double* z = transformed.columns[j].values;
            const double w = weights[j];
            for (int i = 0; i < n; ++i) {
                const double d = z[i] - ideals[j];
                squares[static_cast<std::size_t>(i)] += w * (d * d);
            }
        }
        return squares;
    }
    const bool equal = transformed.equalWeights();
    for (int i = 0; i < n; ++i) {
        double weightSum = 0.0;
        double count = 0.0;
        for (const MatrixColumn& column : transformed.columns)
            if (!column.isMissing(i)) {
                weightSum += column.weight;
                count += 1.0;
            }
        double sum = 0.0;
        for (std::size_t j = 0; j < m; ++j) {
            const MatrixColumn& column = transformed.columns[j];
            if (column.isMissing(i))
                continue;
            const double w = equal ? 1.0 : column.weight * count / weightSum;
            const double d = column.values[i] - ideals[j];
            sum += w * (d * d);
        }
        squares[static_cast<std::size_t>(i)] =
            count > 0.0 ? sum * (static_cast<double>(m) / count) : std::nan("");
    }
    return squares;
}

} // namespace

void distanze_ideale(const MatrixView& transformed, std::vector<double>& distanze, double& media,
                     double& scarto) {
    const int n = transformed.units;
    const std::vector<double> squares = squaredDistances(transformed);

    distanze.assign(static_cast<std::size_t>(n), 0.0);
    const double units = n;
    double sum = 0.0;
    for (std::size_t i = 0; i < distanze.size(); ++i) {
        distanze[i] = std::sqrt(squares[i]);
        sum += distanze[i];
    }
    media = sum / units;
    double deviations = 0.0;
    for (const double distance : distanze) {
        const double d = distance - media;
        deviations += d * d;
    }
    scarto = std::sqrt(deviations / units);
}

Expected<std::vector<double>> wroclaw(const MatrixView& transformed) {
    std::vector<double> distances;
    double mu = 0.0;
    double sigma = 0.0;
    distanze_ideale(transformed, distances, mu, sigma);
    const double denominator = mu + 2.0 * sigma;
    for (double& distance : distances)
        distance /= denominator;
    return finiteIndex(MethodPosition::Wroclaw, std::move(distances));
}
