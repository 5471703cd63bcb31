#include "methods/metodi.h"
#include "support/guitestsupport.h"
#include "support/recordingdialogs.h"
#include "support/scratchsettings.h"
#include "support/testsupport.h"
#include "ui/comparison/comparisonmodel.h"
#include "ui/comparison/valutamp.h"
#include "ui/grid/gridview.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/mnemonics.h"
#include "workbook/xlsx/xlsxreader.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>

class TestValutaMP : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void openingWithoutResults();
    void openingListsResultFiles();
    void runButtonFollowsSelection_data();
    void runButtonFollowsSelection();
    void doubleClickOnEmptyList();
    void runThreeMethods();
    void resultViews();
    void moveAfterRunKeepsMatrix();
    void nineMethodsInView();
    void inconsistentFilesRefused_data();
    void inconsistentFilesRefused();
    void unwritableComparisonFile();
    void reopeningStartsAfresh();
    void allMethodsRemembered();
    void exportAndReport();
    void exportTakesLoadedMatrix();

private:
    // Runs the methods at the given list positions over rows, leaving their
    // result files beside the workbook at strMatrice.
    void runMethods(const std::vector<int>& positions, const Rows& rows);
    ValutaMP& window();
    template <typename T> T* child(const char* name) const;
    bool shown(const char* name) const;
    void doubleClick(QListWidget* list, int row);
    // Moves the entry of lstMetodi that ends with code + ".csv".
    void select(const QString& code);
    QString entry(const QString& code) const;
    QString path(const QString& name) const { return QDir(m_state.strCartella).filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    SharedState m_state;
    RecordingDialogs m_dialogs;
    std::unique_ptr<Regional> m_regional;
    std::unique_ptr<ValutaMP> m_window;
};

namespace {

const QLocale kItalian(QLocale::Italian, QLocale::Italy);

// Positions of some methods in the method list.
constexpr int kMpiPiu = 0;
constexpr int kWroclaw = 2;
constexpr int kGrad = 4;
constexpr int kInre = 5;

QStringList texts(const QListWidget* list) {
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result.append(list->item(i)->text());
    return result;
}

QString gridText(const GridView* grid, int row, int col) {
    return grid->gridModel()->gridText(row, col);
}

QStringList gridRow(const GridView* grid, int row) {
    QStringList result;
    for (int c = 0; c < grid->gridModel()->gridColumnCount(); ++c)
        result.append(gridText(grid, row, c));
    return result;
}

QStringList gridColumn(const GridView* grid, int col) {
    QStringList result;
    for (int r = 0; r < grid->gridModel()->gridRowCount(); ++r)
        result.append(gridText(grid, r, col));
    return result;
}

// Every row of a grid joined by ";", each followed by CR LF: the text of a
// comparison file.
// The grid as the comparison file holds it: the header row as the file
// writes it (the grid names the methods by code and index name), then every
// row as shown.
QByteArray asFile(const GridView* grid) {
    const auto* model = static_cast<const ComparisonModel*>(grid->gridModel());
    QStringList header{model->comparison()->corner()};
    header += model->comparison()->headers();
    QByteArray bytes = header.join(u';').toUtf8() + "\r\n";
    for (int r = 1; r < model->gridRowCount(); ++r)
        bytes += gridRow(grid, r).join(u';').toUtf8() + "\r\n";
    return bytes;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<nessun file>");
}

// The parts after the last ";" of the lines of a result file.
QStringList valueParts(const QString& path) {
    QStringList parts;
    for (const QString& line : QString::fromUtf8(contents(path)).split(QStringLiteral("\r\n"))) {
        if (!line.isEmpty())
            parts.append(line.mid(line.lastIndexOf(u';') + 1));
    }
    return parts;
}

} // namespace

void TestValutaMP::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_state = SharedState();
    m_state.strMatrice = m_dir->filePath(QStringLiteral("Regioni.xlsx"));
    m_state.strCartella = m_dir->path();
    m_dialogs = RecordingDialogs();
    m_regional = std::make_unique<Regional>(kItalian);
}

void TestValutaMP::cleanup() {
    m_window.reset();
}

void TestValutaMP::runMethods(const std::vector<int>& positions, const Rows& rows) {
    QVERIFY(writeMethodResults(m_state.strMatrice, rows, positions, *m_regional));
}

ValutaMP& TestValutaMP::window() {
    m_window = std::make_unique<ValutaMP>(m_state, nullptr, m_dialogs, *m_regional);
    m_window->load();
    m_window->show();
    return *m_window;
}

template <typename T> T* TestValutaMP::child(const char* name) const {
    T* found = m_window->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

bool TestValutaMP::shown(const char* name) const {
    return child<QWidget>(name)->isVisibleTo(m_window.get());
}

void TestValutaMP::doubleClick(QListWidget* list, int row) {
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

QString TestValutaMP::entry(const QString& code) const {
    return QStringLiteral("Regioni.xlsx.out") + code + QStringLiteral(".csv");
}

void TestValutaMP::select(const QString& code) {
    QListWidget* list = m_window->lstMetodi();
    // A file to be computed again is listed with a mark after its name.
    const QList<QListWidgetItem*> found = list->findItems(entry(code), Qt::MatchStartsWith);
    QCOMPARE(found.size(), 1);
    doubleClick(list, list->row(found.first()));
}

void TestValutaMP::openingWithoutResults() {
    // Files of another workbook in the same folder are not this one's.
    runMethods({kMpiPiu, kWroclaw}, regioniEsempio());
    for (const QString& name : QDir(m_state.strCartella).entryList(QDir::Files))
        QVERIFY(QFile::rename(path(name), path(QStringLiteral("Altre") + name)));

    ValutaMP& w = window();
    QCOMPARE(w.windowTitle(), QStringLiteral("Orvalta"));
    QCOMPARE(w.lstMetodi()->count(), 0);
    QCOMPARE(w.lstSelezionati()->count(), 0);
    QCOMPARE(child<QGroupBox>("frmMatrice")->title(),
             QStringLiteral("Selezione dei metodi elaborati"));
    QCOMPARE(child<QGroupBox>("Frame2")->title(), QStringLiteral("Matrice di cograduazione"));
    QCOMPARE(child<QGroupBox>("Frame1")->title(), QStringLiteral("Matrice dei risultati"));
    QCOMPARE(child<QGroupBox>("frmTipoRisultato")->title(),
             QStringLiteral("Visualizzazione matrice dei risultati"));
    // The captions as written, every button with a letter for Alt.
    const auto caption = [&](const char* name) {
        return child<QAbstractButton>(name)->text().remove(u'&');
    };
    QCOMPARE(caption("cmdSelect"), QStringLiteral("Valutazione Metodi"));
    QCOMPARE(caption("optTipoRisultato0"), QStringLiteral("Valori"));
    QCOMPARE(caption("optTipoRisultato2"), QStringLiteral("Ranghi"));
    for (const QAbstractButton* button : m_window->findChildren<QAbstractButton*>())
        QVERIFY2(button->text().isEmpty() || !mnemonicOf(button->text()).isNull(),
                 qPrintable(button->text()));
    QVERIFY(child<QRadioButton>("optTipoRisultato0")->isChecked());

    QVERIFY(!shown("cmdSelect"));
    QVERIFY(!shown("frmTipoRisultato"));
    for (const char* name : {"frmMatrice", "Frame2", "Frame1", "msfRisultati", "msfRanking"})
        QVERIFY2(shown(name), name);
    for (const GridView* grid : {w.msfRisultati(), w.msfRanking(), w.msfCograduazione()})
        QCOMPARE(grid->gridModel()->gridRowCount(), 0);
    QCOMPARE(child<ClockStatusBar>("stbStato")->panelText(), QString());

    // The selection on the left half; on the right the run button above the
    // results with the view frame beside it; both result grids in one place.
    const auto rect = [&w](const char* name) {
        QWidget* widget = w.findChild<QWidget*>(QString::fromLatin1(name));
        return QRect(widget->mapTo(&w, QPoint(0, 0)), widget->size());
    };
    QVERIFY(rect("frmMatrice").right() < rect("Frame1").left());
    QVERIFY(qAbs(rect("frmMatrice").width() - rect("Frame1").width()) < w.width() / 10);
    QVERIFY(rect("cmdSelect").bottom() < rect("Frame1").top());
    QVERIFY(rect("cmdSelect").right() < rect("frmTipoRisultato").left());
    QVERIFY(rect("lstMetodi").bottom() < rect("lstSelezionati").top());
    QVERIFY(rect("lstSelezionati").bottom() < rect("Frame2").top());
    QCOMPARE(rect("msfRisultati"), rect("msfRanking"));
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestValutaMP::openingListsResultFiles() {
    runMethods({kInre, kWroclaw, kMpiPiu}, regioniEsempio());
    // The comparison files are no methods.
    QFile(path(QStringLiteral("Regioni.xlsx.val.csv"))).open(QIODevice::WriteOnly);
    QFile(path(QStringLiteral("Regioni.xlsx.rnk.csv"))).open(QIODevice::WriteOnly);
    // A composite's files come after the nine's, though "AAA" sorts first.
    QVERIFY(QFile::copy(path(entry("MPI+")), path(entry("AAA"))));

    ValutaMP& w = window();
    QCOMPARE(texts(w.lstMetodi()), (QStringList{entry("INRE"), entry("MPI+"), entry("WROC"),
                                                entry("AAA")})); // name order
    QCOMPARE(w.lstSelezionati()->count(), 0);
}

void TestValutaMP::runButtonFollowsSelection_data() {
    // Moves: "M<i>" double-clicks row i of lstMetodi, "S<i>" row i of
    // lstSelezionati.
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<QStringList>("listed");   // codes left in lstMetodi, in order
    QTest::addColumn<QStringList>("selected"); // codes in lstSelezionati, in order
    QTest::addColumn<bool>("button");

    QTest::newRow("one selected") << QStringList{"M1"} << QStringList{"GRAD", "WROC"}
                                  << QStringList{"MPI+"} << false;
    QTest::newRow("two selected, in the order chosen")
        << QStringList{"M2", "M0"} << QStringList{"MPI+"} << QStringList{"WROC", "GRAD"} << true;
    QTest::newRow("back to one: the entry goes to the end")
        << QStringList{"M0", "M0", "S0"} << QStringList{"WROC", "GRAD"} << QStringList{"MPI+"}
        << false;
    QTest::newRow("all three") << QStringList{"M0", "M0", "M0"} << QStringList{}
                               << QStringList{"GRAD", "MPI+", "WROC"} << true;
}

void TestValutaMP::runButtonFollowsSelection() {
    QFETCH(QStringList, moves);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, selected);
    QFETCH(bool, button);

    runMethods({kMpiPiu, kWroclaw, kGrad}, regioniEsempio());
    ValutaMP& w = window();
    for (const QString& move : moves) {
        QListWidget* list = move.startsWith(u'M') ? w.lstMetodi() : w.lstSelezionati();
        doubleClick(list, move.mid(1).toInt());
        // Every move hides the results and their view switch.
        QVERIFY(!shown("frmTipoRisultato"));
        QVERIFY(!shown("msfRisultati"));
        QVERIFY(!shown("msfRanking"));
        QCOMPARE(shown("cmdSelect"), w.lstSelezionati()->count() > 1);
    }
    const auto entries = [this](const QStringList& codes) {
        QStringList names;
        for (const QString& code : codes)
            names.append(entry(code));
        return names;
    };
    QCOMPARE(texts(w.lstMetodi()), entries(listed));
    QCOMPARE(texts(w.lstSelezionati()), entries(selected));
    QCOMPARE(shown("cmdSelect"), button);
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestValutaMP::doubleClickOnEmptyList() {
    runMethods({kMpiPiu}, regioniEsempio());
    ValutaMP& w = window();
    // Nothing selected yet: a double click on the empty list, and the
    // handlers with no current entry, change nothing.
    QTest::mouseDClick(w.lstSelezionati()->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    w.lstSelezionati_DblClick();
    QCOMPARE(w.lstMetodi()->count(), 1);
    QVERIFY(shown("msfRisultati"));
    QVERIFY(shown("msfRanking"));

    doubleClick(w.lstMetodi(), 0);
    QCOMPARE(w.lstSelezionati()->count(), 1);
    QTest::mouseDClick(w.lstMetodi()->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    w.lstMetodi_DblClick();
    QCOMPARE(w.lstSelezionati()->count(), 1);
    QCOMPARE(w.lstMetodi()->count(), 0);
    QVERIFY(!shown("cmdSelect"));
    // The run button, were it pressed, compares nothing.
    QCOMPARE(w.cmdSelect_Click(), ValutaMP::RunOutcome::NotRun);
    QVERIFY(!m_state.bRisultati);
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestValutaMP::runThreeMethods() {
    runMethods({kMpiPiu, kWroclaw, kGrad}, regioniEsempio());
    ValutaMP& w = window();
    const QStringList order{"WROC", "MPI+", "GRAD"};
    for (const QString& code : order)
        select(code);
    // "Ranghi" chosen in an earlier run does not carry over.
    child<QRadioButton>("optTipoRisultato2")->setChecked(true);
    QTest::mouseClick(child<QPushButton>("cmdSelect"), Qt::LeftButton);

    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.messageTexts().join(u'\n')));
    QVERIFY(m_state.bRisultati);
    QCOMPARE(w.lstSelezionati()->currentRow(), 2);

    // Both result grids: 20 units and the header row, the labels and three
    // methods in the order of the selection, every text as in the files:
    // the comparison reaches the grids.
    GridView* valuesGrid = w.msfRisultati();
    GridView* ranksGrid = w.msfRanking();
    for (GridView* grid : {valuesGrid, ranksGrid}) {
        QCOMPARE(grid->gridModel()->gridRowCount(), 21);
        QCOMPARE(grid->gridModel()->gridColumnCount(), 4);
        QCOMPARE(gridRow(grid, 0),
                 (QStringList{"Regione", "WROC - Wroclaw", "MPI+", "GRAD - Grad.RNK"}));
        QCOMPARE(grid->cornerText(), QStringLiteral("Regione"));
        QCOMPARE(gridText(grid, 1, 0), QStringLiteral("Piemonte"));
        QCOMPARE(gridText(grid, 20, 0), QStringLiteral("Sardegna"));
    }
    for (int k = 1; k <= 3; ++k) {
        const QString valuesFile = path(entry(order[k - 1]));
        // Below the headers checked above.
        QCOMPARE(gridColumn(valuesGrid, k).mid(1), valueParts(valuesFile).mid(1));
        QCOMPARE(gridColumn(ranksGrid, k).mid(1),
                 valueParts(valuesFile.chopped(3) + QStringLiteral("rnk")).mid(1));
    }

    // The cograduation matrix: the headers (the codes above, code and index
    // name beside), "1,0000" on the diagonal, a coefficient below it,
    // nothing above; the coefficients shaded.
    GridView* cograduation = w.msfCograduazione();
    QCOMPARE(gridRow(cograduation, 0), (QStringList{"", "WROC", "MPI+", "GRAD"}));
    QCOMPARE(gridColumn(cograduation, 0),
             (QStringList{"", "WROC - Wroclaw", "MPI+", "GRAD - Grad.RNK"}));
    for (int j = 1; j <= 3; ++j) {
        for (int k = 1; k <= 3; ++k) {
            const QString text = gridText(cograduation, j, k);
            const QVariant shade =
                cograduation->model()->index(j - 1, k - 1).data(Qt::BackgroundRole);
            if (j == k)
                QCOMPARE(text, QStringLiteral("1,0000"));
            else
                QCOMPARE(text.isEmpty(), j < k);
            QCOMPARE(shade.isValid(), j > k);
        }
    }

    // Both comparison files: copies of the two grids.
    QCOMPARE(contents(m_state.strMatrice + ".val.csv"), asFile(valuesGrid));
    QCOMPARE(contents(m_state.strMatrice + ".rnk.csv"), asFile(ranksGrid));

    // Shown: the view switch on "Valori", the values grid fitted to its texts.
    QVERIFY(shown("frmTipoRisultato"));
    QVERIFY(child<QRadioButton>("optTipoRisultato0")->isChecked());
    QVERIFY(shown("msfRisultati"));
    QVERIFY(!shown("msfRanking"));
    QVERIFY(shown("cmdSelect"));
    const QFontMetrics metrics(valuesGrid->font());
    const int letter = metrics.horizontalAdvance(QStringLiteral("W"));
    QVERIFY(valuesGrid->gridColumnWidth(0) >=
            metrics.horizontalAdvance(QStringLiteral("Valle d'Aosta/Vallée d'Aoste")) + letter - 1);
    for (int k = 1; k <= 3; ++k) {
        int widest = 0;
        for (const QString& text : gridColumn(valuesGrid, k))
            widest = std::max(widest, metrics.horizontalAdvance(text));
        // Never narrower than the header and its sort arrow.
        const int fitted =
            std::max(widest + letter, valuesGrid->horizontalHeader()->sectionSizeHint(k - 1));
        QVERIFY(qAbs(valuesGrid->gridColumnWidth(k) - fitted) <= 1);
    }
    QCOMPARE(child<ClockStatusBar>("stbStato")->panelText(), QString());
}

void TestValutaMP::resultViews() {
    runMethods({kMpiPiu, kGrad}, regioniEsempio());
    ValutaMP& w = window();
    select("MPI+");
    select("GRAD");
    QCOMPARE(w.cmdSelect_Click(), ValutaMP::RunOutcome::Saved);
    const QRect place = w.msfRisultati()->geometry();

    QTest::mouseClick(child<QRadioButton>("optTipoRisultato2"), Qt::LeftButton);
    QVERIFY(!shown("msfRisultati"));
    QVERIFY(shown("msfRanking"));
    QCOMPARE(w.msfRanking()->geometry(), place);
    // The ranks line up under the same column widths.
    for (int c = 0; c < 3; ++c)
        QCOMPARE(w.msfRanking()->gridColumnWidth(c), w.msfRisultati()->gridColumnWidth(c));

    QTest::mouseClick(child<QRadioButton>("optTipoRisultato0"), Qt::LeftButton);
    QVERIFY(shown("msfRisultati"));
    QVERIFY(!shown("msfRanking"));

    // A second run from "Ranghi" ends on "Valori" again, with the same grids.
    const QStringList before = gridColumn(w.msfRisultati(), 2);
    QTest::mouseClick(child<QRadioButton>("optTipoRisultato2"), Qt::LeftButton);
    QCOMPARE(w.cmdSelect_Click(), ValutaMP::RunOutcome::Saved);
    QVERIFY(child<QRadioButton>("optTipoRisultato0")->isChecked());
    QVERIFY(shown("msfRisultati"));
    QVERIFY(!shown("msfRanking"));
    QCOMPARE(gridColumn(w.msfRisultati(), 2), before);
}

void TestValutaMP::moveAfterRunKeepsMatrix() {
    runMethods({kMpiPiu, kWroclaw, kGrad}, regioniEsempio());
    ValutaMP& w = window();
    select("MPI+");
    select("WROC");
    select("GRAD");
    QCOMPARE(w.cmdSelect_Click(), ValutaMP::RunOutcome::Saved);
    const QStringList matrix = gridRow(w.msfCograduazione(), 3);
    const QByteArray values = contents(m_state.strMatrice + ".val.csv");

    doubleClick(w.lstSelezionati(), 0);
    QVERIFY(!shown("frmTipoRisultato"));
    QVERIFY(!shown("msfRisultati"));
    QVERIFY(!shown("msfRanking"));
    QVERIFY(shown("cmdSelect")); // two left
    QVERIFY(shown("msfCograduazione"));
    QCOMPARE(gridRow(w.msfCograduazione(), 3), matrix);
    QCOMPARE(contents(m_state.strMatrice + ".val.csv"), values);

    // A new run over fewer methods shrinks the matrix and the files.
    QCOMPARE(w.cmdSelect_Click(), ValutaMP::RunOutcome::Saved);
    QCOMPARE(w.msfCograduazione()->gridModel()->gridRowCount(), 3);
    QCOMPARE(gridRow(w.msfCograduazione(), 0), (QStringList{"", "WROC", "GRAD"}));
    QVERIFY(contents(m_state.strMatrice + ".val.csv")
                .startsWith("Regione;Wroclaw;Grad.RNK\r\nPiemonte;"));
}

void TestValutaMP::nineMethodsInView() {
    std::vector<int> all;
    for (const MethodInfo& method : methodTable())
        all.push_back(method.position);
    runMethods(all, regioniEsempio());
    ValutaMP& w = window();
    w.resize(1280, 760);
    QCoreApplication::processEvents();
    // The selection is as wide as a matrix of every listed method needs from
    // the opening on, and runs leave it so.
    auto* splitter = child<QSplitter>("splitter");
    const QList<int> opened = splitter->sizes();
    QVERIFY(opened.at(0) > opened.at(1));
    for (int selected : {2, 9}) {
        while (w.lstSelezionati()->count() < selected)
            doubleClick(w.lstMetodi(), 0);
        QCOMPARE(w.cmdSelect_Click(), ValutaMP::RunOutcome::Saved);
        QCoreApplication::processEvents();
        QCOMPARE(splitter->sizes(), opened);
    }

    // The whole matrix is in view, every column as wide as the others; the
    // results keep at least two fifths of the width.
    GridView* matrix = w.msfCograduazione();
    QCOMPARE(matrix->gridModel()->gridColumnCount(), 10);
    QCOMPARE(matrix->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(matrix->verticalScrollBar()->maximum(), 0);
    for (int c = 2; c <= 9; ++c)
        QCOMPARE(matrix->gridColumnWidth(c), matrix->gridColumnWidth(1));
    QVERIFY(splitter->sizes().at(1) >= (splitter->sizes().at(0) + splitter->sizes().at(1)) * 2 / 5);
}

void TestValutaMP::inconsistentFilesRefused_data() {
    QTest::addColumn<QString>("problem");
    QTest::addColumn<bool>("earlierRun"); // a comparison ran before the refused one
    QTest::addColumn<QString>("named");   // the file the message names

    QTest::newRow("ranks file missing") << "missing" << false << "Regioni.xlsx.outINRE.rnk";
    QTest::newRow("files of another matrix") << "other" << true << "Regioni.xlsx.outINRE.csv";
}

void TestValutaMP::inconsistentFilesRefused() {
    QFETCH(QString, problem);
    QFETCH(bool, earlierRun);
    QFETCH(QString, named);

    runMethods({kMpiPiu, kWroclaw, kInre}, regioniEsempio());
    const QString ranks = path(QStringLiteral("Regioni.xlsx.outINRE.rnk"));
    if (problem == QStringLiteral("missing")) {
        QVERIFY(QFile::remove(ranks));
    } else {
        // INRE run again after the workbook lost its last region.
        Rows rows = regioniEsempio();
        rows.pop_back();
        runMethods({kInre}, rows);
    }

    ValutaMP& w = window();
    // The values file whose ranks file is gone is marked in the list.
    if (problem == QStringLiteral("missing"))
        QCOMPARE(
            w.lstMetodi()->findItems(QStringLiteral("(da ricalcolare)"), Qt::MatchEndsWith).size(),
            1);
    select("MPI+");
    select("WROC");
    if (earlierRun)
        QCOMPARE(w.cmdSelect_Click(), ValutaMP::RunOutcome::Saved);
    const QByteArray valuesFile = contents(m_state.strMatrice + ".val.csv");
    const QByteArray ranksFile = contents(m_state.strMatrice + ".rnk.csv");
    const QStringList values = gridColumn(w.msfRisultati(), 2);
    const QStringList matrix = gridRow(w.msfCograduazione(), 2);
    select("INRE");

    m_state.bRisultati = false;
    QCOMPARE(w.cmdSelect_Click(), ValutaMP::RunOutcome::Refused);
    QVERIFY(m_state.bRisultati); // set before the files are read
    QCOMPARE(m_dialogs.messages.size(), 1);
    const auto& message = m_dialogs.messages.first();
    QCOMPARE(message.title, QStringLiteral("Orvalta"));
    QCOMPARE(message.icon, Dialogs::Icon::Critical);
    QVERIFY2(message.text.contains(named), qPrintable(message.text));

    // Grids, matrix and files as they were; nothing shown as compared.
    QCOMPARE(gridColumn(w.msfRisultati(), 2), values);
    QCOMPARE(gridRow(w.msfCograduazione(), 2), matrix);
    QCOMPARE(w.msfRisultati()->gridModel()->gridColumnCount(), earlierRun ? 3 : 0);
    QCOMPARE(contents(m_state.strMatrice + ".val.csv"), valuesFile);
    QCOMPARE(contents(m_state.strMatrice + ".rnk.csv"), ranksFile);
    QCOMPARE(QFile::exists(m_state.strMatrice + ".val.csv"), earlierRun);
    QVERIFY(!shown("frmTipoRisultato"));
    QVERIFY(!shown("msfRisultati"));
}

// A folder holds the name of the ranks comparison file: the comparison is
// shown, said not to be saved, and the values file is not written either.
void TestValutaMP::unwritableComparisonFile() {
    const QString blocked = QStringLiteral(".rnk.csv");
    const QString other = QStringLiteral(".val.csv");

    runMethods({kMpiPiu, kWroclaw}, regioniEsempio());
    QVERIFY(QDir().mkdir(m_state.strMatrice + blocked));
    ValutaMP& w = window();
    select("MPI+");
    select("WROC");
    QCOMPARE(w.cmdSelect_Click(), ValutaMP::RunOutcome::NotSaved);

    QCOMPARE(m_dialogs.messages.size(), 1);
    const auto& message = m_dialogs.messages.first();
    QCOMPARE(message.title, QStringLiteral("Orvalta"));
    QCOMPARE(message.icon, Dialogs::Icon::Critical);
    QVERIFY2(message.text.contains(QStringLiteral("Regioni.xlsx") + blocked),
             qPrintable(message.text));
    QVERIFY2(message.text.contains(QStringLiteral("non è stato salvato")),
             qPrintable(message.text));
    QVERIFY(!QFile::exists(m_state.strMatrice + other));
    QVERIFY(m_state.bRisultati);

    // The comparison is on view, the status bar says it is not saved.
    QCOMPARE(child<ClockStatusBar>("stbStato")->panelText(),
             QStringLiteral("Confronto non salvato"));
    QVERIFY(shown("msfRisultati"));
    QCOMPARE(w.msfRisultati()->gridModel()->gridRowCount(), 21);
    QCOMPARE(w.msfCograduazione()->gridModel()->gridRowCount(), 3);

    // Once the folder is gone the next run saves, and says nothing more.
    QVERIFY(QDir().rmdir(m_state.strMatrice + blocked));
    QCOMPARE(w.cmdSelect_Click(), ValutaMP::RunOutcome::Saved);
    QCOMPARE(child<ClockStatusBar>("stbStato")->panelText(), QString());
    QCOMPARE(contents(m_state.strMatrice + ".val.csv"), asFile(w.msfRisultati()));
    QCOMPARE(m_dialogs.messages.size(), 1);
}

void TestValutaMP::reopeningStartsAfresh() {
    runMethods({kMpiPiu, kWroclaw}, regioniEsempio());
    ValutaMP& w = window();
    select("MPI+");
    select("WROC");
    QCOMPARE(w.cmdSelect_Click(), ValutaMP::RunOutcome::Saved);
    w.reject();

    // A method run while the window was closed is listed at the next opening.
    runMethods({kGrad}, regioniEsempio());
    w.load();
    w.show();
    QCOMPARE(texts(w.lstMetodi()), (QStringList{entry("GRAD"), entry("MPI+"), entry("WROC")}));
    QCOMPARE(w.lstSelezionati()->count(), 0);
    QVERIFY(!shown("cmdSelect"));
    QVERIFY(!shown("frmTipoRisultato"));
    QVERIFY(shown("msfRisultati"));
    QVERIFY(shown("msfRanking"));
    for (const GridView* grid : {w.msfRisultati(), w.msfRanking(), w.msfCograduazione()})
        QCOMPARE(grid->gridModel()->gridRowCount(), 0);
}

// "Tutti" puts every listed method in the comparison in the method table's
// order, MPI+ first; the choice comes back at the next opening, for this
// workbook only.
void TestValutaMP::allMethodsRemembered() {
    const ScratchSettings settings;
    runMethods({kGrad, kWroclaw, kMpiPiu}, regioniEsempio());
    ValutaMP& w = window();
    select("WROC");
    QTest::mouseClick(child<QPushButton>("cmdTutti"), Qt::LeftButton);
    QCOMPARE(texts(w.lstSelezionati()), (QStringList{entry("MPI+"), entry("WROC"), entry("GRAD")}));
    QCOMPARE(w.lstMetodi()->count(), 0);
    QVERIFY(shown("cmdSelect"));
    doubleClick(w.lstSelezionati(), 1);
    w.reject();

    w.load();
    QCOMPARE(texts(w.lstSelezionati()), (QStringList{entry("MPI+"), entry("GRAD")}));
    QCOMPARE(texts(w.lstMetodi()), QStringList{entry("WROC")});
    QVERIFY(shown("cmdSelect"));
    w.reject();

    m_state.strMatrice = m_dir->filePath(QStringLiteral("Altra.xlsx"));
    runMethods({kGrad, kMpiPiu}, regioniEsempio());
    w.load();
    QCOMPARE(w.lstSelezionati()->count(), 0);
}

// The window holds no matrix: both outputs read it from the workbook, and
// a cancelled save dialog does nothing.
void TestValutaMP::exportAndReport() {
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx"), m_state.strMatrice));
    runMethods({kMpiPiu, kGrad}, regioniEsempio());
    window();
    const QString xlsx = path(QStringLiteral("tutto.xlsx"));
    const QString pdf = path(QStringLiteral("rapporto.pdf"));
    m_dialogs.saveAnswers = QStringList{xlsx, pdf};
    QTest::mouseClick(child<QPushButton>("cmdEsporta"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("cmdRapporto"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("cmdRapporto"), Qt::LeftButton);

    QCOMPARE(m_dialogs.saveRequests.size(), 3);
    QCOMPARE(m_dialogs.saveRequests[1].startFolder,
             path(QStringLiteral("Regioni.xlsx.rapporto.pdf")));
    QCOMPARE(m_dialogs.messageTexts(),
             (QStringList{QStringLiteral("Risultati esportati in %1.").arg(xlsx),
                          QStringLiteral("Rapporto scritto in %1.").arg(pdf)}));
    XlsxReader reader;
    reader.setSheetIndex(2); // Dati, MPI+, GRAD
    QVERIFY(reader.open(xlsx));
    COMPARE_CELL(reader.cell(1, 2), CellValue(QStringLiteral("Grad.RNK")));
    QVERIFY(contents(pdf).startsWith("%PDF"));
}

// The matrix the processing window loaded for the workbook is exported as
// it is; without it the workbook is read, here in vain.
void TestValutaMP::exportTakesLoadedMatrix() {
    runMethods({kMpiPiu, kGrad}, regioniEsempio());
    auto loaded =
        std::make_shared<Processing>(*m_regional, memoryLoader(regioniEsempio(), *m_regional));
    QVERIFY(loaded->load(m_state.strMatrice));
    const QString xlsx = path(QStringLiteral("tutto.xlsx"));
    for (const bool withMatrix : {true, false}) {
        m_window = std::make_unique<ValutaMP>(m_state, withMatrix ? loaded : nullptr, m_dialogs,
                                              *m_regional);
        m_window->load();
        m_dialogs.saveAnswers = QStringList{xlsx};
        m_dialogs.messages.clear();
        QTest::mouseClick(child<QPushButton>("cmdEsporta"), Qt::LeftButton);
        QCOMPARE(m_dialogs.messages.size(), 1);
        QCOMPARE(m_dialogs.messages[0].icon,
                 withMatrix ? Dialogs::Icon::Information : Dialogs::Icon::Critical);
        QVERIFY2(
            m_dialogs.messages[0].text.contains(withMatrix ? xlsx : QStringLiteral("Regioni.xlsx")),
            qPrintable(m_dialogs.messages[0].text));
    }
}

QTEST_MAIN(TestValutaMP)
#include "tst_valutamp.moc"
