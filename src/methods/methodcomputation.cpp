#include "methods/methodcomputation.h"

#include "methods/methodsteps.h"
#include "methods/ranking.h"
#include "stats/statistiche.h"

#include <cmath>

namespace {

std::vector<double> transformed(MethodPosition position, const MatrixView& data) {
    switch (position) {
    case MethodPosition::MpiPositive:
    case MethodPosition::MpiNegative:
        return mazziottaParetoColumns(data);
    case MethodPosition::Wroclaw:
        return wroclawColumns(data);
    case MethodPosition::StandardizedMean:
        return standardisedMeanColumns(data);
    case MethodPosition::Ranks:
        return rankingsColumns(data);
    case MethodPosition::RelativeIndices:
        return relativeIndicesColumns(data);
    case MethodPosition::IndexNumbersArithmetic:
    case MethodPosition::IndexNumbersGeometric:
    case MethodPosition::IndexNumbersQuadratic:
        return indexNumberColumns(data);
    }
    return {};
}

} // namespace

// A missing cell has no transformed value: NaN, which no aggregation reads.
std::vector<double> transformColumns(MethodPosition position, const MatrixView& data) {
    std::vector<double> result = transformed(position, data);
    const auto n = static_cast<std::size_t>(data.units);
    for (std::size_t j = 0; j < data.columns.size(); ++j)
        if (data.columns[j].missing)
            for (std::size_t i = 0; i < n; ++i)
                if (data.columns[j].isMissing(int(i)))
                    result[j * n + i] = std::nan("");
    return result;
}

Status acceptsData(MethodPosition position, const MatrixView& data) {
    switch (position) {
    case MethodPosition::IndexNumbersArithmetic:
    case MethodPosition::IndexNumbersGeometric:
    case MethodPosition::IndexNumbersQuadratic:
        return indexNumbersAccept(data, position);
    default:
        return {};
    }
}

std::optional<DataCell> refusedCell(MethodPosition position, const MatrixView& data) {
    switch (position) {
    case MethodPosition::IndexNumbersArithmetic:
    case MethodPosition::IndexNumbersGeometric:
    case MethodPosition::IndexNumbersQuadratic:
        return indexNumbersRefusedCell(data, position);
    default:
        return std::nullopt;
    }
}

Expected<std::vector<double>> aggregateColumns(MethodPosition position,
                                               const MatrixView& transformed) {
    switch (position) {
    case MethodPosition::MpiPositive:
        return mazziottaPareto(transformed, true);
    case MethodPosition::MpiNegative:
        return mazziottaPareto(transformed, false);
    case MethodPosition::Wroclaw:
        return wroclaw(transformed);
    case MethodPosition::Ranks:
        return finiteIndex(position, somma_ranghi_righe(transformed));
    case MethodPosition::IndexNumbersGeometric:
        return finiteIndex(position, media_geometrica_righe(transformed));
    case MethodPosition::IndexNumbersQuadratic:
        return finiteIndex(position, media_quadratica_righe(transformed));
    case MethodPosition::StandardizedMean:
    case MethodPosition::RelativeIndices:
    case MethodPosition::IndexNumbersArithmetic:
        return finiteIndex(position, media_righe(transformed));
    }
    return std::vector<double>();
}

Expected<std::vector<double>> indexOf(MethodPosition position, const MatrixView& data,
                                      const MatrixView& transformed) {
    if (Status accepted = acceptsData(position, data); !accepted)
        return std::move(accepted).error();
    return aggregateColumns(position, transformed);
}

Expected<MethodOutput> computeMethod(MethodPosition position, const MatrixView& data) {
    if (Status accepted = acceptsData(position, data); !accepted)
        return std::move(accepted).error();
    MethodOutput output;
    output.transformed = transformColumns(position, data);
    Expected<std::vector<double>> index =
        aggregateColumns(position, data.withValues(output.transformed.data()));
    if (!index)
        return std::move(index).error();
    output.index = std::move(*index);
    output.ranks = rankIndex(output.index, methodAt(position).ascending);
    return output;
}
