#include "support/guitestsupport.h"
#include "support/recordingdialogs.h"
#include "ui/audit/auditfigures.h"
#include "ui/audit/auditwindow.h"
#include "ui/grid/gridview.h"
#include "ui/platform/backgroundwork.h"
#include "ui/processing/indicemp.h"
#include "workflow/methodcoherence.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

// The statistical audit window's wiring: opened from the processing window
// it shows the audit of the matrix held there, and its treatment replaces
// that matrix for the methods and the data grid.
class TestAuditWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void opensWithTheAudit();
    void correlationKindSwitchesHeatmap();
    void treatmentReplacesProcessingMatrix();
    void coherenceOfTheMethodChosen();

private:
    AuditWindow& open();
    template <typename T> T* child(const char* name) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    SharedState m_state;
    RecordingDialogs m_dialogs;
    std::unique_ptr<Regional> m_regional;
    std::shared_ptr<Processing> m_processing;
    std::unique_ptr<IndiceMP> m_window;
    AuditWindow* m_audit = nullptr;
};

void TestAuditWindow::initTestCase() {
    BackgroundWork::setRevealDelay(0);
}

void TestAuditWindow::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = SharedState();
    m_state.strMatrice = m_dir->filePath(QStringLiteral("Province.xlsx"));
    m_state.strCartella = m_dir->path();
    m_dialogs = RecordingDialogs();
    m_regional = std::make_unique<Regional>(QLocale(QLocale::Italian, QLocale::Italy));
    m_processing =
        std::make_shared<Processing>(*m_regional, memoryLoader(skewedProvinces(), *m_regional));
    m_window = std::make_unique<IndiceMP>(m_state, m_processing, m_dialogs, *m_regional);
}

void TestAuditWindow::cleanup() {
    m_window.reset();
    m_audit = nullptr;
}

// The processing window loads, then its "Analisi statistica..." button
// opens the audit.
AuditWindow& TestAuditWindow::open() {
    if (!m_window->load())
        qFatal("the matrix did not load");
    child<QPushButton>("cmdAnalisi")->click();
    m_audit = m_window->findChild<AuditWindow*>();
    if (!m_audit)
        qFatal("no audit window");
    return *m_audit;
}

template <typename T> T* TestAuditWindow::child(const char* name) const {
    QObject* parent = m_audit ? static_cast<QObject*>(m_audit) : m_window.get();
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

void TestAuditWindow::opensWithTheAudit() {
    AuditWindow& audit = open();
    QVERIFY(audit.isVisible());
    const GridView* indicators = child<GridView>("msfIndicatori");
    QCOMPARE(gridColumnTexts(indicators, 0), (QStringList{"Indicatore", "Reddito", "Servizi"}));
    // The file's words shown with their accents.
    QCOMPARE(gridColumnTexts(indicators, 1).first(), QStringLiteral("Polarità"));
    QCOMPARE(gridColumnTexts(indicators, 8), (QStringList{"Anomalo", "sì", "no"}));
    // The flagged indicator stands out, the other keeps the view's colours.
    QVERIFY(indicators->model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>().isValid());
    QVERIFY(!indicators->model()->index(1, 0).data(Qt::BackgroundRole).value<QColor>().isValid());
    // The whole matrix in the coherence table, its scree chart on view.
    QCOMPARE(gridColumnTexts(child<GridView>("msfCoerenza"), 0),
             (QStringList{"Gruppo", "Tutti gli indicatori"}));
    QCOMPARE(child<QChartView>("chartAutovalori")->chart()->series().size(), 3);
    QVERIFY(child<QChartView>("chartIstogramma")->chart()->title().contains(u"Reddito"));
    // The audit files are beside the workbook.
    QVERIFY(QFile::exists(m_state.strMatrice + QStringLiteral(".audit.csv")));
    QVERIFY(QFile::exists(m_state.strMatrice + QStringLiteral(".coerenza.csv")));
    QVERIFY(m_dialogs.messages.isEmpty());

    // Annulla pressed while the audit runs: nothing is written.
    WorkProgress stopped;
    stopped.cancel();
    const QString other = m_dir->filePath(QStringLiteral("Altra.xlsx"));
    const AuditFigures figures =
        auditFigures(m_processing->matrix(), nullptr, other, *m_regional, &stopped);
    QVERIFY(!figures.written && figures.written.error().kind == FailureKind::Cancelled);
    QVERIFY(!QFile::exists(other + QStringLiteral(".audit.csv")));

    // Values of both signs near the largest double: each in its bin.
    Matrix edge = m_processing->matrix();
    for (double& x : edge.column(1))
        x = x > 6 ? 1.7e308 : -1.7e308;
    const Histogram far = auditFigures(edge, nullptr, other, *m_regional).histograms[1];
    QCOMPARE(far.counts.front() + far.counts.back(), 12);
    for (int b = 0; b < int(far.counts.size()); ++b)
        QVERIFY(far.edge(b) < far.edge(b + 1)); // finite, rising
}

void TestAuditWindow::correlationKindSwitchesHeatmap() {
    AuditWindow& audit = open();
    const QChart* chart = child<QChartView>("chartCorrelazioni")->chart();
    QVERIFY(chart->title().contains(u"Pearson"));
    child<QRadioButton>("optSpearman")->click();
    QVERIFY(chart->title().contains(u"Spearman"));
    QVERIFY(audit.figures().pearson != audit.figures().spearman);
}

void TestAuditWindow::treatmentReplacesProcessingMatrix() {
    if (!m_window->load())
        qFatal("the matrix did not load");
    // Results on view before the treatment.
    auto* methods = child<QComboBox>("cmbMetodo");
    methods->setCurrentIndex(0);
    Q_EMIT methods->activated(0);
    const QStringList results = gridColumnTexts(m_window->msfRisultati(), 1);
    QCOMPARE(results.size(), 13);
    child<QPushButton>("cmdAnalisi")->click();
    m_audit = m_window->findChild<AuditWindow*>();
    QVERIFY(m_audit);
    const std::shared_ptr<const Matrix> before = m_processing->sharedMatrix();
    child<QPushButton>("cmdTratta")->click();
    QVERIFY(m_dialogs.messages.isEmpty());
    // Lambda's 200 pulled in to the next value, 11: one changed cell.
    const GridView* changes = child<GridView>("msfTrattati");
    QCOMPARE(changes->gridModel()->gridRowCount(), 2);
    QCOMPARE(gridColumnTexts(changes, 0), (QStringList{"Provincia", "Lambda"}));
    QCOMPARE(gridColumnTexts(changes, 2), (QStringList{"Originale", "200,0000"}));
    QCOMPARE(gridColumnTexts(changes, 3), (QStringList{"Trattato", "11,0000"}));
    QVERIFY(m_processing->sharedMatrix() != before);
    QCOMPARE(m_processing->matrix().value(10, 0), 11.0);
    // The data grid of the processing window shows the treated matrix, the
    // audit the treated indicator as no longer flagged.
    QCOMPARE(m_window->msfMatrice()->gridModel()->gridText(11, 1), QStringLiteral("11,0000"));
    // The treated cell is marked; the results stay, marked as to be
    // computed again, and so says the state line.
    const QAbstractItemModel* data = m_window->msfMatrice()->model();
    QVERIFY(data->index(10, 0).data(Qt::FontRole).value<QFont>().italic());
    QVERIFY(!data->index(9, 0).data(Qt::FontRole).value<QFont>().italic());
    QCOMPARE(gridColumnTexts(m_window->msfRisultati(), 1), results);
    m_audit = nullptr;
    QVERIFY2(child<QGroupBox>("Frame1")->title().contains(QStringLiteral("da ricalcolare")),
             qPrintable(child<QGroupBox>("Frame1")->title()));
    QVERIFY(child<QLabel>("lblStato")
                ->text()
                .startsWith(QStringLiteral("matrice trattata (anomali, valori cambiati: 1)")));
    QCOMPARE(gridColumnTexts(child<GridView>("msfIndicatori"), 8),
             (QStringList{"Anomalo", "no", "no"}));
    QVERIFY(QFile::exists(m_state.strMatrice + QStringLiteral(".trattati.csv")));
}

QTEST_MAIN(TestAuditWindow)
#include "tst_auditwindow.moc"

// The method chooser lists the nine; its page shows and writes the
// coherence of the method chosen, and another choice replaces it.
void TestAuditWindow::coherenceOfTheMethodChosen() {
    open();
    auto* choice = child<QComboBox>("cboMetodoCoerenza");
    QCOMPARE(choice->count(), 9);
    const GridView* table = child<GridView>("msfCoerenzaMetodo");
    const auto expected = [this](MethodPosition position) {
        AnalysedMethod method;
        method.position = position;
        return linesTable(
            *methodCoherenceLines(method, m_processing->matrix(), nullptr, *m_regional));
    };
    choice->setCurrentIndex(choice->findText(QStringLiteral("WROC")));
    const TextTable wroclaw = expected(MethodPosition::Wroclaw);
    QCOMPARE(gridColumnTexts(table, 2).size(), wroclaw.rowCount());
    QCOMPARE(gridColumnTexts(table, 2).at(1), wroclaw.cell(1, 2));
    QVERIFY(QFile::exists(m_state.strMatrice + QStringLiteral(".coerenza.WROC.csv")));
    // The two methods see the first indicator differently.
    const TextTable indexNumbers = expected(MethodPosition::IndexNumbersArithmetic);
    QVERIFY(wroclaw.cell(1, 2) != indexNumbers.cell(1, 2));
    choice->setCurrentIndex(choice->findText(QStringLiteral("M1NI")));
    QCOMPARE(gridColumnTexts(table, 2).at(1), indexNumbers.cell(1, 2));
    QVERIFY(QFile::exists(m_state.strMatrice + QStringLiteral(".coerenza.M1NI.csv")));
    QVERIFY(m_dialogs.messages.isEmpty());
}
