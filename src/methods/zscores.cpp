#include "methods/methodsteps.h"

#include "stats/statistiche.h"

#include <QCoreApplication>

std::vector<double> zScores(const MatrixView& data, ZScale scale) {
    const auto mean = media_colonne(data);
    const auto deviation = scarto_colonne(data, mean);
    const auto n = static_cast<std::size_t>(data.units);
    std::vector<double> result(n * data.columns.size());
    for (std::size_t j = 0; j < data.columns.size(); ++j) {
        const MatrixColumn& column = data.columns[j];
        double* out = result.data() + j * n;
        for (std::size_t i = 0; i < n; ++i) {
            const double z = differenceQuotient(column.values[i], mean[j], deviation[j], 0.0);
            switch (scale) {
            case ZScale::Plain:
                out[i] = z;
                break;
            case ZScale::Oriented:
                out[i] = column.negative ? z * -1.0 : z;
                break;
            case ZScale::Rescaled100:
                out[i] = column.negative ? 100.0 - 10.0 * z : 100.0 + 10.0 * z;
                break;
            }
        }
    }
    return result;
}

Failure methodRefusal(MethodPosition position, const QString& reason) {
    return failure(FailureKind::MethodRefused, indexHeaderAt(position) + reason);
}

Expected<std::vector<double>> finiteIndex(MethodPosition position, std::vector<double> index) {
    for (const double value : index)
        if (!std::isfinite(value))
            return methodRefusal(position,
                                 QCoreApplication::translate(
                                     "Methods", " - Il metodo non è applicabile: i valori degli "
                                                "indicatori sono troppo distanti tra loro e "
                                                "l'indice di un'unità supera il massimo "
                                                "rappresentabile"));
    return index;
}
