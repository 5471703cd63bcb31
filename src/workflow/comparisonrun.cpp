#include "workflow/comparisonrun.h"

#include "comparison/comparisonfiles.h"
#include "methods/resultfiles.h"
#include "record/outputrecorder.h"
#include "record/recordcheck.h"
#include "shared/resultnames.h"

#include <QDir>
#include <QJsonArray>

#include <QCoreApplication>
#include <QFileInfo>

Expected<QStringList> checkCurrent(const QString& workbook, const QStringList& paths,
                                   const Regional& regional,
                                   const std::optional<QJsonObject>& expected) {
    RecordCheck check(workbook, regional, expected);
    QStringList notices;
    if (!check.recordProblem().isEmpty())
        notices.append(check.recordProblem());
    // The latest file decides the matrix the others must have been computed on.
    QString latest;
    QString latestWritten;
    for (const QString& path : paths)
        if (const RecordEntry* entry = check.record().find(path);
            entry && entry->written >= latestWritten) {
            latest = path;
            latestWritten = entry->written;
        }
    if (!latest.isEmpty())
        check.expectAsOf(latest);
    for (const QString& path : paths) {
        const Currency currency = check.check(path);
        if (currency.state == Currency::State::Stale)
            return failure(FailureKind::File,
                           QCoreApplication::translate("Workflow",
                                                       "Il file %1 non è aggiornato: %2. Eseguire "
                                                       "di nuovo il calcolo che lo scrive.")
                               .arg(QFileInfo(path).fileName(), currency.reason));
        if (currency.state == Currency::State::Unrecorded)
            notices.append(unrecordedNotice(path));
    }
    return notices;
}

Expected<CheckedComparison> compareCurrent(const QString& workbook, const QStringList& entries,
                                           const Regional& regional, WorkProgress* progress,
                                           const std::optional<QJsonObject>& expected) {
    const QDir folder = QFileInfo(workbook).dir();
    QStringList paths;
    for (const QString& entry : entries)
        paths << folder.filePath(entry) << folder.filePath(ranksFileFor(entry));
    Expected<QStringList> notices = checkCurrent(workbook, paths, regional, expected);
    if (!notices)
        return std::move(notices).error();
    const RecordCheck written(workbook, regional);
    std::vector<Regional> writtenUnder;
    for (const QString& entry : entries)
        writtenUnder.push_back(written.regionalOf(folder.filePath(entry)));
    Expected<ComparisonResult> comparison =
        compareMethods(folder.absolutePath(), entries, regional, progress, writtenUnder);
    if (!comparison)
        return std::move(comparison).error();
    return CheckedComparison{std::move(*comparison), std::move(*notices)};
}

Expected<ComparisonRun> compareAndSave(const QString& workbook, const QStringList& entries,
                                       const Regional& regional, WorkProgress* progress,
                                       const std::optional<QJsonObject>& expected) {
    // The result files compared, hashed before they are read.
    const QDir folder = QFileInfo(workbook).dir();
    RecordScope scope(workbook, regional);
    QJsonArray methods;
    for (const QString& entry : entries) {
        scope.recorder().addInput(folder.filePath(entry), InputRole::File);
        scope.recorder().addInput(folder.filePath(ranksFileFor(entry)), InputRole::File);
        methods.append(methodCodeOfResultFile(entry));
    }
    scope.recorder().settings().insert(QStringLiteral("methods"), methods);
    Expected<CheckedComparison> comparison =
        compareCurrent(workbook, entries, regional, progress, expected);
    if (!comparison)
        return std::move(comparison).error();
    // Stopped while reading: nothing is written, the earlier files stay.
    if (progress && progress->cancelled())
        return failure(FailureKind::Cancelled,
                       QCoreApplication::translate("Workflow", "Confronto annullato."));
    if (progress)
        progress->report(
            QCoreApplication::translate("Workflow", "Scrittura dei file di confronto"));
    ComparisonRun run{std::move(comparison->comparison), {}, std::move(comparison->notices)};
    run.saved = writeComparisonFiles(workbook, run.comparison, regional);
    return run;
}
