#include "support/guitestsupport.h"
#include "support/recordingdialogs.h"
#include "support/testsupport.h"
#include "ui/grid/gridview.h"
#include "ui/grid/rowselection.h"
#include "ui/mappage/mappage.h"
#include "ui/mappage/mapview.h"
#include "ui/maps/mappicture.h"
#include "ui/platform/backgroundwork.h"
#include "ui/processing/indicemp.h"
#include "ui/timeseries/timeanalysiswindow.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

// The map pages as the windows wire them: what the window computed drawn
// on the boundaries beside the workbook, the units chosen in a grid
// outlined, the unit under the mouse named, a click choosing a unit.
class TestMapPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void processingPageDrawsTheIndexChosen();
    void gridAndMapChooseTheSameUnits();
    void hoverNamesTheUnit();
    void zoomAndPanKeepThePlaceUnderTheMouse();
    void exportWritesTheMap();
    void timePageMapsPeriodsAndChanges();

private:
    // The processing window on the four provinces, a method run and the map
    // page on view.
    IndiceMP& processing();
    MapView* view() const { return m_window->mapPage()->view(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    SharedState m_state;
    RecordingDialogs m_dialogs;
    Regional m_regional{QLocale(QLocale::Italian, QLocale::Italy)};
    std::unique_ptr<IndiceMP> m_window;
};

namespace {

// Delta has no shape, Atlantide no unit.
const Rows kProvince{{t("Provincia"), t("Reddito"), t("disoccupati")},
                     {t("Alfa"), 30.0, 5.0},
                     {t("Beta"), 10.0, 9.0},
                     {t("Gamma"), 20.0, 7.0},
                     {t("Delta"), 25.0, 6.0}};
const QStringList kShapes{"Alfa", "Beta", "Gamma", "Atlantide"};

bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue()) <
           24;
}

QColor pixel(MapView* view, QPointF at) {
    const QImage image = view->grab().toImage();
    return image.pixelColor((at * image.devicePixelRatio()).toPoint());
}

// The reddest pixel within two of at across: an outline drawn on a
// shape's edge covers some of them whole, wherever the edge falls.
QColor reddest(MapView* view, QPointF at) {
    const QImage image = view->grab().toImage();
    QColor best;
    for (int dx = -2; dx <= 2; ++dx) {
        const QColor colour =
            image.pixelColor(((at + QPointF(dx, 0)) * image.devicePixelRatio()).toPoint());
        if (!best.isValid() || colour.red() - colour.green() > best.red() - best.green())
            best = colour;
    }
    return best;
}

} // namespace

void TestMapPage::initTestCase() {
    BackgroundWork::setRevealDelay(0);
}

void TestMapPage::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_state = SharedState();
    m_state.strMatrice = m_dir->filePath(QStringLiteral("Province.xlsx"));
    m_state.strCartella = m_dir->path();
    m_dialogs = RecordingDialogs();
    QVERIFY(writeSquareBoundaries(m_state.strMatrice + ".confini.geojson", kShapes));
}

void TestMapPage::cleanup() {
    m_window.reset();
}

IndiceMP& TestMapPage::processing() {
    m_window = std::make_unique<IndiceMP>(
        m_state, std::make_shared<Processing>(m_regional, memoryLoader(kProvince, m_regional)),
        m_dialogs, m_regional);
    if (!m_window->load())
        qFatal("not loaded");
    m_window->show();
    auto* methods = m_window->findChild<QComboBox*>("cmbMetodo");
    methods->setCurrentIndex(2); // WROC
    Q_EMIT methods->activated(2);
    m_window->pages()->setCurrentWidget(m_window->mapPage());
    return *m_window;
}

void TestMapPage::processingPageDrawsTheIndexChosen() {
    IndiceMP& window = processing();
    MapPage* page = window.mapPage();
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(page->boundaryFile(), m_state.strMatrice + ".confini.geojson");
    QCOMPARE(page->choiceCombo()->count(), 2); // index and ranks, no structure
    const MapPicture* picture = view()->picture().get();
    QVERIFY(picture);
    QVERIFY(picture->title().contains("WROC"));
    // Each shape filled with its unit's class: Alfa (30) and Beta (10) apart.
    QVERIFY(!near(picture->unitColour(0), picture->unitColour(1)));
    for (const int unit : {0, 1, 2})
        QVERIFY2(near(pixel(view(), unitCentre(view(), unit)), picture->unitColour(unit)),
                 qPrintable(QString::number(unit)));
    // Delta without a shape, Atlantide without a unit: both named.
    QVERIFY(page->unmatchedLabel()->isVisibleTo(page));
    QVERIFY(page->unmatchedLabel()->text().contains("Delta"));
    QVERIFY(page->unmatchedLabel()->text().contains("Atlantide"));

    // The ranks: the best (Alfa, rank 1) drawn as the ranks' scale draws it,
    // by the window's worker, on the shapes traced for the index.
    const std::shared_ptr<const MapPicture> index = view()->picture();
    QSignalSpy work(window.findChild<BackgroundWork*>(), &BackgroundWork::started);
    page->choiceCombo()->setCurrentIndex(1);
    picture = view()->picture().get();
    QCOMPARE(work.size(), 1);
    QCOMPARE(work.front().front().toString(), QStringLiteral("Disegno della mappa"));
    QCOMPARE(&picture->units(), &index->units());
    QVERIFY(picture->title().contains("Ranghi"));
    QCOMPARE(picture->unitText(0), QStringLiteral("Alfa: 1"));
    // Fewer classes, another method of breaks: a picture of its own.
    page->classesBox()->setValue(2);
    QVERIFY(view()->picture().get() != picture);
    QCOMPARE(view()->picture()->classes().size(), std::size_t(2));
}

void TestMapPage::gridAndMapChooseTheSameUnits() {
    IndiceMP& window = processing();
    const MapPicture* picture = view()->picture().get();
    QVERIFY(picture);
    // The outer edge of Gamma (the bottom-left square), outlined once chosen.
    QRectF bounds;
    for (const MapPicture::Unit& unit : picture->units())
        if (unit.index == 2)
            bounds = unit.path.boundingRect();
    const QPointF edge = picture->planeToTarget(QRectF(view()->rect()), view()->shownPart())
                             .map(QPointF(bounds.left(), bounds.center().y()));
    const QColor before = pixel(view(), edge);
    selectRows(*window.msfRisultati(), {2});
    QCOMPARE(view()->highlighted(), QList<int>{2});
    QVERIFY(pixel(view(), edge) != before);
    const QColor outlined = reddest(view(), edge);
    QVERIFY2(outlined.red() > 150 && outlined.green() < 110, qPrintable(outlined.name()));

    // A click on Beta chooses it in the data grid, and only it.
    QTest::mouseClick(view(), Qt::LeftButton, {}, unitCentre(view(), 1).toPoint());
    QCOMPARE(selectedRows(*window.msfMatrice()), QList<int>{1});
    QCOMPARE(view()->highlighted(), QList<int>{1});
    // Ctrl adds Alfa; a click outside every shape chooses none.
    QTest::mouseClick(view(), Qt::LeftButton, Qt::ControlModifier, unitCentre(view(), 0).toPoint());
    QCOMPARE(view()->highlighted(), (QList<int>{1, 0}));
    QTest::mouseClick(view(), Qt::LeftButton, {}, QPoint(2, view()->height() - 2));
    QVERIFY(view()->highlighted().isEmpty());

    // A unit found by its label is chosen in the grid and on the map.
    auto* search = window.findChild<QLineEdit*>("txtCercaUnita");
    QVERIFY(search && search->isVisible());
    QTest::keyClicks(search, "amm");
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(view()->highlighted(), QList<int>{2});
    QCOMPARE(selectedRows(*window.msfMatrice()), QList<int>{2});
}

void TestMapPage::hoverNamesTheUnit() {
    processing();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    const QPointF beta = unitCentre(view(), 1);
    QTest::mouseMove(view(), beta.toPoint());
    QTRY_COMPARE(view()->hoveredUnit(), 1);
    QVERIFY(view()->unitTip(1).startsWith("Beta"));
    QTRY_VERIFY(QToolTip::text().startsWith("Beta"));
    QTest::mouseMove(view(), unitCentre(view(), 0).toPoint());
    QTRY_COMPARE(view()->hoveredUnit(), 0);
    QTRY_VERIFY(QToolTip::text().startsWith("Alfa"));
}

void TestMapPage::zoomAndPanKeepThePlaceUnderTheMouse() {
    processing();
    const QPointF beta = unitCentre(view(), 1) + QPointF(3, -2);
    const double apart = QLineF(unitCentre(view(), 0), unitCentre(view(), 1)).length();
    view()->zoomAt(beta, 3.0);
    QVERIFY(!view()->shownPart().isNull());
    QCOMPARE(view()->unitAt(beta), 1);
    // Alfa and Beta three times as far apart.
    QCOMPARE(qRound(QLineF(unitCentre(view(), 0), unitCentre(view(), 1)).length()),
             qRound(3 * apart));
    view()->panBy(QPointF(40, 25));
    QCOMPARE(view()->unitAt(beta + QPointF(40, 25)), 1);
    QTRY_VERIFY(view()->isCurrent());
    view()->showWhole();
    QVERIFY(view()->shownPart().isNull());
}

void TestMapPage::exportWritesTheMap() {
    processing();
    const QString svg = m_state.strMatrice + ".mappa.svg";
    m_dialogs.saveAnswers = {svg};
    m_window->mapPage()->findChild<QPushButton*>("cmdEsportaMappa")->click();
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.messageTexts().join('\n')));
    QCOMPARE(m_dialogs.saveRequests.size(), 1);
    QCOMPARE(m_dialogs.saveRequests[0].startFolder, m_state.strMatrice + ".mappa.png");
    const QString written = QString::fromUtf8(fileContents(svg));
    QVERIFY(written.contains("<title>Beta"));
    // Recorded with the boundaries it was drawn on.
    const QString record = QString::fromUtf8(fileContents(m_state.strMatrice + ".registro.json"));
    QVERIFY(record.contains("Province.xlsx.mappa.svg"));
    QVERIFY(record.contains("Province.xlsx.confini.geojson"));
}

void TestMapPage::timePageMapsPeriodsAndChanges() {
    const QString workbook = m_dir->filePath("periodi.xlsx");
    QVERIFY(QFile::copy(ORVALTA_EXAMPLES "/regioni_periodi.xlsx", workbook));
    QVERIFY(writeSquareBoundaries(workbook + ".confini.geojson", {"Lazio", "Toscana", "Umbria"}));
    TimeAnalysisWindow window(m_dialogs, m_regional);
    QVERIFY(window.load(workbook));
    window.show();
    window.views()->setCurrentWidget(window.mapPage());
    MapPage* page = window.mapPage();
    // Five periods, four changes from one to the next and the whole span.
    QCOMPARE(page->choiceCombo()->count(), 5 + 4 + 1);
    QVERIFY(page->choiceCombo()->itemText(0).startsWith("AMPI+ 2019"));
    page->choiceCombo()->setCurrentIndex(page->choiceCombo()->count() - 1);
    QVERIFY(page->view()->picture()->title().contains("2023"));
    QVERIFY(page->unmatchedLabel()->text().contains("17"));
    // The units selected in the values grid outlined on the map.
    const QStringList units = gridColumnTexts(window.valuesGrid(), 0).mid(1);
    selectRows(*window.valuesGrid(), {int(units.indexOf("Umbria"))});
    QCOMPARE(page->view()->highlighted(), QList<int>{int(units.indexOf("Umbria"))});
}

QTEST_MAIN(TestMapPage)
#include "tst_mappage.moc"
