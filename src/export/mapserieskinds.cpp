#include "export/mapserieskinds.h"

#include <QCoreApplication>

#include <limits>

namespace {

// The titles' translations, in one context for every map.
struct Titles {
    Q_DECLARE_TR_FUNCTIONS(MapSeries)
};

MapSeries shape(QString what, QString title, QString method) {
    MapSeries series;
    series.what = std::move(what);
    series.title = std::move(title);
    series.method = std::move(method);
    return series;
}

} // namespace

MapSeries indexMap(const QString& code, const QString& group, bool ranks) {
    QString what = group.isEmpty() ? code : code + u'/' + group;
    QString title = ranks ? Titles::tr("Ranghi %1").arg(code) : Titles::tr("Indice %1").arg(code);
    if (!group.isEmpty())
        title += Titles::tr(" - dimensione %1").arg(group);
    MapSeries series =
        shape(ranks ? QStringLiteral("rank:") + what : std::move(what), std::move(title), code);
    series.smallerIsBetter = ranks;
    return series;
}

MapSeries widthMap(bool monteCarlo) {
    MapSeries series =
        monteCarlo ? shape(QStringLiteral("width"),
                           Titles::tr("Ampiezza dell'intervallo 5-95% del rango (Monte Carlo)"),
                           Titles::tr("Monte Carlo"))
                   : shape(QStringLiteral("width"),
                           Titles::tr("Ampiezza dell'intervallo 5-95% del rango (incertezza)"),
                           Titles::tr("analisi d'incertezza"));
    series.smallerIsBetter = true;
    return series;
}

MapSeries sobolMap(const QString& factor, const QString& shownFactor) {
    return shape(QStringLiteral("sti:") + factor,
                 Titles::tr("Indice totale di Sobol sul rango: %1").arg(shownFactor),
                 Titles::tr("Monte Carlo"));
}

MapSeries sensitivityMap(const QString& code, const QString& leftOut) {
    MapSeries series =
        shape(QStringLiteral("sens:%1:%2").arg(code, leftOut),
              Titles::tr("Spostamento del rango senza %1 (%2)").arg(leftOut, code), code);
    series.diverging = true;
    return series;
}

MapSeries ampiMap(const QString& name, bool plus, const QString& from, const QString& to) {
    const QString prefix = plus ? QStringLiteral("ampi+:") : QStringLiteral("ampi-:");
    if (to.isEmpty())
        return shape(prefix + from, Titles::tr("%1 %2").arg(name, from), name);
    MapSeries series = shape(prefix + from + u'>' + to,
                             Titles::tr("%1: variazione da %2 a %3").arg(name, from, to), name);
    series.diverging = true;
    return series;
}

void setMapValues(MapSeries& series, const QStringList& labels, std::vector<double> values) {
    series.labels = labels;
    series.values = std::move(values);
    series.values.resize(std::size_t(labels.size()), std::numeric_limits<double>::quiet_NaN());
}

std::vector<double> mapChange(const std::vector<double>& earlier,
                              const std::vector<double>& later) {
    std::vector<double> change(earlier.size(), std::numeric_limits<double>::quiet_NaN());
    for (std::size_t unit = 0; unit < earlier.size() && unit < later.size(); ++unit)
        change[unit] = later[unit] - earlier[unit];
    return change;
}
