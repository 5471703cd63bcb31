#pragma once

#include "shared/regional.h"
#include "shared/resultnames.h"
#include "ui/audit/auditfigures.h"
#include "ui/platform/dialogs.h"
#include "workflow/methodvalues.h"
#include "workflow/processing.h"

#include <QDialog>

#include <memory>

class BackgroundWork;
class ClockStatusBar;
class CorrelationHeatmap;
class GridModel;
class GridView;
class QButtonGroup;
class QComboBox;
class QChartView;
class QLabel;
class QPushButton;
class QTabWidget;
class TextTableModel;

// "Analisi statistica": the audit of the processing window's matrix. Four
// pages: the indicators (the distribution table, the flagged ones
// highlighted, and the histogram of the selected one); the correlation
// heatmap, Pearson's or Spearman's, the groups of the structure outlined;
// the coherence of each group with the scree chart of the selected one; the
// outlier treatment, applied to the processing window's matrix, with the
// cells it changed; each element's coherence with its group and the index
// under the method chosen (nine and composites). The audit files are written beside the workbook
// each time the audit runs; the work runs off the window's thread.
class AuditWindow : public QDialog {
    Q_OBJECT

public:
    // processing holds the matrix the processing window loaded; the
    // treatment replaces it there.
    AuditWindow(std::shared_ptr<Processing> processing, Dialogs& dialogs, const Regional& regional,
                QWidget* parent = nullptr);
    ~AuditWindow() override;

    // Audits the matrix held and shows it; false when there is none or the
    // work ran out of memory. A failure to write the files is reported, the
    // audit still shown.
    bool analyse();
    // Applies the outlier treatment to the matrix held, shows the changed
    // cells and audits the treated matrix; false when it could not be
    // applied (the matrix then stays as it was).
    bool treat();

    const AuditFigures& figures() const { return m_figures; }

Q_SIGNALS:
    // The processing matrix has been replaced by its treated version.
    void matrixTreated();

private:
    // The widgets of a page of a table and the chart of its selected row.
    struct ChartPane {
        GridView** grid;
        QString gridName;
        GridModel* model;
        QChartView** chart;
        QString chartName;
        ChartFile file; // its name proposed beside the workbook
        void (AuditWindow::*show)(int row);
    };
    QWidget* tableAndChartPage(const QString& text, const ChartPane& pane);
    QWidget* indicatorsPage();
    QWidget* correlationsPage();
    QWidget* coherencePage();
    QWidget* treatmentPage();
    QWidget* methodCoherencePage();
    // Lists the nine and the workbook's composites in the method chooser.
    void listMethods();
    // Computes the coherence of the method chosen, writes its file and
    // shows it.
    void showMethodCoherence();
    void present(AuditFigures figures);
    void showHistogram(int indicator);
    void showHeatmap();
    void showScree(int line);

    std::shared_ptr<Processing> m_processing;
    Dialogs& m_dialogs;
    Regional m_regional;
    AuditFigures m_figures;

    TextTableModel* m_indicatorModel;
    TextTableModel* m_coherenceModel;
    TextTableModel* m_changesModel;
    QTabWidget* m_pages = nullptr;
    GridView* m_indicatorGrid = nullptr;
    QChartView* m_histogram = nullptr;
    QButtonGroup* m_kind = nullptr;
    QChartView* m_heatmapView = nullptr;
    CorrelationHeatmap* m_heatmap = nullptr;
    GridView* m_coherenceGrid = nullptr;
    QChartView* m_scree = nullptr;
    QPushButton* m_treatButton = nullptr;
    QLabel* m_treatmentNote = nullptr;
    GridView* m_changesGrid = nullptr;
    std::vector<AnalysedMethod> m_methods; // as the chooser lists them
    TextTableModel* m_methodCoherenceModel;
    QWidget* m_methodPage = nullptr;
    QComboBox* m_methodChoice = nullptr;
    QLabel* m_methodNote = nullptr;
    GridView* m_methodCoherenceGrid = nullptr;
    bool m_methodShown = false; // since the last audit
    ClockStatusBar* m_status = nullptr;
    BackgroundWork* m_work = nullptr;
};
