#include "composite/compositecomputation.h"

#include "methods/ranking.h"
#include "shared/vectorstate.h"
#include "workbook/caricamatrice.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double clamp01(double t) {
    return std::clamp(t, 0.0, 1.0);
}

// Average ranks among the values a column has, 1 for the worst: the
// smallest, or the largest for negative polarity; tied values share the
// mean of their ranks. NaN stays NaN.
std::vector<double> averageRanks(std::span<const double> values, bool negative, int* count) {
    std::vector<int> order;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (!std::isnan(values[i]))
            order.push_back(int(i));
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
        return negative ? values[std::size_t(x)] > values[std::size_t(y)]
                        : values[std::size_t(x)] < values[std::size_t(y)];
    });
    std::vector<double> ranks(values.size(), kNaN);
    for (std::size_t k = 0; k < order.size();) {
        std::size_t end = k + 1;
        while (end < order.size() &&
               values[std::size_t(order[end])] == values[std::size_t(order[k])])
            ++end;
        const double mean = (double(k + 1) + double(end)) / 2.0;
        for (std::size_t t = k; t < end; ++t)
            ranks[std::size_t(order[t])] = mean;
        k = end;
    }
    *count = int(order.size());
    return ranks;
}

struct ColumnStats {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    double mean = kNaN;
    double sd = kNaN;
};

ColumnStats statsOf(std::span<const double> values) {
    ColumnStats stats;
    double sum = 0.0;
    int count = 0;
    for (const double v : values)
        if (!std::isnan(v)) {
            stats.low = std::min(stats.low, v);
            stats.high = std::max(stats.high, v);
            sum += v;
            ++count;
        }
    if (count == 0)
        return stats;
    stats.mean = sum / count;
    double squares = 0.0;
    for (const double v : values)
        if (!std::isnan(v))
            squares += (v - stats.mean) * (v - stats.mean);
    stats.sd = std::sqrt(squares / count);
    return stats;
}

// Each value mapped by f, NaN kept.
template <typename F> std::vector<double> mapped(std::span<const double> values, F f) {
    std::vector<double> out(values.size(), kNaN);
    for (std::size_t i = 0; i < values.size(); ++i)
        if (!std::isnan(values[i]))
            out[i] = f(values[i]);
    return out;
}

} // namespace

namespace {

NormalisedColumn refused(NormalisationProblem problem) {
    return {{}, problem};
}

// (x - lo) / (hi - lo), or (hi - x) / (hi - lo) for negative polarity,
// clipped to [0, 1] when asked, mapped onto [a, b].
NormalisedColumn rescaled(std::span<const double> values, bool negative, double lo, double hi,
                          bool clip, const Normalisation& n) {
    return {mapped(values,
                   [&](double x) {
                       double t = negative ? (hi - x) / (hi - lo) : (x - lo) / (hi - lo);
                       if (clip)
                           t = clamp01(t);
                       return n.a + (n.b - n.a) * t;
                   }),
            NormalisationProblem::None};
}

NormalisedColumn zScoreColumn(std::span<const double> values, bool negative,
                              const ColumnStats& stats, const Normalisation& n) {
    if (!(stats.sd > 0.0))
        return refused(NormalisationProblem::Constant);
    return {mapped(values,
                   [&](double x) {
                       const double z = (x - stats.mean) / stats.sd;
                       return n.a + n.b * (negative ? -z : z);
                   }),
            NormalisationProblem::None};
}

// The distance to the target: from the worst value (the given Minimo, or
// the observed minimum; for negative polarity the Massimo or the observed
// maximum) to the target, clipped to [0, 1].
NormalisedColumn targetColumn(std::span<const double> values, bool negative,
                              const ColumnStats& stats, const ColumnBounds& bounds) {
    if (!bounds.target)
        return refused(NormalisationProblem::NoTarget);
    const double t = *bounds.target;
    const double worst =
        negative ? bounds.maximum.value_or(stats.high) : bounds.minimum.value_or(stats.low);
    if (negative ? !(worst > t) : !(t > worst))
        return refused(NormalisationProblem::NoTarget);
    const Normalisation unit;
    return negative ? rescaled(values, true, t, worst, true, unit)
                    : rescaled(values, false, worst, t, true, unit);
}

NormalisedColumn rankColumn(std::span<const double> values, bool negative, bool percentile) {
    int count = 0;
    NormalisedColumn out{averageRanks(values, negative, &count), NormalisationProblem::None};
    if (!percentile)
        return out;
    if (count < 2)
        return refused(NormalisationProblem::Constant);
    for (double& r : out.values)
        r = (r - 1.0) / double(count - 1);
    return out;
}

NormalisedColumn normalisedByKind(std::span<const double> values, bool negative,
                                  const Normalisation& n, const ColumnBounds& bounds) {
    const ColumnStats stats = statsOf(values);
    switch (n.kind) {
    case NormalisationKind::MinMax:
        if (!(stats.high > stats.low))
            return refused(NormalisationProblem::Constant);
        return rescaled(values, negative, stats.low, stats.high, false, n);
    case NormalisationKind::ZScore:
        return zScoreColumn(values, negative, stats, n);
    case NormalisationKind::Goalposts:
        if (!bounds.minimum || !bounds.maximum || !(*bounds.minimum < *bounds.maximum))
            return refused(NormalisationProblem::NoGoalposts);
        return rescaled(values, negative, *bounds.minimum, *bounds.maximum, true, n);
    case NormalisationKind::Target:
        return targetColumn(values, negative, stats, bounds);
    case NormalisationKind::Rank:
    case NormalisationKind::Percentile:
        return rankColumn(values, negative, n.kind == NormalisationKind::Percentile);
    case NormalisationKind::Ratio:
        return {
            mapped(values, [&](double x) { return negative ? stats.mean / x : x / stats.mean; }),
            NormalisationProblem::None};
    case NormalisationKind::None:
        if (negative)
            return refused(NormalisationProblem::NegativeNone);
        return {std::vector<double>(values.begin(), values.end()), NormalisationProblem::None};
    }
    return refused(NormalisationProblem::NotFinite);
}

} // namespace

NormalisedColumn normaliseColumn(std::span<const double> values, bool negative,
                                 const Normalisation& n, const ColumnBounds& bounds) {
    NormalisedColumn out = normalisedByKind(values, negative, n, bounds);
    if (out.problem != NormalisationProblem::None)
        return out;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (!std::isnan(values[i]) && !std::isfinite(out.values[i]))
            return refused(NormalisationProblem::NotFinite);
    return out;
}

namespace {

// The values a unit has, with their weights scaled to sum to their count:
// f(position, w', value) for each.
struct UnitValues {
    std::span<const double> values;
    std::span<const double> weights;
    int m = 0;
    double weightSum = 0.0;

    UnitValues(std::span<const double> v, std::span<const double> w) : values(v), weights(w) {
        for (std::size_t k = 0; k < values.size(); ++k)
            if (has(k)) {
                weightSum += weights[k];
                ++m;
            }
    }
    bool has(std::size_t k) const { return !std::isnan(values[k]) && weights[k] > 0.0; }
    template <typename F> void each(F f) const {
        for (std::size_t k = 0; k < values.size(); ++k)
            if (has(k))
                f(int(k), weights[k] * m / weightSum, values[k]);
    }
    // sum(w' g(v)) over the values, or the first position where refuse(v).
    template <typename G, typename R> double sum(G g, R refuse, int* refused) const {
        double total = 0.0;
        each([&](int k, double w, double v) {
            if (*refused >= 0)
                return;
            if (refuse(v))
                *refused = k;
            else
                total += w * g(v);
        });
        return total;
    }
};

double mpi(const UnitValues& unit, bool plus, int* refused) {
    const auto never = [](double) { return false; };
    const double mean = unit.sum([](double v) { return v; }, never, refused) / unit.m;
    if (mean == 0.0) {
        unit.each([&](int k, double, double) { *refused = *refused < 0 ? k : *refused; });
        return kNaN;
    }
    const double variance =
        unit.sum([mean](double v) { return (v - mean) * (v - mean); }, never, refused) / unit.m;
    return plus ? mean + variance / mean : mean - variance / mean;
}

} // namespace

double aggregateValues(const Aggregation& aggregation, std::span<const double> values,
                       std::span<const double> weights, int* refused) {
    const UnitValues unit(values, weights);
    if (unit.m == 0)
        return kNaN;
    const double m = unit.m;
    const auto never = [](double) { return false; };
    switch (aggregation.kind) {
    case AggregationKind::Mean:
        return unit.sum([](double v) { return v; }, never, refused) / m;
    case AggregationKind::Geometric: {
        bool zero = false;
        const double logs = unit.sum(
            [&zero](double v) {
                zero = zero || v == 0.0;
                return logarithmOrZero(v);
            },
            [](double v) { return v < 0.0; }, refused);
        return *refused >= 0 ? kNaN : zero ? 0.0 : std::exp(logs / m);
    }
    case AggregationKind::Harmonic: {
        const double inverses =
            unit.sum([](double v) { return 1.0 / v; }, [](double v) { return v <= 0.0; }, refused);
        return *refused >= 0 ? kNaN : m / inverses;
    }
    case AggregationKind::Power: {
        const double p = aggregation.p;
        const double powers =
            unit.sum([p](double v) { return std::pow(v, p); },
                     [p](double v) { return v < 0.0 || (p < 0.0 && v == 0.0); }, refused);
        return *refused >= 0 ? kNaN : std::pow(powers / m, 1.0 / p);
    }
    case AggregationKind::MpiPlus:
    case AggregationKind::MpiMinus:
        return mpi(unit, aggregation.kind == AggregationKind::MpiPlus, refused);
    }
    return kNaN;
}

double logarithmOrZero(double value) {
    return value > 0.0 ? std::log(value) : 0.0;
}

namespace {

// Adds w * term(x, i) to totals[i] for each value x of a column; false at
// a missing value or one refused.
template <typename Refuse, typename Term>
bool addColumn(std::span<const double> column, double w, std::vector<double>& totals, Refuse refuse,
               Term term) {
    for (std::size_t i = 0; i < totals.size(); ++i) {
        const double x = column[i];
        if (std::isnan(x) || refuse(x))
            return false;
        totals[i] += w * term(x, i);
    }
    return true;
}

// The sums of aggregateByColumns made the aggregation's values, as
// aggregateValues makes them from its m terms; false at a value not
// finite.
bool finishTotals(const Aggregation& aggregation, int m, const std::vector<char>& zero,
                  std::vector<double>& totals) {
    const AggregationKind kind = aggregation.kind;
    const double p = aggregation.p;
    const double count = m;
    for (std::size_t i = 0; i < totals.size(); ++i) {
        double& value = totals[i];
        if (kind == AggregationKind::Mean)
            value = value / count;
        else if (kind == AggregationKind::Geometric)
            value = zero[i] ? 0.0 : std::exp(value / count);
        else if (kind == AggregationKind::Harmonic)
            value = count / value;
        else
            value = std::pow(value / count, 1.0 / p);
        if (std::isinf(value))
            return false;
    }
    return true;
}

// A group's values aggregated column by column when every unit has every
// value and none is refused: the same terms added in the same order as
// aggregateValues adds them, so the same numbers. logs[k], when not null,
// holds logarithmOrZero of column k. Nothing for the MPI aggregations, a
// missing value, a value refused or a result not finite: the unit by unit
// path then gives them.
std::optional<std::vector<double>> aggregateByColumns(
    const Aggregation& aggregation, const std::vector<std::span<const double>>& columns,
    const std::vector<const double*>& logs, const std::vector<double>& weights, std::size_t units) {
    const AggregationKind kind = aggregation.kind;
    if (kind == AggregationKind::MpiPlus || kind == AggregationKind::MpiMinus || columns.empty())
        return std::nullopt;
    const int m = int(columns.size());
    double weightSum = 0.0;
    for (const double weight : weights)
        weightSum += weight;
    const double p = aggregation.p;
    std::vector<double> totals(units, 0.0);
    std::vector<char> zero(kind == AggregationKind::Geometric ? units : 0, 0);
    clearUpperVectorState();
    const auto never = [](double) { return false; };
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const double w = weights[k] * m / weightSum;
        const std::span<const double> v = columns[k];
        bool added = false;
        switch (kind) {
        case AggregationKind::Mean:
            added = addColumn(v, w, totals, never, [](double x, std::size_t) { return x; });
            break;
        case AggregationKind::Geometric: {
            const double* log = logs[k];
            added = addColumn(
                v, w, totals, [](double x) { return x < 0.0; },
                [&zero, log](double x, std::size_t i) {
                    zero[i] = char(zero[i] || x == 0.0);
                    return log ? log[i] : logarithmOrZero(x);
                });
            break;
        }
        case AggregationKind::Harmonic:
            added = addColumn(
                v, w, totals, [](double x) { return x <= 0.0; },
                [](double x, std::size_t) { return 1.0 / x; });
            break;
        case AggregationKind::Power:
            added = addColumn(
                v, w, totals, [p](double x) { return x < 0.0 || (p < 0.0 && x == 0.0); },
                [p](double x, std::size_t) { return std::pow(x, p); });
            break;
        case AggregationKind::MpiPlus:
        case AggregationKind::MpiMinus:
            break;
        }
        if (!added)
            return std::nullopt;
    }
    if (!finishTotals(aggregation, m, zero, totals))
        return std::nullopt;
    return totals;
}

} // namespace

Structure flatStructure(const Matrix& matrix, const Regional& regional) {
    Structure structure;
    const int m = matrix.indicatorCount();
    for (int j = 0; j < m; ++j) {
        StructureElement element;
        element.name = regional.generalText(matrix.indicators[std::size_t(j)]).trimmed();
        element.indicator = j;
        element.parent = m;
        element.weight = element.writtenWeight = matrix.weights[std::size_t(j)];
        structure.elements.push_back(std::move(element));
    }
    StructureElement overall;
    overall.name = overallIndexName();
    overall.children.resize(std::size_t(m));
    std::iota(overall.children.begin(), overall.children.end(), 0);
    structure.elements.push_back(std::move(overall));
    structure.root = m;
    return structure;
}

namespace {

// The computation of one composite, its refusals worded with the matrix's
// names.
class CompositeComputation {
public:
    CompositeComputation(const Composite& composite, const Matrix& matrix,
                         const Structure& structure, const Regional& regional)
        : m_composite(composite), m_matrix(matrix), m_structure(structure), m_regional(regional),
          m_units(std::size_t(matrix.unitCount())) {}

    // The indicators' normalised columns alone.
    Status normaliseIndicators() {
        m_output.normalised.resize(m_units * std::size_t(m_matrix.indicatorCount()));
        for (std::size_t e = 0; e < m_structure.elements.size(); ++e)
            if (!m_structure.elements[e].isGroup())
                if (Status normalised = normaliseIndicator(int(e)); !normalised)
                    return normalised;
        return {};
    }

    std::vector<double> takeNormalised() { return std::move(m_output.normalised); }

    // Every group and the overall index, from the indicators' normalised
    // columns: shared when given, else normalised here. Ranks only when
    // asked.
    Expected<CompositeOutput> compute(const std::vector<double>* shared, bool ranks,
                                      const std::vector<double>* logs = nullptr) {
        m_logs = logs;
        if (Status chosen = chooseAggregations(); !chosen)
            return std::move(chosen).error();
        m_output.groups.resize(m_structure.elements.size());
        if (!shared)
            if (Status normalised = normaliseIndicators(); !normalised)
                return std::move(normalised).error();
        m_normalised = shared ? shared : &m_output.normalised;
        for (const int group : m_structure.bottomUp())
            if (Status aggregated = aggregateGroup(group); !aggregated)
                return std::move(aggregated).error();
        m_output.root = m_structure.root;
        m_output.index = m_output.groups[std::size_t(m_structure.root)];
        if (ranks)
            m_output.ranks = rankIndex(m_output.index, false);
        return std::move(m_output);
    }

private:
    Failure refusal(const QString& reason) const {
        return failure(FailureKind::MethodRefused,
                       m_composite.code + QStringLiteral(" - ") + reason);
    }
    QString number(double value) const { return m_regional.generalText(CellValue(value)); }
    QString unitName(std::size_t unit) const {
        return m_regional.generalText(m_matrix.units[unit]).simplified();
    }

    // Each group's aggregation: its own Aggregazione, else the composite's.
    Status chooseAggregations() {
        m_aggregationOf.assign(m_structure.elements.size(), m_composite.aggregation);
        for (std::size_t e = 0; e < m_structure.elements.size(); ++e) {
            const StructureElement& element = m_structure.elements[e];
            if (element.aggregation.isEmpty())
                continue;
            const std::optional<Aggregation> own = parseAggregation(element.aggregation);
            if (!own)
                return failure(
                    FailureKind::Refused,
                    QCoreApplication::translate("Framework", "Struttura, riga %1: ")
                            .arg(element.row) +
                        QCoreApplication::translate(
                            "Composite", "l'aggregazione «%1» di %2 non è ammessa (ammesse: %3).")
                            .arg(element.aggregation, element.name, aggregationCodes()));
            m_aggregationOf[e] = *own;
        }
        return {};
    }

    // The bounds of an element, on the scale of its values (logarithms when
    // it takes them).
    Expected<ColumnBounds> boundsOf(const StructureElement& element) const {
        ColumnBounds bounds{element.minimum, element.maximum, element.target};
        if (!element.logarithm)
            return bounds;
        for (std::optional<double>* bound : {&bounds.minimum, &bounds.maximum, &bounds.target}) {
            if (!*bound)
                continue;
            if (**bound <= 0.0)
                return refusal(QCoreApplication::translate(
                                   "Composite", "la trasformazione log di %1 non si applica al "
                                                "valore %2 della struttura: deve essere maggiore "
                                                "di 0.")
                                   .arg(element.name, number(**bound)));
            *bound = std::log(**bound);
        }
        return bounds;
    }

    Failure normalisationRefusal(NormalisationProblem problem, const QString& name) const {
        const QString code = m_composite.normalisation.code();
        switch (problem) {
        case NormalisationProblem::NoGoalposts:
            return refusal(QCoreApplication::translate(
                               "Composite", "la normalizzazione %1 richiede per %2 un Minimo "
                                            "minore del Massimo nella struttura.")
                               .arg(code, name));
        case NormalisationProblem::NoTarget:
            return refusal(QCoreApplication::translate(
                               "Composite", "la normalizzazione target richiede per %1 un "
                                            "Obiettivo migliore del valore peggiore (Minimo o "
                                            "Massimo, o quello osservato).")
                               .arg(name));
        case NormalisationProblem::NegativeNone:
            return refusal(QCoreApplication::translate(
                               "Composite", "la normalizzazione none non si applica a %1, di "
                                            "polarità negativa.")
                               .arg(name));
        case NormalisationProblem::Constant:
            return refusal(QCoreApplication::translate("Composite",
                                                       "%1 ha lo stesso valore in ogni unità: la "
                                                       "normalizzazione %2 non è definita.")
                               .arg(name, code));
        case NormalisationProblem::NotFinite:
        case NormalisationProblem::None:
            break;
        }
        return refusal(QCoreApplication::translate(
                           "Composite", "la normalizzazione %1 di %2 non dà numeri finiti (una "
                                        "media o un valore nullo).")
                           .arg(code, name));
    }

    Status normaliseIndicator(int e) {
        const StructureElement& element = m_structure.elements[std::size_t(e)];
        const int j = element.indicator;
        std::vector<double> values(m_units, kNaN);
        for (std::size_t i = 0; i < m_units; ++i) {
            if (m_matrix.isMissing(int(i), j))
                continue;
            const double x = m_matrix.value(int(i), j);
            if (element.logarithm && !(x > 0.0))
                return refusal(QCoreApplication::translate(
                                   "Composite", "la trasformazione log non si applica al valore "
                                                "%1 della cella %2 (%3, %4): deve essere "
                                                "maggiore di 0.")
                                   .arg(number(x), cellReference(int(i) + 2, j + 2), unitName(i),
                                        element.name));
            values[i] = element.logarithm ? std::log(x) : x;
        }
        const Expected<ColumnBounds> bounds = boundsOf(element);
        if (!bounds)
            return bounds.error();
        NormalisedColumn column = normaliseColumn(values, m_matrix.negative[std::size_t(j)] != 0,
                                                  m_composite.normalisation, *bounds);
        if (column.problem != NormalisationProblem::None)
            return normalisationRefusal(column.problem, element.name);
        std::copy(column.values.begin(), column.values.end(),
                  m_output.normalised.begin() + std::ptrdiff_t(std::size_t(j) * m_units));
        return {};
    }

    // The values an element brings to its parent: an indicator's normalised
    // column; a group's value, normalised again (into owned) when built per
    // level.
    Expected<std::span<const double>> contributionOf(int e, std::vector<double>& owned) const {
        const StructureElement& element = m_structure.elements[std::size_t(e)];
        if (!element.isGroup())
            return std::span<const double>(
                m_normalised->data() + std::size_t(element.indicator) * m_units, m_units);
        const std::vector<double>& values = m_output.groups[std::size_t(e)];
        if (m_composite.construction == Construction::Upward)
            return std::span<const double>(values);
        NormalisedColumn column =
            normaliseColumn(values, false, m_composite.normalisation,
                            {element.minimum, element.maximum, element.target});
        if (column.problem != NormalisationProblem::None)
            return normalisationRefusal(column.problem, element.name);
        owned = std::move(column.values);
        return std::span<const double>(owned);
    }

    Status aggregateGroup(int group) {
        clearUpperVectorState();
        const StructureElement& element = m_structure.elements[std::size_t(group)];
        std::vector<std::span<const double>> columns;
        std::vector<std::vector<double>> owned(element.children.size());
        std::vector<double> weights;
        std::vector<int> members;
        for (const int child : element.children) {
            const double weight = m_structure.elements[std::size_t(child)].weight;
            if (!(weight > 0.0))
                continue;
            Expected<std::span<const double>> column = contributionOf(child, owned[members.size()]);
            if (!column)
                return std::move(column).error();
            columns.push_back(*column);
            weights.push_back(weight);
            members.push_back(child);
        }
        const Aggregation& aggregation = m_aggregationOf[std::size_t(group)];
        std::vector<const double*> logs;
        for (const int member : members) {
            const StructureElement& child = m_structure.elements[std::size_t(member)];
            logs.push_back(m_logs && !child.isGroup()
                               ? m_logs->data() + std::size_t(child.indicator) * m_units
                               : nullptr);
        }
        if (std::optional<std::vector<double>> byColumns =
                aggregateByColumns(aggregation, columns, logs, weights, m_units)) {
            m_output.groups[std::size_t(group)] = std::move(*byColumns);
            return {};
        }
        std::vector<double> result(m_units, kNaN);
        std::vector<double> row(columns.size());
        for (std::size_t i = 0; i < m_units; ++i) {
            for (std::size_t k = 0; k < columns.size(); ++k)
                row[k] = columns[k][i];
            int refused = -1;
            result[i] = aggregateValues(aggregation, row, weights, &refused);
            if (refused >= 0)
                return refusal(
                    QCoreApplication::translate(
                        "Composite", "l'aggregazione %1 del gruppo %2 non accetta il valore %3 "
                                     "di %4 per l'unità %5.")
                        .arg(aggregation.code(), element.name, number(row[std::size_t(refused)]),
                             m_structure.elements[std::size_t(members[std::size_t(refused)])].name,
                             unitName(i)));
            if (std::isinf(result[i]))
                return refusal(QCoreApplication::translate(
                                   "Composite", "l'aggregazione %1 del gruppo %2 non dà un numero "
                                                "finito per l'unità %3.")
                                   .arg(aggregation.code(), element.name, unitName(i)));
        }
        m_output.groups[std::size_t(group)] = std::move(result);
        return {};
    }

    const Composite& m_composite;
    const Matrix& m_matrix;
    const Structure& m_structure;
    const Regional& m_regional;
    std::size_t m_units;
    std::vector<Aggregation> m_aggregationOf;
    CompositeOutput m_output;
    const std::vector<double>* m_normalised = nullptr;
    const std::vector<double>* m_logs = nullptr;
};

} // namespace

Expected<CompositeOutput> computeComposite(const Composite& composite, const Matrix& matrix,
                                           const Structure* structure, const Regional& regional) {
    if (structure)
        return CompositeComputation(composite, matrix, *structure, regional).compute(nullptr, true);
    const Structure flat = flatStructure(matrix, regional);
    return CompositeComputation(composite, matrix, flat, regional).compute(nullptr, true);
}

Expected<std::vector<double>> normaliseIndicators(const Composite& composite, const Matrix& matrix,
                                                  const Structure& structure,
                                                  const Regional& regional) {
    CompositeComputation computation(composite, matrix, structure, regional);
    if (Status normalised = computation.normaliseIndicators(); !normalised)
        return std::move(normalised).error();
    return computation.takeNormalised();
}

Expected<CompositeOutput> computeCompositeOnNormalised(const Composite& composite,
                                                       const Matrix& matrix,
                                                       const Structure& structure,
                                                       const Regional& regional,
                                                       const std::vector<double>& normalised,
                                                       const std::vector<double>* logs) {
    return CompositeComputation(composite, matrix, structure, regional)
        .compute(&normalised, false, logs);
}
