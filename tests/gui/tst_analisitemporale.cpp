#include "menuorv.h"
#include "support/recordingdialogs.h"
#include "support/testsupport.h"
#include "timeseries/ampifiles.h"
#include "ui/grid/gridview.h"
#include "ui/charts/ampichart.h"
#include "ui/timeseries/analisitemporale.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The time-analysis window as the main window opens it: what it shows
// comes from the files it writes, its controls switch index, base period
// and charted units, and a refused panel closes it with the message.
class TestAnalisiTemporale : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void opensOnThePanel();
    void controls();
    void refusedPanelCloses();

private:
    AnalisiTemporale* apri(const QString& source);
    // Field `field` of line `line` of a file written beside the workbook.
    QString campo(const QString& file, int line, int field) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_workbook;
    SharedState m_state;
    RecordingDialogs m_dialogs;
    Regional m_regional{QLocale::c()};
    std::unique_ptr<MenuORV> m_menu;
};

void TestAnalisiTemporale::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_workbook = m_dir->filePath("periodi.xlsx");
    m_dialogs = RecordingDialogs();
    m_state = SharedState();
    m_menu = std::make_unique<MenuORV>(m_state, m_dialogs, m_regional);
    m_menu->show();
}

AnalisiTemporale* TestAnalisiTemporale::apri(const QString& source) {
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
    return m_menu->analisiTemporale();
}

QString TestAnalisiTemporale::campo(const QString& file, int line, int field) const {
    return QString::fromUtf8(fileContents(file)).split("\r\n").value(line).split(u';').value(field);
}

void TestAnalisiTemporale::opensOnThePanel() {
    AnalisiTemporale* window = apri(ORVALTA_EXAMPLES "/regioni_periodi.xlsx");
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(m_dialogs.messages.isEmpty());
    QVERIFY(window->lblPeriodi()->text().startsWith("Periodi: 2019, 2020, 2021, 2022, 2023"));
    QCOMPARE(window->cmbBase()->count(), 5);
    QCOMPARE(window->cmbBase()->currentText(), "2019");

    // The grids show what the files hold: Lazio (line 12) in 2021.
    GridModel* valori = window->msfValori()->gridModel();
    GridModel* ranghi = window->msfRanghi()->gridModel();
    QCOMPARE(valori->gridRowCount(), 21);
    QCOMPARE(valori->gridColumnCount(), 6);
    QCOMPARE(valori->gridText(12, 0), "Lazio");
    QCOMPARE(valori->gridText(12, 3), campo(ampiValuesFile(m_workbook, true), 12, 3));
    QCOMPARE(ranghi->gridText(12, 3), campo(ampiRanksFile(m_workbook, true), 12, 3));
    QVERIFY(valori->cellBackground(12, 3).isValid());
    QCOMPARE(window->grafico()->lineCount(), 1);
    QVERIFY(m_state.bRisultati);
}

void TestAnalisiTemporale::controls() {
    AnalisiTemporale* window = apri(ORVALTA_EXAMPLES "/regioni_periodi.xlsx");
    QVERIFY(window);
    GridModel* valori = window->msfValori()->gridModel();

    window->optIndice()->button(1)->click();
    QCOMPARE(valori->gridText(12, 3), campo(ampiValuesFile(m_workbook, false), 12, 3));
    QCOMPARE(window->msfRanghi()->gridModel()->gridText(12, 3),
             campo(ampiRanksFile(m_workbook, false), 12, 3));

    // Units selected in the values grid are the chart's lines.
    window->msfValori()->selectRow(3);
    window->msfValori()->selectionModel()->select(window->msfValori()->model()->index(14, 0),
                                                  QItemSelectionModel::Select |
                                                      QItemSelectionModel::Rows);
    QCOMPARE(window->grafico()->lineCount(), 2);

    // Another base period rewrites the files: the reference of the first
    // indicator becomes its 2022 mean.
    const QString before = campo(ampiGoalpostsFile(m_workbook), 1, 4);
    window->cmbBase()->setCurrentIndex(3);
    Q_EMIT window->cmbBase()->activated(3);
    const QString after = campo(ampiGoalpostsFile(m_workbook), 1, 4);
    QVERIFY2(before != after, qPrintable(before));
    QCOMPARE(valori->gridText(12, 3), campo(ampiValuesFile(m_workbook, false), 12, 3));
    QCOMPARE(window->grafico()->lineCount(), 2);

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

void TestAnalisiTemporale::refusedPanelCloses() {
    AnalisiTemporale* window = apri(fixture("panel/unita_estranea.xlsx"));
    QVERIFY(window);
    QVERIFY(!window->isVisible());
    QCOMPARE(m_dialogs.messageTexts(),
             QStringList("Il foglio \"2020\" di periodi.xlsx riporta nella riga 3 l'unità \"D\", "
                         "assente nel foglio \"2019\"."));
    QVERIFY(!QFile::exists(ampiValuesFile(m_workbook, true)));
    QVERIFY(!m_state.bRisultati);
}

QTEST_MAIN(TestAnalisiTemporale)
#include "tst_analisitemporale.moc"
