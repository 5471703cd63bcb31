#pragma once

#include "comparison/resultfilereader.h"
#include "shared/regional.h"

#include <QString>

#include <vector>

// The checks that the two result files of a method, as read, belong
// together: every reader of result files (the comparison, the export) takes
// a method's files only when they pass. Each check returns an empty string
// when it passes, otherwise an Italian message naming the file and the
// problem, which ends by asking to run the method (or methods) again.

// Why a file read (or probed) cannot be used: it does not exist, cannot be
// read or is refused by its bounds. isRanks tells a ranks file.
QString readProblem(const ResultFileContent& content, const QString& name, bool isRanks);

// The file has referenceLines lines, like the file referenceName, each with
// a ";".
QString checkLines(const QString& name, const ResultFileContent& file, const QString& referenceName,
                   qsizetype referenceLines);

// The names of a method's two files.
struct ResultPairNames {
    QString values;
    QString ranks;
};

// What a pair of files that passes holds, unit by unit in line order: the
// rank in the ranks file, and the ranking key of the index value text in the
// values file (writtenIndexTextKey under the settings given).
struct PairRanks {
    std::vector<int> ranks;
    std::vector<double> values;
};

// A method's values and ranks files, both read, belong to one run:
// - the ranks file has as many lines as the values file, each with a ";";
// - its unit labels (and corner label) are those of the values file, row by
//   row, and its header is the same;
// - each data line holds a whole number from 1 to n (decimal digits only),
//   every rank once;
// - the ranks are those that the method's ranking (its direction, the later
//   of tied index texts first) gives the values file's index texts, read
//   under the regional settings: a pair left by two runs is refused. The
//   method is told by the index header, else by the code in the values
//   file's name; files of no known method may rank either way.
// The values file has been checked for its lines (checkLines) beforehand.
QString checkResultPair(const ResultFileContent& values, const ResultFileContent& ranks,
                        const ResultPairNames& names, const Regional& regional, PairRanks& found);

// The unit labels of a file differ from those of referenceName at line.
QString differentUnits(const QString& name, const QString& referenceName, qsizetype line);
