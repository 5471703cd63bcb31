#include "methods/methodsteps.h"

#include "stats/statistiche.h"

#include <QCoreApplication>

Refusal mazziottaPareto(SharedState& s, bool positive, const Regional& regional) {
    const QString& header =
        indexHeaderAt(positive ? MethodPosition::MpiPositivo : MethodPosition::MpiNegativo);
    // Mean 100 and deviation 10 for every indicator, higher always better.
    scriviIntestazioni(s, s.matTrasformata, QStringLiteral("Z_"), regional);
    scriviPunteggiZ(s, ScalaZ::Riscalato100);

    const auto m = media_righe(s);
    const auto sr = scarto_righe(s, m);
    std::vector<double> index(m.size());
    for (int r = 2; r <= s.nRighe; ++r) {
        const auto k = static_cast<std::size_t>(r);
        // The coefficient of variation is undefined for a unit whose
        // rescaled values average 0.
        if (m[k] == 0.0)
            return header + QCoreApplication::translate(
                                "Methods", " - Il metodo non è applicabile: un'unità ha media "
                                           "nulla dei valori riscalati");
        const double cv = sr[k] / m[k];
        const double penalty = sr[k] * cv;
        index[k] = positive ? m[k] + penalty : m[k] - penalty;
    }
    return scriviValori(s, header, index);
}
