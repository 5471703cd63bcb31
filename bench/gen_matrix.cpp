// Writes a large source matrix workbook for benchmarks and memory checks:
//   gen_matrix OUT.xlsx [UNITS [INDICATORS]]   (20000 x 100 by default)
#include "support/largexlsx.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.size() > 3) {
        std::fputs("Uso: gen_matrix FILE.xlsx [UNITA [INDICATORI]]\n", stderr);
        return 1;
    }
    const int rows = args.size() > 1 ? args.at(1).toInt() : 20000;
    const int cols = args.size() > 2 ? args.at(2).toInt() : 100;
    if (rows < 1 || cols < 1) {
        std::fputs("Le dimensioni devono essere numeri positivi.\n", stderr);
        return 1;
    }
    if (!writeLargeXlsx(args.first(), rows, cols)) {
        std::fprintf(stderr, "Impossibile scrivere %s\n", qPrintable(args.first()));
        return 1;
    }
    return 0;
}
