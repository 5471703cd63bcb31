#include "ui/mappage/mappage.h"

#include "geo/classbreaks.h"
#include "shared/outofmemory.h"
#include "shared/resultnames.h"
#include "ui/charts/chartactions.h"
#include "ui/mappage/mapview.h"
#include "ui/maps/mapexport.h"
#include "ui/maps/mappicture.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/busycursor.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/failuremessage.h"
#include "ui/platform/notelabel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

MapPage::MapPage(Dialogs& dialogs, const Regional& regional, QWidget* parent)
    : QWidget(parent), m_dialogs(dialogs), m_regional(regional) {
    setObjectName(QStringLiteral("paginaMappa"));
    m_view = new MapView(this);
    m_note = pageNote(QStringLiteral("lblNotaMappa"), this);
    m_unmatched = pageNote(QStringLiteral("lblNonAbbinate"), this);
    m_unmatched->hide();
    ChartPicture picture;
    picture.title = [this] { return m_picture ? m_picture->title() : QString(); };
    picture.aspect = [this] { return m_picture ? mapAspect(*m_picture) : 1.0; };
    picture.draw = [this](QPainter& painter, const QSize& target) {
        if (!m_picture || m_picture->isEmpty())
            return false;
        m_view->finishDrawing();
        m_picture->draw(painter, QRectF(QPointF(), QSizeF(target)));
        return true;
    };
    picture.write = [this](const QString& path, const ImageSize& size) -> Status {
        if (!m_picture || m_picture->isEmpty())
            return pictureNotWritten(path);
        m_view->finishDrawing();
        return exportMap(*m_picture, path, size);
    };
    m_actions = new ChartActions(m_view, std::move(picture), dialogs);
    m_actions->setSuggestedPath([this] {
        return m_workbook.isEmpty() ? QString() : chartFileName(m_workbook, ChartFile::Map);
    });
    m_actions->setRecordOrigin([this] { return m_workbook; }, [] { return ChartFile::Map; });
    m_actions->setRecordInputs([this] { return recordInputs(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildStrip());
    layout->addWidget(m_view, 1);
    layout->addWidget(m_note);
    layout->addWidget(m_unmatched);
    connectControls();
}

void MapPage::connectControls() {
    connect(m_view, &MapView::unitsClicked, this, &MapPage::unitsClicked);
    connect(m_choice, &QComboBox::currentIndexChanged, this, &MapPage::markChanged);
    connect(m_breaks, &QComboBox::currentIndexChanged, this, &MapPage::markChanged);
    connect(m_classes, &QSpinBox::valueChanged, this, &MapPage::markChanged);
    connect(m_key, &QComboBox::activated, this, [this] {
        m_join.reset();
        markChanged();
    });
    connect(m_boundariesButton, &QPushButton::clicked, this, &MapPage::chooseBoundaries);
    connect(m_wholeButton, &QPushButton::clicked, m_view, &MapView::showWhole);
}

MapPage::~MapPage() = default;

QLayout* MapPage::buildStrip() {
    m_choice = new QComboBox(this);
    m_choice->setObjectName(QStringLiteral("cmbMostra"));
    m_choice->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* choiceLabel = new QLabel(tr("Mostra:"), this);
    choiceLabel->setBuddy(m_choice);
    m_breaks = new QComboBox(this);
    m_breaks->setObjectName(QStringLiteral("cmbClassi"));
    m_breaks->addItem(tr("Quantili"), int(BreakMethod::Quantile));
    m_breaks->addItem(tr("Intervalli uguali"), int(BreakMethod::Equal));
    m_breaks->addItem(tr("Interruzioni naturali (Jenks)"), int(BreakMethod::Jenks));
    auto* breaksLabel = new QLabel(tr("Classi:"), this);
    breaksLabel->setBuddy(m_breaks);
    m_classes = new QSpinBox(this);
    m_classes->setObjectName(QStringLiteral("numClassi"));
    m_classes->setRange(2, 9);
    m_classes->setValue(5);
    m_classes->setToolTip(tr("Il numero delle classi della legenda"));
    m_key = new QComboBox(this);
    m_key->setObjectName(QStringLiteral("cmbChiave"));
    m_key->setToolTip(tr("L'attributo dei confini che porta le etichette delle unità"));
    auto* keyLabel = new QLabel(tr("Chiave:"), this);
    keyLabel->setBuddy(m_key);
    m_boundariesButton = new QPushButton(tr("Confini..."), this);
    m_boundariesButton->setObjectName(QStringLiteral("cmdConfini"));
    m_boundariesButton->setAutoDefault(false);
    m_boundariesButton->setToolTip(tr("Sceglie il file dei confini delle unità: GeoJSON, "
                                      "Shapefile (anche compresso) o GeoPackage"));
    m_wholeButton = new QPushButton(tr("Tutta la mappa"), this);
    m_wholeButton->setObjectName(QStringLiteral("cmdTuttaMappa"));
    m_wholeButton->setAutoDefault(false);
    m_wholeButton->setToolTip(tr("Mostra di nuovo tutta la mappa (anche con un doppio clic); "
                                 "la rotella ingrandisce, il trascinamento sposta"));
    m_fileLine = new QLabel(this);
    m_fileLine->setObjectName(QStringLiteral("lblConfini"));

    auto* first = new QHBoxLayout;
    first->addWidget(choiceLabel);
    first->addWidget(m_choice, 1);
    first->addWidget(breaksLabel);
    first->addWidget(m_breaks);
    first->addWidget(m_classes);
    first->addWidget(keyLabel);
    first->addWidget(m_key);
    auto* second = new QHBoxLayout;
    second->addWidget(m_boundariesButton);
    second->addWidget(m_fileLine, 1);
    second->addWidget(m_wholeButton);
    second->addWidget(
        ChartActions::button(m_actions->exportAction(), QStringLiteral("cmdEsportaMappa"), this));
    second->addWidget(
        ChartActions::button(m_actions->copyAction(), QStringLiteral("cmdCopiaMappa"), this));
    auto* strip = new QVBoxLayout;
    strip->addLayout(first);
    strip->addLayout(second);

    return strip;
}

void MapPage::setWorkbook(const QString& workbook) {
    m_workbook = workbook;
    if (m_userChoseFile)
        return markChanged();
    const QString beside = boundariesBeside(workbook);
    if (beside == m_layerPath && (m_layer || beside.isEmpty()))
        return markChanged();
    m_layer.reset();
    m_join.reset();
    m_layerPath = beside;
    // A file beside the workbook that cannot be read is named on the page,
    // without a message at each opening.
    if (!beside.isEmpty())
        if (const std::optional<Failure> failed = readLayer(beside))
            m_note->setText(failed->message);
    listKeys();
    markChanged();
}

bool MapPage::useBoundaries(const QString& path) {
    if (const std::optional<Failure> failed = readLayer(path)) {
        showFailure(m_dialogs, *failed);
        return false;
    }
    m_layerPath = path;
    m_userChoseFile = true;
    m_join.reset();
    listKeys();
    markChanged();
    return true;
}

std::optional<Failure> MapPage::readLayer(const QString& path) {
    Expected<BoundaryLayer> layer;
    if (std::optional<Failure> failed =
            runLong(tr("Lettura dei confini"), tr("la lettura dei confini"),
                    [&] { layer = readBoundaries(path); }))
        return failed;
    if (!layer)
        return layer.error();
    m_layer = std::make_shared<const BoundaryLayer>(std::move(*layer));
    return std::nullopt;
}

std::optional<Failure> MapPage::runLong(const QString& step, const QString& what,
                                        const std::function<void()>& work) {
    const Failure outOfMemory{FailureKind::File, outOfMemoryMessage(what)};
    m_working = true;
    bool enough = true;
    if (m_work && !m_work->busy()) {
        enough =
            m_work->run(step, [&](WorkProgress&) { work(); }) == BackgroundWork::Outcome::Finished;
    } else {
        BusyCursor busy;
        enough = withEnoughMemory(what, work, [](const QString&) {});
    }
    m_working = false;
    if (!enough)
        return outOfMemory;
    return std::nullopt;
}

void MapPage::chooseBoundaries() {
    const QString start =
        m_layerPath.isEmpty() ? QFileInfo(m_workbook).absolutePath() : m_layerPath;
    const QString path = m_dialogs.openWorkbook(
        tr("File dei confini"),
        tr("Confini (*.geojson *.json *.shp *.zip *.gpkg);;Tutti i file (*)"), start);
    if (!path.isEmpty())
        useBoundaries(path);
}

void MapPage::listKeys() {
    m_key->clear();
    m_key->addItem(tr("automatica"));
    if (!m_layer)
        return;
    for (qsizetype field = 0; field < m_layer->fields.size(); ++field)
        if (m_layer->isText[std::size_t(field)])
            m_key->addItem(m_layer->fields[field]);
}

void MapPage::setChoices(const QStringList& labels, const std::vector<MapChoice>& choices,
                         SeriesOf seriesOf) {
    if (labels != m_labels)
        m_join.reset();
    m_labels = labels;
    m_choices = choices;
    m_seriesOf = std::move(seriesOf);
    const QString shown = m_choice->currentData().toString();
    {
        const QSignalBlocker block(m_choice);
        m_choice->clear();
        for (const MapChoice& choice : m_choices)
            m_choice->addItem(choice.title, choice.what);
        const int kept = m_choice->findData(shown);
        m_choice->setCurrentIndex(kept >= 0 ? kept : 0);
    }
    markChanged();
}

void MapPage::setHighlighted(const QList<int>& units) {
    m_view->setHighlighted(units);
}

void MapPage::setBackgroundWork(BackgroundWork* work) {
    m_work = work;
    if (m_work)
        m_work->addControl(this);
}

void MapPage::markChanged() {
    m_changed = true;
    if (isVisible())
        refresh();
}

void MapPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void MapPage::joinUnits() {
    const QString key = m_key->currentIndex() > 0 ? m_key->currentText() : QString();
    Expected<BoundaryJoin> join = joinBoundaries(*m_layer, m_labels, key);
    if (!join) {
        m_note->setText(join.error().message);
        return;
    }
    m_join = std::move(*join);
    // The key found is the one on view.
    if (key.isEmpty())
        m_key->setItemText(0, tr("automatica (%1)").arg(m_join->keyField));
}

void MapPage::refresh() {
    // What changes while the page's own work runs is drawn once it ends.
    if (!m_changed || m_working)
        return;
    m_changed = false;
    m_fileLine->setText(m_layerPath.isEmpty() ? tr("Nessun file dei confini")
                                              : QDir::toNativeSeparators(m_layerPath));
    m_picture.reset();
    m_seriesFiles.clear();
    m_unmatched->hide();
    if (!m_layer) {
        if (m_layerPath.isEmpty())
            m_note->setText(
                tr("Scegliere il file dei confini delle unità con «%1», oppure "
                   "porlo accanto alla cartella come %2.")
                    .arg(m_boundariesButton->text().remove(u'&'),
                         QFileInfo(m_workbook).fileName() + QStringLiteral(".confini.geojson")));
    } else if (m_choices.empty() || !m_seriesOf) {
        m_note->setText(tr("Nessun risultato da mostrare sulla mappa."));
    } else {
        if (!m_join)
            joinUnits();
        if (m_join)
            drawSeries();
    }
    // No empty line under the map.
    m_note->setVisible(!m_note->text().isEmpty());
    m_view->setPicture(m_picture);
    if (m_changed)
        refresh();
}

void MapPage::drawSeries() {
    const MapSeries series = m_seriesOf(m_choice->currentData().toString());
    MapStyle style;
    style.classes = m_classes->value();
    style.breaks = BreakMethod(m_breaks->currentData().toInt());
    const QString source = mapSourceLine(m_workbook, series, m_regional);
    // The work reads its own copies: the page may change while it runs.
    const std::shared_ptr<const BoundaryLayer> layer = m_layer;
    const BoundaryJoin join = *m_join;
    std::shared_ptr<const MapShapes> shapes =
        m_shapes && m_shapesJoin == join.shapeOfUnit && m_shapesLayer == layer ? m_shapes : nullptr;
    std::shared_ptr<const MapPicture> picture;
    const std::optional<Failure> failed =
        runLong(tr("Disegno della mappa"), tr("il disegno della mappa"), [&] {
            if (!shapes)
                shapes = std::make_shared<const MapShapes>(*layer, join, m_regional.locale());
            picture = std::make_shared<const MapPicture>(shapes, series, style, m_regional, source);
        });
    if (failed) {
        m_note->setText(failed->message);
        return;
    }
    m_shapes = shapes;
    m_shapesJoin = join.shapeOfUnit;
    m_shapesLayer = layer;
    m_picture = picture;
    m_seriesFiles = series.files;
    // The projection is named on the map itself, under its source.
    m_note->clear();
    const QStringList warnings = joinWarnings(join);
    m_unmatched->setText(warnings.join(u'\n'));
    m_unmatched->setVisible(!warnings.isEmpty());
}

QStringList MapPage::recordInputs() const {
    QStringList inputs = m_seriesFiles;
    if (!m_layerPath.isEmpty())
        inputs.prepend(m_layerPath);
    return inputs;
}
