#include "artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <array>

Artwork::Artwork(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMinimumHeight(170);
}

QSize Artwork::sizeHint() const {
    return {520, 190};
}

namespace {

// The panel: a quiet blue gradient with rounded corners.
void drawPanel(QPainter& p, const QRectF& panel) {
    QLinearGradient sky(panel.topLeft(), panel.bottomRight());
    sky.setColorAt(0.0, QColor(28, 63, 110));
    sky.setColorAt(1.0, QColor(52, 110, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(panel, 10, 10);
}

// The chart: units ranked by their composite index, best first, from
// green to red as in the data grid.
void drawChart(QPainter& p, const QRectF& chart) {
    static constexpr std::array<double, 9> kIndex{0.96, 0.88, 0.81, 0.73, 0.64,
                                                  0.55, 0.47, 0.38, 0.30};
    const qreal slot = chart.width() / kIndex.size();
    const qreal bar = slot * 0.64;
    QPainterPath trend;
    for (std::size_t i = 0; i < kIndex.size(); ++i) {
        const qreal t = static_cast<qreal>(i) / (kIndex.size() - 1);
        const QColor colour = QColor::fromHsvF(0.33 * (1.0 - t), 0.42, 0.98);
        const qreal height = chart.height() * kIndex[i];
        const QRectF r(chart.left() + i * slot + (slot - bar) / 2, chart.bottom() - height, bar,
                       height);
        QLinearGradient shade(r.topLeft(), r.topRight());
        shade.setColorAt(0.0, colour);
        shade.setColorAt(1.0, colour.darker(118));
        p.setBrush(shade);
        p.drawRoundedRect(r, 2.5, 2.5);
        const QPointF top(r.center().x(), r.top() - 9);
        if (i == 0)
            trend.moveTo(top);
        else
            trend.lineTo(top);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(trend);
    p.setBrush(Qt::white);
    for (int i = 0; i < trend.elementCount(); ++i)
        p.drawEllipse(QPointF(trend.elementAt(i).x, trend.elementAt(i).y), 2.6, 2.6);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.2));
    p.drawLine(QPointF(chart.left() - 6, chart.bottom() + 0.5),
               QPointF(chart.right() + 6, chart.bottom() + 0.5));
}

// The name in large bold letters above the middle of text, what the
// program does below it, in sizes taken from base.
void drawTitle(QPainter& p, const QRectF& text, const QFont& base, const QString& subtitleText) {
    QFont title = base;
    title.setPointSizeF(title.pointSizeF() * 2.4);
    title.setBold(true);
    QFont subtitle = base;
    subtitle.setPointSizeF(subtitle.pointSizeF() * 1.05);
    const qreal titleHeight = QFontMetricsF(title).height();
    p.setPen(Qt::white);
    p.setFont(title);
    p.drawText(QRectF(text.left(), text.center().y() - titleHeight, text.width(), titleHeight),
               Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Orvalta"));
    p.setFont(subtitle);
    p.setPen(QColor(225, 236, 248));
    p.drawText(QRectF(text.left(), text.center().y() + 4, text.width(), text.height() / 2),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, subtitleText);
}

} // namespace

void Artwork::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF panel = QRectF(rect()).adjusted(1, 1, -1, -1);
    drawPanel(p, panel);
    const QRectF chart(panel.left() + 24, panel.top() + 26, panel.width() * 0.46,
                       panel.height() - 52);
    drawChart(p, chart);
    const QRectF text(chart.right() + 28, panel.top() + 20, panel.right() - chart.right() - 44,
                      panel.height() - 40);
    drawTitle(p, text, font(), tr("Indici sintetici, graduatorie\ne confronto dei metodi"));
}
