#include "robustness/compositesets.h"

#include "composite/compositecomputation.h"
#include "framework/frameworkcomputation.h"
#include "methods/ranking.h"
#include "shared/parallelfor.h"

#include <QCoreApplication>

#include <algorithm>

std::vector<CompositeVariant> compositeVariants(const std::vector<Composite>& composites,
                                                const std::vector<Normalisation>& normalisations,
                                                const std::vector<Aggregation>& aggregations) {
    std::vector<CompositeVariant> variants;
    for (const Composite& composite : composites) {
        std::vector<Normalisation> ownNormalisations{composite.normalisation};
        for (const Normalisation& n : normalisations)
            if (std::none_of(ownNormalisations.begin(), ownNormalisations.end(),
                             [&n](const Normalisation& o) { return o.code() == n.code(); }))
                ownNormalisations.push_back(n);
        std::vector<Aggregation> ownAggregations{composite.aggregation};
        for (const Aggregation& a : aggregations)
            if (std::none_of(ownAggregations.begin(), ownAggregations.end(),
                             [&a](const Aggregation& o) { return o.code() == a.code(); }))
                ownAggregations.push_back(a);
        for (const Normalisation& n : ownNormalisations)
            for (const Aggregation& a : ownAggregations) {
                CompositeVariant variant{composite, composite.code};
                variant.composite.normalisation = n;
                variant.composite.aggregation = a;
                if (n.code() != composite.normalisation.code() ||
                    a.code() != composite.aggregation.code())
                    variant.code =
                        QStringLiteral("%1 %2/%3").arg(composite.code, n.code(), a.code());
                variants.push_back(std::move(variant));
            }
    }
    return variants;
}

namespace {

// The flat structure of the matrix, its indicators' goalposts, targets and
// transformations those of bounds when given.
Structure flatWithBounds(const Matrix& matrix, const Structure* bounds, const Regional& regional) {
    Structure flat = flatStructure(matrix, regional);
    if (!bounds)
        return flat;
    for (const StructureElement& element : bounds->elements) {
        if (element.isGroup())
            continue;
        StructureElement& indicator = flat.elements[std::size_t(element.indicator)];
        indicator.minimum = element.minimum;
        indicator.maximum = element.maximum;
        indicator.target = element.target;
        indicator.logarithm = element.logarithm;
    }
    return flat;
}

MethodRanking refusedRanking(const QString& message) {
    MethodRanking run;
    run.refused = true;
    run.message = message;
    return run;
}

} // namespace

std::vector<MethodRanking>
rankCompositesOverIndicatorSets(const Matrix& matrix, const std::vector<CompositeVariant>& variants,
                                const Regional& regional, const Structure* bounds,
                                WorkProgress* progress, int threads) {
    const int sets = matrix.indicatorCount() + 1;
    const std::size_t count = variants.size();
    std::vector<MethodRanking> result(std::size_t(sets) * count);
    if (matrix.indicatorCount() < 1 || count == 0)
        return result;
    LoopProgress parts(progress, qint64(sets) * qint64(count));
    const Structure flat = flatWithBounds(matrix, bounds, regional);
    for (std::size_t i = 0; i < count; ++i) {
        const Composite& composite = variants[i].composite;
        const Expected<std::vector<double>> normalised =
            normaliseIndicators(composite, matrix, flat, regional);
        if (!parallelFor(sets, threads, &parts, [&](int set) {
                MethodRanking& run = result[std::size_t(set) * count + i];
                if (!normalised) {
                    run = refusedRanking(normalised.error().message);
                    return;
                }
                const std::optional<Structure> kept =
                    set == 0 ? std::optional<Structure>(flat) : withoutElement(flat, set - 1);
                if (!kept) {
                    run = refusedRanking(
                        QCoreApplication::translate("Robustness", "Nessun indicatore rimasto."));
                    return;
                }
                const Expected<CompositeOutput> output =
                    computeCompositeOnNormalised(composite, matrix, *kept, regional, *normalised);
                if (output)
                    run.ranks = rankIndex(output->index, false);
                else
                    run = refusedRanking(output.error().message);
            }))
            return {};
    }
    return result;
}
