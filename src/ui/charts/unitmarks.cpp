#include "ui/charts/unitmarks.h"

#include "ui/charts/charttips.h"

#include <QChart>
#include <QLegendMarker>
#include <QScatterSeries>

namespace {

const char* const kMarkedProperty = "orvaltaMarkedUnits";

QScatterSeries* markSeries(QChart* chart, const QList<UnitMark>& marks, QColor colour,
                           QAbstractAxis* x, QAbstractAxis* y) {
    auto* series = new QScatterSeries;
    series->setMarkerSize(9);
    series->setColor(colour);
    series->setBorderColor(colour.darker(150));
    QStringList labels;
    for (const UnitMark& mark : marks) {
        series->append(mark.at);
        labels.append(mark.label);
    }
    series->setProperty(kMarkedProperty, labels);
    QList<QString> tips;
    for (const UnitMark& mark : marks)
        tips.append(mark.tip);
    setHoverTips(series, [series, tips](QPointF at) {
        // The mark nearest the place hovered.
        qsizetype best = -1;
        qreal bestDistance = 0;
        for (qsizetype i = 0; i < series->count(); ++i) {
            const QPointF d = series->at(i) - at;
            const qreal distance = d.x() * d.x() + d.y() * d.y();
            if (best < 0 || distance < bestDistance) {
                best = i;
                bestDistance = distance;
            }
        }
        return best < 0 ? QString() : tips.value(best);
    });
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    for (QLegendMarker* marker : chart->legend()->markers(series))
        marker->setVisible(false);
    return series;
}

} // namespace

void addUnitMarks(QChart* chart, const QList<UnitMark>& marks, QAbstractAxis* x, QAbstractAxis* y) {
    if (marks.isEmpty())
        return;
    if (marks.size() > kLabelledMarks) {
        markSeries(chart, marks, marks.first().colour, x, y);
        return;
    }
    for (const UnitMark& mark : marks) {
        QScatterSeries* series = markSeries(chart, {mark}, mark.colour, x, y);
        // A format without placeholders is drawn as it stands: the label.
        QString label = mark.label;
        series->setPointLabelsFormat(label.replace(u'@', QStringLiteral("@\u200b")));
        series->setPointLabelsColor(mark.colour.darker(130));
        series->setPointLabelsClipping(false);
        series->setPointLabelsVisible(true);
    }
}

QStringList markedUnits(const QChart* chart) {
    QStringList labels;
    for (const QAbstractSeries* series : chart->series())
        labels += series->property(kMarkedProperty).toStringList();
    return labels;
}
