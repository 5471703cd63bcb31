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

QStringList ComparisonResult::headers() const {
    QStringList list;
    for (const ComparedMethod& method : methods)
        list.append(method.header);
    return list;
}

std::vector<std::span<const int>> ComparisonResult::rankColumns() const {
    std::vector<std::span<const int>> columns;
    for (const ComparedMethod& method : methods)
        columns.emplace_back(method.ranks);
    return columns;
}

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

// The first method's values file, which every later file is held to.
struct Reference {
    qsizetype lines = 0;
    QString name;
};

// Every entry names a values file, and both files of every method are there
// and can be opened, before any is read.
QString checkEntries(const QString& folder, const QStringList& entries) {
    if (entries.size() < 2)
        return QCoreApplication::translate("Comparison",
                                           "Selezionare almeno due metodi da confrontare.");
    for (const QString& valuesName : entries) {
        if (!valuesName.endsWith(QStringLiteral("csv")))
            return QCoreApplication::translate("Comparison",
                                               "Il file %1 non è un file dei valori: il nome deve "
                                               "terminare con \"csv\".")
                .arg(valuesName);
        QString problem =
            readProblem(probeResultFile(QDir(folder).filePath(valuesName)), valuesName, false);
        const QString ranksName = ranksFileFor(valuesName);
        if (problem.isEmpty())
            problem =
                readProblem(probeResultFile(QDir(folder).filePath(ranksName)), ranksName, true);
        if (!problem.isEmpty())
            return problem;
    }
    return QString();
}

// The values file as read: readable, with a header and two units when it
// is the first (which then becomes the reference), and as many lines, each
// with a ";", as the reference.
QString checkValuesFile(const ResultFileContent& values, const QString& name, bool first,
                        Reference& reference) {
    if (QString problem = readProblem(values, name, false); !problem.isEmpty())
        return problem;
    if (first) {
        if (values.lineCount() < 3)
            return QCoreApplication::translate(
                       "Comparison", "Il file %1 deve contenere una riga di intestazione e "
                                     "almeno due unità.")
                .arg(name);
        reference = {values.lineCount(), name};
    }
    return checkLines(name, values, reference.name, reference.lines);
}

// Reads a method's two files side by side: the first method's may have as
// many lines as a sheet has rows, every later file as many as the first
// values file. The ranks file is looked at only once the values file has
// passed its checks.
QString readMethodFiles(const QString& folder, const ResultPairNames& names, bool first,
                        Reference& reference, Reading& reading) {
    ResultFileBounds bounds;
    if (!first)
        bounds.lines = reference.lines;
    auto readingRanks = std::async(std::launch::async, [&reading, &folder, &names, bounds]() {
        readResultFile(QDir(folder).filePath(names.ranks), bounds, reading.ranks);
    });
    readResultFile(QDir(folder).filePath(names.values), bounds, reading.values);
    if (QString problem = checkValuesFile(reading.values, names.values, first, reference);
        !problem.isEmpty())
        return problem;
    readingRanks.get();
    return readProblem(reading.ranks, names.ranks, true);
}

// The labels of a method's values file: taken as they are from the first,
// compared as texts through their UTF-8 forms with the first's for a later
// one.
QString takeLabels(const ResultFileContent& values, bool first, TextTable& labels,
                   const QString& valuesName, const QString& referenceName, QByteArray& scratch) {
    if (first) {
        labels = TextTable(int(values.lineCount()), 1);
        labels.reserve(0, values.bytes.size());
    }
    for (qsizetype i = 0; i < values.lineCount(); ++i) {
        if (first)
            labels.setCellUtf8(int(i), 0, values.labelUtf8(i, scratch));
        else if (values.labelUtf8(i, scratch) != labels.cellUtf8(int(i), 0))
            return differentUnits(valuesName, referenceName, i + 1);
    }
    return QString();
}

// The method whose values file is valuesName, read, checked against the
// methods before it and appended to the result.
QString addMethod(const QString& folder, const QString& valuesName, ComparisonResult& result,
                  Reference& reference, Reading& reading, const Regional& writtenUnder) {
    const ResultPairNames names{valuesName, ranksFileFor(valuesName)};
    const bool first = result.methods.empty();
    if (QString problem = readMethodFiles(folder, names, first, reference, reading);
        !problem.isEmpty())
        return problem;
    // The pair is checked on a second thread while the labels are compared
    // with the first method's; a problem with the labels comes first, as it
    // would one check after the other.
    PairRanks found;
    auto checking = std::async(std::launch::async, [&]() {
        return checkResultPair(reading.values, reading.ranks, names, writtenUnder, found);
    });
    const QString problem = takeLabels(reading.values, first, result.labels, valuesName,
                                       reference.name, reading.scratch);
    const QString pairProblem = checking.get();
    if (!problem.isEmpty())
        return problem;
    if (!pairProblem.isEmpty())
        return pairProblem;
    result.methods.push_back(
        {reading.values.value(0), std::move(found.values), std::move(found.ranks)});
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
    if (const QString problem = checkEntries(strCartella, entries); !problem.isEmpty())
        return refused(problem);
    // One method at a time: only its two files are held while it is read.
    ComparisonResult result;
    result.methods.reserve(std::size_t(entries.size()));
    Reference reference;
    Reading reading;
    for (qsizetype k = 0; k < entries.size(); ++k) {
        report(QCoreApplication::translate("Comparison", "Lettura dei risultati"),
               percentOf(k, entries.size()));
        const Regional& written =
            std::size_t(k) < writtenUnder.size() ? writtenUnder[std::size_t(k)] : regional;
        if (const QString problem =
                addMethod(strCartella, entries[k], result, reference, reading, written);
            !problem.isEmpty())
            return refused(problem);
    }
    report(QCoreApplication::translate("Comparison", "Calcolo della matrice di cograduazione"), -1);
    result.cograduation = cograduationMatrix(result.headers(), result.rankColumns());
    return result;
}
