#include "commands.h"

#include "batchload.h"
#include "exitstatus.h"
#include "shared/delimitedfields.h"
#include "stats/statistiche.h"

#include <QFileInfo>

int checkCommand(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    if (args.size() != 1)
        return reportUsage(QStringLiteral("Uso: orvalta-batch check CARTELLA_DI_LAVORO"));
    const Regional regional = Regional::system();
    const Expected<Matrix> loaded = loadWorkbookMatrix(args.first(), regional);
    if (!loaded)
        return reportFailure(loaded.error());
    const Matrix& matrix = *loaded;
    const MatrixView view = matrix.view();

    const auto mean = media_colonne(view);
    const auto deviation = scarto_colonne(view, mean);
    const auto low = minimo_colonne(view);
    const auto high = massimo_colonne(view);
    const auto number = [&](double value) { return regional.generalText(CellValue(value)); };

    printOut(
        QStringLiteral("Matrice sorgente: %1").arg(QFileInfo(args.first()).absoluteFilePath()));
    printOut(QStringLiteral("Unità: %1").arg(matrix.unitCount()));
    printOut(QStringLiteral("Indicatori: %1").arg(matrix.indicatorCount()));
    printOut(QStringLiteral("Indicatore;Polarità;Minimo;Massimo;Media;Scarto"));
    for (std::size_t j = 0; j < matrix.indicators.size(); ++j) {
        printOut(
            joinFields({regional.generalText(matrix.indicators[j]),
                        matrix.negative[j] ? QStringLiteral("-") : QStringLiteral("+"),
                        number(low[j]), number(high[j]), number(mean[j]), number(deviation[j])}));
    }
    printOut(QStringLiteral("Valori negativi: %1")
                 .arg(hasNegativeValue(view) ? QStringLiteral("sì") : QStringLiteral("no")));
    printOut(QStringLiteral("Valori nulli: %1")
                 .arg(hasZeroValue(view) ? QStringLiteral("sì") : QStringLiteral("no")));
    return kExitSuccess;
}
