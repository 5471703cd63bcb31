#pragma once

#include "shared/regional.h"
#include "ui/audit/auditfigures.h"

#include <QChart>
#include <QGraphicsItem>
#include <QStringList>

#include <vector>

class QFontMetricsF;

// The correlation matrix of the indicators as a chart: a square per pair,
// shaded with the diverging palette (brown -1, white 0, teal 1, its scale at
// the right) and, when the squares are large enough, labelled with the
// coefficient (1 on the diagonal); the indicators ordered by the groups of
// the structure, each group outlined once, the names with their numbers in
// the sheet along the left edge, the numbers along the bottom. Lives in a
// QChart so that it exports as every chart does.
class CorrelationHeatmap : public QGraphicsItem {
public:
    // Draws into the plot area of chart, whose child it becomes.
    CorrelationHeatmap(QChart* chart, const Regional& regional);

    // The m x m matrix (row after row) of the named indicators, and the
    // groups to outline.
    void setMatrix(const QStringList& names, std::vector<double> matrix,
                   std::vector<GroupOutline> groups);

    // The indicator names in the order drawn, from the top.
    QStringList drawnNames() const;

    QRectF boundingRect() const override { return m_room; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    void outline(QPainter& painter, const QRectF& grid, double side,
                 const GroupOutline& group) const;
    void paintScale(QPainter& painter, const QRectF& bar, const QFontMetricsF& metrics) const;

    const Regional& m_regional;
    QRectF m_room;
    QStringList m_names;
    std::vector<int> m_numbers; // the indicators' numbers in the sheet
    std::vector<double> m_matrix;
    std::vector<GroupOutline> m_groups;
};
