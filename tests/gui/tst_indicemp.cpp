#include "methods/metodi.h"
#include "support/guitestsupport.h"
#include "support/recordingdialogs.h"
#include "support/testsupport.h"
#include "support/workrecorder.h"
#include "ui/grid/gridview.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/processing/indicemp.h"
#include "workbook/xlsx/xlsxreader.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>

class TestIndiceMP : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void loadShowsMatrix();
    void loadRefusals_data();
    void loadRefusals();
    void unreadableWorkbook();
    void methodRun();
    void views();
    void automaticWithNegativeValue();
    void captionAndPaneWidth();
    void cancelledLoadingChangesNothing();
    void outOfMemoryWhileLoading();
    void writeFailureShownAsFailed();
    void reopeningReloads();
    void outOfMemoryReported();
    void exportAfterMethodRun();

private:
    IndiceMP& window(const Rows& rows);
    IndiceMP& window(IndiceMP::MatrixLoader loader);
    void choose(int position);
    template <typename T> T* child(const char* name) const;
    QString gridText(const GridView* grid, int row, int col) const;
    QStringList column(const GridView* grid, int col) const;
    bool shown(const char* name) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    SharedState m_state;
    RecordingDialogs m_dialogs;
    std::unique_ptr<Regional> m_regional;
    std::unique_ptr<IndiceMP> m_window;
};

namespace {

const QLocale kItalian(QLocale::Italian, QLocale::Italy);

const Rows kProvince{{t("Provincia"), t("Reddito"), t("disoccupati")},
                     {t("Alfa"), 30.0, 5.0},
                     {t("Beta"), 10.0, 9.0},
                     {t("Gamma"), 20.0, 7.0}};

QStringList codes() {
    QStringList result;
    for (const MethodInfo& m : methodTable())
        result.append(methodCode(m.entryText));
    return result;
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
    m_regional = std::make_unique<Regional>(kItalian);
}

void TestIndiceMP::cleanup() {
    m_window.reset();
}

IndiceMP& TestIndiceMP::window(const Rows& rows) {
    return window(loaderDa(rows, *m_regional));
}

IndiceMP& TestIndiceMP::window(IndiceMP::MatrixLoader loader) {
    m_window = std::make_unique<IndiceMP>(m_state, m_dialogs, *m_regional, std::move(loader));
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

QString TestIndiceMP::gridText(const GridView* grid, int row, int col) const {
    return grid->gridModel()->gridText(row, col);
}

QStringList TestIndiceMP::column(const GridView* grid, int col) const {
    QStringList texts;
    for (int r = 0; r < grid->gridModel()->gridRowCount(); ++r)
        texts.append(gridText(grid, r, col));
    return texts;
}

bool TestIndiceMP::shown(const char* name) const {
    return child<QWidget>(name)->isVisibleTo(m_window.get());
}

void TestIndiceMP::loadShowsMatrix() {
    IndiceMP& w = window(kProvince);
    QVERIFY(w.carica());
    w.show();

    QCOMPARE(w.windowTitle(), QStringLiteral("Orvalta"));
    QCOMPARE(m_state.nRighe, 4);
    GridView* dati = w.msfMatrice();
    QVERIFY(dati->isVisible());
    QCOMPARE(dati->gridModel()->gridRowCount(), 4);
    QCOMPARE(dati->gridModel()->gridColumnCount(), 3);
    QCOMPARE(dati->cornerText(), QStringLiteral("Provincia"));
    QCOMPARE(column(dati, 0), (QStringList{"Provincia", "Alfa", "Beta", "Gamma"}));
    QCOMPARE(column(dati, 1), (QStringList{"Reddito", "30,0000", "10,0000", "20,0000"}));
    QCOMPARE(column(dati, 2), (QStringList{"disoccupati", "5,0000", "9,0000", "7,0000"}));
    const QModelIndex reddito = dati->model()->index(1, 0);
    const QModelIndex disoccupati = dati->model()->index(1, 1);
    QCOMPARE(reddito.data(Qt::BackgroundRole).value<QColor>(), QColor(192, 255, 192));
    QCOMPARE(disoccupati.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 192, 192));
    // Every column fits its widest text; a double click on a divider of the
    // header sizes the columns again after the user changed them.
    QVERIFY(dati->gridColumnWidth(0) >
            dati->fontMetrics().horizontalAdvance(QStringLiteral("Provincia")));
    const int fitted = dati->gridColumnWidth(1);
    dati->setGridColumnWidth(1, 300);
    Q_EMIT dati->horizontalHeader()->sectionHandleDoubleClicked(0);
    QCOMPARE(dati->gridColumnWidth(1), fitted);

    // Ready for choosing a method: nothing else to see yet.
    QVERIFY(shown("lblMetodo"));
    QVERIFY(shown("cmbMetodo"));
    QCOMPARE(child<QComboBox>("cmbMetodo")->currentIndex(), -1);
    QCOMPARE(child<QComboBox>("cmbMetodo")->count(), 9);
    QCOMPARE(child<QComboBox>("cmbMetodo")->itemText(1),
             QStringLiteral("MPI-  Metodo Mazziotta Pareto Index negativo"));
    QVERIFY(!shown("frmTipo"));
    QVERIFY(!shown("frmTipoRisultato"));
    QVERIFY(!shown("msfRisultati"));
    QCOMPARE(w.msfRisultati()->gridModel()->gridRowCount(), 0);
    QCOMPARE(child<ClockStatusBar>("stbStato")->panelText(),
             QStringLiteral("Indice Sintetico ") + m_state.strMatrice);
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestIndiceMP::loadRefusals_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QString>("message");
    QTest::newRow("text value")
        << Rows{{t("P"), t("Reddito"), t("Spesa")}, {t("a"), 1.0, 2.0}, {t("b"), t("n.d."), 3.0}}
        << QStringLiteral("L'indicatore definito nella matrice come Reddito "
                          "risulta avere valori alfanumerici. Verificare "
                          "la validità della matrice selezionata!");
    QTest::newRow("constant")
        << Rows{{t("P"), t("Reddito"), t("spesa")}, {t("a"), 1.0, 2.0}, {t("b"), 3.0, 2.0}}
        << QStringLiteral("L'indicatore definito nella matrice come spesa "
                          "risulta essere costante in tutte le osservazioni. "
                          "Verificare la validità della matrice selezionata!");
}

void TestIndiceMP::loadRefusals() {
    QFETCH(Rows, rows);
    QFETCH(QString, message);

    IndiceMP& w = window(rows);
    QVERIFY(!w.carica());
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages[0].text, message);
    QCOMPARE(m_dialogs.messages[0].title, QStringLiteral("Orvalta"));
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::None);
    QCOMPARE(m_dialogs.endProgramCalls, 1);
    QVERIFY(!w.isVisible());
}

void TestIndiceMP::unreadableWorkbook() {
    // The real loader on a file that is not a workbook.
    QFile file(m_state.strMatrice);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("non è una cartella di lavoro");
    file.close();

    IndiceMP& w = window(IndiceMP::MatrixLoader());
    QVERIFY(!w.carica());
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY2(m_dialogs.messages[0].text.contains(QStringLiteral("Province.xlsx")),
             qPrintable(m_dialogs.messages[0].text));
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(m_dialogs.endProgramCalls, 0); // nothing was refused: the program goes on
}

void TestIndiceMP::methodRun() {
    IndiceMP& w = window(kProvince);
    QVERIFY(w.carica());
    w.show();
    choose(2); // WROC

    QVERIFY(m_dialogs.messages.isEmpty());
    QVERIFY(m_state.bRisultati);
    QVERIFY(QFile::exists(m_state.strMatrice + ".outWROC.csv"));
    QVERIFY(QFile::exists(m_state.strMatrice + ".outWROC.rnk"));
    for (const char* name :
         {"lblMetodo", "cmbMetodo", "frmTipo", "frmTipoRisultato", "msfRisultati", "msfMatrice"})
        QVERIFY2(shown(name), name);
    QVERIFY(child<QRadioButton>("optTipo0")->isChecked());
    QVERIFY(child<QRadioButton>("optTipoRisultato0")->isChecked());

    // The data grid shows the source, the results grid the values.
    QCOMPARE(column(w.msfMatrice(), 1), (QStringList{"Reddito", "30,0000", "10,0000", "20,0000"}));
    QCOMPARE(w.msfRisultati()->cornerText(), QStringLiteral("Provincia"));
    QStringList values;
    for (int r = 1; r <= 4; ++r)
        values.append(r == 1 ? m_regional->generalText(m_state.matValori.header(2))
                             : m_regional->indexText(m_state.matValori(r, 2)));
    QCOMPARE(values.first(), QStringLiteral("Wroclaw"));
    QCOMPARE(column(w.msfRisultati(), 1), values);
    QCOMPARE(column(w.msfRisultati(), 0), (QStringList{"Provincia", "Alfa", "Beta", "Gamma"}));
    QCOMPARE(m_state.matGraduatoria, m_state.matValori);
    QVERIFY(w.msfRisultati()->gridColumnWidth(1) >
            w.msfRisultati()->fontMetrics().horizontalAdvance(QStringLiteral("Wroclaw")));
}

void TestIndiceMP::views() {
    IndiceMP& w = window(kProvince);
    QVERIFY(w.carica());
    w.show();
    choose(6); // M1NI: index numbers, NI_ names

    // "Trasformata": the transformed matrix, coloured by the source names.
    QTest::mouseClick(child<QRadioButton>("optTipo1"), Qt::LeftButton);
    GridView* dati = w.msfMatrice();
    QCOMPARE(gridText(dati, 0, 1), QStringLiteral("NI_Reddito"));
    QCOMPARE(gridText(dati, 1, 1), QStringLiteral("1,5000")); // 30 / mean 20
    QCOMPARE(gridText(dati, 1, 2), QStringLiteral("1,4000")); // mean 7 / 5
    QCOMPARE(dati->model()->index(0, 1).data(Qt::BackgroundRole).value<QColor>(),
             QColor(255, 192, 192));
    QTest::mouseClick(child<QRadioButton>("optTipo0"), Qt::LeftButton);
    QCOMPARE(gridText(dati, 0, 1), QStringLiteral("Reddito"));

    // "Graduatoria" right after a run: the same rows as "Valori".
    const QStringList values = column(w.msfRisultati(), 1);
    QTest::mouseClick(child<QRadioButton>("optTipoRisultato1"), Qt::LeftButton);
    QCOMPARE(column(w.msfRisultati(), 1), values);
    // "Ranghi": the header and the ranks, in unit order.
    QTest::mouseClick(child<QRadioButton>("optTipoRisultato2"), Qt::LeftButton);
    QCOMPARE(column(w.msfRisultati(), 1), (QStringList{"ANIM", "1", "3", "2"}));
    QTest::mouseClick(child<QRadioButton>("optTipoRisultato0"), Qt::LeftButton);
    QCOMPARE(column(w.msfRisultati(), 1), values);
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestIndiceMP::automaticWithNegativeValue() {
    Rows rows = kProvince;
    rows[2][1] = -10.0; // Beta's income
    IndiceMP& w = window(rows);
    QVERIFY(w.carica());
    w.show();
    // Each method runs off the window's thread with the controls off, the
    // list showing it and the status bar saying which it is.
    auto* combo = child<QComboBox>("cmbMetodo");
    WorkRecorder recorder(&w, {child<QPushButton>("cmdSelect"), combo});
    QStringList shown;
    recorder.onStart = [&] { shown.append(combo->currentText().left(4)); };
    QTest::mouseClick(child<QPushButton>("cmdSelect"), Qt::LeftButton);
    QVERIFY(recorder.controlsOffThroughout);
    QCOMPARE(shown, codes());
    QCOMPARE(recorder.steps.size(), 9);
    QCOMPARE(recorder.steps[3], QStringLiteral("Metodo 4 di 9: M1VZ"));
    QVERIFY(combo->isEnabled());

    QCOMPARE(m_dialogs.messageTexts(),
             (QStringList{"ANIM - Il metodo non prevede valori strettamente negativi",
                          "GNIM - Il metodo non prevede valori negativi o nulli",
                          "QNIM - Il metodo non prevede valori strettamente negativi"}));
    for (const auto& message : m_dialogs.messages) {
        QCOMPARE(message.title, QStringLiteral("Orvalta"));
        QCOMPARE(message.icon, Dialogs::Icon::None);
    }
    const QStringList all = codes();
    for (int i = 0; i < all.size(); ++i) {
        const bool written = i < 6;
        QCOMPARE(QFile::exists(m_state.strMatrice + ".out" + all[i] + ".csv"), written);
        QCOMPARE(QFile::exists(m_state.strMatrice + ".out" + all[i] + ".rnk"), written);
    }
    // The list shows the last entry, the grids the last method that ran.
    QCOMPARE(child<QComboBox>("cmbMetodo")->currentIndex(), 8);
    QCOMPARE(gridText(w.msfRisultati(), 0, 1), QStringLiteral("IR"));
    QCOMPARE(child<QGroupBox>("Frame1")->title(), QStringLiteral("Matrice dei risultati: INRE"));
    QCOMPARE(m_state.matGraduatoria, m_state.matValori);
}

// The results frame names the method its grid holds; the pane keeps its
// width across views and runs, and each workbook gets its own division.
void TestIndiceMP::captionAndPaneWidth() {
    auto rows = std::make_shared<Rows>(kProvince);
    IndiceMP& w = window(loaderDa(rows, *m_regional));
    w.resize(1000, 600);
    w.show();
    QVERIFY(w.carica());
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
    QVERIFY(w.carica());
    QCOMPARE(frame->width(), width);
    QCOMPARE(frame->title(), QStringLiteral("Matrice dei risultati"));
}

// Cancelled while the workbook is read: no message, and the state and the
// files of the last matrix stay as they were.
void TestIndiceMP::cancelledLoadingChangesNothing() {
    auto rows = std::make_shared<Rows>(kProvince);
    bool hold = false;
    const IndiceMP::MatrixLoader read = loaderDa(rows, *m_regional);
    IndiceMP& w = window([&](SharedState& s, WorkProgress& progress) {
        if (hold) {
            progress.report(QStringLiteral("Lettura della matrice"), 45);
            waitForCancel(progress);
        }
        return read(s, progress);
    });
    QVERIFY(w.carica());
    w.show();
    choose(0);
    const SharedState before = m_state;
    const QDir folder(m_state.strCartella);
    const QStringList files = folder.entryList(QDir::Files, QDir::Name);
    QFile values(m_state.strMatrice + ".outMPI+.csv");
    QVERIFY(values.open(QIODevice::ReadOnly));
    const QByteArray bytes = values.readAll();
    values.close();

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
    QVERIFY(!w.carica());
    QCOMPARE(progressShown, QStringLiteral("Lettura della matrice... 45%"));
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(m_dialogs.endProgramCalls, 0);
    QCOMPARE(m_state.nRighe, before.nRighe);
    QCOMPARE(m_state.matDati, before.matDati);
    QCOMPARE(m_state.matValori, before.matValori);
    QCOMPARE(m_state.matRanghi, before.matRanghi);
    QCOMPARE(folder.entryList(QDir::Files, QDir::Name), files);
    QVERIFY(values.open(QIODevice::ReadOnly));
    QCOMPARE(values.readAll(), bytes);
}

void TestIndiceMP::outOfMemoryWhileLoading() {
    IndiceMP& w = window([](SharedState&, WorkProgress&) -> LoadResult { throw std::bad_alloc(); });
    QVERIFY(!w.carica());
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY2(m_dialogs.messages[0].text.startsWith(
                 QStringLiteral("Memoria insufficiente per leggere la matrice Province.xlsx.")),
             qPrintable(m_dialogs.messages[0].text));
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(m_dialogs.endProgramCalls, 0);
    QVERIFY(child<QPushButton>("cmdSelect")->isEnabled());
}

void TestIndiceMP::writeFailureShownAsFailed() {
    IndiceMP& w = window(kProvince);
    QVERIFY(w.carica());
    w.show();
    choose(4); // GRAD runs
    QVERIFY(m_dialogs.messages.isEmpty());
    const QStringList shownValues = column(w.msfRisultati(), 1);

    // The ranks file of INRE cannot be written: a folder holds its name.
    QVERIFY(QDir().mkdir(m_state.strMatrice + ".outINRE.rnk"));
    choose(5);
    QCOMPARE(m_dialogs.messages.size(), 1);
    const auto& message = m_dialogs.messages.first();
    QCOMPARE(message.icon, Dialogs::Icon::Critical);
    QVERIFY2(message.text.contains(QStringLiteral("INRE")), qPrintable(message.text));
    QVERIFY2(message.text.contains(QStringLiteral("Province.xlsx.outINRE.rnk")),
             qPrintable(message.text));
    QVERIFY(!QFile::exists(m_state.strMatrice + ".outINRE.csv"));
    // Nothing shows the failed run as done.
    QCOMPARE(child<QComboBox>("cmbMetodo")->currentIndex(), 4);
    QCOMPARE(column(w.msfRisultati(), 1), shownValues);
    QCOMPARE(m_state.matValori.cell(1, 2), t("Grad.RNK"));

    // Automatic processing stops at the first file it cannot write.
    m_dialogs.messages.clear();
    QVERIFY(QDir().mkdir(m_state.strMatrice + ".outMPI+.csv"));
    QTest::mouseClick(child<QPushButton>("cmdSelect"), Qt::LeftButton);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY(m_dialogs.messages.first().text.contains(QStringLiteral("MPI+")));
    QVERIFY(!QFile::exists(m_state.strMatrice + ".outMPI-.csv"));
    QCOMPARE(child<QComboBox>("cmbMetodo")->currentIndex(), 4);
}

void TestIndiceMP::reopeningReloads() {
    auto rows = std::make_shared<Rows>(kProvince);
    IndiceMP& w = window(loaderDa(rows, *m_regional));
    QVERIFY(w.carica());
    w.show();
    choose(0);
    QVERIFY(shown("msfRisultati"));
    w.reject();

    // The workbook changed while the window was closed.
    (*rows)[1][1] = 44.5;
    rows->push_back({t("Delta"), 1.0, 2.0});
    QVERIFY(w.carica());
    w.show();
    QCOMPARE(column(w.msfMatrice(), 1),
             (QStringList{"Reddito", "44,5000", "10,0000", "20,0000", "1,0000"}));
    QCOMPARE(child<QComboBox>("cmbMetodo")->currentIndex(), -1);
    QVERIFY(!shown("msfRisultati"));
    QVERIFY(!shown("frmTipo"));
    QCOMPARE(w.msfRisultati()->gridModel()->gridRowCount(), 0);

    // The result files name the units of the matrix read now.
    choose(0);
    const QString code = methodCode(methodTable()[0].entryText);
    QVERIFY(fileContents(m_state.strMatrice + ".out" + code + ".csv").contains("\nDelta;"));
}

void TestIndiceMP::outOfMemoryReported() {
    auto rows = std::make_shared<Rows>(kProvince);
    auto loads = std::make_shared<int>(0);
    const IndiceMP::MatrixLoader load = loaderDa(rows, *m_regional);
    IndiceMP& w = window([load, loads](SharedState& s, WorkProgress& progress) {
        if (++*loads > 1)
            throw std::bad_alloc();
        return load(s, progress);
    });
    QVERIFY(w.carica());
    w.show();
    choose(0);
    w.reject();

    // The second opening runs out of memory: reported, the program goes on
    // with the matrix it had.
    QVERIFY(!w.carica());
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY2(m_dialogs.messages[0].text.startsWith(
                 QStringLiteral("Memoria insufficiente per leggere la matrice")),
             qPrintable(m_dialogs.messages[0].text));
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(m_dialogs.endProgramCalls, 0);
    QCOMPARE(m_state.nRighe, 4);
}

// "Esporta risultati..." proposes a name beside the workbook and exports
// the method just run with its transformed matrix; a result file it leaves
// out (a pipe at a values file's name) is named in its message.
void TestIndiceMP::exportAfterMethodRun() {
    IndiceMP& w = window(kProvince);
    QVERIFY(w.carica());
    w.show();
    choose(2); // WROC
    QVERIFY(
        makeSpecialFile(m_state.strMatrice + QStringLiteral(".outGRAD.csv"), SpecialFile::Pipe));
    const QString out = m_dir->filePath(QStringLiteral("esportati.xlsx"));
    m_dialogs.saveAnswers = QStringList{out};
    QTest::mouseClick(child<QPushButton>("cmdEsporta"), Qt::LeftButton);

    QCOMPARE(m_dialogs.saveRequests.size(), 1);
    QCOMPARE(m_dialogs.saveRequests[0].startFolder,
             m_dir->filePath(QStringLiteral("Province-risultati.xlsx")));
    QVERIFY(m_dialogs.saveRequests[0].filter.contains(QStringLiteral("*.xlsx")));
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
}

QTEST_MAIN(TestIndiceMP)
#include "tst_indicemp.moc"
