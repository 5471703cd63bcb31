// Feeds arbitrary bytes to the .xls reader and, when a sheet opens, to the
// matrix loader. Every failure must come back as a message, never a crash.
#include "fuzzsupport.h"

#include "shared/caricamatrice.h"
#include "shared/xlsreader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Regional regional{QLocale(QLocale::Italian, QLocale::Italy)};
    SharedState s;
    s.strMatrice = writeFuzzInput(data, size, QStringLiteral(".xls"));
    XlsReader reader;
    if (!reader.open(s.strMatrice)) {
        if (reader.errorMessage().isEmpty())
            __builtin_trap();
        return 0;
    }
    const LoadResult result = carica_matrice(s, reader, regional);
    if (!result.loaded() && result.message.isEmpty())
        __builtin_trap();
    reader.close();
    return 0;
}
