#pragma once

#include <QList>
#include <QSize>
#include <QString>

#include <functional>
#include <utility>

class QButtonGroup;
class QDialog;
class QGroupBox;
class QWidget;

// What the program's child windows share in their setup.

// "Orvalta": the caption of the child windows and the title of their
// messages.
QString childWindowTitle();

// A method's list entry as the windows show it, in the interface language;
// the code in its first four characters stays.
QString methodCaption(const QString& entryText);

// How the windows name a method everywhere but the comparison's lists of
// result files and the processing window's method list: its code and index
// name from the method table, "GRAD - Grad.RNK" ("MPI+" where the two are
// one). text is the method's code or index name; any other text comes back
// unchanged.
QString methodLabel(const QString& text);
// The code alone ("GRAD"), where a square matrix of methods needs narrow
// column headers beside the labels of its rows.
QString methodCodeLabel(const QString& text);

// The object name, the caption, a title bar with the system menu and the
// minimise, maximise and close buttons, no size grip; F1 opens the user
// guide (see setUserGuideOpener).
void setupChildWindow(QDialog& window, const QString& objectName);

// What F1 does in every child window: open the user guide. The program sets
// it once; until then F1 does nothing.
void setUserGuideOpener(std::function<void()> open);

// Gives window its preferred size, at most nine tenths of the screen, or
// the size and place it had when last hidden (see rememberGeometry).
void fitToScreen(QWidget& window, QSize preferred);

// The widget keeps its place in its layout while hidden, so that nothing
// around it moves when it appears.
void keepSpaceWhenHidden(QWidget* widget);

// A frame with a caption around one grid.
QGroupBox* gridFrame(const QString& name, const QString& title, QWidget* grid, QWidget* parent);

// A frame with a caption and a row of option buttons, one per (id,
// caption), named optionName followed by the id; the first is checked.
QGroupBox* optionFrame(const QString& name, const QString& title, const QString& optionName,
                       const QList<std::pair<int, QString>>& options, QButtonGroup* group,
                       QWidget* parent);
