#include "methods/methodsteps.h"

#include "methods/ranking.h"
#include "stats/statistiche.h"

Refusal metodoGraduatorie(SharedState& s, const Regional& regional) {
    const auto negativa = polaritaIndicatori(s);
    const QString prefix = QStringLiteral("R_");
    scriviIntestazioni(s, s.matTrasformata, prefix, regional);
    scriviIntestazioni(s, s.matRanghi, prefix, regional);

    // Every indicator's values side by side, so that each is ranked from
    // contiguous memory.
    const auto units = static_cast<std::size_t>(s.nRighe - 1);
    const auto indicators = static_cast<std::size_t>(s.nColonne - 1);
    std::vector<double> values(units * indicators);
    for (int r = 2; r <= s.nRighe; ++r)
        for (int c = 2; c <= s.nColonne; ++c)
            values[static_cast<std::size_t>(c - 2) * units + static_cast<std::size_t>(r - 2)] =
                dato(s, r, c);
    std::vector<int> ranks(values.size());
    for (std::size_t k = 0; k < indicators; ++k) {
        // Rank 1 to the best value: the smallest for negative polarity.
        rankValues(std::span<const double>(values).subspan(k * units, units), negativa[k + 2],
                   std::span<int>(ranks).subspan(k * units, units));
    }

    for (int r = 2; r <= s.nRighe; ++r) {
        for (int c = 2; c <= s.nColonne; ++c) {
            const auto k = static_cast<std::size_t>(c - 2);
            s.matTrasformata(r, c) =
                static_cast<double>(ranks[k * units + static_cast<std::size_t>(r - 2)]);
            // Every unit ranked: the working column holds the exhausted marker.
            s.matRanghi(r, c) = negativa[static_cast<std::size_t>(c)] ? 1e39 : -1e39;
        }
    }
    return scriviValori(s, QStringLiteral("Grad.RNK"), somma_ranghi_righe(s), regional);
}
