// Feeds arbitrary bytes to the reader of composites' definitions, after a
// first byte that picks the format and the regional settings: a definitions
// file of delimited text when it is even, a workbook (.xlsx) whose third
// sheet is Metodi when it is odd. Whatever is read must hold only what the
// reader admits: valid codes, none of the nine's, none repeated, and
// choices whose codes read back as themselves.
#include "fuzzsupport.h"

#include "composite/compositedefinitions.h"
#include "methods/metodi.h"

#include <QRegularExpression>
#include <QSet>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z0-9+_-]{1,8}$"));
    if (size == 0)
        return 0;
    const SheetFuzzInput input = sheetFuzzInput(data, size);
    const bool workbook = input.workbook;
    const Expected<CompositeList> list = readComposites(
        input.path, {QStringLiteral("Dati"), QStringLiteral("Struttura"), QStringLiteral("Metodi")},
        workbook ? QString() : input.path, *input.regional);
    if (!list) {
        if (list.error().message.isEmpty())
            __builtin_trap();
        return 0;
    }
    QSet<QString> codes;
    for (const QString& nine : methodCodes())
        codes.insert(nine.toUpper());
    for (const Composite& composite : list->composites) {
        if (!valid.match(composite.code).hasMatch() || codes.contains(composite.code.toUpper()) ||
            composite.name.isEmpty() || composite.file.isEmpty() == !workbook)
            __builtin_trap();
        codes.insert(composite.code.toUpper());
        const std::optional<Normalisation> normalisation =
            parseNormalisation(composite.normalisation.code());
        const std::optional<Aggregation> aggregation =
            parseAggregation(composite.aggregation.code());
        if (!normalisation || normalisation->code() != composite.normalisation.code() ||
            !aggregation || aggregation->code() != composite.aggregation.code() ||
            parseConstruction(constructionCode(composite.construction)) != composite.construction)
            __builtin_trap();
    }
    return 0;
}
