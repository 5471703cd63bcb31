#pragma once

#include "robustness/rankmatrix.h"
#include "robustness/ranksummary.h"
#include "robustness/uncertainty.h"
#include "shared/regional.h"
#include "shared/sharedstate.h"
#include "ui/platform/dialogs.h"

#include <QDialog>

#include <utility>
#include <vector>

class BackgroundWork;
class ClockStatusBar;
class CograduationModel;
class GridView;
class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class RankIntervalChart;
class ShiftModel;
class TextTableModel;

// The robustness window: how far each unit's rank can be trusted, for the
// methods of the comparison on view. Four pages: the rank summary with the
// Kendall and Spearman matrices; the sensitivity of one method to each
// indicator; the uncertainty over methods and indicator sets with its
// rank-interval chart; the bump chart and the scatter of two methods. Every
// table is written beside the workbook as it is computed; every chart can
// be exported. The long analyses run off the window's thread.
class RobustnessWindow : public QDialog {
    Q_OBJECT

public:
    // What became of an analysis.
    enum class Outcome { Saved, NotSaved, Refused, Cancelled, OutOfMemory };

    RobustnessWindow(SharedState& state, Dialogs& dialogs, const Regional& regional,
                     QWidget* parent = nullptr);
    ~RobustnessWindow() override;

    // Shows the comparison whose ranks table (row 0 the index headers, rows
    // 1.. the units) and cograduation matrix are given: the rank summary,
    // written to <workbook>.rob.csv, the two matrices and the charts.
    Outcome mostra(const TextTable& ranks, const TextTable& cograduation);

    // The indicator sensitivity of the method chosen in cmbMetodo, and the
    // uncertainty over every compared method; both need the source matrix,
    // read from the workbook when no matrix is loaded.
    Outcome cmdSensibilita_Click();
    Outcome cmdIncertezza_Click();

    QTabWidget* pagine() const { return m_pagine; }
    GridView* msfRiepilogo() const { return m_msfRiepilogo; }
    GridView* msfKendall() const { return m_msfKendall; }
    GridView* msfSpearman() const { return m_msfSpearman; }
    QLabel* lblRiepilogo() const { return m_lblRiepilogo; }
    QComboBox* cmbMetodo() const { return m_cmbMetodo; }
    GridView* msfSensibilita() const { return m_msfSensibilita; }
    QLabel* lblSensibilita() const { return m_lblSensibilita; }
    GridView* msfIncertezza() const { return m_msfIncertezza; }
    RankIntervalChart* graficoIntervalli() const { return m_intervalli; }
    QChartView* graficoRanghi() const { return m_bump; }
    QChartView* graficoDispersione() const { return m_dispersione; }
    QComboBox* cmbAsseX() const { return m_cmbX; }
    QComboBox* cmbAsseY() const { return m_cmbY; }
    // The units, by their index in the source matrix, in the order of the
    // summary grid's rows.
    const std::vector<int>& ordineRiepilogo() const { return m_ordine; }

    // Sorts the summary grid by grid column col (1..), ascending first, the
    // other way on a second request for the same column.
    void ordinaRiepilogo(int col);
    // Redraws the bump chart with the units selected in the summary grid
    // highlighted, and the scatter of the methods chosen; a chart already
    // drawn from the same ranks, selection or methods is kept.
    void aggiornaGrafici();

private:
    QWidget* paginaRiepilogo();
    QWidget* paginaSensibilita();
    QWidget* paginaIncertezza();
    QWidget* paginaGrafici();
    QChartView* graficoConMenu(const QString& name, const QString& suffix);
    QPushButton* bottoneEsporta(QChartView* view, const QString& suffix, QWidget* parent);
    void disegnaDispersione();
    std::vector<int> posizioniConfrontate() const;
    // The matrix for the analyses: the loaded one, or one read now.
    const SharedState* matrice(Outcome* outcome);
    Outcome salva(const QString& path, const TextTable& table, const QString& what);

    SharedState& m_state;
    Dialogs& m_dialogs;
    Regional m_regional;

    RankMatrix m_ranghi;
    RankSummary m_sintesi;
    TextTable m_tabellaRiepilogo;
    std::vector<int> m_ordine;
    int m_colonnaOrdine = -1;
    Qt::SortOrder m_verso = Qt::AscendingOrder;
    SharedState m_letta; // the matrix read for the analyses when none was loaded
    // What the charts on view were drawn from (none after new ranks).
    bool m_bumpDisegnato = false;
    QList<int> m_sceltiDisegnati;
    std::pair<int, int> m_assiDisegnati{-1, -1};

    TextTableModel* m_riepilogoModel;
    CograduationModel* m_kendallModel;
    CograduationModel* m_spearmanModel;
    ShiftModel* m_sensibilitaModel;
    TextTableModel* m_incertezzaModel;

    QTabWidget* m_pagine = nullptr;
    GridView* m_msfRiepilogo = nullptr;
    GridView* m_msfKendall = nullptr;
    GridView* m_msfSpearman = nullptr;
    QLabel* m_lblRiepilogo = nullptr;
    QComboBox* m_cmbMetodo = nullptr;
    QPushButton* m_cmdSensibilita = nullptr;
    GridView* m_msfSensibilita = nullptr;
    QLabel* m_lblSensibilita = nullptr;
    QPushButton* m_cmdIncertezza = nullptr;
    QLabel* m_lblIncertezza = nullptr;
    GridView* m_msfIncertezza = nullptr;
    RankIntervalChart* m_intervalli = nullptr;
    QChartView* m_bump = nullptr;
    QChartView* m_dispersione = nullptr;
    QComboBox* m_cmbX = nullptr;
    QComboBox* m_cmbY = nullptr;
    ClockStatusBar* m_stbStato = nullptr;
    BackgroundWork* m_lavoro = nullptr;
};
