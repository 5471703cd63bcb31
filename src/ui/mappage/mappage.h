#pragma once

#include "export/mapseries.h"
#include "geo/boundaries.h"
#include "geo/boundaryjoin.h"
#include "shared/regional.h"

#include <QList>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class BackgroundWork;
class ChartActions;
class Dialogs;
class MapPicture;
class MapShapes;
class MapView;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

// The "Mappa" page of a window: the units' boundaries, read from a file
// chosen on the page or found beside the workbook (<workbook>.confini.<ext>),
// coloured by the quantity chosen among those the window offers, in the
// classes chosen (quantiles, equal intervals or natural breaks, and how
// many). The units that found no shape and the shapes that found no unit
// are named under the map. The map zooms, pans, names the unit under the
// mouse and outlines the units the window has chosen; a click on a unit
// chooses it. It is exported and copied as the charts are.
class MapPage : public QWidget {
    Q_OBJECT

public:
    // The quantity of a choice's code (MapChoice::what), one value per unit.
    using SeriesOf = std::function<MapSeries(const QString& what)>;

    MapPage(Dialogs& dialogs, const Regional& regional, QWidget* parent = nullptr);
    ~MapPage() override;

    // The workbook of the units: named in the source line and in the file
    // the export proposes; the boundary file beside it is read unless the
    // user has chosen one.
    void setWorkbook(const QString& workbook);
    // The units (their labels, in the order of the values), what can be
    // shown of them and how each is made. The choice on view stays when it
    // is still offered. No choices: nothing to draw.
    void setChoices(const QStringList& labels, const std::vector<MapChoice>& choices,
                    SeriesOf seriesOf);
    // Reads the boundary file at path and draws on it; false, after saying
    // why, when it cannot be read.
    bool useBoundaries(const QString& path);
    // The units (indices into the labels) outlined as chosen.
    void setHighlighted(const QList<int>& units);
    // The window's worker for the page's long work (reading the boundaries,
    // tracing their shapes, classing many units): the window keeps
    // repainting meanwhile and, once the work shows, the page is disabled.
    // Without it, or while it is busy, the work runs here.
    void setBackgroundWork(BackgroundWork* work);

    MapView* view() const { return m_view; }
    QComboBox* choiceCombo() const { return m_choice; }
    QComboBox* breaksCombo() const { return m_breaks; }
    QSpinBox* classesBox() const { return m_classes; }
    QComboBox* keyCombo() const { return m_key; }
    QPushButton* boundariesButton() const { return m_boundariesButton; }
    QLabel* unmatchedLabel() const { return m_unmatched; }
    QLabel* noteLabel() const { return m_note; }
    ChartActions* actions() const { return m_actions; }
    const QString& boundaryFile() const { return m_layerPath; }

Q_SIGNALS:
    // A click on the map chose these units.
    void unitsClicked(const QList<int>& units);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLayout* buildStrip();
    void connectControls();
    void chooseBoundaries();
    // The key fields of the layer in the key choice.
    void listKeys();
    // Joins the units to the layer's shapes by the key chosen.
    void joinUnits();
    // Draws the map again when something changed and the page is on view.
    void refresh();
    // Draws the series chosen on the joined shapes.
    void drawSeries();
    void markChanged();
    QStringList recordInputs() const;
    // Runs work through the window's worker when there is one; the failure
    // when memory ran out (what: "la lettura dei confini").
    std::optional<Failure> runLong(const QString& step, const QString& what,
                                   const std::function<void()>& work);
    // Reads the boundary file at path; the failure when it cannot be read.
    std::optional<Failure> readLayer(const QString& path);

    Dialogs& m_dialogs;
    Regional m_regional;
    QString m_workbook;
    QStringList m_labels;
    std::vector<MapChoice> m_choices;
    SeriesOf m_seriesOf;
    // The layer read, from the file the user chose (m_chosenFile) or the
    // one beside the workbook.
    std::shared_ptr<const BoundaryLayer> m_layer;
    QString m_layerPath;
    bool m_userChoseFile = false;
    std::optional<BoundaryJoin> m_join;
    // The joined shapes' paths, made again only for another layer or join.
    std::shared_ptr<const MapShapes> m_shapes;
    std::shared_ptr<const BoundaryLayer> m_shapesLayer;
    std::vector<int> m_shapesJoin;
    std::shared_ptr<const MapPicture> m_picture;
    QStringList m_seriesFiles;
    bool m_changed = false;
    BackgroundWork* m_work = nullptr;
    bool m_working = false; // long work of the page runs

    QComboBox* m_choice = nullptr;
    QComboBox* m_breaks = nullptr;
    QSpinBox* m_classes = nullptr;
    QComboBox* m_key = nullptr;
    QPushButton* m_boundariesButton = nullptr;
    QPushButton* m_wholeButton = nullptr;
    QLabel* m_fileLine = nullptr;
    QLabel* m_note = nullptr;
    QLabel* m_unmatched = nullptr;
    MapView* m_view = nullptr;
    ChartActions* m_actions = nullptr;
};
