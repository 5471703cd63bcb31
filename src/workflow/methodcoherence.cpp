#include "workflow/methodcoherence.h"

#include "audit/weighting.h"
#include "shared/delimitedfields.h"
#include "shared/resultnames.h"
#include "shared/textfile.h"

#include <cmath>
#include <limits>

std::vector<ElementCoherence> coherenceOfElements(const Structure& structure,
                                                  const std::vector<std::vector<double>>& values) {
    const std::vector<double> shares = structure.shares();
    const std::vector<double>& index = values[std::size_t(structure.root)];
    std::vector<ElementCoherence> result;
    std::vector<ElementCoherence> byElement(structure.elements.size());
    for (std::size_t e = 0; e < structure.elements.size(); ++e) {
        const StructureElement& element = structure.elements[e];
        if (element.parent < 0)
            continue;
        ElementCoherence& c = byElement[e];
        c.element = int(e);
        const std::vector<double>& parent = values[std::size_t(element.parent)];
        c.pearsonParent = columnCorrelation(values[e], parent, CorrelationKind::Pearson);
        c.spearmanParent = columnCorrelation(values[e], parent, CorrelationKind::Spearman);
        c.pearsonIndex = columnCorrelation(values[e], index, CorrelationKind::Pearson);
        c.nominalShare = shares[e];
        c.weak = c.pearsonParent < kWeakCorrelation;
    }
    for (const auto& [group, depth] : structure.depthFirst()) {
        const StructureElement& element = structure.elements[std::size_t(group)];
        double sum = 0.0;
        for (const int child : element.children)
            if (structure.elements[std::size_t(child)].weight > 0.0)
                sum += std::pow(byElement[std::size_t(child)].pearsonParent, 2);
        for (const int child : element.children) {
            ElementCoherence& c = byElement[std::size_t(child)];
            c.importanceShare = structure.elements[std::size_t(child)].weight > 0.0
                                    ? std::pow(c.pearsonParent, 2) / sum
                                    : std::numeric_limits<double>::quiet_NaN();
        }
    }
    for (const auto& [element, depth] : structure.depthFirst())
        if (element != structure.root)
            result.push_back(byElement[std::size_t(element)]);
    return result;
}

namespace {

QString number(double value, const Regional& regional) {
    return std::isfinite(value) ? regional.fixed4(value) : QString();
}

} // namespace

QStringList coherenceOfElementsLines(const Structure& structure,
                                     const std::vector<ElementCoherence>& elements,
                                     const Regional& regional) {
    QStringList lines{QStringLiteral("Elemento;Padre;Pearson padre;Spearman padre;Pearson "
                                     "indice;Quota nominale;Quota effettiva;Debole")};
    for (const ElementCoherence& c : elements) {
        const StructureElement& element = structure.elements[std::size_t(c.element)];
        lines.push_back(joinFields(
            {element.name, structure.elements[std::size_t(element.parent)].name,
             number(c.pearsonParent, regional), number(c.spearmanParent, regional),
             number(c.pearsonIndex, regional), number(c.nominalShare, regional),
             number(c.importanceShare, regional), c.weak ? QStringLiteral("si") : QString()}));
    }
    return lines;
}

Expected<QStringList> methodCoherenceLines(const AnalysedMethod& method, const Matrix& matrix,
                                           const Structure* structure, const Regional& regional) {
    const Structure over = structureOrFlat(structure, matrix, regional);
    const Expected<std::vector<std::vector<double>>> values =
        elementValues(method, matrix, over, regional);
    if (!values)
        return values.error();
    return coherenceOfElementsLines(over, coherenceOfElements(over, *values), regional);
}

Expected<QString> writeMethodCoherence(const QString& workbook, const MatrixBasis& basis,
                                       const AnalysedMethod& method, const QStringList& lines,
                                       const Regional& regional) {
    QJsonObject settings{{QStringLiteral("method"), method.code()}};
    if (!method.position)
        settings.insert(QStringLiteral("composite"), method.composite.definition());
    const BasisScope scope(basis, regional, settings);
    const QString path = resultFileName(workbook, ResultFileKind::MethodCoherence, method.code());
    if (Status written = writeTextFile(path, lines); !written)
        return std::move(written).error();
    return path;
}
