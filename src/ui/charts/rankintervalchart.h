#pragma once

#include "robustness/uncertainty.h"

#include <QWidget>

#include <vector>

class QChart;
class QChartView;
class QScrollBar;

// The rank-interval chart of an uncertainty analysis: the units sorted by
// median rank from top to bottom, for each a bar from the 5th to the 95th
// percentile, a dot for the median and a diamond for the reference rank.
// A page of at most kPage units is drawn at a time; the scroll bar beside
// it (and the mouse wheel) moves through the rest, so that thousands of
// units stay readable.
class RankIntervalChart : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPage = 40;

    explicit RankIntervalChart(QWidget* parent = nullptr);

    void setUncertainty(const RankUncertainty& uncertainty);
    void clear();

    QChartView* view() const { return m_view; }
    QScrollBar* scrollBar() const { return m_scroll; }
    // The labels of the units drawn, from the top.
    QStringList shownLabels() const;

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void drawPage(int first);

    QChartView* m_view;
    QScrollBar* m_scroll;
    QStringList m_labels;
    std::vector<UnitUncertainty> m_units; // sorted by median
    int m_rankings = 0;
    QStringList m_shown;
};
