#pragma once

#include "comparison/comparison.h"
#include "shared/regional.h"
#include "ui/grid/gridmodel.h"

#include <memory>

// The values or the ranks of a comparison as a grid: row 0 the corner label
// and the index header of each method, column 0 the unit labels, column k
// method k's index values (their index value texts under the regional
// settings) or ranks.
class ComparisonModel : public GridModel {
    Q_OBJECT

public:
    enum class Shown { Values, Ranks };

    ComparisonModel(const Regional& regional, Shown shown, QObject* parent = nullptr);

    // Shows the comparison, held with whoever else holds it.
    void setComparison(std::shared_ptr<const ComparisonResult> comparison);
    // An empty grid: no rows, no columns.
    void clear();
    // The comparison shown, none for an empty grid.
    const std::shared_ptr<const ComparisonResult>& comparison() const { return m_comparison; }

    int gridRowCount() const override;
    int gridColumnCount() const override;
    QString gridText(int row, int col) const override;
    std::optional<double> cellNumber(int row, int col) const override;
    // Beyond kMeasuredRows rows: the header, the first and last rows, the
    // longest labels and each column's widest number (its largest and its
    // most negative value, the largest rank), formatted.
    QStringList widthSample(int col) const override;
    static constexpr int kMeasuredRows = 20000;

private:
    bool inside(int row, int col) const;
    // The text of a header or label cell (row 0 or column 0).
    QString labelText(int row, int col) const;

    const Regional& m_regional;
    Shown m_shown;
    std::shared_ptr<const ComparisonResult> m_comparison;
};
