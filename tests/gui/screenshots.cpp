// Writes pictures of the windows for the documentation: the main window (also
// with its File menu open), the user guide, the processing window after a method run on the
// sample workbook, the comparison window after comparing all nine methods (and sorted by the
// first), the matrix dialog beside the files written, the pages of the robustness window (a
// unit's tooltip shown over the scatter), the time analysis of the sample panel, the processing
// window on the sample framework (and its state line), the statistical audit of that framework, the
// processing window on the sample with gaps, the processing window and the composites dialog
// on the HDI example, and a refusal message. Reads the sample workbook
// (.xlsx, else .xls) when a reader can; otherwise loads the same figures from memory.
//
//   orvalta_screenshots <output folder>
#include "helpwindow.h"
#include "mainmenubar.h"
#include "menuorv.h"
#include "support/guitestsupport.h"
#include "support/recordingdialogs.h"
#include "support/scratchsettings.h"
#include "ui/audit/auditwindow.h"
#include "ui/charts/chartexport.h"
#include "ui/comparison/valutamp.h"
#include "ui/grid/gridview.h"
#include "ui/grid/rowselection.h"
#include "ui/mappage/mappage.h"
#include "ui/mappage/mapview.h"
#include "ui/platform/interfacelanguage.h"
#include "ui/platform/qtdialogs.h"
#include "ui/processing/compositesdialog.h"
#include "ui/robustness/robustnesswindow.h"
#include "ui/timeseries/timeanalysiswindow.h"
#include "workbook/caricamatrice.h"
#include "workflow/compositerun.h"
#include "workflow/processing.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QScatterSeries>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextStream>
#include <QToolTip>

namespace {

bool save(QWidget& widget, const QString& path) {
    widget.repaint();
    QCoreApplication::processEvents();
    const bool ok = widget.grab().save(path);
    QTextStream(stdout) << (ok ? "scritto " : "non scritto ") << path << '\n';
    return ok;
}

// The window with its File menu open over it.
bool saveWithFileMenu(MenuORV& window, const QString& path) {
    QMenu* file = window.menus()->fileMenu();
    const QRect title = window.menus()->actionGeometry(file->menuAction());
    file->popup(window.menus()->mapToGlobal(title.bottomLeft()));
    QCoreApplication::processEvents();
    QPixmap shot = window.grab();
    {
        QPainter painter(&shot);
        painter.drawPixmap(window.mapFromGlobal(file->pos()), file->grab());
    }
    file->hide();
    const bool ok = shot.save(path);
    QTextStream(stdout) << (ok ? "scritto " : "non scritto ") << path << '\n';
    return ok;
}

// The window with the tooltip of the unit at point `point` of the chart's
// first scatter, shown by the mouse resting on the point; the tooltip, a
// window of its own, painted over the window's picture where it shows.
// False when no tooltip shows.
bool saveWithTip(QWidget& window, QChartView* view, int point, const QString& path) {
    QScatterSeries* points = nullptr;
    for (QAbstractSeries* series : view->chart()->series())
        points = points ? points : qobject_cast<QScatterSeries*>(series);
    if (!points || point >= points->count())
        return false;
    if (tipAfterHover(view, points, points->at(point)).isEmpty()) {
        QTextStream(stdout) << "nessun suggerimento al passaggio del mouse: " << path << '\n';
        return false;
    }
    QPixmap shot = window.grab();
    for (QWidget* tip : QApplication::topLevelWidgets())
        if (tip->inherits("QTipLabel") && tip->isVisible()) {
            QPainter painter(&shot);
            painter.drawPixmap(window.mapFromGlobal(tip->pos()), tip->grab());
        }
    QToolTip::hideText();
    const bool ok = shot.save(path);
    QTextStream(stdout) << (ok ? "scritto " : "non scritto ") << path << '\n';
    return ok;
}

// The chart as its Esporta grafico writes it, 1,200 pixels wide.
bool saveChart(QChartView* view, const QString& path) {
    const QImage image = chartImage(view, ImageSize{1200, 150});
    const bool ok = !image.isNull() && image.save(path);
    QTextStream(stdout) << (ok ? "scritto " : "non scritto ") << path << '\n';
    return ok;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // LANGUAGE=en gives the pictures of the English windows.
    installInterfaceLanguage(app, QLocale::system().uiLanguages());
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(output);

    // The workbook lies in a folder of its own, as a user would keep it.
    const QString folder = QDir::tempPath() + QStringLiteral("/Statistiche regionali");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);

    // The first sample workbook the readers can read; the same figures from
    // memory when neither can.
    const Regional regional{QLocale(QLocale::Italian, QLocale::Italy)};
    Processing::MatrixLoader loader;
    QString workbook;
    for (const char* name : {"regioni.xlsx", "regioni.xls"}) {
        workbook = folder + u'/' + QString::fromLatin1(name);
        QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/") + QString::fromLatin1(name), workbook);
        if (Processing(regional).load(workbook))
            break;
        workbook.clear();
    }
    if (workbook.isEmpty()) {
        QTextStream(stdout) << "nessun lettore legge l'esempio: dati dell'esempio in memoria\n";
        workbook = folder + QStringLiteral("/regioni.xlsx");
        loader = memoryLoader(regioniEsempio(), regional);
    } else {
        QTextStream(stdout) << "letto " << workbook << '\n';
    }

    // The pictures never take the user's sizes and workbooks, nor leave
    // theirs.
    const ScratchSettings settings;
    SharedState state;
    RecordingDialogs dialogs;
    dialogs.workbookAnswers.append(workbook);
    MenuORV menu(state, dialogs, regional, loader);
    menu.show();
    menu.cmdSelect_Click();
    menu.cmdElaborazione_Click();
    IndiceMP* processing = menu.indiceMP();
    if (!processing || !processing->isVisible())
        return 1;
    processing->resize(1180, 640);
    QCoreApplication::processEvents();
    bool ok = save(*processing, output + QStringLiteral("/processing-window-loaded.png"));
    auto* combo = processing->findChild<QComboBox*>(QStringLiteral("cmbMetodo"));
    combo->setCurrentIndex(0);
    processing->cmbMetodo_Click();
    ok = save(*processing, output + QStringLiteral("/processing-window.png")) && ok;
    processing->cmdSelect_Click(); // all nine methods, for the comparison
    processing->reject();
    QCoreApplication::processEvents();
    ok = save(menu, output + QStringLiteral("/main-window.png")) && ok;
    ok = saveWithFileMenu(menu, output + QStringLiteral("/main-window-menu.png")) && ok;
    HelpWindow* guide = menu.showUserGuide();
    guide->resize(820, 640);
    ok = save(*guide, output + QStringLiteral("/help-window.png")) && ok;
    guide->close();

    // Every method moved to the comparison with "Tutti", MPI+ first, then
    // compared.
    menu.cmdComparazione_Click();
    ValutaMP* comparison = menu.valutaMP();
    if (!comparison || !comparison->isVisible())
        return 1;
    comparison->resize(1280, 760);
    QCoreApplication::processEvents();
    ok = save(*comparison, output + QStringLiteral("/comparison-window-opened.png")) && ok;
    comparison->chooseAll();
    if (comparison->cmdSelect_Click() != ValutaMP::RunOutcome::Saved)
        return 1;
    ok = save(*comparison, output + QStringLiteral("/comparison-window.png")) && ok;
    // The values sorted by the first method's, highest first.
    comparison->msfRisultati()->sortByColumn(0, Qt::DescendingOrder);
    ok = save(*comparison, output + QStringLiteral("/comparison-window-sorted.png")) && ok;
    comparison->msfRisultati()->sortByColumn(-1, Qt::AscendingOrder);

    // The matrix dialog on the workbook's folder: the files written so far
    // are left out.
    {
        const auto dialog = QtDialogs::workbookDialog(
            QCoreApplication::translate("MenuORV", "Seleziona la matrice sorgente"),
            MenuORV::workbookFilter(), folder, nullptr);
        dialog->resize(860, 460);
        dialog->show();
        QElapsedTimer listing;
        listing.start();
        while (listing.elapsed() < 1500)
            QCoreApplication::processEvents();
        ok = save(*dialog, output + QStringLiteral("/selection-dialog.png")) && ok;
    }

    // The robustness window on that comparison: each page, two units
    // highlighted in the bump chart.
    RobustnessWindow* robustness = comparison->openRobustness();
    if (!robustness)
        return 1;
    robustness->resize(1280, 800);
    QCoreApplication::processEvents();
    ok = save(*robustness, output + QStringLiteral("/robustness-ranks.png")) && ok;
    const RobustnessPages& pages = robustness->pages();
    pages.sensitivity->methodCombo()->setCurrentIndex(0);
    robustness->computeSensitivity();
    pages.pages->setCurrentIndex(1);
    ok = save(*robustness, output + QStringLiteral("/robustness-sensitivity.png")) && ok;
    robustness->computeUncertainty();
    pages.pages->setCurrentIndex(2);
    ok = save(*robustness, output + QStringLiteral("/robustness-uncertainty.png")) && ok;
    pages.summaryGrid->selectRow(0);
    pages.summaryGrid->selectionModel()->select(pages.summaryGrid->model()->index(12, 0),
                                                QItemSelectionModel::Select |
                                                    QItemSelectionModel::Rows);
    pages.yAxisCombo->setCurrentIndex(4);
    pages.pages->setCurrentIndex(3);
    ok = save(*robustness, output + QStringLiteral("/robustness-charts.png")) && ok;
    ok = saveWithTip(*robustness, pages.scatterChart, 3,
                     output + QStringLiteral("/robustness-chart-tooltip.png")) &&
         ok;
    // The Monte Carlo page: every method, weights within 25%, one indicator
    // left out, with the Sobol indices.
    pages.monteCarlo->controls().weights->setValue(0.25);
    pages.monteCarlo->controls().leaveOut->setChecked(true);
    pages.monteCarlo->controls().runs->setValue(200);
    pages.monteCarlo->controls().sobol->setChecked(true);
    pages.pages->setCurrentIndex(4);
    ok = robustness->computeMonteCarlo() == RobustnessWindow::Outcome::Saved && ok;
    ok = save(*robustness, output + QStringLiteral("/robustness-montecarlo.png")) && ok;
    ok = saveChart(pages.monteCarlo->controls().indices,
                   output + QStringLiteral("/sobol-chart.png")) &&
         ok;
    robustness->reject();
    comparison->reject();
    QCoreApplication::processEvents();

    // The time analysis of the sample panel, four regions charted.
    const QString panel = folder + QStringLiteral("/regioni_periodi.xlsx");
    QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni_periodi.xlsx"), panel);
    menu.selectWorkbook(panel);
    menu.openTimeAnalysis();
    TimeAnalysisWindow* time = menu.timeAnalysis();
    if (!time || !time->isVisible())
        return 1;
    time->resize(1180, 820);
    for (const int row : {2, 11, 14, 17})
        time->valuesGrid()->selectionModel()->select(time->valuesGrid()->model()->index(row, 0),
                                                     QItemSelectionModel::Select |
                                                         QItemSelectionModel::Rows);
    QCoreApplication::processEvents();
    ok = save(*time, output + QStringLiteral("/time-analysis-window.png")) && ok;
    time->reject();
    QCoreApplication::processEvents();

    // The processing window on the sample framework: its tree, and the
    // indices of one dimension under the method of rankings.
    const QString framework = folder + QStringLiteral("/regioni_struttura.xlsx");
    QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni_struttura.xlsx"), framework);
    menu.selectWorkbook(framework);
    menu.cmdElaborazione_Click();
    if (!processing->isVisible())
        return 1;
    processing->resize(1280, 700);
    QCoreApplication::processEvents();
    combo->setCurrentIndex(0);
    processing->cmbMetodo_Click();
    auto* groups = processing->findChild<QComboBox*>(QStringLiteral("cmbDimensione"));
    groups->setCurrentIndex(1);
    processing->cmbDimensione_Click();
    ok = save(*processing, output + QStringLiteral("/processing-window-structure.png")) && ok;
    // Its state line, the full width of the window.
    if (const auto* state = processing->findChild<QLabel*>(QStringLiteral("lblStato")))
        ok = processing->grab(QRect(0, state->y() - 6, processing->width(), state->height() + 12))
                 .save(output + QStringLiteral("/processing-window-state.png")) &&
             ok;
    processing->reject();
    QCoreApplication::processEvents();
    // The statistical audit of the sample with a structure: the indicators
    // and the correlation heatmap with its groups outlined.
    auto audited = std::make_shared<Processing>(regional);
    if (audited->load(framework)) {
        AuditWindow audit(audited, dialogs, regional);
        audit.resize(1180, 760);
        audit.show();
        audit.analyse();
        auto* pages = audit.findChild<QTabWidget*>();
        ok = save(audit, output + QStringLiteral("/audit-indicators.png")) && ok;
        pages->setCurrentIndex(1);
        ok = save(audit, output + QStringLiteral("/audit-correlations.png")) && ok;
    }

    // The processing window on the sample with gaps, filled with the
    // indicators' means.
    const QString gappy = folder + QStringLiteral("/regioni_lacune.xlsx");
    QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni_lacune.xlsx"), gappy);
    dialogs.choiceAnswers.append(1);
    menu.selectWorkbook(gappy);
    menu.cmdElaborazione_Click();
    ok = processing->isVisible() && ok;
    processing->resize(1280, 700);
    QCoreApplication::processEvents();
    ok = save(*processing, output + QStringLiteral("/processing-window-gaps.png")) && ok;
    processing->reject();
    QCoreApplication::processEvents();

    // The processing window on the HDI example, its first composite run;
    // the composites dialog on it, as it shows composites kept in the file
    // beside the workbook (the example's own Metodi sheet shows them
    // read-only).
    const QString hdi = folder + QStringLiteral("/sviluppo_umano.xlsx");
    QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/sviluppo_umano.xlsx"), hdi);
    menu.selectWorkbook(hdi);
    menu.cmdElaborazione_Click();
    ok = processing->isVisible() && combo->count() > 9 && ok;
    processing->resize(1500, 700);
    QCoreApplication::processEvents();
    combo->setCurrentIndex(9);
    processing->cmbMetodo_Click();
    ok = save(*processing, output + QStringLiteral("/processing-window-composite.png")) && ok;
    processing->reject();
    QCoreApplication::processEvents();
    Processing hdiProcessing(regional);
    const Expected<CompositeList> hdiComposites =
        hdiProcessing.load(hdi) ? loadComposites(hdiProcessing, QString(), regional)
                                : Expected<CompositeList>(CompositeList());
    ok = hdiComposites && !hdiComposites->composites.empty() && ok;
    if (hdiComposites) {
        CompositesDialog composites(hdi, *hdiComposites, QString(), QString(), dialogs);
        composites.show();
        ok = save(composites, output + QStringLiteral("/composites-dialog.png")) && ok;
    }

    // The map page of the processing window on the member states of the
    // European Union, drawn on the boundary file beside the workbook, two
    // states chosen in the grid.
    const QString europe = folder + QStringLiteral("/europa.xlsx");
    QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/europa.xlsx"), europe);
    QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/europa.confini.geojson"),
                folder + QStringLiteral("/europa.confini.geojson"));
    menu.selectWorkbook(europe);
    menu.cmdElaborazione_Click();
    ok = processing->isVisible() && ok;
    processing->resize(1180, 900);
    combo->setCurrentIndex(0);
    processing->cmbMetodo_Click();
    processing->pages()->setCurrentWidget(processing->mapPage());
    selectRows(*processing->msfMatrice(), {4, 11});
    QElapsedTimer drawing;
    drawing.start();
    // Drawn at the size the page settles on once its notes are laid out.
    while ((drawing.elapsed() < 1000 || !processing->mapPage()->view()->isCurrent()) &&
           drawing.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ok = save(*processing, output + QStringLiteral("/processing-window-map.png")) && ok;
    processing->reject();
    QCoreApplication::processEvents();

    // A matrix refused for a number written with a decimal comma, read under
    // C settings: the message locates the cell and explains the separator.
    const QString refusedCsv = folder + QStringLiteral("/regioni_virgola.csv");
    {
        QFile csv(refusedCsv);
        csv.open(QIODevice::WriteOnly);
        csv.write("Regione,PIL pro capite (migliaia di euro),Occupati (%)\n"
                  "Piemonte,31.2,66.1\nValle d'Aosta,\"35,4\",68.2\nLombardia,38.9,67.7\n");
    }
    const Expected<Matrix> refusedMatrix = carica_matrice(refusedCsv, Regional{QLocale::c()});
    auto box = QtDialogs::messageBox(refusedMatrix ? QString() : refusedMatrix.error().message,
                                     QStringLiteral("Orvalta"), Dialogs::Icon::None, nullptr);
    box->show();
    ok = save(*box, output + QStringLiteral("/refusal-message.png")) && ok;

    QDir(folder).removeRecursively();
    return ok ? 0 : 1;
}
