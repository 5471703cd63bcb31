#include "ui/comparison/valutamp.h"

#include "comparison/resultfilelisting.h"
#include "methods/metodi.h"
#include "record/outputrecorder.h"
#include "record/recordcheck.h"
#include "robustness/rankmatrix.h"
#include "shared/resultnames.h"
#include "ui/comparison/comparisonmodel.h"
#include "ui/grid/coefficientlegend.h"
#include "ui/grid/cograduationmodel.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/busycursor.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/failuremessage.h"
#include "ui/platform/hintlabel.h"
#include "ui/platform/mnemonics.h"
#include "ui/platform/usersettings.h"
#include "ui/platform/windowsetup.h"
#include "ui/report/resultsoutput.h"
#include "ui/robustness/robustnesswindow.h"
#include "workflow/comparisonrun.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QStringList entriesOf(const QListWidget* list) {
    QStringList texts;
    texts.reserve(list->count());
    // A file marked as to be computed again keeps its name beside the text.
    for (int i = 0; i < list->count(); ++i) {
        const QVariant name = list->item(i)->data(Qt::UserRole);
        texts.append(name.isValid() ? name.toString() : list->item(i)->text());
    }
    return texts;
}

// The index header of the method whose values result file is entry, told
// by the method code in its name; the code itself for a method the list
// does not know.
QString headerOf(const QString& entry) {
    const QString code = methodCodeOfResultFile(entry);
    const MethodInfo* method = methodWithCode(code);
    return method ? method->indexHeader : code;
}

} // namespace

ValutaMP::ValutaMP(SharedState& state, std::shared_ptr<const Processing> loaded, Dialogs& dialogs,
                   const Regional& regional, QWidget* parent)
    : QDialog(parent), m_state(state), m_loaded(std::move(loaded)), m_dialogs(dialogs),
      m_regional(regional),
      m_valuesModel(new ComparisonModel(m_regional, ComparisonModel::Shown::Values, this)),
      m_ranksModel(new ComparisonModel(m_regional, ComparisonModel::Shown::Ranks, this)),
      m_cograduationModel(new CograduationModel(m_regional, this)),
      m_ui(this, m_valuesModel, m_ranksModel, m_cograduationModel) {
    setupChildWindow(*this, QStringLiteral("ValutaMP"));
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_ui.selection);
    m_splitter->addWidget(m_ui.results);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 1);
    m_stbStato = new ClockStatusBar(m_regional.locale(), this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->setSpacing(6);
    layout->addWidget(m_splitter, 1);
    layout->addLayout(m_ui.outputs);
    for (CoefficientLegend* legend : findChildren<CoefficientLegend*>())
        legend->setLocale(m_regional.locale());
    layout->addWidget(m_stbStato);

    m_work = new BackgroundWork(this, m_stbStato);
    m_work->setControls({m_ui.lstMetodi, m_ui.lstSelezionati, m_ui.allButton, m_ui.cmdSelect,
                         m_ui.robustnessButton, m_ui.frmTipoRisultato, m_ui.exportButton,
                         m_ui.reportButton});
    connectControls();
    fitToScreen(*this, {1280, 800});
    // Alt and a letter presses every button.
    assignWindowMnemonics(*this);
}

ValutaMP::~ValutaMP() = default;

void ValutaMP::connectControls() {
    setTabOrder(m_ui.lstMetodi, m_ui.lstSelezionati);
    setTabOrder(m_ui.lstSelezionati, m_ui.msfCograduazione);
    setTabOrder(m_ui.msfCograduazione, m_ui.cmdSelect);
    setTabOrder(m_ui.cmdSelect, m_ui.robustnessButton);
    QAbstractButton* values = m_ui.optTipoRisultato->button(ComparisonWidgets::kValues);
    QAbstractButton* ranks = m_ui.optTipoRisultato->button(ComparisonWidgets::kRanks);
    setTabOrder(m_ui.robustnessButton, values);
    setTabOrder(values, ranks);
    setTabOrder(ranks, m_ui.msfRisultati);
    setTabOrder(m_ui.msfRisultati, m_ui.msfRanking);

    connect(m_ui.lstMetodi, &QAbstractItemView::doubleClicked, this, &ValutaMP::lstMetodi_DblClick);
    connect(m_ui.lstSelezionati, &QAbstractItemView::doubleClicked, this,
            &ValutaMP::lstSelezionati_DblClick);
    m_ui.lstMetodi->installEventFilter(this);
    m_ui.lstSelezionati->installEventFilter(this);
    connect(m_ui.allButton, &QPushButton::clicked, this, &ValutaMP::chooseAll);
    connect(m_ui.cmdSelect, &QPushButton::clicked, this, [this] { cmdSelect_Click(); });
    connect(m_ui.robustnessButton, &QPushButton::clicked, this, [this] { openRobustness(); });
    connect(m_ui.exportButton, &QPushButton::clicked, this, &ValutaMP::exportResults);
    connect(m_ui.reportButton, &QPushButton::clicked, this, &ValutaMP::writeReport);
    connect(m_ui.optTipoRisultato, &QButtonGroup::idClicked, this,
            [this] { optTipoRisultato_Click(); });
    connect(m_ui.msfRisultati, &GridView::autosizeRequested, this, &ValutaMP::fitResults);
    connect(this, &QDialog::finished, this, &ValutaMP::unload);
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { m_splitterMoved = true; });
}

void ValutaMP::load() {
    m_ui.lstMetodi->clear();
    m_ui.lstSelezionati->clear();
    if (!m_state.strMatrice.isEmpty())
        listResultFiles();
    m_valuesModel->clear();
    m_ranksModel->clear();
    m_cograduationModel->clear();
    m_ui.cmdSelect->hide();
    m_ui.robustnessButton->hide();
    m_ui.frmTipoRisultato->hide();
    m_ui.optTipoRisultato->button(ComparisonWidgets::kValues)->setChecked(true);
    m_ui.msfRisultati->show();
    m_ui.msfRanking->show();
    // The methods last chosen for this workbook, in their order, when they
    // are still listed.
    for (const QString& code : UserSettings::comparedMethods(m_state.strMatrice))
        for (int i = 0; i < m_ui.lstMetodi->count(); ++i)
            if (methodCodeOfResultFile(m_ui.lstMetodi->item(i)->text()) == code) {
                m_ui.lstSelezionati->addItem(m_ui.lstMetodi->takeItem(i));
                break;
            }
    m_ui.cmdSelect->setVisible(m_ui.lstSelezionati->count() > 1);
    m_stbStato->setPanelText(QString());
    m_splitterMoved = false;
    m_selectionWidth = selectionWidth();
    divide();
    updateHint();
    m_ui.lstMetodi->setFocus();
}

// Each values result file, those of the nine methods before those of the
// composites, marked "da ricalcolare" with the reason as its
// tip when it or its ranks file is not current for the matrix loaded (or,
// with none loaded, for the latest result file).
void ValutaMP::listResultFiles() {
    const QString workbook = QFileInfo(m_state.strMatrice).absoluteFilePath();
    QStringList names = valuesResultFiles(workbook);
    // The nine methods' files first, then those of the composites.
    std::stable_partition(names.begin(), names.end(), [](const QString& name) {
        return methodWithCode(methodCodeOfResultFile(name)) != nullptr;
    });
    const QDir folder = QFileInfo(workbook).dir();
    const std::optional<MatrixBasis> basis = loadedBasis();
    RecordCheck check(workbook, m_regional,
                      basis ? std::optional<QJsonObject>(basisSettings(*basis)) : std::nullopt);
    QString latest;
    QString latestWritten;
    for (const QString& name : names)
        if (const RecordEntry* entry = check.record().find(name);
            entry && entry->written >= latestWritten) {
            latest = folder.filePath(name);
            latestWritten = entry->written;
        }
    if (!latest.isEmpty())
        check.expectAsOf(latest);
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, m_ui.lstMetodi);
        Currency currency = check.check(folder.filePath(name));
        if (currency.state != Currency::State::Stale)
            currency = check.check(folder.filePath(ranksFileFor(name)));
        if (currency.state != Currency::State::Stale)
            continue;
        item->setData(Qt::UserRole, name);
        item->setText(tr("%1 (da ricalcolare)").arg(name));
        item->setToolTip(currency.reason);
        item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
    }
}

// Everything shown goes when the window closes; the next opening lists the
// files afresh.
void ValutaMP::unload() {
    if (m_robustness)
        m_robustness->close();
    m_ui.lstMetodi->clear();
    m_ui.lstSelezionati->clear();
    m_valuesModel->clear();
    m_ranksModel->clear();
    m_cograduationModel->clear();
}

void ValutaMP::lstMetodi_DblClick() {
    moveEntry(m_ui.lstMetodi, m_ui.lstSelezionati);
}

void ValutaMP::lstSelezionati_DblClick() {
    moveEntry(m_ui.lstSelezionati, m_ui.lstMetodi);
}

void ValutaMP::moveEntry(QListWidget* from, QListWidget* to) {
    const int row = from->currentRow();
    if (row < 0 || row >= from->count())
        return;
    to->addItem(from->takeItem(row));
    selectionChanged();
}

void ValutaMP::chooseAll() {
    std::vector<QListWidgetItem*> items;
    for (QListWidget* list : {m_ui.lstSelezionati, m_ui.lstMetodi})
        while (list->count() > 0)
            items.push_back(list->takeItem(0));
    // The method table's order; a method it does not know after them.
    const auto position = [](const QListWidgetItem* item) {
        const MethodInfo* method = methodWithCode(methodCodeOfResultFile(item->text()));
        return method ? method->position : int(methodTable().size());
    };
    std::stable_sort(items.begin(), items.end(),
                     [&](const QListWidgetItem* a, const QListWidgetItem* b) {
                         return position(a) < position(b);
                     });
    for (QListWidgetItem* item : items)
        m_ui.lstSelezionati->addItem(item);
    selectionChanged();
}

void ValutaMP::selectionChanged() {
    QStringList codes;
    for (const QString& entry : entriesOf(m_ui.lstSelezionati))
        codes.append(methodCodeOfResultFile(entry));
    UserSettings::setComparedMethods(m_state.strMatrice, codes);
    // The results on view no longer match the selection; the cograduation
    // matrix stays until the next run replaces it.
    m_ui.frmTipoRisultato->hide();
    m_ui.robustnessButton->hide();
    m_ui.msfRisultati->hide();
    m_ui.msfRanking->hide();
    m_ui.cmdSelect->setVisible(m_ui.lstSelezionati->count() > 1);
    updateHint();
}

ValutaMP::RunOutcome ValutaMP::cmdSelect_Click() {
    const QStringList entries = entriesOf(m_ui.lstSelezionati);
    if (entries.size() < 2)
        return RunOutcome::NotRun;
    m_state.bRisultati = true;
    m_stbStato->setPanelText(QString());

    // The files are read, compared and the comparison written off the
    // window's thread; the grids take the tables afterwards.
    Expected<ComparisonRun> run;
    const QString workbook = m_state.strMatrice;
    const std::optional<MatrixBasis> basis = loadedBasis();
    const std::optional<QJsonObject> expected =
        basis ? std::optional<QJsonObject>(basisSettings(*basis)) : std::nullopt;
    setRecordActor({tr("Comparazione: Confronta"), {}});
    const BackgroundWork::Outcome outcome = m_work->run(
        tr("Lettura dei risultati"),
        [&, regional = m_regional](WorkProgress& progress) {
            run = compareAndSave(workbook, entries, regional, &progress, expected);
        },
        true);
    if (outcome == BackgroundWork::Outcome::OutOfMemory) {
        showOutOfMemory(m_dialogs, tr("confrontare i metodi"));
        return RunOutcome::OutOfMemory;
    }
    if (!run && run.error().kind == FailureKind::Cancelled) {
        // Stopped by the user: grids and files stay as they were.
        m_stbStato->setPanelText(run.error().message);
        return RunOutcome::Refused;
    }
    if (!run) {
        // The files do not belong together: grids and files stay as they were.
        showFailure(m_dialogs, run.error());
        return RunOutcome::Refused;
    }
    showComparison(std::move(run->comparison));
    if (run->saved)
        return RunOutcome::Saved;
    // The comparison is on view, but must not pass for saved.
    m_stbStato->setPanelText(tr("Confronto non salvato"));
    showFailure(m_dialogs,
                failure(run->saved.error().kind,
                        tr("Il confronto è stato eseguito, ma non è stato salvato.\n\n") +
                            run->saved.error().message));
    return RunOutcome::NotSaved;
}

void ValutaMP::exportResults() {
    exportResultsWorkbook(m_state.strMatrice, matrixOf(m_loaded.get(), m_state.strMatrice), nullptr,
                          m_dialogs, *m_work, m_regional,
                          structureOf(m_loaded.get(), m_state.strMatrice),
                          gapsOf(m_loaded.get(), m_state.strMatrice), loadedBasis());
}

void ValutaMP::writeReport() {
    ::writeReport(m_state.strMatrice, matrixOf(m_loaded.get(), m_state.strMatrice), m_dialogs,
                  *m_work, m_regional, structureOf(m_loaded.get(), m_state.strMatrice),
                  gapsOf(m_loaded.get(), m_state.strMatrice), loadedBasis());
}

std::optional<MatrixBasis> ValutaMP::loadedBasis() const {
    if (!matrixOf(m_loaded.get(), m_state.strMatrice))
        return std::nullopt;
    return m_loaded->basis();
}

void ValutaMP::showComparison(ComparisonResult comparison) {
    BusyCursor busy;
    m_ui.lstSelezionati->setCurrentRow(m_ui.lstSelezionati->count() - 1);
    m_cograduationModel->setMatrix(comparison.cograduation);
    const auto shown = std::make_shared<const ComparisonResult>(std::move(comparison));
    m_valuesModel->setComparison(shown);
    m_ranksModel->setComparison(shown);
    fitCograduation();
    m_ui.frmTipoRisultato->show();
    m_ui.robustnessButton->show();
    m_ui.optTipoRisultato->button(ComparisonWidgets::kValues)->setChecked(true);
    optTipoRisultato_Click();
    fitResults();
}

RobustnessWindow* ValutaMP::openRobustness() {
    if (m_ranksModel->gridRowCount() < 2 || !m_ui.robustnessButton->isVisibleTo(this))
        return nullptr;
    if (!m_robustness)
        m_robustness = new RobustnessWindow(m_state, m_loaded, m_dialogs, m_regional, this);
    m_robustness->open();
    const ComparisonResult& comparison = *m_ranksModel->comparison();
    m_robustness->showComparison(rankMatrixOf(comparison), comparison.cograduation);
    return m_robustness;
}

void ValutaMP::optTipoRisultato_Click() {
    const bool values = m_ui.optTipoRisultato->button(ComparisonWidgets::kValues)->isChecked();
    m_ui.msfRisultati->setVisible(values);
    m_ui.msfRanking->setVisible(!values);
    updateHint();
}

// The values grid fits its texts; the ranks grid takes the same widths, so
// that switching views leaves every column in its place.
void ValutaMP::fitResults() {
    FG_AutosizeCols(*m_ui.msfRisultati, -1, -1, false);
    const int columns =
        std::min(m_ui.msfRisultati->gridColumnCount(), m_ui.msfRanking->gridColumnCount());
    for (int c = 0; c < columns; ++c)
        m_ui.msfRanking->setGridColumnWidth(c, m_ui.msfRisultati->gridColumnWidth(c));
}

// Every method column of the cograduation matrix gets the same width: the
// width planned at the opening, or that of the widest text when it needs
// more, so that the matrix reads as a square table.
void ValutaMP::fitCograduation() {
    const int columns = m_cograduationModel->gridColumnCount();
    const QFontMetrics metrics(m_ui.msfCograduazione->font());
    int widest = 0;
    for (int r = 0; r < m_cograduationModel->gridRowCount(); ++r)
        for (int c = 1; c < columns; ++c)
            widest =
                std::max(widest, metrics.horizontalAdvance(m_cograduationModel->gridText(r, c)));
    const int width =
        std::max(widest + metrics.horizontalAdvance(QStringLiteral("W")), m_cograduationColumn);
    for (int c = 1; c < columns; ++c)
        m_ui.msfCograduazione->setGridColumnWidth(c, width);
}

// The width the selection needs to show the cograduation matrix of every
// listed method whole: their index headers and the coefficients ("-1,0000")
// in columns of one width. Sets that column width.
int ValutaMP::selectionWidth() {
    const QFontMetrics metrics(m_ui.msfCograduazione->font());
    int widest = metrics.horizontalAdvance(m_regional.fixed4(-1.0));
    int widestLabel = 0;
    const QStringList listed = entriesOf(m_ui.lstMetodi) + entriesOf(m_ui.lstSelezionati);
    for (const QString& entry : listed) {
        widest = std::max(widest, metrics.horizontalAdvance(methodCodeLabel(headerOf(entry))));
        widestLabel =
            std::max(widestLabel, metrics.horizontalAdvance(methodLabel(headerOf(entry))));
    }
    const int padding = metrics.horizontalAdvance(QStringLiteral("W"));
    m_cograduationColumn = widest + padding;
    if (listed.isEmpty())
        return 0;
    // The row headers, with the header's padding.
    const int header = std::max(m_cograduationColumn, widestLabel + 2 * padding) + 8;
    const int grid = 2 * m_ui.msfCograduazione->frameWidth() + 4 + header +
                     int(listed.size()) * m_cograduationColumn;
    const QMargins margins =
        m_ui.frmMatrice->contentsMargins() + m_ui.frmMatrice->layout()->contentsMargins() +
        m_ui.Frame2->contentsMargins() + m_ui.Frame2->layout()->contentsMargins();
    return grid + margins.left() + margins.right();
}

// The selection takes the left half of the window, or more, up to three
// fifths, when the cograduation matrix of every listed method needs it to
// be seen whole; runs do not change it, and once the user has moved the
// divider it stays where it was put until the next opening.
void ValutaMP::divide() {
    if (m_splitterMoved)
        return;
    const int total = m_splitter->width() - m_splitter->handleWidth();
    if (total <= 0)
        return;
    const int left = std::max(total / 2, std::min(m_selectionWidth, total * 3 / 5));
    m_splitter->setSizes({left, total - left});
}

void ValutaMP::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    divide();
}

void ValutaMP::updateHint() {
    const bool shown = m_valuesModel->gridRowCount() > 0 &&
                       (m_ui.msfRisultati->isVisibleTo(this) || m_ui.msfRanking->isVisibleTo(this));
    if (shown) {
        m_ui.hint->hide();
        return;
    }
    if (m_ui.lstMetodi->count() + m_ui.lstSelezionati->count() == 0)
        m_ui.hint->setText(tr("Nessun metodo è ancora stato elaborato per questa "
                              "matrice: eseguire prima i metodi da "
                              "«Elaborazione metodi»."));
    else if (m_ui.lstSelezionati->count() < 2)
        m_ui.hint->setText(tr("Fare doppio clic su almeno due metodi elaborati "
                              "per aggiungerli al confronto, o premere «Tutti»."));
    else
        m_ui.hint->setText(tr("Premere «Valutazione Metodi» per confrontare i "
                              "metodi selezionati."));
    m_ui.hint->show();
    m_ui.hint->raise();
}

// Enter on an entry moves it like a double click.
bool ValutaMP::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        (watched == m_ui.lstMetodi || watched == m_ui.lstSelezionati)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_ui.lstMetodi)
                lstMetodi_DblClick();
            else
                lstSelezionati_DblClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
