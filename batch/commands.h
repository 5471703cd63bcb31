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

int comandoCheck(const QCommandLineParser& parser);
int comandoRun(const QCommandLineParser& parser);
int comandoCompare(const QCommandLineParser& parser);
int comandoRobustness(const QCommandLineParser& parser);
int comandoSensitivity(const QCommandLineParser& parser);
int comandoUncertainty(const QCommandLineParser& parser);
int comandoAmpi(const QCommandLineParser& parser);
int comandoExport(const QCommandLineParser& parser);

// Writes a line to stdout or stderr in UTF-8.
void scriviOut(const QString& line);
void scriviErr(const QString& line);
