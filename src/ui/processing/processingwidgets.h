#pragma once

#include "shared/regional.h"

#include <QCoreApplication>

class GridView;
class HintLabel;
class QButtonGroup;
class QComboBox;
class QDialog;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSplitter;
class TableModel;

// The controls of the processing window (IndiceMP), built into it: along
// the top the automatic processing, the method list, the two view frames
// and the export; below, the data grid and the results grid side by side.
struct ProcessingWidgets {
    Q_DECLARE_TR_FUNCTIONS(IndiceMP)

public:
    // Builds the controls as children of window, the grids over the two
    // models; the layout holds the strip and the splitter.
    ProcessingWidgets(QDialog* window, TableModel* dataModel, TableModel* resultsModel);

    // "Matrice dei risultati", with ": CODE" for the method shown.
    static QString resultsTitle(const QString& code = QString());

    // The results grid, or in its place the hint to choose a method.
    void showResults(bool visible);

    // The width the results pane keeps for a matrix of the given units: its
    // labels as the data grid fits them, and a value column for the widest
    // index header or a number of as many digits as there are units (a
    // rank, a sum of ranks); wider values scroll inside the pane.
    int resultsPaneWidth(int units, const Regional& regional);
    // Gives the results pane that width; the data grid keeps at least half.
    void divide(int resultsWidth);

    QHBoxLayout* strip = nullptr;
    QPushButton* cmdSelect = nullptr;
    QLabel* lblMetodo = nullptr;
    QComboBox* cmbMetodo = nullptr;
    QGroupBox* frmTipo = nullptr;
    QButtonGroup* optTipo = nullptr;
    QGroupBox* frmTipoRisultato = nullptr;
    QButtonGroup* optTipoRisultato = nullptr;
    QPushButton* exportButton = nullptr;
    QPushButton* auditButton = nullptr;
    QSplitter* splitter = nullptr;
    QGroupBox* frmMatrice = nullptr;
    GridView* msfMatrice = nullptr;
    HintLabel* readingHint = nullptr;
    QGroupBox* Frame1 = nullptr;
    GridView* msfRisultati = nullptr;
    HintLabel* methodHint = nullptr;

private:
    void buildStrip(QDialog* window);
    void buildGrids(QDialog* window, TableModel* dataModel, TableModel* resultsModel);
};
