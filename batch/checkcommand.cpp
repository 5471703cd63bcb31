#include "commands.h"

#include "batchload.h"
#include "exitstatus.h"
#include "stats/statistiche.h"

#include <QFileInfo>

int comandoCheck(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    if (args.size() != 1) {
        scriviErr(QStringLiteral("Uso: orvalta-batch check CARTELLA_DI_LAVORO"));
        return 1;
    }
    const Regional regional = Regional::system();
    const Expected<Matrix> loaded = loadWorkbookMatrix(args.first(), regional);
    if (!loaded)
        return reportFailure(loaded.error());
    const Matrix& matrix = *loaded;
    const MatrixView view = matrix.view();

    const auto media = media_colonne(view);
    const auto scarto = scarto_colonne(view, media);
    const auto minimo = minimo_colonne(view);
    const auto massimo = massimo_colonne(view);
    const auto numero = [&](double value) { return regional.generalText(CellValue(value)); };

    scriviOut(
        QStringLiteral("Matrice sorgente: %1").arg(QFileInfo(args.first()).absoluteFilePath()));
    scriviOut(QStringLiteral("Unità: %1").arg(matrix.unitCount()));
    scriviOut(QStringLiteral("Indicatori: %1").arg(matrix.indicatorCount()));
    scriviOut(QStringLiteral("Indicatore;Polarità;Minimo;Massimo;Media;Scarto"));
    for (std::size_t j = 0; j < matrix.indicators.size(); ++j) {
        scriviOut(QStringList{regional.generalText(matrix.indicators[j]),
                              matrix.negative[j] ? QStringLiteral("-") : QStringLiteral("+"),
                              numero(minimo[j]), numero(massimo[j]), numero(media[j]),
                              numero(scarto[j])}
                      .join(u';'));
    }
    scriviOut(QStringLiteral("Valori negativi: %1")
                  .arg(hasNegativeValue(view) ? QStringLiteral("sì") : QStringLiteral("no")));
    scriviOut(QStringLiteral("Valori nulli: %1")
                  .arg(hasZeroValue(view) ? QStringLiteral("sì") : QStringLiteral("no")));
    return 0;
}
