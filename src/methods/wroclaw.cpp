#include "methods/methodsteps.h"

#include "stats/statistiche.h"

#include <cmath>

std::vector<double> wroclawColumns(const MatrixView& data) {
    // Plain z-scores: the polarity counts only in the ideal unit.
    return zScores(data, ZScale::Plain);
}

void distanze_ideale(const MatrixView& transformed, std::vector<double>& distanze, double& media,
                     double& scarto) {
    const int n = transformed.units;
    const std::vector<double> weights = scaledWeights(transformed);
    std::vector<double> squares(static_cast<std::size_t>(n), 0.0);
    for (std::size_t j = 0; j < transformed.columns.size(); ++j) {
        const MatrixColumn& column = transformed.columns[j];
        const double* z = column.values;
        // The ideal unit: the best z-score, starting from the first unit and
        // replaced only by a strictly better one.
        double ideal = z[0];
        for (int i = 1; i < n; ++i)
            if (column.negative ? z[i] < ideal : z[i] > ideal)
                ideal = z[i];
        const double w = weights[j];
        for (int i = 0; i < n; ++i) {
            const double d = z[i] - ideal;
            squares[static_cast<std::size_t>(i)] += w * (d * d);
        }
    }

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
