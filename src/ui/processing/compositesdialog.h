#pragma once

#include "composite/compositedefinitions.h"
#include "ui/platform/dialogs.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// "Metodi personalizzati": defines, edits and removes the composites of a
// workbook, each choice explained in one line. Saving checks every
// definition with the rule of the definitions file (parseComposite), row
// by row as the file will hold them, and writes <workbook>.metodi.csv
// through the safe writer, never the workbook; a refusal is shown with the
// rule's message and nothing is written. Composites defined in the
// workbook's own Metodi sheet take precedence over the file: they are shown
// and cannot be changed here.
class CompositesDialog : public QDialog {
    Q_OBJECT

public:
    // composites: those the workbook has now; sheet: the name of the
    // workbook's Metodi sheet that defines them (empty when they come from
    // the file or there are none); refusal: why the file beside the
    // workbook was not accepted (empty when it was, or there is none).
    CompositesDialog(const QString& workbook, const CompositeList& composites, const QString& sheet,
                     const QString& refusal, Dialogs& dialogs, QWidget* parent = nullptr);

    // Checks and writes the composites as listed: true when the file is
    // written (the failure shown otherwise).
    bool save();
    // A new composite at the end of the list, on view with the default
    // choices and a code not yet used.
    void addComposite();
    // The composite on view leaves the list.
    void removeComposite();

    // The controls, for the tests that drive the dialog.
    QListWidget* list() const { return m_list; }
    QLineEdit* codeEdit() const { return m_code; }
    QLineEdit* nameEdit() const { return m_name; }
    QComboBox* normalisationChoice() const { return m_normalisation; }
    QCheckBox* scaledChoice() const { return m_scaled; }
    QDoubleSpinBox* firstParameter() const { return m_first; }
    QDoubleSpinBox* secondParameter() const { return m_second; }
    QComboBox* aggregationChoice() const { return m_aggregation; }
    QDoubleSpinBox* exponent() const { return m_exponent; }
    QComboBox* constructionChoice() const { return m_construction; }

Q_SIGNALS:
    // The file was written: the workbook's composites have changed.
    void saved();

private:
    void buildForm();
    // The three choices with their explanations and parameters.
    void buildChoices();
    void connectForm();
    QWidget* buildListPane();
    // The form shows the definition at row (none for -1).
    void showRow(int row);
    // The definition on view, as the form makes it, into its row.
    void takeForm();
    // The explanations and the parameters that go with the choices.
    void explainChoices();
    QString captionOf(const CompositeTexts& texts) const;

    QString m_workbook;
    Dialogs& m_dialogs;
    bool m_readOnly = false;
    std::vector<CompositeTexts> m_rows;
    int m_shown = -1;
    bool m_filling = false; // the form is being filled from a row

    QListWidget* m_list = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QWidget* m_form = nullptr;
    QLineEdit* m_code = nullptr;
    QLineEdit* m_name = nullptr;
    QComboBox* m_normalisation = nullptr;
    QLabel* m_normalisationHelp = nullptr;
    QCheckBox* m_scaled = nullptr;
    QDoubleSpinBox* m_first = nullptr;
    QDoubleSpinBox* m_second = nullptr;
    QComboBox* m_aggregation = nullptr;
    QLabel* m_aggregationHelp = nullptr;
    QDoubleSpinBox* m_exponent = nullptr;
    QComboBox* m_construction = nullptr;
    QLabel* m_constructionHelp = nullptr;
    QPushButton* m_save = nullptr;
};
