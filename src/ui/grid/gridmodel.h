#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>

// The model behind every grid of the program. A grid has one fixed header
// row and one fixed label column: grid cell (0, 0) is the corner, row 0 the
// header row, column 0 the label column. The view shows row 0 as its
// horizontal header, column 0 as its vertical header and the corner on its
// corner, so item (r, c) of the model is grid cell (r + 1, c + 1).
class GridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // The size of the grid, the fixed row and column included; 0 and 0 for
    // an empty grid.
    virtual int gridRowCount() const = 0;
    virtual int gridColumnCount() const = 0;
    // The text of grid cell (row, col).
    virtual QString gridText(int row, int col) const = 0;

    // Fast measuring: cells whose texts differ only in which decimal digits
    // they hold share a key >= 0, and shapePattern(key) is that text with
    // every digit replaced by '0'. A cell without such a key answers -1.
    // Keys are below kMaxShapeKeys.
    static constexpr int kMaxShapeKeys = 64;
    virtual int shapeKey(int row, int col) const;
    virtual QString shapePattern(int key) const;
    // Texts of column col among which is its widest, for a grid too long to
    // measure cell by cell; empty (the default) to measure every cell.
    virtual QStringList widthSample(int col) const;

    // The font of a cell when it has one of its own.
    virtual std::optional<QFont> cellFont(int row, int col) const;
    // The background of a data cell (row >= 1, col >= 1), or an invalid
    // colour for the view's own.
    virtual QColor cellBackground(int row, int col) const;
    // True when a data cell's background is hatched (in a darker shade of
    // its colour) rather than filled: a value the data did not hold.
    virtual bool cellHatched(int row, int col) const;
    // The text colour of a data cell, or an invalid colour for the view's
    // own; a model that shades its cells picks one that stays readable.
    virtual QColor cellForeground(int row, int col) const;
    // The number a data cell holds, none for a text or an empty cell.
    // Numbers are shown right-aligned and a sorted grid orders them by value.
    virtual std::optional<double> cellNumber(int row, int col) const;
    bool cellIsNumber(int row, int col) const { return cellNumber(row, col).has_value(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const final;
    int columnCount(const QModelIndex& parent = QModelIndex()) const final;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
};
