#include "ui/processing/structuretree.h"

#include <QCoreApplication>
#include <QPalette>
#include <QTreeWidget>

#include <utility>
#include <vector>

void fillStructureTree(QTreeWidget& tree, const Structure& structure, const Regional& regional) {
    tree.clear();
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
            for (int column = 0; column < 3; ++column)
                row->setForeground(column, leftOut);
        }
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
    const int room = tree.viewport()->width() - tree.columnWidth(1) - tree.columnWidth(2);
    if (room > 120 && tree.columnWidth(0) > room)
        tree.setColumnWidth(0, room);
}
