#include "ui/processing/indicemp.h"

#include "methods/metodi.h"
#include "record/outputrecorder.h"
#include "ui/audit/auditwindow.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/grid/tablemodel.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/busycursor.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/failuremessage.h"
#include "ui/platform/hintlabel.h"
#include "ui/platform/mnemonics.h"
#include "ui/platform/usersettings.h"
#include "ui/platform/windowmemory.h"
#include "ui/platform/windowsetup.h"
#include "ui/processing/statetables.h"
#include "ui/processing/structuretree.h"
#include "ui/report/resultsoutput.h"
#include "workflow/gapsfiles.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace {

QString codeAt(int position) {
    return methodAt(MethodPosition(position)).code;
}

} // namespace

IndiceMP::IndiceMP(SharedState& state, std::shared_ptr<Processing> processing, Dialogs& dialogs,
                   const Regional& regional, QWidget* parent)
    : QDialog(parent), m_state(state), m_processing(std::move(processing)), m_dialogs(dialogs),
      m_regional(regional),
      m_dataModel(new TableModel(m_regional, TableModel::Format::Fixed4, this)),
      m_resultsModel(new TableModel(m_regional, TableModel::Format::General, this)),
      m_ui(this, m_dataModel, m_resultsModel) {
    setupChildWindow(*this, QStringLiteral("IndiceMP"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->setSpacing(6);
    layout->addLayout(m_ui.strip);
    layout->addWidget(m_ui.splitter, 1);
    m_stateLine = new QLabel(this);
    m_stateLine->setObjectName(QStringLiteral("lblStato"));
    m_stateLine->setWordWrap(true);
    m_gapsButton = new QPushButton(tr("Valori mancanti..."), this);
    m_gapsButton->setObjectName(QStringLiteral("cmdMancanti"));
    m_gapsButton->setAutoDefault(false);
    m_gapsButton->setToolTip(tr("Sceglie il trattamento dei valori mancanti e rilegge la matrice"));
    auto* stateRow = new QHBoxLayout;
    stateRow->addWidget(m_stateLine, 1);
    stateRow->addWidget(m_gapsButton);
    layout->addLayout(stateRow);
    m_stbStato = new ClockStatusBar(m_regional.locale(), this);
    layout->addWidget(m_stbStato);
    m_work = new BackgroundWork(this, m_stbStato);
    layout->insertLayout(1, m_ui.structureLine);
    m_work->setControls({m_ui.cmdSelect, m_ui.cmbMetodo, m_ui.frmTipo, m_ui.frmTipoRisultato,
                         m_ui.cmbDimensione, m_ui.exportButton, m_ui.auditButton,
                         m_ui.chkIgnoraStruttura, m_gapsButton});
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
    connect(m_ui.cmbMetodo, &QComboBox::activated, this, &IndiceMP::cmbMetodo_Click);
    connect(m_ui.optTipo, &QButtonGroup::idClicked, this, &IndiceMP::optTipo_Click);
    connect(m_ui.optTipoRisultato, &QButtonGroup::idClicked, this,
            &IndiceMP::optTipoRisultato_Click);
    connect(m_ui.msfMatrice, &GridView::autosizeRequested, this,
            [this] { FG_AutosizeCols(*m_ui.msfMatrice, -1, -1, false); });
    connect(m_ui.msfRisultati, &GridView::autosizeRequested, this,
            [this] { FG_AutosizeCols(*m_ui.msfRisultati, -1, -1, false); });
    connect(m_ui.cmbDimensione, &QComboBox::activated, this, &IndiceMP::cmbDimensione_Click);
    connect(m_gapsButton, &QPushButton::clicked, this, &IndiceMP::changeGapsTreatment);
    connect(m_ui.chkIgnoraStruttura, &QCheckBox::clicked, this,
            &IndiceMP::chkIgnoraStruttura_Click);
    connect(m_ui.splitter, &QSplitter::splitterMoved, this, [this] { m_splitterMoved = true; });
    connect(m_ui.dataSplitter, &QSplitter::splitterMoved, this, [this] { m_splitterMoved = true; });
}

bool IndiceMP::load() {
    m_ui.chkIgnoraStruttura->setChecked(false);
    m_processing->setStructureChoice(StructureChoice());
    // The treatment chosen for the workbook, in this session or an earlier
    // one.
    const auto chosen = m_missingChoices.find(m_state.strMatrice);
    MissingChoice missing;
    if (chosen != m_missingChoices.end())
        missing = chosen->second;
    else if (const auto kept = UserSettings::missingTreatment(m_state.strMatrice))
        missing.treatment = *kept;
    m_processing->setMissingChoice(missing);
    return loadMatrix();
}

QString IndiceMP::coverageLabel() {
    return tr("&Copertura minima:");
}

bool IndiceMP::chooseGapsTreatment() {
    const std::shared_ptr<const GapsRecord> gaps = m_processing->gaps();
    if (!gaps || gaps->treatment != MissingTreatment::Refuse || gaps->coverage.missingCells() == 0)
        return false;
    QStringList options;
    std::vector<MissingTreatment> treatments;
    for (const MissingTreatment treatment : kMissingTreatments) {
        if (treatment == MissingTreatment::Refuse)
            continue;
        treatments.push_back(treatment);
        options.append(missingTreatmentLabel(treatment));
    }
    MissingChoice choice;
    const int chosen = m_dialogs.chooseWithShare(
        gapsQuestion(gaps->coverage, m_regional) + QStringLiteral("\n\n") +
            tr("Gli indicatori e le unità con una quota di valori disponibili inferiore alla "
               "copertura minima sono esclusi; i valori riempiti non cambiano la cartella di "
               "lavoro."),
        childWindowTitle(), options, coverageLabel(), choice.minCoverage);
    if (chosen < 0)
        return false;
    choice.treatment = treatments[std::size_t(chosen)];
    m_missingChoices[m_state.strMatrice] = choice;
    UserSettings::setMissingTreatment(m_state.strMatrice, choice.treatment);
    m_processing->setMissingChoice(choice);
    return true;
}

void IndiceMP::showGaps() {
    const std::shared_ptr<const GapsRecord> gaps = m_processing->gaps();
    if (!gaps || gaps->treatment == MissingTreatment::Refuse) {
        m_ui.lblMancanti->hide();
        m_dataModel->setFilled({});
        return;
    }
    // Then what was left out, named as the batch tool names it.
    QStringList lines = gapsSummary(*gaps, m_regional);
    lines.front() =
        tr("%1; trattamento: %2")
            .arg(gapsCount(gaps->coverage, m_regional), missingTreatmentLabel(gaps->treatment));
    m_ui.lblMancanti->setText(lines.join(u'\n'));
    m_ui.lblMancanti->show();
}

void IndiceMP::chkIgnoraStruttura_Click(bool checked) {
    StructureChoice choice;
    choice.ignore = checked;
    m_processing->setStructureChoice(choice);
    if (!loadMatrix())
        reject();
}

bool IndiceMP::loadMatrix() {
    // The window does not close, and its controls stay off, until the
    // matrix is on view.
    const BackgroundWork::Series series(*m_work);
    m_ui.lblMetodo->hide();
    m_ui.cmbMetodo->hide();
    m_ui.frmTipo->hide();
    m_ui.frmTipoRisultato->hide();
    m_ui.showResults(false);
    m_ui.msfMatrice->hide();
    m_ui.lblDimensione->hide();
    m_ui.cmbDimensione->hide();
    m_ui.showStructureTree(false);
    m_ui.lblStruttura->hide();
    m_ui.lblMancanti->hide();
    m_ui.chkIgnoraStruttura->setVisible(m_ui.chkIgnoraStruttura->isChecked());
    m_ui.readingHint->show();
    m_ui.Frame1->setTitle(ProcessingWidgets::resultsTitle());
    m_ui.Frame1->setToolTip(QString());
    m_stbStato->setPanelText(QString());
    // The grids forget the old tables before new ones replace them.
    m_dataModel->clear();
    m_resultsModel->clear();
    m_groupValues.clear();
    m_groupRanks.clear();

    Status loaded;
    MatrixTables tables;
    const QString workbook = m_state.strMatrice;
    const BackgroundWork::Outcome outcome = m_work->run(
        tr("Lettura della matrice"),
        [&](WorkProgress& progress) {
            loaded = m_processing->load(workbook, &progress);
            if (loaded)
                tables = matrixTables(m_processing->matrix());
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
    if (!loaded && chooseGapsTreatment())
        return loadMatrix();
    if (!loaded) {
        showFailure(m_dialogs, loaded.error());
        if (loaded.error().kind == FailureKind::Refused)
            m_dialogs.endProgram();
        return false;
    }
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
    m_ui.msfMatrice->show();
    showStructure();
    showGaps();
    showState();
    // Each workbook gets the division that suits it, whatever the user made
    // of the last one.
    m_splitterMoved = false;
    m_resultsWidth = m_ui.resultsPaneWidth(m_state.nRighe - 1, m_regional);
    divide();
    return true;
}

void IndiceMP::showStructure() {
    const Structure* structure = m_processing->structure().get();
    m_ui.cmbDimensione->clear();
    if (!structure) {
        m_ui.lblStruttura->clear();
        m_ui.tvwStruttura->clear();
        return;
    }
    m_ui.chkIgnoraStruttura->show();
    m_ui.lblStruttura->setText(structureSummary(*structure));
    m_ui.lblStruttura->show();
    fillStructureTree(*m_ui.tvwStruttura, *structure, m_regional);
    m_ui.showStructureTree(true);
    m_ui.cmbDimensione->addItem(structure->elements[std::size_t(structure->root)].name);
    for (const int group : structure->groups)
        m_ui.cmbDimensione->addItem(structure->elements[std::size_t(group)].name);
    // Each matrix opens on the overall index.
    m_ui.cmbDimensione->setCurrentIndex(0);
}

void IndiceMP::cmbMetodo_Click() {
    const int position = m_ui.cmbMetodo->currentIndex();
    if (position < 0)
        return;
    const QString code = codeAt(position);
    m_state.bRisultati = true;

    Status ran;
    RunTables tables;
    setRecordActor({tr("Elaborazione: Esegui %1").arg(code), {}});
    const BackgroundWork::Outcome outcome =
        m_work->run(tr("Esecuzione del metodo %1").arg(code),
                    [this, &ran, &tables, position, regional = m_regional](WorkProgress&) {
                        // The worker formats with its own copy of the settings: the grids
                        // go on using the window's. What the method computed is let go
                        // once its tables are filled.
                        const Expected<std::shared_ptr<const MethodRun>> run =
                            m_processing->run(MethodPosition(position));
                        if (!run) {
                            ran = run.error();
                            return;
                        }
                        fillRunTables(tables, m_state.matDati, m_processing->matrix(), **run,
                                      regional, m_processing->structure().get());
                    });
    if (outcome == BackgroundWork::Outcome::OutOfMemory) {
        listShownMethod();
        showOutOfMemory(m_dialogs, tr("eseguire il metodo %1").arg(code));
        return;
    }
    if (ran) {
        present(position, tables);
        m_stbStato->setPanelText(tr("Metodo %1 elaborato, file scritti in ").arg(code),
                                 resultsFolder());
        return;
    }
    if (ran.error().kind == FailureKind::MethodRefused) {
        showFailure(m_dialogs, ran.error());
        return;
    }
    // The tables and grids still hold the last completed run: the list goes
    // back to that method, so that nothing shows the failed one as done.
    listShownMethod();
    showNotWritten(position, ran.error());
}

void IndiceMP::cmdSelect_Click() {
    const BackgroundWork::Series series(*m_work);
    m_state.bRisultati = true;
    std::vector<MethodPosition> positions;
    for (int i = 0; i < m_ui.cmbMetodo->count(); ++i)
        positions.push_back(MethodPosition(i));

    // What the worker leaves: the refusals in list order, the tables of the
    // last method that wrote its files, the method whose files could not be
    // written, and the last method reported. The tables are filled again in
    // the same memory for each method.
    std::vector<std::pair<int, Failure>> refusals;
    QStringList ran;
    RunTables tables;
    int filled = -1;
    int unwritten = -1;
    int reported = -1;
    Status done;
    QComboBox* list = m_ui.cmbMetodo;
    setRecordActor({tr("Elaborazione: Elaborazione automatica"), {}});
    const BackgroundWork::Outcome outcome = m_work->run(
        tr("Elaborazione automatica"),
        [&, regional = m_regional](WorkProgress& progress) {
            done = m_processing->runAll(
                positions,
                [&](MethodPosition position,
                    const Expected<std::shared_ptr<const MethodRun>>& run) {
                    reported = int(position);
                    // The list follows the methods as they are done.
                    QMetaObject::invokeMethod(
                        list, [list, reported] { list->setCurrentIndex(reported); },
                        Qt::QueuedConnection);
                    if (run) {
                        fillRunTables(tables, m_state.matDati, m_processing->matrix(), **run,
                                      regional, m_processing->structure().get());
                        filled = reported;
                        ran.append(codeAt(reported));
                    } else if (run.error().kind == FailureKind::MethodRefused) {
                        refusals.emplace_back(reported, run.error());
                    } else {
                        unwritten = reported;
                    }
                },
                &progress);
        },
        true);
    QCoreApplication::sendPostedEvents(list, QEvent::MetaCall);

    if (outcome == BackgroundWork::Outcome::Finished && filled >= 0)
        present(filled, tables);
    if (outcome == BackgroundWork::Outcome::Finished && done)
        list->setCurrentIndex(list->count() - 1);
    else
        listShownMethod();
    // Every run ends with its summary in the status bar, the refusals in a
    // message.
    const bool stopped = !done && done.error().kind == FailureKind::Cancelled;
    if (outcome == BackgroundWork::Outcome::Finished) {
        const QString what = ran.size() == 1
                                 ? tr("1 metodo elaborato, file scritti in ")
                                 : tr("%1 metodi elaborati, file scritti in ").arg(ran.size());
        m_stbStato->setPanelText(stopped ? tr("Elaborazione automatica annullata: %1").arg(what)
                                         : what,
                                 resultsFolder());
    }
    if (!refusals.empty()) {
        // One summary at the end: the methods that ran, then each refusal
        // under its method's code and description.
        QString summary = (stopped ? tr("Elaborazione automatica annullata: eseguiti %1 metodi "
                                        "su %2 (%3).")
                                   : tr("Elaborazione automatica: eseguiti %1 metodi su %2 (%3)."))
                              .arg(ran.size())
                              .arg(positions.size())
                              .arg(ran.isEmpty() ? tr("nessuno") : ran.join(QStringLiteral(", ")));
        summary += u'\n' + tr("Non hanno accettato la matrice:");
        for (const auto& [position, refusal] : refusals)
            summary += QStringLiteral("\n\n") +
                       methodCaption(methodAt(MethodPosition(position)).entryText) + u'\n' +
                       refusal.message;
        showFailure(m_dialogs, failure(FailureKind::MethodRefused, summary));
    }
    if (outcome == BackgroundWork::Outcome::OutOfMemory) {
        // The method after the last one reported was under way.
        const int failed = std::min(reported + 1, list->count() - 1);
        showOutOfMemory(m_dialogs, tr("eseguire il metodo %1").arg(codeAt(failed)));
    } else if (!done && unwritten >= 0) {
        showNotWritten(unwritten, done.error());
    }
}

QString IndiceMP::resultsFolder() const {
    return QDir::toNativeSeparators(QFileInfo(m_state.strMatrice).absolutePath());
}

void IndiceMP::showNotWritten(int position, const Failure& cause) {
    showFailure(m_dialogs, failure(cause.kind, tr("Il metodo %1 non è stato eseguito: i file dei "
                                                  "risultati non sono stati scritti.\n\n%2")
                                                   .arg(codeAt(position), cause.message)));
}

void IndiceMP::present(int position, RunTables& tables) {
    BusyCursor busy;
    installRunTables(m_state, tables);
    m_groupValues.swap(tables.groupValues);
    m_groupRanks.swap(tables.groupRanks);
    m_shownPosition = position;
    m_resultsStale.clear();
    const QString entry = methodAt(MethodPosition(position)).entryText;
    m_ui.cmbMetodo->setCurrentIndex(position);
    m_ui.Frame1->setToolTip(methodCaption(entry));
    m_ui.lblMetodo->show();
    m_ui.cmbMetodo->show();
    m_ui.frmTipo->show();
    m_ui.frmTipoRisultato->show();
    const bool groups = m_ui.cmbDimensione->count() > 0;
    m_ui.lblDimensione->setVisible(groups);
    m_ui.cmbDimensione->setVisible(groups);
    m_ui.showResults(true);
    m_ui.msfMatrice->show();
    m_ui.optTipo->button(0)->setChecked(true);
    m_ui.optTipoRisultato->button(0)->setChecked(true);
    // A data grid that shows the source matrix already shows it as the
    // source view would, fitted: the methods never change it.
    if (m_dataModel->table() != &m_state.matDati)
        optTipo_Click(0);
    optTipoRisultato_Click(0);
}

void IndiceMP::listShownMethod() {
    m_ui.cmbMetodo->setCurrentIndex(m_shownPosition);
}

void IndiceMP::optTipo_Click(int index) {
    const Table& source = index == 0 ? m_state.matDati : m_state.matTrasformata;
    m_dataModel->setTable(&source, m_state.nRighe, m_state.nColonne, &m_state.matDati);
    // Filled cells are marked where the values are shown as read.
    const std::shared_ptr<const GapsRecord> gaps = m_processing->gaps();
    // So are the cells the outlier treatment changed.
    std::vector<unsigned char> marked;
    if (index == 0 && m_processing->hasMatrix()) {
        if (gaps)
            marked = filledMask(*gaps, m_processing->matrix());
        const std::vector<unsigned char>& treated = m_processing->treatedCells();
        if (marked.empty())
            marked = treated;
        else
            for (std::size_t k = 0; k < treated.size() && k < marked.size(); ++k)
                marked[k] = marked[k] | treated[k];
    }
    m_dataModel->setFilled(std::move(marked));
    // The data grid is fitted without the window going unanswered.
    fitColumnsAnswering(*m_ui.msfMatrice);
}

void IndiceMP::optTipoRisultato_Click(int index) {
    const Table* source = &m_state.matValori;
    // The view choice's first entry is the overall index, then the groups.
    const auto group = std::size_t(m_ui.cmbDimensione->currentIndex() - 1);
    // "Graduatoria" shows the ranking: the units ordered by rank, the best
    // first, with their values.
    if (m_ui.cmbDimensione->currentIndex() > 0 && group < m_groupValues.size()) {
        if (index == 1) {
            m_groupRanking = rankOrdered(m_groupValues[group], m_groupRanks[group]);
            source = &m_groupRanking;
        } else {
            source = index == 2 ? &m_groupRanks[group] : &m_groupValues[group];
        }
    } else if (index == 0) {
        m_state.matGraduatoria = m_state.matValori;
    } else if (index == 1) {
        m_state.matGraduatoria = rankOrdered(m_state.matValori, m_state.matRanghi);
        source = &m_state.matGraduatoria;
    } else {
        source = &m_state.matRanghi;
    }
    m_resultsModel->setFormat(index == 2 ? TableModel::Format::General
                                         : TableModel::Format::IndexValues);
    m_resultsModel->setTable(source, m_state.nRighe, 2);
    FG_AutosizeCols(*m_ui.msfRisultati, -1, -1, false);
    showState();
}

void IndiceMP::showState() {
    const int group = m_ui.cmbDimensione->currentIndex();
    const QString groupName = group > 0 ? m_ui.cmbDimensione->currentText() : QString();
    if (m_shownPosition >= 0) {
        QString title = ProcessingWidgets::resultsTitle(codeAt(m_shownPosition));
        if (!groupName.isEmpty())
            title += tr(" - dimensione %1").arg(groupName);
        if (!m_resultsStale.isEmpty())
            title += tr(" (da ricalcolare: %1)").arg(m_resultsStale);
        m_ui.Frame1->setTitle(title);
    }
    if (!m_processing->hasMatrix()) {
        m_stateLine->clear();
        return;
    }
    QString line = basisDescription(m_processing->basis());
    if (m_ui.cmbDimensione->count() > 0)
        line += tr("; in vista: %1")
                    .arg(groupName.isEmpty() ? tr("indice complessivo")
                                             : tr("dimensione %1").arg(groupName));
    m_stateLine->setText(line);
}

void IndiceMP::changeGapsTreatment() {
    if (!m_processing->hasMatrix())
        return;
    QStringList options;
    std::vector<MissingTreatment> treatments;
    for (const MissingTreatment treatment : kMissingTreatments) {
        treatments.push_back(treatment);
        options.append(treatment == MissingTreatment::Refuse ? tr("Nessun trattamento")
                                                             : missingTreatmentLabel(treatment));
    }
    MissingChoice choice = m_processing->missingChoice();
    const int chosen = m_dialogs.chooseWithShare(
        tr("Trattamento dei valori mancanti: la matrice sarà riletta e i risultati andranno "
           "ricalcolati. Con un trattamento, gli indicatori e le unità con una quota di valori "
           "disponibili inferiore alla copertura minima sono esclusi."),
        childWindowTitle(), options, coverageLabel(), choice.minCoverage);
    if (chosen < 0)
        return;
    choice.treatment = treatments[std::size_t(chosen)];
    m_missingChoices[m_state.strMatrice] = choice;
    UserSettings::setMissingTreatment(m_state.strMatrice, choice.treatment);
    m_processing->setMissingChoice(choice);
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
    // The method on view is exported with what it computed, read back from
    // the tables off the window's thread.
    std::optional<ShownMethod> shown;
    if (m_shownPosition >= 0)
        shown = ShownMethod{MethodPosition(m_shownPosition),
                            [this] { return outputOfTables(m_state); }};
    exportResultsWorkbook(m_state.strMatrice, m_processing->sharedMatrix(), shown, m_dialogs,
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
