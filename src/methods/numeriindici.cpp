#include "methods/methodsteps.h"

#include "stats/statistiche.h"

#include <QCoreApplication>

namespace {

// A zero on an indicator of negative polarity: its index number, mean / 0,
// would be undefined.
bool zeroSuIndicatoreNegativo(const SharedState& s, const std::vector<bool>& negativa) {
    for (int r = 2; r <= s.nRighe; ++r)
        for (int c = 2; c <= s.nColonne; ++c)
            if (negativa[static_cast<std::size_t>(c)] && dato(s, r, c) == 0.0)
                return true;
    return false;
}

} // namespace

Refusal numeriIndici(SharedState& s, MediaIndici media, const Regional& regional) {
    const auto negativa = polaritaIndicatori(s);
    QString header;
    switch (media) {
    case MediaIndici::Aritmetica:
        header = indexHeaderAt(MethodPosition::NumeriIndiciAritmetica);
        break;
    case MediaIndici::Geometrica:
        header = indexHeaderAt(MethodPosition::NumeriIndiciGeometrica);
        break;
    case MediaIndici::Quadratica:
        header = indexHeaderAt(MethodPosition::NumeriIndiciQuadratica);
        break;
    }
    if (media == MediaIndici::Geometrica) {
        if (s.bNegativi || s.bZeri)
            return header + QCoreApplication::translate(
                                "Methods", " - Il metodo non prevede valori negativi o nulli");
    } else {
        if (s.bNegativi)
            return header + QCoreApplication::translate(
                                "Methods", " - Il metodo non prevede valori strettamente negativi");
        if (s.bZeri && zeroSuIndicatoreNegativo(s, negativa))
            return header + QCoreApplication::translate(
                                "Methods", " - Il metodo non prevede valori nulli per gli "
                                           "indicatori di polarità negativa");
    }

    const auto mean = media_colonne(s);
    scriviIntestazioni(s, s.matTrasformata, QStringLiteral("NI_"), regional);
    for (int r = 2; r <= s.nRighe; ++r) {
        for (int c = 2; c <= s.nColonne; ++c) {
            const auto k = static_cast<std::size_t>(c);
            const double x = dato(s, r, c);
            s.matTrasformata(r, c) = negativa[k] ? mean[k] / x : x / mean[k];
        }
    }

    switch (media) {
    case MediaIndici::Aritmetica:
        return scriviValori(s, header, media_righe(s));
    case MediaIndici::Geometrica:
        return scriviValori(s, header, media_geometrica_righe(s));
    case MediaIndici::Quadratica:
        return scriviValori(s, header, media_quadratica_righe(s));
    }
    return std::nullopt;
}
