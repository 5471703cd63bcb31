#include "export/mapseries.h"

#include "shared/resultnames.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

Failure notThere(const QString& message) {
    return failure(FailureKind::Usage, message);
}

// The units' labels as the windows and the files write them.
QStringList unitLabels(const ResultsCollection& results) {
    QStringList labels;
    if (results.matrix && results.regional)
        for (const CellValue& unit : results.matrix->units)
            labels.append(results.regional->generalText(unit));
    return labels;
}

// The results of the method or composite code; refused when it was not run.
Expected<const MethodResults*> methodOf(const ResultsCollection& results, const QString& code) {
    for (const MethodResults& method : results.methods)
        if (method.code.compare(code, Qt::CaseInsensitive) == 0)
            return &method;
    return notThere(
        QCoreApplication::translate(
            "MapSeries", "Il metodo %1 non è stato elaborato per questa cartella di lavoro.")
            .arg(code));
}

int columnOf(const DelimitedTable& table, const QString& header) {
    for (int c = 0; c < table.columnCount(); ++c)
        if (table.headers.at(c + 1).compare(header, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

// A column of a table as the series' values, a row per unit.
std::vector<double> columnValues(const DelimitedTable& table, int column, int units) {
    std::vector<double> values(std::size_t(units), kNoValue);
    for (int row = 0; row < std::min(units, table.rowCount()); ++row)
        values[std::size_t(row)] = table.number(row, column);
    return values;
}

QString fileOf(const ResultsCollection& results, ResultFileKind kind, const QString& code = {}) {
    return resultFileName(results.strMatrice, kind, code);
}

Expected<MapSeries> methodSeries(const ResultsCollection& results, const QStringList& labels,
                                 const QString& code, bool ranks) {
    const Expected<const MethodResults*> found = methodOf(results, code);
    if (!found)
        return found.error();
    const MethodResults* method = *found;
    MapSeries series = indexMap(method->code, QString(), ranks);
    if (ranks)
        setMapValues(series, labels,
                     std::vector<double>(method->ranks.begin(), method->ranks.end()));
    else
        setMapValues(series, labels, method->values);
    series.files = {fileOf(results, ResultFileKind::MethodValues, method->code),
                    fileOf(results, ResultFileKind::MethodRanks, method->code)};
    return series;
}

Expected<MapSeries> groupSeries(const ResultsCollection& results, const QStringList& labels,
                                const QString& code, const QString& group) {
    const Expected<const MethodResults*> found = methodOf(results, code);
    if (!found)
        return found.error();
    const MethodResults* method = *found;
    if (!method->groups)
        return notThere(
            QCoreApplication::translate(
                "MapSeries", "Il metodo %1 non ha gli indici dei gruppi della struttura.")
                .arg(code));
    const int column = columnOf(*method->groups, group);
    if (column < 0)
        return notThere(
            QCoreApplication::translate("MapSeries", "La struttura non ha il gruppo %1.")
                .arg(group));
    MapSeries series = indexMap(method->code, method->groups->headers.at(column + 1), false);
    setMapValues(series, labels, columnValues(*method->groups, column, int(labels.size())));
    series.files = {fileOf(results, ResultFileKind::GroupValues, method->code)};
    return series;
}

Expected<MapSeries> widthSeries(const ResultsCollection& results, const QStringList& labels) {
    const bool monteCarlo = results.monteCarlo.has_value();
    const std::optional<DelimitedTable>& table =
        monteCarlo ? results.monteCarlo : results.uncertainty;
    if (!table)
        return notThere(QCoreApplication::translate(
            "MapSeries", "Né l'analisi Monte Carlo né l'analisi d'incertezza sono state "
                         "eseguite per questa cartella di lavoro."));
    const int low =
        columnOf(*table, monteCarlo ? QStringLiteral("P5") : QStringLiteral("5° percentile"));
    const int high =
        columnOf(*table, monteCarlo ? QStringLiteral("P95") : QStringLiteral("95° percentile"));
    if (low < 0 || high < 0)
        return notThere(QCoreApplication::translate(
            "MapSeries", "Il file dell'analisi non ha i percentili 5 e 95 dei ranghi."));
    const int units = int(labels.size());
    MapSeries series = widthMap(monteCarlo);
    setMapValues(series, labels,
                 mapChange(columnValues(*table, low, units), columnValues(*table, high, units)));
    series.files = {
        fileOf(results, monteCarlo ? ResultFileKind::MonteCarlo : ResultFileKind::Uncertainty)};
    return series;
}

Expected<MapSeries> sobolSeries(const ResultsCollection& results, const QStringList& labels,
                                const QString& factor) {
    if (!results.sobolUnits)
        return notThere(QCoreApplication::translate(
            "MapSeries", "Gli indici di Sobol per unità non sono stati calcolati (analisi Monte "
                         "Carlo con gli indici di Sobol)."));
    const int column = columnOf(*results.sobolUnits, factor);
    if (column < 0)
        return notThere(QCoreApplication::translate(
                            "MapSeries", "Gli indici di Sobol non hanno il fattore %1 (hanno: %2).")
                            .arg(factor, results.sobolUnits->headers.mid(1).join(u", ")));
    // The file names the factor in Italian; the title in the interface's
    // language, as the grids' headers.
    const QString name = results.sobolUnits->headers.at(column + 1);
    MapSeries series =
        sobolMap(name, QCoreApplication::translate("TableHeaders", name.toUtf8().constData()));
    setMapValues(series, labels, columnValues(*results.sobolUnits, column, int(labels.size())));
    series.files = {fileOf(results, ResultFileKind::SobolUnits)};
    return series;
}

Expected<MapSeries> sensitivitySeries(const ResultsCollection& results, const QStringList& labels,
                                      const QString& code, const QString& indicator) {
    for (const auto& [method, table] : results.sensitivities) {
        if (method.compare(code, Qt::CaseInsensitive) != 0)
            continue;
        const int column = columnOf(table, indicator);
        if (column < 0)
            return notThere(QCoreApplication::translate(
                                "MapSeries", "La sensibilità di %1 non ha l'indicatore %2.")
                                .arg(code, indicator));
        MapSeries series = sensitivityMap(method, table.headers.at(column + 1));
        setMapValues(series, labels, columnValues(table, column, int(labels.size())));
        series.files = {fileOf(results, ResultFileKind::Sensitivity, method)};
        return series;
    }
    return notThere(QCoreApplication::translate(
                        "MapSeries", "La sensibilità del metodo %1 non è stata calcolata.")
                        .arg(code));
}

Expected<MapSeries> ampiSeries(const ResultsCollection& results, const QStringList& labels,
                               const QString& sign, const QString& periods) {
    for (const AmpiTables& ampi : results.ampi) {
        if (ampi.sign != sign)
            continue;
        const QStringList pair = periods.split(u'>');
        std::vector<std::vector<double>> values;
        for (const QString& period : pair) {
            const int column = columnOf(ampi.values, period);
            if (column < 0)
                return notThere(
                    QCoreApplication::translate("MapSeries", "L'AMPI%1 non ha il periodo %2.")
                        .arg(sign, period));
            values.push_back(columnValues(ampi.values, column, int(labels.size())));
        }
        MapSeries series = ampiMap(QStringLiteral("AMPI") + sign, sign == u'+', pair.front(),
                                   pair.size() == 2 ? pair.back() : QString());
        setMapValues(series, labels,
                     values.size() == 2 ? mapChange(values.front(), values.back())
                                        : values.front());
        series.files = {fileOf(results, ResultFileKind::AmpiValues, sign)};
        return series;
    }
    return notThere(
        QCoreApplication::translate("MapSeries",
                                    "L'AMPI%1 non è stato calcolato per questa cartella di lavoro.")
            .arg(sign));
}

} // namespace

Expected<MapSeries> mapSeries(const ResultsCollection& results, const QString& what) {
    const QStringList labels = unitLabels(results);
    const QString kind = what.section(u':', 0, 0).toLower();
    const QString rest = what.section(u':', 1);
    if (what.compare(QLatin1String("width"), Qt::CaseInsensitive) == 0)
        return widthSeries(results, labels);
    if (what.contains(u':')) {
        if (kind == QLatin1String("rank"))
            return methodSeries(results, labels, rest, true);
        if (kind == QLatin1String("sti"))
            return sobolSeries(results, labels, rest);
        if (kind == QLatin1String("sens") && rest.contains(u':'))
            return sensitivitySeries(results, labels, rest.section(u':', 0, 0),
                                     rest.section(u':', 1));
        if (kind == QLatin1String("ampi+") || kind == QLatin1String("ampi-"))
            return ampiSeries(results, labels, kind.right(1), rest);
        return notThere(QCoreApplication::translate(
                            "MapSeries",
                            "«%1» non è una mappa possibile: si indichi CODICE, CODICE/GRUPPO, "
                            "rank:CODICE, width, sti:FATTORE, sens:CODICE:INDICATORE o "
                            "ampi+:PERIODO.")
                            .arg(what));
    }
    if (what.contains(u'/'))
        return groupSeries(results, labels, what.section(u'/', 0, 0), what.section(u'/', 1));
    return methodSeries(results, labels, what, false);
}

QString leadingSobolFactor(const ResultsCollection& results) {
    if (!results.sobolUnits)
        return QString();
    const DelimitedTable& table = *results.sobolUnits;
    QString leading;
    double best = -1;
    for (int c = 0; c < table.columnCount(); ++c) {
        double sum = 0;
        int count = 0;
        for (int row = 0; row < table.rowCount(); ++row)
            if (const double value = table.number(row, c); !std::isnan(value)) {
                sum += value;
                ++count;
            }
        if (count > 0 && sum / count > best) {
            best = sum / count;
            leading = table.headers.at(c + 1);
        }
    }
    return leading;
}

QString referenceMethod(const ResultsCollection& results) {
    if (results.monteCarloOrigin)
        if (const Expected<const MethodResults*> method =
                methodOf(results, results.monteCarloOrigin->reference))
            return (*method)->code;
    return results.methods.empty() ? QString() : results.methods.front().code;
}
