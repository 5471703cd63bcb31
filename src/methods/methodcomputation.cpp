#include "methods/methodcomputation.h"

#include "methods/methodsteps.h"
#include "methods/ranking.h"
#include "stats/statistiche.h"

#include <cmath>

namespace {

std::vector<double> transformed(MethodPosition position, const MatrixView& data) {
    switch (position) {
    case MethodPosition::MpiPositivo:
    case MethodPosition::MpiNegativo:
        return mazziottaParetoColumns(data);
    case MethodPosition::Wroclaw:
        return wroclawColumns(data);
    case MethodPosition::MediaValoriZ:
        return standardisedMeanColumns(data);
    case MethodPosition::Graduatorie:
        return rankingsColumns(data);
    case MethodPosition::IndiciRelativi:
        return relativeIndicesColumns(data);
    case MethodPosition::NumeriIndiciAritmetica:
    case MethodPosition::NumeriIndiciGeometrica:
    case MethodPosition::NumeriIndiciQuadratica:
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
    case MethodPosition::NumeriIndiciAritmetica:
    case MethodPosition::NumeriIndiciGeometrica:
    case MethodPosition::NumeriIndiciQuadratica:
        return indexNumbersAccept(data, position);
    default:
        return {};
    }
}

std::optional<DataCell> refusedCell(MethodPosition position, const MatrixView& data) {
    switch (position) {
    case MethodPosition::NumeriIndiciAritmetica:
    case MethodPosition::NumeriIndiciGeometrica:
    case MethodPosition::NumeriIndiciQuadratica:
        return indexNumbersRefusedCell(data, position);
    default:
        return std::nullopt;
    }
}

Expected<std::vector<double>> aggregateColumns(MethodPosition position,
                                               const MatrixView& transformed) {
    switch (position) {
    case MethodPosition::MpiPositivo:
        return mazziottaPareto(transformed, true);
    case MethodPosition::MpiNegativo:
        return mazziottaPareto(transformed, false);
    case MethodPosition::Wroclaw:
        return wroclaw(transformed);
    case MethodPosition::Graduatorie:
        return finiteIndex(position, somma_ranghi_righe(transformed));
    case MethodPosition::NumeriIndiciGeometrica:
        return finiteIndex(position, media_geometrica_righe(transformed));
    case MethodPosition::NumeriIndiciQuadratica:
        return finiteIndex(position, media_quadratica_righe(transformed));
    case MethodPosition::MediaValoriZ:
    case MethodPosition::IndiciRelativi:
    case MethodPosition::NumeriIndiciAritmetica:
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
