#pragma once

#include <QList>
#include <QSize>
#include <QString>

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

// The object name, the caption, a title bar with the system menu and the
// minimise, maximise and close buttons, no size grip.
void setupChildWindow(QDialog& window, const QString& objectName);

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
