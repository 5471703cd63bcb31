// Feeds arbitrary bytes to the reader of the record of a workbook's outputs
// (<workbook>.registro.json). A damaged record must be refused with a
// message, never crash; a record read back from its own bytes keeps every
// entry, and what each entry says of the files present can be asked.
#include "fuzzsupport.h"

#include "record/record.h"
#include "robustness/analysisorigins.h"

#include <QDir>
#include <QFileInfo>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = writeFuzzInput(data, size, QStringLiteral(".xlsx.registro.json"));
    const QString workbook = path.chopped(QStringLiteral(".registro.json").size());
    const Expected<Record> record = readRecord(workbook);
    if (!record) {
        if (record.error().message.isEmpty())
            __builtin_trap();
        return 0;
    }
    HashCache hashes;
    const QDir folder = QFileInfo(workbook).dir();
    for (const auto& [name, entry] : record->entries)
        (void)currencyOf(workbook, *record, folder.filePath(name), hashes);
    const Expected<std::map<QString, AnalysisOrigin>> origins = readAnalysisOrigins(workbook);
    if (!origins)
        __builtin_trap();
    const QStringList compared{QStringLiteral("MPI+"), QStringLiteral("WROC")};
    for (const auto& [name, origin] : *origins)
        (void)analysisFits(origin, &compared, true);

    // The record written again from what was read reads back the same.
    const QByteArray bytes = recordBytes(*record);
    writeFuzzInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                   std::size_t(bytes.size()), QStringLiteral(".xlsx.registro.json"));
    const Expected<Record> again = readRecord(workbook);
    if (!again || again->entries.size() != record->entries.size())
        __builtin_trap();
    return 0;
}
