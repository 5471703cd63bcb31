#include "commands.h"
#include "exitstatus.h"
#include "version.h"

#include "record/outputrecorder.h"
#include "shared/outofmemory.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

QString generalUsage() {
    QStringList lines{QStringLiteral("Uso: orvalta-batch COMANDO CARTELLA_DI_LAVORO [OPZIONI]"),
                      QString(), QStringLiteral("Comandi:")};
    for (const BatchCommand& command : batchCommands()) {
        lines.append(QStringLiteral("  ") +
                     command.usage.mid(QStringLiteral("orvalta-batch ").size()));
        lines.append(QStringLiteral("      ") + command.description);
    }
    lines << QString() << QStringLiteral("Opzioni:")
          << QStringLiteral("  -h, --help      questo aiuto (dopo un comando: l'aiuto del comando)")
          << QStringLiteral("  -v, --version   la versione del programma") << QString()
          << QStringLiteral("Stato di uscita: 0 riuscito, 1 errore (file, uso), 2 matrice "
                            "rifiutata,")
          << QStringLiteral("3 almeno un metodo ha rifiutato i dati.");
    return lines.join(u'\n');
}

QString commandUsage(const BatchCommand& command) {
    QStringList lines{QStringLiteral("Uso: ") + command.usage, QString(), command.description};
    if (!command.options.isEmpty()) {
        lines << QString() << QStringLiteral("Opzioni:");
        for (const QCommandLineOption& option : command.options) {
            QString name = QStringLiteral("--") + option.names().constLast();
            if (!option.valueName().isEmpty())
                name += u' ' + option.valueName();
            lines << QStringLiteral("  ") + name << QStringLiteral("      ") + option.description();
        }
    }
    return lines.join(u'\n');
}

// Why the arguments of a command could not be parsed, in Italian: an unknown
// option, an option without its value, or a switch given a value.
QString optionError(const QCommandLineParser& parser, const BatchCommand& command,
                    const QStringList& args) {
    if (!parser.unknownOptionNames().isEmpty())
        return QStringLiteral("Opzione sconosciuta: %1")
            .arg(parser.unknownOptionNames().constFirst());
    for (const QCommandLineOption& option : command.options) {
        const QString name = QStringLiteral("--") + option.names().constLast();
        if (option.valueName().isEmpty()) {
            for (const QString& arg : args)
                if (arg.startsWith(name + u'='))
                    return QStringLiteral("L'opzione %1 non prevede un valore.").arg(name);
        } else if (!args.isEmpty() && args.constLast() == name) {
            return QStringLiteral("Manca il valore dell'opzione %1.").arg(name);
        }
    }
    return parser.errorText();
}

int runBatchCommand(const BatchCommand& command, const QStringList& args) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(command.options);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("l'aiuto del comando"));
    parser.addOption(help);
    if (!parser.parse(QStringList{QStringLiteral("orvalta-batch")} + args))
        return reportUsage(optionError(parser, command, args) + QStringLiteral("\nUso: ") +
                           command.usage);
    if (parser.isSet(help)) {
        printOut(commandUsage(command));
        return kExitSuccess;
    }
    int status = outOfMemoryStatus();
    withEnoughMemory(
        command.action, [&] { status = command.run(parser); },
        [](const QString& message) { printErr(message); });
    return status;
}

} // namespace

void printOut(const QString& line) {
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

void printErr(const QString& line) {
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fputc('\n', stderr);
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orvalta-batch"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORVALTA_VERSION));

    // The tool's own options come before the command; everything after the
    // command's name belongs to the command.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("aiuto"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("versione"));
    parser.addOption(help);
    parser.addOption(version);
    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (!parsed ||
        (parser.positionalArguments().isEmpty() && !parser.isSet(help) && !parser.isSet(version))) {
        if (!parser.unknownOptionNames().isEmpty())
            printErr(QStringLiteral("Opzione sconosciuta: %1")
                         .arg(parser.unknownOptionNames().constFirst()));
        return reportUsage(generalUsage());
    }
    if (parser.isSet(help)) {
        printOut(generalUsage());
        return kExitSuccess;
    }
    if (parser.isSet(version)) {
        printOut(QStringLiteral("orvalta-batch " ORVALTA_VERSION));
        return kExitSuccess;
    }

    QStringList args = parser.positionalArguments();
    // Every file the command writes is recorded as written by it.
    QStringList shown{QStringLiteral("orvalta-batch")};
    for (const QString& arg : args)
        shown.append(arg.contains(u' ') || arg.isEmpty() ? u'"' + arg + u'"' : arg);
    setRecordActor({shown.join(u' '), args});
    const QString name = args.takeFirst();
    for (const BatchCommand& command : batchCommands()) {
        if (command.name == name)
            return runBatchCommand(command, args);
    }
    return reportUsage(QStringLiteral("Comando sconosciuto: %1\n").arg(name) + generalUsage());
}
