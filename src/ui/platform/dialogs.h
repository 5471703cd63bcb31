#pragma once

#include <QString>

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
    // The full path of a file to write, chosen in a save dialog with the given
    // title and name filter ("Cartella di Excel (*.xlsx)") and proposed as
    // suggestedPath (its folder first); the filter's extension is added to a
    // name typed without one. Empty when the user cancels.
    virtual QString saveFile(const QString& title, const QString& filter,
                             const QString& suggestedPath) = 0;
    // A folder chosen by the user, or empty when cancelled.
    virtual QString pickFolder(const QString& title, const QString& startFolder) = 0;
    // A message with only an OK button.
    virtual void message(const QString& text, const QString& title, Icon icon) = 0;
    // Ends the program: every window closes and the process exits once the
    // current event handler has returned.
    virtual void endProgram() = 0;
};
