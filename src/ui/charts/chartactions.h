#pragma once

#include "shared/resultnames.h"
#include "ui/charts/chartexport.h"
#include "ui/platform/imagesize.h"

#include <QObject>
#include <QString>

#include <functional>

class ClockStatusBar;
class Dialogs;
class QAction;
class QChartView;
class QPushButton;
class QWidget;

// What can be done with a chart: "Esporta grafico..." (asks a name, PNG,
// SVG or PDF, then the size, and writes the file) and "Copia" (the image to
// the clipboard), the same words in the chart's context menu and on the
// window's buttons. Each tells what it did through done(), for the window's
// status bar; a failure is reported through the dialogs. The size chosen
// last is offered next and used by the copy.
class ChartActions : public QObject {
    Q_OBJECT

public:
    // The actions of view, which also fill its context menu; they live as
    // long as the view.
    ChartActions(QChartView* view, Dialogs& dialogs);
    // The same actions over a widget that is not a chart view, written and
    // copied as picture draws it.
    ChartActions(QWidget* view, ChartPicture picture, Dialogs& dialogs);

    // The actions given to view, or null.
    static ChartActions* of(QWidget* view);

    // The name the export proposes, asked at each export (the workbook
    // may change); none by default.
    void setSuggestedPath(std::function<QString()> suggestedPath);

    // Records each export beside workbook() (when it is not empty) in its
    // record: what the chart shows (chart, and the title it has then) and
    // the files it is drawn from (the matrix, and the result files of chart).
    void setRecordOrigin(std::function<QString()> workbook, std::function<ChartFile()> chart);
    // More files the picture is drawn from, recorded with those of its
    // chart (a map's boundaries and the results it shows).
    void setRecordInputs(std::function<QStringList()> inputs);

    // Called with true before an image of the chart is made and with false
    // after: a chart that draws more on screen than it means to publish
    // (the units highlighted at the moment) leaves it out of images.
    void setImageDrawing(std::function<void(bool drawing)> drawing);

    QAction* exportAction() const { return m_export; }
    QAction* copyAction() const { return m_copy; }
    // A push button that triggers action, with its words, named name.
    static QPushButton* button(QAction* action, const QString& name, QWidget* parent);

    // The handlers of the two actions.
    void exportChart();
    void copyChart();

    // The size offered by the next export and used by a copy.
    static ImageSize& lastSize();

Q_SIGNALS:
    // A file written (file: its path) or the image copied (file empty): the
    // text for the status bar.
    void done(const QString& text, const QString& file);

private:
    QWidget* m_view;
    ChartPicture m_picture;
    Dialogs& m_dialogs;
    std::function<QString()> m_suggestedPath;
    std::function<void(bool)> m_imageDrawing;
    std::function<QString()> m_workbook;
    std::function<ChartFile()> m_chart;
    std::function<QStringList()> m_inputs;
    QAction* m_export;
    QAction* m_copy;
};

// The files a chart is drawn from beside workbook, besides the matrix: the
// comparison's ranks, an analysis or the AMPI values; none for the charts
// of the matrix itself.
QStringList chartSourceFiles(const QString& workbook, ChartFile chart);

// Gives view its ChartActions, proposing suggestedPath (none when empty).
ChartActions* addChartActions(QChartView* view, Dialogs& dialogs,
                              const QString& suggestedPath = QString());

// Shows in status what every chart of window reports (its ChartActions).
void reportChartActions(QWidget* window, ClockStatusBar* status);
