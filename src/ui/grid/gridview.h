#pragma once

#include "ui/grid/gridmodel.h"

#include <QTableView>

class GridSortProxy;
class QAbstractButton;

// The table view of every grid: the header row of the model is its
// horizontal header, the label column its vertical header and the corner
// cell its corner, so that all three stay in view while the data scroll.
// Columns are addressed as in the grid: column 0 is the label column.
class GridView : public QTableView {
    Q_OBJECT

public:
    explicit GridView(QWidget* parent = nullptr);

    void setGridModel(GridModel* model);
    GridModel* gridModel() const { return m_model; }

    // Lets a click on a column's header sort the rows on view by that
    // column (GridSortProxy): ascending, descending, then sheet order again.
    // The grid model keeps its rows. Call it before connecting to the
    // selection model, which it replaces.
    void enableSorting();
    // The grid model's row (0 for the first data row) shown on view row
    // viewRow, and the other way round.
    int modelRow(int viewRow) const;
    int viewRow(int modelRow) const;

    int gridColumnCount() const;
    // The width of grid column col in pixels (column 0: the label column,
    // the width last given it).
    int gridColumnWidth(int col) const;
    // On a sortable grid a column is never narrower than its header with
    // the sort arrow. The label column given a width is drawn at least as
    // wide as its widest label (and the corner's text) needs within the
    // header's margins, and at most two fifths of the window wide: longer
    // labels are cut short, the tooltip of each holding it whole.
    void setGridColumnWidth(int col, int width);

    // The text drawn on the corner.
    QString cornerText() const;

Q_SIGNALS:
    // The user asked for the columns to be sized again (double click on a
    // column divider of the header).
    void autosizeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void paintCorner();
    void copySelection() const;
    void modelWasReset();
    int labelColumnWidth(int asked) const;

    GridModel* m_model = nullptr;
    GridSortProxy* m_sorter = nullptr;
    QAbstractButton* m_corner = nullptr;
    int m_labelWidth = 0;
    // The room a window always leaves its label column.
    static constexpr int kNarrowestLabelRoom = 160;
};
