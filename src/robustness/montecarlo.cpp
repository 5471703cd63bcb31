#include "robustness/montecarlo.h"

#include "composite/compositecomputation.h"
#include "framework/frameworkcomputation.h"
#include "methods/methodcomputation.h"
#include "methods/ranking.h"
#include "robustness/randomstreams.h"
#include "robustness/rankstatistics.h"
#include "shared/parallelfor.h"
#include "shared/vectorstate.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <deque>

namespace {

// The choices of one run.
struct Draw {
    int method = 0;
    std::vector<double> weightFactors; // per indicator (structure element); empty: nominal weights
    int leftOut = -1;                  // the indicator left out; -1 for none
    int missing = 0;
    int outlier = 0;
    // For a composite, uniform over [0, 1): where its normalisation and its
    // aggregation fall in their lists (levelOf).
    double normalisation = 0.0;
    double aggregation = 0.0;
};

struct Plan {
    std::vector<MonteCarloFactor> factors;
    std::vector<Draw> draws;
    int rows = 0; // Saltelli design: rows of k + 2 draws (A, B, then A with each factor from B)
};

std::size_t methodCount(const MonteCarloSetup& setup) {
    return setup.methods.size() + setup.composites.size();
}

std::vector<MonteCarloFactor> activeFactors(const MonteCarloSetup& setup) {
    std::vector<MonteCarloFactor> factors;
    if (methodCount(setup) > 1)
        factors.push_back(MonteCarloFactor::Method);
    if (setup.weightSpread > 0.0)
        factors.push_back(MonteCarloFactor::Weights);
    if (setup.leaveOut)
        factors.push_back(MonteCarloFactor::LeftOut);
    if (setup.missingLevels > 1)
        factors.push_back(MonteCarloFactor::Missing);
    if (setup.outlierLevels > 1)
        factors.push_back(MonteCarloFactor::Outliers);
    if (!setup.composites.empty() && !setup.normalisations.empty())
        factors.push_back(MonteCarloFactor::Normalisation);
    if (!setup.composites.empty() && !setup.aggregations.empty())
        factors.push_back(MonteCarloFactor::Aggregation);
    return factors;
}

// Draws every factor, in a fixed order, whether it is active or not, so
// that a factor's draws do not depend on which others are chosen.
Draw drawChoices(std::mt19937_64& generator, const MonteCarloSetup& setup, int indicators,
                 int weights) {
    Draw draw;
    draw.method = int(uniformIndex(generator, methodCount(setup)));
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

// Draws a composite's normalisation and aggregation, after every other
// choice of the run (those of the Saltelli design's B included), so that
// the others are drawn as without composites.
void drawConstruction(std::mt19937_64& generator, Draw& draw) {
    draw.normalisation = uniformUnit(generator);
    draw.aggregation = uniformUnit(generator);
}

// The level a uniform draw in [0, 1) falls on among count.
std::size_t levelOf(double draw, std::size_t count) {
    return std::min(count - 1, std::size_t(draw * double(count)));
}

// A composite's own choice, then the others listed, each once.
template <typename Choice>
std::vector<Choice> levelsOf(const Choice& own, const std::vector<Choice>& listed) {
    std::vector<Choice> levels{own};
    for (const Choice& choice : listed)
        if (std::none_of(levels.begin(), levels.end(),
                         [&](const Choice& level) { return level.code() == choice.code(); }))
            levels.push_back(choice);
    return levels;
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
    case MonteCarloFactor::Normalisation:
        target.normalisation = source.normalisation;
        break;
    case MonteCarloFactor::Aggregation:
        target.aggregation = source.aggregation;
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
        Draw a = drawChoices(generator, setup, indicators, weights);
        if (!setup.sobol) {
            drawConstruction(generator, a);
            plan.draws.push_back(a);
            continue;
        }
        Draw b = drawChoices(generator, setup, indicators, weights);
        drawConstruction(generator, a);
        drawConstruction(generator, b);
        plan.draws.push_back(a);
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
    // A flat structure has one element more than factors: its overall
    // index, which weighs nothing.
    for (std::size_t e = 0; e < std::min(elements.size(), draw.weightFactors.size()); ++e)
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

Failure nothingLeft() {
    return failure(FailureKind::MethodRefused,
                   QCoreApplication::translate("Robustness", "Nessun indicatore rimasto."));
}

// The index of a run over a structure: the method bottom-up, the overall
// index's; on the indicators' transformed columns when given.
Expected<std::vector<double>> frameworkIndex(MethodPosition position, const Matrix& matrix,
                                             const std::optional<Structure>& structure,
                                             const std::vector<double>* transformed = nullptr) {
    if (!structure)
        return nothingLeft();
    Expected<FrameworkRun> run =
        transformed ? computeFrameworkOnTransformed(position, matrix, *structure, *transformed)
                    : computeFramework(position, matrix, *structure);
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

// The draws of each pair of matrix and method, pair g being variant
// g / methods under method g % methods (the nine's, then the composites).
std::vector<std::vector<std::size_t>>
drawsByPair(const std::vector<Draw>& draws, std::size_t variants, const MonteCarloSetup& setup) {
    const std::size_t methods = methodCount(setup);
    std::vector<std::vector<std::size_t>> pairs(variants * methods);
    for (std::size_t d = 0; d < draws.size(); ++d) {
        const std::size_t variant =
            std::size_t(draws[d].missing) * std::size_t(setup.outlierLevels) +
            std::size_t(draws[d].outlier);
        pairs[variant * methods + std::size_t(draws[d].method)].push_back(d);
    }
    return pairs;
}

// The outcome of one draw under one of the nine methods, on the matrix's
// transformed columns.
RunOutcome rankDraw(MethodPosition position, const Matrix& matrix, const MatrixView& data,
                    const std::vector<double>& transformed, const Structure* structure,
                    const Draw& draw) {
    RunOutcome outcome;
    const Expected<std::vector<double>> index =
        structure ? frameworkIndex(position, matrix, runStructure(*structure, draw), &transformed)
                  : indexOf(position, runView(data, draw),
                            runView(data.withValues(transformed.data()), draw));
    if (index)
        outcome.ranks = ranksOrNone(*index, methodAt(position).ascending);
    else
        outcome.refused = true;
    return outcome;
}

// The draws of one composite on one matrix: its normalisations' columns,
// each computed once for the draws that take it.
class CompositeDraws {
public:
    CompositeDraws(const Composite& composite, const MonteCarloSetup& setup, const Matrix& matrix,
                   const Structure& structure, const Regional& regional)
        : m_composite(composite), m_matrix(matrix), m_structure(structure), m_regional(regional),
          m_normalisations(levelsOf(composite.normalisation, setup.normalisations)),
          m_aggregations(levelsOf(composite.aggregation, setup.aggregations)),
          m_columns(m_normalisations.size()), m_logsOf(m_normalisations.size()) {}

    // The normalised columns of the draws' normalisations.
    void normalise(const std::vector<Draw>& draws, const std::vector<std::size_t>& group) {
        for (const std::size_t d : group) {
            const std::size_t level = levelOf(draws[d].normalisation, m_normalisations.size());
            if (m_columns[level])
                continue;
            Composite composite = m_composite;
            composite.normalisation = m_normalisations[level];
            m_columns[level].emplace(
                normaliseIndicators(composite, m_matrix, m_structure, m_regional));
            std::vector<double>& logs = m_logs.emplace_back();
            if (*m_columns[level]) {
                logs.reserve((*m_columns[level])->size());
                clearUpperVectorState();
                for (const double value : **m_columns[level])
                    logs.push_back(logarithmOrZero(value));
            }
            m_logsOf[level] = m_logs.size() - 1;
        }
    }

    RunOutcome rank(const Draw& draw) const {
        RunOutcome outcome;
        const std::size_t level = levelOf(draw.normalisation, m_normalisations.size());
        const std::optional<Structure> structure = runStructure(m_structure, draw);
        const Expected<std::vector<double>>& columns = *m_columns[level];
        if (!structure || !columns) {
            outcome.refused = true;
            return outcome;
        }
        Composite composite = m_composite;
        composite.normalisation = m_normalisations[level];
        composite.aggregation = m_aggregations[levelOf(draw.aggregation, m_aggregations.size())];
        const Expected<CompositeOutput> output = computeCompositeOnNormalised(
            composite, m_matrix, *structure, m_regional, *columns, &m_logs[m_logsOf[level]]);
        if (output)
            outcome.ranks = ranksOrNone(output->index, false);
        else
            outcome.refused = true;
        return outcome;
    }

private:
    const Composite& m_composite;
    const Matrix& m_matrix;
    const Structure& m_structure;
    const Regional& m_regional;
    std::vector<Normalisation> m_normalisations;
    std::vector<Aggregation> m_aggregations;
    std::vector<std::optional<Expected<std::vector<double>>>> m_columns;
    // Per normalisation computed, logarithmOrZero of its columns.
    std::deque<std::vector<double>> m_logs;
    std::vector<std::size_t> m_logsOf;
};

// Ranks every draw, grouping the draws by matrix and method so that each
// pair transforms (or normalises) its indicators' columns once; false when
// cancelled.
bool rankDraws(const std::vector<const Matrix*>& variants, const MonteCarloSetup& setup,
               const Structure* structure, const std::vector<Draw>& draws, const Regional& regional,
               std::vector<RunOutcome>& outcomes, WorkProgress* progress) {
    const std::size_t methods = methodCount(setup);
    const std::vector<std::vector<std::size_t>> pairs = drawsByPair(draws, variants.size(), setup);
    LoopProgress parts(progress, qint64(draws.size()));
    for (std::size_t g = 0; g < pairs.size(); ++g) {
        const std::vector<std::size_t>& group = pairs[g];
        if (group.empty())
            continue;
        const Matrix& matrix = *variants[g / methods];
        const std::size_t method = g % methods;
        const auto rankAll = [&](const auto& rank) {
            return parallelFor(int(group.size()), setup.threads, &parts, [&](int i) {
                const std::size_t d = group[std::size_t(i)];
                outcomes[d] = rank(draws[d]);
            });
        };
        bool done = false;
        if (method < setup.methods.size()) {
            const MethodPosition position = setup.methods[method];
            const MatrixView data = matrix.view();
            // Each column is transformed on its own: over a structure only
            // the groups' indices, which depend on the weights below them,
            // are transformed per run.
            const std::vector<double> transformed = transformColumns(position, data);
            done = rankAll([&](const Draw& draw) {
                return rankDraw(position, matrix, data, transformed, structure, draw);
            });
        } else {
            const Structure flat = structure ? Structure() : flatStructure(matrix, regional);
            CompositeDraws composite(setup.composites[method - setup.methods.size()], setup, matrix,
                                     structure ? *structure : flat, regional);
            composite.normalise(draws, group);
            done = rankAll([&](const Draw& draw) { return composite.rank(draw); });
        }
        if (!done)
            return false;
    }
    return true;
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

// Why a setup cannot be run over variants, if it cannot.
std::optional<Failure> setupRefusal(const std::vector<const Matrix*>& variants,
                                    const MonteCarloSetup& setup) {
    if (methodCount(setup) == 0 || variants.empty() || setup.runs < 1 || setup.missingLevels < 1 ||
        setup.outlierLevels < 1 ||
        variants.size() != std::size_t(setup.missingLevels) * std::size_t(setup.outlierLevels))
        return usage(QT_TRANSLATE_NOOP(
            "Robustness",
            "Nessuna matrice caricata, nessun metodo o nessuna estrazione indicata."));
    if (!(setup.weightSpread >= 0.0 && setup.weightSpread <= 1.0))
        return usage(QT_TRANSLATE_NOOP("Robustness",
                                       "La variazione dei pesi deve essere un numero tra 0 e 1."));
    if (setup.leaveOut && variants.front()->indicatorCount() < 2)
        return usage(QT_TRANSLATE_NOOP(
            "Robustness", "La matrice ha un solo indicatore: non se ne può escludere uno."));
    if (setup.sobol && setup.runs < kMinSobolRuns)
        return tooFewSobolRuns();
    if (setup.composites.empty() && (!setup.normalisations.empty() || !setup.aggregations.empty()))
        return usage(QT_TRANSLATE_NOOP("Robustness",
                                       "Le normalizzazioni e le aggregazioni si estraggono solo "
                                       "per i metodi personalizzati: indicarne almeno uno."));
    if (activeFactors(setup).empty())
        return usage(QT_TRANSLATE_NOOP(
            "Robustness",
            "Nessun fattore d'incertezza: indicare più metodi, una variazione dei pesi, "
            "l'esclusione di un indicatore o più trattamenti."));
    return std::nullopt;
}

// The ranks of the nominal run: the nominal method over the nominal matrix
// (and structure).
Expected<std::vector<int>> nominalRanks(const MonteCarloSetup& setup, const Matrix& matrix,
                                        const Structure* structure, const Regional& regional) {
    if (setup.methods.empty() || setup.compositeNominal) {
        Expected<CompositeOutput> output =
            computeComposite(setup.composites.front(), matrix, structure, regional);
        if (!output)
            return std::move(output).error();
        return ranksOrNone(output->index, false);
    }
    const MethodPosition method = setup.methods.front();
    if (!structure) {
        Expected<MethodOutput> run = computeMethod(method, matrix.view());
        if (!run)
            return std::move(run).error();
        return std::move(run->ranks);
    }
    Expected<std::vector<double>> index = frameworkIndex(method, matrix, *structure);
    if (!index)
        return std::move(index).error();
    return ranksOrNone(*index, methodAt(method).ascending);
}

// The runs the unit figures are taken over: every run, or in the Saltelli
// design the runs of A and B of the rows where nothing was refused.
struct RunsTaken {
    std::vector<std::size_t> taken;
    std::vector<std::size_t> rowsKept; // the first run of each row kept
    int skipped = 0;                   // runs of the rows left out
};

RunsTaken runsTaken(const Plan& plan, bool sobol, const std::vector<RunOutcome>& outcomes) {
    RunsTaken runs;
    const std::size_t perRow = sobol ? plan.factors.size() + 2 : 1;
    for (int row = 0; row < plan.rows; ++row) {
        const std::size_t first = std::size_t(row) * perRow;
        const bool refused = std::any_of(outcomes.begin() + std::ptrdiff_t(first),
                                         outcomes.begin() + std::ptrdiff_t(first + perRow),
                                         [](const RunOutcome& run) { return run.refused; });
        if (refused) {
            runs.skipped += int(perRow);
            continue;
        }
        runs.rowsKept.push_back(first);
        runs.taken.push_back(first);
        if (sobol)
            runs.taken.push_back(first + 1);
    }
    return runs;
}

// Where each unit's rank lies over the runs taken.
std::vector<MonteCarloUnit> unitFigures(const std::vector<RunOutcome>& outcomes,
                                        const std::vector<std::size_t>& taken,
                                        const std::vector<int>& nominal) {
    std::vector<MonteCarloUnit> units(nominal.size());
    std::vector<int> ranks;
    ranks.reserve(taken.size());
    for (std::size_t u = 0; u < units.size(); ++u) {
        ranks.clear();
        double sum = 0.0;
        for (const std::size_t t : taken)
            if (const int rank = outcomes[t].ranks[u]; rank > 0) {
                ranks.push_back(rank);
                sum += rank;
            }
        MonteCarloUnit& unit = units[u];
        unit.nominal = nominal[u];
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
    return units;
}

// The Saltelli outputs of the kept rows (each k + 2 runs long) that one
// figure of a run gives.
template <typename Figure>
SaltelliOutputs saltelliOutputs(const std::vector<RunOutcome>& outcomes,
                                const std::vector<std::size_t>& rowsKept, std::size_t k,
                                Figure figure) {
    SaltelliOutputs outputs;
    outputs.ab.assign(k, {});
    for (std::size_t first : rowsKept) {
        outputs.a.push_back(figure(outcomes[first]));
        outputs.b.push_back(figure(outcomes[first + 1]));
        for (std::size_t i = 0; i < k; ++i)
            outputs.ab[i].push_back(figure(outcomes[first + 2 + i]));
    }
    return outputs;
}

// The mean absolute rank shift of every run of the kept rows.
SaltelliOutputs shiftOutputs(const std::vector<RunOutcome>& outcomes,
                             const std::vector<std::size_t>& rowsKept, std::size_t k,
                             const std::vector<int>& nominal) {
    return saltelliOutputs(outcomes, rowsKept, k,
                           [&](const RunOutcome& run) { return meanShift(run.ranks, nominal); });
}

// Each unit's total indices on its rank. A unit some run of a kept row
// leaves without an index has none: its rank is not an output of every run.
std::vector<std::optional<std::vector<double>>>
unitTotalIndices(const std::vector<RunOutcome>& outcomes, const std::vector<std::size_t>& rowsKept,
                 std::size_t k, std::size_t units) {
    std::vector<std::optional<std::vector<double>>> totals(units);
    const std::size_t perRow = k + 2;
    for (std::size_t u = 0; u < units; ++u) {
        const bool lacking = std::any_of(rowsKept.begin(), rowsKept.end(), [&](std::size_t first) {
            for (std::size_t r = first; r < first + perRow; ++r)
                if (outcomes[r].ranks[u] == 0)
                    return true;
            return false;
        });
        if (lacking)
            continue;
        totals[u] = totalIndices(saltelliOutputs(
            outcomes, rowsKept, k, [u](const RunOutcome& run) { return double(run.ranks[u]); }));
    }
    return totals;
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
    case MonteCarloFactor::Normalisation:
        return QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Normalizzazione"));
    case MonteCarloFactor::Aggregation:
        return QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Aggregazione"));
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
    if (std::optional<Failure> refused = setupRefusal(variants, setup))
        return std::move(*refused);
    const Matrix& nominalMatrix = *variants.front();
    const Regional regional = setup.regional ? *setup.regional : Regional::system();
    const Expected<std::vector<int>> nominal =
        nominalRanks(setup, nominalMatrix, structure, regional);
    if (!nominal)
        return nominal.error();

    if (progress)
        progress->report(QCoreApplication::translate("Robustness", "Analisi Monte Carlo"), 0);
    const int m = nominalMatrix.indicatorCount();
    const Plan plan = makePlan(setup, m, structure ? int(structure->elements.size()) : m, progress);
    std::vector<RunOutcome> outcomes(plan.draws.size());
    if ((progress && progress->cancelled()) ||
        !rankDraws(variants, setup, structure, plan.draws, regional, outcomes, progress))
        return failure(FailureKind::Cancelled,
                       QCoreApplication::translate("Robustness", "Analisi annullata."));

    MonteCarloResult result;
    result.factors = plan.factors;
    const RunsTaken runs = runsTaken(plan, setup.sobol, outcomes);
    result.skipped = runs.skipped;
    if (runs.taken.empty())
        return failure(FailureKind::MethodRefused,
                       QCoreApplication::translate(
                           "Robustness", "Nessuna estrazione è stata accettata dai metodi."));
    result.rankings = int(runs.taken.size());
    result.computed = qint64(plan.draws.size());
    result.units = unitFigures(outcomes, runs.taken, *nominal);
    if (setup.sobol && !runs.rowsKept.empty()) {
        const std::size_t k = plan.factors.size();
        result.indices = sobolIndices(shiftOutputs(outcomes, runs.rowsKept, k, *nominal),
                                      setup.bootstrap, setup.seed);
        result.unitTotals = unitTotalIndices(outcomes, runs.rowsKept, k, nominal->size());
    }
    return result;
}
