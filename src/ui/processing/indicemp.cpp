#include "ui/processing/indicemp.h"

#include "methods/metodi.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/grid/tablemodel.h"
#include "ui/platform/busycursor.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/memoryguard.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kTitolo = QStringLiteral("Orvalta");

QGroupBox* viewFrame(const QString& name, const QString& title, const QStringList& options,
                     QButtonGroup* group, QWidget* parent) {
    auto* frame = new QGroupBox(title, parent);
    frame->setObjectName(name);
    auto* layout = new QHBoxLayout(frame);
    layout->setContentsMargins(8, 4, 8, 4);
    const QString optionName = name == QStringLiteral("frmTipo")
                                   ? QStringLiteral("optTipo")
                                   : QStringLiteral("optTipoRisultato");
    for (int i = 0; i < options.size(); ++i) {
        auto* option = new QRadioButton(options.at(i), frame);
        option->setObjectName(optionName + QString::number(i));
        group->addButton(option, i);
        layout->addWidget(option);
    }
    group->button(0)->setChecked(true);
    return frame;
}

QGroupBox* gridFrame(const QString& name, const QString& title, GridView* grid, QWidget* parent) {
    auto* frame = new QGroupBox(title, parent);
    frame->setObjectName(name);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(grid);
    return frame;
}

} // namespace

IndiceMP::IndiceMP(SharedState& state, Dialogs& dialogs, const Regional& regional,
                   MatrixLoader loader, QWidget* parent)
    : QDialog(parent), m_state(state), m_dialogs(dialogs), m_regional(regional),
      m_loader(std::move(loader)),
      m_datiModel(new TableModel(m_regional, TableModel::Format::Fixed4, this)),
      m_risultatiModel(new TableModel(m_regional, TableModel::Format::General, this)) {
    if (!m_loader) {
        m_loader = [this](SharedState& s) { return carica_matrice(s, m_regional); };
    }
    costruisci();
}

IndiceMP::~IndiceMP() = default;

void IndiceMP::costruisci() {
    setObjectName(QStringLiteral("IndiceMP"));
    setWindowTitle(kTitolo);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);

    // The strip along the top.
    m_cmdSelect = new QPushButton(QStringLiteral("Elaborazione automatica"), this);
    m_cmdSelect->setObjectName(QStringLiteral("cmdSelect"));
    m_cmdSelect->setAutoDefault(false);
    m_cmdSelect->setToolTip(QStringLiteral("Esegue i nove metodi uno dopo l'altro, "
                                           "nell'ordine dell'elenco"));

    m_lblMetodo = new QLabel(QStringLiteral("Metodo"), this);
    m_lblMetodo->setObjectName(QStringLiteral("lblMetodo"));
    m_cmbMetodo = new QComboBox(this);
    m_cmbMetodo->setObjectName(QStringLiteral("cmbMetodo"));
    for (const MethodInfo& method : methodTable())
        m_cmbMetodo->addItem(method.entryText);
    m_cmbMetodo->setPlaceholderText(QStringLiteral("Scegliere un metodo"));
    m_cmbMetodo->setCurrentIndex(-1);
    m_cmbMetodo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_cmbMetodo->setMaxVisibleItems(9);
    m_lblMetodo->setBuddy(m_cmbMetodo);

    m_optTipo = new QButtonGroup(this);
    m_frmTipo =
        viewFrame(QStringLiteral("frmTipo"), QStringLiteral("Visualizzazione matrice dei dati"),
                  {QStringLiteral("Sorgente"), QStringLiteral("Trasformata")}, m_optTipo, this);
    m_optTipoRisultato = new QButtonGroup(this);
    m_frmTipoRisultato = viewFrame(
        QStringLiteral("frmTipoRisultato"), QStringLiteral("Visualizzazione matrice dei risultati"),
        {QStringLiteral("Valori"), QStringLiteral("Graduatoria"), QStringLiteral("Ranghi")},
        m_optTipoRisultato, this);

    // The strip keeps its height while the view frames are hidden, so that
    // the grids do not move when they appear.
    for (QWidget* frame :
         {static_cast<QWidget*>(m_frmTipo), static_cast<QWidget*>(m_frmTipoRisultato)}) {
        QSizePolicy policy = frame->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        frame->setSizePolicy(policy);
    }
    auto* strip = new QHBoxLayout;
    strip->setSpacing(10);
    strip->addWidget(m_cmdSelect, 0, Qt::AlignVCenter);
    strip->addSpacing(6);
    strip->addWidget(m_lblMetodo, 0, Qt::AlignVCenter);
    strip->addWidget(m_cmbMetodo, 0, Qt::AlignVCenter);
    strip->addSpacing(6);
    strip->addWidget(m_frmTipo);
    strip->addWidget(m_frmTipoRisultato);
    strip->addStretch(1);

    // The two grids side by side.
    m_msfMatrice = new GridView(this);
    m_msfMatrice->setObjectName(QStringLiteral("msfMatrice"));
    m_msfMatrice->setGridModel(m_datiModel);
    m_msfRisultati = new GridView(this);
    m_msfRisultati->setObjectName(QStringLiteral("msfRisultati"));
    m_msfRisultati->setGridModel(m_risultatiModel);

    m_frmMatrice = gridFrame(QStringLiteral("frmMatrice"), QStringLiteral("Matrice dei dati"),
                             m_msfMatrice, this);
    m_frame1 = gridFrame(QStringLiteral("Frame1"), QStringLiteral("Matrice dei risultati"),
                         m_msfRisultati, this);
    m_suggerimento = new QLabel(QStringLiteral("Scegliere un metodo nell'elenco «Metodo» "
                                               "oppure avviare l'«Elaborazione automatica»."),
                                m_frame1);
    m_suggerimento->setContentsMargins(12, 0, 12, 0);
    m_suggerimento->setObjectName(QStringLiteral("lblSuggerimento"));
    m_suggerimento->setAlignment(Qt::AlignCenter);
    m_suggerimento->setWordWrap(true);
    m_suggerimento->setEnabled(false);
    m_frame1->layout()->addWidget(m_suggerimento);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_frmMatrice);
    m_splitter->addWidget(m_frame1);
    m_splitter->setStretchFactor(0, 3);
    m_splitter->setStretchFactor(1, 1);

    m_stbStato = new ClockStatusBar(m_regional.locale(), this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->setSpacing(6);
    layout->addLayout(strip);
    layout->addWidget(m_splitter, 1);
    layout->addWidget(m_stbStato);

    connect(m_cmdSelect, &QPushButton::clicked, this, &IndiceMP::cmdSelect_Click);
    connect(m_cmbMetodo, &QComboBox::activated, this, [this] { cmbMetodo_Click(); });
    connect(m_optTipo, &QButtonGroup::idClicked, this, &IndiceMP::optTipo_Click);
    connect(m_optTipoRisultato, &QButtonGroup::idClicked, this, &IndiceMP::optTipoRisultato_Click);
    connect(m_msfMatrice, &GridView::autosizeRequested, this,
            [this] { FG_AutosizeCols(*m_msfMatrice, -1, -1, false); });
    connect(m_msfRisultati, &GridView::autosizeRequested, this,
            [this] { FG_AutosizeCols(*m_msfRisultati, -1, -1, false); });
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { m_splitterMosso = true; });

    const QRect screen =
        this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1400, 900);
    resize(std::min(1280, screen.width() * 9 / 10), std::min(800, screen.height() * 9 / 10));
}

bool IndiceMP::carica() {
    m_lblMetodo->hide();
    m_cmbMetodo->hide();
    m_frmTipo->hide();
    m_frmTipoRisultato->hide();
    mostraRisultati(false);
    m_msfMatrice->hide();
    // The grids forget the old tables before the loader replaces them.
    m_datiModel->clear();
    m_risultatiModel->clear();

    LoadResult result;
    {
        BusyCursor busy;
        if (!azioneConMemoria(m_dialogs, QStringLiteral("caricare la matrice"),
                              [&] { result = m_loader(m_state); }))
            return false;
    }
    switch (result.status) {
    case LoadResult::Status::Refused:
        m_dialogs.message(result.message, kTitolo, Dialogs::Icon::None);
        m_dialogs.endProgram();
        return false;
    case LoadResult::Status::FileError:
        m_dialogs.message(result.message, kTitolo, Dialogs::Icon::Critical);
        return false;
    case LoadResult::Status::Loaded:
        break;
    }

    {
        BusyCursor busy;
        optTipo_Click(0);
    }
    m_optTipo->button(0)->setChecked(true);
    m_optTipoRisultato->button(0)->setChecked(true);
    m_cmbMetodo->setCurrentIndex(-1);
    m_ultimoEseguito = -1;
    m_stbStato->setPanelText(QStringLiteral("Indice Sintetico ") + m_state.strMatrice);
    m_lblMetodo->show();
    m_cmbMetodo->show();
    m_msfMatrice->show();
    return true;
}

IndiceMP::RunOutcome IndiceMP::cmbMetodo_Click() {
    const int position = m_cmbMetodo->currentIndex();
    if (position < 0)
        return RunOutcome::NotRun;
    const QString entry = m_cmbMetodo->itemText(position);

    MethodRunResult result;
    bool memoria = true;
    {
        BusyCursor busy;
        memoria = azioneConMemoria(
            m_dialogs, QStringLiteral("eseguire il metodo %1").arg(methodCode(entry)), [&] {
                result = m_runner.run(m_state, position, entry, m_regional);
                if (result.done())
                    presenta();
            });
    }
    if (!memoria) {
        // The tables still hold the last completed run.
        m_cmbMetodo->setCurrentIndex(m_ultimoEseguito);
        return RunOutcome::NoMemory;
    }
    switch (result.status) {
    case MethodRunResult::Status::Done:
        m_ultimoEseguito = position;
        return RunOutcome::Done;
    case MethodRunResult::Status::Refused:
        m_dialogs.message(result.message, kTitolo, Dialogs::Icon::None);
        return RunOutcome::Refused;
    case MethodRunResult::Status::WriteFailed:
        break;
    }
    // The tables and grids still hold the last completed run: the list goes
    // back to that method, so that nothing shows the failed one as done.
    m_cmbMetodo->setCurrentIndex(m_ultimoEseguito);
    m_dialogs.message(QStringLiteral("Il metodo %1 non è stato eseguito: i file dei risultati "
                                     "non sono stati scritti.\n\n%2")
                          .arg(methodCode(entry), result.message),
                      kTitolo, Dialogs::Icon::Critical);
    return RunOutcome::WriteFailed;
}

void IndiceMP::presenta() {
    m_lblMetodo->show();
    m_cmbMetodo->show();
    m_frmTipo->show();
    m_frmTipoRisultato->show();
    mostraRisultati(true);
    m_msfMatrice->show();
    m_optTipo->button(0)->setChecked(true);
    m_optTipoRisultato->button(0)->setChecked(true);
    optTipo_Click(0);
    optTipoRisultato_Click(0);
}

void IndiceMP::cmdSelect_Click() {
    for (int i = 0; i < m_cmbMetodo->count(); ++i) {
        m_cmbMetodo->setCurrentIndex(i);
        const RunOutcome outcome = cmbMetodo_Click();
        if (outcome == RunOutcome::WriteFailed || outcome == RunOutcome::NoMemory) {
            // The same folder refuses every other method's files too, and
            // memory would run out again.
            break;
        }
    }
}

void IndiceMP::optTipo_Click(int index) {
    const Table& source = index == 0 ? m_state.matDati : m_state.matTrasformata;
    m_datiModel->setTable(&source, m_state.nRighe, m_state.nColonne, &m_state.matDati);
    FG_AutosizeCols(*m_msfMatrice, -1, -1, false);
}

void IndiceMP::optTipoRisultato_Click(int index) {
    const Table* source = &m_state.matValori;
    if (index == 0) {
        for (int r = 1; r <= m_state.nRighe; ++r) {
            m_state.matGraduatoria(r, 1) = m_state.matValori(r, 1);
            m_state.matGraduatoria(r, 2) = m_state.matValori(r, 2);
        }
    } else if (index == 1) {
        source = &m_state.matGraduatoria;
    } else {
        source = &m_state.matRanghi;
    }
    m_risultatiModel->setTable(source, m_state.nRighe, 2);
    FG_AutosizeCols(*m_msfRisultati, -1, -1, false);
    adattaRisultati();
}

void IndiceMP::mostraRisultati(bool visible) {
    m_msfRisultati->setVisible(visible);
    m_suggerimento->setVisible(!visible);
}

// Gives the results frame the width its two columns need, as long as the
// user has not moved the divider; the data grid keeps at least half.
void IndiceMP::adattaRisultati() {
    if (m_splitterMosso)
        return;
    const int total = m_splitter->width();
    if (total <= 0)
        return;
    const int grid = m_msfRisultati->gridColumnWidth(0) + m_msfRisultati->gridColumnWidth(1) +
                     m_msfRisultati->verticalScrollBar()->sizeHint().width() +
                     2 * m_msfRisultati->frameWidth() + 4;
    const QMargins margins = m_frame1->contentsMargins() + m_frame1->layout()->contentsMargins();
    const int wanted = grid + margins.left() + margins.right();
    const int results = std::clamp(wanted, 160, total / 2);
    m_splitter->setSizes({total - results - m_splitter->handleWidth(), results});
}
