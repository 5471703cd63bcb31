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

Expected<MapSeries> methodSeries(const ResultsCollection& results, MapSeries series,
                                 const QString& code, bool ranks) {
    const Expected<const MethodResults*> found = methodOf(results, code);
    if (!found)
        return found.error();
    const MethodResults* method = *found;
    series.method = method->code;
    series.values.assign(method->values.begin(), method->values.end());
    if (ranks) {
        series.values.assign(method->ranks.begin(), method->ranks.end());
        series.title = QCoreApplication::translate("MapSeries", "Rango %1").arg(method->code);
        series.smallerIsBetter = true;
    } else {
        series.title = QCoreApplication::translate("MapSeries", "Indice %1").arg(method->code);
    }
    series.files = {fileOf(results, ResultFileKind::MethodValues, method->code),
                    fileOf(results, ResultFileKind::MethodRanks, method->code)};
    return series;
}

Expected<MapSeries> groupSeries(const ResultsCollection& results, MapSeries series,
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
    series.method = method->code;
    series.title = QCoreApplication::translate("MapSeries", "Indice %1, %2")
                       .arg(method->code, method->groups->headers.at(column + 1));
    series.values = columnValues(*method->groups, column, int(series.labels.size()));
    series.files = {fileOf(results, ResultFileKind::GroupValues, method->code)};
    return series;
}

Expected<MapSeries> widthSeries(const ResultsCollection& results, MapSeries series) {
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
    series.method = monteCarlo ? QCoreApplication::translate("MapSeries", "Monte Carlo")
                               : QCoreApplication::translate("MapSeries", "analisi d'incertezza");
    series.title =
        QCoreApplication::translate("MapSeries", "Ampiezza dell'intervallo dei ranghi 5-95% (%1)")
            .arg(series.method);
    series.values.assign(series.labels.size(), kNoValue);
    for (int row = 0; row < std::min(int(series.labels.size()), table->rowCount()); ++row)
        series.values[std::size_t(row)] = table->number(row, high) - table->number(row, low);
    series.smallerIsBetter = true;
    series.files = {
        fileOf(results, monteCarlo ? ResultFileKind::MonteCarlo : ResultFileKind::Uncertainty)};
    return series;
}

Expected<MapSeries> sobolSeries(const ResultsCollection& results, MapSeries series,
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
    series.method = QCoreApplication::translate("MapSeries", "indici di Sobol");
    series.title =
        QCoreApplication::translate("MapSeries", "Indice totale di Sobol del fattore %1 sul rango")
            .arg(results.sobolUnits->headers.at(column + 1));
    series.values = columnValues(*results.sobolUnits, column, int(series.labels.size()));
    series.files = {fileOf(results, ResultFileKind::SobolUnits)};
    return series;
}

Expected<MapSeries> sensitivitySeries(const ResultsCollection& results, MapSeries series,
                                      const QString& code, const QString& indicator) {
    for (const auto& [method, table] : results.sensitivities) {
        if (method.compare(code, Qt::CaseInsensitive) != 0)
            continue;
        const int column = columnOf(table, indicator);
        if (column < 0)
            return notThere(QCoreApplication::translate(
                                "MapSeries", "La sensibilità di %1 non ha l'indicatore %2.")
                                .arg(code, indicator));
        series.method = method;
        series.title = QCoreApplication::translate("MapSeries", "Spostamento del rango %1 senza %2")
                           .arg(method, indicator);
        series.values = columnValues(table, column, int(series.labels.size()));
        series.diverging = true;
        series.files = {fileOf(results, ResultFileKind::Sensitivity, method)};
        return series;
    }
    return notThere(QCoreApplication::translate(
                        "MapSeries", "La sensibilità del metodo %1 non è stata calcolata.")
                        .arg(code));
}

Expected<MapSeries> ampiSeries(const ResultsCollection& results, MapSeries series,
                               const QString& sign, const QString& periods) {
    for (const AmpiTables& ampi : results.ampi) {
        if (ampi.sign != sign)
            continue;
        const QStringList pair = periods.split(u'>');
        std::vector<int> columns;
        for (const QString& period : pair) {
            const int column = columnOf(ampi.values, period);
            if (column < 0)
                return notThere(
                    QCoreApplication::translate("MapSeries", "L'AMPI%1 non ha il periodo %2.")
                        .arg(sign, period));
            columns.push_back(column);
        }
        series.method = QStringLiteral("AMPI") + sign;
        series.values = columnValues(ampi.values, columns.front(), int(series.labels.size()));
        if (columns.size() == 2) {
            const std::vector<double> later =
                columnValues(ampi.values, columns.back(), int(series.labels.size()));
            for (std::size_t i = 0; i < series.values.size(); ++i)
                series.values[i] = later[i] - series.values[i];
            series.diverging = true;
            series.title =
                QCoreApplication::translate("MapSeries", "Variazione dell'AMPI%1 da %2 a %3")
                    .arg(sign, pair.front(), pair.back());
        } else {
            series.title =
                QCoreApplication::translate("MapSeries", "AMPI%1, %2").arg(sign, periods);
        }
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
    MapSeries series;
    series.what = what;
    series.labels = unitLabels(results);
    const QString kind = what.section(u':', 0, 0).toLower();
    const QString rest = what.section(u':', 1);
    if (what.compare(QLatin1String("width"), Qt::CaseInsensitive) == 0)
        return widthSeries(results, std::move(series));
    if (what.contains(u':')) {
        if (kind == QLatin1String("rank"))
            return methodSeries(results, std::move(series), rest, true);
        if (kind == QLatin1String("sti"))
            return sobolSeries(results, std::move(series), rest);
        if (kind == QLatin1String("sens") && rest.contains(u':'))
            return sensitivitySeries(results, std::move(series), rest.section(u':', 0, 0),
                                     rest.section(u':', 1));
        if (kind == QLatin1String("ampi+") || kind == QLatin1String("ampi-"))
            return ampiSeries(results, std::move(series), kind.right(1), rest);
        return notThere(QCoreApplication::translate(
                            "MapSeries",
                            "«%1» non è una mappa possibile: si indichi CODICE, CODICE/GRUPPO, "
                            "rank:CODICE, width, sti:FATTORE, sens:CODICE:INDICATORE o "
                            "ampi+:PERIODO.")
                            .arg(what));
    }
    if (what.contains(u'/'))
        return groupSeries(results, std::move(series), what.section(u'/', 0, 0),
                           what.section(u'/', 1));
    return methodSeries(results, std::move(series), what, false);
}

std::vector<MapChoice> mapChoices(const ResultsCollection& results) {
    std::vector<MapChoice> choices;
    for (const MethodResults& method : results.methods)
        choices.push_back(
            {method.code, QCoreApplication::translate("MapSeries", "Indice %1").arg(method.code)});
    for (const MethodResults& method : results.methods)
        choices.push_back({QStringLiteral("rank:") + method.code,
                           QCoreApplication::translate("MapSeries", "Rango %1").arg(method.code)});
    for (const MethodResults& method : results.methods)
        if (method.groups)
            for (const QString& group : method.groups->headers.mid(1))
                choices.push_back({method.code + u'/' + group,
                                   QCoreApplication::translate("MapSeries", "Indice %1, %2")
                                       .arg(method.code, group)});
    if (results.monteCarlo || results.uncertainty)
        choices.push_back({QStringLiteral("width"),
                           QCoreApplication::translate(
                               "MapSeries", "Ampiezza dell'intervallo dei ranghi 5-95%")});
    if (results.sobolUnits)
        for (const QString& factor : results.sobolUnits->headers.mid(1))
            choices.push_back(
                {QStringLiteral("sti:") + factor,
                 QCoreApplication::translate("MapSeries", "Indice totale di Sobol: %1")
                     .arg(factor)});
    for (const auto& [method, table] : results.sensitivities)
        for (int c = 0; c < table.columnCount(); ++c) {
            // The indicators' columns: between the rank and the summary.
            const QString header = table.headers.at(c + 1);
            if (c == 0 || c >= table.columnCount() - 2)
                continue;
            choices.push_back(
                {QStringLiteral("sens:") + method + u':' + header,
                 QCoreApplication::translate("MapSeries", "Spostamento del rango %1 senza %2")
                     .arg(method, header)});
        }
    for (const AmpiTables& ampi : results.ampi)
        for (const QString& period : ampi.values.headers.mid(1))
            choices.push_back(
                {QStringLiteral("ampi") + ampi.sign + u':' + period,
                 QCoreApplication::translate("MapSeries", "AMPI%1, %2").arg(ampi.sign, period)});
    return choices;
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
