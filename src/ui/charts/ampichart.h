#pragma once

#include "shared/regional.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

class QBarCategoryAxis;
class QChart;
class QChartView;
class QCategoryAxis;

// A line chart of index values over the periods: one line per unit, named
// at its end and in its tooltip with its values, the periods along the
// horizontal axis, a dashed line at the reference level 100. Its view is exported like every chart
// of the program (ui/charts/chartexport.h).
class AmpiChart : public QWidget {
    Q_OBJECT

public:
    explicit AmpiChart(const Regional& regional, QWidget* parent = nullptr);

    // One line per entry of units, values[i] holding one value per period.
    void show(const QString& title, const QStringList& periods, const QStringList& units,
              const std::vector<std::vector<double>>& values);

    // The lines of units drawn.
    int lineCount() const;
    QChartView* view() const { return m_view; }

private:
    const Regional& m_regional;
    QChart* m_chart = nullptr;
    QBarCategoryAxis* m_x = nullptr;
    QCategoryAxis* m_y = nullptr;
    QChartView* m_view = nullptr;
    int m_lineCount = 0;
};
