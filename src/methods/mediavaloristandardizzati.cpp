#include "methods/methodsteps.h"

#include "stats/statistiche.h"

Refusal mediaValoriStandardizzati(SharedState& s, const Regional& regional) {
    scriviIntestazioni(s, s.matTrasformata, QStringLiteral("Z_"), regional);
    scriviPunteggiZ(s, ScalaZ::ZOrientato);
    return scriviValori(s, indexHeaderAt(MethodPosition::MediaValoriZ), media_righe(s));
}
