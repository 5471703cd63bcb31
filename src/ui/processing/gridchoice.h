#pragma once

#include "ui/state/sharedstate.h"

#include <vector>

class Processing;
struct ProcessingWidgets;
struct RunTables;
class TableModel;

// What the two grids of the processing window show. The data grid: the
// source matrix (its filled cells and those the outlier treatment changed
// marked) or the transformed one. The results grid: the values, the ranking
// (the units ordered by rank, the best first) or the ranks, of the overall
// index or, with a structure, of the group chosen. The groups' tables are
// held here, the overall index's in the shared state.
class GridChoice {
public:
    GridChoice(SharedState& state, const Processing& processing, ProcessingWidgets& ui,
               TableModel* dataModel, TableModel* resultsModel)
        : m_state(state), m_processing(processing), m_ui(ui), m_dataModel(dataModel),
          m_resultsModel(resultsModel) {}

    // index 0: the source matrix, 1: the transformed one.
    void showData(int index);
    // index 0: the values, 1: the ranking, 2: the ranks; of the group the
    // view choice names.
    void showResults(int index);
    // Takes the groups' tables of a run; its earlier ones end up in tables.
    void takeGroups(RunTables& tables);
    void clearGroups();

private:
    SharedState& m_state;
    const Processing& m_processing;
    ProcessingWidgets& m_ui;
    TableModel* m_dataModel;
    TableModel* m_resultsModel;
    // The groups' indices and ranks under the method on view (RunTables).
    std::vector<Table> m_groupValues;
    std::vector<Table> m_groupRanks;
    Table m_groupRanking; // the ranking of the group on view
};
