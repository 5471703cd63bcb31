#include "ui/charts/charttips.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QCursor>
#include <QToolTip>
#include <QXYSeries>

namespace {

const QString kTipsName = QStringLiteral("orvaltaTips");

// The functions of a series' tooltips, kept as its child.
class Tips : public QObject {
public:
    explicit Tips(QObject* series) : QObject(series) { setObjectName(kTipsName); }
    std::function<QString(QPointF)> xy;
    std::function<QString(int)> bar;
};

Tips* tipsOf(const QObject* series) {
    return static_cast<Tips*>(series->findChild<QObject*>(kTipsName, Qt::FindDirectChildrenOnly));
}

Tips* ownTips(QObject* series) {
    Tips* tips = tipsOf(series);
    return tips ? tips : new Tips(series);
}

void showTip(bool entering, const QString& text) {
    if (entering && !text.isEmpty())
        QToolTip::showText(QCursor::pos(), text);
    else
        QToolTip::hideText();
}

} // namespace

QString unitTip(const QString& label, const QStringList& values) {
    QStringList lines{label};
    lines += values;
    return lines.join(u'\n');
}

void setHoverTips(QXYSeries* series, std::function<QString(QPointF)> text) {
    ownTips(series)->xy = std::move(text);
    QObject::connect(series, &QXYSeries::hovered, series, [series](QPointF at, bool entering) {
        showTip(entering, hoverTip(series, at));
    });
}

void setBarTips(QAbstractBarSeries* series, std::function<QString(int)> text) {
    ownTips(series)->bar = std::move(text);
    QObject::connect(
        series, &QAbstractBarSeries::hovered, series,
        [series](bool entering, int index) { showTip(entering, barTip(series, index)); });
}

QString hoverTip(const QXYSeries* series, QPointF at) {
    const Tips* tips = tipsOf(series);
    return tips && tips->xy ? tips->xy(at) : QString();
}

QString barTip(const QAbstractBarSeries* series, int index) {
    const Tips* tips = tipsOf(series);
    return tips && tips->bar ? tips->bar(index) : QString();
}
