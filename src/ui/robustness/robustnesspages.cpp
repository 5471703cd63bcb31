#include "ui/robustness/robustnesspages.h"

#include "ui/charts/chartactions.h"
#include "ui/charts/rankintervalchart.h"
#include "ui/grid/coefficientlegend.h"
#include "ui/grid/cograduationmodel.h"
#include "ui/grid/gridview.h"
#include "ui/grid/texttablemodel.h"
#include "ui/grid/unitsearchbox.h"
#include "ui/platform/windowsetup.h"
#include "ui/robustness/shiftmodel.h"
#include "ui/robustness/totalindexmodel.h"

#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
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
    pages->addTab(monteCarloPage(window, models, dialogs), tr("&Monte Carlo"));
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

QWidget* RobustnessPages::monteCarloPage(QWidget* window, const RobustnessModels& models,
                                         Dialogs& dialogs) {
    auto* page = new QWidget(window);
    MonteCarloControls& c = monteCarlo;
    const auto checkBox = [page](const QString& name, const QString& text, bool checked) {
        auto* box = new QCheckBox(text, page);
        box->setObjectName(name);
        box->setChecked(checked);
        return box;
    };
    c.methods =
        checkBox(QStringLiteral("chkMCMetodi"), tr("Metodo (tra quelli confrontati)"), true);
    c.leaveOut =
        checkBox(QStringLiteral("chkMCEscluso"), tr("Indicatore escluso (o nessuno)"), true);
    c.outliers =
        checkBox(QStringLiteral("chkMCAnomali"), tr("Trattamento degli anomali (sì o no)"), false);
    c.missing = checkBox(QStringLiteral("chkMCMancanti"),
                         tr("Trattamento dei valori mancanti (se la matrice ne ha)"), false);
    c.missing->setToolTip(tr("La matrice letta di nuovo con le sue lacune, trattate di volta in "
                             "volta sui valori disponibili, con la media, la mediana o l'EM"));
    c.sobol =
        checkBox(QStringLiteral("chkMCSobol"), tr("Indici di Sobol (disegno di Saltelli)"), false);
    c.weights = new QDoubleSpinBox(page);
    c.weights->setObjectName(QStringLiteral("spnMCPesi"));
    c.weights->setRange(0.0, 1.0);
    c.weights->setSingleStep(0.05);
    c.weights->setDecimals(2);
    c.weights->setValue(0.25);
    c.weights->setToolTip(tr("Ogni peso moltiplicato per un fattore uniforme in [1 - F, 1 + F]; "
                             "0: pesi fissi"));
    c.runs = new QSpinBox(page);
    c.runs->setObjectName(QStringLiteral("spnMCEstrazioni"));
    c.runs->setRange(10, 1000000);
    c.runs->setValue(1000);
    c.seed = new QSpinBox(page);
    c.seed->setObjectName(QStringLiteral("spnMCSeme"));
    c.seed->setRange(0, std::numeric_limits<int>::max());
    c.seed->setValue(1);
    c.compute = computeButton(QStringLiteral("cmdMonteCarlo"),
                              tr("Estrae le scelte incerte, calcola una graduatoria per "
                                 "estrazione e salva le tabelle accanto alla matrice"),
                              page);
    c.note = noteLabel(QStringLiteral("lblMonteCarlo"), page);

    auto* settings = new QFormLayout;
    settings->addRow(c.methods);
    settings->addRow(tr("Variazione dei &pesi (F):"), c.weights);
    settings->addRow(c.leaveOut);
    settings->addRow(c.outliers);
    settings->addRow(c.missing);
    settings->addRow(tr("&Estrazioni:"), c.runs);
    settings->addRow(tr("&Seme:"), c.seed);
    settings->addRow(c.sobol);
    settings->addRow(c.compute);
    auto* settingsBox = new QGroupBox(tr("Fattori d'incertezza"), page);
    settingsBox->setLayout(settings);

    c.grid = grid(QStringLiteral("msfMonteCarlo"), models.monteCarlo, page);
    c.grid->enableSorting();
    c.intervals = new RankIntervalChart(models.summary->regional(), page);
    c.intervals->view()->setObjectName(QStringLiteral("graficoMCIntervalli"));
    c.indices = chartView(QStringLiteral("graficoSobol"), page);
    c.unitTotals = grid(QStringLiteral("msfSobolUnita"), models.unitTotals, page);
    c.unitTotals->enableSorting();

    auto* left = new QVBoxLayout;
    left->addWidget(settingsBox);
    left->addWidget(c.grid, 1);
    auto* intervalsBox = new QVBoxLayout;
    intervalsBox->addWidget(chartButtons(c.intervals->view(), ChartFile::MonteCarlo, dialogs, page),
                            0, Qt::AlignRight);
    intervalsBox->addWidget(c.intervals, 1);
    plainImages(c.intervals);
    auto* indicesBox = new QVBoxLayout;
    indicesBox->addWidget(chartButtons(c.indices, ChartFile::Sobol, dialogs, page), 0,
                          Qt::AlignRight);
    // The chart above the grid, high enough for its axis titles, legend
    // and note.
    c.indices->setMinimumHeight(320);
    indicesBox->addWidget(c.indices, 3);
    indicesBox->addWidget(gridFrame(QStringLiteral("frmSobolUnita"),
                                    tr("Indice totale di ogni fattore sul rango di ogni unità"),
                                    c.unitTotals, page),
                          2);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 2);
    columns->addLayout(intervalsBox, 3);
    columns->addLayout(indicesBox, 3);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(c.note);
    layout->addLayout(columns, 1);
    return page;
}
