#pragma once

#include "shared/regional.h"
#include "ui/grid/gridmodel.h"
#include "ui/state/table.h"

#include <optional>
#include <vector>

// A grid over cells (1..rows, 1..cols) of a table of the shared state: grid
// cell (r - 1, c - 1) shows table cell (r, c). The model reads the table
// directly and holds no copy of it; whoever changes the table calls
// setTable() again (or clear()) before the view is painted.
class TableModel : public GridModel {
    Q_OBJECT

public:
    enum class Format {
        Fixed4,      // numbers, and texts that read as numbers, with four decimals ("0,5000")
        General,     // every cell in its general text (ranks)
        IndexValues, // data cells as index value texts ("1.234,5678"), the rest in general text
    };

    // The light green of data cells of an indicator where higher is better,
    // and the light red of one where lower is better.
    static const QColor kPositivo;
    static const QColor kNegativo;

    TableModel(const Regional& regional, Format format, QObject* parent = nullptr);

    // Shows cells (1..rows, 1..cols) of table. With polarity given, every
    // data cell (r > 1, c > 1) is coloured by the polarity of the indicator
    // name polarity(1, c).
    void setTable(const Table* table, int rows, int cols, const Table* polarity = nullptr);
    // An empty grid: no rows, no columns.
    void clear();
    // How the cells are written from now on.
    void setFormat(Format format);
    // Reads from now on from table, which holds the same cells as the table
    // shown (a copy of it, or the table a copy was taken of): nothing changes
    // on screen, and the view keeps its columns and their widths.
    void readFrom(const Table* table) { m_table = table; }
    // Marks data cells as filled by a treatment of missing values: italics
    // on a hatched background. filled is laid out as Matrix::missing over
    // the data cells shown (indicator by indicator, each unit by unit); empty
    // marks none. Kept until the next call.
    void setFilled(std::vector<unsigned char> filled);

    const Table* table() const { return m_table; }

    int gridRowCount() const override { return m_rows; }
    int gridColumnCount() const override { return m_cols; }
    QString gridText(int row, int col) const override;
    int shapeKey(int row, int col) const override;
    QString shapePattern(int key) const override;
    QColor cellBackground(int row, int col) const override;
    std::optional<double> cellNumber(int row, int col) const override;
    bool cellHatched(int row, int col) const override;
    std::optional<QFont> cellFont(int row, int col) const override;

private:
    CellValue cell(int row, int col) const { return m_table->cell(row + 1, col + 1); }

    const Regional& m_regional;
    QLocale m_ungrouped;
    Format m_format;
    const Table* m_table = nullptr;
    int m_rows = 0;
    int m_cols = 0;
    std::vector<signed char> m_negative; // per grid column: -1 uncoloured, 0 green, 1 red
    std::vector<unsigned char> m_filled; // see setFilled()
};
