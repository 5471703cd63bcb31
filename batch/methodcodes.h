#pragma once

#include "methods/metodi.h"
#include "shared/expected.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <vector>

// The methods whose codes are given after the workbook (arguments 2..), in
// the order given, or all nine in list order with --all. Needs at least
// `minimum` codes. A Usage failure on a wrong count (its message the usage
// line) or on an unknown code (naming the valid codes).
Expected<std::vector<MethodPosition>> chosenMethods(const QCommandLineParser& parser, int minimum,
                                                    const QString& usage);

// The methods of a comma-separated list of codes ("MPI+,WROC"), in the order
// given, each once. A Usage failure for an unknown code or an empty list.
Expected<std::vector<MethodPosition>> listedMethods(const QString& list);

// The values result files (bare names beside the workbook) of the methods
// whose codes follow the workbook, in the order given, a code of no method
// allowed when its file is there (a composite's); with --all every values
// result file of the workbook, the nine's in list order, then the others
// (the composites') by name. A Usage failure for fewer than two methods
// (usage the line printed) or an unknown code without a file.
Expected<QStringList> comparedEntries(const QCommandLineParser& parser, const QString& workbook,
                                      const QString& usage);
