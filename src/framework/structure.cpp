#include "framework/structure.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <cmath>

namespace {

Failure refusal(const QString& message) {
    return failure(FailureKind::Refused, message);
}

QString atRow(int row) {
    return QCoreApplication::translate("Framework", "Struttura, riga %1: ").arg(row);
}

} // namespace

QString overallIndexName() {
    return QCoreApplication::translate("Framework", "Indice complessivo");
}

QString structureSummary(const Structure& structure) {
    const auto groups = qsizetype(structure.groups.size());
    const int indicators = structure.indicatorCount();
    return QCoreApplication::translate("Framework", "Struttura: %1, %2, %3")
        .arg(groups == 1 ? QCoreApplication::translate("Framework", "1 dimensione")
                         : QCoreApplication::translate("Framework", "%1 dimensioni").arg(groups),
             indicators == 1
                 ? QCoreApplication::translate("Framework", "1 indicatore")
                 : QCoreApplication::translate("Framework", "%1 indicatori").arg(indicators),
             structure.source);
}

double Structure::share(int element) const {
    const StructureElement& e = elements[std::size_t(element)];
    if (e.parent < 0)
        return 1.0;
    double sum = 0.0;
    for (const int sibling : elements[std::size_t(e.parent)].children)
        sum += elements[std::size_t(sibling)].weight;
    return sum > 0.0 ? e.weight / sum : 0.0;
}

double Structure::effectiveWeight(int element) const {
    double weight = 1.0;
    for (int e = element; e >= 0; e = elements[std::size_t(e)].parent)
        weight *= share(e);
    return weight;
}

std::vector<int> Structure::indicatorsBeneath(int element) const {
    std::vector<int> indicators;
    std::vector<int> stack{element};
    while (!stack.empty()) {
        const StructureElement& e = elements[std::size_t(stack.back())];
        stack.pop_back();
        if (!e.isGroup())
            indicators.push_back(e.indicator);
        else
            stack.insert(stack.end(), e.children.rbegin(), e.children.rend());
    }
    return indicators;
}

std::vector<int> Structure::bottomUp() const {
    std::vector<int> order;
    // Depth first from the overall index, each group after its children.
    std::vector<std::pair<int, std::size_t>> stack{{root, 0}};
    while (!stack.empty()) {
        auto& [group, next] = stack.back();
        const std::vector<int>& children = elements[std::size_t(group)].children;
        if (next < children.size()) {
            const int child = children[next++];
            if (elements[std::size_t(child)].isGroup())
                stack.emplace_back(child, 0);
            continue;
        }
        order.push_back(group);
        stack.pop_back();
    }
    return order;
}

std::vector<std::pair<int, int>> Structure::depthFirst() const {
    std::vector<std::pair<int, int>> order;
    std::vector<std::pair<int, int>> stack{{root, 0}};
    while (!stack.empty()) {
        const auto [element, depth] = stack.back();
        stack.pop_back();
        order.emplace_back(element, depth);
        const std::vector<int>& children = elements[std::size_t(element)].children;
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            stack.emplace_back(*child, depth + 1);
    }
    return order;
}

int Structure::indicatorCount() const {
    return int(std::count_if(elements.begin(), elements.end(),
                             [](const StructureElement& e) { return !e.isGroup(); }));
}

Expected<Structure> buildStructure(const StructureSheet& sheet,
                                   const std::vector<QString>& indicatorNames,
                                   const Regional& regional) {
    Structure structure;
    structure.source = sheet.source;
    QHash<QString, int> indicatorOf;
    for (std::size_t j = 0; j < indicatorNames.size(); ++j)
        indicatorOf.insert(indicatorNames[j].trimmed(), int(j));
    QHash<QString, int> elementOf;

    // The rows' elements, with their weights.
    for (const StructureRow& row : sheet.rows) {
        if (elementOf.contains(row.element))
            return refusal(atRow(row.row) + QCoreApplication::translate(
                                                "Framework", "l'elemento %1 è elencato due volte.")
                                                .arg(row.element));
        StructureElement element;
        element.name = row.element;
        element.row = row.row;
        element.indicator = indicatorOf.value(row.element, -1);
        if (!row.weight.equalsEmptyText()) {
            const std::optional<double> weight = regional.numberOf(row.weight);
            if (!weight || !(*weight >= 0.0) || !std::isfinite(*weight))
                return refusal(
                    atRow(row.row) +
                    QCoreApplication::translate(
                        "Framework", "il peso di %1 (%2) non è un numero maggiore o uguale a 0.")
                        .arg(row.element, regional.generalText(row.weight)));
            element.weight = *weight;
        }
        elementOf.insert(row.element, int(structure.elements.size()));
        structure.elements.push_back(std::move(element));
    }
    // Parents: a group without a row of its own sits at the top, weight 1.
    for (const StructureRow& row : sheet.rows) {
        if (row.parent.isEmpty())
            continue;
        if (indicatorOf.contains(row.parent))
            return refusal(atRow(row.row) +
                           QCoreApplication::translate(
                               "Framework",
                               "il padre di %1 è l'indicatore %2: un indicatore non può "
                               "contenere elementi.")
                               .arg(row.element, row.parent));
        if (!elementOf.contains(row.parent)) {
            StructureElement group;
            group.name = row.parent;
            elementOf.insert(row.parent, int(structure.elements.size()));
            structure.elements.push_back(std::move(group));
        }
    }
    for (const StructureRow& row : sheet.rows) {
        const int e = elementOf.value(row.element);
        if (!row.parent.isEmpty()) {
            const int parent = elementOf.value(row.parent);
            structure.elements[std::size_t(e)].parent = parent;
            structure.elements[std::size_t(parent)].children.push_back(e);
        }
    }
    for (std::size_t j = 0; j < indicatorNames.size(); ++j)
        if (!elementOf.contains(indicatorNames[j].trimmed()))
            return refusal(QCoreApplication::translate(
                               "Framework", "Struttura: l'indicatore %1 della matrice non è nella "
                                            "struttura.")
                               .arg(indicatorNames[j].trimmed()));
    // Cycles: the first row whose element is its own ancestor. Groups without
    // a row sit at the top, so every cycle runs through rows.
    for (const StructureRow& row : sheet.rows) {
        const int start = elementOf.value(row.element);
        int e = structure.elements[std::size_t(start)].parent;
        for (std::size_t steps = 0; e >= 0 && steps <= structure.elements.size(); ++steps) {
            if (e == start)
                return refusal(atRow(row.row) +
                               QCoreApplication::translate(
                                   "Framework", "%1 è contenuto in se stesso, attraverso i suoi "
                                                "gruppi.")
                                   .arg(row.element));
            e = structure.elements[std::size_t(e)].parent;
        }
    }
    for (const StructureElement& element : structure.elements) {
        if (!element.isGroup())
            continue;
        const QString where = element.row > 0
                                  ? atRow(element.row)
                                  : QCoreApplication::translate("Framework", "Struttura: ");
        if (element.children.empty())
            return refusal(where + QCoreApplication::translate(
                                       "Framework", "il gruppo %1 non contiene alcun elemento.")
                                       .arg(element.name));
        const bool allZero =
            std::all_of(element.children.begin(), element.children.end(), [&](int child) {
                return structure.elements[std::size_t(child)].weight == 0.0;
            });
        if (allZero)
            return refusal(where +
                           QCoreApplication::translate(
                               "Framework", "gli elementi del gruppo %1 hanno tutti peso 0.")
                               .arg(element.name));
    }

    // The overall index.
    std::vector<int> top;
    for (std::size_t e = 0; e < structure.elements.size(); ++e)
        if (structure.elements[e].parent < 0)
            top.push_back(int(e));
    if (top.size() == 1 && structure.elements[std::size_t(top.front())].isGroup()) {
        structure.root = top.front();
    } else {
        StructureElement overall;
        overall.name = overallIndexName();
        overall.children = top;
        structure.root = int(structure.elements.size());
        for (const int e : top)
            structure.elements[std::size_t(e)].parent = structure.root;
        structure.elements.push_back(std::move(overall));
    }
    // The groups in the order of their first mention.
    std::vector<char> listed(structure.elements.size(), 0);
    const auto mention = [&](const QString& name) {
        const int e = elementOf.value(name, -1);
        if (e < 0 || e == structure.root || listed[std::size_t(e)] ||
            !structure.elements[std::size_t(e)].isGroup())
            return;
        listed[std::size_t(e)] = 1;
        structure.groups.push_back(e);
    };
    for (const StructureRow& row : sheet.rows) {
        mention(row.element);
        if (!row.parent.isEmpty())
            mention(row.parent);
    }
    return structure;
}
