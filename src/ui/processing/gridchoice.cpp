#include "ui/processing/gridchoice.h"

#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/grid/tablemodel.h"
#include "ui/processing/processingwidgets.h"
#include "ui/processing/statetables.h"
#include "workflow/gapsfiles.h"
#include "workflow/processing.h"

#include <QComboBox>

void GridChoice::showData(int index) {
    const Table& source = index == 0 ? m_state.matDati : m_state.matTrasformata;
    m_dataModel->setTable(&source, m_state.nRighe, m_state.nColonne, &m_state.matDati);
    // Filled cells are marked where the values are shown as read.
    const std::shared_ptr<const GapsRecord> gaps = m_processing.gaps();
    // So are the cells the outlier treatment changed.
    std::vector<unsigned char> marked;
    if (index == 0 && m_processing.hasMatrix()) {
        if (gaps)
            marked = filledMask(*gaps, m_processing.matrix());
        const std::vector<unsigned char>& treated = m_processing.treatedCells();
        if (marked.empty())
            marked = treated;
        else
            for (std::size_t k = 0; k < treated.size() && k < marked.size(); ++k)
                marked[k] = marked[k] | treated[k];
    }
    m_dataModel->setFilled(std::move(marked));
    // The data grid is fitted without the window going unanswered.
    fitColumnsAnswering(*m_ui.msfMatrice);
}

void GridChoice::showResults(int index) {
    const Table* source = &m_state.matValori;
    // The view choice's first entry is the overall index, then the groups.
    const auto group = std::size_t(m_ui.cmbDimensione->currentIndex() - 1);
    if (m_ui.cmbDimensione->currentIndex() > 0 && group < m_groupValues.size()) {
        if (index == 1) {
            m_groupRanking = rankOrdered(m_groupValues[group], m_groupRanks[group]);
            source = &m_groupRanking;
        } else {
            source = index == 2 ? &m_groupRanks[group] : &m_groupValues[group];
        }
    } else if (index == 0) {
        m_state.matGraduatoria = m_state.matValori;
    } else if (index == 1) {
        m_state.matGraduatoria = rankOrdered(m_state.matValori, m_state.matRanghi);
        source = &m_state.matGraduatoria;
    } else {
        source = &m_state.matRanghi;
    }
    m_resultsModel->setFormat(index == 2 ? TableModel::Format::General
                                         : TableModel::Format::IndexValues);
    m_resultsModel->setTable(source, m_state.nRighe, 2);
    FG_AutosizeCols(*m_ui.msfRisultati, -1, -1, false);
}

void GridChoice::takeGroups(RunTables& tables) {
    m_groupValues.swap(tables.groupValues);
    m_groupRanks.swap(tables.groupRanks);
}

void GridChoice::clearGroups() {
    m_groupValues.clear();
    m_groupRanks.clear();
}
