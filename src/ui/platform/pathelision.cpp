#include "ui/platform/pathelision.h"

QString elidePath(const QString& path, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(path) <= width)
        return path;
    const QString ellipsis = QStringLiteral("…/");
    // Whole folders go from the front, one at a time, until the rest fits.
    qsizetype cut = path.indexOf(u'/', 1);
    while (cut >= 0) {
        const QString rest = ellipsis + path.mid(cut + 1);
        if (metrics.horizontalAdvance(rest) <= width)
            return rest;
        cut = path.indexOf(u'/', cut + 1);
    }
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    if (name.size() == path.size()) // a bare file name
        return metrics.elidedText(name, Qt::ElideMiddle, width);
    return ellipsis +
           metrics.elidedText(name, Qt::ElideMiddle, width - metrics.horizontalAdvance(ellipsis));
}
