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

Expected<FrameworkRun> computeFramework(MethodPosition position, const Matrix& matrix,
                                        const Structure& structure, const GroupCoverage& coverage) {
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
        Expected<MethodOutput> output = computeMethod(
            position, groupView(structure, group, matrix, run.groups, method.ascending,
                                gaps ? &run.withoutIndex : nullptr));
        if (!output) {
            Failure refusal = std::move(output).error();
            const QString header = method.indexHeader + QStringLiteral(" - ");
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
