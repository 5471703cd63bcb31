#include "methods/methodrunner.h"
#include "methods/metodi.h"
#include "support/guitestsupport.h"
#include "support/recordingdialogs.h"
#include "support/testsupport.h"
#include "ui/charts/rankcharts.h"
#include "ui/charts/rankintervalchart.h"
#include "ui/comparison/valutamp.h"
#include "ui/grid/gridview.h"
#include "ui/robustness/robustnesswindow.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QTest>

// The robustness window as the comparison window opens it: what it shows,
// the files it leaves, sorting, the charts and their export.
class TestRobustnessWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void opensOnTheComparisonOnView();
    void headerClickSortsTheSummary();
    void analysesFillGridsAndFiles();
    void chartsFollowSelectionAndExport();
    void scatterOfManyUnitsIsGrouped();

private:
    // Runs MPI+, WROC and GRAD, compares them and opens the robustness window.
    RobustnessWindow* open();
    QString file(const QString& suffix) const { return m_state.strMatrice + suffix; }

    std::unique_ptr<QTemporaryDir> m_dir;
    SharedState m_state;
    RecordingDialogs m_dialogs;
    const Regional m_regional{QLocale(QLocale::Italian, QLocale::Italy)};
    std::unique_ptr<ValutaMP> m_valuta;
};

namespace {

QStringList gridColumn(const GridView* grid, int col) {
    QStringList texts;
    for (int r = 1; r < grid->gridModel()->gridRowCount(); ++r)
        texts.append(grid->gridModel()->gridText(r, col));
    return texts;
}

QByteArray asFile(const GridView* grid) {
    QByteArray bytes;
    const GridModel* model = grid->gridModel();
    for (int r = 0; r < model->gridRowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < model->gridColumnCount(); ++c)
            row.append(model->gridText(r, c));
        bytes += row.join(u';').toUtf8() + "\r\n";
    }
    return bytes;
}

} // namespace

void TestRobustnessWindow::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_state = statoCaricatoDa(regioniEsempio());
    m_state.strMatrice = m_dir->filePath(QStringLiteral("Regioni.xlsx"));
    m_state.strCartella = m_dir->path();
    m_dialogs = RecordingDialogs();
}

void TestRobustnessWindow::cleanup() {
    m_valuta.reset();
}

RobustnessWindow* TestRobustnessWindow::open() {
    SharedState s = m_state;
    MethodRunner runner;
    for (const int position : {0, 2, 4})
        if (!runner.run(s, position, methodTable()[std::size_t(position)].entryText, m_regional)
                 .done())
            return nullptr;
    m_valuta = std::make_unique<ValutaMP>(m_state, m_dialogs, m_regional);
    m_valuta->carica();
    m_valuta->show();
    if (m_valuta->cmdRobustezza_Click())
        return nullptr; // nothing compared yet: no window
    for (int i = 0; i < 3; ++i) {
        m_valuta->lstMetodi()->setCurrentRow(0);
        m_valuta->lstMetodi_DblClick();
    }
    if (m_valuta->cmdSelect_Click() != ValutaMP::RunOutcome::Saved)
        return nullptr;
    auto* button = m_valuta->findChild<QPushButton*>(QStringLiteral("cmdRobustezza"));
    QTest::mouseClick(button, Qt::LeftButton);
    return m_valuta->findChild<RobustnessWindow*>();
}

void TestRobustnessWindow::opensOnTheComparisonOnView() {
    RobustnessWindow* w = open();
    QVERIFY(w);
    QVERIFY(w->isVisible());
    // The summary grid is the file written beside the workbook.
    QCOMPARE(w->msfRiepilogo()->gridModel()->gridRowCount(), 21);
    QCOMPARE(fileContents(file(QStringLiteral(".rob.csv"))), asFile(w->msfRiepilogo()));
    // Kendall beside Spearman, in the same layout; Spearman as compared.
    QCOMPARE(asFile(w->msfSpearman()), asFile(m_valuta->msfCograduazione()));
    QCOMPARE(w->msfKendall()->gridModel()->gridRowCount(), 4);
    QCOMPARE(w->msfKendall()->gridModel()->gridText(1, 1), QStringLiteral("1,0000"));
    QVERIFY(!w->msfKendall()->gridModel()->gridText(3, 1).isEmpty());
    QVERIFY(w->lblRiepilogo()->text().contains(QStringLiteral("20 unità, 3 metodi")));
    QCOMPARE(w->cmbMetodo()->count(), 3);
    // Changing the selection hides the way in.
    m_valuta->lstSelezionati()->setCurrentRow(0);
    m_valuta->lstSelezionati_DblClick();
    QVERIFY(!m_valuta->cmdRobustezza_Click());
}

void TestRobustnessWindow::headerClickSortsTheSummary() {
    RobustnessWindow* w = open();
    QVERIFY(w);
    QHeaderView* header = w->msfRiepilogo()->horizontalHeader();
    const QStringList labels = gridColumn(w->msfRiepilogo(), 0);
    const auto clickWorst = [&] {
        // Grid column 4, "Peggiore", is header section 3.
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(3) + 5, header->height() / 2));
    };
    for (const bool ascending : {true, false}) {
        clickWorst();
        const QStringList worst = gridColumn(w->msfRiepilogo(), 4);
        for (int i = 1; i < worst.size(); ++i)
            QVERIFY(ascending ? worst[i - 1].toInt() <= worst[i].toInt()
                              : worst[i - 1].toInt() >= worst[i].toInt());
        // Every row still names its own unit.
        const QStringList shown = gridColumn(w->msfRiepilogo(), 0);
        for (int r = 0; r < shown.size(); ++r)
            QCOMPARE(shown[r], labels[w->ordineRiepilogo()[std::size_t(r)]]);
    }
}

void TestRobustnessWindow::analysesFillGridsAndFiles() {
    RobustnessWindow* w = open();
    QVERIFY(w);
    w->cmbMetodo()->setCurrentIndex(w->cmbMetodo()->findData(2)); // WROC
    QCOMPARE(w->cmdSensibilita_Click(), RobustnessWindow::Outcome::Saved);
    QCOMPARE(fileContents(file(QStringLiteral(".sensWROC.csv"))), asFile(w->msfSensibilita()));
    QCOMPARE(w->msfSensibilita()->gridModel()->gridColumnCount(), 12);
    // Shift cells are shaded, a unit moved by some indicator darker than white.
    bool shaded = false;
    for (int r = 1; r <= 20; ++r)
        for (int c = 2; c <= 9; ++c)
            shaded = shaded || (w->msfSensibilita()->gridModel()->gridText(r, c) != u"0" &&
                                w->msfSensibilita()->gridModel()->cellBackground(r, c).isValid());
    QVERIFY(shaded);

    QCOMPARE(w->cmdIncertezza_Click(), RobustnessWindow::Outcome::Saved);
    QCOMPARE(fileContents(file(QStringLiteral(".unc.csv"))), asFile(w->msfIncertezza()));
    const QStringList shown = w->graficoIntervalli()->shownLabels();
    QCOMPARE(shown.size(), 20);
    // The chart lists the units by median rank, smallest first.
    const QStringList labels = gridColumn(w->msfIncertezza(), 0);
    const QStringList medians = gridColumn(w->msfIncertezza(), 2);
    double previous = 0;
    for (const QString& label : shown) {
        const double median = m_regional.parseNumber(medians[labels.indexOf(label)]).value();
        QVERIFY(median >= previous);
        previous = median;
    }
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestRobustnessWindow::chartsFollowSelectionAndExport() {
    RobustnessWindow* w = open();
    QVERIFY(w);
    w->msfRiepilogo()->selectRow(0);
    w->msfRiepilogo()->selectionModel()->select(w->msfRiepilogo()->model()->index(2, 0),
                                                QItemSelectionModel::Select |
                                                    QItemSelectionModel::Rows);
    w->pagine()->setCurrentIndex(3); // the charts redraw as their page opens
    int bold = 0;
    const auto series = w->graficoRanghi()->chart()->series();
    QCOMPARE(series.size(), 20);
    for (QAbstractSeries* s : series)
        bold += static_cast<QLineSeries*>(s)->pen().widthF() > 2 ? 1 : 0;
    QCOMPARE(bold, 2);
    // A new selection redraws the chart drawn for the old one.
    w->msfRiepilogo()->selectionModel()->select(w->msfRiepilogo()->model()->index(5, 0),
                                                QItemSelectionModel::Select |
                                                    QItemSelectionModel::Rows);
    w->aggiornaGrafici();
    bold = 0;
    for (QAbstractSeries* s : w->graficoRanghi()->chart()->series())
        bold += static_cast<QLineSeries*>(s)->pen().widthF() > 2 ? 1 : 0;
    QCOMPARE(bold, 3);
    w->cmbAsseY()->setCurrentIndex(2);
    QVERIFY(w->graficoDispersione()->chart()->title().contains(QStringLiteral("Wroclaw")));

    const QList<std::pair<QString, QByteArray>> formats{
        {QStringLiteral("r.png"), QByteArray("\x89PNG")},
        {QStringLiteral("r.svg"), QByteArray("<?xml")},
        {QStringLiteral("r.pdf"), QByteArray("%PDF")}};
    auto* button = w->findChild<QPushButton*>(QStringLiteral("cmdEsportagraficoDispersione"));
    QVERIFY(button);
    for (const auto& [name, magic] : formats) {
        m_dialogs.saveAnswers = {m_dir->filePath(name)};
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY2(fileContents(m_dir->filePath(name)).startsWith(magic), qPrintable(name));
    }
    QVERIFY(fileContents(m_dir->filePath(QStringLiteral("r.svg"))).contains("Wroclaw"));
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestRobustnessWindow::scatterOfManyUnitsIsGrouped() {
    // Method B ranks the units the other way round from A.
    const auto chartOf = [](int n) {
        RankMatrix m;
        m.labels = QStringList(n, QStringLiteral("U"));
        m.methods = {QStringLiteral("A"), QStringLiteral("B")};
        m.ranks = {std::vector<int>(std::size_t(n)), std::vector<int>(std::size_t(n))};
        for (int i = 0; i < n; ++i) {
            m.ranks[0][std::size_t(i)] = i + 1;
            m.ranks[1][std::size_t(i)] = n - i;
        }
        return std::unique_ptr<QChart>(rankScatterChart(m, 0, 1));
    };
    const auto scattered = [](const QChart& chart) {
        qsizetype points = 0;
        for (QAbstractSeries* s : chart.series())
            if (auto* scatter = qobject_cast<QScatterSeries*>(s))
                points += scatter->count();
        return points;
    };
    QCOMPARE(scattered(*chartOf(kScatterLimit)), qsizetype(kScatterLimit));
    const int n = kScatterLimit * 3 + 1;
    const std::unique_ptr<QChart> grouped = chartOf(n);
    QCOMPARE(scattered(*grouped), qsizetype(0));
    QVERIFY(grouped->title().contains(QStringLiteral("aggregati")));
    const auto series = grouped->series();
    auto* median = qobject_cast<QLineSeries*>(series.last());
    QVERIFY(median);
    QCOMPARE(median->count(), kScatterBins);
    // The first group's units have B's worst ranks, the last group's its best.
    QVERIFY(median->at(0).y() > n - n / kScatterBins);
    QVERIFY(median->at(kScatterBins - 1).y() < n / kScatterBins + 1);
    QVERIFY(median->at(0).x() < median->at(kScatterBins - 1).x());
}

QTEST_MAIN(TestRobustnessWindow)
#include "tst_robustnesswindow.moc"
