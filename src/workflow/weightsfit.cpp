#include "workflow/weightsfit.h"

#include "audit/weighting.h"
#include "shared/delimitedfields.h"
#include "shared/resultnames.h"
#include "shared/textfile.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

std::optional<WeightTarget> parseWeightTarget(const QString& text) {
    if (text == QLatin1StringView("balance"))
        return WeightTarget::Balance;
    if (text == QLatin1StringView("pca"))
        return WeightTarget::Pca;
    return std::nullopt;
}

QString weightTargetCode(WeightTarget target) {
    return target == WeightTarget::Balance ? QStringLiteral("balance") : QStringLiteral("pca");
}

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

std::vector<int> weightedChildren(const Structure& structure, int group) {
    std::vector<int> result;
    for (const int child : structure.elements[std::size_t(group)].children)
        if (structure.elements[std::size_t(child)].weight > 0.0)
            result.push_back(child);
    return result;
}

Failure undefinedCorrelations(const Structure& structure, int group) {
    return failure(FailureKind::Refused,
                   QCoreApplication::translate(
                       "Weights", "Le correlazioni degli elementi del gruppo %1 non sono "
                                  "definite (un elemento costante o con meno di due valori): i "
                                  "pesi non possono essere calcolati.")
                       .arg(structure.elements[std::size_t(group)].name));
}

} // namespace

Expected<WeightsFit> fitWeights(const AnalysedMethod& method, const Matrix& matrix,
                                const Structure& structure, WeightTarget target,
                                const Regional& regional) {
    WeightsFit fit;
    fit.structure = structure;
    fit.spreadBefore.assign(structure.elements.size(), kNone);
    fit.spreadAfter.assign(structure.elements.size(), kNone);
    Structure& working = fit.structure;
    for (const int group : structure.bottomUp()) {
        const std::vector<int> children = weightedChildren(working, group);
        if (children.size() < 2)
            continue;
        const Expected<std::vector<std::vector<double>>> values =
            elementValues(method, matrix, working, regional);
        if (!values)
            return values.error();
        std::vector<std::vector<double>> columns;
        std::vector<double> start;
        for (const int child : children) {
            columns.push_back((*values)[std::size_t(child)]);
            start.push_back(working.elements[std::size_t(child)].weight);
        }
        std::vector<double> weights;
        if (target == WeightTarget::Pca) {
            std::optional<std::vector<double>> found = firstComponentWeights(columns);
            if (!found)
                return undefinedCorrelations(working, group);
            weights = std::move(*found);
        } else {
            const GroupValue groupValue = [&](const std::vector<double>& trial) {
                Structure tried = working;
                for (std::size_t k = 0; k < children.size(); ++k)
                    tried.elements[std::size_t(children[k])].weight = trial[k];
                Expected<std::vector<std::vector<double>>> computed =
                    elementValues(method, matrix, tried, regional);
                return computed ? std::move((*computed)[std::size_t(group)])
                                : std::vector<double>();
            };
            std::optional<BalancedWeights> found = balanceWeights(columns, start, groupValue);
            if (!found)
                return undefinedCorrelations(working, group);
            fit.spreadBefore[std::size_t(group)] = found->spreadBefore;
            fit.spreadAfter[std::size_t(group)] = found->spreadAfter;
            weights = std::move(found->weights);
        }
        for (std::size_t k = 0; k < children.size(); ++k) {
            StructureElement& element = working.elements[std::size_t(children[k])];
            element.weight = element.writtenWeight = weights[k];
        }
    }
    fit.sharesBefore = structure.shares();
    fit.sharesAfter = working.shares();
    return fit;
}

namespace {

QString numberText(const std::optional<double>& value, const Regional& regional) {
    return value ? regional.generalText(CellValue(*value)) : QString();
}

QString weightText(double weight, const Regional& regional) {
    return regional.generalText(CellValue(std::round(weight * 1e6) / 1e6));
}

} // namespace

QStringList structureFileLines(const Structure& structure, const Regional& regional) {
    bool minimum = false, maximum = false, target = false, logarithm = false, aggregation = false;
    for (const StructureElement& e : structure.elements) {
        minimum = minimum || e.minimum;
        maximum = maximum || e.maximum;
        target = target || e.target;
        logarithm = logarithm || e.logarithm;
        aggregation = aggregation || !e.aggregation.isEmpty();
    }
    QStringList header{QStringLiteral("Elemento"), QStringLiteral("Padre"), QStringLiteral("Peso")};
    const std::pair<bool, const char*> optional[] = {{minimum, "Minimo"},
                                                     {maximum, "Massimo"},
                                                     {target, "Obiettivo"},
                                                     {logarithm, "Trasformazione"},
                                                     {aggregation, "Aggregazione"}};
    for (const auto& [present, name] : optional)
        if (present)
            header.push_back(QString::fromLatin1(name));
    QStringList lines{joinFields(header)};
    const StructureElement& root = structure.elements[std::size_t(structure.root)];
    const bool rootHasRow = root.row > 0;
    for (std::size_t e = 0; e < structure.elements.size(); ++e) {
        const StructureElement& element = structure.elements[e];
        if (int(e) == structure.root && !rootHasRow)
            continue;
        const bool underRoot = element.parent == structure.root;
        QStringList fields{element.name,
                           element.parent < 0 || (underRoot && !rootHasRow)
                               ? QString()
                               : structure.elements[std::size_t(element.parent)].name,
                           weightText(element.weight, regional)};
        const QString values[] = {
            numberText(element.minimum, regional), numberText(element.maximum, regional),
            numberText(element.target, regional),
            element.logarithm ? QStringLiteral("log") : QString(), element.aggregation};
        for (std::size_t k = 0; k < std::size(optional); ++k)
            if (optional[k].first)
                fields.push_back(values[k]);
        lines.push_back(joinFields(fields));
    }
    return lines;
}

QStringList weightsFitLines(const WeightsFit& fit, const Regional& regional) {
    QStringList lines;
    const Structure& structure = fit.structure;
    for (const auto& [element, depth] : structure.depthFirst()) {
        const auto e = std::size_t(element);
        if (element == structure.root)
            continue;
        lines.push_back(QCoreApplication::translate("Weights", "%1%2: quota %3 -> %4")
                            .arg(QString(depth * 2, u' '), structure.elements[e].name,
                                 regional.fixed4(fit.sharesBefore[e]),
                                 regional.fixed4(fit.sharesAfter[e])));
    }
    for (const auto& [element, depth] : structure.depthFirst()) {
        const auto e = std::size_t(element);
        if (std::isnan(fit.spreadBefore[e]))
            continue;
        lines.push_back(QCoreApplication::translate(
                            "Weights", "%1: scarto delle correlazioni con il gruppo %2 -> %3")
                            .arg(structure.elements[e].name, regional.fixed4(fit.spreadBefore[e]),
                                 regional.fixed4(fit.spreadAfter[e])));
    }
    return lines;
}

Expected<QString> writeWeightsFile(const QString& workbook, const MatrixBasis& basis,
                                   const AnalysedMethod& method, WeightTarget target,
                                   const WeightsFit& fit, const Regional& regional) {
    QJsonObject settings{{QStringLiteral("method"), method.code()},
                         {QStringLiteral("target"), weightTargetCode(target)}};
    if (!method.position)
        settings.insert(QStringLiteral("composite"), method.composite.definition());
    const BasisScope scope(basis, regional, settings);
    const QString path = resultFileName(workbook, ResultFileKind::Weights, method.code());
    if (Status written = writeTextFile(path, structureFileLines(fit.structure, regional)); !written)
        return std::move(written).error();
    return path;
}
