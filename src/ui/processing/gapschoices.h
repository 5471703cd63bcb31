#pragma once

#include "shared/regional.h"
#include "workflow/processing.h"

#include <QString>

#include <map>

class Dialogs;

// The treatment of missing values the processing window reads each
// workbook under: asked once per workbook (full path), kept in the user's
// settings, and set on the workflow before each load.
class GapsChoices {
public:
    GapsChoices(Processing& processing, Dialogs& dialogs, const Regional& regional)
        : m_processing(processing), m_dialogs(dialogs), m_regional(regional) {}

    // Sets on the workflow the treatment chosen for workbook, in this
    // session or an earlier one (none: the missing values refuse it).
    void setFor(const QString& workbook);
    // After a matrix of workbook refused for its missing values: asks how to
    // treat them and, when the user chooses, sets the choice. True when the
    // matrix is to be loaded again.
    bool chooseAfterRefusal(const QString& workbook);
    // Asks for the treatment at any time, no treatment among the options:
    // true when the user chose (the matrix is to be loaded again).
    bool change(const QString& workbook);
    // What the matrix loaded had missing and how it was treated, a line
    // each; empty when none was treated.
    QString summary() const;

private:
    // The words of the minimum coverage in the questions on the gaps.
    static QString coverageLabel();
    // Asks question with the treatments as options (no treatment among
    // them when offerNone) and the minimum coverage of choice; keeps the
    // answer for workbook. False when the user cancels.
    bool ask(const QString& workbook, const QString& question, bool offerNone,
             MissingChoice choice);
    void keep(const QString& workbook, const MissingChoice& choice);

    Processing& m_processing;
    Dialogs& m_dialogs;
    Regional m_regional;
    std::map<QString, MissingChoice> m_choices;
};
