#include "ui/mappage/mapview.h"

#include "ui/maps/mappicture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QThreadPool>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

// The drawings off the window's thread, one at a time.
QThreadPool& drawingPool() {
    static QThreadPool* pool = [] {
        auto* made = new QThreadPool;
        made->setMaxThreadCount(1);
        return made;
    }();
    return *pool;
}

// The wait after the last move before the map is drawn again in full.
constexpr int kRestMs = 120;
// A press that moves less than this is a click.
constexpr double kClickSlack = 4.0;

const QColor kHighlight(0xd6, 0x27, 0x28);

} // namespace

MapView::MapView(QWidget* parent) : QWidget(parent), m_rest(new QTimer(this)) {
    setObjectName(QStringLiteral("mappa"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(240, 180);
    setCursor(Qt::OpenHandCursor);
    m_rest->setSingleShot(true);
    m_rest->setInterval(kRestMs);
    connect(m_rest, &QTimer::timeout, this, &MapView::redraw);
}

MapView::~MapView() {
    // A drawing under way reads the picture held here.
    drawingPool().waitForDone();
}

QSize MapView::sizeHint() const {
    return {720, 540};
}

void MapView::setPicture(std::shared_ptr<const MapPicture> picture) {
    drawingPool().waitForDone();
    const bool sameShapes = picture && m_picture && picture->extent() == m_picture->extent();
    m_picture = std::move(picture);
    m_outlines.clear();
    m_hovered = -1;
    m_vertices = m_picture ? m_picture->vertexCount() : 0;
    if (!sameShapes)
        m_shown = QRectF();
    m_drawn = Drawn();
    redraw();
}

void MapView::finishDrawing() {
    drawingPool().waitForDone();
}

void MapView::setHighlighted(const QList<int>& units) {
    if (units == m_highlighted)
        return;
    m_highlighted = units;
    update();
}

QRectF MapView::shapeArea() const {
    return m_picture ? m_picture->layout(QRectF(rect())).shapes : QRectF();
}

QTransform MapView::currentTransform() const {
    return m_picture ? m_picture->planeToTarget(QRectF(rect()), m_shown) : QTransform();
}

bool MapView::isCurrent() const {
    return m_picture && !m_drawn.image.isNull() && m_drawn.picture == m_picture.get() &&
           m_drawn.shown == m_shown && m_drawn.size == size();
}

void MapView::showWhole() {
    m_shown = QRectF();
    redrawSoon();
}

void MapView::zoomAt(const QPointF& at, double factor) {
    if (!m_picture || factor <= 0)
        return;
    bool invertible = false;
    const QTransform toPlane = currentTransform().inverted(&invertible);
    if (!invertible)
        return;
    const QPointF centre = toPlane.map(at);
    const QRectF area = toPlane.mapRect(shapeArea());
    const QRectF zoomed(centre + (area.topLeft() - centre) / factor,
                        centre + (area.bottomRight() - centre) / factor);
    // No further out than the whole map, no closer than a thousandth of it.
    const QRectF extent = m_picture->extent();
    if (zoomed.width() >= extent.width() && zoomed.height() >= extent.height()) {
        m_shown = QRectF();
    } else if (zoomed.width() * 1000 > extent.width() || zoomed.height() * 1000 > extent.height()) {
        m_shown = zoomed.normalized();
    }
    redrawSoon();
}

void MapView::panBy(const QPointF& delta) {
    if (!m_picture)
        return;
    bool invertible = false;
    const QTransform toPlane = currentTransform().inverted(&invertible);
    if (!invertible)
        return;
    m_shown = toPlane.mapRect(shapeArea().translated(-delta)).normalized();
    redrawSoon();
}

void MapView::redrawSoon() {
    update();
    m_rest->start();
}

void MapView::redraw() {
    m_rest->stop();
    update();
    if (!m_picture || size().isEmpty())
        return;
    const unsigned serial = ++m_serial;
    Drawn job;
    job.shown = m_shown;
    job.size = size();
    job.picture = m_picture.get();
    job.planeToWidget = currentTransform();
    const qreal ratio = devicePixelRatioF();
    auto draw = [picture = m_picture, job, ratio]() mutable {
        job.image = QImage(job.size * ratio, QImage::Format_ARGB32_Premultiplied);
        job.image.setDevicePixelRatio(ratio);
        job.image.fill(Qt::white);
        QPainter painter(&job.image);
        picture->draw(painter, QRectF(QPointF(), QSizeF(job.size)), job.shown);
        return job;
    };
    if (m_vertices <= kBackgroundVertices) {
        drawDone(draw(), serial);
        return;
    }
    if (m_drawing)
        return; // drawn again when the one under way is done
    m_drawing = true;
    drawingPool().start([this, draw, serial]() mutable {
        Drawn drawn = draw();
        QMetaObject::invokeMethod(
            this, [this, drawn = std::move(drawn), serial] { drawDone(drawn, serial); },
            Qt::QueuedConnection);
    });
}

void MapView::drawDone(Drawn drawn, unsigned serial) {
    m_drawing = false;
    if (drawn.picture == m_picture.get())
        m_drawn = std::move(drawn);
    update();
    // Something moved while it was drawn: the next drawing, unless the rest
    // timer will ask for it.
    if (serial != m_serial || !isCurrent())
        if (!m_rest->isActive())
            redraw();
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The image drawn for the part on view covers the widget; anything else
    // is drawn over white.
    if (!isCurrent())
        painter.fillRect(rect(), Qt::white);
    if (!m_picture)
        return;
    const QTransform now = currentTransform();
    if (!m_drawn.image.isNull()) {
        if (isCurrent()) {
            painter.drawImage(QPointF(), m_drawn.image);
        } else {
            // The last image, its legend and title where they were, its
            // shapes moved and scaled to where they are now.
            painter.drawImage(QPointF(), m_drawn.image);
            const QRectF area = shapeArea();
            painter.setClipRect(area);
            painter.fillRect(area, Qt::white);
            painter.setTransform(m_drawn.planeToWidget.inverted() * now);
            painter.setClipRect(m_picture->layout(QRectF(QPointF(), QSizeF(m_drawn.size))).shapes,
                                Qt::IntersectClip);
            painter.drawImage(QPointF(), m_drawn.image);
            painter.resetTransform();
            painter.setClipping(false);
        }
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(shapeArea());
    painter.setTransform(now);
    painter.setBrush(Qt::NoBrush);
    QPen chosen(kHighlight, 2.5);
    chosen.setCosmetic(true);
    painter.setPen(chosen);
    for (const int unit : std::as_const(m_highlighted))
        painter.drawPath(outline(unit));
    if (m_hovered >= 0) {
        QPen hovered(palette().color(QPalette::Highlight), 2.0);
        hovered.setCosmetic(true);
        painter.setPen(hovered);
        painter.drawPath(outline(m_hovered));
    }
}

const QPainterPath& MapView::outline(int unit) {
    for (const auto& [index, path] : m_outlines)
        if (index == unit)
            return path;
    QPainterPath copy;
    copy.setFillRule(Qt::OddEvenFill);
    if (m_picture)
        for (const MapPicture::Unit& drawn : m_picture->units())
            if (drawn.index == unit)
                copy.addPath(drawn.path); // a copy of its own
    // A few outlines kept: those chosen and the last hovered.
    if (m_outlines.size() > std::size_t(m_highlighted.size()) + 16)
        m_outlines.clear();
    m_outlines.emplace_back(unit, std::move(copy));
    return m_outlines.back().second;
}

void MapView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    redrawSoon();
}

int MapView::unitAt(const QPointF& point) const {
    return m_picture ? m_picture->unitAt(point, QRectF(rect()), m_shown) : -1;
}

QString MapView::unitTip(int unit) const {
    return m_picture && unit >= 0 ? m_picture->unitText(unit) : QString();
}

QRect MapView::outlineArea(int unit) {
    if (unit < 0)
        return QRect();
    // The outline's pen reaches beyond the path's bounds.
    return currentTransform()
        .mapRect(outline(unit).controlPointRect())
        .toAlignedRect()
        .adjusted(-3, -3, 3, 3)
        .intersected(rect());
}

void MapView::hover(const QPointF& at) {
    const int unit = unitAt(at);
    if (unit != m_hovered) {
        // Only the outline that goes and the one that comes are drawn again.
        const QRect before = outlineArea(m_hovered);
        m_hovered = unit;
        update(QRegion(before) + outlineArea(unit));
    }
    if (unit < 0)
        QToolTip::hideText();
    else
        QToolTip::showText(mapToGlobal(at.toPoint()), unitTip(unit), this);
}

void MapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_pressAt = event->position();
    m_lastDrag = m_pressAt;
    m_dragging = false;
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (!(event->buttons() & Qt::LeftButton)) {
        hover(at);
        return;
    }
    if (!m_dragging && (at - m_pressAt).manhattanLength() < kClickSlack)
        return;
    if (!m_dragging) {
        m_dragging = true;
        setCursor(Qt::ClosedHandCursor);
        QToolTip::hideText();
    }
    panBy(at - m_lastDrag);
    m_lastDrag = at;
}

void MapView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    if (m_dragging) {
        m_dragging = false;
        setCursor(Qt::OpenHandCursor);
        return;
    }
    const int unit = unitAt(event->position());
    QList<int> units;
    if (event->modifiers() & Qt::ControlModifier) {
        units = m_highlighted;
        if (units.contains(unit))
            units.removeAll(unit);
        else if (unit >= 0)
            units.append(unit);
    } else if (unit >= 0) {
        units = {unit};
    }
    Q_EMIT unitsClicked(units);
}

void MapView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        showWhole();
}

void MapView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0)
        zoomAt(event->position(), std::pow(1.25, notches));
    event->accept();
}

void MapView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (m_hovered >= 0) {
        const QRect before = outlineArea(m_hovered);
        m_hovered = -1;
        update(before);
    }
}
