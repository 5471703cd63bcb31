#pragma once

#include "methods/metodi.h"
#include "robustness/montecarlo.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/resultnames.h"
#include "stats/matrix.h"
#include "treatment/missing.h"
#include "workflow/montecarlorun.h"

#include <QCoreApplication>
#include <QWidget>

#include <functional>
#include <vector>

class GridView;
class QChartView;
class QCheckBox;
class QDoubleSpinBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class RankIntervalChart;
class AnalysisTableModel;
class TotalIndexModel;

// The settings and views of the Monte Carlo page.
struct MonteCarloControls {
    QCheckBox* methods = nullptr;      // draw among the compared methods
    QDoubleSpinBox* weights = nullptr; // F: weights times uniform [1 - F, 1 + F]
    QCheckBox* leaveOut = nullptr;     // one indicator left out, or none
    QCheckBox* outliers = nullptr;     // the outlier treatment on or off
    QCheckBox* missing = nullptr;      // the treatment of missing values, on a matrix with gaps
    QSpinBox* runs = nullptr;
    QSpinBox* seed = nullptr;
    QCheckBox* sobol = nullptr; // the Saltelli design and the Sobol indices
    // For the compared composites: the normalisations and aggregations
    // drawn beside each one's own; enabled only when composites are
    // compared.
    QLineEdit* normalisations = nullptr;
    QLineEdit* aggregations = nullptr;
    QPushButton* compute = nullptr;
    QLabel* note = nullptr;
    GridView* grid = nullptr; // <workbook>.mc.csv
    RankIntervalChart* intervals = nullptr;
    QChartView* indices = nullptr;  // Si and STi per factor
    GridView* unitTotals = nullptr; // <workbook>.sobol.unita.csv
};

// The Monte Carlo page of the robustness window: the uncertain choices to
// draw, then the table of where each unit's rank falls, its rank-interval
// chart, and with the Saltelli design the Sobol indices' chart and the
// table of each factor's total index on each unit's rank. The page reads
// its settings into the analysis's choices and shows what it found.
class MonteCarloPage : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(RobustnessWindow)

public:
    // The buttons of a chart's actions, as the window's other charts have
    // them.
    using ChartButtons = std::function<QWidget*(QChartView*, ChartFile, QWidget*)>;

    // The grids show the two models.
    MonteCarloPage(AnalysisTableModel* table, TotalIndexModel* unitTotals,
                   const ChartButtons& chartButtons, QWidget* parent);

    const MonteCarloControls& controls() const { return m_controls; }

    // The choices set, over the compared methods at positions (the first
    // nominal) and as many composites (whose lists of normalisations and
    // aggregations it reads; the window sets the composites), the
    // treatments of missing values from missingLevels when they are a
    // factor: a failure (Usage) when no factor is chosen or a list holds
    // an unknown item.
    Expected<MonteCarloChoices>
    choices(const std::vector<MethodPosition>& positions, std::size_t composites,
            const std::function<std::vector<MissingTreatment>()>& missingLevels) const;

    // Offers the lists of normalisations and aggregations, when composites
    // are compared.
    void offerCompositeFactors(bool offered);

    // Shows the figures of the Monte Carlo over the units of matrix: the
    // table, the intervals, with the Saltelli design (sobol) the Sobol
    // indices, and the note on the draws.
    void show(const MonteCarloResult& result, bool sobol, const Matrix& matrix,
              const Regional& regional);

private:
    QGroupBox* settingsBox();
    // The lists of normalisations and aggregations, disabled.
    void makeCompositeFactorEdits();
    // The table and the charts; the two charts' columns, side by side.
    QHBoxLayout* buildViews(const ChartButtons& chartButtons);

    MonteCarloControls m_controls;
    AnalysisTableModel* m_table;
    TotalIndexModel* m_unitTotals;
};
