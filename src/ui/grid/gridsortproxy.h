#pragma once

#include <QSortFilterProxyModel>

class GridModel;

// The rows of a grid in the order of one of its columns, the grid model and
// the tables behind it left in sheet order. Numbers come by value and before
// texts, texts in the order of the user's language, and empty cells last
// whichever way the column is sorted; equal cells keep their sheet order.
// Column -1 is the sheet order.
class GridSortProxy : public QSortFilterProxyModel {
public:
    explicit GridSortProxy(QObject* parent = nullptr);

    void setGridModel(GridModel* model);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    GridModel* m_model = nullptr;
};
