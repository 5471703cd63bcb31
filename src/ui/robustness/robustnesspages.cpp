#include "ui/robustness/robustnesspages.h"

#include "ui/charts/chartexport.h"
#include "ui/charts/rankintervalchart.h"
#include "ui/grid/cograduationmodel.h"
#include "ui/grid/gridview.h"
#include "ui/grid/texttablemodel.h"
#include "ui/platform/windowsetup.h"
#include "ui/robustness/shiftmodel.h"

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

} // namespace

RobustnessPages::RobustnessPages(QWidget* window, const RobustnessModels& models, Dialogs& dialogs,
                                 const QString& workbook) {
    pages = new QTabWidget(window);
    pages->setObjectName(QStringLiteral("pagine"));
    pages->addTab(summaryPage(window, models), tr("&Ranghi"));
    pages->addTab(sensitivityPage(window, models), tr("&Sensibilità agli indicatori"));
    pages->addTab(uncertaintyPage(window, models, dialogs), tr("&Incertezza"));
    pages->addTab(chartsPage(window, dialogs, workbook), tr("&Grafici"));
}

QWidget* RobustnessPages::summaryPage(QWidget* window, const RobustnessModels& models) {
    auto* page = new QWidget(window);
    summaryGrid = grid(QStringLiteral("msfRiepilogo"), models.summary, page);
    kendallGrid = grid(QStringLiteral("msfKendall"), models.kendall, page);
    spearmanGrid = grid(QStringLiteral("msfSpearman"), models.spearman, page);
    summaryLabel = noteLabel(QStringLiteral("lblRiepilogo"), page);
    summaryGrid->horizontalHeader()->setSortIndicatorShown(true);
    summaryGrid->horizontalHeader()->setSectionsClickable(true);

    auto* matrices = new QHBoxLayout;
    matrices->addWidget(gridFrame(QStringLiteral("frmSpearman"), tr("Cograduazione (Spearman)"),
                                  spearmanGrid, page));
    matrices->addWidget(gridFrame(QStringLiteral("frmKendall"), tr("Kendall"), kendallGrid, page));
    auto* matricesWidget = new QWidget(page);
    matricesWidget->setLayout(matrices);
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
    intervalChart = new RankIntervalChart(page);
    addExportMenu(intervalChart->view(), dialogs, QString());
    auto* strip = new QHBoxLayout;
    strip->addWidget(uncertaintyButton);
    strip->addWidget(uncertaintyLabel, 1);
    strip->addWidget(exportButton(intervalChart->view(), QStringLiteral(".intervalli"), page));
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

QWidget* RobustnessPages::chartsPage(QWidget* window, Dialogs& dialogs, const QString& workbook) {
    auto* page = new QWidget(window);
    bumpChart = chartView(QStringLiteral("graficoRanghi"), window);
    addExportMenu(bumpChart, dialogs, workbook + QStringLiteral(".ranghi.png"));
    scatterChart = chartView(QStringLiteral("graficoDispersione"), window);
    addExportMenu(scatterChart, dialogs, workbook + QStringLiteral(".dispersione.png"));
    xAxisCombo = new QComboBox(page);
    xAxisCombo->setObjectName(QStringLiteral("cmbAsseX"));
    yAxisCombo = new QComboBox(page);
    yAxisCombo->setObjectName(QStringLiteral("cmbAsseY"));
    auto* left = new QVBoxLayout;
    auto* note = new QLabel(tr("Le unità selezionate nella pagina «Ranghi» sono "
                               "evidenziate."),
                            page);
    auto* bumpStrip = new QHBoxLayout;
    bumpStrip->addWidget(note, 1);
    bumpStrip->addWidget(exportButton(bumpChart, QStringLiteral(".ranghi"), page));
    left->addLayout(bumpStrip);
    left->addWidget(bumpChart, 1);
    auto* right = new QVBoxLayout;
    auto* scatterStrip = new QHBoxLayout;
    scatterStrip->addWidget(new QLabel(tr("Asse orizzontale:"), page));
    scatterStrip->addWidget(xAxisCombo);
    scatterStrip->addWidget(new QLabel(tr("verticale:"), page));
    scatterStrip->addWidget(yAxisCombo);
    scatterStrip->addStretch(1);
    scatterStrip->addWidget(exportButton(scatterChart, QStringLiteral(".dispersione"), page));
    right->addLayout(scatterStrip);
    right->addWidget(scatterChart, 1);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
    return page;
}

QPushButton* RobustnessPages::exportButton(QChartView* view, const QString& suffix,
                                           QWidget* parent) {
    auto* button = new QPushButton(tr("Esporta grafico..."), parent);
    button->setObjectName(QStringLiteral("cmdEsporta") + view->objectName());
    button->setAutoDefault(false);
    chartExports.push_back({button, view, suffix});
    return button;
}
