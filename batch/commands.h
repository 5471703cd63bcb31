#pragma once

#include <QStringList>

#include <cstdio>

// The commands of the batch tool. Each takes the arguments that follow its
// name and returns the process exit status.
int comandoCheck(const QStringList& args);
int comandoRun(const QStringList& args);
int comandoCompare(const QStringList& args);

// Writes a line to stdout or stderr in UTF-8.
void scriviOut(const QString& line);
void scriviErr(const QString& line);
