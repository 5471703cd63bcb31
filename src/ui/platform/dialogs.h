#pragma once

#include <QString>

// The dialogs and message boxes the windows use, behind one interface so that
// tests can answer them.
class Dialogs {
public:
    enum class Icon { None, Information, Warning, Critical };

    virtual ~Dialogs() = default;

    // The path of a workbook chosen by the user, or empty when cancelled.
    virtual QString openWorkbook(const QString& title, const QString& startFolder) = 0;
    // A folder chosen by the user, or empty when cancelled.
    virtual QString pickFolder(const QString& title, const QString& startFolder) = 0;
    // A modal message with an OK button.
    virtual void message(const QString& text, const QString& title, Icon icon) = 0;
    // Ends the program (after a refused matrix).
    virtual void endProgram() = 0;
};
