#include "batchload.h"

#include "commands.h"
#include "exitstatus.h"
#include "framework/structure.h"
#include "workflow/gapsfiles.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <optional>

int treatOutliersIfAsked(Processing& processing, const QCommandLineParser& parser) {
    if (!outliersAsked(parser))
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

int prepareRun(Processing& processing, const QCommandLineParser& parser) {
    if (processing.structure())
        printOut(structureSummary(*processing.structure()));
    if (const int status = writeGapsFilesIfAsked(processing); status != kExitSuccess)
        return status;
    return treatOutliersIfAsked(processing, parser);
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
