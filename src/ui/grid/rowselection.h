#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class GridView;

// Choosing units by their rows in a grid; a row here is a row of the view,
// 0 the first unit (grid row 1).

// The places in labels of those that contain text, ignoring case and the
// blanks around text; none for a blank text.
QList<int> matchingLabels(const QStringList& labels, const QString& text);

// The rows with a selected cell, ascending.
QList<int> selectedRows(const GridView& grid);

// Selects exactly the rows given (whole rows; rows out of the grid are
// skipped) and scrolls the first into view.
void selectRows(GridView& grid, const QList<int>& rows);
