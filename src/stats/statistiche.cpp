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

// Sums of squares below this may have lost digits to underflow.
constexpr double kSottoflusso = 0x1p-900;

// The values of column c of matDati, or of row r of matTrasformata.
std::vector<double> colonna(const SharedState& s, int c) {
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(std::max(s.nRighe - 1, 0)));
    for (int r = 2; r <= s.nRighe; ++r)
        values.push_back(s.matDati(r, c));
    return values;
}

std::vector<double> riga(const SharedState& s, int r) {
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(std::max(s.nColonne - 1, 0)));
    for (int c = 2; c <= s.nColonne; ++c)
        values.push_back(s.matTrasformata(r, c));
    return values;
}

// The power of two that brings the largest magnitude of the values near 1:
// multiplying by it is exact, and sums and squares of the scaled values stay
// inside the range of doubles. These are the statistics when the direct
// sums overflow or underflow (values near 1e308 or 1e-300); for values that
// need no scaling they give the very same digits.
double fattoreScala(const std::vector<double>& values) {
    double largest = 0.0;
    for (const double x : values)
        largest = std::max(largest, std::fabs(x));
    if (!(largest > 0.0) || !std::isfinite(largest))
        return 1.0;
    return std::ldexp(1.0, -std::max(std::ilogb(largest), -1000));
}

double mediaScalata(const std::vector<double>& values) {
    const double f = fattoreScala(values);
    double sum = 0.0;
    for (const double x : values)
        sum += x * f;
    return sum / static_cast<double>(values.size()) / f;
}

double scartoScalato(const std::vector<double>& values, double mean) {
    const double f = fattoreScala(values);
    double sum = 0.0;
    for (const double x : values) {
        const double d = x * f - mean * f;
        sum += d * d;
    }
    return std::sqrt(sum / static_cast<double>(values.size())) / f;
}

double quadraticaScalata(const std::vector<double>& values) {
    const double f = fattoreScala(values);
    double sum = 0.0;
    for (const double x : values)
        sum += (x * f) * (x * f);
    return std::sqrt(sum / static_cast<double>(values.size())) / f;
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
    for (int c = 2; c <= s.nColonne; ++c) {
        double& mean = result[static_cast<std::size_t>(c)];
        mean = sum[static_cast<std::size_t>(c)] / units;
        if (!std::isfinite(mean))
            mean = mediaScalata(colonna(s, c));
    }
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
    for (int c = 2; c <= s.nColonne; ++c) {
        const auto k = static_cast<std::size_t>(c);
        result[k] = std::sqrt(sum[k] / units);
        if (!std::isfinite(result[k]) || sum[k] < kSottoflusso)
            result[k] = scartoScalato(colonna(s, c), mean[k]);
    }
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
        result[static_cast<std::size_t>(r)] =
            std::isfinite(sum) ? sum / indicators : mediaScalata(riga(s, r));
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
        result[static_cast<std::size_t>(r)] = std::isfinite(sum) && sum >= kSottoflusso
                                                  ? std::sqrt(sum / indicators)
                                                  : scartoScalato(riga(s, r), m);
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
        result[static_cast<std::size_t>(r)] = std::isfinite(sum) && sum >= kSottoflusso
                                                  ? std::sqrt(sum / indicators)
                                                  : quadraticaScalata(riga(s, r));
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
