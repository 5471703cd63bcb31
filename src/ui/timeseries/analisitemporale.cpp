#include "ui/timeseries/analisitemporale.h"

#include "timeseries/ampifiles.h"
#include "timeseries/panelloader.h"
#include "ui/charts/ampichart.h"
#include "ui/charts/chartexport.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/windowsetup.h"
#include "ui/timeseries/ampimodel.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QVBoxLayout>

#include <set>

namespace {

QString titolo() {
    return QCoreApplication::translate("AnalisiTemporale", "Analisi temporale (AMPI)");
}

} // namespace

AnalisiTemporale::AnalisiTemporale(Dialogs& dialogs, const Regional& regional, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_regional(regional) {
    setupChildWindow(*this, QStringLiteral("AnalisiTemporale"));
    setWindowTitle(titolo());

    m_lblPeriodi = new QLabel(this);
    m_lblPeriodi->setObjectName(QStringLiteral("lblPeriodi"));
    m_cmbBase = new QComboBox(this);
    m_cmbBase->setObjectName(QStringLiteral("cmbBase"));
    auto* lblBase = new QLabel(tr("Periodo base:"), this);
    lblBase->setBuddy(m_cmbBase);
    m_optIndice = new QButtonGroup(this);
    QGroupBox* frmIndice = optionFrame(
        QStringLiteral("frmIndice"), tr("Indice"), QStringLiteral("optIndice"),
        {{0, QStringLiteral("AMPI+")}, {1, QStringLiteral("AMPI-")}}, m_optIndice, this);
    m_cmdEsporta = new QPushButton(tr("Esporta grafico..."), this);
    m_cmdEsporta->setObjectName(QStringLiteral("cmdEsporta"));

    auto* top = new QHBoxLayout;
    top->addWidget(m_lblPeriodi, 1);
    top->addWidget(lblBase);
    top->addWidget(m_cmbBase);
    top->addWidget(frmIndice);
    top->addWidget(m_cmdEsporta);

    m_valori = new AmpiModel(m_regional, this);
    m_ranghi = new TextTableModel(m_regional, this);
    m_msfValori = new GridView(this);
    m_msfValori->setObjectName(QStringLiteral("msfValori"));
    m_msfValori->setGridModel(m_valori);
    m_msfValori->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_msfValori->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_msfRanghi = new GridView(this);
    m_msfRanghi->setObjectName(QStringLiteral("msfRanghi"));
    m_msfRanghi->setGridModel(m_ranghi);
    m_grafico = new AmpiChart(this);

    auto* grids = new QSplitter(Qt::Horizontal, this);
    grids->addWidget(gridFrame(QStringLiteral("frmValori"),
                               tr("Valori per periodo (selezionare le unità da "
                                  "tracciare)"),
                               m_msfValori, grids));
    grids->addWidget(
        gridFrame(QStringLiteral("frmRanghi"), tr("Ranghi per periodo"), m_msfRanghi, grids));
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(grids);
    split->addWidget(m_grafico);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    m_stbStato = new ClockStatusBar(m_regional.locale(), this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    layout->addWidget(m_stbStato);
    m_lavoro = new BackgroundWork(this, m_stbStato);
    m_lavoro->setControls({m_cmbBase, frmIndice, m_cmdEsporta, m_msfValori, m_msfRanghi});

    connect(m_cmbBase, &QComboBox::activated, this, &AnalisiTemporale::cmbBase_Click);
    connect(m_optIndice, &QButtonGroup::idClicked, this, &AnalisiTemporale::optIndice_Click);
    connect(m_cmdEsporta, &QPushButton::clicked, this, &AnalisiTemporale::cmdEsporta_Click);
    connect(m_msfValori->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &AnalisiTemporale::aggiornaGrafico);
    fitToScreen(*this, QSize(1000, 760));
}

AnalisiTemporale::~AnalisiTemporale() = default;

bool AnalisiTemporale::piu() const {
    return m_optIndice->checkedId() != 1;
}

bool AnalisiTemporale::carica(const QString& workbook) {
    m_workbook = workbook;
    m_stbStato->setPanelText(titolo() + QStringLiteral(": "), workbook);
    LoadResult load;
    Panel panel;
    const Regional regional = m_regional;
    const auto run = m_lavoro->run(
        tr("Lettura dei periodi"),
        [&](WorkProgress& progress) { load = caricaPanel(workbook, regional, &panel, &progress); },
        true);
    if (run == BackgroundWork::Outcome::OutOfMemory) {
        m_dialogs.message(BackgroundWork::outOfMemoryText(tr("leggere i periodi")),
                          childWindowTitle(), Dialogs::Icon::Critical);
        return false;
    }
    if (load.status == LoadResult::Status::Cancelled)
        return false;
    if (!load.loaded()) {
        m_dialogs.message(load.message, childWindowTitle(), Dialogs::Icon::Critical);
        return false;
    }
    m_panel = std::move(panel);
    m_lblPeriodi->setText(tr("Periodi: %1 (%2 unità, %3 indicatori)")
                              .arg(m_panel.periods.join(QStringLiteral(", ")))
                              .arg(m_panel.unitCount())
                              .arg(m_panel.indicatorCount()));
    {
        const QSignalBlocker block(m_cmbBase);
        m_cmbBase->clear();
        m_cmbBase->addItems(m_panel.periods);
        m_cmbBase->setCurrentIndex(0);
    }
    return calcola(0);
}

bool AnalisiTemporale::calcola(int base) {
    QString error;
    AmpiResult result;
    std::vector<int> plus;
    std::vector<int> minus;
    const Regional regional = m_regional;
    const auto run = m_lavoro->run(tr("Calcolo dell'AMPI"), [&](WorkProgress&) {
        result = calcolaAmpi(m_panel, base);
        plus = ampiRanks(result.plus, m_panel.periodCount(), m_panel.unitCount());
        minus = ampiRanks(result.minus, m_panel.periodCount(), m_panel.unitCount());
        error = scriviFileAmpi(m_workbook, m_panel, result, plus, minus, regional);
    });
    if (run == BackgroundWork::Outcome::OutOfMemory) {
        m_dialogs.message(BackgroundWork::outOfMemoryText(tr("calcolare l'AMPI")),
                          childWindowTitle(), Dialogs::Icon::Critical);
        return false;
    }
    m_result = std::move(result);
    m_ranksPlus = std::move(plus);
    m_ranksMinus = std::move(minus);
    mostra();
    if (!error.isEmpty()) {
        m_dialogs.message(error, childWindowTitle(), Dialogs::Icon::Warning);
        m_stbStato->setPanelText(tr("File dell'AMPI non scritti"));
    } else {
        m_stbStato->setPanelText(tr("AMPI su base %1 scritto in ").arg(m_panel.periods[base]),
                                 QDir::toNativeSeparators(ampiValuesFile(m_workbook, true)));
    }
    return true;
}

void AnalisiTemporale::mostra() {
    const int periods = m_panel.periodCount();
    const int units = m_panel.unitCount();
    const std::vector<double>& values = piu() ? m_result.plus : m_result.minus;
    const std::vector<int>& ranks = piu() ? m_ranksPlus : m_ranksMinus;
    TextTable valori(units + 1, periods + 1);
    TextTable ranghi(units + 1, periods + 1);
    valori.setCell(0, 0, m_panel.corner);
    ranghi.setCell(0, 0, m_panel.corner);
    for (int u = 0; u < units; ++u) {
        valori.setCell(u + 1, 0, m_panel.units[u]);
        ranghi.setCell(u + 1, 0, m_panel.units[u]);
    }
    // Column by column, the order a text table fills fastest; the ranks as
    // whole numbers.
    for (int p = 0; p < periods; ++p) {
        const std::size_t first = std::size_t(p) * std::size_t(units);
        valori.setCell(0, p + 1, m_panel.periods[p]);
        for (int u = 0; u < units; ++u)
            valori.setCell(u + 1, p + 1, m_regional.indexText(values[first + std::size_t(u)]));
        ranghi.setCell(0, p + 1, m_panel.periods[p]);
        ranghi.setWholeNumbers(
            p + 1, std::vector<int>(ranks.begin() + std::ptrdiff_t(first),
                                    ranks.begin() + std::ptrdiff_t(first + std::size_t(units))));
    }
    const QList<QModelIndex> selected = m_msfValori->selectionModel()->selectedRows();
    m_valori->setTable(std::move(valori));
    m_ranghi->setTable(std::move(ranghi));
    FG_AutosizeCols(*m_msfValori, 0, periods, false);
    FG_AutosizeCols(*m_msfRanghi, 0, periods, false);
    // The rows chosen before stay chosen; at first the first unit is drawn.
    if (selected.isEmpty()) {
        m_msfValori->selectRow(0);
    } else {
        for (const QModelIndex& index : selected)
            m_msfValori->selectionModel()->select(index, QItemSelectionModel::Select |
                                                             QItemSelectionModel::Rows);
    }
    aggiornaGrafico();
}

void AnalisiTemporale::aggiornaGrafico() {
    std::set<int> rows;
    for (const QModelIndex& index : m_msfValori->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    const int units = m_panel.unitCount();
    const std::vector<double>& values = piu() ? m_result.plus : m_result.minus;
    QStringList names;
    std::vector<std::vector<double>> lines;
    for (const int u : rows) {
        if (u < 0 || u >= units)
            continue;
        names.append(m_panel.units[u]);
        std::vector<double> line;
        for (int p = 0; p < m_panel.periodCount(); ++p)
            line.push_back(values[std::size_t(p) * std::size_t(units) + std::size_t(u)]);
        lines.push_back(std::move(line));
    }
    m_grafico->show(tr("%1, base %2")
                        .arg(piu() ? QStringLiteral("AMPI+") : QStringLiteral("AMPI-"),
                             m_panel.periods.value(m_result.base)),
                    m_panel.periods, names, lines);
}

void AnalisiTemporale::cmbBase_Click() {
    if (m_cmbBase->currentIndex() >= 0 && m_cmbBase->currentIndex() != m_result.base)
        calcola(m_cmbBase->currentIndex());
}

void AnalisiTemporale::optIndice_Click() {
    mostra();
}

void AnalisiTemporale::cmdEsporta_Click() {
    const QString stem = m_workbook + (piu() ? QStringLiteral(".AMPI+") : QStringLiteral(".AMPI-"));
    askAndExport(m_grafico->view(), m_dialogs, stem + QStringLiteral(".png"));
}
