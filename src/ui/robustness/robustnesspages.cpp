#include "ui/robustness/robustnesspages.h"

#include "ui/charts/chartactions.h"
#include "ui/charts/rankintervalchart.h"
#include "ui/grid/analysistablemodel.h"
#include "ui/grid/coefficientlegend.h"
#include "ui/grid/cograduationmodel.h"
#include "ui/grid/gridview.h"
#include "ui/grid/unitsearchbox.h"
#include "ui/mappage/mappage.h"
#include "ui/platform/notelabel.h"
#include "ui/platform/windowsetup.h"
#include "ui/robustness/montecarlopage.h"
#include "ui/robustness/pagewidgets.h"
#include "ui/robustness/sensitivitypage.h"
#include "ui/robustness/shiftmodel.h"
#include "ui/robustness/totalindexmodel.h"
#include "ui/robustness/uncertaintypage.h"

#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

RobustnessPages::RobustnessPages(QWidget* window, const RobustnessModels& models,
                                 Dialogs& dialogs) {
    pages = new QTabWidget(window);
    pages->setObjectName(QStringLiteral("pagine"));
    pages->addTab(summaryPage(window, models), tr("&Ranghi"));
    const auto buttons = [this, &dialogs](QChartView* view, ChartFile chart, QWidget* parent) {
        return chartButtons(view, chart, dialogs, parent);
    };
    sensitivity = new SensitivityPage(models.sensitivity, window);
    pages->addTab(sensitivity, tr("&Sensibilità agli indicatori"));
    uncertainty = new UncertaintyPage(models.uncertainty, buttons, window);
    pages->addTab(uncertainty, tr("&Incertezza"));
    pages->addTab(chartsPage(window, dialogs), tr("&Grafici"));
    monteCarlo = new MonteCarloPage(models.monteCarlo, models.unitTotals, buttons, window);
    pages->addTab(monteCarlo, tr("&Monte Carlo"));
    map = new MapPage(dialogs, models.summary->regional(), window);
    pages->addTab(map, tr("M&appa"));
    searchBox = new UnitSearchBox(pages);
    pages->setCornerWidget(searchBox, Qt::TopRightCorner);
}

QWidget* RobustnessPages::summaryPage(QWidget* window, const RobustnessModels& models) {
    auto* page = new QWidget(window);
    summaryGrid = pageGrid(QStringLiteral("msfRiepilogo"), models.summary, page);
    kendallGrid = pageGrid(QStringLiteral("msfKendall"), models.kendall, page);
    spearmanGrid = pageGrid(QStringLiteral("msfSpearman"), models.spearman, page);
    summaryLabel = pageNote(QStringLiteral("lblRiepilogo"), page);
    summaryGrid->enableSorting();

    auto* matrices = new QHBoxLayout;
    matrices->addWidget(gridFrame(QStringLiteral("frmSpearman"), tr("Cograduazione (Spearman)"),
                                  spearmanGrid, page));
    matrices->addWidget(gridFrame(QStringLiteral("frmKendall"), tr("Kendall"), kendallGrid, page));
    auto* matricesWidget = new QWidget(page);
    auto* matricesLayout = new QVBoxLayout(matricesWidget);
    matricesLayout->setContentsMargins(0, 0, 0, 0);
    matricesLayout->addLayout(matrices, 1);
    auto* legend = new CoefficientLegend(matricesWidget);
    legend->setLocale(models.summary->regional().locale());
    matricesLayout->addWidget(legend);
    auto* splitter = new QSplitter(Qt::Vertical, page);
    splitter->addWidget(gridFrame(QStringLiteral("frmRiepilogo"),
                                  tr("Ranghi nei metodi confrontati (clic "
                                     "sull'intestazione per ordinare)"),
                                  summaryGrid, page));
    splitter->addWidget(matricesWidget);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(summaryLabel);
    layout->addWidget(splitter, 1);
    return page;
}

QWidget* RobustnessPages::chartsPage(QWidget* window, Dialogs& dialogs) {
    auto* page = new QWidget(window);
    bumpChart = pageChartView(QStringLiteral("graficoRanghi"), window);
    scatterChart = pageChartView(QStringLiteral("graficoDispersione"), window);
    xAxisCombo = new QComboBox(page);
    xAxisCombo->setObjectName(QStringLiteral("cmbAsseX"));
    yAxisCombo = new QComboBox(page);
    yAxisCombo->setObjectName(QStringLiteral("cmbAsseY"));
    auto* left = new QVBoxLayout;
    auto* note = new QLabel(tr("Le unità selezionate in una griglia o cercate per etichetta "
                               "sono evidenziate in ogni grafico."),
                            page);
    auto* bumpStrip = new QHBoxLayout;
    bumpStrip->addWidget(note, 1);
    bumpStrip->addWidget(chartButtons(bumpChart, ChartFile::Bump, dialogs, page));
    left->addLayout(bumpStrip);
    left->addWidget(bumpChart, 1);
    auto* right = new QVBoxLayout;
    auto* scatterStrip = new QHBoxLayout;
    scatterStrip->addWidget(new QLabel(tr("Asse orizzontale:"), page));
    scatterStrip->addWidget(xAxisCombo);
    scatterStrip->addWidget(new QLabel(tr("verticale:"), page));
    scatterStrip->addWidget(yAxisCombo);
    scatterStrip->addStretch(1);
    scatterStrip->addWidget(chartButtons(scatterChart, ChartFile::Scatter, dialogs, page));
    right->addLayout(scatterStrip);
    right->addWidget(scatterChart, 1);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
    return page;
}

QWidget* RobustnessPages::chartButtons(QChartView* view, ChartFile chart, Dialogs& dialogs,
                                       QWidget* parent) {
    auto* actions = new ChartActions(view, dialogs);
    auto* buttons = new QWidget(parent);
    auto* layout = new QHBoxLayout(buttons);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ChartActions::button(
        actions->exportAction(), QStringLiteral("cmdEsporta") + view->objectName(), buttons));
    layout->addWidget(ChartActions::button(
        actions->copyAction(), QStringLiteral("cmdCopia") + view->objectName(), buttons));
    chartExports.push_back({view, chart});
    return buttons;
}
