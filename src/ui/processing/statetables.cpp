#include "ui/processing/statetables.h"

#include <algorithm>

#include "methods/metodi.h"
#include "methods/ranking.h"

#include <utility>

namespace {

// Fills the data cells of a table of units by columns from values laid out
// column after column (Matrix::values), row after row as the table keeps
// them.
void fillFromColumns(Table& table, int units, int columns, const double* values) {
    const auto n = static_cast<std::size_t>(units);
    for (int i = 0; i < units; ++i)
        for (int j = 0; j < columns; ++j)
            table(i + 2, j + 2) =
                values[static_cast<std::size_t>(j) * n + static_cast<std::size_t>(i)];
}

// Makes table a table of labels and one column of numbers under the given
// header.
void labelledColumn(Table& table, const Table& matDati, const QString& header, int rows) {
    table.dimensionForFilling(rows, 2);
    table.copyLabels(matDati);
    table.header(2) = CellValue(header);
}

} // namespace

MatrixTables matrixTables(const Matrix& matrix) {
    MatrixTables tables;
    const int units = matrix.unitCount();
    const int indicators = matrix.indicatorCount();
    tables.nRighe = units + 1;
    tables.nColonne = indicators + 1;
    tables.matDati.dimensionForFilling(tables.nRighe, tables.nColonne);
    tables.matDati.header(1) = matrix.corner;
    for (int j = 0; j < indicators; ++j)
        tables.matDati.header(j + 2) = matrix.indicators[static_cast<std::size_t>(j)];
    for (int i = 0; i < units; ++i)
        tables.matDati.label(i + 2) = matrix.units[static_cast<std::size_t>(i)];
    fillFromColumns(tables.matDati, units, indicators, matrix.values.data());
    // A cell left missing (the treatment works on the values available)
    // shows empty, not the number that holds its place.
    if (!matrix.missing.empty())
        for (int j = 0; j < indicators; ++j)
            for (int i = 0; i < units; ++i)
                if (matrix.isMissing(i, j))
                    tables.matDati(i + 2, j + 2) = Table::emptyNumber();
    tables.results.matTrasformata.dimension(tables.nRighe, tables.nColonne);
    tables.results.matValori.dimension(tables.nRighe, 2);
    tables.results.matGraduatoria.dimension(tables.nRighe, 2);
    tables.results.matRanghi.dimension(tables.nRighe, 2);
    const MatrixView view = matrix.view();
    tables.bNegativi = hasNegativeValue(view);
    tables.bZeri = hasZeroValue(view);
    return tables;
}

void installMatrixTables(SharedState& state, MatrixTables& tables) {
    std::swap(state.nRighe, tables.nRighe);
    std::swap(state.nColonne, tables.nColonne);
    std::swap(state.matDati, tables.matDati);
    installRunTables(state, tables.results);
    std::swap(state.bNegativi, tables.bNegativi);
    std::swap(state.bZeri, tables.bZeri);
}

namespace {

// What a run computed, as the tables show it.
struct RunNumbers {
    QString transformedPrefix;
    QString indexHeader;
    const double* transformed;
    const MethodOutput& overall;
    // Per element of the structure (as MethodRun::groups).
    const std::vector<MethodOutput>& groups;
};

void fillTables(RunTables& tables, const Table& matDati, const Matrix& matrix,
                const RunNumbers& run, const Regional& regional, const Structure* structure) {
    const int units = matrix.unitCount();
    const int indicators = matrix.indicatorCount();
    tables.matTrasformata.dimensionForFilling(units + 1, indicators + 1);
    tables.matTrasformata.copyLabels(matDati);
    for (int j = 0; j < indicators; ++j)
        tables.matTrasformata.header(j + 2) =
            CellValue(run.transformedPrefix +
                      regional.generalText(matrix.indicators[static_cast<std::size_t>(j)]));
    fillFromColumns(tables.matTrasformata, units, indicators, run.transformed);

    labelledColumn(tables.matValori, matDati, run.indexHeader, units + 1);
    labelledColumn(tables.matRanghi, matDati, run.indexHeader, units + 1);
    for (int i = 0; i < units; ++i) {
        const auto k = static_cast<std::size_t>(i);
        tables.matValori(i + 2, 2) = run.overall.index[k];
        tables.matRanghi(i + 2, 2) = static_cast<double>(run.overall.ranks[k]);
    }
    tables.matGraduatoria = tables.matValori;

    const std::size_t groups = structure ? structure->groups.size() : 0;
    tables.groupValues.resize(groups);
    tables.groupRanks.resize(groups);
    for (std::size_t g = 0; g < groups; ++g) {
        const MethodOutput& output = run.groups[std::size_t(structure->groups[g])];
        labelledColumn(tables.groupValues[g], matDati, run.indexHeader, units + 1);
        labelledColumn(tables.groupRanks[g], matDati, run.indexHeader, units + 1);
        for (int i = 0; i < units; ++i) {
            const auto k = static_cast<std::size_t>(i);
            tables.groupValues[g](i + 2, 2) = output.index[k];
            tables.groupRanks[g](i + 2, 2) = static_cast<double>(output.ranks[k]);
        }
    }
}

} // namespace

void fillRunTables(RunTables& tables, const Table& matDati, const Matrix& matrix,
                   const MethodRun& run, const Regional& regional, const Structure* structure) {
    const MethodInfo& method = methodAt(run.position);
    fillTables(tables, matDati, matrix,
               {method.transformedPrefix, method.indexHeader, run.output.transformed.data(),
                run.output, run.groups},
               regional, structure);
}

void fillCompositeTables(RunTables& tables, const Table& matDati, const Matrix& matrix,
                         const QString& name, const CompositeOutput& output,
                         const Regional& regional, const Structure* structure) {
    const MethodOutput overall{{}, output.index, output.ranks};
    std::vector<MethodOutput> groups(structure ? output.groups.size() : 0);
    if (structure)
        for (const int group : structure->groups) {
            const std::vector<double>& values = output.groups[std::size_t(group)];
            groups[std::size_t(group)] = MethodOutput{{}, values, rankIndex(values, false)};
        }
    fillTables(tables, matDati, matrix,
               {QStringLiteral("N_"), name, output.normalised.data(), overall, groups}, regional,
               structure);
}

Table rankOrdered(const Table& values, const Table& ranks) {
    const int last = values.lastRow();
    std::vector<int> rows;
    for (int r = 2; r <= last; ++r)
        rows.push_back(r);
    // Ranks are whole numbers from 1; ties keep the units' order.
    std::stable_sort(rows.begin(), rows.end(),
                     [&](int a, int b) { return ranks(a, 2) < ranks(b, 2); });
    Table ordered;
    ordered.dimension(last, 2);
    ordered.label(1) = values.label(1);
    ordered.header(2) = values.header(2);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        ordered.label(int(k) + 2) = values.label(rows[k]);
        ordered(int(k) + 2, 2) = values(rows[k], 2);
    }
    return ordered;
}

void installRunTables(SharedState& state, RunTables& tables) {
    std::swap(state.matTrasformata, tables.matTrasformata);
    std::swap(state.matValori, tables.matValori);
    std::swap(state.matGraduatoria, tables.matGraduatoria);
    std::swap(state.matRanghi, tables.matRanghi);
}
