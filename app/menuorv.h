#pragma once

#include "shared/regional.h"
#include "ui/comparison/valutamp.h"
#include "ui/platform/dialogs.h"
#include "ui/processing/indicemp.h"
#include "ui/state/sharedstate.h"
#include "ui/timeseries/timeanalysiswindow.h"
#include "workflow/processing.h"

#include <QMainWindow>

#include <memory>

class BackgroundWork;
class ClockStatusBar;
class HelpWindow;
class MainMenuBar;
struct SaveOutcome;
class QMimeData;
class QGridLayout;
class QPushButton;
class QThread;

// The start-up window: selects the source matrix, opens the processing and
// comparison windows, and saves the workbook with every file produced from
// it. Closing it ends the program.
class MenuORV : public QMainWindow {
    Q_OBJECT

public:
    // loader reads the matrix when the processing window opens; by default
    // from the selected workbook. Saving runs off the window's thread (see
    // BackgroundWork).
    MenuORV(SharedState& state, Dialogs& dialogs, const Regional& regional,
            Processing::MatrixLoader loader = {}, QWidget* parent = nullptr);
    ~MenuORV() override;

    // The handlers of the four buttons.
    void cmdSelect_Click();
    void cmdElaborazione_Click();
    void cmdComparazione_Click();
    void cmdSalvataggio_Click();
    // Opens the time-analysis window on the selected workbook.
    void openTimeAnalysis();

    // The file dialog's filters for the source matrix: every format first,
    // then one filter per format.
    static QString workbookFilter();

    // Selects the workbook at path as a confirmed selection in the dialog
    // would (the program started with a file to open, a workbook of the
    // recent ones, a workbook dropped on the window).
    void selectWorkbook(const QString& path);
    // Whether path names a file the selection takes, by its extension.
    static bool isWorkbookFile(const QString& path);
    // Whether path names delimited text (.csv, .txt, .tsv): one sheet.
    static bool isDelimitedText(const QString& path);

    // The Aiuto menu: the user guide, and the version and licence.
    HelpWindow* showUserGuide();
    void showAbout();

    // The processing window and the comparison window, once opened.
    IndiceMP* indiceMP() const { return m_indiceMP; }
    ValutaMP* valutaMP() const { return m_valutaMP; }
    TimeAnalysisWindow* timeAnalysis() const { return m_timeAnalysis; }
    MainMenuBar* menus() const { return m_menus; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // A workbook dropped on the window is selected.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void build();
    QGridLayout* buildButtons(QWidget* central);
    void connectButtons();
    void buildMenus();
    // The one workbook that the drag brings, when the selection takes it;
    // empty otherwise.
    QString droppedWorkbook(const QMimeData* data) const;
    // Runs whenever the window becomes active again, and when a child
    // window closes: the save button follows bRisultati, the comparison
    // and time analysis buttons whether their windows can work on the
    // workbook (results to compare; more than one sheet).
    void updateButtons();
    void updateTimeAnalysisButton();
    // Counts the periods of the workbook at path off the window's thread;
    // the time analysis button follows once they are known.
    void countPeriodsOf(const QString& path);
    // stale: the files copied that are not current, each with the reason.
    void reportSave(const SaveOutcome& outcome, const QString& destination,
                    const QStringList& stale = {});

    SharedState& m_state;
    Dialogs& m_dialogs;
    Regional m_regional;
    // The matrix loaded by the processing window, which the comparison and
    // robustness windows read too.
    std::shared_ptr<Processing> m_processing;
    QString m_confirmedPath; // the path last confirmed in the selection dialog
    IndiceMP* m_indiceMP = nullptr;
    ValutaMP* m_valutaMP = nullptr;
    TimeAnalysisWindow* m_timeAnalysis = nullptr;

    QPushButton* m_cmdSelect = nullptr;
    QPushButton* m_cmdElaborazione = nullptr;
    QPushButton* m_cmdSalvataggio = nullptr;
    QPushButton* m_cmdComparazione = nullptr;
    QPushButton* m_timeAnalysisButton = nullptr;
    QString m_periodsOf;            // the workbook whose periods are counted
    int m_periods = -1;             // how many, up to two; -1 while not known or unreadable
    QList<QThread*> m_periodCounts; // the counts still running
    ClockStatusBar* m_stbStato = nullptr;
    BackgroundWork* m_work = nullptr;
    MainMenuBar* m_menus = nullptr;
    std::unique_ptr<HelpWindow> m_help;
};
