#include "commands.h"

#include "batchload.h"
#include "chosenmethod.h"
#include "exitstatus.h"
#include "workflow/methodcoherence.h"
#include "workflow/processing.h"

#include <QDir>

namespace {

QString pairLine(const QString& kind, const Matrix& matrix, const IndicatorPair& pair,
                 const Regional& regional) {
    return QStringLiteral("%1: %2 e %3 (r = %4)")
        .arg(kind, regional.generalText(matrix.indicators[std::size_t(pair.first)]),
             regional.generalText(matrix.indicators[std::size_t(pair.second)]),
             regional.fixed4(pair.correlation));
}

// The method's coherence of every element, computed on the matrix loaded
// and written beside the workbook: the path, or the method's refusal or
// the failure to write.
Expected<QString> methodCoherenceFile(const Processing& processing, const AnalysedMethod& method,
                                      const Regional& regional) {
    const Expected<QStringList> lines =
        methodCoherenceLines(method, processing.matrix(), processing.structure().get(), regional);
    if (!lines)
        return lines.error();
    return writeMethodCoherence(processing.workbook(), processing.basis(), method, *lines,
                                regional);
}

} // namespace

int auditCommand(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    if (args.size() != 1)
        return reportUsage(QStringLiteral("Uso: orvalta-batch audit CARTELLA_DI_LAVORO [--method "
                                          "CODICE] [--composites FILE]") +
                           matrixUsage());
    const Regional regional = Regional::system();
    const Expected<std::unique_ptr<Processing>> loaded =
        loadWorkbook(args.first(), parser, regional, GapsUse::Keep);
    if (!loaded)
        return reportFailure(loaded.error());
    Processing& processing = **loaded;
    std::optional<AnalysedMethod> method;
    if (parser.isSet(QStringLiteral("method"))) {
        Expected<AnalysedMethod> chosen = chosenMethod(processing, parser);
        if (!chosen)
            return reportFailure(chosen.error());
        method = std::move(*chosen);
    }
    if (processing.structure())
        printOut(structureSummary(*processing.structure()));
    if (const int status = treatOutliersIfAsked(processing, parser); status != kExitSuccess)
        return status;

    const Expected<Processing::Audit> audit = processing.audit();
    if (!audit)
        return reportFailure(audit.error());
    QStringList files;
    for (const QString& file : audit->files)
        files.push_back(QDir::toNativeSeparators(file));
    if (method) {
        const Expected<QString> coherence = methodCoherenceFile(processing, *method, regional);
        if (!coherence)
            return reportFailure(coherence.error());
        files.push_back(QDir::toNativeSeparators(*coherence));
    }
    printOut(QStringLiteral("Analisi statistica: %1").arg(files.join(QStringLiteral(", "))));

    const Matrix& matrix = processing.matrix();
    for (int j = 0; j < matrix.indicatorCount(); ++j) {
        const Distribution& d = audit->audit.distributions[std::size_t(j)];
        if (d.flagged())
            printOut(QStringLiteral("Indicatore anomalo: %1 (asimmetria %2, curtosi %3)")
                         .arg(regional.generalText(matrix.indicators[std::size_t(j)]),
                              regional.fixed4(*d.skewness), regional.fixed4(*d.kurtosis)));
    }
    for (const IndicatorPair& pair : audit->audit.redundant)
        printOut(pairLine(QStringLiteral("Coppia ridondante"), matrix, pair, regional));
    for (const IndicatorPair& pair : audit->audit.opposing)
        printOut(pairLine(QStringLiteral("Coppia in opposizione"), matrix, pair, regional));
    return kExitSuccess;
}
