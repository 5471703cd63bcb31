#include "methods/methodsteps.h"

#include <QCoreApplication>

Refusal methodStep(SharedState& s, int position, const Regional& regional) {
    switch (static_cast<MethodPosition>(position)) {
    case MethodPosition::MpiPositivo:
        return mazziottaPareto(s, true, regional);
    case MethodPosition::MpiNegativo:
        return mazziottaPareto(s, false, regional);
    case MethodPosition::Wroclaw:
        return wroclaw(s, regional);
    case MethodPosition::MediaValoriZ:
        return mediaValoriStandardizzati(s, regional);
    case MethodPosition::Graduatorie:
        return metodoGraduatorie(s, regional);
    case MethodPosition::IndiciRelativi:
        return indiciRelativi(s, regional);
    case MethodPosition::NumeriIndiciAritmetica:
        return numeriIndici(s, MediaIndici::Aritmetica, regional);
    case MethodPosition::NumeriIndiciGeometrica:
        return numeriIndici(s, MediaIndici::Geometrica, regional);
    case MethodPosition::NumeriIndiciQuadratica:
        return numeriIndici(s, MediaIndici::Quadratica, regional);
    default:
        return QCoreApplication::translate("Methods", "Metodo sconosciuto (posizione %1).")
            .arg(position);
    }
}
