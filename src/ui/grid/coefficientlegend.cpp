#include "ui/grid/coefficientlegend.h"

#include "export/divergingscale.h"
#include "ui/grid/divergingpalette.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {

// The bound a step starts from, as the legend writes it.
QString boundText(int step, const QLocale& locale) {
    return step == 0 ? locale.toString(0)
                     : locale.toString(coefficientStepBounds()[step - 1], 'g', 2);
}

} // namespace

void paintCoefficientLegend(QPainter& painter, const QRectF& room, const QLocale& locale) {
    const int steps = int(coefficientStepBounds().size()) + 1;
    painter.save();
    // Type small enough for both rows and the widest bound of a step to
    // stay within their boxes.
    QFont font = painter.font();
    const auto fits = [&](const QFont& f) {
        const QFontMetricsF m(f);
        const double swatch = (room.width() - m.horizontalAdvance(QStringLiteral("−")) - 6) / steps;
        return 2 * m.height() <= room.height() + 1 &&
               m.horizontalAdvance(QStringLiteral("−0,99")) + 4 <= swatch;
    };
    while (!fits(font) && font.pointSizeF() > 5.0)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double caption = metrics.horizontalAdvance(QStringLiteral("−")) + 6;
    const double swatch = (room.width() - caption) / steps;
    const double rowHeight = room.height() / 2;
    for (int row = 0; row < 2; ++row) {
        const double y = room.top() + row * rowHeight;
        painter.drawText(QRectF(room.left(), y, caption - 4, rowHeight),
                         Qt::AlignRight | Qt::AlignVCenter,
                         row == 0 ? QStringLiteral("+") : QStringLiteral("−"));
        for (int step = 0; step < steps; ++step) {
            const double value =
                step == 0 ? 0.0 : (row == 0 ? 1 : -1) * coefficientStepBounds()[step - 1];
            const QColor fill = divergingpalette::coefficientColour(value);
            const QRectF box(room.left() + caption + step * swatch, y, swatch, rowHeight);
            painter.fillRect(box, fill);
            // Each step's lower bound, written on its shade by the grids' rule.
            painter.setPen(divergingpalette::readableText(fill));
            painter.drawText(box.adjusted(3, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                             (row == 0 || step == 0 ? QString() : QStringLiteral("−")) +
                                 boundText(step, locale));
        }
    }
    painter.setPen(QColor(150, 150, 150));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRectF(room.left() + caption, room.top(), room.width() - caption, room.height()));
    painter.restore();
}

CoefficientLegend::CoefficientLegend(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("legendaCoefficienti"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setToolTip(tr("Colore di ogni coefficiente secondo il suo valore assoluto: ogni casella "
                  "vale dal numero scritto in essa fino al successivo (l'ultima fino a 1). "
                  "In alto i coefficienti positivi (verde acqua), in basso i negativi "
                  "(marrone)."));
}

QSize CoefficientLegend::sizeHint() const {
    const QFontMetrics metrics(font());
    const int steps = int(coefficientStepBounds().size()) + 1;
    return {steps * metrics.horizontalAdvance(QStringLiteral("−0,99 ")) + 16,
            2 * metrics.height() + 8};
}

QSize CoefficientLegend::minimumSizeHint() const {
    const QFontMetrics metrics(font());
    const int steps = int(coefficientStepBounds().size()) + 1;
    return {steps * metrics.horizontalAdvance(QStringLiteral("−0,99")) + 16,
            2 * metrics.height() + 4};
}

void CoefficientLegend::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    paintCoefficientLegend(painter, QRectF(rect()).adjusted(0, 2, -1, -2), locale());
}
