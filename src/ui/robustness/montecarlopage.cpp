#include "ui/robustness/montecarlopage.h"

#include "composite/compositespec.h"
#include "robustness/montecarlotables.h"
#include "ui/charts/rankintervalchart.h"
#include "ui/charts/sobolchart.h"
#include "ui/grid/analysistablemodel.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/platform/notelabel.h"
#include "ui/platform/windowsetup.h"
#include "ui/robustness/pagewidgets.h"
#include "ui/robustness/totalindexmodel.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace {

// The Monte Carlo's figures in the shape the rank-interval chart draws.
RankUncertainty asUncertainty(const MonteCarloResult& result, const QString& corner,
                              const QStringList& labels) {
    RankUncertainty shape;
    shape.rankings = result.rankings;
    shape.corner = corner;
    shape.labels = labels;
    for (const MonteCarloUnit& unit : result.units)
        shape.units.push_back(
            {unit.nominal, unit.median, unit.p5, unit.p95, unit.best, unit.worst});
    return shape;
}

} // namespace

MonteCarloPage::MonteCarloPage(AnalysisTableModel* table, TotalIndexModel* unitTotals,
                               const ChartButtons& chartButtons, QWidget* parent)
    : QWidget(parent), m_table(table), m_unitTotals(unitTotals) {
    auto* left = new QVBoxLayout;
    left->addWidget(settingsBox());
    QHBoxLayout* columns = buildViews(chartButtons);
    left->addWidget(m_controls.grid, 1);
    columns->insertLayout(0, left, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_controls.note);
    layout->addLayout(columns, 1);
}

QGroupBox* MonteCarloPage::settingsBox() {
    MonteCarloControls& c = m_controls;
    const auto checkBox = [this](const QString& name, const QString& text, bool checked) {
        auto* box = new QCheckBox(text, this);
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
    c.weights = new QDoubleSpinBox(this);
    c.weights->setObjectName(QStringLiteral("spnMCPesi"));
    c.weights->setRange(0.0, 1.0);
    c.weights->setSingleStep(0.05);
    c.weights->setDecimals(2);
    c.weights->setValue(0.25);
    c.weights->setToolTip(tr("Ogni peso moltiplicato per un fattore uniforme in [1 - F, 1 + F]; "
                             "0: pesi fissi"));
    makeCompositeFactorEdits();
    c.runs = new QSpinBox(this);
    c.runs->setObjectName(QStringLiteral("spnMCEstrazioni"));
    c.runs->setRange(10, 1000000);
    c.runs->setValue(1000);
    c.seed = new QSpinBox(this);
    c.seed->setObjectName(QStringLiteral("spnMCSeme"));
    c.seed->setRange(0, std::numeric_limits<int>::max());
    c.seed->setValue(1);
    c.compute = pageComputeButton(QStringLiteral("cmdMonteCarlo"),
                                  tr("Estrae le scelte incerte, calcola una graduatoria per "
                                     "estrazione e salva le tabelle accanto alla matrice"),
                                  this);
    c.note = pageNote(QStringLiteral("lblMonteCarlo"), this);

    auto* settings = new QFormLayout;
    settings->addRow(c.methods);
    settings->addRow(tr("Variazione dei &pesi (F):"), c.weights);
    settings->addRow(c.leaveOut);
    settings->addRow(c.outliers);
    settings->addRow(c.missing);
    settings->addRow(tr("&Normalizzazioni:"), c.normalisations);
    settings->addRow(tr("&Aggregazioni:"), c.aggregations);
    settings->addRow(tr("&Estrazioni:"), c.runs);
    settings->addRow(tr("&Seme:"), c.seed);
    settings->addRow(c.sobol);
    settings->addRow(c.compute);
    auto* box = new QGroupBox(tr("Fattori d'incertezza"), this);
    box->setLayout(settings);
    return box;
}

void MonteCarloPage::makeCompositeFactorEdits() {
    MonteCarloControls& c = m_controls;
    const auto codeList = [this](const QString& name, const QString& tip) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setToolTip(tip);
        edit->setEnabled(false);
        return edit;
    };
    c.normalisations = codeList(QStringLiteral("txtMCNormalizzazioni"),
                                tr("Per i metodi personalizzati: le normalizzazioni estratte "
                                   "oltre alla propria, separate da virgole (%1)")
                                    .arg(normalisationCodes()));
    c.aggregations = codeList(QStringLiteral("txtMCAggregazioni"),
                              tr("Per i metodi personalizzati: le aggregazioni estratte oltre "
                                 "alla propria, separate da virgole (%1)")
                                  .arg(aggregationCodes()));
}

QHBoxLayout* MonteCarloPage::buildViews(const ChartButtons& chartButtons) {
    MonteCarloControls& c = m_controls;
    c.grid = pageGrid(QStringLiteral("msfMonteCarlo"), m_table, this);
    c.grid->enableSorting();
    c.intervals = new RankIntervalChart(m_table->regional(), this);
    c.intervals->view()->setObjectName(QStringLiteral("graficoMCIntervalli"));
    c.indices = pageChartView(QStringLiteral("graficoSobol"), this);
    c.unitTotals = pageGrid(QStringLiteral("msfSobolUnita"), m_unitTotals, this);
    c.unitTotals->enableSorting();

    auto* intervalsBox = new QVBoxLayout;
    intervalsBox->addWidget(chartButtons(c.intervals->view(), ChartFile::MonteCarlo, this), 0,
                            Qt::AlignRight);
    intervalsBox->addWidget(c.intervals, 1);
    plainImages(c.intervals);
    auto* indicesBox = new QVBoxLayout;
    indicesBox->addWidget(chartButtons(c.indices, ChartFile::Sobol, this), 0, Qt::AlignRight);
    // The chart above the grid, high enough for its axis titles, legend
    // and note.
    c.indices->setMinimumHeight(320);
    indicesBox->addWidget(c.indices, 3);
    indicesBox->addWidget(gridFrame(QStringLiteral("frmSobolUnita"),
                                    tr("Indice totale di ogni fattore sul rango di ogni unità"),
                                    c.unitTotals, this),
                          2);
    auto* columns = new QHBoxLayout;
    columns->addLayout(intervalsBox, 3);
    columns->addLayout(indicesBox, 3);
    return columns;
}

void MonteCarloPage::offerCompositeFactors(bool offered) {
    m_controls.normalisations->setEnabled(offered);
    m_controls.aggregations->setEnabled(offered);
}

Expected<MonteCarloChoices>
MonteCarloPage::choices(const std::vector<MethodPosition>& positions, std::size_t composites,
                        const std::function<std::vector<MissingTreatment>()>& missingLevels) const {
    const MonteCarloControls& c = m_controls;
    MonteCarloChoices choices;
    MonteCarloSetup& setup = choices.setup;
    // Without the method as a factor, the first compared one alone.
    setup.methods = c.methods->isChecked() || positions.empty()
                        ? positions
                        : std::vector<MethodPosition>{positions.front()};
    const std::size_t drawn = c.methods->isChecked() ? positions.size() + composites
                              : positions.empty()    ? std::min<std::size_t>(composites, 1)
                                                     : 1;
    if (composites > 0 && c.normalisations->isEnabled()) {
        Expected<std::vector<Normalisation>> normalisations =
            listedNormalisations(c.normalisations->text());
        if (!normalisations)
            return std::move(normalisations).error();
        setup.normalisations = std::move(*normalisations);
        Expected<std::vector<Aggregation>> aggregations =
            listedAggregations(c.aggregations->text());
        if (!aggregations)
            return std::move(aggregations).error();
        setup.aggregations = std::move(*aggregations);
    }
    setup.weightSpread = c.weights->value();
    setup.leaveOut = c.leaveOut->isChecked();
    choices.outliersFactor = c.outliers->isChecked();
    setup.runs = c.runs->value();
    setup.seed = std::uint64_t(c.seed->value());
    setup.sobol = c.sobol->isChecked();
    if (c.missing->isChecked())
        choices.missing = missingLevels();
    if (drawn < 2 && setup.weightSpread <= 0.0 && !setup.leaveOut && !choices.outliersFactor &&
        choices.missing.empty() && setup.normalisations.empty() && setup.aggregations.empty())
        return failure(FailureKind::Usage,
                       tr("Scegliere almeno un fattore d'incertezza: più metodi, "
                          "una variazione dei pesi, l'esclusione di un "
                          "indicatore, il trattamento degli anomali o quello "
                          "dei valori mancanti."));
    return choices;
}

void MonteCarloPage::show(const MonteCarloResult& result, bool sobol, const Matrix& matrix,
                          const Regional& regional) {
    const MonteCarloControls& c = m_controls;
    const QString corner = regional.generalText(matrix.corner);
    QStringList labels;
    for (const CellValue& unit : matrix.units)
        labels.append(regional.generalText(unit));
    // The grid shares the rank figures of the units alone.
    auto shown = std::make_shared<MonteCarloResult>();
    shown->units = result.units;
    shown->rankings = result.rankings;
    m_table->setTable(monteCarloCells(std::move(shown), corner, labels, regional));
    fitColumnsAnswering(*c.grid);
    c.intervals->setUncertainty(asUncertainty(result, corner, labels));
    QChart* old = c.indices->chart();
    c.indices->setChart(sobol ? sobolChart(result, regional) : new QChart);
    delete old;
    if (sobol) {
        // The grid shares the total indices alone.
        auto totals = std::make_shared<MonteCarloResult>();
        totals->factors = result.factors;
        totals->unitTotals = result.unitTotals;
        m_unitTotals->setTable(sobolUnitsCells(std::move(totals), corner, labels, regional));
    } else
        m_unitTotals->clear();
    fitColumnsAnswering(*c.unitTotals);

    QStringList factors;
    for (const MonteCarloFactor factor : result.factors)
        factors.append(monteCarloFactorShownName(factor));
    QStringList notes{tr("%1 graduatorie per unità; fattori: %2.")
                          .arg(result.rankings)
                          .arg(factors.join(QStringLiteral(", ")))};
    if (result.skipped > 0)
        notes.append(tr("%1 estrazioni scartate: un metodo non ha accettato la matrice.")
                         .arg(result.skipped));
    if (const QString lacking = lackingUnitsNote(result); !lacking.isEmpty())
        notes.append(lacking);
    c.note->setText(notes.join(u'\n'));
}
