#pragma once

#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QTransform>
#include <QWidget>

#include <memory>
#include <vector>

class MapPicture;
class QTimer;

// A map on screen: its picture drawn once into an image and that image
// shown, moved and scaled while the user drags (pan) or turns the wheel
// (zoom), then drawn again at rest, off the window's thread when the map
// is large, so that neither panning nor hovering waits for a whole
// drawing. Over it, the units chosen outlined in the highlight colour and
// the unit under the mouse outlined and named in a tooltip. A click
// without a drag chooses the unit under the mouse (Ctrl adds or removes
// it); a double click shows the whole map again.
class MapView : public QWidget {
    Q_OBJECT

public:
    explicit MapView(QWidget* parent = nullptr);
    ~MapView() override;

    // The picture to show; null for none. The part of the map on view stays
    // when the new picture has the same extent (another quantity on the
    // same shapes), else the whole map is shown.
    void setPicture(std::shared_ptr<const MapPicture> picture);
    const std::shared_ptr<const MapPicture>& picture() const { return m_picture; }

    // The units (indices into the picture's series) outlined as chosen.
    void setHighlighted(const QList<int>& units);
    const QList<int>& highlighted() const { return m_highlighted; }

    // The whole map on view.
    void showWhole();
    // Zooms by factor (above 1: closer) about the point of the widget at.
    void zoomAt(const QPointF& at, double factor);
    // Moves the map by delta pixels, as a drag does.
    void panBy(const QPointF& delta);
    // The part of the map's plane on view; null for the whole map.
    const QRectF& shownPart() const { return m_shown; }

    // The unit under the point of the widget, -1 for none; the unit the
    // mouse rests on, -1 for none.
    int unitAt(const QPointF& point) const;
    int hoveredUnit() const { return m_hovered; }
    // The tooltip of a unit: its label and its value.
    QString unitTip(int unit) const;

    // Waits for a drawing under way off the thread, before the picture is
    // drawn here (an export, a copy).
    void finishDrawing();

    // Whether the image on view is drawn for the part and size on view
    // (false while a drawing is pending).
    bool isCurrent() const;

    // A picture with more vertices than this is drawn off the window's
    // thread.
    static constexpr long long kBackgroundVertices = 100000;

    QSize sizeHint() const override;

Q_SIGNALS:
    // A click on a unit: the units now chosen (additive with Ctrl).
    void unitsClicked(const QList<int>& units);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Drawn {
        QImage image;
        QRectF shown;
        QSize size;
        QTransform planeToWidget;
        const MapPicture* picture = nullptr;
    };
    QTransform currentTransform() const;
    QRectF shapeArea() const;
    // Draws the image again now or asks for it a moment after the last move.
    void redrawSoon();
    void redraw();
    void drawDone(Drawn drawn, unsigned serial);
    void hover(const QPointF& at);
    // An outline of a unit's shape the window's thread may draw while the
    // picture is drawn elsewhere.
    const QPainterPath& outline(int unit);
    // Where the outline of a unit lies in the widget (empty for none).
    QRect outlineArea(int unit);

    std::shared_ptr<const MapPicture> m_picture;
    long long m_vertices = 0;
    QRectF m_shown;
    Drawn m_drawn;
    unsigned m_serial = 0;  // of the last drawing asked for
    bool m_drawing = false; // one drawing under way off the thread
    QTimer* m_rest;
    QList<int> m_highlighted;
    int m_hovered = -1;
    std::vector<std::pair<int, QPainterPath>> m_outlines;
    QPointF m_pressAt;
    QPointF m_lastDrag;
    bool m_dragging = false;
};
