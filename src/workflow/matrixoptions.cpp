#include "workflow/matrixoptions.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace {

const QString kStructure = QStringLiteral("structure");
const QString kNoStructure = QStringLiteral("no-structure");
const QString kOutliers = QStringLiteral("outliers");
const QString kMissing = QStringLiteral("missing");
const QString kMinCoverage = QStringLiteral("min-coverage");

} // namespace

QList<QCommandLineOption> structureOptions() {
    return {QCommandLineOption(kStructure,
                               QStringLiteral("la struttura degli indicatori da questo file (.csv, "
                                              "o il primo foglio di una cartella di lavoro)"),
                               QStringLiteral("FILE")),
            QCommandLineOption(kNoStructure,
                               QStringLiteral("nessuna struttura: ignora il foglio Struttura e il "
                                              "file .struttura.csv"))};
}

QString structureUsage() {
    return QStringLiteral(" [--structure FILE | --no-structure]");
}

QList<QCommandLineOption> matrixOptions(TreatmentOptions use) {
    const bool drawn = use == TreatmentOptions::Drawn;
    return structureOptions() +
           QList<QCommandLineOption>{
               QCommandLineOption(
                   kOutliers,
                   drawn ? QStringLiteral("il trattamento dei valori anomali applicato o no")
                         : QStringLiteral("tratta i valori anomali degli indicatori "
                                          "(file .trattamenti.csv e .trattati.csv)")),
               drawn ? QCommandLineOption(kMissing,
                                          QStringLiteral("i trattamenti dei valori mancanti "
                                                         "estratti (available, mean, median, "
                                                         "em), il primo nominale"),
                                          QStringLiteral("TRATTAMENTI"))
                     : QCommandLineOption(kMissing,
                                          QStringLiteral("trattamento dei valori mancanti: refuse "
                                                         "(predefinito), available, mean, "
                                                         "median, em"),
                                          QStringLiteral("TRATTAMENTO")),
               QCommandLineOption(kMinCoverage,
                                  QStringLiteral("copertura minima di indicatori e unità con un "
                                                 "trattamento, da 0 a 1 (predefinita 0.65)"),
                                  QStringLiteral("F"))};
}

QString matrixUsage(TreatmentOptions use) {
    return structureUsage() +
           (use == TreatmentOptions::Drawn
                ? QStringLiteral(" [--outliers] [--missing "
                                 "TRATTAMENTO,TRATTAMENTO...] [--min-coverage F]")
                : QStringLiteral(" [--outliers] [--missing TRATTAMENTO] "
                                 "[--min-coverage F]"));
}

Expected<StructureChoice> structureChoice(const QCommandLineParser& parser) {
    StructureChoice choice;
    choice.ignore = parser.isSet(kNoStructure);
    if (parser.isSet(kStructure)) {
        choice.file = parser.value(kStructure);
        if (choice.ignore)
            return failure(FailureKind::Usage,
                           QStringLiteral("Le opzioni --structure e --no-structure si escludono "
                                          "a vicenda."));
        if (choice.file.isEmpty())
            return failure(FailureKind::Usage,
                           QStringLiteral("Manca il valore dell'opzione --structure."));
        choice.file = QFileInfo(choice.file).absoluteFilePath();
    }
    return choice;
}

Expected<MissingChoice> missingChoice(const QCommandLineParser& parser, bool readTreatment) {
    MissingChoice choice;
    // Read only when given: the commands that take the treatments as
    // factors do not define these options.
    const QStringList given = parser.optionNames();
    if (readTreatment && given.contains(kMissing)) {
        const std::optional<MissingTreatment> treatment =
            missingTreatmentNamed(parser.value(kMissing).trimmed());
        if (!treatment)
            return failure(FailureKind::Usage,
                           QStringLiteral("Trattamento dei valori mancanti sconosciuto: %1. "
                                          "Trattamenti validi: refuse, available, mean, median, em")
                               .arg(parser.value(kMissing)));
        choice.treatment = *treatment;
    }
    if (given.contains(kMinCoverage)) {
        bool ok = false;
        const double share = parser.value(kMinCoverage).trimmed().toDouble(&ok);
        if (!ok || !(share >= 0.0 && share <= 1.0))
            return failure(FailureKind::Usage,
                           QStringLiteral("Il valore di --min-coverage deve essere un numero da "
                                          "0 a 1: %1")
                               .arg(parser.value(kMinCoverage)));
        choice.minCoverage = share;
    }
    return choice;
}

Expected<std::vector<MissingTreatment>> treatmentList(const QCommandLineParser& parser,
                                                      const QString& option) {
    std::vector<MissingTreatment> treatments;
    if (!parser.optionNames().contains(option))
        return treatments;
    for (const QString& name : parser.value(option).split(u',', Qt::SkipEmptyParts)) {
        const std::optional<MissingTreatment> treatment = missingTreatmentNamed(name.trimmed());
        if (!treatment || *treatment == MissingTreatment::Refuse)
            return failure(FailureKind::Usage,
                           QStringLiteral("Trattamento sconosciuto in --%1: %2. "
                                          "Trattamenti validi: available, mean, median, em")
                               .arg(option, name.trimmed()));
        if (std::find(treatments.begin(), treatments.end(), *treatment) == treatments.end())
            treatments.push_back(*treatment);
    }
    if (treatments.empty())
        return failure(FailureKind::Usage,
                       QStringLiteral("Nessun trattamento indicato dopo --%1.").arg(option));
    return treatments;
}

bool outliersAsked(const QCommandLineParser& parser) {
    return parser.optionNames().contains(kOutliers);
}

Expected<MatrixChoices> matrixChoices(const QCommandLineParser& parser) {
    MatrixChoices choices;
    Expected<StructureChoice> structure = structureChoice(parser);
    if (!structure)
        return std::move(structure).error();
    choices.structure = std::move(*structure);
    Expected<MissingChoice> missing = missingChoice(parser);
    if (!missing)
        return std::move(missing).error();
    choices.missing = *missing;
    choices.outliers = outliersAsked(parser);
    return choices;
}
