#include "batchload.h"

#include "commands.h"
#include "exitstatus.h"
#include "workflow/gapsfiles.h"

#include <QDir>
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

QList<QCommandLineOption> matrixOptions() {
    return structureOptions() +
           QList<QCommandLineOption>{
               QCommandLineOption(kOutliers,
                                  QStringLiteral("tratta i valori anomali degli indicatori "
                                                 "(file .trattamenti.csv e .trattati.csv)")),
               QCommandLineOption(kMissing,
                                  QStringLiteral("trattamento dei valori mancanti: refuse "
                                                 "(predefinito), available, mean, median, em"),
                                  QStringLiteral("TRATTAMENTO")),
               QCommandLineOption(kMinCoverage,
                                  QStringLiteral("copertura minima di indicatori e unità con un "
                                                 "trattamento, da 0 a 1 (predefinita 0.65)"),
                                  QStringLiteral("F"))};
}

QString matrixUsage() {
    return structureUsage() +
           QStringLiteral(" [--outliers] [--missing TRATTAMENTO] [--min-coverage F]");
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

int treatOutliersIfAsked(Processing& processing, const QCommandLineParser& parser) {
    if (!parser.isSet(kOutliers))
        return kExitSuccess;
    const Expected<QStringList> written = processing.treatOutliers();
    if (!written)
        return reportFailure(written.error());
    printOut(QStringLiteral("Trattamento dei valori anomali: %1, %2")
                 .arg(QDir::toNativeSeparators(written->at(0)),
                      QDir::toNativeSeparators(written->at(1))));
    return kExitSuccess;
}

QString structureNotUsed() {
    return QStringLiteral("La struttura non entra in questa analisi: gli indicatori vi sono presi "
                          "dalla matrice senza gruppi né pesi.");
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

int writeGapsFilesIfAsked(const Processing& processing) {
    const Expected<QStringList> written = processing.writeGapsFiles();
    if (!written)
        return reportFailure(written.error());
    if (!written->isEmpty()) {
        QStringList native;
        for (const QString& path : *written)
            native.push_back(QDir::toNativeSeparators(path));
        printOut(QStringLiteral("Valori mancanti (%1): %2")
                     .arg(missingTreatmentName(processing.gaps()->treatment),
                          native.join(QStringLiteral(", "))));
    }
    return kExitSuccess;
}

void printGaps(const Processing& processing) {
    if (const std::shared_ptr<const GapsRecord>& gaps = processing.gaps();
        gaps && gaps->coverage.missingCells() > 0)
        for (const QString& line : gapsSummary(*gaps, Regional::system()))
            printOut(line);
}

Expected<std::unique_ptr<Processing>> loadWorkbook(const QString& path,
                                                   const QCommandLineParser& parser,
                                                   const Regional& regional, GapsUse gapsUse) {
    // With the treatments as a factor, --missing (where a command defines
    // it) lists them: only the coverage is read here.
    Expected<MissingChoice> missing = missingChoice(parser, gapsUse != GapsUse::Factor);
    if (!missing)
        return std::move(missing).error();
    missing->keepGaps = gapsUse == GapsUse::Keep;
    if (gapsUse == GapsUse::Factor)
        missing->treatment = MissingTreatment::Available;
    const Expected<StructureChoice> choice = structureChoice(parser);
    if (!choice)
        return choice.error();
    auto processing = std::make_unique<Processing>(regional);
    processing->setStructureChoice(*choice);
    processing->setMissingChoice(*missing);
    if (Status loaded = processing->load(QFileInfo(path).absoluteFilePath()); !loaded) {
        // The check tells the gaps that refused the matrix, or what they left of it.
        if (gapsUse == GapsUse::Report)
            printGaps(*processing);
        return std::move(loaded).error();
    }
    // Left out by the coverage rule: named, as they have no line in any file.
    if (const std::shared_ptr<const GapsRecord>& gaps = processing->gaps();
        gaps && (gaps->treatment != MissingTreatment::Refuse || gapsUse != GapsUse::Refuse))
        printGaps(*processing);
    return processing;
}
