#pragma once

#include "composite/compositedefinitions.h"
#include "framework/structure.h"
#include "shared/regional.h"

#include <QCoreApplication>
#include <QStringList>

class GridView;
class HintLabel;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSplitter;
class QTreeWidget;
class TableModel;

// The controls of the processing window (IndiceMP), built into it: along
// the top the automatic processing, the method list, the two view frames
// and the export; below it the line of the structure (the check box that
// ignores it, what is in use, the group whose indices the results show);
// below, the structure's tree, the data grid and the results grid side by
// side; under them the line of the state.
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
    // The width the results pane needs for the grid as it is fitted now.
    int fittedResultsWidth() const;
    // Gives the results pane that width; the data grid keeps at least half.
    void divide(int resultsWidth);

    // While a matrix loads: the method controls, the grids and the structure
    // hidden, the hint that it is being read on view.
    void hideForLoading();
    // The controls of a method run, the method at position chosen in the
    // list (caption its tooltip over the results), the two views on their
    // first choice.
    void showMethod(int position, const QString& caption);

    // The composites after the nine in the method list, under their
    // captions, their definitions as tooltips; those listed before go. The
    // results pane's width takes their names and codes into account.
    void listComposites(const std::vector<Composite>& composites, const QStringList& captions);

    // The structure of the matrix loaded on view (its tree, its line, the
    // group choice on the overall index), or none.
    void showStructure(const Structure* structure, const Regional& regional);

    // The structure's tree pane, shown or hidden; shown, it takes the width
    // its columns need, at most two fifths of the data side (half with the
    // composites' columns).
    void showStructureTree(bool visible);

    QHBoxLayout* strip = nullptr;
    QPushButton* cmdSelect = nullptr;
    QLabel* lblMetodo = nullptr;
    QComboBox* cmbMetodo = nullptr;
    QPushButton* compositesButton = nullptr;
    QGroupBox* frmTipo = nullptr;
    QButtonGroup* optTipo = nullptr;
    QGroupBox* frmTipoRisultato = nullptr;
    QButtonGroup* optTipoRisultato = nullptr;
    QLabel* lblDimensione = nullptr;
    QComboBox* cmbDimensione = nullptr;
    QPushButton* exportButton = nullptr;
    QHBoxLayout* structureLine = nullptr;
    QCheckBox* chkIgnoraStruttura = nullptr;
    QLabel* lblStruttura = nullptr;
    // The treatment of the matrix's missing values, when it has some.
    QLabel* lblMancanti = nullptr;
    // Below the grids: what the grids show, and the choice of the treatment
    // of missing values.
    QHBoxLayout* stateRow = nullptr;
    QLabel* stateLine = nullptr;
    QPushButton* gapsButton = nullptr;
    QPushButton* auditButton = nullptr;
    QSplitter* splitter = nullptr;
    QSplitter* dataSplitter = nullptr;
    QGroupBox* frmStruttura = nullptr;
    QTreeWidget* tvwStruttura = nullptr;
    QGroupBox* frmMatrice = nullptr;
    GridView* msfMatrice = nullptr;
    HintLabel* readingHint = nullptr;
    QGroupBox* Frame1 = nullptr;
    GridView* msfRisultati = nullptr;
    HintLabel* methodHint = nullptr;

private:
    QStringList m_compositeHeaders;
    QStringList m_compositeCodes;

    void buildMethodControls(QDialog* window);
    void buildStrip(QDialog* window);
    void buildDimensionChoice(QDialog* window);
    void buildStructureLine(QDialog* window);
    void buildStateLine(QDialog* window);
    void buildGrids(QDialog* window, TableModel* dataModel, TableModel* resultsModel);
};
