#include "methods/methodcommon.h"

#include "shared/polarita.h"
#include "stats/statistiche.h"

#include <QCoreApplication>

std::vector<bool> polaritaIndicatori(const SharedState& s) {
    std::vector<bool> negativa(static_cast<std::size_t>(std::max(s.nColonne, 1) + 1), false);
    for (int c = 2; c <= s.nColonne; ++c)
        negativa[static_cast<std::size_t>(c)] = polaritaNegativa(s.matDati.header(c));
    return negativa;
}

void scriviIntestazioni(const SharedState& s, Table& table, const QString& prefix,
                        const Regional& regional) {
    table.copyLabels(s.matDati);
    for (int c = 2; c <= s.nColonne; ++c)
        table.header(c) = CellValue(prefix + regional.generalText(s.matDati.header(c)));
}

Refusal scriviValori(SharedState& s, const QString& indexHeader, const std::vector<double>& index) {
    for (int r = 2; r <= s.nRighe; ++r)
        if (!std::isfinite(index[static_cast<std::size_t>(r)]))
            return indexHeader + QCoreApplication::translate(
                                     "Methods", " - Il metodo non è applicabile: i valori degli "
                                                "indicatori sono troppo distanti tra loro e "
                                                "l'indice di un'unità supera il massimo "
                                                "rappresentabile");
    s.matValori.copyLabels(s.matDati);
    s.matValori.header(2) = CellValue(indexHeader);
    for (int r = 2; r <= s.nRighe; ++r)
        s.matValori(r, 2) = index[static_cast<std::size_t>(r)];
    return std::nullopt;
}

namespace {

template <typename Rescale> void punteggiZ(SharedState& s, Rescale rescale) {
    const auto media = media_colonne(s);
    const auto scarto = scarto_colonne(s, media);
    const auto negativa = polaritaIndicatori(s);
    for (int r = 2; r <= s.nRighe; ++r) {
        for (int c = 2; c <= s.nColonne; ++c) {
            const auto k = static_cast<std::size_t>(c);
            s.matTrasformata(r, c) =
                rescale(quozienteDifferenze(dato(s, r, c), media[k], scarto[k], 0.0), negativa[k]);
        }
    }
}

} // namespace

void scriviPunteggiZ(SharedState& s, ScalaZ scala) {
    switch (scala) {
    case ScalaZ::Z:
        punteggiZ(s, [](double z, bool) { return z; });
        break;
    case ScalaZ::ZOrientato:
        punteggiZ(s, [](double z, bool negative) { return negative ? z * -1.0 : z; });
        break;
    case ScalaZ::Riscalato100:
        punteggiZ(s, [](double z, bool negative) {
            return negative ? 100.0 - 10.0 * z : 100.0 + 10.0 * z;
        });
        break;
    }
}
