#include "support/guitestsupport.h"
#include "ui/comparison/comparisonmodel.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/grid/tablemodel.h"
#include "ui/state/table.h"

#include <QFontMetricsF>
#include <QRandomGenerator>
#include <QTest>

#include <cmath>

// A grid whose cells carry fonts of their own, for measuring cell by cell.
class FontGridModel : public GridModel {
public:
    QList<QStringList> texts;            // texts[row][col]
    QHash<QPair<int, int>, QFont> fonts; // cell -> its own font

    int gridRowCount() const override { return static_cast<int>(texts.size()); }
    int gridColumnCount() const override {
        return texts.isEmpty() ? 0 : static_cast<int>(texts.first().size());
    }
    QString gridText(int row, int col) const override { return texts.at(row).at(col); }
    std::optional<QFont> cellFont(int row, int col) const override {
        const auto found = fonts.constFind({row, col});
        return found == fonts.constEnd() ? std::nullopt : std::optional<QFont>(*found);
    }
};

class TestFgAutosizeCols : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void rules_data();
    void rules();
    void noRows();
    void equalsBruteForce_data();
    void equalsBruteForce();
    void checkFontMeasuresEachCell();
    void longComparisonFromSample();

private:
    std::unique_ptr<Regional> m_regional;
    std::unique_ptr<TableModel> m_model;
    std::unique_ptr<GridView> m_view;
    Table m_table;
};

namespace {

const QLocale kItalian(QLocale::Italian, QLocale::Italy);

int letterW(const QFont& font) {
    return static_cast<int>(std::nearbyint(QFontMetricsF(font).horizontalAdvance(u'W')));
}

// The column widths as the rule defines them, every text measured exactly.
QList<int> bruteForce(const GridModel& model, const QFont& font) {
    const QFontMetricsF metrics(font);
    QList<int> widths;
    for (int c = 0; c < model.gridColumnCount(); ++c) {
        qreal widest = 0;
        for (int r = 0; r < model.gridRowCount(); ++r)
            widest =
                std::max(widest, std::nearbyint(metrics.horizontalAdvance(model.gridText(r, c))));
        widths.append(static_cast<int>(
            std::nearbyint(metrics.horizontalAdvance(QStringLiteral("W")) + widest)));
    }
    return widths;
}

QList<int> widths(const GridView& view) {
    QList<int> result;
    for (int c = 0; c < view.gridColumnCount(); ++c)
        result.append(view.gridColumnWidth(c));
    return result;
}

} // namespace

void TestFgAutosizeCols::init() {
    m_regional = std::make_unique<Regional>(kItalian);
    m_model = std::make_unique<TableModel>(*m_regional, TableModel::Format::Fixed4);
    m_view = std::make_unique<GridView>();
    m_view->setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    m_view->setGridModel(m_model.get());

    // Four grid columns: labels, a wide indicator, an empty one, a narrow one.
    m_table.dimension(4, 4);
    m_table.header(1) = t("Provincia");
    m_table.header(2) = t("Reddito medio");
    m_table.header(4) = t("x");
    const char* labels[] = {"Alessandria", "Bo", "Como"};
    for (int r = 2; r <= 4; ++r) {
        m_table.label(r) = t(labels[r - 2]);
        m_table(r, 2) = 1234567.891 * r;
        m_table(r, 4) = 1.0 * r;
    }
    m_model->setTable(&m_table, 4, 4);
}

void TestFgAutosizeCols::rules_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QList<bool>>("sized"); // which columns get their new width

    QTest::newRow("all columns") << -1 << -1 << QList<bool>{true, true, true, true};
    QTest::newRow("-1 first is column 0") << -1 << 1 << QList<bool>{true, true, false, false};
    QTest::newRow("-1 last is the last column") << 2 << -1 << QList<bool>{false, false, true, true};
    QTest::newRow("inner range only") << 1 << 2 << QList<bool>{false, true, true, false};
    QTest::newRow("one column") << 3 << 3 << QList<bool>{false, false, false, true};
    QTest::newRow("first after last") << 3 << 1 << QList<bool>{false, false, false, false};
    QTest::newRow("last beyond the grid") << 2 << 9 << QList<bool>{false, false, true, true};
}

void TestFgAutosizeCols::rules() {
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QList<bool>, sized);

    const QList<int> expected = bruteForce(*m_model, m_view->font());
    // The empty indicator column holds nothing but is as wide as one "W".
    QCOMPARE(expected.at(2), letterW(m_view->font()));

    const int untouched = 3; // narrower than any width the rule can give
    for (int c = 0; c < 4; ++c)
        m_view->setGridColumnWidth(c, untouched);
    FG_AutosizeCols(*m_view, first, last, false);
    for (int c = 0; c < 4; ++c)
        QCOMPARE(m_view->gridColumnWidth(c), sized.at(c) ? expected.at(c) : untouched);
}

void TestFgAutosizeCols::noRows() {
    // Three columns and not one row: every column gets one "W".
    m_model->setTable(&m_table, 0, 3);
    QCOMPARE(m_model->gridColumnCount(), 3);
    for (int c = 0; c < 3; ++c)
        m_view->setGridColumnWidth(c, 200);
    FG_AutosizeCols(*m_view, -1, -1, false);
    const int w = letterW(m_view->font());
    QCOMPARE(widths(*m_view), (QList<int>{w, w, w}));
}

void TestFgAutosizeCols::equalsBruteForce_data() {
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QLocale>("locale");
    QFont bold(QStringLiteral("DejaVu Sans"), 10);
    bold.setBold(true);
    QFont noKerning(QStringLiteral("DejaVu Serif"), 12);
    noKerning.setKerning(false);
    QTest::newRow("sans 9 it") << QFont(QStringLiteral("DejaVu Sans"), 9) << kItalian;
    QTest::newRow("sans bold 10 C") << bold << QLocale::c();
    QTest::newRow("serif 11 it") << QFont(QStringLiteral("DejaVu Serif"), 11) << kItalian;
    QTest::newRow("serif no kerning it") << noKerning << kItalian;
    QTest::newRow("mono 10 C") << QFont(QStringLiteral("DejaVu Sans Mono"), 10) << QLocale::c();
    QTest::newRow("math 13 it") << QFont(QStringLiteral("DejaVu Math TeX Gyre"), 13) << kItalian;
    QTest::newRow("pixel size 15 it") << [] {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(15);
        return f;
    }() << kItalian;
}

void TestFgAutosizeCols::equalsBruteForce() {
    QFETCH(QFont, font);
    QFETCH(QLocale, locale);

    // Numbers of every size and sign, an empty cell, labels with digits and
    // letters that kern, a label that reads as a number.
    Regional regional(locale);
    TableModel model(regional, TableModel::Format::Fixed4);
    GridView view;
    view.setFont(font);
    view.setGridModel(&model);

    QRandomGenerator random(20240611);
    const int rows = 60, cols = 9;
    Table table;
    table.dimension(rows, cols);
    table.header(1) = t("Unità 2023");
    for (int c = 2; c <= cols; ++c)
        table.header(c) = CellValue(QStringLiteral("AVA 1%1 (%)").arg(c * 7));
    for (int r = 2; r <= rows; ++r) {
        table.label(r) = CellValue(QStringLiteral("Comune n.%1 – Tŷ %2").arg(r * 37).arg(r % 3));
        for (int c = 2; c <= cols; ++c) {
            const double magnitude = std::pow(10.0, (c - 4) * 1.7);
            double value = (random.generateDouble() - 0.3) * magnitude;
            if (r % 11 == 0)
                value = -0.00004; // written without its sign
            if (r % 13 == 0)
                value = 9.99995 * magnitude; // rounds up into one more digit
            table(r, c) = value;
        }
    }
    table.label(5) = CellValue(regional.locale().toString(3.5)); // a label that reads as a number
    table(6, 3) = Table::emptyNumber();                          // a cell without a number
    model.setTable(&table, rows, cols);

    FG_AutosizeCols(view, -1, -1, false);
    QCOMPARE(widths(view), bruteForce(model, font));
}

void TestFgAutosizeCols::checkFontMeasuresEachCell() {
    FontGridModel model;
    model.texts = {{QStringLiteral("Nome"), QStringLiteral("Valore")},
                   {QStringLiteral("Alfa"), QStringLiteral("12,5")},
                   {QStringLiteral("Beta lunga"), QStringLiteral("7")}};
    QFont big(QStringLiteral("DejaVu Serif"), 22);
    big.setBold(true);
    model.fonts.insert({1, 1}, big); // "12,5" in a large font
    model.fonts.insert({2, 0}, big); // the last label in a large font

    GridView view;
    const QFont windowFont(QStringLiteral("DejaVu Sans"), 9);
    view.setFont(windowFont);
    view.setGridModel(&model);

    const auto w = [](const QFont& f, const QString& s) {
        return std::nearbyint(QFontMetricsF(f).horizontalAdvance(s));
    };
    // Column 0: its last cell is in the large font, so its "W" is too.
    const int label = static_cast<int>(std::nearbyint(
        QFontMetricsF(big).horizontalAdvance(u'W') +
        std::max({w(windowFont, QStringLiteral("Nome")), w(windowFont, QStringLiteral("Alfa")),
                  w(big, QStringLiteral("Beta lunga"))})));
    // Column 1: its last cell is in the window's font.
    const int value = static_cast<int>(std::nearbyint(
        QFontMetricsF(windowFont).horizontalAdvance(u'W') +
        std::max({w(windowFont, QStringLiteral("Valore")), w(big, QStringLiteral("12,5")),
                  w(windowFont, QStringLiteral("7"))})));

    FG_AutosizeCols(view, -1, -1, true);
    QCOMPARE(widths(view), (QList<int>{label, value}));

    // Without the check every cell is measured in the window's font.
    FG_AutosizeCols(view, -1, -1, false);
    QCOMPARE(widths(view), bruteForce(model, windowFont));
    QVERIFY(view.gridColumnWidth(0) < label);
}

// A comparison too long to measure cell by cell is fitted from a sample: the
// widest label, value and rank lie in its middle, where no edge row reaches.
void TestFgAutosizeCols::longComparisonFromSample() {
    const int units = ComparisonModel::kMeasuredRows + 500;
    auto comparison = std::make_shared<ComparisonResult>();
    comparison->labels = TextTable(units + 1, 1);
    comparison->labels.setCell(0, 0, u"Comune");
    for (const int sign : {1, -1}) {
        ComparedMethod method;
        method.header = QStringLiteral("IR");
        for (int i = 0; i < units; ++i) {
            comparison->labels.setCell(i + 1, 0, QStringLiteral("U%1").arg(i % 10));
            method.values.push_back(sign * (i % 7) * 0.5);
            method.ranks.push_back(i < units / 2 ? 1 : 2);
        }
        method.values[std::size_t(units / 2)] = sign * 1234567.89;
        method.values[std::size_t(units / 3)] = std::nan("");
        method.ranks[std::size_t(units / 2)] = units;
        comparison->methods.push_back(std::move(method));
    }
    comparison->labels.setCell(units / 2, 0, u"Comune dal nome più lungo di tutti");
    Regional regional(kItalian);
    for (const auto shown : {ComparisonModel::Shown::Values, ComparisonModel::Shown::Ranks}) {
        ComparisonModel model(regional, shown);
        model.setComparison(comparison);
        GridView view;
        view.setGridModel(&model);
        FG_AutosizeCols(view, -1, -1, false);
        QCOMPARE(widths(view), bruteForce(model, view.font()));
    }
}

QTEST_MAIN(TestFgAutosizeCols)
#include "tst_fgautosizecols.moc"
