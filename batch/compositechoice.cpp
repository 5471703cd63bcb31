#include "compositechoice.h"

#include "workflow/compositerun.h"

#include <algorithm>

MethodCodes splitMethodCodes(const QStringList& codes) {
    MethodCodes split;
    const QStringList nine = methodCodes();
    for (const QString& listed : codes) {
        const QString code = listed.trimmed();
        if (code.isEmpty())
            continue;
        const qsizetype index = nine.indexOf(code);
        if (split.nine.empty() && split.others.isEmpty())
            split.compositeFirst = index < 0;
        if (index >= 0) {
            if (std::find(split.nine.begin(), split.nine.end(), MethodPosition(index)) ==
                split.nine.end())
                split.nine.push_back(MethodPosition(index));
        } else if (!split.others.contains(code, Qt::CaseInsensitive)) {
            split.others.append(code);
        }
    }
    return split;
}

MethodCodes everyMethodCode() {
    MethodCodes every;
    for (const MethodInfo& method : methodTable())
        every.nine.push_back(MethodPosition(method.position));
    every.everyComposite = true;
    return every;
}

Expected<std::vector<Composite>>
namedComposites(const MethodCodes& codes, const Processing& processing, const QString& file) {
    if (!codes.everyComposite && codes.others.isEmpty())
        return std::vector<Composite>();
    const Expected<CompositeList> list = loadComposites(processing, file, Regional::system());
    if (!list)
        return list.error();
    if (codes.everyComposite)
        return list->composites;
    std::vector<Composite> named;
    for (const QString& code : codes.others) {
        const Composite* composite = list->find(code);
        if (!composite) {
            QStringList valid = methodCodes();
            for (const Composite& defined : list->composites)
                valid.append(defined.code);
            return failure(FailureKind::Usage,
                           QStringLiteral("Codice di metodo sconosciuto: %1. Codici validi: %2")
                               .arg(code, valid.join(QStringLiteral(", "))));
        }
        named.push_back(*composite);
    }
    return named;
}

namespace {

// The items of a list parsed by parse, or a Usage failure naming the
// option, the unknown item and the valid codes.
template <typename Choice, typename Parse>
Expected<std::vector<Choice>> listed(const QString& list, const QString& option, Parse parse,
                                     const QString& valid) {
    std::vector<Choice> items;
    for (const QString& item : splitCodeList(list)) {
        const std::optional<Choice> choice = parse(item);
        if (!choice)
            return failure(
                FailureKind::Usage,
                QStringLiteral("--%1: «%2» non è ammessa (ammesse: %3).").arg(option, item, valid));
        items.push_back(*choice);
    }
    return items;
}

} // namespace

Expected<std::vector<Normalisation>> listedNormalisations(const QString& list) {
    return listed<Normalisation>(list, QStringLiteral("normalisations"), parseNormalisation,
                                 normalisationCodes());
}

Expected<std::vector<Aggregation>> listedAggregations(const QString& list) {
    return listed<Aggregation>(list, QStringLiteral("aggregations"), parseAggregation,
                               aggregationCodes());
}
