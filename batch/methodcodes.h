#pragma once

#include "methods/metodi.h"
#include "shared/expected.h"

#include <QCommandLineParser>
#include <QString>

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
