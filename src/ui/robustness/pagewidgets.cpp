#include "ui/robustness/pagewidgets.h"

#include "ui/charts/chartactions.h"
#include "ui/charts/rankintervalchart.h"
#include "ui/grid/gridview.h"

#include <QChartView>
#include <QCoreApplication>
#include <QPushButton>

GridView* pageGrid(const QString& name, GridModel* model, QWidget* parent) {
    auto* view = new GridView(parent);
    view->setObjectName(name);
    view->setGridModel(model);
    return view;
}

QChartView* pageChartView(const QString& name, QWidget* parent) {
    auto* view = new QChartView(parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

QPushButton* pageComputeButton(const QString& name, const QString& tip, QWidget* parent) {
    auto* button =
        new QPushButton(QCoreApplication::translate("RobustnessWindow", "Calcola"), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setToolTip(tip);
    return button;
}

void plainImages(RankIntervalChart* chart) {
    ChartActions::of(chart->view())->setImageDrawing([chart](bool drawing) {
        chart->setPlain(drawing);
    });
}
