#include "framework/frameworkcomputation.h"

#include "methods/ranking.h"

#include <QCoreApplication>

#include <algorithm>

#include <cmath>

namespace {

// Marks the units of a group without an index (NaN, or too few available
// cells beneath it) and ranks the others among themselves; empty when
// every unit has one.
std::vector<unsigned char> markWithoutIndex(const Structure& structure, int group,
                                            const Matrix& matrix, const GroupCoverage& coverage,
                                            bool ascending, MethodOutput& output) {
    const auto n = std::size_t(matrix.unitCount());
    std::vector<unsigned char> without(n, 0);
    bool any = false;
    const bool gaps = coverage.missing && !coverage.missing->empty();
    const std::vector<int> columns = gaps ? structure.indicatorsBeneath(group) : std::vector<int>();
    for (std::size_t i = 0; i < n; ++i) {
        int available = 0;
        for (const int j : columns)
            available += (*coverage.missing)[std::size_t(j) * n + i] ? 0 : 1;
        const bool below = gaps && !columns.empty() &&
                           double(available) / double(columns.size()) < coverage.minCoverage;
        if (below || std::isnan(output.index[i])) {
            output.index[i] = std::nan("");
            without[i] = 1;
            any = true;
        }
    }
    if (!any)
        return {};
    output.ranks = rankIndex(output.index, ascending);
    return without;
}

// The transformed columns of a group's view: those of its indicators
// (sources[c] their column in the matrix, -1 for a group's index) taken
// from shared when given, the others transformed now into own. Each column
// is transformed on its own (transformColumns), so the values are the same
// either way.
MatrixView transformedView(MethodPosition position, const MatrixView& view,
                           const std::vector<int>& sources, const std::vector<double>* shared,
                           std::vector<double>& own) {
    const auto n = std::size_t(view.units);
    if (!shared) {
        own = transformColumns(position, view);
        return view.withValues(own.data());
    }
    MatrixView groups;
    groups.units = view.units;
    for (std::size_t c = 0; c < view.columns.size(); ++c)
        if (sources[c] < 0)
            groups.columns.push_back(view.columns[c]);
    own = groups.columns.empty() ? std::vector<double>() : transformColumns(position, groups);
    MatrixView result = view;
    std::size_t next = 0;
    for (std::size_t c = 0; c < view.columns.size(); ++c)
        result.columns[c].values = sources[c] >= 0 ? shared->data() + std::size_t(sources[c]) * n
                                                   : own.data() + (next++) * n;
    return result;
}

// The method over a view where some units may have no available column:
// the columns transformed over every unit, as without them, and the index
// aggregated over the units with some available column only; the others
// get none (NaN, ranked after the others). With shared columns (see
// transformedView) the output holds the index alone: no transformed
// columns, no ranks.
Expected<MethodOutput> computeOverAvailableUnits(MethodPosition position, const MatrixView& view,
                                                 const std::vector<int>& sources,
                                                 const std::vector<double>* shared) {
    const auto n = std::size_t(view.units);
    const bool gaps = view.hasMissing();
    if (!gaps && !shared)
        return computeMethod(position, view);
    std::vector<std::size_t> some;
    for (std::size_t i = 0; i < n && gaps; ++i)
        if (std::any_of(view.columns.begin(), view.columns.end(),
                        [i](const MatrixColumn& column) { return !column.isMissing(int(i)); }))
            some.push_back(i);
    const bool everyUnit = !gaps || some.size() == n;
    if (everyUnit && !shared)
        return computeMethod(position, view);
    if (Status accepted = acceptsData(position, view); !accepted)
        return std::move(accepted).error();
    MethodOutput output;
    std::vector<double> own;
    const MatrixView transformed = transformedView(position, view, sources, shared, own);
    if (everyUnit) {
        Expected<std::vector<double>> index = aggregateColumns(position, transformed);
        if (!index)
            return std::move(index).error();
        output.index = std::move(*index);
        return output;
    }
    output.index.assign(n, std::nan(""));
    if (!some.empty()) {
        // The transformed columns of the units with some available column.
        const std::size_t k = some.size();
        std::vector<double> values(k * view.columns.size());
        std::vector<unsigned char> missing(values.size(), 0);
        MatrixView compact;
        compact.units = int(k);
        for (std::size_t j = 0; j < view.columns.size(); ++j) {
            for (std::size_t r = 0; r < k; ++r) {
                values[j * k + r] = transformed.columns[j].values[some[r]];
                missing[j * k + r] = view.columns[j].isMissing(int(some[r])) ? 1 : 0;
            }
            MatrixColumn column = view.columns[j];
            column.values = values.data() + j * k;
            column.missing = missing.data() + j * k;
            compact.columns.push_back(column);
        }
        Expected<std::vector<double>> index = aggregateColumns(position, compact);
        if (!index)
            return std::move(index).error();
        for (std::size_t r = 0; r < k; ++r)
            output.index[some[r]] = (*index)[r];
    }
    if (shared)
        return output;
    output.transformed = std::move(own);
    output.ranks = rankIndex(output.index, methodAt(position).ascending);
    return output;
}

// Per column of a group's view (its elements of weight above 0, as
// groupView takes them), its column in the matrix; -1 for a group's index.
std::vector<int> viewSources(const Structure& structure, int group) {
    std::vector<int> sources;
    for (const int child : structure.elements[std::size_t(group)].children) {
        const StructureElement& element = structure.elements[std::size_t(child)];
        if (element.weight != 0.0)
            sources.push_back(element.isGroup() ? -1 : element.indicator);
    }
    return sources;
}

// The first group of weight above 0 inside group whose index is the same,
// to four decimals (indexKey), for every unit that has one; -1 when none.
int groupWithOneIndex(const Structure& structure, int group, const FrameworkRun& run) {
    for (const int child : structure.elements[std::size_t(group)].children) {
        const StructureElement& element = structure.elements[std::size_t(child)];
        if (!element.isGroup() || element.weight == 0.0)
            continue;
        const std::vector<double>& index = run.groups[std::size_t(child)].index;
        double first = std::nan("");
        bool same = true;
        for (const double value : index) {
            const double key = indexKey(value);
            if (std::isnan(key))
                continue;
            if (std::isnan(first))
                first = key;
            else if (key != first)
                same = false;
        }
        if (same && !index.empty())
            return child;
    }
    return -1;
}

// The cell of the matrix that decides the method's refusal of a group's
// view (refusedCell): the first in sheet order, column by column, among the
// group's own indicators, of the kind refusedCell finds first in the view;
// nothing when it finds none, or finds it in a group's index.
std::optional<DataCell> decidingCell(MethodPosition position, const Structure& structure, int group,
                                     const MatrixView& view) {
    const std::optional<DataCell> first = refusedCell(position, view);
    if (!first)
        return std::nullopt;
    const std::vector<int> matrixColumn = viewSources(structure, group);
    if (matrixColumn[std::size_t(first->column)] < 0)
        return std::nullopt;
    std::vector<int> inSheetOrder;
    for (std::size_t c = 0; c < matrixColumn.size(); ++c)
        if (matrixColumn[c] >= 0)
            inSheetOrder.push_back(int(c));
    std::sort(inSheetOrder.begin(), inSheetOrder.end(), [&matrixColumn](int a, int b) {
        return matrixColumn[std::size_t(a)] < matrixColumn[std::size_t(b)];
    });
    MatrixView indicators;
    indicators.units = view.units;
    for (const int c : inSheetOrder)
        indicators.columns.push_back(view.columns[std::size_t(c)]);
    const std::optional<DataCell> cell = refusedCell(position, indicators);
    if (!cell) // never: the view's own cell is among these
        return DataCell{first->unit, matrixColumn[std::size_t(first->column)]};
    return DataCell{cell->unit, matrixColumn[std::size_t(inSheetOrder[std::size_t(cell->column)])]};
}

} // namespace

MatrixView groupView(const Structure& structure, int group, const Matrix& matrix,
                     const std::vector<MethodOutput>& computed, bool ascending,
                     const std::vector<std::vector<unsigned char>>* withoutIndex) {
    MatrixView view;
    view.units = matrix.unitCount();
    for (const int child : structure.elements[std::size_t(group)].children) {
        const StructureElement& element = structure.elements[std::size_t(child)];
        if (element.weight == 0.0)
            continue;
        MatrixColumn column;
        if (element.isGroup()) {
            column.values = computed[std::size_t(child)].index.data();
            column.negative = ascending;
            if (withoutIndex && !(*withoutIndex)[std::size_t(child)].empty())
                column.missing = (*withoutIndex)[std::size_t(child)].data();
        } else {
            column = matrix.columnView(element.indicator);
        }
        column.weight = element.weight;
        view.columns.push_back(column);
    }
    return view;
}

std::optional<Structure> withoutElement(const Structure& structure, int element) {
    Structure result = structure;
    int at = element;
    while (at != result.root) {
        result.elements[std::size_t(at)].weight = 0.0;
        at = result.elements[std::size_t(at)].parent;
        const std::vector<int>& siblings = result.elements[std::size_t(at)].children;
        if (std::any_of(siblings.begin(), siblings.end(), [&result](int child) {
                return result.elements[std::size_t(child)].weight > 0.0;
            }))
            return result;
    }
    return std::nullopt;
}

namespace {

// computeFramework, taking the indicators' transformed columns from shared
// when given (computeFrameworkOnTransformed).
Expected<FrameworkRun> frameworkRun(MethodPosition position, const Matrix& matrix,
                                    const Structure& structure, const GroupCoverage& coverage,
                                    std::optional<DataCell>* refusedAt,
                                    const std::vector<double>* shared) {
    FrameworkRun run;
    run.position = position;
    run.root = structure.root;
    run.groups.resize(structure.elements.size());
    run.withoutIndex.resize(structure.elements.size());
    const MethodInfo& method = methodAt(position);
    const bool gaps = (coverage.missing && !coverage.missing->empty()) || !matrix.missing.empty();
    for (const int group : structure.bottomUp()) {
        // A group whose elements were all left out has no index; it weighs 0
        // in its own group.
        const std::vector<int>& children = structure.elements[std::size_t(group)].children;
        if (group != structure.root &&
            std::none_of(children.begin(), children.end(), [&structure](int child) {
                return structure.elements[std::size_t(child)].weight > 0.0;
            }))
            continue;
        const MatrixView view = groupView(structure, group, matrix, run.groups, method.ascending,
                                          gaps ? &run.withoutIndex : nullptr);
        Expected<MethodOutput> output =
            computeOverAvailableUnits(position, view, viewSources(structure, group), shared);
        if (!output) {
            Failure refusal = std::move(output).error();
            if (refusedAt)
                *refusedAt = decidingCell(position, structure, group, view);
            const QString header = method.indexHeader + QStringLiteral(" - ");
            // A group inside it whose index is one value for every unit
            // (a constant column), when the data themselves are taken: the
            // method cannot use it, whatever number it then fails on.
            if (const int same = groupWithOneIndex(structure, group, run);
                same >= 0 && acceptsData(position, view))
                refusal.message =
                    header + QCoreApplication::translate(
                                 "Framework", "l'indice del gruppo %1 risulta uguale per tutte le "
                                              "unità e il metodo non può usarlo. Verificare i "
                                              "valori dei suoi indicatori.")
                                 .arg(structure.elements[std::size_t(same)].name);
            if (group != structure.root && refusal.message.startsWith(header))
                refusal.message =
                    header + QCoreApplication::translate("Framework", "dimensione %1: %2")
                                 .arg(structure.elements[std::size_t(group)].name,
                                      refusal.message.mid(header.size()));
            return refusal;
        }
        if (gaps && group != structure.root)
            run.withoutIndex[std::size_t(group)] =
                markWithoutIndex(structure, group, matrix, coverage, method.ascending, *output);
        run.groups[std::size_t(group)] = std::move(*output);
    }
    return run;
}

} // namespace

Expected<FrameworkRun> computeFramework(MethodPosition position, const Matrix& matrix,
                                        const Structure& structure, const GroupCoverage& coverage,
                                        std::optional<DataCell>* refusedAt) {
    return frameworkRun(position, matrix, structure, coverage, refusedAt, nullptr);
}

Expected<FrameworkRun> computeFrameworkOnTransformed(MethodPosition position, const Matrix& matrix,
                                                     const Structure& structure,
                                                     const std::vector<double>& transformed) {
    return frameworkRun(position, matrix, structure, {}, nullptr, &transformed);
}

std::vector<unsigned char> unitsWithoutOverallIndex(const Structure& structure, int units,
                                                    const std::vector<unsigned char>& missing,
                                                    double minCoverage) {
    if (missing.empty())
        return {};
    const auto n = std::size_t(units);
    // Per group, 1 for each unit without an index of it.
    std::vector<std::vector<unsigned char>> without(structure.elements.size());
    for (const int group : structure.bottomUp()) {
        const StructureElement& element = structure.elements[std::size_t(group)];
        std::vector<unsigned char> lacks(n, 1);
        for (const int child : element.children) {
            const StructureElement& e = structure.elements[std::size_t(child)];
            if (e.weight == 0.0)
                continue;
            for (std::size_t i = 0; i < n; ++i) {
                const bool available = e.isGroup() ? !without[std::size_t(child)].empty() &&
                                                         !without[std::size_t(child)][i]
                                                   : !missing[std::size_t(e.indicator) * n + i];
                if (available)
                    lacks[i] = 0;
            }
        }
        if (group != structure.root && minCoverage > 0.0) {
            const std::vector<int> columns = structure.indicatorsBeneath(group);
            for (std::size_t i = 0; i < n && !columns.empty(); ++i) {
                int available = 0;
                for (const int j : columns)
                    available += missing[std::size_t(j) * n + i] ? 0 : 1;
                if (double(available) / double(columns.size()) < minCoverage)
                    lacks[i] = 1;
            }
        }
        without[std::size_t(group)] = std::move(lacks);
    }
    std::vector<unsigned char>& overall = without[std::size_t(structure.root)];
    if (std::none_of(overall.begin(), overall.end(), [](unsigned char flag) { return flag != 0; }))
        return {};
    return std::move(overall);
}

std::optional<Structure> keptStructure(const Structure& structure, const std::vector<int>& columnOf,
                                       std::vector<int>* emptied) {
    const std::size_t count = structure.elements.size();
    std::vector<char> removed(count, 0);
    for (std::size_t e = 0; e < count; ++e) {
        const StructureElement& element = structure.elements[e];
        if (!element.isGroup() && columnOf[std::size_t(element.indicator)] < 0)
            removed[e] = 1;
    }
    // Bottom-up: a group left with no element of weight above 0 goes too.
    for (const int group : structure.bottomUp()) {
        const std::vector<int>& children = structure.elements[std::size_t(group)].children;
        const bool anyLeft = std::any_of(children.begin(), children.end(), [&](int child) {
            return !removed[std::size_t(child)] &&
                   structure.elements[std::size_t(child)].weight > 0.0;
        });
        if (!anyLeft) {
            if (group == structure.root)
                return std::nullopt;
            removed[std::size_t(group)] = 1;
        }
    }
    Structure kept;
    kept.source = structure.source;
    std::vector<int> at(count, -1);
    for (std::size_t e = 0; e < count; ++e)
        if (!removed[e]) {
            at[e] = int(kept.elements.size());
            kept.elements.push_back(structure.elements[e]);
        }
    for (StructureElement& element : kept.elements) {
        if (element.parent >= 0)
            element.parent = at[std::size_t(element.parent)];
        if (!element.isGroup())
            element.indicator = columnOf[std::size_t(element.indicator)];
        std::vector<int> children;
        for (const int child : element.children)
            if (at[std::size_t(child)] >= 0)
                children.push_back(at[std::size_t(child)]);
        element.children = std::move(children);
    }
    kept.root = at[std::size_t(structure.root)];
    for (const int group : structure.groups) {
        if (at[std::size_t(group)] >= 0)
            kept.groups.push_back(at[std::size_t(group)]);
        else if (emptied)
            emptied->push_back(group);
    }
    return kept;
}
