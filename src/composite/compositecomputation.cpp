#include "composite/compositecomputation.h"

#include "methods/ranking.h"
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

NormalisedColumn normaliseColumn(std::span<const double> values, bool negative,
                                 const Normalisation& n, const ColumnBounds& bounds) {
    NormalisedColumn out;
    const ColumnStats stats = statsOf(values);
    const auto onto = [&n](double t) { return n.a + (n.b - n.a) * t; };
    switch (n.kind) {
    case NormalisationKind::MinMax: {
        const double lo = stats.low;
        const double hi = stats.high;
        if (!(hi > lo))
            return {{}, NormalisationProblem::Constant};
        out.values = mapped(values, [&](double x) {
            return onto(negative ? (hi - x) / (hi - lo) : (x - lo) / (hi - lo));
        });
        break;
    }
    case NormalisationKind::ZScore:
        if (!(stats.sd > 0.0))
            return {{}, NormalisationProblem::Constant};
        out.values = mapped(values, [&](double x) {
            const double z = (x - stats.mean) / stats.sd;
            return n.a + n.b * (negative ? -z : z);
        });
        break;
    case NormalisationKind::Goalposts: {
        if (!bounds.minimum || !bounds.maximum || !(*bounds.minimum < *bounds.maximum))
            return {{}, NormalisationProblem::NoGoalposts};
        const double lo = *bounds.minimum;
        const double hi = *bounds.maximum;
        out.values = mapped(values, [&](double x) {
            return onto(clamp01(negative ? (hi - x) / (hi - lo) : (x - lo) / (hi - lo)));
        });
        break;
    }
    case NormalisationKind::Target: {
        if (!bounds.target)
            return {{}, NormalisationProblem::NoTarget};
        const double t = *bounds.target;
        if (negative) {
            const double hi = bounds.maximum.value_or(stats.high);
            if (!(hi > t))
                return {{}, NormalisationProblem::NoTarget};
            out.values = mapped(values, [&](double x) { return clamp01((hi - x) / (hi - t)); });
        } else {
            const double lo = bounds.minimum.value_or(stats.low);
            if (!(t > lo))
                return {{}, NormalisationProblem::NoTarget};
            out.values = mapped(values, [&](double x) { return clamp01((x - lo) / (t - lo)); });
        }
        break;
    }
    case NormalisationKind::Rank:
    case NormalisationKind::Percentile: {
        int count = 0;
        out.values = averageRanks(values, negative, &count);
        if (n.kind == NormalisationKind::Percentile) {
            if (count < 2)
                return {{}, NormalisationProblem::Constant};
            for (double& r : out.values)
                r = (r - 1.0) / double(count - 1);
        }
        break;
    }
    case NormalisationKind::Ratio:
        out.values =
            mapped(values, [&](double x) { return negative ? stats.mean / x : x / stats.mean; });
        break;
    case NormalisationKind::None:
        if (negative)
            return {{}, NormalisationProblem::NegativeNone};
        out.values.assign(values.begin(), values.end());
        break;
    }
    for (std::size_t i = 0; i < values.size(); ++i)
        if (!std::isnan(values[i]) && !std::isfinite(out.values[i]))
            return {{}, NormalisationProblem::NotFinite};
    return out;
}

double aggregateValues(const Aggregation& aggregation, std::span<const double> values,
                       std::span<const double> weights, int* refused) {
    double weightSum = 0.0;
    int m = 0;
    for (std::size_t k = 0; k < values.size(); ++k)
        if (!std::isnan(values[k]) && weights[k] > 0.0) {
            weightSum += weights[k];
            ++m;
        }
    if (m == 0)
        return kNaN;
    // Calls f(k, w', v) for every value the unit has.
    const auto each = [&](auto f) {
        for (std::size_t k = 0; k < values.size(); ++k)
            if (!std::isnan(values[k]) && weights[k] > 0.0)
                f(int(k), weights[k] * m / weightSum, values[k]);
    };
    const auto refuse = [&](int k) {
        if (*refused < 0)
            *refused = k;
    };
    double sum = 0.0;
    switch (aggregation.kind) {
    case AggregationKind::Mean:
        each([&](int, double w, double v) { sum += w * v; });
        return sum / m;
    case AggregationKind::Geometric: {
        bool zero = false;
        each([&](int k, double w, double v) {
            if (v < 0.0)
                refuse(k);
            else if (v == 0.0)
                zero = true;
            else
                sum += w * std::log(v);
        });
        if (*refused >= 0)
            return kNaN;
        return zero ? 0.0 : std::exp(sum / m);
    }
    case AggregationKind::Harmonic:
        each([&](int k, double w, double v) {
            if (v <= 0.0)
                refuse(k);
            else
                sum += w / v;
        });
        return *refused >= 0 ? kNaN : m / sum;
    case AggregationKind::Power: {
        const double p = aggregation.p;
        each([&](int k, double w, double v) {
            if (v < 0.0 || (p < 0.0 && v == 0.0))
                refuse(k);
            else
                sum += w * std::pow(v, p);
        });
        return *refused >= 0 ? kNaN : std::pow(sum / m, 1.0 / p);
    }
    case AggregationKind::MpiPlus:
    case AggregationKind::MpiMinus: {
        each([&](int, double w, double v) { sum += w * v; });
        const double mean = sum / m;
        double squares = 0.0;
        each([&](int, double w, double v) { squares += w * (v - mean) * (v - mean); });
        const double sd = std::sqrt(squares / m);
        if (mean == 0.0) {
            each([&](int k, double, double) { refuse(k); });
            return kNaN;
        }
        const double penalty = sd * (sd / mean);
        return aggregation.kind == AggregationKind::MpiPlus ? mean + penalty : mean - penalty;
    }
    }
    return kNaN;
}

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

    Expected<CompositeOutput> compute() {
        if (Status chosen = chooseAggregations(); !chosen)
            return std::move(chosen).error();
        m_output.groups.resize(m_structure.elements.size());
        m_output.normalised.resize(m_units * std::size_t(m_matrix.indicatorCount()));
        for (std::size_t e = 0; e < m_structure.elements.size(); ++e)
            if (!m_structure.elements[e].isGroup())
                if (Status normalised = normaliseIndicator(int(e)); !normalised)
                    return std::move(normalised).error();
        for (const int group : m_structure.bottomUp())
            if (Status aggregated = aggregateGroup(group); !aggregated)
                return std::move(aggregated).error();
        m_output.root = m_structure.root;
        m_output.index = m_output.groups[std::size_t(m_structure.root)];
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
    // column; a group's value, normalised again when built per level.
    Expected<std::vector<double>> contributionOf(int e) const {
        const StructureElement& element = m_structure.elements[std::size_t(e)];
        if (!element.isGroup()) {
            const auto begin = m_output.normalised.begin() +
                               std::ptrdiff_t(std::size_t(element.indicator) * m_units);
            return std::vector<double>(begin, begin + std::ptrdiff_t(m_units));
        }
        const std::vector<double>& values = m_output.groups[std::size_t(e)];
        if (m_composite.construction == Construction::Upward)
            return values;
        NormalisedColumn column =
            normaliseColumn(values, false, m_composite.normalisation,
                            {element.minimum, element.maximum, element.target});
        if (column.problem != NormalisationProblem::None)
            return normalisationRefusal(column.problem, element.name);
        return std::move(column.values);
    }

    Status aggregateGroup(int group) {
        const StructureElement& element = m_structure.elements[std::size_t(group)];
        std::vector<std::vector<double>> columns;
        std::vector<double> weights;
        std::vector<int> members;
        for (const int child : element.children) {
            const double weight = m_structure.elements[std::size_t(child)].weight;
            if (!(weight > 0.0))
                continue;
            Expected<std::vector<double>> column = contributionOf(child);
            if (!column)
                return std::move(column).error();
            columns.push_back(std::move(*column));
            weights.push_back(weight);
            members.push_back(child);
        }
        const Aggregation& aggregation = m_aggregationOf[std::size_t(group)];
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
};

} // namespace

Expected<CompositeOutput> computeComposite(const Composite& composite, const Matrix& matrix,
                                           const Structure* structure, const Regional& regional) {
    if (structure)
        return CompositeComputation(composite, matrix, *structure, regional).compute();
    const Structure flat = flatStructure(matrix, regional);
    return CompositeComputation(composite, matrix, flat, regional).compute();
}
