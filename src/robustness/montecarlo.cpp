#include "robustness/montecarlo.h"

#include "framework/frameworkcomputation.h"
#include "methods/methodcomputation.h"
#include "methods/ranking.h"
#include "robustness/randomstreams.h"
#include "robustness/rankstatistics.h"

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <mutex>
#include <thread>

namespace {

// The choices of one run.
struct Draw {
    int method = 0;
    std::vector<double> weightFactors; // per indicator (structure element); empty: nominal weights
    int leftOut = -1;                  // the indicator left out; -1 for none
    int missing = 0;
    int outlier = 0;
};

struct Plan {
    std::vector<MonteCarloFactor> factors;
    std::vector<Draw> draws;
    int rows = 0; // Saltelli design: rows of k + 2 draws (A, B, then A with each factor from B)
};

std::vector<MonteCarloFactor> activeFactors(const MonteCarloSetup& setup) {
    std::vector<MonteCarloFactor> factors;
    if (setup.methods.size() > 1)
        factors.push_back(MonteCarloFactor::Method);
    if (setup.weightSpread > 0.0)
        factors.push_back(MonteCarloFactor::Weights);
    if (setup.leaveOut)
        factors.push_back(MonteCarloFactor::LeftOut);
    if (setup.missingLevels > 1)
        factors.push_back(MonteCarloFactor::Missing);
    if (setup.outlierLevels > 1)
        factors.push_back(MonteCarloFactor::Outliers);
    return factors;
}

// Draws every factor, in a fixed order, whether it is active or not, so
// that a factor's draws do not depend on which others are chosen.
Draw drawChoices(std::mt19937_64& generator, const MonteCarloSetup& setup, int indicators,
                 int weights) {
    Draw draw;
    draw.method = int(uniformIndex(generator, setup.methods.size()));
    draw.weightFactors.resize(std::size_t(weights));
    for (double& factor : draw.weightFactors)
        factor = 1.0 + setup.weightSpread * (2.0 * uniformUnit(generator) - 1.0);
    if (setup.weightSpread <= 0.0)
        draw.weightFactors.clear();
    draw.leftOut =
        setup.leaveOut ? int(uniformIndex(generator, std::uint64_t(indicators) + 1)) - 1 : -1;
    draw.missing = int(uniformIndex(generator, std::uint64_t(setup.missingLevels)));
    draw.outlier = int(uniformIndex(generator, std::uint64_t(setup.outlierLevels)));
    return draw;
}

void takeFactor(Draw& target, const Draw& source, MonteCarloFactor factor) {
    switch (factor) {
    case MonteCarloFactor::Method:
        target.method = source.method;
        break;
    case MonteCarloFactor::Weights:
        target.weightFactors = source.weightFactors;
        break;
    case MonteCarloFactor::LeftOut:
        target.leftOut = source.leftOut;
        break;
    case MonteCarloFactor::Missing:
        target.missing = source.missing;
        break;
    case MonteCarloFactor::Outliers:
        target.outlier = source.outlier;
        break;
    }
}

// The draws of every run; stopped part-way (and then of no use) when
// progress is cancelled, which it checks every 1,024 runs.
Plan makePlan(const MonteCarloSetup& setup, int indicators, int weights,
              const WorkProgress* progress) {
    Plan plan;
    plan.factors = activeFactors(setup);
    const std::size_t k = plan.factors.size();
    plan.rows = setup.runs;
    plan.draws.reserve(std::size_t(setup.runs) * (setup.sobol ? k + 2 : 1));
    for (int row = 0; row < setup.runs; ++row) {
        if (row % 1024 == 0 && progress && progress->cancelled())
            break;
        std::mt19937_64 generator = randomStream(setup.seed, std::uint64_t(row));
        const Draw a = drawChoices(generator, setup, indicators, weights);
        plan.draws.push_back(a);
        if (!setup.sobol)
            continue;
        const Draw b = drawChoices(generator, setup, indicators, weights);
        plan.draws.push_back(b);
        for (MonteCarloFactor factor : plan.factors) {
            Draw mixed = a;
            takeFactor(mixed, b, factor);
            plan.draws.push_back(std::move(mixed));
        }
    }
    return plan;
}

// The view of a run: every column but the one left out, weighted.
MatrixView runView(const MatrixView& all, const Draw& draw) {
    MatrixView view = all;
    if (!draw.weightFactors.empty())
        for (std::size_t j = 0; j < view.columns.size(); ++j)
            view.columns[j].weight *= draw.weightFactors[j];
    if (draw.leftOut >= 0)
        view.columns.erase(view.columns.begin() + draw.leftOut);
    return view;
}

// The structure of a run: every element's weight times its factor, and the
// indicator left out as the sensitivity leaves it out; empty when nothing
// would be left.
std::optional<Structure> runStructure(const Structure& nominal, const Draw& draw) {
    Structure structure = nominal;
    std::vector<StructureElement>& elements = structure.elements;
    if (!draw.weightFactors.empty())
        for (std::size_t e = 0; e < elements.size(); ++e)
            elements[e].weight *= draw.weightFactors[e];
    if (draw.leftOut < 0)
        return structure;
    const auto found = std::find_if(elements.begin(), elements.end(), [&](const auto& element) {
        return element.indicator == draw.leftOut;
    });
    if (found == elements.end())
        return structure;
    return withoutElement(structure, int(found - elements.begin()));
}

// The index of a run over a structure: the method bottom-up, the overall
// index's.
Expected<std::vector<double>> frameworkIndex(MethodPosition position, const Matrix& matrix,
                                             const std::optional<Structure>& structure) {
    if (!structure)
        return failure(FailureKind::MethodRefused,
                       QCoreApplication::translate("Robustness", "Nessun indicatore rimasto."));
    Expected<FrameworkRun> run = computeFramework(position, matrix, *structure);
    if (!run)
        return std::move(run).error();
    return std::move(run->groups[std::size_t(run->root)].index);
}

struct RunOutcome {
    bool refused = false;
    std::vector<int> ranks; // 0 for a unit without an index
};

// The ranks of an index, 0 for a unit without one (NaN, which rankIndex
// puts after the others).
std::vector<int> ranksOrNone(const std::vector<double>& index, bool ascending) {
    std::vector<int> ranks = rankIndex(index, ascending);
    for (std::size_t u = 0; u < index.size(); ++u)
        if (std::isnan(index[u]))
            ranks[u] = 0;
    return ranks;
}

// Ranks every draw, grouping the draws by matrix and method so that each
// pair transforms its columns once.
bool rankDraws(const std::vector<const Matrix*>& variants, const MonteCarloSetup& setup,
               const Structure* structure, const std::vector<Draw>& draws,
               std::vector<RunOutcome>& outcomes, WorkProgress* progress) {
    const int methods = int(setup.methods.size());
    std::vector<std::vector<std::size_t>> groups(variants.size() * std::size_t(methods));
    for (std::size_t d = 0; d < draws.size(); ++d) {
        const std::size_t variant =
            std::size_t(draws[d].missing) * std::size_t(setup.outlierLevels) +
            std::size_t(draws[d].outlier);
        groups[variant * std::size_t(methods) + std::size_t(draws[d].method)].push_back(d);
    }
    int threads =
        setup.threads > 0 ? setup.threads : int(std::max(1u, std::thread::hardware_concurrency()));
    std::atomic<qint64> done{0};
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::mutex failureMutex;
    const qint64 total = qint64(draws.size());

    for (std::size_t g = 0; g < groups.size() && !stop.load(); ++g) {
        const std::vector<std::size_t>& group = groups[g];
        if (group.empty())
            continue;
        const Matrix& matrix = *variants[g / std::size_t(methods)];
        const MethodPosition position = setup.methods[g % std::size_t(methods)];
        const bool ascending = methodAt(position).ascending;
        const MatrixView data = matrix.view();
        // Over a structure each run computes its groups afresh: their
        // columns depend on the weights below them.
        const std::vector<double> transformed =
            structure ? std::vector<double>() : transformColumns(position, data);
        const MatrixView transformedView = data.withValues(transformed.data());
        std::atomic<std::size_t> next{0};
        auto worker = [&]() {
            try {
                for (std::size_t i = next++; i < group.size() && !stop.load(); i = next++) {
                    if (progress && progress->cancelled()) {
                        stop.store(true);
                        return;
                    }
                    const Draw& draw = draws[group[i]];
                    RunOutcome& outcome = outcomes[group[i]];
                    const Expected<std::vector<double>> index =
                        structure ? frameworkIndex(position, matrix, runStructure(*structure, draw))
                                  : indexOf(position, runView(data, draw),
                                            runView(transformedView, draw));
                    if (index)
                        outcome.ranks = ranksOrNone(*index, ascending);
                    else
                        outcome.refused = true;
                    if (progress)
                        progress->setPercent(percentOf(++done, total));
                }
            } catch (...) {
                const std::lock_guard<std::mutex> lock(failureMutex);
                if (!failure)
                    failure = std::current_exception();
                stop.store(true);
            }
        };
        std::vector<std::thread> pool;
        for (int t = 1; t < std::min<int>(threads, int(group.size())); ++t)
            pool.emplace_back(worker);
        worker();
        for (std::thread& thread : pool)
            thread.join();
    }
    if (failure)
        std::rethrow_exception(failure);
    return !stop.load();
}

// The mean absolute shift from the nominal ranks over the units ranked in
// both.
double meanShift(const std::vector<int>& ranks, const std::vector<int>& nominal) {
    double sum = 0.0;
    int units = 0;
    for (std::size_t u = 0; u < ranks.size(); ++u)
        if (ranks[u] > 0 && nominal[u] > 0) {
            sum += std::abs(ranks[u] - nominal[u]);
            ++units;
        }
    return units > 0 ? sum / double(units) : 0.0;
}

Failure usage(const char* text) {
    return failure(FailureKind::Usage, QCoreApplication::translate("Robustness", text));
}

} // namespace

Failure tooFewSobolRuns() {
    return failure(FailureKind::Usage,
                   QCoreApplication::translate(
                       "Robustness", "Gli indici di Sobol richiedono almeno %1 estrazioni: con "
                                     "meno le loro stime non dicono nulla (possono anche "
                                     "superare 1).")
                       .arg(kMinSobolRuns));
}

QString monteCarloFactorName(MonteCarloFactor factor) {
    // Marked for the windows' catalogue of table headers, never translated
    // here: the files and the report keep the Italian names.
    switch (factor) {
    case MonteCarloFactor::Method:
        return QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Metodo"));
    case MonteCarloFactor::Weights:
        return QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Pesi"));
    case MonteCarloFactor::LeftOut:
        return QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Indicatore escluso"));
    case MonteCarloFactor::Missing:
        return QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Mancanti"));
    case MonteCarloFactor::Outliers:
        return QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Anomali"));
    }
    return {};
}

QString monteCarloFactorShownName(MonteCarloFactor factor) {
    return QCoreApplication::translate("TableHeaders",
                                       monteCarloFactorName(factor).toUtf8().constData());
}

Expected<MonteCarloResult> monteCarlo(const std::vector<const Matrix*>& variants,
                                      const MonteCarloSetup& setup, WorkProgress* progress,
                                      const Structure* structure) {
    if (setup.methods.empty() || variants.empty() || setup.runs < 1 || setup.missingLevels < 1 ||
        setup.outlierLevels < 1 ||
        variants.size() != std::size_t(setup.missingLevels) * std::size_t(setup.outlierLevels))
        return usage(QT_TRANSLATE_NOOP(
            "Robustness",
            "Nessuna matrice caricata, nessun metodo o nessuna estrazione indicata."));
    if (!(setup.weightSpread >= 0.0 && setup.weightSpread <= 1.0))
        return usage(QT_TRANSLATE_NOOP("Robustness",
                                       "La variazione dei pesi deve essere un numero tra 0 e 1."));
    const Matrix& nominalMatrix = *variants.front();
    const int m = nominalMatrix.indicatorCount();
    if (setup.leaveOut && m < 2)
        return usage(QT_TRANSLATE_NOOP(
            "Robustness", "La matrice ha un solo indicatore: non se ne può escludere uno."));
    if (setup.sobol && setup.runs < kMinSobolRuns)
        return tooFewSobolRuns();
    if (activeFactors(setup).empty())
        return usage(QT_TRANSLATE_NOOP(
            "Robustness",
            "Nessun fattore d'incertezza: indicare più metodi, una variazione dei pesi, "
            "l'esclusione di un indicatore o più trattamenti."));

    const MethodPosition nominalMethod = setup.methods.front();
    const Expected<std::vector<int>> nominalRanks = [&]() -> Expected<std::vector<int>> {
        if (!structure) {
            Expected<MethodOutput> run = computeMethod(nominalMethod, nominalMatrix.view());
            if (!run)
                return std::move(run).error();
            return std::move(run->ranks);
        }
        Expected<std::vector<double>> index =
            frameworkIndex(nominalMethod, nominalMatrix, *structure);
        if (!index)
            return std::move(index).error();
        return ranksOrNone(*index, methodAt(nominalMethod).ascending);
    }();
    if (!nominalRanks)
        return nominalRanks.error();

    if (progress)
        progress->report(QCoreApplication::translate("Robustness", "Analisi Monte Carlo"), 0);
    const Plan plan = makePlan(setup, m, structure ? int(structure->elements.size()) : m, progress);
    std::vector<RunOutcome> outcomes(plan.draws.size());
    if ((progress && progress->cancelled()) ||
        !rankDraws(variants, setup, structure, plan.draws, outcomes, progress))
        return failure(FailureKind::Cancelled,
                       QCoreApplication::translate("Robustness", "Analisi annullata."));

    MonteCarloResult result;
    result.factors = plan.factors;
    const std::vector<int>& nominal = *nominalRanks;
    const std::size_t k = plan.factors.size();
    const std::size_t perRow = setup.sobol ? k + 2 : 1;

    // The runs the unit figures are taken over: every run, or in the
    // Saltelli design the runs of A and B of the rows where nothing was
    // refused.
    std::vector<std::size_t> taken;
    std::vector<std::size_t> rowsKept;
    for (int row = 0; row < plan.rows; ++row) {
        const std::size_t first = std::size_t(row) * perRow;
        const bool refused = std::any_of(outcomes.begin() + std::ptrdiff_t(first),
                                         outcomes.begin() + std::ptrdiff_t(first + perRow),
                                         [](const RunOutcome& run) { return run.refused; });
        if (refused) {
            result.skipped += int(perRow);
            continue;
        }
        rowsKept.push_back(first);
        taken.push_back(first);
        if (setup.sobol)
            taken.push_back(first + 1);
    }
    if (taken.empty())
        return failure(FailureKind::MethodRefused,
                       QCoreApplication::translate(
                           "Robustness", "Nessuna estrazione è stata accettata dai metodi."));
    result.rankings = int(taken.size());
    result.computed = qint64(plan.draws.size());

    const int n = nominalMatrix.unitCount();
    result.units.resize(std::size_t(n));
    std::vector<int> ranks;
    ranks.reserve(taken.size());
    for (int u = 0; u < n; ++u) {
        ranks.clear();
        double sum = 0.0;
        for (const std::size_t t : taken)
            if (const int rank = outcomes[t].ranks[std::size_t(u)]; rank > 0) {
                ranks.push_back(rank);
                sum += rank;
            }
        MonteCarloUnit& unit = result.units[std::size_t(u)];
        unit.nominal = nominal[std::size_t(u)];
        unit.lacking = int(taken.size() - ranks.size());
        if (ranks.empty())
            continue;
        std::sort(ranks.begin(), ranks.end());
        unit.median = sortedMedian(ranks);
        unit.mean = sum / double(ranks.size());
        unit.p5 = nearestRankPercentile(ranks, 5);
        unit.p95 = nearestRankPercentile(ranks, 95);
        unit.best = ranks.front();
        unit.worst = ranks.back();
    }

    if (setup.sobol && !rowsKept.empty()) {
        SaltelliOutputs shift;
        shift.ab.assign(k, {});
        for (std::size_t first : rowsKept) {
            shift.a.push_back(meanShift(outcomes[first].ranks, nominal));
            shift.b.push_back(meanShift(outcomes[first + 1].ranks, nominal));
            for (std::size_t i = 0; i < k; ++i)
                shift.ab[i].push_back(meanShift(outcomes[first + 2 + i].ranks, nominal));
        }
        result.indices = sobolIndices(shift, setup.bootstrap, setup.seed);
        result.unitTotals.resize(std::size_t(n));
        SaltelliOutputs unitRanks;
        unitRanks.ab.assign(k, {});
        for (int u = 0; u < n; ++u) {
            // A unit some run of a kept row leaves without an index has no
            // total indices: its rank is not an output of every run.
            const bool lacking =
                std::any_of(rowsKept.begin(), rowsKept.end(), [&](std::size_t first) {
                    for (std::size_t r = first; r < first + perRow; ++r)
                        if (outcomes[r].ranks[std::size_t(u)] == 0)
                            return true;
                    return false;
                });
            if (lacking)
                continue;
            unitRanks.a.clear();
            unitRanks.b.clear();
            for (std::vector<double>& column : unitRanks.ab)
                column.clear();
            for (std::size_t first : rowsKept) {
                unitRanks.a.push_back(outcomes[first].ranks[std::size_t(u)]);
                unitRanks.b.push_back(outcomes[first + 1].ranks[std::size_t(u)]);
                for (std::size_t i = 0; i < k; ++i)
                    unitRanks.ab[i].push_back(outcomes[first + 2 + i].ranks[std::size_t(u)]);
            }
            result.unitTotals[std::size_t(u)] = totalIndices(unitRanks);
        }
    }
    return result;
}
