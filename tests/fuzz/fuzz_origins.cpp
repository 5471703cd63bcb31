// Feeds arbitrary bytes to the reader of the record of what each analysis
// file was computed from. A damaged record must be read (its lines that are
// no records passed over) or refused with a message, never crash; a record
// rewritten with one more origin must give that origin back.
#include "fuzzsupport.h"

#include "robustness/analysisorigins.h"
#include "shared/textfile.h"

#include <QFileInfo>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString record = writeFuzzInput(data, size, QStringLiteral(".xlsx.origini.csv"));
    const QString workbook = record.chopped(QStringLiteral(".origini.csv").size());
    const Expected<std::map<QString, AnalysisOrigin>> origins = readAnalysisOrigins(workbook);
    if (!origins) {
        if (origins.error().message.isEmpty())
            __builtin_trap();
        return 0;
    }
    const QStringList compared{QStringLiteral("MPI+"), QStringLiteral("WROC")};
    for (const auto& [name, origin] : *origins)
        (void)analysisMisfit(origin, &compared, true);

    AnalysisOrigin added;
    added.methods = compared;
    added.reference = QStringLiteral("MPI+");
    added.indicators = QStringLiteral("tutti; \"uno\" escluso");
    added.structure = QStringLiteral("sì");
    // Far within its bound, the record stays within it with one more line.
    if (size > std::size_t(kMaxOriginsBytes / 4))
        return 0;
    const QString analysis = workbook + QStringLiteral(".unc.csv");
    const Expected<OriginsRecord> rewritten = originsRecordWith(workbook, analysis, added);
    if (!rewritten || !writeTextFile(rewritten->path, rewritten->lines))
        __builtin_trap();
    const Expected<std::map<QString, AnalysisOrigin>> back = readAnalysisOrigins(workbook);
    if (!back)
        __builtin_trap();
    const auto found = back->find(QFileInfo(analysis).fileName());
    if (found == back->end() || !(found->second == added))
        __builtin_trap();
    return 0;
}
