#pragma once

#include "workflow/robustnessanalyses.h"

#include <QCoreApplication>
#include <QWidget>

class GridView;
class QComboBox;
class QLabel;
class QPushButton;
class ShiftModel;

// The sensitivity page of the robustness window: the method chosen among
// the compared ones, and the shift of each unit's rank with each indicator
// left out in turn.
class SensitivityPage : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(RobustnessWindow)

public:
    // The grid shows model.
    SensitivityPage(ShiftModel* model, QWidget* parent);

    QComboBox* methodCombo() const { return m_methodCombo; }
    QPushButton* computeButton() const { return m_compute; }
    GridView* grid() const { return m_grid; }

    // Shows the shifts of run, with the refusals of the method when an
    // indicator is left out.
    void show(const SensitivityRun& run);

private:
    ShiftModel* m_model;
    QComboBox* m_methodCombo;
    QPushButton* m_compute;
    GridView* m_grid;
    QLabel* m_note;
};
