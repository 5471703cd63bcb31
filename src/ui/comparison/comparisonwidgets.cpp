#include "ui/comparison/comparisonwidgets.h"

#include "ui/comparison/comparisonmodel.h"

#include "ui/grid/coefficientlegend.h"
#include "ui/grid/cograduationmodel.h"
#include "ui/grid/gridview.h"
#include "ui/platform/hintlabel.h"
#include "ui/platform/windowsetup.h"

#include <QButtonGroup>
#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QFrame* separator(const QString& name, QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QListWidget* methodList(const QString& name, const QString& tip, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setToolTip(tip);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setDragEnabled(false);
    list->setUniformItemSizes(true);
    // Nine methods fit without scrolling.
    const int row = list->fontMetrics().height() + 4;
    list->setMinimumHeight(4 * row);
    list->setMaximumHeight(9 * row + 2 * list->frameWidth() + 6);
    return list;
}

QPushButton* button(const QString& name, const QString& caption, const QString& tip,
                    QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setToolTip(tip);
    return b;
}

} // namespace

ComparisonWidgets::ComparisonWidgets(QDialog* window, ComparisonModel* valuesModel,
                                     ComparisonModel* ranksModel,
                                     CograduationModel* cograduationModel) {
    buildSelection(window, cograduationModel);
    buildResults(window, valuesModel, ranksModel);
    buildOutputs(window);
}

// Left half: the two lists, then the cograduation matrix.
void ComparisonWidgets::buildSelection(QDialog* window, CograduationModel* cograduationModel) {
    frmMatrice = new QGroupBox(tr("Selezione dei metodi elaborati"), window);
    frmMatrice->setObjectName(QStringLiteral("frmMatrice"));
    lstMetodi = methodList(QStringLiteral("lstMetodi"),
                           tr("Doppio clic su un metodo per aggiungerlo al confronto"), frmMatrice);
    lstSelezionati =
        methodList(QStringLiteral("lstSelezionati"),
                   tr("Doppio clic su un metodo per toglierlo dal confronto"), frmMatrice);
    auto* lblMetodi = new QLabel(tr("&Metodi elaborati"), frmMatrice);
    lblMetodi->setObjectName(QStringLiteral("lblMetodi"));
    lblMetodi->setBuddy(lstMetodi);
    auto* lblSelezionati = new QLabel(
        tr("Metodi da &confrontare (il primo è il riferimento di Robustezza)"), frmMatrice);
    lblSelezionati->setObjectName(QStringLiteral("lblSelezionati"));
    lblSelezionati->setBuddy(lstSelezionati);
    allButton = button(QStringLiteral("cmdTutti"), tr("&Tutti"),
                       tr("Confronta tutti i metodi elaborati, nell'ordine della lista dei "
                          "metodi (MPI+ per primo)"),
                       frmMatrice);
    // "Tutti" beside the first list's label; the label of the second says
    // what its order means, and gives way when the pane is narrow.
    auto* listedHeader = new QHBoxLayout;
    listedHeader->setContentsMargins(0, 0, 0, 0);
    listedHeader->addWidget(lblMetodi, 1);
    listedHeader->addWidget(allButton);
    lblSelezionati->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblSelezionati->setToolTip(lblSelezionati->text().remove(u'&'));

    msfCograduazione = new GridView(window);
    msfCograduazione->setObjectName(QStringLiteral("msfCograduazione"));
    msfCograduazione->setGridModel(cograduationModel);
    Frame2 = gridFrame(QStringLiteral("Frame2"), tr("Matrice di cograduazione"), msfCograduazione,
                       frmMatrice);

    auto* layout = new QVBoxLayout(frmMatrice);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(4);
    layout->addLayout(listedHeader);
    layout->addWidget(lstMetodi);
    layout->addSpacing(2);
    layout->addWidget(lblSelezionati);
    layout->addWidget(lstSelezionati);
    layout->addSpacing(4);
    layout->addWidget(separator(QStringLiteral("Line2"), frmMatrice));
    layout->addSpacing(4);
    layout->addWidget(Frame2, 1);
    selection = frmMatrice;
}

// Right half: the run button and the view switch, then the results.
void ComparisonWidgets::buildResults(QDialog* window, ComparisonModel* valuesModel,
                                     ComparisonModel* ranksModel) {
    cmdSelect = button(QStringLiteral("cmdSelect"), tr("Valutazione Metodi"),
                       tr("Confronta i metodi selezionati e salva il confronto "
                          "accanto alla matrice sorgente"),
                       window);
    optTipoRisultato = new QButtonGroup(window);
    frmTipoRisultato =
        optionFrame(QStringLiteral("frmTipoRisultato"), tr("Visualizzazione matrice dei risultati"),
                    QStringLiteral("optTipoRisultato"),
                    {{kValues, tr("Valori")}, {kRanks, tr("Ranghi")}}, optTipoRisultato, window);
    robustnessButton = button(QStringLiteral("cmdRobustezza"), tr("Robustezza..."),
                              tr("Quanto sono stabili i ranghi: intervalli, Kendall, "
                                 "sensibilità agli indicatori, incertezza, grafici"),
                              window);
    // The results do not move when the strip's controls appear.
    keepSpaceWhenHidden(cmdSelect);
    keepSpaceWhenHidden(robustnessButton);
    keepSpaceWhenHidden(frmTipoRisultato);
    auto* strip = new QHBoxLayout;
    strip->setSpacing(10);
    // The two buttons one above the other: the strip keeps its width.
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(4);
    buttons->addWidget(cmdSelect);
    buttons->addWidget(robustnessButton);
    strip->addLayout(buttons);
    strip->addWidget(frmTipoRisultato);
    strip->addStretch(1);

    // The values and the ranks grid lie on each other; only the visible one
    // is seen.
    msfRisultati = new GridView(window);
    msfRisultati->setObjectName(QStringLiteral("msfRisultati"));
    msfRisultati->setGridModel(valuesModel);
    msfRisultati->enableSorting();
    msfRanking = new GridView(window);
    msfRanking->setObjectName(QStringLiteral("msfRanking"));
    msfRanking->setGridModel(ranksModel);
    msfRanking->enableSorting();
    Frame1 = new QGroupBox(tr("Matrice dei risultati"), window);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    hint = new HintLabel(QStringLiteral("lblSuggerimento"), Frame1);
    auto* grids = new QGridLayout(Frame1);
    grids->setContentsMargins(6, 6, 6, 6);
    grids->addWidget(msfRisultati, 0, 0);
    grids->addWidget(msfRanking, 0, 0);
    grids->addWidget(hint, 0, 0);

    results = new QWidget(window);
    auto* layout = new QVBoxLayout(results);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addLayout(strip);
    layout->addWidget(Frame1, 1);
}

// The row under both halves: the results leave the program from here.
void ComparisonWidgets::buildOutputs(QDialog* window) {
    exportButton = button(QStringLiteral("cmdEsporta"), tr("Esporta risultati..."),
                          tr("Scrive la matrice, i risultati e i confronti in una "
                             "cartella di Excel"),
                          window);
    reportButton = button(QStringLiteral("cmdRapporto"), tr("Rapporto PDF..."),
                          tr("Scrive un rapporto sui risultati in un documento "
                             "PDF"),
                          window);
    // The legend of the cograduation matrix's shades, as low as the buttons,
    // so that the matrix keeps its height: its type shrinks to fit.
    auto* legend = new CoefficientLegend(window);
    legend->setFixedHeight(exportButton->sizeHint().height());
    outputs = new QHBoxLayout;
    outputs->addWidget(legend, 1);
    outputs->addSpacing(12);
    outputs->addWidget(exportButton);
    outputs->addWidget(reportButton);
}
