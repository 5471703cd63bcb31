#include "methods/methodsteps.h"

std::vector<double> standardisedMeanColumns(const MatrixView& data) {
    return zScores(data, ZScale::Oriented);
}
