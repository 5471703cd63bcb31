#pragma once

#include <QString>

class Dialogs;
class QChartView;

// Writes the chart on view to path as an image, the format told by the
// extension: ".svg" and ".pdf" as vectors, anything else as PNG at the
// screen's resolution. The file goes through the safe writer. Returns an
// empty string on success, otherwise an Italian message naming the file
// (nothing is written when no image could be made, as of an empty view).
QString exportChart(QChartView* view, const QString& path);

// Gives the view a context menu with "Esporta immagine...", which asks for
// a name (PNG, SVG or PDF, proposing suggestedPath) and writes the chart;
// a failure is reported through the dialogs.
void addExportMenu(QChartView* view, Dialogs& dialogs, const QString& suggestedPath);

// The same request as the menu's, for a button: asks and writes.
void askAndExport(QChartView* view, Dialogs& dialogs, const QString& suggestedPath);
