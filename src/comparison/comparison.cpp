#include "comparison/comparison.h"

#include "comparison/cograduation.h"
#include "comparison/resultfilelisting.h"
#include "comparison/resultfilereader.h"
#include "comparison/resultpair.h"
#include "shared/resultnames.h"

#include <QCoreApplication>
#include <QDir>

#include <future>
#include <vector>

namespace {

Failure refused(const QString& message) {
    return failure(FailureKind::File, message);
}

// Reused from one method to the next: the two files being read, and room
// for converting their parts.
struct Reading {
    ResultFileContent values;
    ResultFileContent ranks;
    QByteArray scratch;
};

// The labels of a method's values file, compared as texts through their
// UTF-8 forms with the first method's (taken as they are for the first);
// its values go to column k.
QString takeLabelsAndValues(const ResultFileContent& values, int k, ComparisonResult& result,
                            const QString& valuesName, const QString& referenceName,
                            QByteArray& scratch, const Regional& regional,
                            const Regional& writtenUnder) {
    const bool first = k == 1;
    if (first)
        result.values.reserve(0, values.bytes.size());
    result.values.reserve(k, values.bytes.size() / 2);
    for (qsizetype i = 0; i < values.lineCount(); ++i) {
        if (first)
            result.values.setCellUtf8(int(i), 0, values.labelUtf8(i, scratch));
        else if (values.labelUtf8(i, scratch) != result.values.cellUtf8(int(i), 0))
            return differentUnits(valuesName, referenceName, i + 1);
    }
    const bool foreign = writtenUnder.locale() != regional.locale();
    for (qsizetype i = 0; i < values.lineCount(); ++i) {
        if (foreign && i > 0) {
            // Written under other settings: taken as these write it.
            const QString text = values.value(i);
            if (const auto number = writtenUnder.parseNumber(text)) {
                result.values.setCellUtf8(int(i), k, regional.indexText(*number).toUtf8());
                continue;
            }
        }
        result.values.setCellUtf8(int(i), k, values.valueUtf8(i, scratch));
    }
    return QString();
}

// The method in column k of the tables: its two files are read, checked
// against the first method (whose labels are in column 0 of the values
// table, once column 1 is filled) and put in column k.
QString addMethod(const QString& folder, const QString& valuesName, int k, ComparisonResult& result,
                  qsizetype& referenceLines, QString& referenceName, Reading& reading,
                  const Regional& regional, const Regional& writtenUnder) {
    const ResultPairNames names{valuesName, ranksFileFor(valuesName)};
    const ResultFileContent& values = reading.values;
    const ResultFileContent& ranks = reading.ranks;
    const bool first = k == 1;
    // The first method's files may have as many lines as a sheet has rows;
    // every later file as many as the first values file.
    ResultFileBounds bounds;
    if (!first)
        bounds.lines = referenceLines;
    // The two files are read side by side; the ranks file is looked at
    // only once the values file has passed its checks.
    auto readingRanks = std::async(std::launch::async, [&reading, &folder, &names, bounds]() {
        readResultFile(QDir(folder).filePath(names.ranks), bounds, reading.ranks);
    });
    readResultFile(QDir(folder).filePath(valuesName), bounds, reading.values);
    QString problem = readProblem(values, valuesName, false);
    if (!problem.isEmpty())
        return problem;
    if (first) {
        if (values.lineCount() < 3)
            return QCoreApplication::translate(
                       "Comparison", "Il file %1 deve contenere una riga di intestazione e "
                                     "almeno due unità.")
                .arg(valuesName);
        referenceLines = values.lineCount();
        referenceName = valuesName;
        const int rows = int(referenceLines);
        const int columns = result.values.columnCount();
        result.values = TextTable(rows, columns);
        result.ranks = TextTable(rows, columns);
    }
    problem = checkLines(valuesName, values, referenceName, referenceLines);
    if (!problem.isEmpty())
        return problem;
    readingRanks.get();
    problem = readProblem(ranks, names.ranks, true);
    if (!problem.isEmpty())
        return problem;

    // The pair is checked on a second thread while the labels are compared
    // with the first method's and the values taken; a problem with the
    // labels comes first, as it would one check after the other.
    PairRanks found;
    auto checking = std::async(std::launch::async, [&]() {
        return checkResultPair(values, ranks, names, writtenUnder, found);
    });
    problem = takeLabelsAndValues(values, k, result, valuesName, referenceName, reading.scratch,
                                  regional, writtenUnder);
    const QString pairProblem = checking.get();
    if (!problem.isEmpty())
        return problem;
    if (!pairProblem.isEmpty())
        return pairProblem;

    result.ranks.setCellUtf8(0, k, ranks.valueUtf8(0, reading.scratch));
    if (found.plain) {
        result.ranks.setWholeNumbers(k, std::move(found.ranks));
    } else {
        // Ranks written with leading zeros stay the texts they are.
        for (qsizetype i = 1; i < ranks.lineCount(); ++i)
            result.ranks.setCellUtf8(int(i), k, ranks.valueUtf8(i, reading.scratch));
    }
    if (first)
        result.ranks.shareColumn(0, result.values, 0);
    return QString();
}

} // namespace

Expected<ComparisonResult> compareMethods(const QString& strCartella, const QStringList& entries,
                                          const Regional& regional, WorkProgress* progress,
                                          const std::vector<Regional>& writtenUnder) {
    const auto report = [progress](const QString& step, int percent) {
        if (progress)
            progress->report(step, percent);
    };
    if (entries.size() < 2)
        return refused(QCoreApplication::translate(
            "Comparison", "Selezionare almeno due metodi da confrontare."));

    // Every file is there and can be opened before any is read.
    for (const QString& valuesName : entries) {
        if (!valuesName.endsWith(QStringLiteral("csv")))
            return refused(QCoreApplication::translate(
                               "Comparison", "Il file %1 non è un file dei valori: il nome deve "
                                             "terminare con \"csv\".")
                               .arg(valuesName));
        QString problem =
            readProblem(probeResultFile(QDir(strCartella).filePath(valuesName)), valuesName, false);
        const QString ranksName = ranksFileFor(valuesName);
        if (problem.isEmpty())
            problem = readProblem(probeResultFile(QDir(strCartella).filePath(ranksName)), ranksName,
                                  true);
        if (!problem.isEmpty())
            return refused(problem);
    }

    // One method at a time: only its two files are held while it is read.
    ComparisonResult result;
    result.values = TextTable(0, int(entries.size()) + 1);
    qsizetype referenceLines = 0;
    QString referenceName;
    Reading reading;
    for (qsizetype k = 0; k < entries.size(); ++k) {
        report(QCoreApplication::translate("Comparison", "Lettura dei risultati"),
               percentOf(k, entries.size()));
        const QString problem = addMethod(
            strCartella, entries[k], int(k) + 1, result, referenceLines, referenceName, reading,
            regional,
            std::size_t(k) < writtenUnder.size() ? writtenUnder[std::size_t(k)] : regional);
        if (!problem.isEmpty())
            return refused(problem);
    }
    report(QCoreApplication::translate("Comparison", "Calcolo della matrice di cograduazione"), -1);
    result.cograduation = cograduationMatrix(result.ranks, regional);
    return result;
}
