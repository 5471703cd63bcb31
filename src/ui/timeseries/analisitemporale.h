#pragma once

#include "shared/regional.h"
#include "timeseries/ampi.h"
#include "timeseries/panel.h"
#include "ui/platform/dialogs.h"

#include <QDialog>

class AmpiChart;
class AmpiModel;
class BackgroundWork;
class ClockStatusBar;
class GridView;
class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class TextTableModel;

// The time-analysis window: reads a workbook whose sheets are periods,
// computes the Adjusted MPI on the base period chosen, writes its files
// beside the workbook, and shows the periods, the values of AMPI+ or AMPI-
// by unit and period (shaded), the ranks within each period and a line
// chart of the units selected in the values grid. Reading and computing run
// off the window's thread (see BackgroundWork).
class AnalisiTemporale : public QDialog {
    Q_OBJECT

public:
    AnalisiTemporale(Dialogs& dialogs, const Regional& regional, QWidget* parent = nullptr);
    ~AnalisiTemporale() override;

    // Reads the workbook and computes on its first sheet as base. False,
    // after telling the user why, when the panel is refused or unreadable or
    // the reading was cancelled.
    bool carica(const QString& workbook);

    // The handlers: another base period recomputes and rewrites the files;
    // the option buttons switch between AMPI+ and AMPI-; the export writes
    // the chart beside the workbook as <workbook>.AMPI+.png and .pdf.
    void cmbBase_Click();
    void optIndice_Click();
    void cmdEsporta_Click();

    QComboBox* cmbBase() const { return m_cmbBase; }
    QLabel* lblPeriodi() const { return m_lblPeriodi; }
    GridView* msfValori() const { return m_msfValori; }
    GridView* msfRanghi() const { return m_msfRanghi; }
    AmpiChart* grafico() const { return m_grafico; }
    QButtonGroup* optIndice() const { return m_optIndice; }

private:
    bool calcola(int base);
    void mostra();
    void aggiornaGrafico();
    bool piu() const;

    Dialogs& m_dialogs;
    Regional m_regional;
    QString m_workbook;
    Panel m_panel;
    AmpiResult m_result;
    std::vector<int> m_ranksPlus;
    std::vector<int> m_ranksMinus;

    QLabel* m_lblPeriodi = nullptr;
    QComboBox* m_cmbBase = nullptr;
    QButtonGroup* m_optIndice = nullptr;
    GridView* m_msfValori = nullptr;
    GridView* m_msfRanghi = nullptr;
    AmpiModel* m_valori = nullptr;
    TextTableModel* m_ranghi = nullptr;
    AmpiChart* m_grafico = nullptr;
    QPushButton* m_cmdEsporta = nullptr;
    ClockStatusBar* m_stbStato = nullptr;
    BackgroundWork* m_lavoro = nullptr;
};
