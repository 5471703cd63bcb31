#include "composite/compositespec.h"

#include <QCoreApplication>

#include <cmath>
#include <vector>

namespace {

// A code split into its name and its arguments: "minmax(0, 100)" is
// minmax with 0 and 100; nothing when the parentheses are not a pair at the
// end or an argument is no finite number.
struct Call {
    QString name;
    bool hasArguments = false;
    std::vector<double> arguments;
};

std::optional<Call> callOf(const QString& text) {
    const QString code = text.trimmed().toLower();
    Call call;
    const qsizetype open = code.indexOf(u'(');
    if (open < 0) {
        if (code.contains(u')'))
            return std::nullopt;
        call.name = code;
        return call;
    }
    if (!code.endsWith(u')') || code.indexOf(u'(', open + 1) >= 0 ||
        code.indexOf(u')') != code.size() - 1)
        return std::nullopt;
    call.name = code.left(open).trimmed();
    call.hasArguments = true;
    const QString inside = code.mid(open + 1, code.size() - open - 2);
    for (const QString& argument : inside.split(u',')) {
        bool ok = false;
        const double value = argument.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(value))
            return std::nullopt;
        call.arguments.push_back(value);
    }
    return call;
}

// A number as codes write it: the shortest text that reads back the same.
QString numberText(double value) {
    const QString shorter = QString::number(value, 'g', 15);
    return shorter.toDouble() == value ? shorter : QString::number(value, 'g', 17);
}

QString withArguments(const QString& name, double a, double b) {
    return QStringLiteral("%1(%2,%3)").arg(name, numberText(a), numberText(b));
}

struct NormalisationName {
    const char16_t* name;
    NormalisationKind kind;
    bool takesArguments;
};
constexpr NormalisationName kNormalisations[] = {
    {u"minmax", NormalisationKind::MinMax, true},
    {u"zscore", NormalisationKind::ZScore, true},
    {u"goalposts", NormalisationKind::Goalposts, true},
    {u"target", NormalisationKind::Target, false},
    {u"rank", NormalisationKind::Rank, false},
    {u"percentile", NormalisationKind::Percentile, false},
    {u"ratio", NormalisationKind::Ratio, false},
    {u"none", NormalisationKind::None, false},
};

struct AggregationName {
    const char16_t* name;
    AggregationKind kind;
};
constexpr AggregationName kAggregations[] = {
    {u"mean", AggregationKind::Mean},         {u"geometric", AggregationKind::Geometric},
    {u"harmonic", AggregationKind::Harmonic}, {u"power", AggregationKind::Power},
    {u"mpi+", AggregationKind::MpiPlus},      {u"mpi-", AggregationKind::MpiMinus},
};

} // namespace

QString Normalisation::code() const {
    for (const NormalisationName& n : kNormalisations)
        if (n.kind == kind) {
            const QString name = QString::fromUtf16(n.name);
            return scaled ? withArguments(name, a, b) : name;
        }
    return {};
}

QString Aggregation::code() const {
    for (const AggregationName& n : kAggregations)
        if (n.kind == kind)
            return kind == AggregationKind::Power ? QStringLiteral("power(%1)").arg(numberText(p))
                                                  : QString::fromUtf16(n.name);
    return {};
}

QString constructionCode(Construction construction) {
    return construction == Construction::Upward ? QStringLiteral("upward")
                                                : QStringLiteral("per-level");
}

std::optional<Normalisation> parseNormalisation(const QString& text) {
    const std::optional<Call> call = callOf(text);
    if (!call)
        return std::nullopt;
    for (const NormalisationName& n : kNormalisations) {
        if (call->name != QString::fromUtf16(n.name))
            continue;
        Normalisation normalisation;
        normalisation.kind = n.kind;
        if (!call->hasArguments)
            return normalisation;
        if (!n.takesArguments || call->arguments.size() != 2)
            return std::nullopt;
        normalisation.scaled = true;
        normalisation.a = call->arguments[0];
        normalisation.b = call->arguments[1];
        const bool valid = n.kind == NormalisationKind::ZScore ? normalisation.b > 0.0
                                                               : normalisation.a < normalisation.b;
        if (!valid)
            return std::nullopt;
        return normalisation;
    }
    return std::nullopt;
}

std::optional<Aggregation> parseAggregation(const QString& text) {
    const std::optional<Call> call = callOf(text);
    if (!call)
        return std::nullopt;
    for (const AggregationName& n : kAggregations) {
        if (call->name != QString::fromUtf16(n.name))
            continue;
        Aggregation aggregation;
        aggregation.kind = n.kind;
        if (n.kind != AggregationKind::Power)
            return call->hasArguments ? std::nullopt : std::optional(aggregation);
        if (call->arguments.size() != 1 || call->arguments[0] == 0.0)
            return std::nullopt;
        aggregation.p = call->arguments[0];
        return aggregation;
    }
    return std::nullopt;
}

std::optional<Construction> parseConstruction(const QString& text) {
    const QString code = text.trimmed().toLower();
    if (code == u"upward")
        return Construction::Upward;
    if (code == u"per-level")
        return Construction::PerLevel;
    return std::nullopt;
}

QString normalisationCodes() {
    return QStringLiteral("minmax, minmax(a,b), zscore, zscore(m,s), goalposts, goalposts(a,b), "
                          "target, rank, percentile, ratio, none");
}

QString aggregationCodes() {
    return QStringLiteral("mean, geometric, harmonic, power(p), mpi+, mpi-");
}

QString constructionCodes() {
    return QStringLiteral("upward, per-level");
}

QStringList splitCodeList(const QString& list) {
    QStringList items;
    QString item;
    int depth = 0;
    const auto flush = [&]() {
        if (const QString trimmed = item.trimmed(); !trimmed.isEmpty())
            items.append(trimmed);
        item.clear();
    };
    for (const QChar c : list) {
        if (c == u'(')
            ++depth;
        else if (c == u')' && depth > 0)
            --depth;
        if (c == u',' && depth == 0)
            flush();
        else
            item += c;
    }
    flush();
    return items;
}

namespace {

template <typename Choice, typename Parse>
Expected<std::vector<Choice>> listed(const QString& list, Parse parse, const QString& valid) {
    std::vector<Choice> items;
    for (const QString& item : splitCodeList(list)) {
        const std::optional<Choice> choice = parse(item);
        if (!choice)
            return failure(FailureKind::Usage, QCoreApplication::translate(
                                                   "Composite", "«%1» non è ammessa (ammesse: %2).")
                                                   .arg(item, valid));
        items.push_back(*choice);
    }
    return items;
}

} // namespace

Expected<std::vector<Normalisation>> listedNormalisations(const QString& list) {
    return listed<Normalisation>(list, parseNormalisation, normalisationCodes());
}

Expected<std::vector<Aggregation>> listedAggregations(const QString& list) {
    return listed<Aggregation>(list, parseAggregation, aggregationCodes());
}
