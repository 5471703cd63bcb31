#include "ui/timeseries/ampichart.h"

#include "shared/safefile.h"

#include <QBuffer>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPainter>
#include <QPdfWriter>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <limits>

AmpiChart::AmpiChart(QWidget* parent) : QWidget(parent) {
    m_chart = new QChart;
    m_chart->legend()->setAlignment(Qt::AlignRight);
    m_view = new QChartView(m_chart, this);
    m_view->setObjectName(QStringLiteral("chartAmpi"));
    m_view->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

void AmpiChart::show(const QString& title, const QStringList& periods, const QStringList& units,
                     const std::vector<std::vector<double>>& values) {
    m_chart->removeAllSeries();
    for (QAbstractAxis* axis : m_chart->axes())
        m_chart->removeAxis(axis);
    m_chart->setTitle(title);

    auto* x = new QCategoryAxis;
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (int p = 0; p < periods.size(); ++p)
        x->append(periods[p], p);
    x->setRange(0, std::max<qsizetype>(periods.size() - 1, 1));
    auto* y = new QValueAxis;
    m_chart->addAxis(x, Qt::AlignBottom);
    m_chart->addAxis(y, Qt::AlignLeft);

    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    for (std::size_t u = 0; u < values.size(); ++u) {
        auto* series = new QLineSeries;
        series->setName(units[qsizetype(u)]);
        series->setPointsVisible(true);
        for (std::size_t p = 0; p < values[u].size(); ++p) {
            series->append(double(p), values[u][p]);
            low = std::min(low, values[u][p]);
            high = std::max(high, values[u][p]);
        }
        m_chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
    if (low <= high)
        y->setRange(low - 2.0, high + 2.0);
    y->applyNiceNumbers();
}

int AmpiChart::lineCount() const {
    return int(m_chart->series().size());
}

QString AmpiChart::exportTo(const QString& path) const {
    SafeFile file(path);
    if (QString error = file.open(); !error.isEmpty())
        return error;
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        {
            QPdfWriter pdf(file.temporaryPath());
            pdf.setPageOrientation(QPageLayout::Landscape);
            pdf.setResolution(150);
            QPainter painter(&pdf);
            m_view->render(&painter);
        }
        return file.commit();
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    m_view->grab().save(&buffer, "PNG");
    if (QString error = file.write(bytes); !error.isEmpty())
        return error;
    return file.commit();
}
