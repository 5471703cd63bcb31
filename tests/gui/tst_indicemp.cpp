#include "methods/metodi.h"
#include "record/record.h"
#include "support/guitestsupport.h"
#include "support/recordingdialogs.h"
#include "support/scratchsettings.h"
#include "support/testsupport.h"
#include "support/workrecorder.h"
#include "ui/grid/gridview.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/processing/compositesdialog.h"
#include "ui/processing/indicemp.h"
#include "workbook/xlsx/xlsxreader.h"

#include <QBrush>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

// The processing window's wiring: its controls reach the Processing
// workflow, what the workflow computes and writes reaches the grids through
// the shared state, and its failures reach the message helper.
class TestIndiceMP : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void loadShowsMatrix();
    void loadFailures_data();
    void loadFailures();
    void outOfMemoryWhileLoadingKeepsState();
    void cancelledLoadingChangesNothing();
    void methodRunReachesGrids();
    void views();
    void automaticProcessing();
    void writeFailureShownAsFailed();
    void captionAndPaneWidth();
    void reopeningReloads();
    void exportAfterMethodRun();
    void structureBesideMatrix();
    void gapsAskedOnceAndMarked();
    void choicesAcrossSessions();
    void refusedStructureCanBeIgnored();
    void compositesListedDefinedAndRun();
    void refusedDefinitionWritesNothing_data();
    void refusedDefinitionWritesNothing();
    void sheetCompositesReadOnly();

private:
    IndiceMP& window(const Rows& rows);
    IndiceMP& window(Processing::MatrixLoader loader);
    void choose(int position);
    template <typename T> T* child(const char* name) const;
    bool shown(const char* name) const;
    QString resultFile(const QString& code, const char* extension) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    SharedState m_state;
    RecordingDialogs m_dialogs;
    std::unique_ptr<Regional> m_regional;
    std::unique_ptr<IndiceMP> m_window;
};

namespace {

const Rows kProvince{{t("Provincia"), t("Reddito"), t("disoccupati")},
                     {t("Alfa"), 30.0, 5.0},
                     {t("Beta"), 10.0, 9.0},
                     {t("Gamma"), 20.0, 7.0}};

// Two dimensions weighing 2 and 1 that order the units differently;
// servizi, weighing 0, is left out.
const Rows kProvinceServizi{{t("Provincia"), t("Reddito"), t("disoccupati"), t("servizi")},
                            {t("Alfa"), 30.0, 5.0, 3.0},
                            {t("Beta"), 10.0, 6.0, 1.0},
                            {t("Gamma"), 20.0, 9.0, 2.0}};
// Reddito's goalpost, read by composites only, shows in the tree.
const QByteArray kStruttura =
    "Elemento;Padre;Peso;Minimo\r\nEconomia;;2;\r\nLavoro;;1;\r\n"
    "Reddito;Economia;;5\r\ndisoccupati;Lavoro;;\r\nservizi;Lavoro;0;\r\n";

// The parts after the last ";" of the lines of a result file.
QStringList valueParts(const QString& path) {
    QStringList parts;
    for (const QString& line : QString::fromUtf8(fileContents(path)).split(QStringLiteral("\r\n")))
        if (!line.isEmpty())
            parts.append(line.mid(line.lastIndexOf(u';') + 1));
    return parts;
}

// The column col of a ";" file.
QStringList fileColumn(const QString& path, int col) {
    QStringList parts;
    for (const QString& line : QString::fromUtf8(fileContents(path)).split(QStringLiteral("\r\n")))
        if (!line.isEmpty())
            parts.append(line.split(u';').value(col));
    return parts;
}

} // namespace

void TestIndiceMP::initTestCase() {
    BackgroundWork::setRevealDelay(0);
}

void TestIndiceMP::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_state = SharedState();
    m_state.strMatrice = m_dir->filePath(QStringLiteral("Province.xlsx"));
    m_state.strCartella = m_dir->path();
    m_dialogs = RecordingDialogs();
    m_regional = std::make_unique<Regional>(QLocale(QLocale::Italian, QLocale::Italy));
}

void TestIndiceMP::cleanup() {
    m_window.reset();
}

IndiceMP& TestIndiceMP::window(const Rows& rows) {
    return window(memoryLoader(rows, *m_regional));
}

IndiceMP& TestIndiceMP::window(Processing::MatrixLoader loader) {
    m_window = std::make_unique<IndiceMP>(
        m_state, std::make_shared<Processing>(*m_regional, std::move(loader)), m_dialogs,
        *m_regional);
    return *m_window;
}

// Picks an entry of the method list as the user does.
void TestIndiceMP::choose(int position) {
    auto* combo = child<QComboBox>("cmbMetodo");
    combo->setCurrentIndex(position);
    Q_EMIT combo->activated(position);
}

template <typename T> T* TestIndiceMP::child(const char* name) const {
    T* found = m_window->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

bool TestIndiceMP::shown(const char* name) const {
    return child<QWidget>(name)->isVisibleTo(m_window.get());
}

QString TestIndiceMP::resultFile(const QString& code, const char* extension) const {
    return m_state.strMatrice + QStringLiteral(".out") + code + QLatin1String(extension);
}

void TestIndiceMP::loadShowsMatrix() {
    IndiceMP& w = window(kProvince);
    QVERIFY(w.load());
    w.show();

    QCOMPARE(w.windowTitle(), QStringLiteral("Orvalta"));
    QCOMPARE(m_state.nRighe, 4);
    QCOMPARE(m_state.nColonne, 3);
    QVERIFY(!m_state.bNegativi);
    GridView* data = w.msfMatrice();
    QVERIFY(data->isVisible());
    QCOMPARE(data->cornerText(), QStringLiteral("Provincia"));
    QCOMPARE(gridColumnTexts(data, 0), (QStringList{"Provincia", "Alfa", "Beta", "Gamma"}));
    QCOMPARE(gridColumnTexts(data, 2), (QStringList{"disoccupati", "5,0000", "9,0000", "7,0000"}));
    // Coloured by the polarity of the names.
    QCOMPARE(data->model()->index(1, 0).data(Qt::BackgroundRole).value<QColor>(),
             QColor(192, 255, 192));
    QCOMPARE(data->model()->index(1, 1).data(Qt::BackgroundRole).value<QColor>(),
             QColor(255, 192, 192));
    // A double click on a divider of the header fits the columns again.
    const int fitted = data->gridColumnWidth(1);
    data->setGridColumnWidth(1, 300);
    Q_EMIT data->horizontalHeader()->sectionHandleDoubleClicked(0);
    QCOMPARE(data->gridColumnWidth(1), fitted);

    // Ready for choosing a method: nothing else to see yet.
    QVERIFY(shown("cmbMetodo"));
    QCOMPARE(child<QComboBox>("cmbMetodo")->currentIndex(), -1);
    QCOMPARE(child<QComboBox>("cmbMetodo")->count(), 9);
    QVERIFY(!shown("frmTipo"));
    QVERIFY(!shown("frmTipoRisultato"));
    QVERIFY(!shown("msfRisultati"));
    QCOMPARE(child<ClockStatusBar>("stbStato")->panelText(),
             QStringLiteral("Indice Sintetico ") + m_state.strMatrice);
    // Without a structure, nothing of one.
    for (const char* name : {"frmStruttura", "lblStruttura", "chkIgnoraStruttura", "cmbDimensione"})
        QVERIFY2(!shown(name), name);
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestIndiceMP::loadFailures_data() {
    QTest::addColumn<bool>("refused"); // else the real loader on a file that is no workbook
    QTest::addColumn<QString>("message");
    QTest::addColumn<Dialogs::Icon>("icon");
    QTest::newRow("refused matrix")
        << true
        << QStringLiteral("L'indicatore definito nella matrice come Reddito risulta avere valori "
                          "alfanumerici. Verificare la validità della matrice selezionata!")
        << Dialogs::Icon::None;
    QTest::newRow("unreadable workbook")
        << false << QStringLiteral("Province.xlsx") << Dialogs::Icon::Critical;
}

// A refused matrix ends the program; a workbook that cannot be read does not.
void TestIndiceMP::loadFailures() {
    QFETCH(bool, refused);
    QFETCH(QString, message);
    QFETCH(Dialogs::Icon, icon);

    QVERIFY(writeFileBytes(m_state.strMatrice, "non è una cartella di lavoro"));
    IndiceMP& w = refused ? window(Rows{{t("P"), t("Reddito")}, {t("a"), 1.0}, {t("b"), t("n.d.")}})
                          : window(Processing::MatrixLoader());
    QVERIFY(!w.load());
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY2(m_dialogs.messages[0].text.contains(message), qPrintable(m_dialogs.messages[0].text));
    QCOMPARE(m_dialogs.messages[0].title, QStringLiteral("Orvalta"));
    QCOMPARE(m_dialogs.messages[0].icon, icon);
    QCOMPARE(m_dialogs.endProgramCalls, refused ? 1 : 0);
}

// The second opening runs out of memory: reported, and the program goes on
// with the matrix it had.
void TestIndiceMP::outOfMemoryWhileLoadingKeepsState() {
    auto loads = std::make_shared<int>(0);
    const Processing::MatrixLoader load = memoryLoader(kProvince, *m_regional);
    IndiceMP& w = window([load, loads](const QString& path, WorkProgress* progress) {
        if (++*loads > 1)
            throw std::bad_alloc();
        return load(path, progress);
    });
    QVERIFY(w.load());
    w.reject();
    QVERIFY(!w.load());
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY2(m_dialogs.messages[0].text.startsWith(
                 QStringLiteral("Memoria insufficiente per leggere la matrice Province.xlsx.")),
             qPrintable(m_dialogs.messages[0].text));
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(m_dialogs.endProgramCalls, 0);
    QCOMPARE(m_state.nRighe, 4);
    QVERIFY(child<QPushButton>("cmdSelect")->isEnabled());
}

// Cancelled while the workbook is read: no message, and the state and the
// files of the last matrix stay as they were.
void TestIndiceMP::cancelledLoadingChangesNothing() {
    auto rows = std::make_shared<Rows>(kProvince);
    bool hold = false;
    const Processing::MatrixLoader read = memoryLoader(rows, *m_regional);
    IndiceMP& w = window([&](const QString& path, WorkProgress* progress) {
        if (hold) {
            progress->report(QStringLiteral("Lettura della matrice"), 45);
            waitForCancel(*progress);
        }
        return read(path, progress);
    });
    QVERIFY(w.load());
    w.show();
    choose(0);
    const SharedState before = m_state;
    const QByteArray values = fileContents(resultFile("MPI+", ".csv"));

    hold = true;
    (*rows)[1][1] = 99.0;
    WorkRecorder recorder(&w, {});
    auto* bar = child<ClockStatusBar>("stbStato");
    QString progressShown;
    recorder.onStart = [&] {
        whenTrue([&] { return bar->shownPanelText().endsWith(QStringLiteral("45%")); },
                 [&] {
                     progressShown = bar->shownPanelText();
                     QTest::mouseClick(child<QPushButton>("stbAnnulla"), Qt::LeftButton);
                 });
    };
    QVERIFY(!w.load());
    QCOMPARE(progressShown, QStringLiteral("Lettura della matrice... 45%"));
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(m_dialogs.endProgramCalls, 0);
    QCOMPARE(m_state.matDati, before.matDati);
    QCOMPARE(m_state.matValori, before.matValori);
    QCOMPARE(fileContents(resultFile("MPI+", ".csv")), values);
}

// A method chosen in the list runs, writes its files, and its results reach
// the grid: the texts of the grid are those of the files.
void TestIndiceMP::methodRunReachesGrids() {
    IndiceMP& w = window(kProvince);
    QVERIFY(w.load());
    w.show();
    choose(2); // WROC

    QVERIFY(m_dialogs.messages.isEmpty());
    QVERIFY(m_state.bRisultati);
    for (const char* name : {"frmTipo", "frmTipoRisultato", "msfRisultati", "msfMatrice"})
        QVERIFY2(shown(name), name);
    QVERIFY(child<QRadioButton>("optTipo0")->isChecked());
    QVERIFY(child<QRadioButton>("optTipoRisultato0")->isChecked());
    QCOMPARE(gridColumnTexts(w.msfRisultati(), 0),
             (QStringList{"Provincia", "Alfa", "Beta", "Gamma"}));
    QCOMPARE(gridColumnTexts(w.msfRisultati(), 1), valueParts(resultFile("WROC", ".csv")));
    QCOMPARE(m_state.matGraduatoria, m_state.matValori);
}

void TestIndiceMP::views() {
    IndiceMP& w = window(kProvince);
    QVERIFY(w.load());
    w.show();
    choose(6); // M1NI: index numbers, NI_ names

    // "Trasformata": the transformed matrix under the method's names,
    // coloured by the source names.
    QTest::mouseClick(child<QRadioButton>("optTipo1"), Qt::LeftButton);
    GridView* data = w.msfMatrice();
    QCOMPARE(data->gridModel()->gridText(0, 1), QStringLiteral("NI_Reddito"));
    QCOMPARE(data->gridModel()->gridText(1, 2), m_regional->fixed4(m_state.matTrasformata(2, 3)));
    QCOMPARE(data->model()->index(0, 1).data(Qt::BackgroundRole).value<QColor>(),
             QColor(255, 192, 192));
    QTest::mouseClick(child<QRadioButton>("optTipo0"), Qt::LeftButton);
    QCOMPARE(data->gridModel()->gridText(0, 1), QStringLiteral("Reddito"));

    // "Graduatoria" shows the units ordered by the ranks file, the best
    // first, with their values; "Ranghi" the ranks file.
    const QStringList units = gridColumnTexts(w.msfRisultati(), 0);
    const QStringList values = gridColumnTexts(w.msfRisultati(), 1);
    const QStringList ranks = valueParts(resultFile("M1NI", ".rnk"));
    QTest::mouseClick(child<QRadioButton>("optTipoRisultato1"), Qt::LeftButton);
    const QStringList rankedUnits = gridColumnTexts(w.msfRisultati(), 0);
    const QStringList rankedValues = gridColumnTexts(w.msfRisultati(), 1);
    QCOMPARE(rankedUnits.size(), units.size());
    for (qsizetype k = 1; k < units.size(); ++k) {
        const qsizetype at = ranks[k].toInt();
        QCOMPARE(rankedUnits[at], units[k]);
        QCOMPARE(rankedValues[at], values[k]);
    }
    QTest::mouseClick(child<QRadioButton>("optTipoRisultato2"), Qt::LeftButton);
    QCOMPARE(gridColumnTexts(w.msfRisultati(), 1), ranks);
    QTest::mouseClick(child<QRadioButton>("optTipoRisultato0"), Qt::LeftButton);
    QCOMPARE(gridColumnTexts(w.msfRisultati(), 1), values);
    QVERIFY(m_dialogs.messages.isEmpty());
}

// The nine methods in one run off the window's thread, the list following
// them; the refusals are summed up after it in one box naming the methods
// that ran and the cell each refusal is about; the grids show the last
// method that ran.
void TestIndiceMP::automaticProcessing() {
    Rows rows = kProvince;
    rows[2][1] = -10.0; // Beta's income: the index-number methods refuse
    IndiceMP& w = window(rows);
    QVERIFY(w.load());
    w.show();
    auto* combo = child<QComboBox>("cmbMetodo");
    WorkRecorder recorder(&w, {child<QPushButton>("cmdSelect"), combo});
    QSignalSpy listed(combo, &QComboBox::currentIndexChanged);
    QTest::mouseClick(child<QPushButton>("cmdSelect"), Qt::LeftButton);
    QCOMPARE(recorder.steps, QStringList{QStringLiteral("Elaborazione automatica")});
    QVERIFY(recorder.controlsOffThroughout);
    QVERIFY(combo->isEnabled());
    QVERIFY(listed.size() >= 9);
    for (int i = 0; i < 9; ++i)
        QCOMPARE(listed[i].first().toInt(), i);

    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::None);
    const QStringList summary = m_dialogs.messages[0].text.split(u'\n');
    QCOMPARE(summary.first(), QStringLiteral("Elaborazione automatica: eseguiti 6 metodi su 9 "
                                             "(MPI+, MPI-, WROC, M1VZ, GRAD, INRE)."));
    for (const char* refusal : {"M1NI Media aritmetica dei numeri indici base media\n"
                                "ANIM - Il metodo non prevede valori strettamente negativi\n"
                                "Prima cella: B3 (Beta, Reddito), valore -10.",
                                "GNIM - Il metodo non prevede valori negativi o nulli\n"
                                "Prima cella: B3 (Beta, Reddito), valore -10.",
                                "M2NI Media quadratica dei numeri indici base media\n"
                                "QNIM - Il metodo non prevede valori strettamente negativi"})
        QVERIFY2(m_dialogs.messages[0].text.contains(QString::fromUtf8(refusal)),
                 qPrintable(m_dialogs.messages[0].text));
    const QStringList codes = methodCodes();
    for (int i = 0; i < codes.size(); ++i)
        QCOMPARE(QFile::exists(resultFile(codes[i], ".rnk")), i < 6);
    // The list on its last entry, the grids on the last method that ran.
    QCOMPARE(combo->currentIndex(), 8);
    QCOMPARE(child<QGroupBox>("Frame1")->title(), QStringLiteral("Matrice dei risultati: INRE"));
    QCOMPARE(gridColumnTexts(w.msfRisultati(), 1), valueParts(resultFile("INRE", ".csv")));
}

void TestIndiceMP::writeFailureShownAsFailed() {
    IndiceMP& w = window(kProvince);
    QVERIFY(w.load());
    w.show();
    choose(4); // GRAD runs
    const QStringList shownValues = gridColumnTexts(w.msfRisultati(), 1);

    // The ranks file of INRE cannot be written: a folder holds its name.
    QVERIFY(QDir().mkdir(resultFile("INRE", ".rnk")));
    choose(5);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Critical);
    QVERIFY2(m_dialogs.messages[0].text.startsWith(
                 QStringLiteral("Il metodo INRE non è stato eseguito: i file dei risultati")),
             qPrintable(m_dialogs.messages[0].text));
    QVERIFY(m_dialogs.messages[0].text.contains(QStringLiteral("Province.xlsx.outINRE.rnk")));
    QVERIFY(!QFile::exists(resultFile("INRE", ".csv")));
    // Nothing shows the failed run as done.
    QCOMPARE(child<QComboBox>("cmbMetodo")->currentIndex(), 4);
    QCOMPARE(gridColumnTexts(w.msfRisultati(), 1), shownValues);

    // The automatic processing stops at the first file it cannot write.
    m_dialogs.messages.clear();
    QVERIFY(QDir().mkdir(resultFile("MPI+", ".csv")));
    QTest::mouseClick(child<QPushButton>("cmdSelect"), Qt::LeftButton);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY(m_dialogs.messages[0].text.startsWith(QStringLiteral("Il metodo MPI+ non")));
    QVERIFY(!QFile::exists(resultFile("MPI-", ".csv")));
    QCOMPARE(child<QComboBox>("cmbMetodo")->currentIndex(), 4);
}

// The results frame names the method its grid holds; the pane keeps its
// width across views and runs, and each workbook gets its own division.
void TestIndiceMP::captionAndPaneWidth() {
    IndiceMP& w = window(kProvince);
    w.resize(1000, 600);
    w.show();
    QVERIFY(w.load());
    auto* frame = child<QGroupBox>("Frame1");
    QCOMPARE(frame->title(), QStringLiteral("Matrice dei risultati"));
    const int width = frame->width();
    choose(2);
    QCOMPARE(frame->title(), QStringLiteral("Matrice dei risultati: WROC"));
    QCOMPARE(frame->toolTip(), QStringLiteral("WROC Metodo tassonomico di Wroclaw"));
    for (const char* view : {"optTipoRisultato2", "optTipoRisultato1", "optTipo1"}) {
        QTest::mouseClick(child<QRadioButton>(view), Qt::LeftButton);
        QCOMPARE(frame->width(), width);
    }
    choose(4);
    QCOMPARE(frame->width(), width);

    // A divider moved on one workbook is not carried to the next.
    auto* splitter = child<QSplitter>("splitter");
    splitter->setSizes({splitter->width() / 2, splitter->width() / 2});
    Q_EMIT splitter->splitterMoved(splitter->width() / 2, 1);
    QVERIFY(frame->width() != width);
    w.reject();
    QVERIFY(w.load());
    QCOMPARE(frame->width(), width);
    QCOMPARE(frame->title(), QStringLiteral("Matrice dei risultati"));
}

void TestIndiceMP::reopeningReloads() {
    auto rows = std::make_shared<Rows>(kProvince);
    IndiceMP& w = window(memoryLoader(rows, *m_regional));
    QVERIFY(w.load());
    w.show();
    choose(0);
    w.reject();

    // The workbook changed while the window was closed.
    rows->push_back({t("Delta"), 1.0, 2.0});
    QVERIFY(w.load());
    w.show();
    QCOMPARE(gridColumnTexts(w.msfMatrice(), 0).last(), QStringLiteral("Delta"));
    QCOMPARE(child<QComboBox>("cmbMetodo")->currentIndex(), -1);
    QVERIFY(!shown("msfRisultati"));
    QVERIFY(!shown("frmTipo"));
    QCOMPARE(w.msfRisultati()->gridModel()->gridRowCount(), 0);
    // The result files name the units of the matrix read now.
    choose(0);
    QVERIFY(fileContents(resultFile("MPI+", ".csv")).contains("\nDelta;"));
}

// "Esporta risultati..." proposes a name beside the workbook and exports
// the method just run with its transformed matrix; a result file it leaves
// out (a pipe at a values file's name) is named in its message.
void TestIndiceMP::exportAfterMethodRun() {
    IndiceMP& w = window(kProvince);
    QVERIFY(w.load());
    w.show();
    choose(2); // WROC
    QVERIFY(
        makeSpecialFile(m_state.strMatrice + QStringLiteral(".outGRAD.csv"), SpecialFile::Pipe));
    const QString out = m_dir->filePath(QStringLiteral("esportati.xlsx"));
    m_dialogs.saveAnswers = QStringList{out};
    QTest::mouseClick(child<QPushButton>("cmdEsporta"), Qt::LeftButton);

    QCOMPARE(m_dialogs.saveRequests.size(), 1);
    QCOMPARE(m_dialogs.saveRequests[0].startFolder,
             m_dir->filePath(QStringLiteral("Province.xlsx.risultati.xlsx")));
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Warning);
    QVERIFY2(m_dialogs.messages[0].text.contains(
                 QStringLiteral("Province.xlsx.outGRAD.csv tralasciato. Impossibile leggere il "
                                "file Province.xlsx.outGRAD.csv: non è un file regolare")),
             qPrintable(m_dialogs.messages[0].text));
    XlsxReader reader;
    reader.setSheetIndex(1);
    QVERIFY(reader.open(out));
    COMPARE_CELL(reader.cell(1, 2), CellValue(QStringLiteral("Wroclaw")));
    COMPARE_CELL(reader.cell(2, 2), CellValue(m_state.matValori(2, 2)));
    COMPARE_CELL(reader.cell(2, 6), CellValue(m_state.matTrasformata(2, 2)));
    COMPARE_CELL(reader.cell(4, 7), CellValue(m_state.matTrasformata(4, 3)));
    COMPARE_CELL(reader.cell(4, 3), CellValue(m_state.matRanghi(4, 2)));
}

// The structure beside the file: its tree and line, the group choice over
// the results, and the check box that reads the matrix without it.
void TestIndiceMP::structureBesideMatrix() {
    QVERIFY(writeFileBytes(m_state.strMatrice + QStringLiteral(".struttura.csv"), kStruttura));
    IndiceMP& w = window(kProvinceServizi);
    QVERIFY(w.load());
    w.show();

    QVERIFY(shown("frmStruttura"));
    QVERIFY(shown("chkIgnoraStruttura"));
    QCOMPARE(child<QLabel>("lblStruttura")->text(),
             QStringLiteral("Struttura: 2 dimensioni, 3 indicatori, dal file "
                            "Province.xlsx.struttura.csv"));
    auto* tree = child<QTreeWidget>("tvwStruttura");
    QCOMPARE(tree->topLevelItemCount(), 1);
    const QTreeWidgetItem* overall = tree->topLevelItem(0);
    QCOMPARE(overall->text(0), QStringLiteral("Indice complessivo"));
    QCOMPARE(overall->childCount(), 2);
    const QTreeWidgetItem* lavoro = overall->child(1);
    QCOMPARE(lavoro->text(0), QStringLiteral("Lavoro"));
    QCOMPARE(lavoro->child(0)->text(0), QStringLiteral("disoccupati"));
    QCOMPARE((QStringList{lavoro->text(1), lavoro->text(2)}), (QStringList{"1", "0,333333"}));
    QCOMPARE(lavoro->child(1)->text(2), QStringLiteral("escluso"));
    QCOMPARE(overall->child(0)->child(0)->text(2), QStringLiteral("0,666667"));
    QCOMPARE(tree->headerItem()->text(3), QStringLiteral("Minimo"));
    QCOMPARE(tree->columnCount(), 4);
    QCOMPARE(overall->child(0)->child(0)->text(3), QStringLiteral("5"));

    // The group choice appears with the results, on the overall index.
    auto* groups = child<QComboBox>("cmbDimensione");
    QVERIFY(!shown("cmbDimensione"));
    choose(0); // MPI+
    QVERIFY(shown("cmbDimensione"));
    QCOMPARE(groups->count(), 3);
    QCOMPARE(groups->currentIndex(), 0);
    QCOMPARE(gridColumnTexts(w.msfRisultati(), 1), valueParts(resultFile("MPI+", ".csv")));
    const QString dim = m_state.strMatrice + QStringLiteral(".dimMPI+");
    QCOMPARE(fileColumn(dim + QStringLiteral(".csv"), 0).value(0), QStringLiteral("Provincia"));
    groups->setCurrentIndex(2);
    Q_EMIT groups->activated(2);
    QCOMPARE(gridColumnTexts(w.msfRisultati(), 1).mid(1),
             fileColumn(dim + QStringLiteral(".csv"), 2).mid(1));
    QTest::mouseClick(child<QRadioButton>("optTipoRisultato2"), Qt::LeftButton);
    QCOMPARE(gridColumnTexts(w.msfRisultati(), 1).mid(1),
             fileColumn(dim + QStringLiteral(".rnk.csv"), 2).mid(1));
    // The next method keeps the group on view.
    choose(2); // WROC
    QCOMPARE(groups->currentIndex(), 2);
    QCOMPARE(gridColumnTexts(w.msfRisultati(), 1).mid(1),
             fileColumn(m_state.strMatrice + QStringLiteral(".dimWROC.csv"), 2).mid(1));

    // Ignored, the structure goes: the flat matrix, no group files.
    child<QCheckBox>("chkIgnoraStruttura")->click();
    QVERIFY(w.isVisible());
    QVERIFY(shown("msfMatrice"));
    QVERIFY(shown("chkIgnoraStruttura"));
    QVERIFY(!shown("frmStruttura"));
    QVERIFY(!shown("lblStruttura"));
    choose(1); // MPI-
    QVERIFY(!shown("cmbDimensione"));
    QVERIFY(QFile::exists(resultFile("MPI-", ".csv")));
    QVERIFY(!QFile::exists(m_state.strMatrice + QStringLiteral(".dimMPI-.csv")));
    // The next opening reads the structure again.
    QVERIFY(w.load());
    QVERIFY(shown("frmStruttura"));
    QVERIFY(!child<QCheckBox>("chkIgnoraStruttura")->isChecked());
    QVERIFY(m_dialogs.messages.isEmpty());
}

// A refused structure is reported; the window stays open and offers to
// read the matrix without it, instead of ending the program.
void TestIndiceMP::refusedStructureCanBeIgnored() {
    QVERIFY(writeFileBytes(m_state.strMatrice + QStringLiteral(".struttura.csv"),
                           "Elemento;Padre\r\nReddito;Economia\r\n"));
    IndiceMP& w = window(kProvince);
    QVERIFY(w.load());
    w.show();
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY2(m_dialogs.messages[0].text.contains(QStringLiteral("disoccupati")),
             qPrintable(m_dialogs.messages[0].text));
    QCOMPARE(m_dialogs.endProgramCalls, 0);
    QVERIFY(!shown("msfMatrice"));
    QVERIFY(!shown("cmbMetodo"));
    QVERIFY(shown("chkIgnoraStruttura"));

    child<QCheckBox>("chkIgnoraStruttura")->click();
    QVERIFY(shown("msfMatrice"));
    QVERIFY(shown("cmbMetodo"));
    QVERIFY(!shown("frmStruttura"));
    QCOMPARE(m_dialogs.messages.size(), 1);
}

// The workbook's composites follow the nine in the list and run as they
// do; the dialog's file is the one the list and the run read.
void TestIndiceMP::compositesListedDefinedAndRun() {
    const QString file = m_state.strMatrice + QStringLiteral(".metodi.csv");
    QVERIFY(writeFileBytes(file, "Codice;Nome;Normalizzazione;Aggregazione\r\n"
                                 "JRC;Stile JRC;minmax;mean\r\n"));
    IndiceMP& w = window(kProvince);
    QVERIFY(w.load());
    w.show();
    auto* methods = child<QComboBox>("cmbMetodo");
    QCOMPARE(methods->count(), 10);
    QCOMPARE(methods->itemText(9), QStringLiteral("JRC - Stile JRC"));
    choose(9);
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(child<QGroupBox>("Frame1")->title(), QStringLiteral("Matrice dei risultati: JRC"));
    QCOMPARE(gridColumnTexts(w.msfRisultati(), 1), valueParts(resultFile("JRC", ".csv")));

    CompositesDialog* dialog = w.openComposites();
    QVERIFY(dialog);
    dialog->addComposite();
    dialog->codeEdit()->clear();
    QTest::keyClicks(dialog->codeEdit(), QStringLiteral("G"));
    QTest::keyClicks(dialog->nameEdit(), QStringLiteral("Geometrico"));
    dialog->scaledChoice()->setChecked(true);
    dialog->firstParameter()->setValue(1);
    dialog->aggregationChoice()->setCurrentIndex(
        dialog->aggregationChoice()->findData(QStringLiteral("geometric")));
    dialog->findChild<QPushButton*>(QStringLiteral("cmdSalva"))->click();
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(fileContents(file),
             QByteArray("Codice;Nome;Normalizzazione;Aggregazione;Costruzione\r\n"
                        "JRC;Stile JRC;minmax;mean;upward\r\n"
                        "G;Geometrico;\"minmax(1,100)\";geometric;upward\r\n"));
    QCOMPARE(methods->count(), 11);
    QCOMPARE(methods->itemText(10), QStringLiteral("G - Geometrico"));
    choose(10);
    // Both indicators normalised onto 100, 1, 50.5: the index is the same.
    QCOMPARE(fileColumn(resultFile("G", ".rnk"), 1), (QStringList{"Geometrico", "1", "3", "2"}));
    QCOMPARE(gridColumnTexts(w.msfRisultati(), 1), valueParts(resultFile("G", ".csv")));

    // The composite on view removed, its results go with it.
    dialog = w.openComposites();
    dialog->list()->setCurrentRow(1);
    dialog->removeComposite();
    QVERIFY(dialog->save());
    QCOMPARE(methods->count(), 10);
    QCOMPARE(methods->currentIndex(), -1);
    QVERIFY(!shown("msfRisultati"));
}

void TestIndiceMP::refusedDefinitionWritesNothing_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<double>("first");
    QTest::addColumn<QString>("message");
    QTest::newRow("a method's code")
        << "mpi+" << 0.0 << "Metodi, riga 2: il codice mpi+ è quello di uno dei nove metodi.";
    QTest::newRow("empty range") << "X" << 200.0
                                 << "Metodi, riga 2: la normalizzazione «minmax(200,100)» di X "
                                    "non è ammessa";
}

// The dialog refuses what the definitions file refuses, with its message.
void TestIndiceMP::refusedDefinitionWritesNothing() {
    QFETCH(QString, code);
    QFETCH(double, first);
    QFETCH(QString, message);
    IndiceMP& w = window(kProvince);
    QVERIFY(w.load());
    CompositesDialog* dialog = w.openComposites();
    dialog->addComposite();
    dialog->codeEdit()->clear();
    QTest::keyClicks(dialog->codeEdit(), code);
    dialog->scaledChoice()->setChecked(true);
    dialog->firstParameter()->setValue(first);
    QVERIFY(!dialog->save());
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY2(m_dialogs.messages.first().text.startsWith(message),
             qPrintable(m_dialogs.messages.first().text));
    QVERIFY(!QFile::exists(m_state.strMatrice + QStringLiteral(".metodi.csv")));
    QCOMPARE(child<QComboBox>("cmbMetodo")->count(), 9);
}

// A workbook's own Metodi sheet takes precedence over the file: its
// composites are listed and run, and the dialog cannot change them.
void TestIndiceMP::sheetCompositesReadOnly() {
    m_state.strMatrice = m_dir->filePath(QStringLiteral("sviluppo_umano.xlsx"));
    QVERIFY(
        QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/sviluppo_umano.xlsx"), m_state.strMatrice));
    IndiceMP& w = window(Processing::MatrixLoader());
    QVERIFY(w.load());
    QCOMPARE(child<QComboBox>("cmbMetodo")->itemText(10),
             QStringLiteral("JRC - Indice in stile JRC"));
    choose(9);
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(gridColumnTexts(w.msfRisultati(), 1), valueParts(resultFile("HDI", ".csv")));

    CompositesDialog* dialog = w.openComposites();
    QCOMPARE(dialog->list()->count(), 2);
    QVERIFY(!dialog->codeEdit()->isEnabled());
    for (const char* name : {"cmdSalva", "cmdNuovo", "cmdElimina"})
        QVERIFY2(!dialog->findChild<QWidget*>(QString::fromLatin1(name))->isVisibleTo(dialog),
                 name);
    QVERIFY(dialog->findChild<QLabel*>(QStringLiteral("lblOrigine"))
                ->text()
                .contains(QStringLiteral("foglio Metodi")));
}

QTEST_MAIN(TestIndiceMP)
// A matrix with gaps: the refusal asks how to treat them, the matrix is
// shown with the filled cells marked, and the choice is asked once per
// workbook.
void TestIndiceMP::gapsAskedOnceAndMarked() {
    m_state.strMatrice = m_dir->filePath(QStringLiteral("Lacune.csv"));
    // Epsilon, without any value, is left out and named.
    QVERIFY(writeFileBytes(m_state.strMatrice, "Provincia;Reddito;disoccupati;servizi\r\n"
                                               "Alfa;30;5;3\r\nBeta;;9;1\r\nGamma;20;7;2\r\n"
                                               "Delta;25;NA;4\r\nEpsilon;;;\r\nZeta;28;6;5\r\n"));
    IndiceMP& w = window(Processing::MatrixLoader());
    m_dialogs.choiceAnswers = {1}; // the indicator's mean
    QVERIFY(w.load());
    QCOMPARE(m_dialogs.choices.size(), 1);
    QVERIFY2(m_dialogs.choices[0].text.startsWith(
                 QStringLiteral("La matrice ha 5 valori mancanti (27,8%): come trattarli?")),
             qPrintable(m_dialogs.choices[0].text));
    QCOMPARE(m_dialogs.messages.size(), 0);
    QVERIFY(shown("lblMancanti"));
    QVERIFY(child<QLabel>("lblMancanti")
                ->text()
                .endsWith(QStringLiteral("\nUnità con copertura inferiore al 65%: Epsilon")));
    QAbstractItemModel* data = w.msfMatrice()->model();
    const QModelIndex beta = data->index(1, 0); // Beta's Reddito: the mean of 30, 20, 25, 28
    QCOMPARE(beta.data().toString(), QStringLiteral("25,7500"));
    QCOMPARE(beta.data(Qt::BackgroundRole).value<QBrush>().style(), Qt::BDiagPattern);
    QVERIFY(beta.data(Qt::FontRole).value<QFont>().italic());
    QVERIFY(!data->index(0, 0).data(Qt::FontRole).isValid());
    QVERIFY(data->index(3, 1).data(Qt::FontRole).value<QFont>().italic()); // Delta's "NA"

    w.reject();
    QVERIFY(w.load());
    QCOMPARE(m_dialogs.choices.size(), 1);
    QVERIFY(data->index(1, 0).data(Qt::FontRole).value<QFont>().italic());

    // The threshold set beside the treatment ("Valori mancanti...") leaves
    // out what it covers, and the record keeps it with the results.
    w.show();
    m_dialogs.choiceAnswers = {1};
    m_dialogs.shareAnswers = {0.7};
    child<QPushButton>("cmdMancanti")->click();
    QCOMPARE(m_dialogs.sharesOffered.last(), kDefaultMinCoverage);
    QVERIFY2(child<QLabel>("lblMancanti")
                 ->text()
                 .contains(QStringLiteral(
                     "Indicatori con copertura inferiore al 70%: Reddito, disoccupati")),
             qPrintable(child<QLabel>("lblMancanti")->text()));
    choose(0);
    const Expected<Record> record = readRecord(m_state.strMatrice);
    QVERIFY(record && record->find(QFileInfo(resultFile("MPI+", ".csv")).fileName()));
    QCOMPARE(record->find(QFileInfo(resultFile("MPI+", ".csv")).fileName())
                 ->settings.value(QStringLiteral("minCoverage"))
                 .toDouble(),
             0.7);
}

// The treatment chosen for a workbook's missing values holds in the next
// session's window; the group on view is named in the results' title and
// the state line, and the next session opens on the overall index.
void TestIndiceMP::choicesAcrossSessions() {
    const ScratchSettings settings;
    const QString gaps = m_dir->filePath(QStringLiteral("Lacune.csv"));
    QVERIFY(writeFileBytes(gaps, "Provincia;Reddito;disoccupati;servizi\r\n"
                                 "Alfa;30;5;3\r\nBeta;;9;1\r\nGamma;20;7;2\r\n"));
    const QString workbook = m_state.strMatrice;
    m_state.strMatrice = gaps;
    m_dialogs.choiceAnswers = {2}; // the indicator's median
    QVERIFY(window(Processing::MatrixLoader()).load());
    QCOMPARE(m_dialogs.choices.size(), 1);

    QVERIFY(window(Processing::MatrixLoader()).load());
    QCOMPARE(m_dialogs.choices.size(), 1);
    QVERIFY(child<QLabel>("lblMancanti")
                ->text()
                .endsWith(missingTreatmentLabel(MissingTreatment::Median)));

    m_state.strMatrice = workbook;
    QVERIFY(writeFileBytes(workbook + QStringLiteral(".struttura.csv"), kStruttura));
    QVERIFY(window(kProvinceServizi).load());
    m_window->show();
    choose(0);
    auto* groups = child<QComboBox>("cmbDimensione");
    groups->setCurrentIndex(2);
    Q_EMIT groups->activated(2);
    QVERIFY(
        child<QGroupBox>("Frame1")->title().endsWith(QStringLiteral("MPI+ - dimensione Lavoro")));
    QVERIFY(
        child<QLabel>("lblStato")->text().endsWith(QStringLiteral("in vista: dimensione Lavoro")));
    QVERIFY(window(kProvinceServizi).load());
    QCOMPARE(child<QComboBox>("cmbDimensione")->currentIndex(), 0);
}

#include "tst_indicemp.moc"
