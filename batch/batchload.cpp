#include "batchload.h"

#include "commands.h"
#include "exitstatus.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kStructure = QStringLiteral("structure");
const QString kNoStructure = QStringLiteral("no-structure");
const QString kOutliers = QStringLiteral("outliers");

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

QList<QCommandLineOption> matrixOptions() {
    return structureOptions() +
           QList<QCommandLineOption>{QCommandLineOption(
               kOutliers, QStringLiteral("tratta i valori anomali degli indicatori "
                                         "(file .trattamenti.csv e .trattati.csv)"))};
}

QString matrixUsage() {
    return QStringLiteral(" [--structure FILE | --no-structure] [--outliers]");
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

Expected<std::unique_ptr<Processing>>
loadWorkbook(const QString& path, const QCommandLineParser& parser, const Regional& regional) {
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
    auto processing = std::make_unique<Processing>(regional);
    processing->setStructureChoice(choice);
    if (Status loaded = processing->load(QFileInfo(path).absoluteFilePath()); !loaded)
        return std::move(loaded).error();
    return processing;
}
