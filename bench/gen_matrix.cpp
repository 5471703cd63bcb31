// Writes a large source matrix for benchmarks and memory checks, in the
// format the file's extension names:
//   gen_matrix OUT.xlsx|OUT.ods|OUT.csv [UNITS [INDICATORS]] [--lo]
// (20000 x 100 by default; --lo adds to an .ods the empty runs to the
// sheet's last row and column that LibreOffice writes).
#include "support/largematrix.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const bool trailingRuns = args.removeAll(QStringLiteral("--lo")) > 0;
    if (args.isEmpty() || args.size() > 3) {
        std::fputs("Uso: gen_matrix FILE.xlsx|FILE.ods|FILE.csv [UNITA [INDICATORI]] [--lo]\n",
                   stderr);
        return 1;
    }
    const int rows = args.size() > 1 ? args.at(1).toInt() : 20000;
    const int cols = args.size() > 2 ? args.at(2).toInt() : 100;
    if (rows < 1 || cols < 1) {
        std::fputs("Le dimensioni devono essere numeri positivi.\n", stderr);
        return 1;
    }
    if (!writeLargeMatrix(args.first(), rows, cols, trailingRuns)) {
        std::fprintf(stderr, "Impossibile scrivere %s\n", qPrintable(args.first()));
        return 1;
    }
    return 0;
}
