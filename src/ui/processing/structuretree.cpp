#include "ui/processing/structuretree.h"

#include <QCoreApplication>
#include <QPalette>
#include <QTreeWidget>

#include <optional>
#include <utility>
#include <vector>

namespace {

// The columns a structure may add for composites, each with what it shows
// of an element; a column is shown when some element has a value in it.
struct CompositeColumn {
    const char* header;
    QString (*text)(const StructureElement&, const Regional&);
};

QString numberText(const std::optional<double>& value, const Regional& regional) {
    return value ? regional.generalText(CellValue(*value)) : QString();
}

const CompositeColumn kCompositeColumns[] = {
    {QT_TRANSLATE_NOOP("IndiceMP", "Minimo"),
     [](const StructureElement& e, const Regional& r) { return numberText(e.minimum, r); }},
    {QT_TRANSLATE_NOOP("IndiceMP", "Massimo"),
     [](const StructureElement& e, const Regional& r) { return numberText(e.maximum, r); }},
    {QT_TRANSLATE_NOOP("IndiceMP", "Obiettivo"),
     [](const StructureElement& e, const Regional& r) { return numberText(e.target, r); }},
    {QT_TRANSLATE_NOOP("IndiceMP", "Trasformazione"),
     [](const StructureElement& e, const Regional&) {
         return e.logarithm ? QStringLiteral("log") : QString();
     }},
    {QT_TRANSLATE_NOOP("IndiceMP", "Aggregazione"),
     [](const StructureElement& e, const Regional&) { return e.aggregation; }},
};

// The headers of the tree: the name and the two weights, then the
// composites' columns the structure fills; *shown gets those columns.
QStringList treeHeaders(const Structure& structure, const Regional& regional,
                        std::vector<const CompositeColumn*>* shown) {
    QStringList headers{QCoreApplication::translate("IndiceMP", "Elemento"),
                        QCoreApplication::translate("IndiceMP", "Peso"),
                        QCoreApplication::translate("IndiceMP", "Peso effettivo")};
    for (const CompositeColumn& column : kCompositeColumns)
        for (const StructureElement& e : structure.elements)
            if (!column.text(e, regional).isEmpty()) {
                shown->push_back(&column);
                headers.append(QCoreApplication::translate("IndiceMP", column.header));
                break;
            }
    return headers;
}

} // namespace

void fillStructureTree(QTreeWidget& tree, const Structure& structure, const Regional& regional) {
    tree.clear();
    std::vector<const CompositeColumn*> extra;
    tree.setHeaderLabels(treeHeaders(structure, regional, &extra));
    tree.setColumnCount(3 + int(extra.size()));
    if (structure.root < 0)
        return;
    const QBrush leftOut = tree.palette().brush(QPalette::Disabled, QPalette::Text);
    const std::vector<double> effectiveWeights = structure.effectiveWeights();
    const auto item = [&](int element, QTreeWidgetItem* parent) {
        const StructureElement& e = structure.elements[std::size_t(element)];
        auto* row = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(&tree);
        row->setText(0, e.name);
        row->setToolTip(0, e.name);
        if (element != structure.root)
            row->setText(1, regional.generalText(CellValue(e.writtenWeight)));
        const double effective = effectiveWeights[std::size_t(element)];
        if (effective > 0.0) {
            row->setText(2, regional.locale().toString(effective, 'f', 6));
        } else {
            row->setText(2, QCoreApplication::translate("IndiceMP", "escluso"));
            row->setToolTip(2, QCoreApplication::translate(
                                   "IndiceMP", "Peso 0: escluso dal calcolo degli indici"));
            for (int column = 0; column < tree.columnCount(); ++column)
                row->setForeground(column, leftOut);
        }
        for (std::size_t k = 0; k < extra.size(); ++k)
            row->setText(3 + int(k), extra[k]->text(e, regional));
        for (int column = 1; column < 3; ++column)
            row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        return row;
    };
    // Depth first from the overall index, each group's children in order.
    std::vector<std::pair<int, QTreeWidgetItem*>> pending{{structure.root, nullptr}};
    while (!pending.empty()) {
        const auto [element, parent] = pending.back();
        pending.pop_back();
        QTreeWidgetItem* row = item(element, parent);
        const std::vector<int>& children = structure.elements[std::size_t(element)].children;
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            pending.emplace_back(*child, row);
    }
    tree.expandAll();
    // The names whole when the tree has room for them beside the weights;
    // else as wide as it allows, each whole in its tooltip.
    tree.resizeColumnToContents(0);
    int room = tree.viewport()->width();
    for (int column = 1; column < tree.columnCount(); ++column)
        room -= tree.columnWidth(column);
    if (room > 120 && tree.columnWidth(0) > room)
        tree.setColumnWidth(0, room);
}
