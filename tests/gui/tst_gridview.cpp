#include "comparison/texttable.h"
#include "shared/regional.h"
#include "support/guitestsupport.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/grid/texttablemodel.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QStyle>
#include <QTest>
#include <QToolTip>

// Sorting a grid by a click on a column's header.
class TestGridView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void headerClickSortsTheView_data();
    void headerClickSortsTheView();
    void labelColumnFitsItsLabels();
};

namespace {

const Regional kItalian{QLocale(QLocale::Italian, QLocale::Italy)};
const QStringList kSheetOrder{"A", "B", "C", "D", "E", "F"};

TextTable sample() {
    const QList<QStringList> rows{{"Unità", "Valore dell'indice", "Nome"},
                                  {"A", "10", "beta"},
                                  {"B", "9,5", "alfa"},
                                  {"C", "", "gamma"},
                                  {"D", "1.234,5", ""},
                                  {"E", "n.d.", "epsilon"},
                                  {"F", "9,5", "delta"}};
    TextTable table(int(rows.size()), 3);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < 3; ++c)
            table.setCell(r, c, rows[r][c]);
    return table;
}

} // namespace

void TestGridView::headerClickSortsTheView_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QStringList>("labels"); // as on view
    QTest::newRow("numbers by value, then texts, empty last")
        << 1 << 1 << QStringList{"B", "F", "A", "D", "E", "C"};
    QTest::newRow("descending, empty still last")
        << 1 << 2 << QStringList{"E", "D", "A", "B", "F", "C"};
    QTest::newRow("third click: sheet order") << 1 << 3 << kSheetOrder;
    QTest::newRow("texts") << 2 << 1 << QStringList{"B", "A", "F", "E", "C", "D"};
    QTest::newRow("texts descending") << 2 << 2 << QStringList{"C", "E", "F", "A", "B", "D"};
}

void TestGridView::headerClickSortsTheView() {
    QFETCH(int, col);
    QFETCH(int, clicks);
    QFETCH(QStringList, labels);
    TextTableModel model(kItalian);
    model.setTable(sample());
    GridView grid;
    grid.setGridModel(&model);
    grid.enableSorting();
    grid.resize(400, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    FG_AutosizeCols(grid, -1, -1, false);

    for (int i = 0; i < clicks; ++i)
        clickColumnHeader(&grid, col);
    QCOMPARE(viewColumnTexts(&grid, 0), labels);
    // Each row keeps its cells, and the model its sheet order.
    for (int r = 0; r < labels.size(); ++r)
        QCOMPARE(viewColumnTexts(&grid, col)[r],
                 model.gridText(int(kSheetOrder.indexOf(labels[r])) + 1, col));
    QCOMPARE(gridColumnTexts(&grid, 0).mid(1), kSheetOrder);
    QCOMPARE(grid.modelRow(0), int(kSheetOrder.indexOf(labels[0])));

    // A header holds its text beside the sort arrow, each within its margins.
    QHeaderView* header = grid.horizontalHeader();
    QVERIFY(header->sectionSize(0) >=
            header->fontMetrics().horizontalAdvance(QStringLiteral("Valore dell'indice")) +
                header->style()->pixelMetric(QStyle::PM_HeaderMarkSize) +
                2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin));
}

// The label column holds its labels whole, within the header's margins,
// up to two fifths of the window; a longer label is cut short and its
// tooltip holds it whole.
void TestGridView::labelColumnFitsItsLabels() {
    const QString aosta = QStringLiteral("Valle d'Aosta/Vallée d'Aoste");
    const QString longest = QStringLiteral("Provincia autonoma ").repeated(12);
    TextTable table(3, 2);
    table.setCell(0, 0, QStringLiteral("Regione"));
    table.setCell(1, 0, aosta);
    table.setCell(2, 0, QStringLiteral("Lazio"));
    TextTableModel model(kItalian);
    model.setTable(table);
    GridView grid;
    grid.setGridModel(&model);
    grid.resize(900, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QHeaderView* labels = grid.verticalHeader();
    const int margin = labels->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, labels);
    const qreal aostaWidth = QFontMetricsF(labels->font()).horizontalAdvance(aosta);
    grid.setGridColumnWidth(0, 10);
    QTRY_VERIFY(labels->width() >= aostaWidth + 2 * margin);
    QVERIFY(labels->width() < aostaWidth + 2 * margin + 4);
    grid.setGridColumnWidth(0, 300);
    QTRY_COMPARE(labels->width(), 300);

    table.setCell(2, 0, longest);
    model.setTable(table);
    FG_AutosizeCols(grid, -1, -1, false);
    QVERIFY(grid.gridColumnWidth(0) > grid.width());
    QTRY_COMPARE(labels->width(), grid.width() * 2 / 5);
    const QPoint row(labels->width() / 2, labels->sectionViewportPosition(1) + 4);
    QHelpEvent help(QEvent::ToolTip, row, labels->viewport()->mapToGlobal(row));
    QCoreApplication::sendEvent(labels->viewport(), &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), longest);
}

QTEST_MAIN(TestGridView)
#include "tst_gridview.moc"
