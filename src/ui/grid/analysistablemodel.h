#pragma once

#include "robustness/analysistable.h"
#include "shared/regional.h"
#include "ui/grid/gridmodel.h"

#include <memory>

// A grid over the table of an analysis: grid cell (r, c) is table cell
// (r, c), its text formatted from the analysis's numbers only when shown.
// Numbers are right-aligned and sorted by value; headers, labels and names
// are shown as written, those that read as numbers right-aligned.
class AnalysisTableModel : public GridModel {
    Q_OBJECT

public:
    explicit AnalysisTableModel(const Regional& regional, QObject* parent = nullptr);

    // Shows table, held with whoever else holds it.
    void setTable(std::shared_ptr<const AnalysisTable> table);
    // An empty grid: no rows, no columns.
    void clear();

    int gridRowCount() const override { return m_table ? m_table->rowCount() : 0; }
    int gridColumnCount() const override { return m_table ? m_table->columnCount() : 0; }
    QString gridText(int row, int col) const override;
    std::optional<double> cellNumber(int row, int col) const override;
    const Regional& regional() const { return m_regional; }

protected:
    bool inside(int row, int col) const;
    const AnalysisTable& table() const { return *m_table; }

private:
    const Regional& m_regional;
    std::shared_ptr<const AnalysisTable> m_table;
};
