#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <vector>

// The list position (0..8) of a method code, -1 for an unknown code.
int methodPosition(const QString& code);

// The list positions of the codes given after the workbook (arguments 2..),
// in the order given, or of all nine in list order with --all. Needs at
// least `minimum` codes. On a wrong count or an unknown code prints the
// message and the usage line on stderr and returns an empty list.
std::vector<int> chosenMethods(const QCommandLineParser& parser, int minimum, const QString& uso);
