// Feeds arbitrary bytes to the .xls reader and, when a sheet opens, to the
// matrix loader.
#include "fuzzsupport.h"

#include "workbook/xls/xlsreader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    XlsReader reader;
    reader.setLimits(fuzzLimits<ReaderLimits>());
    fuzzWorkbook(reader, data, size, QStringLiteral(".xls"));
    return 0;
}
