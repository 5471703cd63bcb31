#include "methods/methodsteps.h"

#include "methods/ranking.h"
#include "stats/statistiche.h"

Refusal metodoGraduatorie(SharedState& s, const Regional& regional) {
    const auto negativa = polaritaIndicatori(s);
    const QString prefix = QStringLiteral("R_");
    scriviIntestazioni(s, s.matTrasformata, prefix, regional);

    // One indicator at a time: its values gathered into a contiguous column,
    // ranked, and the ranks put in place. The rankings per indicator need no
    // room in matRanghi, which keeps the ranks by the index alone.
    const auto units = static_cast<std::size_t>(s.nRighe - 1);
    std::vector<double> values(units);
    std::vector<int> ranks(units);
    for (int c = 2; c <= s.nColonne; ++c) {
        const bool negative = negativa[static_cast<std::size_t>(c)];
        for (int r = 2; r <= s.nRighe; ++r)
            values[static_cast<std::size_t>(r - 2)] = dato(s, r, c);
        // Rank 1 to the best value: the smallest for negative polarity.
        rankValues(values, negative, ranks);
        for (int r = 2; r <= s.nRighe; ++r)
            s.matTrasformata(r, c) = static_cast<double>(ranks[static_cast<std::size_t>(r - 2)]);
    }
    return scriviValori(s, indexHeaderAt(MethodPosition::Graduatorie), somma_ranghi_righe(s));
}
