#pragma once

#include "shared/cellvalue.h"
#include "shared/regional.h"
#include "support/regioniesempio.h"
#include "support/testsupport.h"
#include "ui/state/sharedstate.h"
#include "workflow/processing.h"

#include <QPointF>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class GridView;

// A loader that reads *rows as the first worksheet of whatever workbook it
// is given, through the program's own checks; *rows may change between two
// loads.
Processing::MatrixLoader memoryLoader(std::shared_ptr<Rows> rows, const Regional& regional);
Processing::MatrixLoader memoryLoader(const Rows& rows, const Regional& regional);

// The methods at the given list positions run over rows, their result
// files written beside workbook; false when one of them wrote none.
bool writeMethodResults(const QString& workbook, const Rows& rows,
                        const std::vector<int>& positions, const Regional& regional);

// A text cell.
CellValue t(const char* text);

// Twelve provinces; "Reddito" is skewed by Lambda's 200 (skewness 3.4,
// kurtosis 11.9), so the audit flags it; "Servizi" is not.
Rows skewedProvinces();

// The texts of grid column col, the header row first.
QStringList gridColumnTexts(const GridView* grid, int col);
// The texts of the data rows of grid column col as the view shows them,
// in the view's order (a sorted grid's model keeps its own).
QStringList viewColumnTexts(const GridView* grid, int col);
// A mouse click on the header of grid column col (1..).
void clickColumnHeader(GridView* grid, int col);

class QAbstractSeries;
class QChartView;

// The tooltip shown once the mouse, moved over view's viewport, rests on
// the place at (in the values of series) of its chart; empty when none is
// shown. The view's window is made active first, as tooltips need.
QString tipAfterHover(QChartView* view, QAbstractSeries* series, QPointF at);

class QChart;

// The texts of chart's legend entries as drawn (whole, or cut short as
// "Rango di r..."), and the labels of the entries shown, both sorted: the
// two are equal when every entry is whole.
QStringList drawnLegendTexts(const QChart* chart);
QStringList shownLegendLabels(const QChart* chart);

// Dimensions table for the given block (header row and label column
// included) and fills it: headings as given, data cells with their numbers
// (a data cell that is not a number stays empty).
void riempi(Table& table, const Rows& rows);

// A shared state holding the given block (header row and label column
// included) in matDati, with every table dimensioned.
SharedState statoDa(const Rows& rows);

// statoDa with bNegativi and bZeri set as the loader sets them: some data
// value below zero, some equal to zero.
SharedState statoCaricatoDa(const Rows& rows);

// Writes a GeoJSON boundary file of 1-degree squares, one per name (its
// "nome"), two to a row from 10 E 46 N eastward and southward.
bool writeSquareBoundaries(const QString& path, const QStringList& names);

class MapView;

// The point of view at the middle of the unit's shape, as drawn now.
QPointF unitCentre(const MapView* view, int unit);
