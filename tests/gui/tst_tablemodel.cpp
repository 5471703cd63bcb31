#include "support/guitestsupport.h"
#include "support/testsupport.h"
#include "ui/grid/gridview.h"
#include "ui/grid/tablemodel.h"
#include "ui/state/table.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QTest>

class TestTableModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void passesModelTester();
    void texts_data();
    void texts();
    void headersAndCorner();
    void coloursByPolarity();
    void shapeMatchesText_data();
    void shapeMatchesText();
    void shapesOfRandomValues();

private:
    std::unique_ptr<Regional> m_regional;
    Table m_dati;
    Table m_valori;
};

namespace {

const QLocale kItalian(QLocale::Italian, QLocale::Italy);

// The text with every ASCII digit replaced by '0'.
QString zeroDigits(QString text) {
    for (QChar& ch : text) {
        if (ch >= u'0' && ch <= u'9')
            ch = u'0';
    }
    return text;
}

} // namespace

void TestTableModel::init() {
    m_regional = std::make_unique<Regional>(kItalian);
    riempi(m_dati, {{t("Comune"), t("Reddito"), t("disoccupati"), t("2020 abitanti")},
                    {t("Alfa"), 30.0, 3.5, -1.0},
                    {t("Beta"), 10.123456, 9.0, 0.0},
                    {t("Città"), 20.0, 7.0, 1234567.0}});
    // An index value, a rank, a cell never filled.
    riempi(m_valori, {{t("Comune"), t("MPI+")},
                      {t("Alfa"), 1234.56781},
                      {t("Beta"), 2.0},
                      {t("Città"), CellValue()}});
}

void TestTableModel::passesModelTester() {
    TableModel model(*m_regional, TableModel::Format::Fixed4);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setTable(&m_dati, 4, 4, &m_dati);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.columnCount(), 3);
    model.setTable(&m_dati, 4, 2);
    QCOMPARE(model.columnCount(), 1);
    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 0);

    TableModel results(*m_regional, TableModel::Format::General);
    QAbstractItemModelTester resultsTester(&results,
                                           QAbstractItemModelTester::FailureReportingMode::QtTest);
    results.setTable(&m_valori, 4, 2);
    results.setTable(&m_valori, 2, 2);
    QCOMPARE(results.rowCount(), 1);
}

void TestTableModel::texts_data() {
    QTest::addColumn<int>("format"); // TableModel::Format
    QTest::addColumn<int>("row");    // model item, below the header row
    QTest::addColumn<int>("col");    // model item, right of the label column
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("rightAligned");

    const int fixed = int(TableModel::Format::Fixed4);
    const int index = int(TableModel::Format::IndexValues);
    const int general = int(TableModel::Format::General);
    QTest::newRow("number, four decimals") << fixed << 0 << 0 << "30,0000" << true;
    QTest::newRow("rounded to four") << fixed << 1 << 0 << "10,1235" << true;
    QTest::newRow("one decimal") << fixed << 0 << 1 << "3,5000" << true;
    QTest::newRow("negative") << fixed << 0 << 2 << "-1,0000" << true;
    QTest::newRow("zero") << fixed << 1 << 2 << "0,0000" << true;
    QTest::newRow("no grouping") << fixed << 2 << 2 << "1234567,0000" << true;
    QTest::newRow("index value text") << index << 0 << 0 << "1.234,5678" << true;
    QTest::newRow("rank in general form") << general << 1 << 0 << "2" << true;
    QTest::newRow("empty cell") << index << 2 << 0 << "" << false;
}

void TestTableModel::texts() {
    QFETCH(int, format);
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QString, text);
    QFETCH(bool, rightAligned);

    const bool fixed = format == int(TableModel::Format::Fixed4);
    TableModel model(*m_regional, TableModel::Format(format));
    model.setTable(fixed ? &m_dati : &m_valori, 4, fixed ? 4 : 2);
    const QModelIndex index = model.index(row, col);
    QCOMPARE(index.data(Qt::DisplayRole).toString(), text);
    QCOMPARE(model.gridText(row + 1, col + 1), text);
    const auto alignment = index.data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    QCOMPARE(bool(alignment & Qt::AlignRight), rightAligned);
}

void TestTableModel::headersAndCorner() {
    TableModel model(*m_regional, TableModel::Format::Fixed4);
    GridView view;
    view.setGridModel(&model);
    model.setTable(&m_dati, 4, 4, &m_dati);

    // Header row and label column as written, never as numbers.
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Reddito"));
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("2020 abitanti"));
    QCOMPARE(model.headerData(2, Qt::Vertical).toString(), QStringLiteral("Città"));
    QCOMPARE(view.cornerText(), QStringLiteral("Comune"));
    QVERIFY(!model.headerData(3, Qt::Horizontal).isValid());

    model.clear();
    QCOMPARE(view.cornerText(), QString());
}

void TestTableModel::coloursByPolarity() {
    // The transformed matrix has names of its own ("NI_..."): the colours
    // follow the source names.
    Table trasformata = m_dati;
    trasformata.header(2) = t("ni_Reddito");
    trasformata.header(3) = t("NI_disoccupati");

    TableModel model(*m_regional, TableModel::Format::Fixed4);
    model.setTable(&trasformata, 4, 4, &m_dati);
    for (int r = 0; r < 3; ++r) {
        QCOMPARE(model.index(r, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(192, 255, 192));
        QCOMPARE(model.index(r, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 192, 192));
        // A name that begins with a digit counts as positive.
        QCOMPARE(model.index(r, 2).data(Qt::BackgroundRole).value<QColor>(), QColor(192, 255, 192));
    }
    QVERIFY(!model.headerData(0, Qt::Horizontal, Qt::BackgroundRole).isValid());

    // Results are not coloured.
    model.setTable(&m_valori, 4, 2);
    QVERIFY(!model.index(0, 0).data(Qt::BackgroundRole).isValid());
}

void TestTableModel::shapeMatchesText_data() {
    QTest::addColumn<double>("value");
    QTest::newRow("zero") << 0.0;
    QTest::newRow("minus zero") << -0.0;
    QTest::newRow("tiny negative, no sign") << -0.00004;
    QTest::newRow("tiny negative that keeps its sign") << -0.00006;
    QTest::newRow("half unit below") << -0.00005;
    QTest::newRow("rounds to ten") << 9.99995;
    QTest::newRow("stays below ten") << 9.99994;
    QTest::newRow("just below ten") << 9.9999499999;
    QTest::newRow("negative rounds to -100") << -99.99996;
    QTest::newRow("exact power") << 1000.0;
    QTest::newRow("large") << 123456789012.3456;
    QTest::newRow("largest measured by shape") << 999999999999999.9;
    QTest::newRow("beyond, measured by text") << 1e15;
    QTest::newRow("tie at the fifth decimal") << 0.03125;
    QTest::newRow("infinity") << qInf();
}

void TestTableModel::shapeMatchesText() {
    QFETCH(double, value);
    Table table;
    table.dimension(2, 2);
    table(2, 2) = value;
    for (const QLocale& locale : {kItalian, QLocale::c(), QLocale(QLocale::German)}) {
        Regional regional(locale);
        TableModel model(regional, TableModel::Format::Fixed4);
        model.setTable(&table, 2, 2);
        const int key = model.shapeKey(1, 1);
        const QString text = model.gridText(1, 1);
        if (!std::isfinite(value) || std::fabs(value) >= 1e15) {
            QCOMPARE(key, -1);
            continue;
        }
        QVERIFY(key >= 0 && key < GridModel::kMaxShapeKeys);
        QCOMPARE(model.shapePattern(key), zeroDigits(text));
    }
}

void TestTableModel::shapesOfRandomValues() {
    // Many values of every magnitude, around the places where a digit is
    // added: the shape always tells the text's pattern.
    QRandomGenerator random(7);
    Table table;
    const int n = 4000;
    table.dimension(n + 1, 2);
    for (int r = 2; r <= n + 1; ++r) {
        const double power = std::pow(10.0, random.bounded(16));
        const double jitter = (random.generateDouble() - 0.5) * 2e-4;
        double value = r % 2 ? random.generateDouble() * power : power - 0.00005 + jitter;
        if (r % 3 == 0)
            value = -value;
        table(r, 2) = value;
    }
    TableModel model(*m_regional, TableModel::Format::Fixed4);
    model.setTable(&table, n + 1, 2);
    for (int r = 1; r <= n; ++r) {
        const int key = model.shapeKey(r, 1);
        if (key < 0)
            continue;
        QCOMPARE(model.shapePattern(key), zeroDigits(model.gridText(r, 1)));
    }
}

QTEST_MAIN(TestTableModel)
#include "tst_tablemodel.moc"
