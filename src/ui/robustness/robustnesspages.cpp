#include "ui/robustness/robustnesspages.h"

#include "ui/charts/chartactions.h"
#include "ui/charts/rankintervalchart.h"
#include "ui/grid/coefficientlegend.h"
#include "ui/grid/cograduationmodel.h"
#include "ui/grid/gridview.h"
#include "ui/grid/texttablemodel.h"
#include "ui/grid/unitsearchbox.h"
#include "ui/platform/windowsetup.h"
#include "ui/robustness/montecarlopage.h"
#include "ui/robustness/shiftmodel.h"
#include "ui/robustness/totalindexmodel.h"

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

namespace {

QLabel* noteLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

GridView* grid(const QString& name, GridModel* model, QWidget* parent) {
    auto* view = new GridView(parent);
    view->setObjectName(name);
    view->setGridModel(model);
    return view;
}

QChartView* chartView(const QString& name, QWidget* parent) {
    auto* view = new QChartView(parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

QPushButton* computeButton(const QString& name, const QString& tip, QWidget* parent) {
    auto* button = new QPushButton(RobustnessPages::tr("Calcola"), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setToolTip(tip);
    return button;
}

// The images of an interval chart leave out the units highlighted on screen.
void plainImages(RankIntervalChart* chart) {
    ChartActions::of(chart->view())->setImageDrawing([chart](bool drawing) {
        chart->setPlain(drawing);
    });
}

} // namespace

RobustnessPages::RobustnessPages(QWidget* window, const RobustnessModels& models,
                                 Dialogs& dialogs) {
    pages = new QTabWidget(window);
    pages->setObjectName(QStringLiteral("pagine"));
    pages->addTab(summaryPage(window, models), tr("&Ranghi"));
    pages->addTab(sensitivityPage(window, models), tr("&Sensibilità agli indicatori"));
    pages->addTab(uncertaintyPage(window, models, dialogs), tr("&Incertezza"));
    pages->addTab(chartsPage(window, dialogs), tr("&Grafici"));
    monteCarlo = new MonteCarloPage(
        models.monteCarlo, models.unitTotals,
        [this, &dialogs](QChartView* view, ChartFile chart, QWidget* parent) {
            return chartButtons(view, chart, dialogs, parent);
        },
        window);
    pages->addTab(monteCarlo, tr("&Monte Carlo"));
    searchBox = new UnitSearchBox(pages);
    pages->setCornerWidget(searchBox, Qt::TopRightCorner);
}

QWidget* RobustnessPages::summaryPage(QWidget* window, const RobustnessModels& models) {
    auto* page = new QWidget(window);
    summaryGrid = grid(QStringLiteral("msfRiepilogo"), models.summary, page);
    kendallGrid = grid(QStringLiteral("msfKendall"), models.kendall, page);
    spearmanGrid = grid(QStringLiteral("msfSpearman"), models.spearman, page);
    summaryLabel = noteLabel(QStringLiteral("lblRiepilogo"), page);
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

QWidget* RobustnessPages::sensitivityPage(QWidget* window, const RobustnessModels& models) {
    auto* page = new QWidget(window);
    methodCombo = new QComboBox(page);
    methodCombo->setObjectName(QStringLiteral("cmbMetodo"));
    sensitivityButton = computeButton(QStringLiteral("cmdSensibilita"),
                                      tr("Ripete il metodo escludendo un indicatore alla "
                                         "volta e salva la tabella accanto alla matrice"),
                                      page);
    auto* label = new QLabel(tr("&Metodo:"), page);
    label->setBuddy(methodCombo);
    auto* strip = new QHBoxLayout;
    strip->addWidget(label);
    strip->addWidget(methodCombo);
    strip->addWidget(sensitivityButton);
    strip->addStretch(1);
    sensitivityGrid = grid(QStringLiteral("msfSensibilita"), models.sensitivity, page);
    sensitivityGrid->enableSorting();
    sensitivityLabel = noteLabel(QStringLiteral("lblSensibilita"), page);
    sensitivityLabel->setText(
        tr("Spostamento = rango senza l'indicatore - rango con tutti gli indicatori "
           "(negativo: l'unità sale in graduatoria)."));
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(strip);
    layout->addWidget(sensitivityLabel);
    layout->addWidget(sensitivityGrid, 1);
    return page;
}

QWidget* RobustnessPages::uncertaintyPage(QWidget* window, const RobustnessModels& models,
                                          Dialogs& dialogs) {
    auto* page = new QWidget(window);
    uncertaintyButton = computeButton(QStringLiteral("cmdIncertezza"),
                                      tr("Incrocia ogni metodo confrontato con ogni insieme "
                                         "di indicatori e salva la tabella"),
                                      page);
    uncertaintyLabel = noteLabel(QStringLiteral("lblIncertezza"), page);
    uncertaintyGrid = grid(QStringLiteral("msfIncertezza"), models.uncertainty, page);
    uncertaintyGrid->enableSorting();
    intervalChart = new RankIntervalChart(models.summary->regional(), page);
    auto* strip = new QHBoxLayout;
    strip->addWidget(uncertaintyButton);
    strip->addWidget(uncertaintyLabel, 1);
    strip->addWidget(chartButtons(intervalChart->view(), ChartFile::RankIntervals, dialogs, page));
    plainImages(intervalChart);
    auto* splitter = new QSplitter(Qt::Horizontal, page);
    splitter->addWidget(uncertaintyGrid);
    splitter->addWidget(intervalChart);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(strip);
    layout->addWidget(splitter, 1);
    return page;
}

QWidget* RobustnessPages::chartsPage(QWidget* window, Dialogs& dialogs) {
    auto* page = new QWidget(window);
    bumpChart = chartView(QStringLiteral("graficoRanghi"), window);
    scatterChart = chartView(QStringLiteral("graficoDispersione"), window);
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
