#include "framework/structure.h"

#include "shared/namekey.h"
#include "workbook/caricamatrice.h"
#include "workbook/cellnames.h"

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

std::vector<double> Structure::shares() const {
    std::vector<double> sums(elements.size(), 0.0);
    for (const StructureElement& e : elements)
        if (e.parent >= 0)
            sums[std::size_t(e.parent)] += e.weight;
    std::vector<double> result(elements.size(), 1.0);
    for (std::size_t e = 0; e < elements.size(); ++e)
        if (const int parent = elements[e].parent; parent >= 0)
            result[e] = sums[std::size_t(parent)] > 0.0
                            ? elements[e].weight / sums[std::size_t(parent)]
                            : 0.0;
    return result;
}

std::vector<double> Structure::effectiveWeights() const {
    std::vector<double> result = shares();
    // Parents before their elements.
    for (const auto& [element, depth] : depthFirst())
        if (const int parent = elements[std::size_t(element)].parent; parent >= 0)
            result[std::size_t(element)] *= result[std::size_t(parent)];
    return result;
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

namespace {

QString weightText(const StructureRow& row, const Regional& regional) {
    return regional.generalText(row.weight);
}

// The weight of a row: 1 when it gives none; a refusal naming the row when
// it is no number of 0 or more (with the hint of the other decimal
// separator when that reads it) or a formula without a result.
Expected<double> weightOf(const StructureRow& row, const QString& name, const Regional& regional) {
    if (row.weight.isText() && row.weight.text().isEmpty())
        return refusal(atRow(row.row) +
                       QCoreApplication::translate(
                           "Framework", "il peso di %1 è una formula senza un risultato salvato: "
                                        "ricalcolare e salvare il file nel foglio di calcolo.")
                           .arg(name));
    if (row.weight.equalsEmptyText())
        return 1.0;
    const std::optional<double> weight = regional.numberOf(row.weight);
    if (weight && *weight >= 0.0 && std::isfinite(*weight))
        return *weight;
    QString message = atRow(row.row) +
                      QCoreApplication::translate(
                          "Framework", "il peso di %1 (%2) non è un numero maggiore o uguale a 0.")
                          .arg(name, weightText(row, regional));
    if (!weight && row.weight.isText())
        if (const QString hint = separatorHint(row.weight.text(), regional); !hint.isEmpty())
            message += u'\n' + hint;
    return refusal(message);
}

// The level of every element (1 at the top; negative in a cycle or beneath
// one), and which elements are in a cycle: each element is walked up once,
// until an element whose level is known.
struct Levels {
    std::vector<int> level;
    std::vector<char> inCycle;
};

Levels levelsOf(const Structure& structure) {
    const std::size_t n = structure.elements.size();
    constexpr int kUnknown = 0;
    constexpr int kWalking = -1;
    constexpr int kBeyondCycle = -2; // in a cycle, or beneath one
    Levels levels{std::vector<int>(n, kUnknown), std::vector<char>(n, 0)};
    std::vector<int> path;
    for (std::size_t start = 0; start < n; ++start) {
        path.clear();
        int at = int(start);
        while (at >= 0 && levels.level[std::size_t(at)] == kUnknown) {
            levels.level[std::size_t(at)] = kWalking;
            path.push_back(at);
            at = structure.elements[std::size_t(at)].parent;
        }
        int level = at < 0 ? 0 : levels.level[std::size_t(at)];
        if (level == kWalking) {
            // The path came back to itself: from `at` on, a cycle.
            for (auto e = std::find(path.begin(), path.end(), at); e != path.end(); ++e)
                levels.inCycle[std::size_t(*e)] = 1;
            level = kBeyondCycle;
        }
        for (auto e = path.rbegin(); e != path.rend(); ++e) {
            if (level != kBeyondCycle)
                ++level;
            levels.level[std::size_t(*e)] = level;
        }
    }
    return levels;
}

QString columnLetters(const std::vector<int>& columns, std::size_t indicator) {
    return columnName(columns.empty() ? int(indicator) + 2 : columns[indicator]);
}

} // namespace

namespace {

// The indicators by their name keys; refuses two indicators whose names
// match.
Expected<QHash<QString, int>> indicatorKeys(const std::vector<QString>& indicatorNames,
                                            const std::vector<int>& columns) {
    QHash<QString, int> indicatorOf;
    indicatorOf.reserve(qsizetype(indicatorNames.size()));
    for (std::size_t j = 0; j < indicatorNames.size(); ++j) {
        QString key = nameKey(indicatorNames[j]);
        if (const int twin = indicatorOf.value(key, -1); twin >= 0)
            return refusal(QCoreApplication::translate(
                               "Framework",
                               "Struttura: le colonne %1 e %2 della matrice hanno lo stesso nome "
                               "(%3): con una struttura ogni indicatore deve avere un nome suo.")
                               .arg(columnLetters(columns, std::size_t(twin)),
                                    columnLetters(columns, j), indicatorNames[j].trimmed()));
        indicatorOf.insert(std::move(key), int(j));
    }
    return indicatorOf;
}

// What buildStructure works with between its phases.
struct Building {
    const StructureSheet& sheet;
    const std::vector<QString>& indicatorNames;
    QHash<QString, int> indicatorOf;
    // Every element by its key: its index plus 1 (0 until it has one).
    QHash<QString, int> elementOf;
    std::vector<char> listed; // per indicator, whether a row lists it
    Structure structure;
};

// The rows' elements, with their weights, first and in row order.
Status addRowElements(Building& b, const Regional& regional) {
    b.elementOf.reserve(qsizetype(b.sheet.rows.size()));
    b.listed.assign(b.indicatorNames.size(), 0);
    for (const StructureRow& row : b.sheet.rows) {
        QString key = nameKey(row.element);
        const int indicator = b.indicatorOf.value(key, -1);
        int& slot = b.elementOf[std::move(key)];
        if (slot)
            return refusal(atRow(row.row) + QCoreApplication::translate(
                                                "Framework", "l'elemento %1 è elencato due volte.")
                                                .arg(row.element));
        slot = int(b.structure.elements.size()) + 1;
        StructureElement element;
        element.row = row.row;
        element.indicator = indicator;
        if (indicator >= 0) {
            element.name = b.indicatorNames[std::size_t(indicator)].trimmed();
            b.listed[std::size_t(indicator)] = 1;
        } else {
            element.name = row.element;
        }
        const Expected<double> weight = weightOf(row, element.name, regional);
        if (!weight)
            return weight.error();
        element.weight = element.writtenWeight = *weight;
        b.structure.elements.push_back(std::move(element));
    }
    return {};
}

// Parents: a group without a row of its own sits at the top, weight 1.
Status linkParents(Building& b) {
    Structure& structure = b.structure;
    for (std::size_t r = 0; r < b.sheet.rows.size(); ++r) {
        const StructureRow& row = b.sheet.rows[r];
        QString key = nameKey(row.parent);
        if (key.isEmpty())
            continue;
        if (const int indicator = b.indicatorOf.value(key, -1); indicator >= 0)
            return refusal(atRow(row.row) +
                           QCoreApplication::translate(
                               "Framework", "il padre di %1 è l'indicatore %2: un indicatore non "
                                            "può contenere elementi.")
                               .arg(structure.elements[r].name,
                                    b.indicatorNames[std::size_t(indicator)].trimmed()));
        int& slot = b.elementOf[std::move(key)];
        if (!slot) {
            StructureElement group;
            group.name = row.parent;
            structure.elements.push_back(std::move(group));
            slot = int(structure.elements.size());
        }
        const int parent = slot - 1;
        structure.elements[r].parent = parent;
        structure.elements[std::size_t(parent)].children.push_back(int(r));
    }
    return {};
}

// Cycles, then levels: the first row whose element is its own ancestor,
// else the first row beyond the deepest level. Groups without a row sit at
// the top, so every cycle runs through rows. Then an element that is no
// indicator and holds nothing (a misspelt name, perhaps), and an indicator
// no row lists.
Status checkShape(const Building& b) {
    const Structure& structure = b.structure;
    const std::vector<StructureRow>& rows = b.sheet.rows;
    const Levels levels = levelsOf(structure);
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (levels.inCycle[r])
            return refusal(atRow(rows[r].row) +
                           QCoreApplication::translate(
                               "Framework", "%1 è contenuto in se stesso, attraverso i suoi "
                                            "gruppi.")
                               .arg(structure.elements[r].name));
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (levels.level[r] > kMaxStructureLevels)
            return refusal(atRow(rows[r].row) +
                           QCoreApplication::translate(
                               "Framework", "%1 è al livello %2 della struttura, che ne può avere "
                                            "al massimo %3.")
                               .arg(structure.elements[r].name)
                               .arg(levels.level[r])
                               .arg(kMaxStructureLevels));
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (structure.elements[r].isGroup() && structure.elements[r].children.empty())
            return refusal(
                atRow(rows[r].row) +
                QCoreApplication::translate(
                    "Framework", "%1 non è una colonna della matrice né un gruppo con elementi.")
                    .arg(structure.elements[r].name));
    for (std::size_t j = 0; j < b.indicatorNames.size(); ++j)
        if (!b.listed[j])
            return refusal(QCoreApplication::translate(
                               "Framework", "Struttura: l'indicatore %1 della matrice non è nella "
                                            "struttura.")
                               .arg(b.indicatorNames[j].trimmed()));
    return {};
}

// A goalpost or target of a row: none when empty, else a finite number.
Expected<std::optional<double>> boundOf(const StructureRow& row, const CellValue& cell,
                                        const QString& column, const QString& name,
                                        const Regional& regional) {
    if (cell.equalsEmptyText())
        return std::optional<double>();
    const std::optional<double> value = regional.numberOf(cell);
    if (value && std::isfinite(*value))
        return value;
    return refusal(atRow(row.row) +
                   QCoreApplication::translate("Framework", "%1 di %2 (%3) non è un numero.")
                       .arg(column, name, regional.generalText(cell)));
}

// What composites read of each row: goalposts, target and transformation
// on an indicator's row, an aggregation on a group's; refused on the other.
Status readCompositeColumns(Building& b, const Regional& regional) {
    for (std::size_t r = 0; r < b.sheet.rows.size(); ++r) {
        const StructureRow& row = b.sheet.rows[r];
        StructureElement& element = b.structure.elements[r];
        const std::pair<QString, bool> given[] = {
            {QStringLiteral("Minimo"), !row.minimum.equalsEmptyText()},
            {QStringLiteral("Massimo"), !row.maximum.equalsEmptyText()},
            {QStringLiteral("Obiettivo"), !row.target.equalsEmptyText()},
            {QStringLiteral("Trasformazione"), !row.transformation.isEmpty()},
            {QStringLiteral("Aggregazione"), !row.aggregation.isEmpty()}};
        for (std::size_t c = 0; c < std::size(given); ++c) {
            const bool forGroups = c == 4;
            if (given[c].second && forGroups != element.isGroup())
                return refusal(
                    atRow(row.row) +
                    (forGroups ? QCoreApplication::translate(
                                     "Framework", "%1 è un indicatore: la colonna %2 vale solo "
                                                  "per i gruppi.")
                               : QCoreApplication::translate(
                                     "Framework", "%1 è un gruppo: la colonna %2 vale solo per "
                                                  "gli indicatori."))
                        .arg(element.name, given[c].first));
        }
        element.aggregation = row.aggregation;
        if (!row.transformation.isEmpty() &&
            row.transformation.compare(QStringLiteral("log"), Qt::CaseInsensitive) != 0)
            return refusal(atRow(row.row) + QCoreApplication::translate(
                                                "Framework",
                                                "la trasformazione di %1 (%2) non è ammessa: la "
                                                "colonna Trasformazione è vuota o log.")
                                                .arg(element.name, row.transformation));
        element.logarithm = !row.transformation.isEmpty();
        std::optional<double>* const bounds[] = {&element.minimum, &element.maximum,
                                                 &element.target};
        const CellValue* const cells[] = {&row.minimum, &row.maximum, &row.target};
        for (std::size_t c = 0; c < 3; ++c) {
            Expected<std::optional<double>> bound =
                boundOf(row, *cells[c], given[c].first, element.name, regional);
            if (!bound)
                return std::move(bound).error();
            *bounds[c] = *bound;
        }
    }
    return {};
}

// The refusal of a group whose elements all weigh 0.
Failure allZero(const StructureElement& group) {
    const QString where =
        group.row > 0 ? atRow(group.row) : QCoreApplication::translate("Framework", "Struttura: ");
    return refusal(where + QCoreApplication::translate(
                               "Framework", "gli elementi del gruppo %1 hanno tutti peso 0.")
                               .arg(group.name));
}

// Weights relative to the largest sibling's: their sum never overflows,
// whatever the weights written. False when every element weighs 0.
bool scaleToLargest(Structure& structure, const std::vector<int>& elements) {
    double largest = 0.0;
    for (const int e : elements)
        largest = std::max(largest, structure.elements[std::size_t(e)].weight);
    if (largest == 0.0)
        return false;
    for (const int e : elements)
        structure.elements[std::size_t(e)].weight /= largest;
    return true;
}

// The overall index: the one group at the top, or a group over the top
// elements.
Status addOverallIndex(Structure& structure) {
    std::vector<int> top;
    for (std::size_t e = 0; e < structure.elements.size(); ++e)
        if (structure.elements[e].parent < 0)
            top.push_back(int(e));
    if (top.size() == 1 && structure.elements[std::size_t(top.front())].isGroup()) {
        structure.root = top.front();
        return {};
    }
    StructureElement overall;
    overall.name = overallIndexName();
    overall.children = top;
    structure.root = int(structure.elements.size());
    for (const int e : top)
        structure.elements[std::size_t(e)].parent = structure.root;
    if (!scaleToLargest(structure, top))
        return allZero(overall);
    structure.elements.push_back(std::move(overall));
    return {};
}

// The groups in the order of their first mention: each row's element
// before its parent.
void listGroups(Structure& structure, std::size_t rows) {
    std::vector<char> mentioned(structure.elements.size(), 0);
    const auto mention = [&](int e) {
        if (e < 0 || e == structure.root || mentioned[std::size_t(e)] ||
            !structure.elements[std::size_t(e)].isGroup())
            return;
        mentioned[std::size_t(e)] = 1;
        structure.groups.push_back(e);
    };
    for (std::size_t r = 0; r < rows; ++r) {
        mention(int(r));
        mention(structure.elements[r].parent);
    }
}

} // namespace

Expected<Structure> buildStructure(const StructureSheet& sheet,
                                   const std::vector<QString>& indicatorNames,
                                   const Regional& regional, const std::vector<int>& columns) {
    Expected<QHash<QString, int>> indicatorOf = indicatorKeys(indicatorNames, columns);
    if (!indicatorOf)
        return std::move(indicatorOf).error();
    Building b{sheet, indicatorNames, std::move(*indicatorOf), {}, {}, {}};
    b.structure.source = sheet.source;
    if (Status added = addRowElements(b, regional); !added)
        return std::move(added).error();
    if (Status linked = linkParents(b); !linked)
        return std::move(linked).error();
    if (Status shaped = checkShape(b); !shaped)
        return std::move(shaped).error();
    if (Status read = readCompositeColumns(b, regional); !read)
        return std::move(read).error();
    Structure& structure = b.structure;
    for (StructureElement& element : structure.elements)
        if (element.isGroup() && !scaleToLargest(structure, element.children))
            return allZero(element);
    if (Status overall = addOverallIndex(structure); !overall)
        return std::move(overall).error();
    listGroups(structure, sheet.rows.size());
    return std::move(b.structure);
}
