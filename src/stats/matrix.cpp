#include "stats/matrix.h"

#include <algorithm>

bool MatrixView::hasMissing() const {
    return std::any_of(columns.begin(), columns.end(), [this](const MatrixColumn& column) {
        return column.missing && std::any_of(column.missing, column.missing + units,
                                             [](unsigned char flag) { return flag != 0; });
    });
}

bool MatrixView::equalWeights() const {
    return std::all_of(columns.begin(), columns.end(), [this](const MatrixColumn& column) {
        return column.weight == columns.front().weight;
    });
}

MatrixView MatrixView::withValues(const double* columnAfterColumn) const {
    MatrixView result = *this;
    for (std::size_t j = 0; j < result.columns.size(); ++j)
        result.columns[j].values = columnAfterColumn + j * static_cast<std::size_t>(units);
    return result;
}

Matrix Matrix::ofSize(int units, int indicators) {
    Matrix matrix;
    matrix.units.resize(static_cast<std::size_t>(units));
    matrix.indicators.resize(static_cast<std::size_t>(indicators));
    matrix.negative.assign(static_cast<std::size_t>(indicators), 0);
    matrix.weights.assign(static_cast<std::size_t>(indicators), 1.0);
    matrix.values.assign(static_cast<std::size_t>(units) * static_cast<std::size_t>(indicators),
                         0.0);
    return matrix;
}

MatrixView Matrix::view() const {
    MatrixView result;
    result.units = unitCount();
    result.columns.reserve(indicators.size());
    for (int j = 0; j < indicatorCount(); ++j)
        result.columns.push_back(columnView(j));
    return result;
}

MatrixColumn Matrix::columnView(int j) const {
    const auto k = static_cast<std::size_t>(j);
    return {values.data() + index(0, j), missing.empty() ? nullptr : missing.data() + index(0, j),
            negative[k] != 0, weights[k]};
}

MatrixView Matrix::view(std::span<const int> chosen) const {
    MatrixView result;
    result.units = unitCount();
    result.columns.reserve(chosen.size());
    for (const int j : chosen)
        result.columns.push_back(columnView(j));
    return result;
}

MatrixView Matrix::viewWithout(int indicator) const {
    MatrixView result = view();
    if (indicator >= 0 && indicator < indicatorCount())
        result.columns.erase(result.columns.begin() + indicator);
    return result;
}

namespace {

template <typename Test> bool anyValue(const MatrixView& view, Test test) {
    for (const MatrixColumn& column : view.columns)
        for (int i = 0; i < view.units; ++i)
            if (!column.isMissing(i) && test(column.values[i]))
                return true;
    return false;
}

} // namespace

bool hasNegativeValue(const MatrixView& view) {
    return anyValue(view, [](double x) { return x < 0.0; });
}

bool hasZeroValue(const MatrixView& view) {
    return anyValue(view, [](double x) { return x == 0.0; });
}
