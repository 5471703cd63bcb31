#include "ui/robustness/uncertaintypage.h"

#include "ui/charts/rankintervalchart.h"
#include "ui/grid/analysistablemodel.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/platform/notelabel.h"
#include "ui/robustness/pagewidgets.h"

#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

UncertaintyPage::UncertaintyPage(AnalysisTableModel* model, const ChartButtons& chartButtons,
                                 QWidget* parent)
    : QWidget(parent), m_model(model) {
    m_compute = pageComputeButton(QStringLiteral("cmdIncertezza"),
                                  tr("Incrocia ogni metodo confrontato con ogni insieme "
                                     "di indicatori e salva la tabella"),
                                  this);
    m_note = pageNote(QStringLiteral("lblIncertezza"), this);
    m_grid = pageGrid(QStringLiteral("msfIncertezza"), model, this);
    m_grid->enableSorting();
    m_chart = new RankIntervalChart(model->regional(), this);
    auto* strip = new QHBoxLayout;
    strip->addWidget(m_compute);
    strip->addWidget(m_note, 1);
    strip->addWidget(chartButtons(m_chart->view(), ChartFile::RankIntervals, this));
    plainImages(m_chart);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_grid);
    splitter->addWidget(m_chart);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(strip);
    layout->addWidget(splitter, 1);
}

void UncertaintyPage::clear(int methods) {
    m_model->clear();
    m_chart->clear();
    m_note->setText(tr("%1 metodi x (indicatori + 1) graduatorie per unità.").arg(methods));
}

void UncertaintyPage::show(const UncertaintyRun& run, int indicators) {
    const RankUncertainty& uncertainty = run.uncertainty;
    m_model->setTable(uncertaintyCells(std::make_shared<const RankUncertainty>(uncertainty),
                                       m_model->regional()));
    fitColumnsAnswering(*m_grid);
    m_chart->setUncertainty(uncertainty);
    QStringList notes{tr("%1 graduatorie per unità (%2 x %3 insiemi di indicatori).")
                          .arg(uncertainty.rankings)
                          .arg(uncertainty.codes.join(QStringLiteral(", ")))
                          .arg(indicators + 1)};
    for (const QString& line : uncertainty.leftOut + uncertainty.refusedRuns)
        notes.append(line);
    m_note->setText(notes.join(u'\n'));
}
