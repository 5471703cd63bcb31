// Feeds arbitrary bytes to the .xlsx reader and, when a sheet opens, to the
// matrix loader.
#include "fuzzsupport.h"

#include "workbook/xlsx/xlsxreader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    XlsxReader reader;
    auto limits = fuzzLimits<WorkbookLimits>();
    limits.maxPartBytes = 32 << 20;
    reader.setLimits(limits);
    fuzzWorkbook(reader, data, size, QStringLiteral(".xlsx"));
    return 0;
}
