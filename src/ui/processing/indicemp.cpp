#include "ui/processing/indicemp.h"

#include "methods/metodi.h"
#include "record/outputrecorder.h"
#include "ui/audit/auditwindow.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/grid/rowselection.h"
#include "ui/grid/tablemodel.h"
#include "ui/grid/unitsearchbox.h"
#include "ui/mappage/mappage.h"
#include "ui/mappage/windowmaps.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/busycursor.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/failuremessage.h"
#include "ui/platform/hintlabel.h"
#include "ui/platform/mnemonics.h"
#include "ui/platform/windowmemory.h"
#include "ui/platform/windowsetup.h"
#include "ui/processing/compositesdialog.h"
#include "ui/processing/statetables.h"
#include "ui/report/resultsoutput.h"
#include "workbook/structuresheet.h"
#include "workflow/compositerun.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

IndiceMP::IndiceMP(SharedState& state, std::shared_ptr<Processing> processing, Dialogs& dialogs,
                   const Regional& regional, QWidget* parent)
    : QDialog(parent), m_state(state), m_processing(std::move(processing)), m_dialogs(dialogs),
      m_regional(regional), m_gapsChoices(*m_processing, dialogs, regional),
      m_dataModel(new TableModel(m_regional, TableModel::Format::Fixed4, this)),
      m_resultsModel(new TableModel(m_regional, TableModel::Format::General, this)),
      m_ui(this, m_dataModel, m_resultsModel),
      m_grids(m_state, *m_processing, m_ui, m_dataModel, m_resultsModel) {
    setupChildWindow(*this, QStringLiteral("IndiceMP"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->setSpacing(6);
    layout->addLayout(m_ui.strip);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pagine"));
    m_pages->addTab(m_ui.splitter, tr("Matrici"));
    m_map = new MapPage(m_dialogs, m_regional, m_pages);
    m_pages->addTab(m_map, tr("Mappa"));
    auto* search = new UnitSearchBox(m_pages);
    m_pages->setCornerWidget(search, Qt::TopRightCorner);
    connect(search, &UnitSearchBox::searchRequested, this, &IndiceMP::searchUnits);
    layout->addWidget(m_pages, 1);
    layout->addLayout(m_ui.stateRow);
    m_stbStato = new ClockStatusBar(m_regional.locale(), this);
    layout->addWidget(m_stbStato);
    m_work = new BackgroundWork(this, m_stbStato);
    m_runner = std::make_unique<MethodRunner>(*m_processing, m_state, *m_work, m_regional);
    layout->insertLayout(1, m_ui.structureLine);
    m_work->setControls({m_ui.cmdSelect, m_ui.cmbMetodo, m_ui.frmTipo, m_ui.frmTipoRisultato,
                         m_ui.cmbDimensione, m_ui.exportButton, m_ui.auditButton,
                         m_ui.chkIgnoraStruttura, m_ui.gapsButton, m_ui.compositesButton});
    m_map->setBackgroundWork(m_work);
    connectControls();
    fitToScreen(*this, {1280, 800});
    // Alt and a letter presses every button.
    assignWindowMnemonics(*this);
}

IndiceMP::~IndiceMP() = default;

void IndiceMP::connectControls() {
    connect(m_ui.cmdSelect, &QPushButton::clicked, this, &IndiceMP::cmdSelect_Click);
    connect(m_ui.exportButton, &QPushButton::clicked, this, &IndiceMP::exportResults);
    connect(m_ui.auditButton, &QPushButton::clicked, this, [this] { openAudit(); });
    connect(m_ui.compositesButton, &QPushButton::clicked, this, [this] { openComposites(); });
    connect(m_ui.cmbMetodo, &QComboBox::activated, this, &IndiceMP::cmbMetodo_Click);
    connect(m_ui.optTipo, &QButtonGroup::idClicked, this, &IndiceMP::optTipo_Click);
    connect(m_ui.optTipoRisultato, &QButtonGroup::idClicked, this,
            &IndiceMP::optTipoRisultato_Click);
    connect(m_ui.msfMatrice, &GridView::autosizeRequested, this,
            [this] { FG_AutosizeCols(*m_ui.msfMatrice, -1, -1, false); });
    connect(m_ui.msfRisultati, &GridView::autosizeRequested, this,
            [this] { FG_AutosizeCols(*m_ui.msfRisultati, -1, -1, false); });
    connect(m_ui.cmbDimensione, &QComboBox::activated, this, &IndiceMP::cmbDimensione_Click);
    connect(m_ui.gapsButton, &QPushButton::clicked, this, &IndiceMP::changeGapsTreatment);
    connect(m_ui.chkIgnoraStruttura, &QCheckBox::clicked, this,
            &IndiceMP::chkIgnoraStruttura_Click);
    connect(m_ui.splitter, &QSplitter::splitterMoved, this, [this] { m_splitterMoved = true; });
    connect(m_ui.dataSplitter, &QSplitter::splitterMoved, this, [this] { m_splitterMoved = true; });
    for (GridView* grid : {m_ui.msfMatrice, m_ui.msfRisultati})
        connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, grid] { highlightFrom(grid); });
    connect(m_map, &MapPage::unitsClicked, this, &IndiceMP::selectClicked);
}

QStringList IndiceMP::unitLabels() const {
    QStringList labels;
    if (!m_processing->hasMatrix())
        return labels;
    for (const CellValue& unit : m_processing->matrix().units)
        labels.append(m_regional.generalText(unit));
    return labels;
}

void IndiceMP::showOnMap() {
    m_map->setWorkbook(m_state.strMatrice);
    QStringList groups;
    if (const Structure* structure = m_processing->structure().get())
        for (const int group : structure->groups)
            groups.append(structure->elements[std::size_t(group)].name);
    if (!m_shownRun || m_shownPosition < 0) {
        m_map->setChoices(unitLabels(), {}, {});
        return;
    }
    const MethodMaps maps(m_runner->codeAt(m_shownPosition), unitLabels(), groups, m_shownRun);
    m_map->setChoices(unitLabels(), maps.choices(),
                      [maps](const QString& what) { return maps.series(what); });
}

void IndiceMP::highlightFrom(const GridView* grid) {
    const QStringList labels = unitLabels();
    QList<int> units;
    // A row's label names its unit, whatever order the grid shows.
    for (const int row : selectedRows(*grid))
        if (const qsizetype unit =
                labels.indexOf(grid->gridModel()->gridText(grid->modelRow(row) + 1, 0));
            unit >= 0)
            units.append(int(unit));
    m_map->setHighlighted(units);
}

void IndiceMP::selectClicked(const QList<int>& units) {
    QList<int> rows;
    for (const int unit : units)
        rows.append(m_ui.msfMatrice->viewRow(unit));
    selectRows(*m_ui.msfMatrice, rows);
    m_map->setHighlighted(units);
}

void IndiceMP::searchUnits(const QString& text) {
    if (text.trimmed().isEmpty())
        return;
    const QList<int> found = matchingLabels(unitLabels(), text);
    selectClicked(found);
    m_stbStato->setPanelText(
        tr("Unità trovate per «%1»: %2").arg(text.trimmed()).arg(found.size()));
}

bool IndiceMP::load() {
    m_ui.chkIgnoraStruttura->setChecked(false);
    m_processing->setStructureChoice(StructureChoice());
    m_gapsChoices.setFor(m_state.strMatrice);
    return loadMatrix();
}

void IndiceMP::showGaps() {
    const QString summary = m_gapsChoices.summary();
    if (summary.isEmpty()) {
        m_ui.lblMancanti->hide();
        m_dataModel->setFilled({});
        return;
    }
    m_ui.lblMancanti->setText(summary);
    m_ui.lblMancanti->show();
}

void IndiceMP::chkIgnoraStruttura_Click(bool checked) {
    StructureChoice choice;
    choice.ignore = checked;
    m_processing->setStructureChoice(choice);
    if (!loadMatrix())
        reject();
}

void IndiceMP::hideForLoading() {
    m_ui.hideForLoading();
    m_stbStato->setPanelText(QString());
    // The grids forget the old tables, and the window the old run, before
    // new ones replace them.
    m_dataModel->clear();
    m_resultsModel->clear();
    m_grids.clearGroups();
    m_shownRun.reset();
    // The composites are the next workbook's, read with it.
    takeComposites(CompositeList());
}

bool IndiceMP::loadMatrix() {
    // The window does not close, and its controls stay off, until the
    // matrix is on view.
    const BackgroundWork::Series series(*m_work);
    hideForLoading();
    Status loaded;
    MatrixTables tables;
    Expected<CompositeList> composites = CompositeList();
    const QString workbook = m_state.strMatrice;
    const BackgroundWork::Outcome outcome = m_work->run(
        tr("Lettura della matrice"),
        [&, regional = m_regional](WorkProgress& progress) {
            loaded = m_processing->load(workbook, &progress);
            if (!loaded)
                return;
            tables = matrixTables(m_processing->matrix());
            composites = loadComposites(*m_processing, QString(), regional);
        },
        true);
    m_ui.readingHint->hide();
    if (outcome == BackgroundWork::Outcome::OutOfMemory) {
        showOutOfMemory(m_dialogs, tr("leggere la matrice %1").arg(QFileInfo(workbook).fileName()));
        return false;
    }
    if (!loaded && m_processing->structureFailed()) {
        // The matrix itself is fine: the user may read it without the
        // structure instead.
        showFailure(m_dialogs, loaded.error());
        m_ui.chkIgnoraStruttura->show();
        m_ui.lblStruttura->setText(tr("Struttura non accettata: spuntare «%1» per elaborare la "
                                      "matrice senza dimensioni né pesi.")
                                       .arg(m_ui.chkIgnoraStruttura->text()));
        m_ui.lblStruttura->show();
        return true;
    }
    if (!loaded && m_gapsChoices.chooseAfterRefusal(workbook))
        return loadMatrix();
    if (!loaded) {
        showFailure(m_dialogs, loaded.error());
        if (loaded.error().kind == FailureKind::Refused)
            m_dialogs.endProgram();
        return false;
    }
    takeComposites(composites);
    showLoaded(tables);
    if (!composites)
        showFailure(m_dialogs, failure(composites.error().kind,
                                       tr("I metodi personalizzati non sono stati letti: l'elenco "
                                          "comprende solo i nove metodi.\n\n%1")
                                           .arg(composites.error().message)));
    return true;
}

void IndiceMP::takeComposites(const Expected<CompositeList>& composites) {
    m_compositesRefusal = composites ? QString() : composites.error().message;
    m_runner->setComposites(composites ? *composites : CompositeList());
    QStringList captions;
    for (int position = int(methodTable().size()); position < m_runner->count(); ++position)
        captions.append(m_runner->captionAt(position));
    m_ui.listComposites(m_runner->composites().composites, captions);
}

CompositesDialog* IndiceMP::openComposites() {
    if (!m_processing->hasMatrix())
        return nullptr;
    QString sheet;
    const QStringList& sheets = m_processing->sheetNames();
    for (qsizetype s = 1; s < sheets.size() && sheet.isEmpty(); ++s)
        if (isCompositesSheetName(sheets[s]))
            sheet = sheets[s];
    auto* dialog = new CompositesDialog(m_processing->workbook(), m_runner->composites(), sheet,
                                        m_compositesRefusal, m_dialogs, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &CompositesDialog::saved, this, &IndiceMP::reloadComposites);
    dialog->open();
    return dialog;
}

void IndiceMP::reloadComposites() {
    const Composite* shown = m_runner->compositeAt(m_shownPosition);
    const QString shownCode = shown ? shown->code : QString();
    const QString shownDefinition = shown ? shown->name + shown->definition() : QString();
    BusyCursor busy;
    takeComposites(loadComposites(*m_processing, QString(), m_regional));
    m_resultsWidth = m_ui.resultsPaneWidth(m_state.nRighe - 1, m_regional);
    divide();
    if (shownCode.isEmpty()) {
        // The list changed under its entry: back on the method on view.
        listShownMethod();
        return;
    }
    const int nine = int(methodTable().size());
    const Composite* now = m_runner->composites().find(shownCode);
    if (!now) {
        // The composite on view is gone: so are its results.
        m_shownPosition = -1;
        m_shownRun.reset();
        m_ui.frmTipoRisultato->hide();
        m_ui.showResults(false);
        m_ui.Frame1->setTitle(ProcessingWidgets::resultsTitle());
        m_ui.Frame1->setToolTip(QString());
    } else {
        m_shownPosition = nine + int(now - m_runner->composites().composites.data());
        if (now->name + now->definition() != shownDefinition)
            m_resultsStale = tr("la definizione del metodo è cambiata");
    }
    listShownMethod();
    showState();
}

void IndiceMP::showLoaded(MatrixTables& tables) {
    installMatrixTables(m_state, tables);
    m_shownPosition = -1;
    m_resultsStale.clear();
    optTipo_Click(0);
    m_ui.optTipo->button(0)->setChecked(true);
    m_ui.optTipoRisultato->button(0)->setChecked(true);
    m_ui.cmbMetodo->setCurrentIndex(-1);
    m_stbStato->setPanelText(tr("Indice Sintetico "), m_state.strMatrice);
    m_ui.lblMetodo->show();
    m_ui.cmbMetodo->show();
    m_ui.compositesButton->show();
    m_ui.msfMatrice->show();
    m_ui.showStructure(m_processing->structure().get(), m_regional);
    showGaps();
    showState();
    // Each workbook gets the division that suits it, whatever the user made
    // of the last one.
    m_splitterMoved = false;
    m_resultsWidth = m_ui.resultsPaneWidth(m_state.nRighe - 1, m_regional);
    divide();
    showOnMap();
}

void IndiceMP::cmbMetodo_Click() {
    const int position = m_ui.cmbMetodo->currentIndex();
    if (position < 0)
        return;
    const QString code = m_runner->codeAt(position);
    m_state.bRisultati = true;
    setRecordActor({tr("Elaborazione: Esegui %1").arg(code), {}});
    MethodRunner::Runs runs = m_runner->runOne(position);
    if (runs.outcome == BackgroundWork::Outcome::OutOfMemory) {
        listShownMethod();
        showOutOfMemory(m_dialogs, tr("eseguire il metodo %1").arg(code));
        return;
    }
    if (runs.done) {
        present(runs);
        m_stbStato->setPanelText(tr("Metodo %1 elaborato, file scritti in ").arg(code),
                                 resultsFolder());
        return;
    }
    if (runs.done.error().kind == FailureKind::MethodRefused) {
        showFailure(m_dialogs, runs.done.error());
        return;
    }
    // The tables and grids still hold the last completed run: the list goes
    // back to that method, so that nothing shows the failed one as done.
    listShownMethod();
    showNotWritten(position, runs.done.error());
}

void IndiceMP::cmdSelect_Click() {
    const BackgroundWork::Series series(*m_work);
    m_state.bRisultati = true;
    setRecordActor({tr("Elaborazione: Elaborazione automatica"), {}});
    MethodRunner::Runs runs = m_runner->runAll(m_ui.cmbMetodo);
    const bool finished = runs.outcome == BackgroundWork::Outcome::Finished;
    if (finished && runs.filled >= 0)
        present(runs);
    if (finished && runs.done)
        m_ui.cmbMetodo->setCurrentIndex(m_ui.cmbMetodo->count() - 1);
    else
        listShownMethod();
    tellRunAll(runs);
}

void IndiceMP::tellRunAll(const MethodRunner::Runs& runs) {
    // Every run ends with its summary in the status bar, the refusals in a
    // message.
    const bool stopped = !runs.done && runs.done.error().kind == FailureKind::Cancelled;
    const int count = m_runner->count();
    if (runs.outcome == BackgroundWork::Outcome::Finished) {
        const QString what = runs.ran.size() == 1
                                 ? tr("1 metodo elaborato, file scritti in ")
                                 : tr("%1 metodi elaborati, file scritti in ").arg(runs.ran.size());
        m_stbStato->setPanelText(stopped ? tr("Elaborazione automatica annullata: %1").arg(what)
                                         : what,
                                 resultsFolder());
    }
    if (!runs.refusals.empty())
        showFailure(m_dialogs,
                    failure(FailureKind::MethodRefused, refusalsSummary(*m_runner, runs, stopped)));
    if (runs.outcome == BackgroundWork::Outcome::OutOfMemory) {
        // The method after the last one reported was under way.
        const int failed = std::min(runs.reported + 1, count - 1);
        showOutOfMemory(m_dialogs, tr("eseguire il metodo %1").arg(m_runner->codeAt(failed)));
    } else if (!runs.done && runs.unwritten >= 0) {
        showNotWritten(runs.unwritten, runs.done.error());
    }
}

QString IndiceMP::resultsFolder() const {
    return QDir::toNativeSeparators(QFileInfo(m_state.strMatrice).absolutePath());
}

void IndiceMP::showNotWritten(int position, const Failure& cause) {
    showFailure(m_dialogs,
                failure(cause.kind, tr("Il metodo %1 non è stato eseguito: i file dei "
                                       "risultati non sono stati scritti.\n\n%2")
                                        .arg(m_runner->codeAt(position), cause.message)));
}

void IndiceMP::present(MethodRunner::Runs& runs) {
    BusyCursor busy;
    RunTables& tables = runs.tables;
    const int position = runs.filled;
    installRunTables(m_state, tables);
    m_grids.takeGroups(tables);
    m_shownPosition = position;
    m_shownRun = std::move(runs.run);
    m_resultsStale.clear();
    m_ui.showMethod(position, m_runner->captionAt(position));
    // A data grid that shows the source matrix already shows it as the
    // source view would, fitted: the methods never change it.
    if (m_dataModel->table() != &m_state.matDati)
        optTipo_Click(0);
    optTipoRisultato_Click(0);
    // A composite's long name may want a wider pane than was foreseen.
    if (const int fitted = m_ui.fittedResultsWidth();
        m_runner->compositeAt(position) && fitted > m_resultsWidth) {
        m_resultsWidth = fitted;
        divide();
    }
    showOnMap();
}

void IndiceMP::listShownMethod() {
    m_ui.cmbMetodo->setCurrentIndex(m_shownPosition);
}

void IndiceMP::optTipo_Click(int index) {
    m_grids.showData(index);
}

void IndiceMP::optTipoRisultato_Click(int index) {
    m_grids.showResults(index);
    showState();
}

void IndiceMP::showState() {
    const int group = m_ui.cmbDimensione->currentIndex();
    const QString groupName = group > 0 ? m_ui.cmbDimensione->currentText() : QString();
    if (m_shownPosition >= 0) {
        QString title = ProcessingWidgets::resultsTitle(m_runner->codeAt(m_shownPosition));
        if (!groupName.isEmpty())
            title += tr(" - dimensione %1").arg(groupName);
        if (!m_resultsStale.isEmpty())
            title += tr(" (da ricalcolare: %1)").arg(m_resultsStale);
        m_ui.Frame1->setTitle(title);
    }
    if (!m_processing->hasMatrix()) {
        m_ui.stateLine->clear();
        return;
    }
    QString line = basisDescription(m_processing->basis());
    if (m_ui.cmbDimensione->count() > 0)
        line += tr("; in vista: %1")
                    .arg(groupName.isEmpty() ? tr("indice complessivo")
                                             : tr("dimensione %1").arg(groupName));
    m_ui.stateLine->setText(line);
}

void IndiceMP::changeGapsTreatment() {
    if (!m_processing->hasMatrix() || !m_gapsChoices.change(m_state.strMatrice))
        return;
    if (!loadMatrix())
        reject();
}

void IndiceMP::cmbDimensione_Click() {
    optTipoRisultato_Click(m_ui.optTipoRisultato->checkedId());
}

// Gives the results pane its width, and the structure's tree its own, as
// long as the user has not moved a divider.
void IndiceMP::divide() {
    if (m_splitterMoved)
        return;
    m_ui.divide(m_resultsWidth);
    if (m_ui.frmStruttura->isVisibleTo(this))
        m_ui.showStructureTree(true);
}

void IndiceMP::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    divide();
}

void IndiceMP::exportResults() {
    // The method on view is exported with what it computed.
    exportResultsWorkbook(m_state.strMatrice, m_processing->sharedMatrix(), m_shownRun, m_dialogs,
                          *m_work, m_regional, m_processing->structure(), m_processing->gaps(),
                          m_processing->hasMatrix() ? std::optional(m_processing->basis())
                                                    : std::nullopt);
}

AuditWindow* IndiceMP::openAudit() {
    if (!m_processing->hasMatrix())
        return nullptr;
    // Each opening audits the matrix held now.
    delete m_audit;
    m_audit = new AuditWindow(m_processing, m_dialogs, m_regional, this);
    connect(m_audit, &AuditWindow::matrixTreated, this, [this] {
        // The source grid takes the treated matrix; the results on view
        // stay, marked as computed on the matrix before the treatment.
        MatrixTables tables = matrixTables(m_processing->matrix());
        std::swap(m_state.matDati, tables.matDati);
        if (m_shownPosition >= 0)
            m_resultsStale = tr("calcolato sulla matrice prima del trattamento degli anomali");
        m_ui.optTipo->button(0)->setChecked(true);
        optTipo_Click(0);
        showState();
    });
    m_audit->open();
    m_audit->analyse();
    return m_audit;
}
