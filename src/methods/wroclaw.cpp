#include "methods/methodsteps.h"

#include "stats/statistiche.h"

#include <cmath>

void distanze_ideale(const SharedState& s, std::vector<double>& distanze, double& media,
                     double& scarto) {
    const auto negativa = polaritaIndicatori(s);
    const auto z = [&s](int r, int c) { return s.matTrasformata(r, c); };

    // The ideal unit: the best z-score of every indicator, starting from the
    // first unit and replaced only by a strictly better one.
    std::vector<double> ideale(static_cast<std::size_t>(s.nColonne + 1), 0.0);
    for (int c = 2; c <= s.nColonne; ++c)
        ideale[static_cast<std::size_t>(c)] = z(2, c);
    for (int r = 3; r <= s.nRighe; ++r) {
        for (int c = 2; c <= s.nColonne; ++c) {
            const auto k = static_cast<std::size_t>(c);
            const double v = z(r, c);
            if (negativa[k] ? v < ideale[k] : v > ideale[k])
                ideale[k] = v;
        }
    }

    distanze.assign(static_cast<std::size_t>(s.nRighe + 1), std::nan(""));
    const double units = s.nRighe - 1;
    double sum = 0.0;
    for (int r = 2; r <= s.nRighe; ++r) {
        double squares = 0.0;
        for (int c = 2; c <= s.nColonne; ++c) {
            const double d = z(r, c) - ideale[static_cast<std::size_t>(c)];
            squares += d * d;
        }
        const double distance = std::sqrt(squares);
        distanze[static_cast<std::size_t>(r)] = distance;
        sum += distance;
    }
    media = sum / units;
    double deviations = 0.0;
    for (int r = 2; r <= s.nRighe; ++r) {
        const double d = distanze[static_cast<std::size_t>(r)] - media;
        deviations += d * d;
    }
    scarto = std::sqrt(deviations / units);
}

Refusal wroclaw(SharedState& s, const Regional& regional) {
    // Plain z-scores: the polarity counts only in the ideal unit.
    scriviIntestazioni(s, s.matTrasformata, QStringLiteral("Z_"), regional);
    scriviPunteggiZ(s, ScalaZ::Z);

    std::vector<double> distanze;
    double mu = 0.0;
    double sigma = 0.0;
    distanze_ideale(s, distanze, mu, sigma);
    const double denominator = mu + 2.0 * sigma;
    std::vector<double> index(distanze.size());
    for (int r = 2; r <= s.nRighe; ++r)
        index[static_cast<std::size_t>(r)] = distanze[static_cast<std::size_t>(r)] / denominator;
    return scriviValori(s, indexHeaderAt(MethodPosition::Wroclaw), index);
}
