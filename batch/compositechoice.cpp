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

// The items of a list, a failure naming the option it came from.
template <typename Choice>
Expected<std::vector<Choice>> optionItems(Expected<std::vector<Choice>> items,
                                          const QString& option) {
    if (!items)
        return failure(FailureKind::Usage,
                       QStringLiteral("--%1: ").arg(option) + items.error().message);
    return items;
}

} // namespace

Expected<std::vector<Normalisation>> listedNormalisationsOption(const QString& list) {
    return optionItems(listedNormalisations(list), QStringLiteral("normalisations"));
}

Expected<std::vector<Aggregation>> listedAggregationsOption(const QString& list) {
    return optionItems(listedAggregations(list), QStringLiteral("aggregations"));
}
