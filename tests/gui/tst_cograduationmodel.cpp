#include "comparison/texttable.h"
#include "export/divergingscale.h"
#include "export/textcontrast.h"
#include "export/xlsxstyles.h"
#include "shared/regional.h"
#include "ui/grid/cograduationmodel.h"
#include "ui/grid/divergingpalette.h"
#include "ui/grid/gridview.h"
#include "ui/report/reportcharts.h"

#include <QAbstractItemModelTester>
#include <QTest>

// The models over tables of texts (the comparison window's grids), the
// shading of the cograduation matrix and the one rule for text over a
// shade in the window, the exported workbook and the report.
class TestCograduationModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void textTable();
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

TextTable table(const QList<QStringList>& rows) {
    TextTable result(int(rows.size()), rows.isEmpty() ? 0 : int(rows.first().size()));
    for (int r = 0; r < result.rowCount(); ++r)
        for (int c = 0; c < result.columnCount(); ++c)
            result.setCell(r, c, rows[r][c]);
    return result;
}

// A cograduation matrix of three methods as the core writes it.
TextTable matrix() {
    return table({{"", "MPI+", "Wroclaw", "IR"},
                  {"MPI+", "1,0000", "", ""},
                  {"Wroclaw", "-0,9000", "1,0000", ""},
                  {"IR", "0,2500", "n.d.", "1,0000"}});
}

// The distance of a colour from grey: how strongly it is tinted.
int tint(const QColor& colour) {
    return std::max({colour.red(), colour.green(), colour.blue()}) -
           std::min({colour.red(), colour.green(), colour.blue()});
}

} // namespace

void TestCograduationModel::textTable() {
    TextTableModel model(kItalian);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    GridView view;
    view.setGridModel(&model);
    model.setTable(table({{"Regione", "MPI+", "Grad.RNK"},
                          {"Piemonte", "1.102,3456", "2"},
                          {"Liguria; costa", "97,6544", "n.d."}}));

    // Row 0 and column 0 are the headers; texts shown exactly as held, a
    // method's index name with its code.
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(view.cornerText(), QStringLiteral("Regione"));
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("GRAD - Grad.RNK"));
    QCOMPARE(model.headerData(1, Qt::Vertical).toString(), QStringLiteral("Liguria; costa"));
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("1.102,3456"));
    QCOMPARE(model.gridText(2, 2), QStringLiteral("n.d."));
    QCOMPARE(model.gridText(3, 0), QString()); // outside the table
    // Numbers under the regional settings are right-aligned, other texts not.
    const auto right = [&model](int row, int col) {
        return bool(model.index(row, col).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                    Qt::AlignRight);
    };
    QVERIFY(right(0, 0));
    QVERIFY(right(0, 1));
    QVERIFY(!right(1, 1));
    // Plain tables are not shaded.
    QVERIFY(!model.index(0, 0).data(Qt::BackgroundRole).isValid());

    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 0);
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
    TextTable values(kSteps + 3, 2);
    values.setCell(0, 1, u"MPI+");
    for (int i = 0; i <= kSteps; ++i)
        values.setCell(i + 2, 1, kItalian.fixed4(-1.0 + 2.0 * i / kSteps));
    CograduationModel model(kItalian);
    model.setTable(std::move(values));
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
    QTest::newRow("text that is not a number") << 3 << 2 << qQNaN();
}

void TestCograduationModel::shading() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(double, value);

    CograduationModel model(kItalian);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setTable(matrix());
    const QModelIndex index = model.index(row - 1, col - 1);
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
