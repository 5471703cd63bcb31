#include "methods/methodsteps.h"

#include "stats/statistiche.h"

Refusal mediaValoriStandardizzati(SharedState& s, const Regional& regional) {
    const auto media = media_colonne(s);
    const auto scarto = scarto_colonne(s);
    const auto negativa = polaritaIndicatori(s);
    scriviIntestazioni(s, s.matTrasformata, QStringLiteral("Z_"), regional);
    for (int r = 2; r <= s.nRighe; ++r) {
        for (int c = 2; c <= s.nColonne; ++c) {
            const auto k = static_cast<std::size_t>(c);
            const double z = (dato(s, r, c) - media[k]) / scarto[k];
            s.matTrasformata(r, c) = negativa[k] ? z * -1.0 : z;
        }
    }
    scriviValori(s, QStringLiteral("M1Z"), media_righe(s), regional);
    return std::nullopt;
}
