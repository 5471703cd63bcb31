#include "ui/state/sharedstate.h"

void SharedState::dimensionTables() {
    matDati.dimension(nRighe, nColonne);
    matTrasformata.dimension(nRighe, nColonne);
    matValori.dimension(nRighe, 2);
    matGraduatoria.dimension(nRighe, 2);
    matRanghi.dimension(nRighe, 2);
}

SharedState& Module1() {
    static SharedState state;
    return state;
}
