#pragma once

#include "robustness/montecarlo.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"
#include "stats/matrix.h"
#include "treatment/missing.h"
#include "workflow/matrixbasis.h"

#include <QString>
#include <QStringList>

// What the Monte Carlo is asked to vary beyond the setup's methods, weights
// and indicator left out.
struct MonteCarloChoices {
    MonteCarloSetup setup;        // its outlier levels are set from the choices below
    bool outliersFactor = false;  // the outlier treatment on or off
    bool outliersNominal = false; // the nominal ranking on the treated matrix
    // The treatments of missing cells drawn from, the first nominal; none
    // for the matrix as loaded. With some, the matrix is loaded with its
    // gaps kept (MissingTreatment::Available, the coverage rule applied).
    std::vector<MissingTreatment> missing;
};

// A Monte Carlo run and its files.
struct MonteCarloRun {
    MonteCarloResult result;
    QStringList
        files; // <workbook>.mc.csv, and with the Saltelli design .sobol.csv, .sobol.unita.csv
};

// Runs the Monte Carlo on the matrix made from basis (whose workbook names
// the files), over its structure when
// given (monteCarlo, whose
// failures it returns, or the failure of a treatment of missing cells) and writes its files
// together: all of them, or none and the failure to write (File). Nothing is written when it is
// cancelled.
Expected<MonteCarloRun> analyseMonteCarlo(const MatrixBasis& basis, const Matrix& matrix,
                                          const MonteCarloChoices& choices,
                                          const Regional& regional,
                                          WorkProgress* progress = nullptr,
                                          const Structure* structure = nullptr);
