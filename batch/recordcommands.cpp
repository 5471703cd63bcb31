#include "commands.h"

#include "exitstatus.h"

#include "record/recordcheck.h"
#include "shared/resultnames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace {

// The entries of the record, oldest first.
std::vector<std::pair<QString, const RecordEntry*>> inOrder(const Record& record) {
    std::vector<std::pair<QString, const RecordEntry*>> entries;
    for (const auto& [name, entry] : record.entries)
        entries.emplace_back(name, &entry);
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.second->written < b.second->written;
    });
    return entries;
}

QString settingsText(const QJsonObject& settings) {
    QStringList parts;
    for (auto it = settings.begin(); it != settings.end(); ++it) {
        const QJsonValue value = it.value();
        QString text;
        if (value.isArray()) {
            QStringList items;
            for (const QJsonValue& item : value.toArray())
                items.append(item.toVariant().toString());
            text = items.join(u',');
        } else {
            text = value.toVariant().toString();
        }
        parts.append(it.key() + u'=' + text);
    }
    return parts.join(QStringLiteral(", "));
}

QString roleText(InputRole role) {
    switch (role) {
    case InputRole::Matrix:
        return QStringLiteral("matrice");
    case InputRole::Structure:
        return QStringLiteral("struttura");
    case InputRole::Composites:
        return QStringLiteral("metodi personalizzati");
    case InputRole::Together:
        return QStringLiteral("scritto insieme");
    case InputRole::File:
        break;
    }
    return QStringLiteral("file letto");
}

// The files beside the workbook that the program wrote and the record does
// not know.
QStringList unrecordedFiles(const QString& workbook, const Record& record) {
    const QFileInfo info(workbook);
    QStringList names;
    for (const QString& name : info.dir().entryList({info.fileName() + QStringLiteral(".*")},
                                                    QDir::Files | QDir::System)) {
        const std::optional<ResultFileName> kind = parseResultFileName(workbook, name);
        if (record.find(name) || (kind && (kind->kind == ResultFileKind::Record ||
                                           kind->kind == ResultFileKind::Structure)))
            continue;
        if (kind || isWrittenByProgram(name))
            names.append(name);
    }
    return names;
}

Expected<Record> recordOf(const QString& workbook) {
    if (!QFileInfo(workbook).isFile())
        return failure(FailureKind::File,
                       QStringLiteral("La cartella di lavoro %1 non esiste.").arg(workbook));
    return readRecord(workbook);
}

// The arguments of a recorded command, its files taken in folder: the
// workbook, the files named after it and the structure files it read.
QStringList movedArguments(const RecordEntry& entry, const QString& workbookName,
                           const QDir& folder) {
    QStringList names{workbookName};
    for (const RecordInput& input : entry.inputs)
        if (input.role == InputRole::Structure && !QFileInfo(input.name).isAbsolute())
            names.append(input.name);
    QStringList arguments = entry.arguments;
    for (qsizetype k = 1; k < arguments.size(); ++k) {
        const QString name = QFileInfo(arguments[k]).fileName();
        if (names.contains(name) || name.startsWith(workbookName + u'.'))
            arguments[k] = folder.filePath(name);
    }
    return arguments;
}

} // namespace

// history WORKBOOK: for each file beside the workbook, what wrote it, when,
// from what, and whether it is current.
int historyCommand(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    if (args.size() != 1)
        return reportUsage(QStringLiteral("Uso: orvalta-batch history CARTELLA_DI_LAVORO"));
    const QString workbook = QFileInfo(args.first()).absoluteFilePath();
    const Expected<Record> record = recordOf(workbook);
    if (!record)
        return reportFailure(record.error());
    const QDir folder = QFileInfo(workbook).dir();
    HashCache hashes;
    QStringList lines;
    for (const auto& [name, entry] : inOrder(*record)) {
        if (!QFileInfo::exists(folder.filePath(name)))
            continue;
        const Currency currency = currencyOf(workbook, *record, folder.filePath(name), hashes);
        lines << name << QStringLiteral("  scritto da: %1 (%2)").arg(entry->by, entry->program)
              << QStringLiteral("  il: %1").arg(entry->written);
        for (const RecordInput& input : entry->inputs)
            lines << QStringLiteral("  da: %1 (%2)").arg(input.name, roleText(input.role));
        if (!entry->settings.isEmpty())
            lines << QStringLiteral("  impostazioni: %1").arg(settingsText(entry->settings));
        lines << QStringLiteral("  separatore decimale: %1").arg(entry->decimal)
              << (currency.current()
                      ? QStringLiteral("  stato: attuale")
                      : QStringLiteral("  stato: da ricalcolare (%1)").arg(currency.reason))
              << QString();
    }
    for (const QString& name : unrecordedFiles(workbook, *record))
        lines << name << QStringLiteral("  stato: origine non verificabile (non è nel registro)")
              << QString();
    if (!lines.isEmpty())
        lines.removeLast();
    for (const QString& line : lines)
        printOut(line);
    return kExitSuccess;
}

namespace {

// The folder a replay writes into: --into, made when missing, or the
// temporary one; never the workbook's own folder.
Expected<QDir> replayFolder(const QCommandLineParser& parser, const QTemporaryDir& temporary,
                            const QString& workbook) {
    const QString into = parser.value(QStringLiteral("into"));
    if (into.isEmpty() && !temporary.isValid())
        return failure(FailureKind::File,
                       QStringLiteral("Impossibile creare una cartella temporanea."));
    const QDir target(into.isEmpty() ? temporary.path() : QFileInfo(into).absoluteFilePath());
    if (!target.exists() && !QDir().mkpath(target.path()))
        return failure(FailureKind::File,
                       QStringLiteral("Impossibile creare la cartella %1.").arg(into));
    if (target.absolutePath() == QFileInfo(workbook).dir().absolutePath())
        return failure(
            FailureKind::Usage,
            QStringLiteral("La cartella di replay deve essere diversa da quella del file."));
    return target;
}

// The current files of a record that a command wrote, oldest first, and
// those commands in the order of their first file.
struct ReplayPlan {
    std::vector<std::pair<QString, const RecordEntry*>> current;
    std::vector<const RecordEntry*> commands; // the latest entry of each command
    bool allRepeatable = true;
};

ReplayPlan replayPlan(const QString& workbook, const Record& record) {
    const QDir folder = QFileInfo(workbook).dir();
    HashCache hashes;
    ReplayPlan plan;
    for (const auto& [name, entry] : inOrder(record)) {
        if (!currencyOf(workbook, record, folder.filePath(name), hashes).current())
            continue;
        if (entry->arguments.isEmpty()) {
            printOut(QStringLiteral("%1: non ripetibile (scritto da %2)").arg(name, entry->by));
            plan.allRepeatable = false;
            continue;
        }
        plan.current.emplace_back(name, entry);
        // A command met again keeps its place and takes its latest entry.
        const auto known = std::find_if(plan.commands.begin(), plan.commands.end(),
                                        [arguments = entry->arguments](const RecordEntry* command) {
                                            return command->arguments == arguments;
                                        });
        if (known == plan.commands.end())
            plan.commands.push_back(entry);
        else
            *known = entry;
    }
    return plan;
}

// Copies into target the inputs that no command writes: the workbook and
// the structure files beside it.
Status copyReplayInputs(const QString& workbook, const ReplayPlan& plan, const QDir& target) {
    const QDir folder = QFileInfo(workbook).dir();
    QStringList copied{QFileInfo(workbook).fileName()};
    for (const auto& [name, entry] : plan.current)
        for (const RecordInput& input : entry->inputs)
            if (input.role == InputRole::Structure && !QFileInfo(input.name).isAbsolute())
                copied.append(input.name);
    copied.removeDuplicates();
    for (const QString& name : copied) {
        QFile::remove(target.filePath(name));
        if (!QFile::copy(folder.filePath(name), target.filePath(name)))
            return failure(FailureKind::File,
                           QStringLiteral("Impossibile copiare %1 in %2.")
                               .arg(name, QDir::toNativeSeparators(target.path())));
    }
    return {};
}

// Runs a recorded command again in target, under the regional settings its
// files were written with.
void rerun(const RecordEntry& entry, const QString& workbookName, const QDir& target) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!entry.locale.isEmpty())
        environment.insert(QStringLiteral("LC_ALL"), entry.locale + QStringLiteral(".UTF-8"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(target.path());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(QCoreApplication::applicationFilePath(),
                  movedArguments(entry, workbookName, target));
    process.waitForFinished(-1);
}

} // namespace

// replay WORKBOOK [--into DIR]: runs again, on a copy of the workbook, every
// recorded command of the current files, in the order they were written,
// and compares each output with its recorded hash.
int replayCommand(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    if (args.size() != 1)
        return reportUsage(
            QStringLiteral("Uso: orvalta-batch replay CARTELLA_DI_LAVORO [--into CARTELLA]"));
    const QString workbook = QFileInfo(args.first()).absoluteFilePath();
    const Expected<Record> record = recordOf(workbook);
    if (!record)
        return reportFailure(record.error());
    QTemporaryDir temporary;
    const Expected<QDir> target = replayFolder(parser, temporary, workbook);
    if (!target)
        return reportFailure(target.error());
    const ReplayPlan plan = replayPlan(workbook, *record);
    if (const Status copied = copyReplayInputs(workbook, plan, *target); !copied)
        return reportFailure(copied.error());
    for (const RecordEntry* command : plan.commands)
        rerun(*command, QFileInfo(workbook).fileName(), *target);
    bool allIdentical = plan.allRepeatable;
    for (const auto& [name, entry] : plan.current) {
        const bool same = fileSha256(target->filePath(name)) == entry->sha256;
        allIdentical = allIdentical && same;
        printOut(QStringLiteral("%1: %2").arg(name, same ? QStringLiteral("identico")
                                                         : QStringLiteral("diverso")));
    }
    return allIdentical ? kExitSuccess : 1;
}
