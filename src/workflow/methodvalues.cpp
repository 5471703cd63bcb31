#include "workflow/methodvalues.h"

#include "composite/compositecomputation.h"
#include "framework/frameworkcomputation.h"

#include <cmath>

QString AnalysedMethod::code() const {
    return position ? methodAt(*position).code : composite.code;
}

Expected<AnalysedMethod> methodOfCode(const QString& code, const CompositeList& composites) {
    AnalysedMethod method;
    if (const MethodInfo* nine = methodWithCode(code)) {
        method.position = MethodPosition(nine->position);
        return method;
    }
    if (const Composite* composite = composites.find(code)) {
        method.composite = *composite;
        return method;
    }
    QStringList valid = methodCodes();
    for (const Composite& defined : composites.composites)
        valid.append(defined.code);
    return failure(FailureKind::Usage,
                   QStringLiteral("Codice di metodo sconosciuto: %1. Codici validi: %2")
                       .arg(code, valid.join(QStringLiteral(", "))));
}

Structure structureOrFlat(const Structure* structure, const Matrix& matrix,
                          const Regional& regional) {
    return structure ? *structure : flatStructure(matrix, regional);
}

namespace {

std::vector<std::vector<double>> nineValues(const FrameworkRun& run, const Matrix& matrix,
                                            const Structure& structure, bool ascending) {
    const auto n = std::size_t(matrix.unitCount());
    std::vector<std::vector<double>> columns(structure.elements.size());
    for (std::size_t e = 0; e < structure.elements.size(); ++e) {
        const StructureElement& element = structure.elements[e];
        std::vector<double>& column = columns[e];
        if (element.isGroup()) {
            column = run.groups[e].index;
            if (column.empty())
                column.assign(n, std::nan("")); // a group left with no element
            if (ascending)
                for (double& x : column)
                    x = -x;
            continue;
        }
        const int j = element.indicator;
        const double sign = matrix.negative[std::size_t(j)] ? -1.0 : 1.0;
        column.resize(n);
        for (std::size_t i = 0; i < n; ++i)
            column[i] = matrix.isMissing(int(i), j) ? std::nan("") : sign * matrix.value(int(i), j);
    }
    return columns;
}

} // namespace

Expected<std::vector<std::vector<double>>> elementValues(const AnalysedMethod& method,
                                                         const Matrix& matrix,
                                                         const Structure& structure,
                                                         const Regional& regional) {
    if (method.position) {
        Expected<FrameworkRun> run = computeFramework(*method.position, matrix, structure);
        if (!run)
            return std::move(run).error();
        return nineValues(*run, matrix, structure, methodAt(*method.position).ascending);
    }
    Expected<CompositeOutput> output =
        computeComposite(method.composite, matrix, &structure, regional);
    if (!output)
        return std::move(output).error();
    const auto n = std::size_t(matrix.unitCount());
    std::vector<std::vector<double>> columns = std::move(output->groups);
    columns.resize(structure.elements.size());
    for (std::size_t e = 0; e < structure.elements.size(); ++e) {
        const StructureElement& element = structure.elements[e];
        if (element.isGroup()) {
            if (columns[e].empty())
                columns[e].assign(n, std::nan(""));
            continue;
        }
        const auto begin =
            output->normalised.begin() + std::ptrdiff_t(std::size_t(element.indicator) * n);
        columns[e].assign(begin, begin + std::ptrdiff_t(n));
    }
    return columns;
}
