#include "comparison/texttable.h"
#include "export/divergingscale.h"
#include "export/textcontrast.h"
#include "export/xlsxstyles.h"
#include "shared/regional.h"
#include "ui/comparison/comparisonmodel.h"
#include "ui/grid/cograduationmodel.h"
#include "ui/grid/divergingpalette.h"
#include "ui/grid/gridview.h"
#include "ui/report/reportcharts.h"

#include <QAbstractItemModelTester>
#include <QTest>

// The models of the comparison window's grids, the
// shading of the cograduation matrix and the one rule for text over a
// shade in the window, the exported workbook and the report.
class TestCograduationModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void comparisonGrids();
    void paletteEnds_data();
    void paletteEnds();
    void paletteDeepensAwayFromZero();
    void textStaysReadable();
    void coefficientSteps_data();
    void coefficientSteps();
    void layersAgreeOverTheScale();
    void shading_data();
    void shading();
};

namespace {

const Regional kItalian{QLocale(QLocale::Italian, QLocale::Italy)};

// A cograduation matrix of three methods, one coefficient not computed.
CoefficientMatrix matrix() {
    const double none = qQNaN();
    return {{"MPI+", "Wroclaw", "IR"}, {1.0, none, none, -0.9, 1.0, none, 0.25, none, 1.0}};
}

// The distance of a colour from grey: how strongly it is tinted.
int tint(const QColor& colour) {
    return std::max({colour.red(), colour.green(), colour.blue()}) -
           std::min({colour.red(), colour.green(), colour.blue()});
}

} // namespace

void TestCograduationModel::comparisonGrids() {
    auto comparison = std::make_shared<ComparisonResult>();
    comparison->labels = TextTable(3, 1);
    for (int r = 0; r < 3; ++r)
        comparison->labels.setCell(r, 0, QStringList{"Regione", "Piemonte", "Liguria; costa"}[r]);
    comparison->methods = {{"MPI+", {1102.3456, 97.6544}, {1, 2}},
                           {"Grad.RNK", {2.0, qQNaN()}, {2, 1}}};
    ComparisonModel values(kItalian, ComparisonModel::Shown::Values);
    ComparisonModel ranks(kItalian, ComparisonModel::Shown::Ranks);
    QAbstractItemModelTester tester(&values,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    GridView view;
    view.setGridModel(&values);
    values.setComparison(comparison);
    ranks.setComparison(comparison);

    // Row 0 and column 0 are the headers, a method's index name with its
    // code; the numbers written under the regional settings.
    QCOMPARE(values.rowCount(), 2);
    QCOMPARE(values.columnCount(), 2);
    QCOMPARE(view.cornerText(), QStringLiteral("Regione"));
    QCOMPARE(values.headerData(1, Qt::Horizontal).toString(), QStringLiteral("GRAD - Grad.RNK"));
    QCOMPARE(values.headerData(1, Qt::Vertical).toString(), QStringLiteral("Liguria; costa"));
    QCOMPARE(values.index(0, 0).data().toString(), QStringLiteral("1.102,3456"));
    QCOMPARE(ranks.index(1, 1).data().toString(), QStringLiteral("1"));
    QCOMPARE(values.gridText(3, 0), QString()); // outside the grid
    // Numbers are right-aligned, a value that is none not.
    const auto right = [](const ComparisonModel& model, int row, int col) {
        return bool(model.index(row, col).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                    Qt::AlignRight);
    };
    QVERIFY(right(values, 0, 0));
    QVERIFY(right(ranks, 1, 1));
    QVERIFY(!right(values, 1, 1));
    // Plain grids are not shaded.
    QVERIFY(!values.index(0, 0).data(Qt::BackgroundRole).isValid());

    values.clear();
    QCOMPARE(values.rowCount(), 0);
    QCOMPARE(values.columnCount(), 0);
    QCOMPARE(view.cornerText(), QString());
}

void TestCograduationModel::paletteEnds_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("hue"); // -1: no hue to speak of (near grey)
    QTest::newRow("full disagreement: brown") << -1.0 << 31;
    QTest::newRow("no relation: near white") << 0.0 << -1;
    QTest::newRow("full agreement: teal") << 1.0 << 174;
    QTest::newRow("beyond 1: as 1") << 1.5 << 174;
    QTest::newRow("beyond -1: as -1") << -7.0 << 31;
}

void TestCograduationModel::paletteEnds() {
    QFETCH(double, value);
    QFETCH(int, hue);
    const QColor colour = divergingpalette::colour(value);
    if (hue < 0) {
        QVERIFY(tint(colour) < 8);
        QVERIFY(colour.lightness() > 230);
    } else {
        QVERIFY2(qAbs(colour.hue() - hue) < 10, qPrintable(colour.name()));
        QVERIFY(tint(colour) > 80);
    }
}

void TestCograduationModel::paletteDeepensAwayFromZero() {
    // Each half darkens steadily from 0 to its end, and the halves mirror
    // each other closely in lightness.
    for (int sign : {-1, 1}) {
        int previous = divergingpalette::colour(0.0).lightness();
        for (int step = 1; step <= 20; ++step) {
            const int lightness = divergingpalette::colour(sign * step / 20.0).lightness();
            QVERIFY2(lightness < previous, qPrintable(QString::number(sign * step / 20.0)));
            previous = lightness;
        }
    }
    for (int step = 1; step <= 20; ++step)
        QVERIFY(qAbs(divergingpalette::colour(step / 20.0).lightness() -
                     divergingpalette::colour(-step / 20.0).lightness()) < 30);
}

void TestCograduationModel::textStaysReadable() {
    const auto rgb = [](const QColor& c) { return Rgb{c.red(), c.green(), c.blue()}; };
    for (int step = -100; step <= 100; ++step) {
        for (const QColor& background : {divergingpalette::colour(step / 100.0),
                                         divergingpalette::coefficientColour(step / 100.0)}) {
            const QColor text = divergingpalette::readableText(background);
            QVERIFY(text == QColor(Qt::black) || text == QColor(Qt::white));
            QVERIFY2(contrastRatio(rgb(text), rgb(background)) >= 4.5,
                     qPrintable(background.name()));
        }
    }
    QCOMPARE(divergingpalette::readableText(divergingpalette::colour(0.0)), QColor(Qt::black));
    QCOMPARE(divergingpalette::readableText(divergingpalette::colour(1.0)), QColor(Qt::white));
    QCOMPARE(contrastRatio(Rgb{0, 0, 0}, Rgb{255, 255, 255}), 21.0);
}

void TestCograduationModel::coefficientSteps_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("step");
    QTest::newRow("no relation") << 0.0 << 0;
    QTest::newRow("weak") << 0.19 << 0;
    QTest::newRow("on a bound") << 0.2 << 1;
    QTest::newRow("0.95") << 0.95 << 6;
    QTest::newRow("0.97 with 0.95") << 0.97 << 6;
    QTest::newRow("0.985") << 0.985 << 7;
    QTest::newRow("0.99") << 0.99 << 8;
    QTest::newRow("1") << 1.0 << 8;
    QTest::newRow("shown as 0,9500") << 0.94996 << 6;
    QTest::newRow("shown as 0,9499") << 0.94994 << 5;
    QTest::newRow("negative") << -0.95 << -6;
    QTest::newRow("NaN") << qQNaN() << 0;
}

void TestCograduationModel::coefficientSteps() {
    QFETCH(double, value);
    QFETCH(int, step);
    QCOMPARE(coefficientStep(value), step);
    // Each step has its own shade, the neighbours' differing in lightness.
    if (step > 0) {
        const QColor shade = divergingpalette::coefficientColour(value);
        const QColor lower = divergingpalette::coefficientColour(
            step == 1 ? 0.0 : coefficientStepBounds()[std::size_t(step - 2)]);
        QVERIFY2(lower.lightness() - shade.lightness() >= 10,
                 qPrintable(lower.name() + shade.name()));
    }
}

void TestCograduationModel::layersAgreeOverTheScale() {
    // Every shade the grids can show, as the window, the exported workbook
    // and the report colour it: the same fill, the same text.
    constexpr int kSteps = 20000;
    // One column below an empty first row: every value below the diagonal.
    std::vector<double> values{qQNaN()};
    for (int i = 0; i <= kSteps; ++i)
        values.push_back(-1.0 + 2.0 * i / kSteps);
    CograduationModel model(kItalian);
    model.setGrid({QString(), QStringLiteral("MPI+")}, QStringList(kSteps + 2, QString()),
                  std::move(values));
    int white = 0;
    for (int i = 0; i <= kSteps; ++i) {
        const double value = -1.0 + 2.0 * i / kSteps;
        const QModelIndex index = model.index(i + 1, 0);
        const QColor fill = index.data(Qt::BackgroundRole).value<QColor>();
        const QColor text = index.data(Qt::ForegroundRole).value<QColor>();
        const XlsxFormat exported = coefficientFormat(value, "0.0000");
        const HeatmapCell reported = heatmapCell(value, HeatmapScale::Stepped);
        const QString at = QString::number(value);
        QVERIFY2(fill.isValid() && fill == reported.fill, qPrintable(at));
        QVERIFY2(exported.fill == (fill.rgb() & 0xFFFFFFu), qPrintable(at));
        QVERIFY2(text == reported.text, qPrintable(at));
        QVERIFY2(exported.whiteText == (text == QColor(Qt::white)), qPrintable(at));
        white += exported.whiteText;
    }
    // Both text colours occur: the loop covers the dark and the light shades.
    QVERIFY(white > 0 && white < kSteps);
}

void TestCograduationModel::shading_data() {
    QTest::addColumn<int>("row"); // grid cell
    QTest::addColumn<int>("col");
    QTest::addColumn<double>("value"); // the shade's value; NaN for none

    QTest::newRow("negative coefficient") << 2 << 1 << -0.9;
    QTest::newRow("positive coefficient") << 3 << 1 << 0.25;
    QTest::newRow("diagonal stays plain") << 2 << 2 << qQNaN();
    QTest::newRow("above the diagonal stays plain") << 1 << 3 << qQNaN();
    QTest::newRow("coefficient not computed") << 3 << 2 << qQNaN();
}

void TestCograduationModel::shading() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(double, value);

    CograduationModel model(kItalian);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setMatrix(matrix());
    const QModelIndex index = model.index(row - 1, col - 1);
    // Written with four decimals under the regional settings; none empty.
    QCOMPARE(index.data().toString(), std::isnan(matrix().at(row - 1, col - 1))
                                          ? QString()
                                          : kItalian.fixed4(matrix().at(row - 1, col - 1)));
    const QVariant background = index.data(Qt::BackgroundRole);
    const QVariant foreground = index.data(Qt::ForegroundRole);
    if (std::isnan(value)) {
        QVERIFY(!background.isValid());
        QVERIFY(!foreground.isValid());
        return;
    }
    const QColor shade = divergingpalette::coefficientColour(value);
    QCOMPARE(background.value<QColor>(), shade);
    QCOMPARE(foreground.value<QColor>(), divergingpalette::readableText(shade));
    // The headers are never shaded.
    QVERIFY(!model.headerData(col - 1, Qt::Horizontal, Qt::BackgroundRole).isValid());
}

QTEST_MAIN(TestCograduationModel)
#include "tst_cograduationmodel.moc"
