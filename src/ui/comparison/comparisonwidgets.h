#pragma once

#include <QCoreApplication>

class CograduationModel;
class GridView;
class HintLabel;
class QButtonGroup;
class QDialog;
class QGroupBox;
class QHBoxLayout;
class QListWidget;
class QPushButton;
class QWidget;
class ComparisonModel;

// The controls of the comparison window (ValutaMP), built into it: on the
// left the two lists of methods and the cograduation matrix, on the right
// the run button, the view switch and the results, below both the buttons
// that take the results out of the program.
struct ComparisonWidgets {
    Q_DECLARE_TR_FUNCTIONS(ValutaMP)

public:
    // The ids of the two view buttons: those of "Valori" and "Ranghi" in the
    // processing window, which also offers "Graduatoria" (1) between them.
    static constexpr int kValues = 0;
    static constexpr int kRanks = 2;

    ComparisonWidgets(QDialog* window, ComparisonModel* valuesModel, ComparisonModel* ranksModel,
                      CograduationModel* cograduationModel);

    QWidget* selection = nullptr; // the left half
    QWidget* results = nullptr;   // the right half
    QHBoxLayout* outputs = nullptr;

    QGroupBox* frmMatrice = nullptr;
    QListWidget* lstMetodi = nullptr;
    QListWidget* lstSelezionati = nullptr;
    QPushButton* allButton = nullptr; // every method listed, in the method table's order
    QGroupBox* Frame2 = nullptr;
    GridView* msfCograduazione = nullptr;
    QPushButton* cmdSelect = nullptr;
    QPushButton* robustnessButton = nullptr;
    QGroupBox* frmTipoRisultato = nullptr;
    QButtonGroup* optTipoRisultato = nullptr;
    QGroupBox* Frame1 = nullptr;
    GridView* msfRisultati = nullptr;
    GridView* msfRanking = nullptr;
    HintLabel* hint = nullptr;
    QPushButton* exportButton = nullptr;
    QPushButton* reportButton = nullptr;

private:
    void buildSelection(QDialog* window, CograduationModel* cograduationModel);
    void buildResults(QDialog* window, ComparisonModel* valuesModel, ComparisonModel* ranksModel);
    void buildOutputs(QDialog* window);
};
