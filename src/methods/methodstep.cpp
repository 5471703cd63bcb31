#include "methods/methodsteps.h"

Refusal methodStep(SharedState& s, int position, const Regional& regional) {
    switch (position) {
    case 0:
        return mazziottaPareto(s, true, regional);
    case 1:
        return mazziottaPareto(s, false, regional);
    case 2:
        return wroclaw(s, regional);
    case 3:
        return mediaValoriStandardizzati(s, regional);
    case 4:
        return metodoGraduatorie(s, regional);
    case 5:
        return indiciRelativi(s, regional);
    case 6:
        return numeriIndici(s, MediaIndici::Aritmetica, regional);
    case 7:
        return numeriIndici(s, MediaIndici::Geometrica, regional);
    case 8:
        return numeriIndici(s, MediaIndici::Quadratica, regional);
    default:
        return QStringLiteral("Metodo sconosciuto (posizione %1).").arg(position);
    }
}
