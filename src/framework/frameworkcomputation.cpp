#include "framework/frameworkcomputation.h"

#include <QCoreApplication>

MatrixView groupView(const Structure& structure, int group, const Matrix& matrix,
                     const std::vector<MethodOutput>& computed, bool ascending) {
    const MatrixView all = matrix.view();
    MatrixView view;
    view.units = all.units;
    for (const int child : structure.elements[std::size_t(group)].children) {
        const StructureElement& element = structure.elements[std::size_t(child)];
        if (element.weight == 0.0)
            continue;
        MatrixColumn column;
        if (element.isGroup()) {
            column.values = computed[std::size_t(child)].index.data();
            column.negative = ascending;
        } else {
            column = all.columns[std::size_t(element.indicator)];
        }
        column.weight = element.weight;
        view.columns.push_back(column);
    }
    return view;
}

Expected<FrameworkRun> computeFramework(MethodPosition position, const Matrix& matrix,
                                        const Structure& structure) {
    FrameworkRun run;
    run.position = position;
    run.root = structure.root;
    run.groups.resize(structure.elements.size());
    const MethodInfo& method = methodAt(position);
    for (const int group : structure.bottomUp()) {
        Expected<MethodOutput> output = computeMethod(
            position, groupView(structure, group, matrix, run.groups, method.ascending));
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
        run.groups[std::size_t(group)] = std::move(*output);
    }
    return run;
}
