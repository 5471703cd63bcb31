#include "menuorv.h"
#include "support/recordingdialogs.h"
#include "support/testsupport.h"
#include "timeseries/ampifiles.h"
#include "ui/charts/ampichart.h"
#include "ui/charts/charttips.h"
#include "ui/grid/gridview.h"
#include "ui/grid/rowselection.h"
#include "ui/grid/unitsearchbox.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/timeseries/timeanalysiswindow.h"
#include "workflow/ampirun.h"

#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

// The time-analysis window as the main window opens it: what it shows
// comes from the files it writes, its controls switch index, base period
// and charted units, and a refused panel closes it with the message.
class TestTimeAnalysisWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void opensOnThePanel();
    void controls();
    void groupChoice();
    void refusedPanelCloses_data();
    void refusedPanelCloses();

private:
    TimeAnalysisWindow* open(const QString& source);
    // Field `field` of line `line` of a file written beside the workbook.
    QString fieldOf(const QString& file, int line, int field) const;
    static QString statusText(TimeAnalysisWindow* window);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_workbook;
    SharedState m_state;
    RecordingDialogs m_dialogs;
    Regional m_regional{QLocale::c()};
    std::unique_ptr<MenuORV> m_menu;
};

void TestTimeAnalysisWindow::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_workbook = m_dir->filePath("periodi.xlsx");
    m_dialogs = RecordingDialogs();
    m_state = SharedState();
    m_menu = std::make_unique<MenuORV>(m_state, m_dialogs, m_regional);
    m_menu->show();
}

TimeAnalysisWindow* TestTimeAnalysisWindow::open(const QString& source) {
    if (!QFile::copy(source, m_workbook))
        return nullptr;
    m_dialogs.workbookAnswers = {m_workbook};
    auto* button = m_menu->findChild<QPushButton*>("cmdAnalisiTemporale");
    if (button->isEnabled())
        return nullptr; // nothing selected yet: the button waits for a workbook
    m_menu->cmdSelect_Click();
    if (!button->isEnabled())
        return nullptr;
    QTest::mouseClick(button, Qt::LeftButton);
    return m_menu->timeAnalysis();
}

QString TestTimeAnalysisWindow::fieldOf(const QString& file, int line, int field) const {
    return QString::fromUtf8(fileContents(file)).split("\r\n").value(line).split(u';').value(field);
}

QString TestTimeAnalysisWindow::statusText(TimeAnalysisWindow* window) {
    return QDir::fromNativeSeparators(window->findChild<ClockStatusBar*>()->panelText());
}

void TestTimeAnalysisWindow::opensOnThePanel() {
    TimeAnalysisWindow* window = open(ORVALTA_EXAMPLES "/regioni_periodi.xlsx");
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(m_dialogs.messages.isEmpty());
    QVERIFY(window->periodsLabel()->text().startsWith("Periodi: 2019, 2020, 2021, 2022, 2023"));
    QCOMPARE(window->baseCombo()->count(), 5);
    QCOMPARE(window->baseCombo()->currentText(), "2019");

    // The grids show what the files hold: Lazio (line 12) in 2021.
    GridModel* values = window->valuesGrid()->gridModel();
    GridModel* ranks = window->ranksGrid()->gridModel();
    QCOMPARE(values->gridRowCount(), 21);
    QCOMPARE(values->gridColumnCount(), 6);
    QCOMPARE(values->gridText(12, 0), "Lazio");
    QCOMPARE(values->gridText(12, 3), fieldOf(ampiValuesFile(m_workbook, true), 12, 3));
    QCOMPARE(ranks->gridText(12, 3), fieldOf(ampiRanksFile(m_workbook, true), 12, 3));
    QVERIFY(values->cellBackground(12, 3).isValid());
    QCOMPARE(window->chart()->lineCount(), 1);
    QVERIFY(m_state.bRisultati);
    QVERIFY(window->groupCombo()->isHidden());
    QVERIFY(statusText(window).endsWith(ampiValuesFile(m_workbook, true)));

    // The two grids scroll together, whichever is scrolled.
    QScrollBar* valuesBar = window->valuesGrid()->verticalScrollBar();
    QScrollBar* ranksBar = window->ranksGrid()->verticalScrollBar();
    QVERIFY(valuesBar->maximum() > 2);
    valuesBar->setValue(valuesBar->maximum());
    QCOMPARE(ranksBar->value(), valuesBar->maximum());
    ranksBar->setValue(2);
    QCOMPARE(valuesBar->value(), 2);
}

void TestTimeAnalysisWindow::controls() {
    TimeAnalysisWindow* window = open(ORVALTA_EXAMPLES "/regioni_periodi.xlsx");
    QVERIFY(window);
    GridModel* values = window->valuesGrid()->gridModel();

    window->indexButtons()->button(1)->click();
    QCOMPARE(values->gridText(12, 3), fieldOf(ampiValuesFile(m_workbook, false), 12, 3));
    QCOMPARE(window->ranksGrid()->gridModel()->gridText(12, 3),
             fieldOf(ampiRanksFile(m_workbook, false), 12, 3));
    QVERIFY(statusText(window).endsWith(ampiValuesFile(m_workbook, false)));

    // Units selected in the values grid are the chart's lines.
    window->valuesGrid()->selectRow(3);
    window->valuesGrid()->selectionModel()->select(window->valuesGrid()->model()->index(14, 0),
                                                   QItemSelectionModel::Select |
                                                       QItemSelectionModel::Rows);
    QCOMPARE(window->chart()->lineCount(), 2);

    // Another base period rewrites the files: the reference of the first
    // indicator becomes its 2022 mean.
    const QString before = fieldOf(ampiGoalpostsFile(m_workbook), 1, 4);
    window->baseCombo()->setCurrentIndex(3);
    Q_EMIT window->baseCombo()->activated(3);
    const QString after = fieldOf(ampiGoalpostsFile(m_workbook), 1, 4);
    QVERIFY2(before != after, qPrintable(before));
    QCOMPARE(values->gridText(12, 3), fieldOf(ampiValuesFile(m_workbook, false), 12, 3));
    QCOMPARE(window->chart()->lineCount(), 2);

    // The search box selects the units it names, and the chart draws them,
    // each line's tooltip naming its unit.
    QTest::keyClicks(window->searchBox(), "LI");
    QTest::keyClick(window->searchBox(), Qt::Key_Return);
    QCOMPARE(selectedRows(*window->valuesGrid()), QList<int>({5, 6, 7, 13, 15, 16, 18}));
    QCOMPARE(window->chart()->lineCount(), 7);
    for (QAbstractSeries* series : window->chart()->view()->chart()->series())
        if (auto* line = qobject_cast<QLineSeries*>(series); line && line->count() == 5)
            QVERIFY(hoverTip(line, line->at(0)).startsWith(line->name() + "\n2019: "));

    // The chart is exported like the other charts: the name proposed beside
    // the workbook, the format told by the name chosen.
    m_dialogs.saveAnswers = {m_workbook + ".AMPI-.svg", m_workbook + ".AMPI-.pdf"};
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(window->findChild<QPushButton*>("cmdEsporta"), Qt::LeftButton);
    QCOMPARE(m_dialogs.saveRequests.size(), 2);
    QCOMPARE(m_dialogs.saveRequests[0].startFolder, m_workbook + ".AMPI-.png");
    QVERIFY(fileContents(m_workbook + ".AMPI-.svg").contains("<svg"));
    QVERIFY(fileContents(m_workbook + ".AMPI-.pdf").startsWith("%PDF"));
}

// With a structure beside the workbook the window offers its groups, the
// overall index first, and shows the group chosen as the group files hold it.
void TestTimeAnalysisWindow::groupChoice() {
    const QString example = ORVALTA_EXAMPLES "/regioni_periodi.xlsx";
    const Expected<Panel> panel = loadPanel(example, m_regional);
    QVERIFY(panel);
    QByteArray structure = "Elemento;Padre\r\n";
    for (int j = 0; j < panel->indicatorCount(); ++j)
        structure += panel->indicators[j].toUtf8() + (j < 4 ? ";Prima\r\n" : ";Seconda\r\n");
    QVERIFY(writeFileBytes(m_workbook + ".struttura.csv", structure));
    TimeAnalysisWindow* window = open(example);
    QVERIFY(window);
    QVERIFY(m_dialogs.messages.isEmpty());
    QComboBox* groups = window->groupCombo();
    QVERIFY(!groups->isHidden());
    QCOMPARE(groups->count(), 3);
    QCOMPARE(groups->currentText(), "Indice complessivo");
    GridModel* values = window->valuesGrid()->gridModel();
    QCOMPARE(values->gridText(12, 3), fieldOf(ampiValuesFile(m_workbook, true), 12, 3));

    // Lazio (unit 12) under Seconda: line 1 + 11 * 3 + 1 of the group files.
    groups->setCurrentIndex(2);
    Q_EMIT groups->activated(2);
    QCOMPARE(values->gridText(12, 3), fieldOf(ampiGroupValuesFile(m_workbook, true), 35, 4));
    QCOMPARE(window->ranksGrid()->gridModel()->gridText(12, 3),
             fieldOf(ampiGroupRanksFile(m_workbook, true), 35, 4));
    QVERIFY(statusText(window).endsWith(ampiGroupValuesFile(m_workbook, true)));
    window->indexButtons()->button(1)->click();
    QCOMPARE(values->gridText(12, 3), fieldOf(ampiGroupValuesFile(m_workbook, false), 35, 4));
}

void TestTimeAnalysisWindow::refusedPanelCloses_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("message");
    QTest::newRow("a sheet refused")
        << fixture("panel/unita_estranea.xlsx")
        << "Il foglio \"2020\" di periodi.xlsx riporta nella riga 3 l'unità \"D\", "
           "assente nel foglio \"2019\".";
    QTest::newRow("one sheet: one period")
        << ORVALTA_EXAMPLES "/regioni.xlsx"
        << "L'AMPI confronta due periodi o più, uno per foglio della cartella: periodi.xlsx "
           "ha un solo foglio di dati (\"Indicatori\"). Nessun file è stato scritto.";
}

void TestTimeAnalysisWindow::refusedPanelCloses() {
    QFETCH(QString, source);
    QFETCH(QString, message);
    TimeAnalysisWindow* window = open(source);
    QVERIFY(window);
    QVERIFY(!window->isVisible());
    QCOMPARE(m_dialogs.messageTexts(), QStringList(message));
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::None);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList("periodi.xlsx"));
    QVERIFY(!m_state.bRisultati);
}

QTEST_MAIN(TestTimeAnalysisWindow)
#include "tst_timeanalysiswindow.moc"
