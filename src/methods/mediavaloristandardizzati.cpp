#include "methods/methodsteps.h"

#include "stats/statistiche.h"

Refusal mediaValoriStandardizzati(SharedState& s, const Regional& regional) {
    scriviIntestazioni(s, s.matTrasformata, QStringLiteral("Z_"), regional);
    scriviPunteggiZ(s, ScalaZ::ZOrientato);
    return scriviValori(s, QStringLiteral("M1Z"), media_righe(s));
}
