#include "commands.h"

#include "batchload.h"
#include "exitstatus.h"
#include "framework/frameworkfiles.h"
#include "shared/delimitedfields.h"
#include "stats/statistiche.h"
#include "workflow/compositerun.h"

#include <QFileInfo>

int checkCommand(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    if (args.size() != 1)
        return reportUsage(QStringLiteral("Uso: orvalta-batch check CARTELLA_DI_LAVORO") +
                           matrixUsage());
    const Regional regional = Regional::system();
    const Expected<std::unique_ptr<Processing>> loaded =
        loadWorkbook(args.first(), parser, regional, GapsUse::Report);
    if (!loaded)
        return reportFailure(loaded.error());
    if (const int status = treatOutliersIfAsked(**loaded, parser); status != kExitSuccess)
        return status;
    const Matrix& matrix = (*loaded)->matrix();
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
    // The structure, as a tree with each element's share and effective weight.
    if (const std::shared_ptr<const Structure>& structure = (*loaded)->structure()) {
        printOut(structureSummary(*structure));
        for (const QString& line : structureTree(*structure, regional))
            printOut(line);
    }
    // The composites, when the workbook defines some.
    const Expected<CompositeList> composites =
        loadComposites(**loaded, parser.value(QStringLiteral("composites")), regional);
    if (!composites)
        return reportFailure(composites.error());
    if (!composites->composites.empty()) {
        printOut(QStringLiteral("Metodi personalizzati %1: %2")
                     .arg(composites->source)
                     .arg(composites->composites.size()));
        for (const Composite& composite : composites->composites)
            printOut(QStringLiteral("%1 - %2: %3")
                         .arg(composite.code, composite.name,
                              composite.definition().replace(u';', QStringLiteral(", "))));
    }
    return kExitSuccess;
}
