#pragma once

#include "comparison/texttable.h"
#include "shared/regional.h"
#include "ui/grid/gridmodel.h"

// A grid over a table of texts that the model holds itself: grid cell
// (r, c) is table cell (r, c), so row 0 is the header row and column 0 the
// label column. Texts are shown exactly as held; those that read as numbers
// under the regional settings are right-aligned.
class TextTableModel : public GridModel {
    Q_OBJECT

public:
    explicit TextTableModel(const Regional& regional, QObject* parent = nullptr);

    // Shows table (a copy shares its texts with the original).
    void setTable(TextTable table);
    // An empty grid: no rows, no columns.
    void clear();

    const TextTable& table() const { return m_table; }

    int gridRowCount() const override { return m_table.rowCount(); }
    int gridColumnCount() const override { return m_table.columnCount(); }
    QString gridText(int row, int col) const override;
    std::optional<double> cellNumber(int row, int col) const override;
    const Regional& regional() const { return m_regional; }

protected:
    bool inside(int row, int col) const;

private:
    const Regional& m_regional;
    TextTable m_table;
};
