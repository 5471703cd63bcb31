#pragma once

#include "ui/platform/imagesize.h"

#include <QString>
#include <QStringList>

// The dialogs and message boxes the windows use, behind one interface so that
// tests can answer them. Every call is modal: it returns once the user has
// answered.
class Dialogs {
public:
    enum class Icon { None, Information, Warning, Critical };

    virtual ~Dialogs() = default;

    // The full path of a workbook chosen in a file-open dialog with the given
    // title and name filters ("Matrici (*.xls *.ods);;Excel (*.xls)"), opening in
    // startFolder; empty when the user cancels.
    virtual QString openWorkbook(const QString& title, const QString& filter,
                                 const QString& startFolder) = 0;
    // The full path of a file to write, chosen in a save dialog with the
    // given title and name filters, proposing startPath; the extension of
    // the chosen filter is added when the name has none. Empty when the
    // user cancels.
    virtual QString saveFile(const QString& title, const QString& filter,
                             const QString& startPath) = 0;
    // A folder chosen by the user, or empty when cancelled.
    virtual QString pickFolder(const QString& title, const QString& startFolder) = 0;
    // The size of a chart image, offering size (aspect: the chart's height
    // over its width); false when the user cancels. Unless a dialog is
    // shown, the size offered is taken as it is.
    virtual bool askImageSize(ImageSize& size, double aspect);
    // A message with only an OK button.
    virtual void message(const QString& text, const QString& title, Icon icon) = 0;
    // A question answered by one of options (a button each, then one that
    // cancels): the index of the option chosen, or -1 when cancelled.
    virtual int choose(const QString& text, const QString& title, const QStringList& options) = 0;
    // The same question with a share beside the options that the user can
    // change, shown as a percentage after label (share from 0 to 1): the
    // index of the option chosen, share as set; -1 when cancelled, share
    // unchanged. Unless a dialog is shown, the share offered is taken.
    virtual int chooseWithShare(const QString& text, const QString& title,
                                const QStringList& options, const QString& label, double& share);
    // Ends the program: every window closes and the process exits once the
    // current event handler has returned.
    virtual void endProgram() = 0;
};
