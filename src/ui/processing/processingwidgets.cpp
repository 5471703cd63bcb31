#include "ui/processing/processingwidgets.h"

#include "methods/metodi.h"
#include "ui/grid/gridview.h"
#include "ui/grid/tablemodel.h"
#include "ui/platform/hintlabel.h"
#include "ui/platform/windowsetup.h"
#include "ui/processing/structuretree.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTreeWidget>

#include <algorithm>

ProcessingWidgets::ProcessingWidgets(QDialog* window, TableModel* dataModel,
                                     TableModel* resultsModel) {
    buildStrip(window);
    buildStructureLine(window);
    buildGrids(window, dataModel, resultsModel);
    buildStateLine(window);
}

QString ProcessingWidgets::resultsTitle(const QString& code) {
    const QString title = tr("Matrice dei risultati");
    return code.isEmpty() ? title : title + QStringLiteral(": ") + code;
}

void ProcessingWidgets::buildMethodControls(QDialog* window) {
    cmdSelect = new QPushButton(tr("Elaborazione automatica"), window);
    cmdSelect->setObjectName(QStringLiteral("cmdSelect"));
    cmdSelect->setAutoDefault(false);
    cmdSelect->setToolTip(tr("Esegue i nove metodi, poi i metodi personalizzati, uno dopo "
                             "l'altro nell'ordine dell'elenco"));

    lblMetodo = new QLabel(tr("Metodo"), window);
    lblMetodo->setObjectName(QStringLiteral("lblMetodo"));
    cmbMetodo = new QComboBox(window);
    cmbMetodo->setObjectName(QStringLiteral("cmbMetodo"));
    for (const MethodInfo& method : methodTable())
        cmbMetodo->addItem(methodCaption(method.entryText));
    cmbMetodo->setPlaceholderText(tr("Scegliere un metodo"));
    cmbMetodo->setCurrentIndex(-1);
    cmbMetodo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cmbMetodo->setMaxVisibleItems(9);
    lblMetodo->setBuddy(cmbMetodo);
    compositesButton = new QPushButton(tr("Metodi personalizzati..."), window);
    compositesButton->setObjectName(QStringLiteral("cmdMetodiPersonalizzati"));
    compositesButton->setAutoDefault(false);
    compositesButton->setToolTip(tr("Definisce, modifica ed elimina gli indici composti scelti "
                                    "per normalizzazione, aggregazione e costruzione"));
}

void ProcessingWidgets::listComposites(const std::vector<Composite>& composites,
                                       const QStringList& captions) {
    const int nine = int(methodTable().size());
    while (cmbMetodo->count() > nine)
        cmbMetodo->removeItem(nine);
    m_compositeHeaders.clear();
    m_compositeCodes.clear();
    for (std::size_t k = 0; k < composites.size(); ++k) {
        cmbMetodo->addItem(captions[qsizetype(k)]);
        cmbMetodo->setItemData(cmbMetodo->count() - 1, composites[k].definition(), Qt::ToolTipRole);
        m_compositeHeaders.append(composites[k].name);
        m_compositeCodes.append(composites[k].code);
    }
    cmbMetodo->setMaxVisibleItems(std::min(cmbMetodo->count(), 20));
}

void ProcessingWidgets::buildStrip(QDialog* window) {
    buildMethodControls(window);
    optTipo = new QButtonGroup(window);
    frmTipo = optionFrame(QStringLiteral("frmTipo"), tr("Visualizzazione matrice dei dati"),
                          QStringLiteral("optTipo"), {{0, tr("Sorgente")}, {1, tr("Trasformata")}},
                          optTipo, window);
    optTipoRisultato = new QButtonGroup(window);
    frmTipoRisultato = optionFrame(
        QStringLiteral("frmTipoRisultato"), tr("Visualizzazione matrice dei risultati"),
        QStringLiteral("optTipoRisultato"),
        {{0, tr("Valori")}, {1, tr("Graduatoria")}, {2, tr("Ranghi")}}, optTipoRisultato, window);
    // The grids do not move when the view frames appear.
    keepSpaceWhenHidden(frmTipo);
    keepSpaceWhenHidden(frmTipoRisultato);
    buildDimensionChoice(window);

    exportButton = new QPushButton(tr("Esporta risultati..."), window);
    exportButton->setObjectName(QStringLiteral("cmdEsporta"));
    exportButton->setAutoDefault(false);
    exportButton->setToolTip(tr("Scrive la matrice e i risultati dei metodi in una "
                                "cartella di Excel"));
    auditButton = new QPushButton(tr("Analisi statistica..."), window);
    auditButton->setObjectName(QStringLiteral("cmdAnalisi"));
    auditButton->setAutoDefault(false);
    auditButton->setToolTip(tr("Distribuzioni, correlazioni e coerenza degli indicatori; "
                               "trattamento dei valori anomali"));

    strip = new QHBoxLayout;
    strip->setSpacing(10);
    strip->addWidget(cmdSelect, 0, Qt::AlignVCenter);
    strip->addSpacing(6);
    strip->addWidget(lblMetodo, 0, Qt::AlignVCenter);
    strip->addWidget(cmbMetodo, 0, Qt::AlignVCenter);
    strip->addWidget(compositesButton, 0, Qt::AlignVCenter);
    strip->addSpacing(6);
    strip->addWidget(frmTipo);
    strip->addWidget(frmTipoRisultato);
    strip->addStretch(1);
    strip->addWidget(auditButton, 0, Qt::AlignVCenter);
    strip->addWidget(exportButton, 0, Qt::AlignVCenter);
}

void ProcessingWidgets::buildDimensionChoice(QDialog* window) {
    lblDimensione = new QLabel(tr("Dimensione"), window);
    lblDimensione->setObjectName(QStringLiteral("lblDimensione"));
    cmbDimensione = new QComboBox(window);
    cmbDimensione->setObjectName(QStringLiteral("cmbDimensione"));
    cmbDimensione->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cmbDimensione->setToolTip(tr("Il gruppo della struttura di cui la matrice dei risultati "
                                 "mostra gli indici"));
    lblDimensione->setBuddy(cmbDimensione);
    lblDimensione->hide();
    cmbDimensione->hide();
}

void ProcessingWidgets::buildStructureLine(QDialog* window) {
    chkIgnoraStruttura = new QCheckBox(tr("Ignora il foglio Struttura"), window);
    chkIgnoraStruttura->setObjectName(QStringLiteral("chkIgnoraStruttura"));
    chkIgnoraStruttura->setToolTip(tr("Legge la matrice senza dimensioni né pesi, per le "
                                      "cartelle il cui foglio Struttura è altro"));
    chkIgnoraStruttura->hide();
    lblStruttura = new QLabel(window);
    lblStruttura->setObjectName(QStringLiteral("lblStruttura"));
    lblStruttura->hide();
    lblMancanti = new QLabel(window);
    lblMancanti->setObjectName(QStringLiteral("lblMancanti"));
    lblMancanti->hide();
    structureLine = new QHBoxLayout;
    structureLine->setSpacing(10);
    structureLine->addWidget(chkIgnoraStruttura);
    structureLine->addWidget(lblStruttura, 1);
    structureLine->addWidget(lblMancanti, 1);
    structureLine->addWidget(lblDimensione);
    structureLine->addWidget(cmbDimensione);
}

void ProcessingWidgets::buildStateLine(QDialog* window) {
    stateLine = new QLabel(window);
    stateLine->setObjectName(QStringLiteral("lblStato"));
    stateLine->setWordWrap(true);
    gapsButton = new QPushButton(tr("Valori mancanti..."), window);
    gapsButton->setObjectName(QStringLiteral("cmdMancanti"));
    gapsButton->setAutoDefault(false);
    gapsButton->setToolTip(tr("Sceglie il trattamento dei valori mancanti e rilegge la matrice"));
    stateRow = new QHBoxLayout;
    stateRow->addWidget(stateLine, 1);
    stateRow->addWidget(gapsButton);
}

void ProcessingWidgets::showStructure(const Structure* structure, const Regional& regional) {
    cmbDimensione->clear();
    if (!structure) {
        lblStruttura->clear();
        tvwStruttura->clear();
        return;
    }
    chkIgnoraStruttura->show();
    lblStruttura->setText(structureSummary(*structure));
    lblStruttura->show();
    fillStructureTree(*tvwStruttura, *structure, regional);
    showStructureTree(true);
    cmbDimensione->addItem(structure->elements[std::size_t(structure->root)].name);
    for (const int group : structure->groups)
        cmbDimensione->addItem(structure->elements[std::size_t(group)].name);
    // Each matrix opens on the overall index.
    cmbDimensione->setCurrentIndex(0);
}

void ProcessingWidgets::hideForLoading() {
    lblMetodo->hide();
    cmbMetodo->hide();
    compositesButton->hide();
    frmTipo->hide();
    frmTipoRisultato->hide();
    showResults(false);
    msfMatrice->hide();
    lblDimensione->hide();
    cmbDimensione->hide();
    showStructureTree(false);
    lblStruttura->hide();
    lblMancanti->hide();
    chkIgnoraStruttura->setVisible(chkIgnoraStruttura->isChecked());
    readingHint->show();
    Frame1->setTitle(resultsTitle());
    Frame1->setToolTip(QString());
}

void ProcessingWidgets::showMethod(int position, const QString& caption) {
    cmbMetodo->setCurrentIndex(position);
    Frame1->setToolTip(caption);
    lblMetodo->show();
    cmbMetodo->show();
    frmTipo->show();
    frmTipoRisultato->show();
    const bool groups = cmbDimensione->count() > 0;
    lblDimensione->setVisible(groups);
    cmbDimensione->setVisible(groups);
    showResults(true);
    msfMatrice->show();
    optTipo->button(0)->setChecked(true);
    optTipoRisultato->button(0)->setChecked(true);
}

// The results pane keeps its width when the window changes size.
void ProcessingWidgets::buildGrids(QDialog* window, TableModel* dataModel,
                                   TableModel* resultsModel) {
    msfMatrice = new GridView(window);
    msfMatrice->setObjectName(QStringLiteral("msfMatrice"));
    msfMatrice->setGridModel(dataModel);
    msfMatrice->enableSorting();
    msfRisultati = new GridView(window);
    msfRisultati->setObjectName(QStringLiteral("msfRisultati"));
    msfRisultati->setGridModel(resultsModel);
    msfRisultati->enableSorting();

    frmMatrice =
        gridFrame(QStringLiteral("frmMatrice"), tr("Matrice dei dati"), msfMatrice, window);
    readingHint = new HintLabel(QStringLiteral("lblAttesa"), frmMatrice);
    readingHint->setText(tr("Lettura della matrice in corso..."));
    readingHint->hide();
    frmMatrice->layout()->addWidget(readingHint);

    Frame1 = gridFrame(QStringLiteral("Frame1"), resultsTitle(), msfRisultati, window);
    methodHint = new HintLabel(QStringLiteral("lblSuggerimento"), Frame1);
    methodHint->setText(tr("Scegliere un metodo nell'elenco «Metodo» oppure "
                           "avviare l'«Elaborazione automatica»."));
    Frame1->layout()->addWidget(methodHint);

    tvwStruttura = new QTreeWidget(window);
    tvwStruttura->setObjectName(QStringLiteral("tvwStruttura"));
    tvwStruttura->setHeaderLabels({tr("Elemento"), tr("Peso"), tr("Peso effettivo")});
    tvwStruttura->setUniformRowHeights(true);
    tvwStruttura->setSelectionMode(QAbstractItemView::NoSelection);
    frmStruttura = gridFrame(QStringLiteral("frmStruttura"), tr("Struttura"), tvwStruttura, window);
    frmStruttura->hide();

    // The structure and the data grid share the data side.
    dataSplitter = new QSplitter(Qt::Horizontal, window);
    dataSplitter->setObjectName(QStringLiteral("dataSplitter"));
    dataSplitter->setChildrenCollapsible(false);
    dataSplitter->addWidget(frmStruttura);
    dataSplitter->addWidget(frmMatrice);
    dataSplitter->setStretchFactor(0, 0);
    dataSplitter->setStretchFactor(1, 1);

    splitter = new QSplitter(Qt::Horizontal, window);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(dataSplitter);
    splitter->addWidget(Frame1);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
}

void ProcessingWidgets::showStructureTree(bool visible) {
    frmStruttura->setVisible(visible);
    if (!visible)
        return;
    int columns = 0;
    for (int column = 0; column < tvwStruttura->columnCount(); ++column) {
        tvwStruttura->resizeColumnToContents(column);
        columns += tvwStruttura->columnWidth(column);
    }
    const QMargins margins =
        frmStruttura->contentsMargins() + frmStruttura->layout()->contentsMargins();
    const int wanted = columns + 2 * tvwStruttura->frameWidth() + margins.left() + margins.right() +
                       tvwStruttura->verticalScrollBar()->sizeHint().width();
    const int total = dataSplitter->width() - dataSplitter->handleWidth();
    // The composites' columns may take the tree to half the data side.
    const int share = tvwStruttura->columnCount() > 3 ? total / 2 : total * 2 / 5;
    const int tree = total > 0 ? std::min(wanted, share) : wanted;
    // In a narrower tree the names give way (their tool tips hold them
    // whole), and the weights stay in full.
    const int names = tvwStruttura->columnWidth(0);
    if (tree < wanted)
        tvwStruttura->setColumnWidth(0, std::max(names - (wanted - tree), names / 3));
    dataSplitter->setSizes({tree, std::max(total - tree, 1)});
}

void ProcessingWidgets::showResults(bool visible) {
    msfRisultati->setVisible(visible);
    methodHint->setVisible(!visible);
}

int ProcessingWidgets::resultsPaneWidth(int units, const Regional& regional) {
    const QFontMetrics metrics(msfRisultati->font());
    int values = 0;
    for (const MethodInfo& method : methodTable())
        values = std::max(values, metrics.horizontalAdvance(method.indexHeader));
    for (const QString& header : m_compositeHeaders)
        values = std::max(values, metrics.horizontalAdvance(header));
    const double sample = -std::max(1000.0, double(units));
    values = std::max(values, metrics.horizontalAdvance(regional.indexText(sample)));
    values += metrics.horizontalAdvance(u'W');
    const int grid = msfMatrice->gridColumnWidth(0) + values +
                     msfRisultati->verticalScrollBar()->sizeHint().width() +
                     2 * msfRisultati->frameWidth() + 4;
    const QMargins margins = Frame1->contentsMargins() + Frame1->layout()->contentsMargins();
    // Never narrower than the frame needs with the grid on view and any
    // method's code in its caption.
    const QString caption = Frame1->title();
    const bool hint = methodHint->isVisibleTo(Frame1);
    showResults(true);
    int minimum = 0;
    QStringList codes = m_compositeCodes;
    for (const MethodInfo& method : methodTable())
        codes.append(method.code);
    for (const QString& code : codes) {
        Frame1->setTitle(resultsTitle(code));
        minimum = std::max(minimum, Frame1->minimumSizeHint().width());
    }
    Frame1->setTitle(caption);
    showResults(!hint);
    return std::max(grid + margins.left() + margins.right(), minimum);
}

int ProcessingWidgets::fittedResultsWidth() const {
    const QMargins margins = Frame1->contentsMargins() + Frame1->layout()->contentsMargins();
    return msfRisultati->gridColumnWidth(0) + msfRisultati->gridColumnWidth(1) +
           msfRisultati->verticalScrollBar()->sizeHint().width() + 2 * msfRisultati->frameWidth() +
           4 + margins.left() + margins.right();
}

void ProcessingWidgets::divide(int resultsWidth) {
    if (resultsWidth <= 0)
        return;
    const int total = splitter->width() - splitter->handleWidth();
    if (total <= 0)
        return;
    const int results = std::clamp(resultsWidth, 160, total / 2);
    splitter->setSizes({total - results, results});
}
