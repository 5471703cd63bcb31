#include "helpwindow.h"
#include "mainmenubar.h"
#include "menuorv.h"
#include "support/guitestsupport.h"
#include "support/recordingdialogs.h"
#include "support/scratchsettings.h"
#include "support/testsupport.h"
#include "support/workrecorder.h"
#include "ui/grid/gridview.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/mnemonics.h"
#include "ui/platform/usersettings.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include <algorithm>

class TestMenuORV : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void startState();
    void cancelledSelection();
    void selection();
    void selectionFromCommandLine();
    void timeAnalysisNeedsTwoPeriods();
    void processingWindowEnablesSave();
    void opensEveryFormat_data();
    void opensEveryFormat();
    void refusedMatrixEndsProgram();
    void unreadableWorkbookReturns();
    void comparisonWindowEnablesSave();
    void newcomerRunsComparesAndSaves();
    void save_data();
    void save();
    void menusFollowButtons();
    void helpMenu();
    void recentWorkbooksAcrossSessions();
    void drop_data();
    void drop();
    void geometryAcrossSessions();

private:
    MenuORV& window(const Rows& rows = {});
    QPushButton* button(const char* name) const;
    QString panel() const;
    void selectWorkbook(const QString& path);
    void writeFile(const QString& path, const QByteArray& bytes = "x");

    std::unique_ptr<QTemporaryDir> m_dir;
    SharedState m_state;
    RecordingDialogs m_dialogs;
    std::unique_ptr<Regional> m_regional;
    std::unique_ptr<MenuORV> m_window;
    QString m_workbook;
};

namespace {

const Rows kProvince{{t("Provincia"), t("Reddito"), t("disoccupati")},
                     {t("Alfa"), 30.0, 5.0},
                     {t("Beta"), 10.0, 9.0},
                     {t("Gamma"), 20.0, 7.0}};

} // namespace

void TestMenuORV::initTestCase() {
    BackgroundWork::setRevealDelay(0);
}

void TestMenuORV::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("dati")));
    m_workbook = m_dir->filePath(QStringLiteral("dati/Province.xlsx"));
    m_state = SharedState();
    m_dialogs = RecordingDialogs();
    m_regional = std::make_unique<Regional>(QLocale(QLocale::Italian, QLocale::Italy));
}

void TestMenuORV::cleanup() {
    m_window.reset();
}

MenuORV& TestMenuORV::window(const Rows& rows) {
    m_window =
        std::make_unique<MenuORV>(m_state, m_dialogs, *m_regional,
                                  memoryLoader(rows.empty() ? kProvince : rows, *m_regional));
    m_window->show();
    return *m_window;
}

QPushButton* TestMenuORV::button(const char* name) const {
    auto* found = m_window->findChild<QPushButton*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no button %s", name);
    return found;
}

QString TestMenuORV::panel() const {
    return m_window->findChild<ClockStatusBar*>()->panelText();
}

void TestMenuORV::selectWorkbook(const QString& path) {
    m_dialogs.workbookAnswers.append(path);
    QTest::mouseClick(button("cmdSelect"), Qt::LeftButton);
}

void TestMenuORV::writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

void TestMenuORV::startState() {
    m_state.bRisultati = true; // left over: the window's load clears it
    MenuORV& w = window();
    QCOMPARE(w.windowTitle(), QStringLiteral("Orvalta - Vers.1.2"));
    QVERIFY(!m_state.bRisultati);
    QCOMPARE(panel(), QStringLiteral("Selezionare la matrice sorgente"));

    const struct {
        const char* name;
        const char* caption;
        bool enabled;
    } buttons[] = {{"cmdSelect", "Selezione Matrice", true},
                   {"cmdElaborazione", "Elaborazione metodi", false},
                   {"cmdSalvataggio", "Salvataggio Risultati", false},
                   {"cmdComparazione", "Comparazione metodi", false}};
    for (const auto& b : buttons) {
        // The captions as given, a letter underlined.
        QCOMPARE(button(b.name)->text().remove(u'&'), QString::fromUtf8(b.caption));
        QCOMPARE(button(b.name)->isEnabled(), b.enabled);
    }

    // Two rows of two; the tab order runs across the top row, then from
    // the right of the bottom row.
    const auto at = [this](const char* name) { return button(name)->geometry().topLeft(); };
    QCOMPARE(at("cmdSelect").y(), at("cmdElaborazione").y());
    QCOMPARE(at("cmdSalvataggio").y(), at("cmdComparazione").y());
    QVERIFY(at("cmdSelect").y() < at("cmdSalvataggio").y());
    QCOMPARE(at("cmdSelect").x(), at("cmdSalvataggio").x());
    QVERIFY(at("cmdSelect").x() < at("cmdElaborazione").x());
    QCOMPARE(button("cmdSelect")->nextInFocusChain(), button("cmdElaborazione"));
    QCOMPARE(button("cmdElaborazione")->nextInFocusChain(), button("cmdComparazione"));
    QCOMPARE(button("cmdComparazione")->nextInFocusChain(), button("cmdSalvataggio"));

    // The date and time panels show the present.
    const auto* bar = w.findChild<ClockStatusBar*>();
    QCOMPARE(bar->dateText(),
             m_regional->locale().toString(QDate::currentDate(), QLocale::ShortFormat));
    QVERIFY(!bar->timeText().isEmpty());
}

void TestMenuORV::cancelledSelection() {
    window();
    selectWorkbook(m_workbook);
    m_state.bRisultati = true;
    selectWorkbook(QString()); // cancelled

    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages[0].text, QStringLiteral("Selezione annullata dall'utente"));
    QCOMPARE(m_dialogs.messages[0].title, QStringLiteral("Selezione della matrice sorgente"));
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Warning);
    QCOMPARE(m_state.strMatrice, QString());
    QCOMPARE(m_state.strCartella, QString());
    QCOMPARE(panel(), QStringLiteral("Nessuna matrice sorgente selezionata"));
    QVERIFY(!button("cmdElaborazione")->isEnabled());
    QVERIFY(!button("cmdComparazione")->isEnabled());
    QVERIFY(button("cmdSelect")->isEnabled());
    QVERIFY(m_state.bRisultati); // a selection never touches it
}

void TestMenuORV::selection() {
    window();
    selectWorkbook(m_workbook);

    QCOMPARE(m_dialogs.workbookRequests.size(), 1);
    const auto& request = m_dialogs.workbookRequests[0];
    QCOMPARE(request.title, QStringLiteral("Seleziona la matrice sorgente"));
    // Every format first, then one filter per format.
    QCOMPARE(request.filter.split(QStringLiteral(";;")),
             (QStringList{
                 "Matrici (*.xls *.xlsx *.ods *.csv *.txt *.tsv)",
                 "Cartelle di lavoro Excel 97-2003 (*.xls)", "Cartelle di lavoro Excel (*.xlsx)",
                 "Fogli di calcolo OpenDocument (*.ods)", "Testo delimitato (*.csv *.txt *.tsv)"}));
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(m_state.strMatrice, m_workbook);
    QCOMPARE(m_state.strCartella, m_dir->filePath(QStringLiteral("dati")));
    QCOMPARE(panel(), QStringLiteral("Matrice sorgente: ") + m_workbook);
    QVERIFY(button("cmdElaborazione")->isEnabled());
    QVERIFY(!button("cmdSalvataggio")->isEnabled());
    // Nothing to compare yet, and the button says why; a panel may have
    // periods.
    QVERIFY(!button("cmdComparazione")->isEnabled());
    QVERIFY(button("cmdComparazione")->toolTip().contains(QStringLiteral("Elaborazione metodi")));
    QVERIFY(button("cmdAnalisiTemporale")->isEnabled());

    // The next selection opens where the last one was made. Delimited text
    // holds one period: no time analysis. A method's values make the
    // comparison possible.
    const QString text = m_dir->filePath(QStringLiteral("Altra.csv"));
    writeFile(text + QStringLiteral(".outMPI+.csv"));
    selectWorkbook(text);
    QCOMPARE(m_dialogs.workbookRequests[1].startFolder, m_dir->filePath(QStringLiteral("dati")));
    QCOMPARE(m_state.strCartella, m_dir->path());
    QVERIFY(button("cmdComparazione")->isEnabled());
    QVERIFY(button("cmdComparazione")->toolTip().isEmpty());
    QVERIFY(!button("cmdAnalisiTemporale")->isEnabled());
    QVERIFY(button("cmdAnalisiTemporale")->toolTip().contains(QStringLiteral("un solo foglio")));
}

// The time analysis is offered once the workbook is known to hold two
// sheets of data at least; a structure sheet is no period.
void TestMenuORV::timeAnalysisNeedsTwoPeriods() {
    window();
    QPushButton* time = button("cmdAnalisiTemporale");
    for (const auto& [example, periods] : {std::pair{"regioni.xlsx", 1},
                                           {"regioni_periodi.xlsx", 2},
                                           {"regioni_struttura.xlsx", 1},
                                           {"regioni.xls", 1}}) {
        const QString workbook = m_dir->filePath(QString::fromLatin1(example));
        QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/") + QString::fromLatin1(example),
                            workbook));
        selectWorkbook(workbook);
        QTRY_COMPARE(time->isEnabled(), periods > 1);
        QCOMPARE(time->toolTip().contains(QStringLiteral("un solo foglio di dati")), periods == 1);
    }
}

void TestMenuORV::selectionFromCommandLine() {
    MenuORV& w = window();
    w.selectWorkbook(m_workbook);

    QVERIFY(m_dialogs.workbookRequests.isEmpty());
    QCOMPARE(m_state.strMatrice, m_workbook);
    QCOMPARE(m_state.strCartella, m_dir->filePath(QStringLiteral("dati")));
    QCOMPARE(panel(), QStringLiteral("Matrice sorgente: ") + m_workbook);
    QVERIFY(button("cmdElaborazione")->isEnabled());
}

void TestMenuORV::processingWindowEnablesSave() {
    MenuORV& w = window();
    // The main window's activation (which updates its buttons) arrives
    // before the child opens, not inside the method's run.
    QVERIFY(QTest::qWaitForWindowActive(&w));
    selectWorkbook(m_workbook);
    QTest::mouseClick(button("cmdElaborazione"), Qt::LeftButton);
    IndiceMP* processing = w.indiceMP();
    QVERIFY(processing);
    QVERIFY(processing->isVisible());
    QVERIFY(processing->isModal());

    auto* combo = processing->findChild<QComboBox*>(QStringLiteral("cmbMetodo"));
    combo->setCurrentIndex(3);
    Q_EMIT combo->activated(3);
    QVERIFY(m_state.bRisultati);
    QVERIFY(QFile::exists(m_workbook + ".outM1VZ.csv"));
    // The main window only looks again when the child closes.
    QVERIFY(!button("cmdSalvataggio")->isEnabled());
    processing->reject();
    QVERIFY(!processing->isVisible());
    QVERIFY(button("cmdSalvataggio")->isEnabled());

    // A new selection keeps the save command; the window is the same one.
    selectWorkbook(m_dir->filePath(QStringLiteral("Altra.xls")));
    QVERIFY(button("cmdSalvataggio")->isEnabled());
    QTest::mouseClick(button("cmdElaborazione"), Qt::LeftButton);
    QCOMPARE(w.indiceMP(), processing);
    QVERIFY(processing->isVisible());
    QCOMPARE(combo->currentIndex(), -1);
    processing->reject();
}

// The sample matrix in each format, chosen in the dialog, loads in the
// processing window (delimited text saved under the window's Italian
// settings).
void TestMenuORV::opensEveryFormat_data() {
    QTest::addColumn<QString>("source");
    QTest::newRow("xls") << QStringLiteral(ORVALTA_EXAMPLES "/regioni.xls");
    QTest::newRow("xlsx") << QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx");
    QTest::newRow("ods") << fixture("twins/regioni.ods");
    QTest::newRow("csv") << fixture("twins/regioni_it_pv.csv");
}

void TestMenuORV::opensEveryFormat() {
    QFETCH(QString, source);
    const QString workbook =
        m_dir->filePath(QStringLiteral("dati/") + QFileInfo(source).fileName());
    QVERIFY(QFile::copy(source, workbook));
    m_window = std::make_unique<MenuORV>(m_state, m_dialogs, *m_regional);
    m_window->show();
    selectWorkbook(workbook);
    QTest::mouseClick(button("cmdElaborazione"), Qt::LeftButton);
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.messages.value(0).text));
    QVERIFY(m_window->indiceMP() && m_window->indiceMP()->isVisible());
    QCOMPARE(m_state.nRighe, 21);
    QCOMPARE(m_state.nColonne, 9);
    QCOMPARE(m_state.matDati(2, 2), CellValue(31.2));
    m_window->indiceMP()->reject();
}

void TestMenuORV::refusedMatrixEndsProgram() {
    MenuORV& w = window(Rows{{t("P"), t("Reddito")}, {t("a"), 1.0}, {t("b"), CellValue()}});
    selectWorkbook(m_workbook);
    QTest::mouseClick(button("cmdElaborazione"), Qt::LeftButton);

    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages[0].text,
             QStringLiteral("L'indicatore definito nella matrice come Reddito risulta avere valori "
                            "nulli. Verificare la validità della matrice selezionata!\n"
                            "Prima cella: B3 (b); celle interessate: 1."));
    QCOMPARE(m_dialogs.messages[0].title, QStringLiteral("Orvalta"));
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::None);
    QCOMPARE(m_dialogs.endProgramCalls, 1);
    QVERIFY(!w.indiceMP()->isVisible());
}

void TestMenuORV::unreadableWorkbookReturns() {
    m_window = std::make_unique<MenuORV>(m_state, m_dialogs, *m_regional);
    m_window->show();
    // The workbook is deleted between its selection and the loading.
    const QString gone = m_dir->filePath(QStringLiteral("manca.xls"));
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni.xls"), gone));
    selectWorkbook(gone);
    QVERIFY(QFile::remove(gone));
    QTest::mouseClick(button("cmdElaborazione"), Qt::LeftButton);

    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY2(m_dialogs.messages[0].text.contains(QStringLiteral("manca.xls")),
             qPrintable(m_dialogs.messages[0].text));
    QCOMPARE(m_dialogs.endProgramCalls, 0);
    QVERIFY(!m_window->indiceMP()->isVisible());
    QVERIFY(button("cmdElaborazione")->isEnabled());
}

void TestMenuORV::comparisonWindowEnablesSave() {
    MenuORV& w = window();
    QVERIFY(QTest::qWaitForWindowActive(&w)); // as in processingWindowEnablesSave
    selectWorkbook(m_workbook);
    // Two methods leave their files; the processing window then closes
    // without enabling anything yet, as the flag is cleared again here.
    QTest::mouseClick(button("cmdElaborazione"), Qt::LeftButton);
    auto* combo = w.indiceMP()->findChild<QComboBox*>(QStringLiteral("cmbMetodo"));
    for (int position : {0, 2}) {
        combo->setCurrentIndex(position);
        Q_EMIT combo->activated(position);
    }
    w.indiceMP()->reject();
    m_state.bRisultati = false;
    QTest::mouseClick(button("cmdSelect"), Qt::LeftButton); // cancelled: buttons off
    selectWorkbook(m_workbook);
    m_dialogs.messages.clear();

    // Opening and closing without a run changes nothing.
    QTest::mouseClick(button("cmdComparazione"), Qt::LeftButton);
    ValutaMP* comparison = w.valutaMP();
    QVERIFY(comparison);
    QVERIFY(comparison->isVisible());
    QVERIFY(comparison->isModal());
    QCOMPARE(comparison->lstMetodi()->count(), 2);
    comparison->reject();
    QVERIFY(!button("cmdSalvataggio")->isEnabled());

    // The same window opens again, listing afresh; a run sets bRisultati,
    // and the main window enables the save command once the window closes.
    QTest::mouseClick(button("cmdComparazione"), Qt::LeftButton);
    QCOMPARE(w.valutaMP(), comparison);
    QVERIFY(comparison->isVisible());
    QCOMPARE(comparison->lstMetodi()->count(), 2);
    QCOMPARE(comparison->lstSelezionati()->count(), 0);
    comparison->lstMetodi()->setCurrentRow(0);
    comparison->lstMetodi_DblClick();
    comparison->lstMetodi_DblClick();
    QCOMPARE(comparison->cmdSelect_Click(), ValutaMP::RunOutcome::Saved);
    QVERIFY(m_state.bRisultati);
    QVERIFY(!button("cmdSalvataggio")->isEnabled());
    comparison->reject();
    QVERIFY(button("cmdSalvataggio")->isEnabled());
    QVERIFY(QFile::exists(m_workbook + ".val.csv"));
    QVERIFY(m_dialogs.messages.isEmpty());
}

// The whole road of a newcomer on a copy of the sample workbook, through the
// real reader: every method, a comparison of all of them, the save.
void TestMenuORV::newcomerRunsComparesAndSaves() {
    const QString workbook = m_dir->filePath(QStringLiteral("dati/regioni.xlsx"));
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx"), workbook));
    m_window = std::make_unique<MenuORV>(m_state, m_dialogs, *m_regional);
    m_window->show();
    MenuORV& w = *m_window;

    selectWorkbook(workbook);
    // Every long step runs off the windows' thread, the window's controls off
    // meanwhile: the reading, each method, the comparison, the save.
    WorkRecorder saving(&w, {button("cmdSelect"), button("cmdSalvataggio")});
    QTest::mouseClick(button("cmdElaborazione"), Qt::LeftButton);
    IndiceMP* processing = w.indiceMP();
    QVERIFY(processing->isVisible());
    auto* automatic = processing->findChild<QPushButton*>(QStringLiteral("cmdSelect"));
    WorkRecorder methods(processing, {automatic});
    QTest::mouseClick(automatic, Qt::LeftButton);
    QCOMPARE(methods.steps, QStringList{QStringLiteral("Elaborazione automatica")});
    QVERIFY(methods.controlsOffThroughout);
    processing->reject();
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.messageTexts().join(u'\n')));

    QTest::mouseClick(button("cmdComparazione"), Qt::LeftButton);
    ValutaMP* comparison = w.valutaMP();
    QVERIFY(comparison->isVisible());
    QListWidget* listed = comparison->lstMetodi();
    QCOMPARE(listed->count(), 9);
    while (listed->count() > 0) {
        const QPoint at = listed->visualItemRect(listed->item(0)).center();
        QTest::mouseClick(listed->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(listed->viewport(), Qt::LeftButton, {}, at);
    }
    QCOMPARE(comparison->lstSelezionati()->count(), 9);
    auto* compare = comparison->findChild<QPushButton*>(QStringLiteral("cmdSelect"));
    WorkRecorder comparing(comparison, {compare, listed});
    QTest::mouseClick(compare, Qt::LeftButton);
    QCOMPARE(comparing.steps, QStringList{QStringLiteral("Lettura dei risultati")});
    QVERIFY(comparing.controlsOffThroughout);
    QCOMPARE(comparison->msfCograduazione()->gridModel()->gridRowCount(), 10);
    comparison->reject();
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.messageTexts().join(u'\n')));

    const QString destination = m_dir->filePath(QStringLiteral("copia"));
    QVERIFY(QDir().mkdir(destination));
    m_dialogs.folderAnswers.append(destination);
    QVERIFY(button("cmdSalvataggio")->isEnabled());
    QTest::mouseClick(button("cmdSalvataggio"), Qt::LeftButton);
    // The message names the folder and how many files it holds now.
    QCOMPARE(m_dialogs.messageTexts(),
             QStringList{QStringLiteral("Salvataggio dei dati effettuato con successo: %1 file "
                                        "copiati in %2.")
                             .arg(1 + 2 * 9 + 2 + 1)
                             .arg(QDir::toNativeSeparators(destination))});
    QCOMPARE(saving.steps, QStringList{QStringLiteral("Copia dei file")});
    QVERIFY(saving.controlsOffThroughout);

    // The workbook, two result files per method, the two comparison files
    // and the record of them, each a copy of its source.
    const QStringList copied = QDir(destination).entryList(QDir::Files, QDir::Name);
    QCOMPARE(copied.size(), 1 + 2 * 9 + 2 + 1);
    QVERIFY(copied.contains(QStringLiteral("regioni.xlsx.registro.json")));
    QVERIFY(copied.contains(QStringLiteral("regioni.xlsx.val.csv")));
    QVERIFY(copied.contains(QStringLiteral("regioni.xlsx.rnk.csv")));
    QVERIFY(copied.contains(QStringLiteral("regioni.xlsx.outM2NI.rnk")));
    for (const QString& name : copied) {
        QFile source(m_dir->filePath(QStringLiteral("dati/") + name));
        QFile copy(QDir(destination).filePath(name));
        QVERIFY(source.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), source.readAll());
    }
    // The values comparison file holds all nine methods side by side.
    QFile values(QDir(destination).filePath(QStringLiteral("regioni.xlsx.val.csv")));
    QVERIFY(values.open(QIODevice::ReadOnly));
    QCOMPARE(values.readLine().count(';'), 9);
}

void TestMenuORV::save_data() {
    QTest::addColumn<QString>("answer"); // "" cancels; "dest", "same", "blocked"
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text"); // the message, or its start
    QTest::addColumn<bool>("copied");  // the workbook's files are in the destination

    QTest::newRow("copied") << "dest"
                            << "Selezione Eseguito Correttamente"
                            << "Salvataggio dei dati effettuato con successo" << true;
    QTest::newRow("cancelled") << ""
                               << "Selezione annullata"
                               << "Selezione annullata dall'utente" << false;
    QTest::newRow("same folder") << "same"
                                 << "Salvataggio dei risultati"
                                 << "La cartella di destinazione è la cartella della matrice "
                                    "sorgente"
                                 << false;
    QTest::newRow("failed copy") << "blocked"
                                 << "Salvataggio non riuscito"
                                 << "Il salvataggio in " << false;
}

void TestMenuORV::save() {
    QFETCH(QString, answer);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(bool, copied);

    MenuORV& w = window();
    selectWorkbook(m_workbook);
    writeFile(m_workbook, "cartella di lavoro");
    QTest::mouseClick(button("cmdElaborazione"), Qt::LeftButton);
    auto* combo = w.indiceMP()->findChild<QComboBox*>(QStringLiteral("cmbMetodo"));
    combo->setCurrentIndex(4);
    Q_EMIT combo->activated(4);
    w.indiceMP()->reject();
    writeFile(m_dir->filePath(QStringLiteral("dati/Altro.xls")));

    const QString destination = m_dir->filePath(QStringLiteral("copia"));
    QVERIFY(QDir().mkdir(destination));
    writeFile(destination + QStringLiteral("/Province.xlsx.outGRAD.csv"), "vecchio");
    if (answer == QStringLiteral("blocked"))
        QVERIFY(QDir().mkdir(destination + QStringLiteral("/Province.xlsx.outGRAD.rnk")));
    m_dialogs.folderAnswers.append(answer == QStringLiteral("same")
                                       ? m_dir->filePath(QStringLiteral("dati"))
                                   : answer.isEmpty() ? QString()
                                                      : destination);
    // A cancelled selection afterwards does not change what is saved.
    selectWorkbook(QString());
    m_dialogs.messages.clear();

    QTest::mouseClick(button("cmdSalvataggio"), Qt::LeftButton);
    QCOMPARE(m_dialogs.folderRequests.size(), 1);
    QCOMPARE(m_dialogs.folderRequests[0].title,
             QStringLiteral("Selezionare la cartella di destinazione"));
    QCOMPARE(m_dialogs.messages.size(), 1);
    const auto& message = m_dialogs.messages[0];
    QCOMPARE(message.title, title);
    QVERIFY2(message.text.startsWith(text), qPrintable(message.text));
    QCOMPARE(message.icon, answer == QStringLiteral("blocked") ? Dialogs::Icon::Critical
                                                               : Dialogs::Icon::Warning);

    const QDir target(destination);
    QCOMPARE(target.exists(QStringLiteral("Province.xlsx")), copied || answer == "blocked");
    QCOMPARE(QFile(target.filePath(QStringLiteral("Province.xlsx.outGRAD.csv"))).size() > 7,
             copied || answer == "blocked");
    QVERIFY(!target.exists(QStringLiteral("Altro.xls")));
    if (answer == QStringLiteral("blocked")) {
        // Once where and why, then the name of the file that was not copied.
        QCOMPARE(message.text,
                 QStringLiteral("Il salvataggio in %1 non è riuscito: nella cartella di "
                                "destinazione esiste una cartella con lo stesso nome.\n"
                                "File non copiati: Province.xlsx.outGRAD.rnk.\n\n"
                                "Gli altri file sono stati copiati.")
                     .arg(destination));
    }
    // The source files are never touched.
    QFile source(m_workbook);
    QVERIFY(source.open(QIODevice::ReadOnly));
    QCOMPARE(source.readAll(), QByteArray("cartella di lavoro"));
}

QTEST_MAIN(TestMenuORV)
#include "tst_menuorv.moc"

// The menus' entries for the buttons are enabled exactly when the buttons
// are, and press them; every button and menu has a letter of its own.
void TestMenuORV::menusFollowButtons() {
    MenuORV& w = window();
    const QList<QAction*> analyses = w.menus()->analysisMenu()->actions();
    const QList<QPushButton*> windows = {button("cmdElaborazione"), button("cmdComparazione"),
                                         button("cmdAnalisiTemporale")};
    QCOMPARE(analyses.size(), windows.size());
    const auto follow = [&] {
        for (qsizetype i = 0; i < windows.size(); ++i)
            QCOMPARE(analyses[i]->isEnabled(), windows[i]->isEnabled());
    };
    follow();
    QVERIFY(!analyses[0]->isEnabled());

    QAction* open = w.menus()->fileMenu()->actions().constFirst();
    QCOMPARE(open->shortcut(), QKeySequence(QKeySequence::Open));
    writeFile(m_workbook + QStringLiteral(".outMPI+.csv"));
    m_dialogs.workbookAnswers.append(m_workbook);
    open->trigger();
    QCOMPARE(m_dialogs.workbookRequests.size(), 1);
    QCOMPARE(m_state.strMatrice, m_workbook);
    follow();
    QVERIFY(analyses[0]->isEnabled());

    // While the window works, its entries are off with its buttons.
    button("cmdSelect")->setEnabled(false);
    QVERIFY(!open->isEnabled());
    button("cmdSelect")->setEnabled(true);

    analyses[1]->trigger();
    QVERIFY(w.valutaMP() && w.valutaMP()->isVisible());
    w.valutaMP()->reject();

    QString letters = w.menus()->mnemonics();
    for (const char* name : {"cmdSelect", "cmdElaborazione", "cmdComparazione", "cmdSalvataggio",
                             "cmdAnalisiTemporale"})
        letters.append(mnemonicOf(button(name)->text()));
    QCOMPARE(letters.size(), 3 + 5);
    for (const QChar letter : letters)
        QVERIFY2(!letter.isNull() && letters.count(letter) == 1, qPrintable(letters));
}

// The guide is the Italian one under an Italian interface, with the batch
// tool and no developer material, and opens from F1 in every window; the
// version and licence come in a message.
void TestMenuORV::helpMenu() {
    MenuORV& w = window();
    const QString guide = w.showUserGuide()->browser()->toPlainText();
    QVERIFY2(guide.contains(QStringLiteral("La finestra principale")), qPrintable(guide.left(200)));
    QVERIFY(guide.contains(QStringLiteral("orvalta-batch")));
    for (const char* developer : {"cmake", "lupdate", "tst_"})
        QVERIFY2(!guide.contains(QLatin1StringView(developer)), developer);
    w.showUserGuide()->close();

    writeFile(m_workbook + QStringLiteral(".outMPI+.csv"));
    selectWorkbook(m_workbook);
    QTest::mouseClick(button("cmdComparazione"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(w.valutaMP()));
    const auto guideShown = [] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::any_of(windows.begin(), windows.end(), [](const QWidget* window) {
            return qobject_cast<const HelpWindow*>(window) && window->isVisible();
        });
    };
    QVERIFY(!guideShown());
    QTest::keyClick(w.valutaMP(), Qt::Key_F1);
    QVERIFY(guideShown());
    w.valutaMP()->reject();

    w.menus()->helpMenu()->actions().constLast()->trigger();
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages[0].title, QStringLiteral("Informazioni su Orvalta"));
    QVERIFY(m_dialogs.messages[0].text.startsWith(QStringLiteral("Orvalta, versione 1.2")));
    QVERIFY(m_dialogs.messages[0].text.contains(QStringLiteral("GNU General Public License")));
}

// The last ten workbooks, most recent first, come back in the next
// session's File menu; one no longer there is offered disabled; the
// selection dialog opens where the last workbook was chosen.
void TestMenuORV::recentWorkbooksAcrossSessions() {
    const ScratchSettings settings;
    window();
    QStringList chosen;
    for (int i = 0; i < UserSettings::kRecentLimit + 2; ++i) {
        chosen.prepend(m_dir->filePath(QStringLiteral("dati/M%1.xlsx").arg(i)));
        writeFile(chosen.constFirst());
        selectWorkbook(chosen.constFirst());
    }
    selectWorkbook(chosen[3]); // once, at the head
    chosen.move(3, 0);
    QVERIFY(QFile::remove(chosen[1]));

    m_dialogs = RecordingDialogs();
    MenuORV& next = window();
    QMenu* recent = next.menus()->recentMenu();
    next.menus()->refreshRecent();
    const QList<QAction*> entries = recent->actions();
    QCOMPARE(entries.size(), UserSettings::kRecentLimit);
    for (int i = 0; i < UserSettings::kRecentLimit; ++i) {
        QVERIFY2(entries[i]->text().endsWith(chosen[i]), qPrintable(entries[i]->text()));
        QCOMPARE(entries[i]->isEnabled(), i != 1);
    }

    m_state = SharedState();
    entries[2]->trigger();
    QCOMPARE(m_state.strMatrice, chosen[2]);
    QCOMPARE(panel(), QStringLiteral("Matrice sorgente: ") + chosen[2]);
    QCOMPARE(UserSettings::recentWorkbooks().constFirst(), chosen[2]);

    m_window.reset();
    window();
    selectWorkbook(QString());
    QCOMPARE(m_dialogs.workbookRequests.constLast().startFolder,
             m_dir->filePath(QStringLiteral("dati")));
}

void TestMenuORV::drop_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("selected");
    QTest::newRow("workbook") << QStringList{"dati/Province.xlsx"} << true;
    QTest::newRow("upper-case extension") << QStringList{"dati/Province.CSV"} << true;
    QTest::newRow("not a workbook") << QStringList{"dati/Province.pdf"} << false;
    QTest::newRow("two workbooks") << QStringList{"dati/A.xls", "dati/B.xls"} << false;
    QTest::newRow("a folder named as a workbook") << QStringList{"dati/cartella.ods"} << false;
}

// A workbook dropped on the window is selected as the dialog's would be.
void TestMenuORV::drop() {
    QFETCH(QStringList, files);
    QFETCH(bool, selected);
    QVERIFY(QDir(m_dir->filePath(QStringLiteral("dati"))).mkdir(QStringLiteral("cartella.ods")));
    QList<QUrl> urls;
    for (const QString& file : files) {
        if (!file.endsWith(QStringLiteral(".ods")))
            writeFile(m_dir->filePath(file));
        urls.append(QUrl::fromLocalFile(m_dir->filePath(file)));
    }
    MenuORV& w = window();
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = w.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &enter);
    QCOMPARE(enter.isAccepted(), selected);
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &dropped);

    QVERIFY(m_dialogs.workbookRequests.isEmpty());
    QCOMPARE(m_state.strMatrice, selected ? m_dir->filePath(files[0]) : QString());
    QCOMPARE(button("cmdElaborazione")->isEnabled(), selected);
    if (selected)
        QCOMPARE(panel(), QStringLiteral("Matrice sorgente: ") + m_dir->filePath(files[0]));
}

// The main window and a child window open the next session as they were
// left.
void TestMenuORV::geometryAcrossSessions() {
    const ScratchSettings settings;
    MenuORV& w = window();
    const QRect placed(40, 50, 600, w.height() + 20);
    w.setGeometry(placed);
    writeFile(m_workbook + QStringLiteral(".outMPI+.csv"));
    selectWorkbook(m_workbook);
    QTest::mouseClick(button("cmdComparazione"), Qt::LeftButton);
    QVERIFY(w.valutaMP());
    const QSize opened = w.valutaMP()->size();
    w.valutaMP()->resize(opened - QSize(10, 60));
    const QSize left = w.valutaMP()->size();
    QVERIFY(left != opened);
    w.valutaMP()->reject();
    w.hide();

    MenuORV& next = window();
    QCOMPARE(next.geometry(), placed);
    selectWorkbook(m_workbook);
    QTest::mouseClick(button("cmdComparazione"), Qt::LeftButton);
    QVERIFY(next.valutaMP());
    QCOMPARE(next.valutaMP()->size(), left);
}
