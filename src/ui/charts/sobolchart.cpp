#include "ui/charts/sobolchart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCoreApplication>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>

namespace {

QString intervalText(const IntervalEstimate& estimate) {
    return QCoreApplication::translate("SobolChart", "%1 (90%: %2 - %3)")
        .arg(QString::number(estimate.value, 'f', 3), QString::number(estimate.p5, 'f', 3),
             QString::number(estimate.p95, 'f', 3));
}

} // namespace

QChart* sobolChart(const MonteCarloResult& result) {
    auto* chart = new QChart;
    chart->setTitle(QCoreApplication::translate("SobolChart", "Indici di Sobol"));
    if (!result.indices) {
        chart->setTitle(
            QCoreApplication::translate("SobolChart", "Indici di Sobol: nessun rango si è mosso"));
        return chart;
    }
    auto* first = new QBarSet(QCoreApplication::translate("SobolChart", "Primo ordine (Si)"));
    auto* total = new QBarSet(QCoreApplication::translate("SobolChart", "Totale (STi)"));
    QStringList factors;
    double top = 0.0;
    double bottom = 0.0;
    for (std::size_t i = 0; i < result.factors.size(); ++i) {
        const FactorIndices& f = (*result.indices)[i];
        factors.append(monteCarloFactorShownName(result.factors[i]));
        first->append(f.first.value);
        total->append(f.total.value);
        top = std::max({top, f.first.p95, f.total.p95});
        bottom = std::min({bottom, f.first.p5, f.total.p5});
    }
    auto* series = new QBarSeries;
    series->append(first);
    series->append(total);
    const std::vector<FactorIndices> indices = *result.indices;
    QObject::connect(series, &QBarSeries::hovered, series,
                     [indices, first](bool status, int index, QBarSet* set) {
                         if (!status || index < 0 || index >= int(indices.size())) {
                             QToolTip::hideText();
                             return;
                         }
                         const FactorIndices& f = indices[std::size_t(index)];
                         QToolTip::showText(QCursor::pos(),
                                            intervalText(set == first ? f.first : f.total));
                     });
    chart->addSeries(series);
    auto* categories = new QBarCategoryAxis;
    categories->append(factors);
    categories->setTitleText(QCoreApplication::translate("SobolChart", "Fattore d'incertezza"));
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    auto* values = new QValueAxis;
    values->setRange(bottom, std::max(1.0, top));
    values->setLabelFormat(QStringLiteral("%.1f"));
    values->setTitleText(QCoreApplication::translate("SobolChart", "Quota della varianza"));
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}
