#include "menuorv.h"

#include "artwork.h"
#include "comparison/resultfilelisting.h"
#include "helpwindow.h"
#include "mainmenubar.h"
#include "record/recordcheck.h"
#include "saveresults.h"
#include "timeseries/panelloader.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/mnemonics.h"
#include "ui/platform/usersettings.h"
#include "ui/platform/windowmemory.h"
#include "ui/platform/windowsetup.h"
#include "version.h"

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QMimeData>
#include <QPushButton>
#include <QThread>
#include <QUrl>
#include <QVBoxLayout>

#include <map>

namespace {

QString selectionCancelled() {
    return QCoreApplication::translate("MenuORV", "Selezione annullata dall'utente");
}

// The folder of a path: everything before its last separator ("/" for a
// file at the root).
QString folderOf(const QString& path) {
    const QString normalized = QDir::fromNativeSeparators(path);
    const qsizetype cut = normalized.lastIndexOf(u'/');
    if (cut < 0)
        return QString();
    return cut == 0 ? QStringLiteral("/") : normalized.left(cut);
}

// The folder a file dialog opens in: the one last used for the same
// purpose while it is still there, else fallback.
QString startFolder(UserSettings::Folder which, const QString& fallback) {
    const QString kept = UserSettings::lastFolder(which);
    return !kept.isEmpty() && QFileInfo(kept).isDir() ? kept : fallback;
}

} // namespace

MenuORV::MenuORV(SharedState& state, Dialogs& dialogs, const Regional& regional,
                 Processing::MatrixLoader loader, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_dialogs(dialogs), m_regional(regional),
      m_processing(std::make_shared<Processing>(regional, std::move(loader))) {
    build();
    // F1 opens the guide from every child window.
    setUserGuideOpener([this] { showUserGuide(); });
    // Load.
    m_stbStato->setPanelText(tr("Selezionare la matrice sorgente"));
    m_state.bRisultati = false;
    updateButtons();
}

MenuORV::~MenuORV() {
    setUserGuideOpener({});
    for (QThread* count : std::as_const(m_periodCounts)) {
        count->wait();
        delete count;
    }
}

void MenuORV::build() {
    setObjectName(QStringLiteral("MenuORV"));
    setWindowTitle(tr("Orvalta - Vers.%1").arg(QStringLiteral(ORVALTA_VERSION)));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(14, 14, 14, 10);
    layout->setSpacing(14);
    auto* picture = new Artwork(central);
    picture->setObjectName(QStringLiteral("Picture1"));
    layout->addWidget(picture);

    layout->addLayout(buildButtons(central));
    setCentralWidget(central);

    m_stbStato = new ClockStatusBar(m_regional.locale(), this);
    setStatusBar(m_stbStato);
    m_work = new BackgroundWork(this, m_stbStato);
    m_work->setControls({m_cmdSelect, m_cmdElaborazione, m_cmdSalvataggio, m_cmdComparazione,
                         m_timeAnalysisButton});

    connectButtons();
    buildMenus();
    setAcceptDrops(true);

    resize(560, sizeHint().height());
    rememberGeometry(*this);
}

// The five buttons of the window in their grid, every one but the
// selection disabled until a workbook is selected.
QGridLayout* MenuORV::buildButtons(QWidget* central) {
    const auto button = [central](const QString& name, const QString& caption) {
        auto* b = new QPushButton(caption, central);
        b->setObjectName(name);
        b->setMinimumHeight(b->sizeHint().height() + 12);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        return b;
    };
    m_cmdSelect = button(QStringLiteral("cmdSelect"), tr("Selezione Matrice"));
    m_cmdElaborazione = button(QStringLiteral("cmdElaborazione"), tr("Elaborazione metodi"));
    m_cmdSalvataggio = button(QStringLiteral("cmdSalvataggio"), tr("Salvataggio Risultati"));
    m_cmdComparazione = button(QStringLiteral("cmdComparazione"), tr("Comparazione metodi"));
    m_timeAnalysisButton =
        button(QStringLiteral("cmdAnalisiTemporale"), tr("Analisi temporale (AMPI)"));
    m_cmdElaborazione->setEnabled(false);
    m_cmdSalvataggio->setEnabled(false);
    m_cmdComparazione->setEnabled(false);
    m_timeAnalysisButton->setEnabled(false);

    auto* buttons = new QGridLayout;
    buttons->setHorizontalSpacing(12);
    buttons->setVerticalSpacing(10);
    buttons->addWidget(m_cmdSelect, 0, 0);
    buttons->addWidget(m_cmdElaborazione, 0, 1);
    buttons->addWidget(m_cmdSalvataggio, 1, 0);
    buttons->addWidget(m_cmdComparazione, 1, 1);
    buttons->addWidget(m_timeAnalysisButton, 2, 0, 1, 2);
    return buttons;
}

// The buttons' keyboard order and their actions.
void MenuORV::connectButtons() {
    setTabOrder(m_cmdSelect, m_cmdElaborazione);
    setTabOrder(m_cmdElaborazione, m_cmdComparazione);
    setTabOrder(m_cmdComparazione, m_cmdSalvataggio);
    setTabOrder(m_cmdSalvataggio, m_timeAnalysisButton);
    m_cmdSelect->setFocus();

    connect(m_cmdSelect, &QPushButton::clicked, this, &MenuORV::cmdSelect_Click);
    connect(m_cmdElaborazione, &QPushButton::clicked, this, &MenuORV::cmdElaborazione_Click);
    connect(m_cmdComparazione, &QPushButton::clicked, this, &MenuORV::cmdComparazione_Click);
    connect(m_cmdSalvataggio, &QPushButton::clicked, this, &MenuORV::cmdSalvataggio_Click);
    connect(m_timeAnalysisButton, &QPushButton::clicked, this, &MenuORV::openTimeAnalysis);
}

void MenuORV::buildMenus() {
    m_menus = new MainMenuBar(m_cmdSelect,
                              {m_cmdElaborazione, m_cmdComparazione, m_timeAnalysisButton}, this);
    setMenuBar(m_menus);
    // Alt and a letter presses a button; the menus keep their own letters.
    assignMnemonics(
        {m_cmdSelect, m_cmdElaborazione, m_cmdComparazione, m_cmdSalvataggio, m_timeAnalysisButton},
        m_menus->mnemonics());
    connect(m_menus, &MainMenuBar::recentChosen, this, &MenuORV::selectWorkbook);
    connect(m_menus, &MainMenuBar::quitRequested, this, &MenuORV::close);
    connect(m_menus, &MainMenuBar::guideRequested, this, &MenuORV::showUserGuide);
    connect(m_menus, &MainMenuBar::aboutRequested, this, &MenuORV::showAbout);
}

void MenuORV::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        updateButtons();
}

void MenuORV::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    updateButtons();
}

// Each button is enabled when its window can work on the workbook, and
// says why not when it cannot.
void MenuORV::updateButtons() {
    m_cmdSalvataggio->setEnabled(m_state.bRisultati);
    const bool selected = !m_state.strMatrice.isEmpty();
    const bool results = selected && !valuesResultFiles(m_state.strMatrice).isEmpty();
    m_cmdComparazione->setEnabled(results);
    m_cmdComparazione->setToolTip(
        selected && !results ? tr("Nessun metodo è ancora stato elaborato per questa matrice: "
                                  "eseguire prima «Elaborazione metodi».")
                             : QString());
    updateTimeAnalysisButton();
}

void MenuORV::updateTimeAnalysisButton() {
    const bool selected = !m_state.strMatrice.isEmpty();
    // Delimited text holds one sheet, a period; a workbook as many as its
    // sheets of data, once counted.
    const bool delimited = selected && isDelimitedText(m_state.strMatrice);
    const bool onePeriod =
        selected && (delimited || (m_periodsOf == m_state.strMatrice && m_periods == 1));
    m_timeAnalysisButton->setEnabled(selected && !onePeriod);
    m_timeAnalysisButton->setToolTip(
        delimited   ? tr("Un file di testo delimitato ha un solo foglio: l'analisi temporale "
                           "richiede un foglio per periodo, almeno due.")
        : onePeriod ? tr("La cartella di lavoro ha un solo foglio di dati: l'analisi temporale "
                         "richiede un foglio per periodo, almeno due.")
                    : QString());
}

void MenuORV::countPeriodsOf(const QString& path) {
    m_periodsOf = path;
    m_periods = -1;
    if (isDelimitedText(path))
        return;
    auto periods = std::make_shared<int>(-1);
    QThread* count = QThread::create(
        [path, periods, regional = m_regional] { *periods = countPeriods(path, regional, 2); });
    m_periodCounts.append(count);
    connect(count, &QThread::finished, this, [this, count, path, periods] {
        m_periodCounts.removeOne(count);
        count->deleteLater();
        if (path == m_periodsOf) {
            m_periods = *periods;
            updateTimeAnalysisButton();
        }
    });
    count->start();
}

bool MenuORV::isDelimitedText(const QString& path) {
    static const QStringList suffixes = {QStringLiteral("csv"), QStringLiteral("txt"),
                                         QStringLiteral("tsv")};
    return suffixes.contains(QFileInfo(path).suffix(), Qt::CaseInsensitive);
}

QString MenuORV::workbookFilter() {
    return tr("Matrici (*.xls *.xlsx *.ods *.csv *.txt *.tsv);;"
              "Cartelle di lavoro Excel 97-2003 (*.xls);;"
              "Cartelle di lavoro Excel (*.xlsx);;"
              "Fogli di calcolo OpenDocument (*.ods);;"
              "Testo delimitato (*.csv *.txt *.tsv)");
}

void MenuORV::cmdSelect_Click() {
    const QString start = m_confirmedPath.isEmpty()
                              ? startFolder(UserSettings::Folder::Workbook, QDir::homePath())
                              : folderOf(m_confirmedPath);
    const QString path =
        m_dialogs.openWorkbook(tr("Seleziona la matrice sorgente"), workbookFilter(), start);
    if (path.isEmpty()) {
        m_dialogs.message(selectionCancelled(), tr("Selezione della matrice sorgente"),
                          Dialogs::Icon::Warning);
        m_state.strMatrice.clear();
        m_state.strCartella.clear();
        m_stbStato->setPanelText(tr("Nessuna matrice sorgente selezionata"));
        m_cmdElaborazione->setEnabled(false);
        updateButtons();
        return;
    }
    selectWorkbook(path);
}

void MenuORV::selectWorkbook(const QString& path) {
    m_confirmedPath = path;
    m_state.strMatrice = path;
    m_state.strCartella = folderOf(path);
    m_stbStato->setPanelText(tr("Matrice sorgente: "), path);
    m_cmdElaborazione->setEnabled(true);
    countPeriodsOf(path);
    updateButtons();
    UserSettings::addRecentWorkbook(path);
    UserSettings::setLastFolder(UserSettings::Folder::Workbook, m_state.strCartella);
    m_menus->refreshRecent();
}

bool MenuORV::isWorkbookFile(const QString& path) {
    static const QStringList suffixes = {QStringLiteral("xls"), QStringLiteral("xlsx"),
                                         QStringLiteral("ods"), QStringLiteral("csv"),
                                         QStringLiteral("txt"), QStringLiteral("tsv")};
    return suffixes.contains(QFileInfo(path).suffix(), Qt::CaseInsensitive);
}

QString MenuORV::droppedWorkbook(const QMimeData* data) const {
    if (!m_cmdSelect->isEnabled() || !data || data->urls().size() != 1)
        return QString();
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile())
        return QString();
    const QString path = url.toLocalFile();
    return isWorkbookFile(path) && QFileInfo(path).isFile() ? QFileInfo(path).absoluteFilePath()
                                                            : QString();
}

void MenuORV::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedWorkbook(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MenuORV::dropEvent(QDropEvent* event) {
    const QString path = droppedWorkbook(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    selectWorkbook(path);
}

HelpWindow* MenuORV::showUserGuide() {
    // A window of its own, not the main window's child, so that the windows
    // that hold the main window (the processing, comparison and time
    // analysis windows) leave it open to the user.
    if (!m_help)
        m_help = std::make_unique<HelpWindow>();
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
    return m_help.get();
}

void MenuORV::showAbout() {
    m_dialogs.message(tr("Orvalta, versione %1\n\n"
                         "Indici sintetici delle unità statistiche con nove metodi, graduatorie "
                         "e confronto dei metodi.\n\n"
                         "Software libero: si può ridistribuire e modificare secondo i termini "
                         "della GNU General Public License, versione 3 o (a scelta) successiva. "
                         "Nessuna garanzia.")
                          .arg(QStringLiteral(ORVALTA_VERSION)),
                      tr("Informazioni su Orvalta"), Dialogs::Icon::Information);
}

void MenuORV::cmdElaborazione_Click() {
    if (!m_indiceMP) {
        m_indiceMP = new IndiceMP(m_state, m_processing, m_dialogs, m_regional, this);
        connect(m_indiceMP, &QDialog::finished, this, &MenuORV::updateButtons);
    }
    // The window opens at once and shows the reading; it closes again when
    // the matrix cannot be shown.
    m_indiceMP->open();
    if (!m_indiceMP->load())
        m_indiceMP->reject();
}

// Opens the comparison window, created on first use.
void MenuORV::cmdComparazione_Click() {
    if (!m_valutaMP) {
        m_valutaMP = new ValutaMP(m_state, m_processing, m_dialogs, m_regional, this);
        connect(m_valutaMP, &QDialog::finished, this, &MenuORV::updateButtons);
    }
    m_valutaMP->load();
    m_valutaMP->open();
}

void MenuORV::openTimeAnalysis() {
    if (!m_timeAnalysis) {
        m_timeAnalysis = new TimeAnalysisWindow(m_dialogs, m_regional, this);
        connect(m_timeAnalysis, &QDialog::finished, this, &MenuORV::updateButtons);
    }
    // The window opens at once and shows the reading; it closes again when
    // the panel cannot be shown.
    m_timeAnalysis->open();
    if (!m_timeAnalysis->load(m_state.strMatrice)) {
        m_timeAnalysis->reject();
        return;
    }
    // Its files lie beside the workbook: there is something to save.
    m_state.bRisultati = true;
}

void MenuORV::cmdSalvataggio_Click() {
    const QString start =
        startFolder(UserSettings::Folder::Destination,
                    m_confirmedPath.isEmpty() ? QDir::homePath() : folderOf(m_confirmedPath));
    const QString destination =
        m_dialogs.pickFolder(tr("Selezionare la cartella di destinazione"), start);
    if (destination.isEmpty()) {
        m_dialogs.message(selectionCancelled(), tr("Selezione annullata"), Dialogs::Icon::Warning);
        return;
    }
    UserSettings::setLastFolder(UserSettings::Folder::Destination, destination);
    SaveOutcome outcome;
    QStringList stale;
    const QString workbook = m_confirmedPath;
    const BackgroundWork::Outcome run =
        m_work->run(tr("Copia dei file"), [&](WorkProgress& progress) {
            // The files that are not current go with the record that says
            // so; the user is told which.
            RecordCheck check(workbook, Regional::system());
            const QDir folder = QFileInfo(workbook).dir();
            for (const QString& name : filesToSave(workbook))
                if (const Currency currency = check.check(folder.filePath(name));
                    currency.state == Currency::State::Stale)
                    stale.append(staleNotice(name, currency));
            outcome = saveResults(workbook, destination, &progress);
        });
    if (run == BackgroundWork::Outcome::OutOfMemory) {
        m_dialogs.message(BackgroundWork::outOfMemoryText(tr("salvare i risultati")),
                          tr("Salvataggio non riuscito"), Dialogs::Icon::Critical);
        return;
    }
    reportSave(outcome, destination, stale);
}

void MenuORV::reportSave(const SaveOutcome& outcome, const QString& destination,
                         const QStringList& stale) {
    const QString title = tr("Salvataggio dei risultati");
    switch (outcome.status) {
    case SaveOutcome::Status::Copied:
        m_dialogs.message(
            (outcome.copied.size() == 1
                 ? tr("Salvataggio dei dati effettuato con successo: 1 file copiato in %1.")
                 : tr("Salvataggio dei dati effettuato con successo: %1 file copiati in %2.")
                       .arg(outcome.copied.size()))
                    .arg(QDir::toNativeSeparators(destination)) +
                (stale.isEmpty() ? QString()
                                 : tr("\n\nFile da ricalcolare (il registro copiato con essi lo "
                                      "indica):\n%1")
                                       .arg(stale.join(u'\n'))),
            tr("Selezione Eseguito Correttamente"), Dialogs::Icon::Warning);
        return;
    case SaveOutcome::Status::SameFolder:
        m_dialogs.message(tr("La cartella di destinazione è la cartella della matrice sorgente: "
                             "i file si trovano già lì e non è stato copiato nulla.\n\n"
                             "Scegliere un'altra cartella per salvarne una copia."),
                          title, Dialogs::Icon::Warning);
        return;
    case SaveOutcome::Status::NoWorkbook:
        m_dialogs.message(tr("Nessuna matrice sorgente selezionata: non c'è nulla da "
                             "salvare."),
                          title, Dialogs::Icon::Warning);
        return;
    case SaveOutcome::Status::Partial:
        break;
    }
    // Once per cause: where and why, then the names of the files it kept
    // from being copied.
    std::map<QString, QStringList> byReason;
    for (const CopyFailure& failure : outcome.failures)
        byReason[failure.reason].append(failure.fileName);
    QStringList paragraphs;
    for (const auto& [reason, names] : byReason)
        paragraphs.append(tr("Il salvataggio in %1 non è riuscito: %2.\n"
                             "File non copiati: %3.")
                              .arg(QDir::toNativeSeparators(destination), reason,
                                   names.join(QStringLiteral(", "))));
    if (!outcome.copied.isEmpty())
        paragraphs.append(tr("Gli altri file sono stati copiati."));
    m_dialogs.message(paragraphs.join(QStringLiteral("\n\n")), tr("Salvataggio non riuscito"),
                      Dialogs::Icon::Critical);
}
