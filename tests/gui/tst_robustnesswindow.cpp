#include "methods/metodi.h"
#include "record/record.h"
#include "shared/resultnames.h"
#include "support/guitestsupport.h"
#include "support/recordingdialogs.h"
#include "support/testsupport.h"
#include "ui/charts/axisticks.h"
#include "ui/charts/charttips.h"
#include "ui/charts/rankaxis.h"
#include "ui/charts/rankcharts.h"
#include "ui/charts/rankintervalchart.h"
#include "ui/charts/unitmarks.h"
#include "ui/comparison/valutamp.h"
#include "ui/grid/gridview.h"
#include "ui/grid/rowselection.h"
#include "ui/grid/unitsearchbox.h"
#include "ui/mappage/mappage.h"
#include "ui/mappage/mapview.h"
#include "ui/maps/mappicture.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/robustness/robustnesswindow.h"
#include "workflow/compositerun.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHorizontalStackedBarSeries>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QScatterSeries>
#include <QSpinBox>
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
    void monteCarloPageRunsTheChosenFactors();
    void chartsFollowSelectionAndExport();
    void tooltipsNameTheUnit();
    void searchBoxChoosesUnits();
    void roundTicks_data();
    void roundTicks();
    void rankTicks_data();
    void rankTicks();
    void scatterOfManyUnitsIsGrouped();
    void analysesReadTheWorkbook();
    void mapPageShowsTheAnalyses();
    void compositeAnalysedLikeTheNine();

private:
    // Runs MPI+, WROC and GRAD over rows, compares them (and the composites
    // run before, picked after them up to picks in all) and opens the
    // robustness window.
    RobustnessWindow* open(const Rows& rows = regioniEsempio(), int picks = 3);
    QString file(const QString& suffix) const { return m_state.strMatrice + suffix; }

    std::unique_ptr<QTemporaryDir> m_dir;
    SharedState m_state;
    RecordingDialogs m_dialogs;
    const Regional m_regional{QLocale(QLocale::Italian, QLocale::Italy)};
    // The matrix of the workbook as the processing window loaded it; the
    // workbook itself is not on disk.
    std::shared_ptr<Processing> m_loaded;
    std::unique_ptr<ValutaMP> m_comparison;
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
    m_state = SharedState();
    m_state.strMatrice = m_dir->filePath(QStringLiteral("Regioni.xlsx"));
    m_state.strCartella = m_dir->path();
    m_dialogs = RecordingDialogs();
    m_loaded = std::make_shared<Processing>(m_regional, memoryLoader(regioniEsempio(), m_regional));
    QVERIFY(m_loaded->load(m_state.strMatrice));
}

void TestRobustnessWindow::cleanup() {
    m_comparison.reset();
}

RobustnessWindow* TestRobustnessWindow::open(const Rows& rows, int picks) {
    if (!writeMethodResults(m_state.strMatrice, rows, {0, 2, 4}, m_regional))
        return nullptr;
    m_comparison = std::make_unique<ValutaMP>(m_state, m_loaded, m_dialogs, m_regional);
    m_comparison->load();
    m_comparison->show();
    if (m_comparison->openRobustness())
        return nullptr; // nothing compared yet: no window
    for (int i = 0; i < picks; ++i) {
        m_comparison->lstMetodi()->setCurrentRow(0);
        m_comparison->lstMetodi_DblClick();
    }
    if (m_comparison->cmdSelect_Click() != ValutaMP::RunOutcome::Saved)
        return nullptr;
    auto* button = m_comparison->findChild<QPushButton*>(QStringLiteral("cmdRobustezza"));
    QTest::mouseClick(button, Qt::LeftButton);
    return m_comparison->findChild<RobustnessWindow*>();
}

void TestRobustnessWindow::opensOnTheComparisonOnView() {
    RobustnessWindow* w = open();
    QVERIFY(w);
    QVERIFY(w->isVisible());
    // The summary grid is the file written beside the workbook.
    QCOMPARE(w->pages().summaryGrid->gridModel()->gridRowCount(), 21);
    QCOMPARE(fileContents(file(QStringLiteral(".rob.csv"))), asFile(w->pages().summaryGrid));
    // Kendall beside Spearman, in the same layout; Spearman as compared.
    QCOMPARE(asFile(w->pages().spearmanGrid), asFile(m_comparison->msfCograduazione()));
    QCOMPARE(w->pages().kendallGrid->gridModel()->gridRowCount(), 4);
    QCOMPARE(w->pages().kendallGrid->gridModel()->gridText(1, 1), QStringLiteral("1,0000"));
    QVERIFY(!w->pages().kendallGrid->gridModel()->gridText(3, 1).isEmpty());
    QVERIFY(w->pages().summaryLabel->text().contains(QStringLiteral("20 unità, 3 metodi")));
    QCOMPARE(w->pages().sensitivity->methodCombo()->count(), 3);
    // Changing the selection hides the way in.
    m_comparison->lstSelezionati()->setCurrentRow(0);
    m_comparison->lstSelezionati_DblClick();
    QVERIFY(!m_comparison->openRobustness());
}

void TestRobustnessWindow::headerClickSortsTheSummary() {
    RobustnessWindow* w = open();
    QVERIFY(w);
    GridView* grid = w->pages().summaryGrid;
    const QByteArray sheet = asFile(grid);
    for (const bool ascending : {true, false}) {
        clickColumnHeader(grid, 4); // "Peggiore"
        const QStringList worst = viewColumnTexts(grid, 4);
        for (int i = 1; i < worst.size(); ++i)
            QVERIFY(ascending ? worst[i - 1].toInt() <= worst[i].toInt()
                              : worst[i - 1].toInt() >= worst[i].toInt());
    }
    // The table and its file keep the sheet order.
    QCOMPARE(asFile(grid), sheet);
    QCOMPARE(fileContents(file(QStringLiteral(".rob.csv"))), sheet);
    // The unit selected on the sorted view is the one drawn bold.
    grid->selectRow(0);
    w->updateCharts();
    QStringList bold;
    for (QAbstractSeries* s : w->pages().bumpChart->chart()->series())
        if (static_cast<QLineSeries*>(s)->pen().widthF() > 2)
            bold.append(s->name());
    QCOMPARE(bold, QStringList{viewColumnTexts(grid, 0).first()});
    QVERIFY(viewColumnTexts(grid, 0).first() != gridColumnTexts(grid, 0)[1]);
}

void TestRobustnessWindow::analysesFillGridsAndFiles() {
    RobustnessWindow* w = open();
    QVERIFY(w);
    w->pages().sensitivity->methodCombo()->setCurrentIndex(
        w->pages().sensitivity->methodCombo()->findData(2)); // WROC
    QCOMPARE(w->computeSensitivity(), RobustnessWindow::Outcome::Saved);
    QCOMPARE(fileContents(file(QStringLiteral(".sensWROC.csv"))),
             asFile(w->pages().sensitivity->grid()));
    QCOMPARE(w->pages().sensitivity->grid()->gridModel()->gridColumnCount(), 12);
    // Shift cells are shaded, a unit moved by some indicator darker than white.
    bool shaded = false;
    for (int r = 1; r <= 20; ++r)
        for (int c = 2; c <= 9; ++c)
            shaded = shaded ||
                     (w->pages().sensitivity->grid()->gridModel()->gridText(r, c) != u"0" &&
                      w->pages().sensitivity->grid()->gridModel()->cellBackground(r, c).isValid());
    QVERIFY(shaded);

    QCOMPARE(w->computeUncertainty(), RobustnessWindow::Outcome::Saved);
    QCOMPARE(fileContents(file(QStringLiteral(".unc.csv"))),
             asFile(w->pages().uncertainty->grid()));
    const QStringList shown = w->pages().uncertainty->intervalChart()->shownLabels();
    QCOMPARE(shown.size(), 20);
    // The chart lists the units by median rank, smallest first.
    const QStringList labels = gridColumn(w->pages().uncertainty->grid(), 0);
    const QStringList medians = gridColumn(w->pages().uncertainty->grid(), 2);
    double previous = 0;
    for (const QString& label : shown) {
        const double median = m_regional.parseNumber(medians[labels.indexOf(label)]).value();
        QVERIFY(median >= previous);
        previous = median;
    }
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestRobustnessWindow::monteCarloPageRunsTheChosenFactors() {
    RobustnessWindow* w = open();
    QVERIFY(w);
    const MonteCarloControls& c = w->pages().monteCarlo->controls();
    // The nine alone compared: no composite's normalisations to offer.
    QVERIFY(!c.normalisations->isEnabled() && !c.aggregations->isEnabled());
    c.runs->setValue(60);
    c.sobol->setChecked(true);
    QCOMPARE(w->computeMonteCarlo(), RobustnessWindow::Outcome::Saved);
    QCOMPARE(fileContents(file(QStringLiteral(".mc.csv"))), asFile(c.grid));
    QCOMPARE(fileContents(file(QStringLiteral(".sobol.unita.csv"))), asFile(c.unitTotals));
    // Methods, weights and the indicator left out: a column of totals each,
    // and two bars (Si, STi) per factor, each with its whisker.
    QCOMPARE(c.unitTotals->gridModel()->gridColumnCount(), 4);
    // The totals shaded, the units' labels not.
    QVERIFY(c.unitTotals->gridModel()->cellBackground(1, 1).isValid());
    QVERIFY(!c.unitTotals->gridModel()->cellBackground(1, 0).isValid());
    const auto series = c.indices->chart()->series();
    QCOMPARE(series.size(), 1 + 2 * 3);
    QCOMPARE(static_cast<QBarSeries*>(series.first())->barSets().size(), 2);
    QCOMPARE(static_cast<QBarSeries*>(series.first())->barSets().first()->count(), 3);
    QCOMPARE(c.intervals->shownLabels().size(), 20);
    QVERIFY(c.note->text().startsWith(QStringLiteral("120 graduatorie")));
    // Every entry of the intervals' legend whole, in rows under a narrow
    // chart as in one row under a wide one (as laid out for an image).
    w->pages().pages->setCurrentIndex(4);
    QChartView* view = c.intervals->view();
    for (const int width : {240, 1000}) {
        view->resize(width, 600);
        QCOMPARE(drawnLegendTexts(view->chart()), shownLegendLabels(view->chart()));
        QVERIFY(view->chart()->legend()->geometry().bottom() <= view->chart()->size().height());
    }

    // No factor left: refused with a message, nothing computed.
    c.methods->setChecked(false);
    c.weights->setValue(0.0);
    c.leaveOut->setChecked(false);
    QCOMPARE(w->computeMonteCarlo(), RobustnessWindow::Outcome::Refused);

    // The treatments of missing values alone: the matrix read again with its
    // gaps kept (the sample, on disk now); on a complete one they cannot move
    // a rank.
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx"), m_state.strMatrice));
    c.missing->setChecked(true);
    QCOMPARE(w->computeMonteCarlo(), RobustnessWindow::Outcome::Saved);
    QCOMPARE(c.unitTotals->gridModel()->gridText(0, 1), QStringLiteral("Mancanti"));
    QCOMPARE(c.unitTotals->gridModel()->gridColumnCount(), 2);
    QCOMPARE(m_dialogs.messages.size(), 1);
}

void TestRobustnessWindow::chartsFollowSelectionAndExport() {
    RobustnessWindow* w = open();
    QVERIFY(w);
    w->pages().summaryGrid->selectRow(0);
    w->pages().summaryGrid->selectionModel()->select(w->pages().summaryGrid->model()->index(2, 0),
                                                     QItemSelectionModel::Select |
                                                         QItemSelectionModel::Rows);
    w->pages().pages->setCurrentIndex(3); // the charts redraw as their page opens
    // The bump chart's lines, and how many of them are bold.
    const auto lines = [w] {
        std::pair<int, int> counts{0, 0};
        for (QAbstractSeries* s : w->pages().bumpChart->chart()->series())
            if (auto* line = qobject_cast<QLineSeries*>(s)) {
                ++counts.first;
                counts.second += line->pen().widthF() > 2 ? 1 : 0;
            }
        return counts;
    };
    QCOMPARE(lines(), std::make_pair(20, 2));
    // A new selection redraws the chart drawn for the old one.
    w->pages().summaryGrid->selectionModel()->select(w->pages().summaryGrid->model()->index(5, 0),
                                                     QItemSelectionModel::Select |
                                                         QItemSelectionModel::Rows);
    w->updateCharts();
    QCOMPARE(lines(), std::make_pair(20, 3));
    // The chosen units are named in both charts, and selected in the
    // uncertainty grid, hence highlighted in its chart.
    const QStringList labels = gridColumn(w->pages().summaryGrid, 0);
    const QStringList chosen{labels[0], labels[2], labels[5]};
    QCOMPARE(markedUnits(w->pages().bumpChart->chart()), chosen);
    QCOMPARE(markedUnits(w->pages().scatterChart->chart()), chosen);
    QCOMPARE(w->computeUncertainty(), RobustnessWindow::Outcome::Saved);
    QCOMPARE(selectedRows(*w->pages().uncertainty->grid()), QList<int>({0, 2, 5}));
    QStringList highlighted = w->pages().uncertainty->intervalChart()->highlightedLabels();
    highlighted.sort();
    QStringList sortedChosen = chosen;
    sortedChosen.sort();
    QCOMPARE(highlighted, sortedChosen);
    w->pages().yAxisCombo->setCurrentIndex(2);
    QVERIFY(w->pages().scatterChart->chart()->title().contains(QStringLiteral("Wroclaw")));

    const QList<std::pair<QString, QByteArray>> formats{
        {QStringLiteral("r.png"), QByteArray("\x89PNG")},
        {QStringLiteral("r.svg"), QByteArray("<?xml")},
        {QStringLiteral("r.pdf"), QByteArray("%PDF")}};
    auto* button = w->findChild<QPushButton*>(QStringLiteral("cmdEsportagraficoDispersione"));
    auto* copy = w->findChild<QPushButton*>(QStringLiteral("cmdCopiagraficoDispersione"));
    QVERIFY(button && copy);
    auto* status = w->findChild<ClockStatusBar*>();
    for (const auto& [name, magic] : formats) {
        m_dialogs.saveAnswers = {m_dir->filePath(name)};
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY2(fileContents(m_dir->filePath(name)).startsWith(magic), qPrintable(name));
        QVERIFY(status->panelText().endsWith(QDir::toNativeSeparators(m_dir->filePath(name))));
    }
    QVERIFY(fileContents(m_dir->filePath(QStringLiteral("r.svg"))).contains("Wroclaw"));
    // Beside the workbook, under its name, the chart goes into the record
    // with what it shows and the comparison it was drawn from.
    const QString beside = chartFileName(m_state.strMatrice, ChartFile::Scatter);
    m_dialogs.saveAnswers = {beside};
    QTest::mouseClick(button, Qt::LeftButton);
    const Expected<Record> record = readRecord(m_state.strMatrice);
    QVERIFY(record && record->find(QFileInfo(beside).fileName()));
    const RecordEntry& entry = *record->find(QFileInfo(beside).fileName());
    QCOMPARE(entry.settings.value("chart").toString(), QStringLiteral("dispersione"));
    QVERIFY(entry.settings.value("title").toString().contains(QStringLiteral("Wroclaw")));
    QVERIFY2(entry.by.endsWith(QStringLiteral(": Esporta grafico")), qPrintable(entry.by));
    QStringList inputs;
    for (const RecordInput& input : entry.inputs)
        inputs.append(input.name);
    QCOMPARE(inputs, (QStringList{"Regioni.xlsx", "Regioni.xlsx.rnk.csv"}));
    // The size offered: 1,600 pixels wide at 300 dpi.
    const QImage png(m_dir->filePath(QStringLiteral("r.png")));
    QCOMPARE(png.width(), 1600);
    QCOMPARE(png.dotsPerMeterX(), 11811);
    QVERIFY(m_dialogs.messages.isEmpty());

    // The buttons say what the chart's context menu says.
    const QList<QAction*> menu = w->pages().scatterChart->actions();
    QCOMPARE(w->pages().scatterChart->contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(menu.size(), 2);
    QCOMPARE(menu[0]->text(), button->text());
    QCOMPARE(menu[1]->text(), copy->text());
    QCOMPARE(copy->text(), QStringLiteral("Copia"));

    // A copy puts the image on the clipboard, at the same size.
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(copy, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->image().width(), 1600);
    QVERIFY(status->panelText().startsWith(QStringLiteral("Grafico copiato negli appunti")));
}

// Resting the mouse on a point or on the dot of an interval shows a tooltip
// that names the unit and gives its figures, and keeps it up; a line's
// tooltip names its unit too.
void TestRobustnessWindow::tooltipsNameTheUnit() {
    RobustnessWindow* w = open();
    QVERIFY(w);
    w->pages().pages->setCurrentIndex(3);
    const auto bumpLines = w->pages().bumpChart->chart()->series();
    auto* line = qobject_cast<QLineSeries*>(bumpLines.at(11));
    QVERIFY(line);
    QCOMPARE(line->name(), QStringLiteral("Lazio"));
    // Lines cross one another: the line's own text, the hover path being
    // that of the points below.
    const QString lineTip = hoverTip(line, line->at(1));
    QCOMPARE(lineTip.section(u'\n', 0, 0), QStringLiteral("Lazio"));
    QVERIFY(lineTip.contains(QStringLiteral("Wroclaw")));

    QScatterSeries* points = nullptr;
    for (QAbstractSeries* s : w->pages().scatterChart->chart()->series())
        points = points ? points : qobject_cast<QScatterSeries*>(s);
    QVERIFY(points);
    QVERIFY(tipAfterHover(w->pages().scatterChart, points, points->at(11))
                .startsWith(QStringLiteral("Lazio\n")));

    QCOMPARE(w->computeUncertainty(), RobustnessWindow::Outcome::Saved);
    w->pages().pages->setCurrentIndex(2);
    const RankIntervalChart* intervals = w->pages().uncertainty->intervalChart();
    const auto series = intervals->view()->chart()->series();
    auto* bars = qobject_cast<QHorizontalStackedBarSeries*>(series.first());
    auto* medians = qobject_cast<QScatterSeries*>(series.at(2));
    QVERIFY(bars && medians);
    // The dots go from the bottom up: the last is the top row.
    const QString top =
        tipAfterHover(intervals->view(), medians, medians->at(medians->count() - 1));
    QVERIFY(top.startsWith(intervals->shownLabels().first() + u'\n'));
    QVERIFY(top.contains(QStringLiteral("Mediana: ")));
    QCOMPARE(barTip(bars, intervals->shownLabels().size() - 1), top);
}

void TestRobustnessWindow::searchBoxChoosesUnits() {
    RobustnessWindow* w = open();
    QVERIFY(w);
    w->pages().summaryGrid->sortByColumn(
        3, Qt::AscendingOrder); // rows in another order than the units
    UnitSearchBox* box = w->pages().searchBox;
    QTest::keyClicks(box, QStringLiteral(" ia "));
    QTest::keyClick(box, Qt::Key_Return);
    const QStringList labels = gridColumn(w->pages().summaryGrid, 0);
    QStringList found;
    for (const int row : selectedRows(*w->pages().summaryGrid))
        found.append(labels[w->pages().summaryGrid->modelRow(row)]);
    found.sort();
    QCOMPARE(found, QStringList({"Calabria", "Campania", "Emilia-Romagna", "Friuli-Venezia Giulia",
                                 "Liguria", "Lombardia", "Puglia", "Sicilia", "Umbria"}));
    QCOMPARE(w->chosenUnits().size(), 9);
    w->pages().pages->setCurrentIndex(3);
    QCOMPARE(markedUnits(w->pages().bumpChart->chart()).size(), 9);
    // A text that names no unit leaves none chosen.
    box->setText(QStringLiteral("Atlantide"));
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(selectedRows(*w->pages().summaryGrid).isEmpty());
    QVERIFY(markedUnits(w->pages().bumpChart->chart()).isEmpty());
}

void TestRobustnessWindow::roundTicks_data() {
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("tenths") << 0.0 << 1.0 << 8
                            << QStringList{"0,0", "0,2", "0,4", "0,6", "0,8", "1,0"};
    QTest::newRow("quarters kept whole")
        << 0.0 << 1.0 << 4 << QStringList{"0,00", "0,25", "0,50", "0,75", "1,00"};
    QTest::newRow("zero without a sign")
        << -0.03 << 1.12 << 8
        << QStringList{"-0,2", "0,0", "0,2", "0,4", "0,6", "0,8", "1,0", "1,2"};
    QTest::newRow("whole steps") << 0.0 << 6.8 << 8
                                 << QStringList{"0", "1", "2", "3", "4", "5", "6", "7"};
    QTest::newRow("grouped") << 0.0 << 12500.0 << 5
                             << QStringList{"0", "2.500", "5.000", "7.500", "10.000", "12.500"};
    QTest::newRow("one value") << 3.0 << 3.0 << 4 << QStringList{"2,0", "2,5", "3,0", "3,5", "4,0"};
    QTest::newRow("no range") << 1.0 << 0.0 << 8 << QStringList();
}

// Every chart's value ticks: round steps, written under the regional
// settings.
void TestRobustnessWindow::roundTicks() {
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(int, steps);
    QFETCH(QStringList, texts);
    const AxisTicks ticks = ::roundTicks(low, high, steps);
    QStringList got;
    for (const double value : ticks.values)
        got.append(tickText(value, ticks, m_regional));
    QCOMPARE(got, texts);
}

void TestRobustnessWindow::rankTicks_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QList<int>>("ticks");
    QTest::newRow("none") << 1 << 0 << QList<int>();
    QTest::newRow("one") << 1 << 1 << QList<int>{1};
    QTest::newRow("every rank") << 1 << 8 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8};
    QTest::newRow("by two") << 1 << 9 << QList<int>{1, 2, 4, 6, 9};
    QTest::newRow("by five") << 1 << 20 << QList<int>{1, 5, 10, 15, 20};
    QTest::newRow("last close") << 1 << 21 << QList<int>{1, 5, 10, 15, 21};
    QTest::newRow("by twenty-five")
        << 1 << 200 << QList<int>{1, 25, 50, 75, 100, 125, 150, 175, 200};
    QTest::newRow("by a thousand") << 1 << 5000 << QList<int>{1, 1000, 2000, 3000, 4000, 5000};
    QTest::newRow("a range") << 150 << 4200 << QList<int>{150, 1000, 2000, 3000, 4200};
}

void TestRobustnessWindow::rankTicks() {
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QList<int>, ticks);
    const std::vector<int> got = ::rankTicks(first, last);
    QCOMPARE(QList<int>(got.begin(), got.end()), ticks);
}

void TestRobustnessWindow::scatterOfManyUnitsIsGrouped() {
    // Method B ranks the units the other way round from A.
    const auto chartOf = [this](int n) {
        RankMatrix m;
        m.labels = QStringList(n, QStringLiteral("U"));
        m.methods = {QStringLiteral("A"), QStringLiteral("B")};
        m.ranks = {std::vector<int>(std::size_t(n)), std::vector<int>(std::size_t(n))};
        for (int i = 0; i < n; ++i) {
            m.ranks[0][std::size_t(i)] = i + 1;
            m.ranks[1][std::size_t(i)] = n - i;
        }
        return std::unique_ptr<QChart>(rankScatterChart(m, 0, 1, m_regional));
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
    // The bump chart draws the first units by reference rank, says so and
    // spans their ranks only.
    RankMatrix many;
    many.labels = QStringList(n, QStringLiteral("U"));
    many.methods = {QStringLiteral("A")};
    many.ranks = {std::vector<int>(std::size_t(n))};
    for (int i = 0; i < n; ++i)
        many.ranks[0][std::size_t(i)] = i + 1;
    const std::unique_ptr<QChart> bump(bumpChart(many, {}, m_regional));
    QVERIFY(
        bump->title().contains(QStringLiteral("%1 unità disegnate su %2").arg(kBumpLimit).arg(n)));
    auto* ranks = qobject_cast<QCategoryAxis*>(bump->axes(Qt::Vertical).value(0));
    QVERIFY(ranks);
    QCOMPARE(ranks->max(), kBumpLimit + 1.0);
    QCOMPARE(ranks->categoriesLabels().last(), QStringLiteral("200"));
}

// Without a matrix loaded the analyses read the workbook; one whose units
// are not those of the comparison is refused.
void TestRobustnessWindow::analysesReadTheWorkbook() {
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx"), m_state.strMatrice));
    m_loaded.reset();
    RobustnessWindow* w = open();
    QVERIFY(w);
    QCOMPARE(w->computeSensitivity(), RobustnessWindow::Outcome::Saved);
    QVERIFY(m_dialogs.messages.isEmpty());

    Rows fewer = regioniEsempio();
    fewer.pop_back();
    w = open(fewer);
    QVERIFY(w);
    QCOMPARE(w->computeUncertainty(), RobustnessWindow::Outcome::Refused);
    QCOMPARE(m_dialogs.messageTexts(),
             QStringList(QStringLiteral("La matrice sorgente non ha le unità del confronto: "
                                        "eseguire di nuovo i metodi.")));
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Warning);
}

void TestRobustnessWindow::mapPageShowsTheAnalyses() {
    QVERIFY(writeSquareBoundaries(file(".confini.geojson"), {"Piemonte", "Lombardia", "Lazio"}));
    RobustnessWindow* w = open();
    QVERIFY(w);
    MapPage* page = w->pages().map;
    w->pages().pages->setCurrentWidget(page);
    QCOMPARE(page->choiceCombo()->count(), 0); // nothing analysed yet
    QCOMPARE(w->computeUncertainty(), RobustnessWindow::Outcome::Saved);
    QCOMPARE(w->computeSensitivity(), RobustnessWindow::Outcome::Saved);
    // The width first, then one shift per indicator left out.
    QCOMPARE(page->choiceCombo()->itemData(0).toString(), QStringLiteral("width"));
    QCOMPARE(page->choiceCombo()->count(), 1 + 8);
    const MapPicture* picture = page->view()->picture().get();
    QVERIFY(picture);
    const int lazio = int(gridColumn(w->pages().uncertainty->grid(), 0).indexOf("Lazio"));
    const GridModel* grid = w->pages().uncertainty->grid()->gridModel();
    // Lazio's width: its 95th percentile less its 5th, as the grid has them.
    const int width = grid->gridText(lazio + 1, 4).toInt() - grid->gridText(lazio + 1, 3).toInt();
    QCOMPARE(picture->unitText(lazio), QStringLiteral("Lazio: %1").arg(width));
    // A unit chosen in the summary is outlined on the map.
    w->chooseUnits({lazio});
    QCOMPARE(page->view()->highlighted(), QList<int>{lazio});
}

// A composite compared beside the nine is offered and analysed as they are:
// its sensitivity and its rankings in the uncertainty analysis.
void TestRobustnessWindow::compositeAnalysedLikeTheNine() {
    QVERIFY(
        writeFileBytes(file(QStringLiteral(".metodi.csv")),
                       "Codice;Nome;Normalizzazione;Aggregazione\r\nJ;Stile JRC;minmax;mean\r\n"));
    const Expected<CompositeList> composites = loadComposites(*m_loaded, QString(), m_regional);
    QVERIFY(composites && composites->composites.size() == 1);
    QVERIFY(runComposite(*m_loaded, composites->composites.front(), m_regional));
    RobustnessWindow* w = open(regioniEsempio(), 4);
    QVERIFY(w);
    QComboBox* methods = w->pages().sensitivity->methodCombo();
    QCOMPARE(methods->count(), 4);
    methods->setCurrentIndex(3);
    QCOMPARE(w->computeSensitivity(), RobustnessWindow::Outcome::Saved);
    QCOMPARE(fileContents(file(QStringLiteral(".sensJ.csv"))),
             asFile(w->pages().sensitivity->grid()));
    QCOMPARE(w->computeUncertainty(), RobustnessWindow::Outcome::Saved);
    // Its rankings crossed with the nine's, its definition recorded.
    const Expected<Record> record = readRecord(m_state.strMatrice);
    QVERIFY(record && record->find(QFileInfo(file(QStringLiteral(".unc.csv"))).fileName()));
    QVERIFY(record->find(QFileInfo(file(QStringLiteral(".unc.csv"))).fileName())
                ->settings.value(QStringLiteral("composites"))
                .toString()
                .startsWith(QStringLiteral("J=")));
    QVERIFY(m_dialogs.messages.isEmpty());
}

QTEST_MAIN(TestRobustnessWindow)
#include "tst_robustnesswindow.moc"
