// Feeds arbitrary bytes to the structure reader, after a first byte that
// picks the format and the regional settings: a structure file of delimited
// text when it is even, a workbook (.xlsx) whose second sheet is Struttura
// when it is odd. Whatever is read is built over indicators named after
// its rows' elements that are no one's parent.
#include "fuzzsupport.h"

#include "framework/structure.h"
#include "shared/namekey.h"
#include "workbook/structuresheet.h"

#include <QSet>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const SheetFuzzInput input = sheetFuzzInput(data, size);
    const Regional& regional = *input.regional;
    StructureChoice choice;
    if (!input.workbook)
        choice.file = input.path;
    const auto sheet = readStructure(
        input.path, {QStringLiteral("Dati"), QStringLiteral("Struttura")}, choice, regional);
    if (!sheet) {
        if (sheet.error().message.isEmpty())
            __builtin_trap();
        return 0;
    }
    if (!*sheet)
        __builtin_trap(); // the file chosen or the sheet named is read or refused
    QSet<QString> parents;
    for (const StructureRow& row : (*sheet)->rows)
        parents.insert(nameKey(row.parent));
    std::vector<QString> indicators;
    QSet<QString> listed;
    for (const StructureRow& row : (*sheet)->rows) {
        const QString key = nameKey(row.element);
        if (!parents.contains(key) && !listed.contains(key)) {
            listed.insert(key);
            indicators.push_back(row.element);
        }
    }
    const auto structure = buildStructure(**sheet, indicators, regional);
    if (!structure) {
        if (structure.error().message.isEmpty())
            __builtin_trap();
        return 0;
    }
    // Every indicator once in the tree, the effective weights summing to 1.
    double sum = 0.0;
    const std::vector<double> effective = structure->effectiveWeights();
    for (const auto& [element, depth] : structure->depthFirst())
        if (!structure->elements[std::size_t(element)].isGroup())
            sum += effective[std::size_t(element)];
    if (structure->indicatorCount() != int(indicators.size()) || !(std::abs(sum - 1.0) < 1e-9))
        __builtin_trap();
    return 0;
}
