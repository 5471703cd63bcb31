#include "ui/robustness/sensitivitypage.h"

#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/platform/notelabel.h"
#include "ui/robustness/pagewidgets.h"
#include "ui/robustness/shiftmodel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SensitivityPage::SensitivityPage(ShiftModel* model, QWidget* parent)
    : QWidget(parent), m_model(model) {
    m_methodCombo = new QComboBox(this);
    m_methodCombo->setObjectName(QStringLiteral("cmbMetodo"));
    m_compute = pageComputeButton(QStringLiteral("cmdSensibilita"),
                                  tr("Ripete il metodo escludendo un indicatore alla "
                                     "volta e salva la tabella accanto alla matrice"),
                                  this);
    auto* label = new QLabel(tr("&Metodo:"), this);
    label->setBuddy(m_methodCombo);
    auto* strip = new QHBoxLayout;
    strip->addWidget(label);
    strip->addWidget(m_methodCombo);
    strip->addWidget(m_compute);
    strip->addStretch(1);
    m_grid = pageGrid(QStringLiteral("msfSensibilita"), model, this);
    m_grid->enableSorting();
    m_note = pageNote(QStringLiteral("lblSensibilita"), this);
    m_note->setText(tr("Spostamento = rango senza l'indicatore - rango con tutti gli indicatori "
                       "(negativo: l'unità sale in graduatoria)."));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(strip);
    layout->addWidget(m_note);
    layout->addWidget(m_grid, 1);
}

void SensitivityPage::show(const SensitivityRun& run) {
    const IndicatorSensitivity& sensitivity = run.sensitivity;
    m_model->setShifts(sensitivityCells(std::make_shared<const IndicatorSensitivity>(sensitivity)),
                       2, int(sensitivity.shifts.size()) + 1, run.largestShift);
    fitColumnsAnswering(*m_grid);
    QStringList notes{
        tr("%1: spostamento = rango senza l'indicatore - rango con tutti gli indicatori "
           "(negativo: l'unità sale in graduatoria).")
            .arg(sensitivity.code)};
    for (int j = 0; j < sensitivity.refusals.size(); ++j)
        if (!sensitivity.refusals[j].isEmpty())
            notes.append(tr("Senza %1: %2").arg(sensitivity.leftOut(j), sensitivity.refusals[j]));
    m_note->setText(notes.join(u'\n'));
}
