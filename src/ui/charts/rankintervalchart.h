#pragma once

#include "robustness/uncertainty.h"
#include "shared/regional.h"

#include <QList>
#include <QWidget>

#include <vector>

class QChart;
class QChartView;
class QScrollBar;

// The rank-interval chart of an uncertainty analysis: the units sorted by
// median rank from top to bottom, for each a bar from the 5th to the 95th
// percentile, a dot for the median and a square for the reference rank,
// the unit's figures in the tooltip of each; a median on its reference rank
// shows as the dot inside the square's outline. A page of the units that fit
// the view's height with their labels whole (at most kPage) is drawn at a
// time; the scroll bar beside it (and the mouse wheel) moves through the
// rest, so that thousands of units stay readable. The highlighted units
// (those selected in a grid of the window) are drawn in another colour.
class RankIntervalChart : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPage = 40;

    explicit RankIntervalChart(const Regional& regional, QWidget* parent = nullptr);

    void setUncertainty(const RankUncertainty& uncertainty);
    void clear();
    // The units highlighted, by their index in the uncertainty's units; the
    // page moves to the first of them when none is on view.
    void setHighlighted(const QList<int>& units);
    // Draws the page without the highlighting (for an image of the chart
    // as the analysis gave it), or with it again.
    void setPlain(bool plain);

    QChartView* view() const { return m_view; }
    QScrollBar* scrollBar() const { return m_scroll; }
    // The labels of the units drawn, from the top.
    QStringList shownLabels() const;
    // The labels of the highlighted units drawn, from the top.
    QStringList highlightedLabels() const;
    // The tooltip of the unit drawn in row row of the page, from the top.
    QString unitTipAt(int row) const;

protected:
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct PageSeries;

    void drawPage(int first);
    QString pageTitle(int first, int page) const;
    // Fills series with the count units of the page from first, their
    // labels into categories from the bottom up; true when one of them is
    // highlighted.
    bool fillPage(PageSeries& series, int first, int count, QStringList& categories) const;
    void addPageAxes(QChart* chart, const PageSeries& series, const QStringList& categories,
                     int first);
    // The units a page holds: those whose labels fit the view's height, at
    // most kPage (kPage before the view is laid out).
    int pageSize() const;
    void updateScrollRange();
    // Draws the page again when the view's size asks for another number of
    // units or size of labels.
    void fitToView();
    // The size of the unit labels of a page that keeps the widest whole.
    qreal labelPointSize(int first, int count) const;
    QString unitTip(std::size_t sorted) const;

    const Regional& m_regional;
    QChartView* m_view;
    QScrollBar* m_scroll;
    QStringList m_labels;
    std::vector<UnitUncertainty> m_units; // sorted by median
    std::vector<int> m_index;             // the unit's index in the analysis, by sorted place
    std::vector<bool> m_highlighted;      // by sorted place
    int m_rankings = 0;
    bool m_plain = false;
    int m_first = 0;
    int m_drawnPage = 0;
    qreal m_drawnLabelSize = 0;
    QStringList m_shown;
};
