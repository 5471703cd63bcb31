#pragma once

#include <QLocale>
#include <QWidget>

class QPainter;

// The legend of the stepped scale of the matrices that compare rankings:
// one swatch per step, positive coefficients on the upper row, negative on
// the lower, each labelled on its shade with the bound it starts from
// ("0,95": from 0.95 up to the next bound), black or white by the grids'
// rule; the signs in the painter's pen.
void paintCoefficientLegend(QPainter& painter, const QRectF& room, const QLocale& locale);

// The legend as a widget under the grids, with a tooltip that explains it.
class CoefficientLegend : public QWidget {
    Q_OBJECT

public:
    explicit CoefficientLegend(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
