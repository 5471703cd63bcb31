#include "methods/methodsteps.h"

#include "stats/statistiche.h"

#include <QCoreApplication>

namespace {

// The first cell in column order (lowest column, then lowest unit) that is
// present and whose value breaks takes.
template <typename Breaks>
std::optional<DataCell> firstCellWhere(const MatrixView& data, Breaks breaks) {
    for (std::size_t j = 0; j < data.columns.size(); ++j) {
        const MatrixColumn& column = data.columns[j];
        for (int i = 0; i < data.units; ++i)
            if (!column.isMissing(i) && breaks(column, column.values[i]))
                return DataCell{i, int(j)};
    }
    return std::nullopt;
}

} // namespace

std::optional<DataCell> indexNumbersRefusedCell(const MatrixView& data, MethodPosition position) {
    if (position == MethodPosition::IndexNumbersGeometric)
        return firstCellWhere(data, [](const MatrixColumn&, double x) { return x <= 0.0; });
    if (auto negative = firstCellWhere(data, [](const MatrixColumn&, double x) { return x < 0.0; }))
        return negative;
    // A zero on an indicator of negative polarity: its index number, mean / 0,
    // would be undefined.
    return firstCellWhere(
        data, [](const MatrixColumn& column, double x) { return column.negative && x == 0.0; });
}

Status indexNumbersAccept(const MatrixView& data, MethodPosition position) {
    const std::optional<DataCell> cell = indexNumbersRefusedCell(data, position);
    if (!cell)
        return {};
    if (position == MethodPosition::IndexNumbersGeometric)
        return methodRefusal(position,
                             QCoreApplication::translate(
                                 "Methods", " - Il metodo non prevede valori negativi o nulli"));
    if (data.value(cell->unit, cell->column) < 0.0)
        return methodRefusal(
            position, QCoreApplication::translate(
                          "Methods", " - Il metodo non prevede valori strettamente negativi"));
    return methodRefusal(position, QCoreApplication::translate(
                                       "Methods", " - Il metodo non prevede valori nulli per gli "
                                                  "indicatori di polarità negativa"));
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
