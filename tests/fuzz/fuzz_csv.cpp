// Feeds arbitrary bytes to the delimited-text reader (numbers read under
// Italian settings) and, when a sheet opens, to the matrix loader.
#include "fuzzsupport.h"

#include "workbook/csv/csvreader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CsvReader reader(Regional(QLocale(QLocale::Italian, QLocale::Italy)));
    auto limits = fuzzLimits<WorkbookLimits>();
    limits.maxPartBytes = 32 << 20;
    reader.setLimits(limits);
    fuzzWorkbook(reader, data, size, QStringLiteral(".csv"));
    return 0;
}
