#include "stats/statistiche.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kUnused = std::numeric_limits<double>::quiet_NaN();

std::vector<double> perColonna(const SharedState& s) {
    return std::vector<double>(static_cast<std::size_t>(std::max(s.nColonne, 1) + 1), kUnused);
}

std::vector<double> perRiga(const SharedState& s) {
    return std::vector<double>(static_cast<std::size_t>(std::max(s.nRighe, 1) + 1), kUnused);
}

template <typename Pick> std::vector<double> estremo_colonne(const SharedState& s, Pick replaces) {
    auto result = perColonna(s);
    for (int c = 2; c <= s.nColonne; ++c) {
        double running = s.matDati(2, c);
        for (int r = 3; r <= s.nRighe; ++r) {
            const double x = s.matDati(r, c);
            if (replaces(x, running))
                running = x;
        }
        result[static_cast<std::size_t>(c)] = running;
    }
    return result;
}

} // namespace

// Column sums are accumulated row by row (the table's layout), each column
// adding its units in order, so the sums are those of a column-by-column walk.
std::vector<double> media_colonne(const SharedState& s) {
    auto result = perColonna(s);
    std::vector<double> sum(result.size(), 0.0);
    for (int r = 2; r <= s.nRighe; ++r)
        for (int c = 2; c <= s.nColonne; ++c)
            sum[static_cast<std::size_t>(c)] += s.matDati(r, c);
    const double units = s.nRighe - 1;
    for (int c = 2; c <= s.nColonne; ++c)
        result[static_cast<std::size_t>(c)] = sum[static_cast<std::size_t>(c)] / units;
    return result;
}

std::vector<double> scarto_colonne(const SharedState& s) {
    return scarto_colonne(s, media_colonne(s));
}

std::vector<double> scarto_colonne(const SharedState& s, const std::vector<double>& mean) {
    auto result = perColonna(s);
    std::vector<double> sum(result.size(), 0.0);
    for (int r = 2; r <= s.nRighe; ++r) {
        for (int c = 2; c <= s.nColonne; ++c) {
            const auto k = static_cast<std::size_t>(c);
            const double d = s.matDati(r, c) - mean[k];
            sum[k] += d * d;
        }
    }
    const double units = s.nRighe - 1;
    for (int c = 2; c <= s.nColonne; ++c)
        result[static_cast<std::size_t>(c)] = std::sqrt(sum[static_cast<std::size_t>(c)] / units);
    return result;
}

std::vector<double> minimo_colonne(const SharedState& s) {
    return estremo_colonne(s, [](double x, double running) { return x < running; });
}

std::vector<double> massimo_colonne(const SharedState& s) {
    return estremo_colonne(s, [](double x, double running) { return x > running; });
}

std::vector<double> media_righe(const SharedState& s) {
    auto result = perRiga(s);
    const double indicators = s.nColonne - 1;
    for (int r = 2; r <= s.nRighe; ++r) {
        double sum = 0.0;
        for (int c = 2; c <= s.nColonne; ++c)
            sum += s.matTrasformata(r, c);
        result[static_cast<std::size_t>(r)] = sum / indicators;
    }
    return result;
}

std::vector<double> scarto_righe(const SharedState& s) {
    return scarto_righe(s, media_righe(s));
}

std::vector<double> scarto_righe(const SharedState& s, const std::vector<double>& mean) {
    auto result = perRiga(s);
    const double indicators = s.nColonne - 1;
    for (int r = 2; r <= s.nRighe; ++r) {
        const double m = mean[static_cast<std::size_t>(r)];
        double sum = 0.0;
        for (int c = 2; c <= s.nColonne; ++c) {
            const double d = s.matTrasformata(r, c) - m;
            sum += d * d;
        }
        result[static_cast<std::size_t>(r)] = std::sqrt(sum / indicators);
    }
    return result;
}

std::vector<double> media_geometrica_righe(const SharedState& s) {
    auto result = perRiga(s);
    const double exponent = 1.0 / (s.nColonne - 1);
    for (int r = 2; r <= s.nRighe; ++r) {
        double product = s.matTrasformata(r, 2);
        bool zeroFactor = product == 0.0;
        for (int c = 3; c <= s.nColonne; ++c) {
            const double t = s.matTrasformata(r, c);
            zeroFactor = zeroFactor || t == 0.0;
            product *= t;
        }
        double mean = std::pow(product, exponent);
        if (!std::isfinite(product) || (product == 0.0 && !zeroFactor)) {
            // The product left the range of doubles: average the logarithms.
            double logSum = 0.0;
            bool negative = false;
            for (int c = 2; c <= s.nColonne; ++c) {
                const double t = s.matTrasformata(r, c);
                negative = negative || t < 0.0;
                logSum += std::log(std::fabs(t));
            }
            mean = negative ? kUnused : std::exp(logSum * exponent);
        }
        result[static_cast<std::size_t>(r)] = mean;
    }
    return result;
}

std::vector<double> media_quadratica_righe(const SharedState& s) {
    auto result = perRiga(s);
    const double indicators = s.nColonne - 1;
    for (int r = 2; r <= s.nRighe; ++r) {
        double sum = 0.0;
        for (int c = 2; c <= s.nColonne; ++c) {
            const double t = s.matTrasformata(r, c);
            sum += t * t;
        }
        result[static_cast<std::size_t>(r)] = std::sqrt(sum / indicators);
    }
    return result;
}

std::vector<double> somma_ranghi_righe(const SharedState& s) {
    auto result = perRiga(s);
    const qint64 divisor = static_cast<qint64>(s.nColonne) * static_cast<qint64>(s.nRighe) - 1;
    for (int r = 2; r <= s.nRighe; ++r) {
        double sum = 0.0;
        for (int c = 2; c <= s.nColonne; ++c)
            sum += s.matTrasformata(r, c);
        result[static_cast<std::size_t>(r)] = (sum - s.nColonne) / static_cast<double>(divisor);
    }
    return result;
}
