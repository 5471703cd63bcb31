#include "ui/charts/charttips.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QEvent>
#include <QGraphicsScene>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QXYSeries>

#include <optional>

namespace {

const QString kTipsName = QStringLiteral("orvaltaTips");
const QString kViewTipsName = QStringLiteral("orvaltaViewTips");

// The functions of a series' tooltips, kept as its child.
class Tips : public QObject {
public:
    explicit Tips(QObject* series) : QObject(series) { setObjectName(kTipsName); }
    std::function<QString(QPointF)> xy;
    std::function<QString(int, const QBarSet*)> bar;
};

Tips* tipsOf(const QObject* series) {
    return static_cast<Tips*>(series->findChild<QObject*>(kTipsName, Qt::FindDirectChildrenOnly));
}

Tips* ownTips(QObject* series) {
    Tips* tips = tipsOf(series);
    return tips ? tips : new Tips(series);
}

QString hoverTipNear(QChart* chart, QPointF mouse);

// The tooltip of the series under the mouse, kept up over a chart's view.
// The view answers the tooltip event that follows a pause of the mouse
// with the tooltips of its scene's items, which series do not have: left
// to it, that answer would hide the tip a hovered series has just shown.
// The points of line and scatter series are also found under the mouse
// here: a series drawn over another (the marks of highlighted units) takes
// the hover of the whole plot, and the one below would never show its tip.
class ViewTips : public QObject {
public:
    explicit ViewTips(QChartView* view) : QObject(view), m_view(view) {
        setObjectName(kViewTipsName);
        view->viewport()->setMouseTracking(true);
        view->viewport()->installEventFilter(this);
    }

    static ViewTips* of(QChartView* view) {
        auto* tips = static_cast<ViewTips*>(
            view->findChild<QObject*>(kViewTipsName, Qt::FindDirectChildrenOnly));
        return tips ? tips : new ViewTips(view);
    }

    void show(const QString& text) {
        m_found = false;
        m_text = text;
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(QCursor::pos(), text, m_view->viewport());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_view->viewport())
            return false;
        if (event->type() == QEvent::Leave)
            m_text.clear();
        if (event->type() == QEvent::MouseMove && m_view->chart()) {
            const auto* move = static_cast<QMouseEvent*>(event);
            const QPointF at =
                m_view->chart()->mapFromScene(m_view->mapToScene(move->position().toPoint()));
            const QString found = hoverTipNear(m_view->chart(), at);
            if (!found.isEmpty() && found != m_text) {
                show(found);
                m_found = true;
            } else if (found.isEmpty() && m_found) {
                show(QString());
            }
        }
        if (event->type() != QEvent::ToolTip || m_text.isEmpty())
            return false;
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), m_text,
                           m_view->viewport());
        return true;
    }

private:
    QChartView* m_view;
    QString m_text;
    bool m_found = false; // m_text found here, not by a series' hover
};

// The tip of the point nearest the mouse within a few pixels, over the
// series drawn last first; empty when none is that near.
QString hoverTipNear(QChart* chart, QPointF mouse) {
    constexpr qreal kReach = 6.0;
    const QList<QAbstractSeries*> series = chart->series();
    for (auto it = series.crbegin(); it != series.crend(); ++it) {
        const auto* xy = qobject_cast<const QXYSeries*>(*it);
        const Tips* tips = xy && xy->isVisible() ? tipsOf(xy) : nullptr;
        if (!tips || !tips->xy)
            continue;
        qreal best = kReach * kReach;
        std::optional<QPointF> nearest;
        for (const QPointF& point : xy->points()) {
            const QPointF d = chart->mapToPosition(point, *it) - mouse;
            const qreal distance = d.x() * d.x() + d.y() * d.y();
            if (distance <= best) {
                best = distance;
                nearest = point;
            }
        }
        if (nearest)
            return tips->xy(*nearest);
    }
    return QString();
}

// The view that shows series' chart, or null.
QChartView* viewOf(const QAbstractSeries* series) {
    const QChart* chart = series->chart();
    if (!chart || !chart->scene())
        return nullptr;
    for (QGraphicsView* view : chart->scene()->views())
        if (auto* chartView = qobject_cast<QChartView*>(view))
            return chartView;
    return nullptr;
}

void showTip(const QAbstractSeries* series, bool entering, const QString& text) {
    const QString shown = entering ? text : QString();
    if (QChartView* view = viewOf(series))
        ViewTips::of(view)->show(shown);
    else if (shown.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(QCursor::pos(), shown);
}

} // namespace

QString unitTip(const QString& label, const QStringList& values) {
    QStringList lines{label};
    lines += values;
    return lines.join(u'\n');
}

void followChartTips(QChartView* view) {
    ViewTips::of(view);
}

void setHoverTips(QXYSeries* series, std::function<QString(QPointF)> text) {
    ownTips(series)->xy = std::move(text);
    QObject::connect(series, &QXYSeries::hovered, series, [series](QPointF at, bool entering) {
        showTip(series, entering, hoverTip(series, at));
    });
}

void setBarTips(QAbstractBarSeries* series, std::function<QString(int)> text) {
    setBarSetTips(series,
                  [text = std::move(text)](int index, const QBarSet*) { return text(index); });
}

void setBarSetTips(QAbstractBarSeries* series, std::function<QString(int, const QBarSet*)> text) {
    ownTips(series)->bar = std::move(text);
    QObject::connect(series, &QAbstractBarSeries::hovered, series,
                     [series](bool entering, int index, QBarSet* set) {
                         showTip(series, entering, barTip(series, index, set));
                     });
}

QString hoverTip(const QXYSeries* series, QPointF at) {
    const Tips* tips = tipsOf(series);
    return tips && tips->xy ? tips->xy(at) : QString();
}

QString barTip(const QAbstractBarSeries* series, int index, const QBarSet* set) {
    const Tips* tips = tipsOf(series);
    return tips && tips->bar ? tips->bar(index, set) : QString();
}
