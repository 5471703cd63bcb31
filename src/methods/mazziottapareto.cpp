#include "methods/methodsteps.h"

#include "stats/statistiche.h"

#include <QCoreApplication>

std::vector<double> mazziottaParetoColumns(const MatrixView& data) {
    // Mean 100 and deviation 10 for every indicator, higher always better.
    return zScores(data, ZScale::Rescaled100);
}

Expected<std::vector<double>> mazziottaPareto(const MatrixView& transformed, bool positive) {
    const MethodPosition position =
        positive ? MethodPosition::MpiPositive : MethodPosition::MpiNegative;
    const auto m = media_righe(transformed);
    const auto s = scarto_righe(transformed, m);
    std::vector<double> index(m.size());
    for (std::size_t i = 0; i < m.size(); ++i) {
        // The coefficient of variation is undefined for a unit whose
        // rescaled values average 0.
        if (m[i] == 0.0)
            return methodRefusal(position,
                                 QCoreApplication::translate(
                                     "Methods", " - Il metodo non è applicabile: un'unità ha media "
                                                "nulla dei valori riscalati"));
        const double cv = s[i] / m[i];
        const double penalty = s[i] * cv;
        index[i] = positive ? m[i] + penalty : m[i] - penalty;
    }
    return finiteIndex(position, std::move(index));
}
