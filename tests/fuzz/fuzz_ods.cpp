// Feeds arbitrary bytes to the .ods reader and, when a sheet opens, to the
// matrix loader.
#include "fuzzsupport.h"

#include "workbook/ods/odsreader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    OdsReader reader;
    auto limits = fuzzLimits<WorkbookLimits>();
    limits.maxPartBytes = 32 << 20;
    reader.setLimits(limits);
    fuzzWorkbook(reader, data, size, QStringLiteral(".ods"));
    return 0;
}
