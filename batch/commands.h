#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include <vector>

// One command of the batch tool: its name, its usage line, what it does,
// its options, and the function that runs it on its parsed arguments and
// returns the process exit status.
struct BatchCommand {
    QString name;
    QString usage;       // "orvalta-batch run CARTELLA_DI_LAVORO [...]", without "Uso: "
    QString description; // one or more lines for --help
    QString action;      // what memory ran out for, in the message ("eseguire i metodi")
    QList<QCommandLineOption> options;
    int (*run)(const QCommandLineParser& parser);
};

// The commands, in the order the tool's help lists them.
const std::vector<BatchCommand>& batchCommands();

int checkCommand(const QCommandLineParser& parser);
int runCommand(const QCommandLineParser& parser);
int compareCommand(const QCommandLineParser& parser);
int robustnessCommand(const QCommandLineParser& parser);
int sensitivityCommand(const QCommandLineParser& parser);
int uncertaintyCommand(const QCommandLineParser& parser);
int ampiCommand(const QCommandLineParser& parser);
int auditCommand(const QCommandLineParser& parser);
int exportCommand(const QCommandLineParser& parser);
int monteCarloCommand(const QCommandLineParser& parser);
int historyCommand(const QCommandLineParser& parser);
int replayCommand(const QCommandLineParser& parser);
int weightsCommand(const QCommandLineParser& parser);

// The usage line of montecarlo, "Uso: " included.
QString monteCarloUsage();

// Writes a line to stdout or stderr in UTF-8.
void printOut(const QString& line);
void printErr(const QString& line);
