#include "methods/methodsteps.h"

#include "stats/statistiche.h"

#include <QCoreApplication>

namespace {

// A zero on an indicator of negative polarity: its index number, mean / 0,
// would be undefined.
bool zeroOnNegativeIndicator(const MatrixView& data) {
    for (const MatrixColumn& column : data.columns)
        if (column.negative)
            for (int i = 0; i < data.units; ++i)
                if (!column.isMissing(i) && column.values[i] == 0.0)
                    return true;
    return false;
}

} // namespace

Status indexNumbersAccept(const MatrixView& data, MethodPosition position) {
    const bool negatives = hasNegativeValue(data);
    if (position == MethodPosition::NumeriIndiciGeometrica) {
        if (negatives || hasZeroValue(data))
            return methodRefusal(
                position, QCoreApplication::translate(
                              "Methods", " - Il metodo non prevede valori negativi o nulli"));
        return {};
    }
    if (negatives)
        return methodRefusal(
            position, QCoreApplication::translate(
                          "Methods", " - Il metodo non prevede valori strettamente negativi"));
    if (zeroOnNegativeIndicator(data))
        return methodRefusal(
            position,
            QCoreApplication::translate("Methods", " - Il metodo non prevede valori nulli per gli "
                                                   "indicatori di polarità negativa"));
    return {};
}

std::vector<double> indexNumberColumns(const MatrixView& data) {
    const auto mean = media_colonne(data);
    const auto n = static_cast<std::size_t>(data.units);
    std::vector<double> result(n * data.columns.size());
    for (std::size_t j = 0; j < data.columns.size(); ++j) {
        const MatrixColumn& column = data.columns[j];
        double* out = result.data() + j * n;
        for (std::size_t i = 0; i < n; ++i) {
            const double x = column.values[i];
            out[i] = column.negative ? mean[j] / x : x / mean[j];
        }
    }
    return result;
}
