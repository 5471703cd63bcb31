#pragma once

#include "composite/compositedefinitions.h"
#include "framework/structure.h"
#include "methods/metodi.h"
#include "robustness/sobolindices.h"
#include "shared/expected.h"
#include "shared/workprogress.h"
#include "stats/matrix.h"

#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

// The uncertain choices a Monte Carlo run draws, and how it is sampled.
// The fewest runs the Sobol indices are estimated from: with fewer their
// estimates say nothing (and can exceed 1).
inline constexpr int kMinSobolRuns = 10;
// The refusal of fewer runs with Sobol indices, saying why.
Failure tooFewSobolRuns();

// The matrices a run may work on (variants) are the treatments of the same
// matrix, missing-values treatment by outlier treatment:
// variants[missing * outlierLevels + outlier], the nominal one first.
struct MonteCarloSetup {
    std::vector<MethodPosition> methods; // uniform over the list; the first is nominal
    // Drawn as methods after those (the method factor is uniform over both
    // lists); the first composite is nominal when methods is empty or
    // compositeNominal is set.
    std::vector<Composite> composites;
    bool compositeNominal = false;
    // For a run of a composite: one of its own normalisation (nominal) and
    // these, one of its own aggregation (nominal) and these, each uniform
    // over its list. Each is a factor when not empty and composites are
    // drawn.
    std::vector<Normalisation> normalisations;
    std::vector<Aggregation> aggregations;
    const Regional* regional = nullptr; // the composites' refusals worded; the system's when null
    double weightSpread = 0.0;          // F: each weight times uniform [1 - F, 1 + F]
    bool leaveOut = false;              // one indicator left out, or none
    int missingLevels = 1;
    int outlierLevels = 1;
    int runs = 1000; // N
    std::uint64_t seed = 1;
    bool sobol = false;   // the Saltelli design: N (k + 2) rankings
    int bootstrap = 1000; // resamples for the indices' intervals
    int threads = 0;      // 0: every core
};

// A factor of the setup that has more than one level.
enum class MonteCarloFactor {
    Method,
    Weights,
    LeftOut,
    Missing,
    Outliers,
    Normalisation,
    Aggregation
};

// Where one unit's rank lies over the runs where it has an overall index
// (over a structure a run may leave a unit without one: it then has no rank
// there, and the others are ranked among themselves).
struct MonteCarloUnit {
    int nominal = 0; // 0 when the nominal run gives the unit no index
    double median = 0.0;
    double mean = 0.0;
    int p5 = 0;
    int p95 = 0;
    int best = 0;
    int worst = 0;
    int lacking = 0; // rankings taken where the unit has no index (all: no figures)
};

struct MonteCarloResult {
    std::vector<MonteCarloFactor> factors; // in the order of MonteCarloFactor
    int rankings = 0;                      // the rankings the unit figures are taken over
    qint64 computed = 0; // the rankings computed: a run each, N (k + 2) in the Saltelli design
    int skipped = 0; // runs left out: refused by a method (with the Saltelli design, their rows)
    std::vector<MonteCarloUnit> units; // in the order of the matrix
    // With the Saltelli design: each factor's indices on the mean absolute
    // rank shift over the units a run ranks (empty when no run moves a
    // rank), and per unit each factor's total index on its rank (empty where
    // the rank never moves, or where some run of a row kept lacks the unit).
    std::optional<std::vector<FactorIndices>> indices;
    std::vector<std::optional<std::vector<double>>> unitTotals;
};

// The Italian name of a factor ("Metodo", "Pesi", "Indicatore escluso",
// "Mancanti", "Anomali", "Normalizzazione", "Aggregazione"), as the files and the report write it
// whatever the interface language.
QString monteCarloFactorName(MonteCarloFactor factor);
// The name the windows show: in the interface language.
QString monteCarloFactorShownName(MonteCarloFactor factor);

// Runs the Monte Carlo. Every run draws its choices from its own random
// stream (the seed and the run's number), so the result does not depend on
// the number of threads. Runs that share a matrix and a method share its
// transformed columns: weights and the indicator left out change only the
// aggregation. Fails with Usage when the setup has no factor, no run or an
// invalid spread, with MethodRefused when the nominal run is refused or
// every run is, with Cancelled when progress is cancelled.
//
// With a structure (over the matrices' indicators), each run computes the
// overall index bottom-up: every element's weight times its factor, and the
// indicator left out at weight 0, its siblings' weights renormalised within
// its group (a group it empties goes with it). The indicators' transformed
// (or a composite's normalised) columns are computed once per matrix and
// method (and normalisation) and shared by its runs; the groups' indices,
// which depend on the weights below them, are computed per run. A
// composite without a structure runs over its flat one (every indicator
// under the overall index). A unit a run leaves without
// an overall index (gaps kept: no available element of a group) has no rank
// in that run; its figures are taken over the others (MonteCarloUnit).
Expected<MonteCarloResult> monteCarlo(const std::vector<const Matrix*>& variants,
                                      const MonteCarloSetup& setup,
                                      WorkProgress* progress = nullptr,
                                      const Structure* structure = nullptr);
