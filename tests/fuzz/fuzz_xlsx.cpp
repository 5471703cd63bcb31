// Feeds arbitrary bytes to the .xlsx reader and, when a sheet opens, to the
// matrix loader.
#include "fuzzsupport.h"

#include "workbook/xlsx/xlsxreader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    XlsxReader reader;
    fuzzWorkbook(reader, data, size, QStringLiteral(".xlsx"));
    return 0;
}
