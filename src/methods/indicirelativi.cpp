#include "methods/methodsteps.h"

#include "stats/statistiche.h"

Refusal indiciRelativi(SharedState& s, const Regional& regional) {
    const auto minimo = minimo_colonne(s);
    const auto massimo = massimo_colonne(s);
    const auto negativa = polaritaIndicatori(s);
    scriviIntestazioni(s, s.matTrasformata, QStringLiteral("IR_"), regional);
    for (int r = 2; r <= s.nRighe; ++r) {
        for (int c = 2; c <= s.nColonne; ++c) {
            const auto k = static_cast<std::size_t>(c);
            const double q = quozienteDifferenze(dato(s, r, c), minimo[k], massimo[k], minimo[k]);
            s.matTrasformata(r, c) = negativa[k] ? 1.0 - q : q;
        }
    }
    return scriviValori(s, indexHeaderAt(MethodPosition::IndiciRelativi), media_righe(s));
}
