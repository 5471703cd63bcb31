#pragma once

#include "shared/regional.h"
#include "ui/grid/gridmodel.h"

#include <QColor>
#include <QStringList>

#include <vector>

// A grid of numbers with their headers and labels: row 0 the corner and a
// header per column, column 0 a label per row, a number (NaN for none) in
// every other cell. The numbers are written under the regional settings
// only when a cell is shown; a model that shades its cells by their number
// says how in shade().
class NumberGridModel : public GridModel {
    Q_OBJECT

public:
    enum class Format {
        Fixed4,     // four decimals, no grouping ("0,5000")
        IndexValue, // the index value text ("1.234,5678")
    };

    NumberGridModel(const Regional& regional, Format format, QObject* parent = nullptr);

    // Shows headers (the corner first) over labels, and numbers row by row:
    // labels.size() rows of headers.size() - 1 numbers each.
    void setGrid(QStringList headers, QStringList labels, std::vector<double> numbers);
    // An empty grid: no rows, no columns.
    void clear();

    // The number of a data cell (row >= 1, col >= 1), NaN for none.
    double number(int row, int col) const;

    int gridRowCount() const override;
    int gridColumnCount() const override { return int(m_headers.size()); }
    QString gridText(int row, int col) const override;
    int shapeKey(int row, int col) const override;
    QString shapePattern(int key) const override;
    std::optional<double> cellNumber(int row, int col) const override;
    QColor cellBackground(int row, int col) const override;
    QColor cellForeground(int row, int col) const override;

protected:
    const Regional& regional() const { return m_regional; }
    bool inside(int row, int col) const;
    // Header col as given (col 0 the corner), label row (1..) as given.
    const QString& header(int col) const { return m_headers[col]; }
    const QString& label(int row) const { return m_labels[row - 1]; }
    // The text of header col (row 0) and of label row (column 0). The
    // headers the core writes are shown in the interface language, the
    // methods' index names with their codes; the workbook's own names are
    // not in the catalogue and stay as they are.
    virtual QString headerText(int col) const;
    virtual QString labelText(int row) const;
    // The background of a data cell holding value, invalid for the view's
    // own; the text over it is black or white, whichever stays readable.
    virtual QColor shade(int row, int col, double value) const;

private:
    const Regional& m_regional;
    QLocale m_ungrouped;
    Format m_format;
    QStringList m_headers;
    QStringList m_labels;
    std::vector<double> m_numbers;
};
