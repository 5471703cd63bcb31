#pragma once

#include "shared/regional.h"
#include "ui/audit/auditfigures.h"

#include <QChart>
#include <QGraphicsItem>
#include <QStringList>

#include <vector>

// The correlation matrix of the indicators as a chart: a square per pair,
// shaded with the diverging palette (brown -1, white 0, teal 1) and, when
// the squares are large enough, labelled with the coefficient; the names
// along the left edge, their numbers along the bottom; each group of the
// structure outlined around the pairs of its indicators. Lives in a QChart
// so that it exports as every chart does.
class CorrelationHeatmap : public QGraphicsItem {
public:
    // Draws into the plot area of chart, whose child it becomes.
    CorrelationHeatmap(QChart* chart, const Regional& regional);

    // The m x m matrix (row after row) of the named indicators, and the
    // groups to outline.
    void setMatrix(const QStringList& names, std::vector<double> matrix,
                   std::vector<GroupOutline> groups);

    QRectF boundingRect() const override { return m_room; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    void outline(QPainter& painter, const QRectF& grid, double side,
                 const GroupOutline& group) const;

    const Regional& m_regional;
    QRectF m_room;
    QStringList m_names;
    std::vector<double> m_matrix;
    std::vector<GroupOutline> m_groups;
};
