#include "comparison/comparison.h"

#include "comparison/cograduation.h"
#include "comparison/indextextkey.h"
#include "comparison/resultfilelisting.h"
#include "comparison/resultfilereader.h"
#include "methods/metodi.h"
#include "methods/ranking.h"
#include "shared/resultnames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <future>
#include <vector>

namespace {

QString number(qsizetype value) {
    return QString::number(value);
}

// Why a result file cannot be read: empty when it can.
QString readProblem(const ResultFileContent& content, const QString& name, bool isRanks) {
    switch (content.status) {
    case ResultFileContent::Status::Read:
        return QString();
    case ResultFileContent::Status::Missing:
        return isRanks
                   ? QCoreApplication::translate(
                         "Comparison", "Il file dei ranghi %1 non esiste: eseguire di nuovo il "
                                       "metodo.")
                         .arg(name)
                   : QCoreApplication::translate("Comparison", "Il file dei valori %1 non esiste.")
                         .arg(name);
    case ResultFileContent::Status::Unreadable:
        return QCoreApplication::translate("Comparison", "Impossibile leggere il file %1: %2")
            .arg(name, content.error);
    }
    return QString();
}

// Whether a result file can be read, told without reading it.
ResultFileContent probeFile(const QString& path) {
    ResultFileContent content;
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return content; // Missing
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        content.status = ResultFileContent::Status::Unreadable;
        content.error = file.errorString();
        return content;
    }
    content.status = ResultFileContent::Status::Read;
    return content;
}

// Every file has as many lines as the reference file, each with a ";".
QString checkLines(const QString& name, const ResultFileContent& file, const QString& referenceName,
                   qsizetype referenceLines) {
    if (file.lineCount() != referenceLines)
        return QCoreApplication::translate(
                   "Comparison", "Il file %1 ha %2 righe, mentre %3 ne ha %4: eseguire di nuovo i "
                                 "metodi.")
            .arg(name, number(file.lineCount()), referenceName, number(referenceLines));
    for (qsizetype i = 0; i < file.lineCount(); ++i)
        if (!file.hasSeparator(i))
            return QCoreApplication::translate(
                       "Comparison", "La riga %1 del file %2 non contiene il separatore \";\": "
                                     "eseguire di nuovo i metodi.")
                .arg(number(i + 1), name);
    return QString();
}

QString differentUnits(const QString& name, const QString& referenceName, qsizetype line) {
    return QCoreApplication::translate(
               "Comparison", "Il file %1 non contiene le stesse unità di %2 (riga %3): eseguire di "
                             "nuovo i metodi.")
        .arg(name, referenceName, number(line));
}

// The rank of a data line: decimal digits only, 1..units; 0 when it is not.
qsizetype wholeRank(QByteArrayView text, qsizetype units) {
    if (text.isEmpty() || text.size() > 10)
        return 0;
    qint64 value = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9')
            return 0;
        value = value * 10 + (ch - '0');
    }
    return value >= 1 && value <= units ? qsizetype(value) : 0;
}

// Every data line holds a rank from 1 to n, each rank once; the ranks are
// collected in line order, and *plain is cleared when some rank is not
// written in plain decimal (a leading zero).
QString checkRanks(const QString& name, const ResultFileContent& ranks, std::vector<int>& found,
                   bool* plain) {
    const qsizetype units = ranks.lineCount() - 1;
    std::vector<qsizetype> lineOfRank(std::size_t(units) + 1, 0);
    found.clear();
    found.reserve(std::size_t(units));
    *plain = true;
    for (qsizetype i = 1; i < ranks.lineCount(); ++i) {
        const QByteArrayView text = ranks.valueBytes(i);
        const qsizetype rank = wholeRank(text, units);
        if (rank == 0)
            return QCoreApplication::translate(
                       "Comparison", "La riga %1 del file %2 non contiene un rango intero da 1 a "
                                     "%3: eseguire di nuovo i metodi.")
                .arg(number(i + 1), name, number(units));
        qsizetype& seen = lineOfRank[std::size_t(rank)];
        if (seen != 0)
            return QCoreApplication::translate(
                       "Comparison", "Il rango %1 compare due volte nel file %2 (righe %3 e %4): "
                                     "eseguire di nuovo i metodi.")
                .arg(number(rank), name, number(seen), number(i + 1));
        seen = i + 1;
        found.push_back(int(rank));
        *plain = *plain && text.front() != '0';
    }
    return QString();
}

// The method of a pair of result files: the one whose index header the
// files carry, else the one whose code ends the file's name; none for files
// of no known method.
const MethodInfo* methodOf(const QString& header, const QString& valuesName) {
    for (const MethodInfo& info : methodTable())
        if (info.indexHeader == header)
            return &info;
    return methodWithCode(methodCodeOfResultFile(valuesName));
}

// The ranks file holds the ranks that the method gives its values file's
// index texts (both files of one run): a pair left by two runs is refused.
// The texts are read as the settings that wrote them did. Files of no known
// method may rank either way.
QString checkRanksFollowValues(const ResultFileContent& values, const QString& valuesName,
                               const QString& ranksName, const std::vector<int>& written,
                               const Regional& regional) {
    const qsizetype units = values.lineCount() - 1;
    std::vector<double> keys(static_cast<std::size_t>(units));
    for (qsizetype i = 1; i <= units; ++i)
        keys[std::size_t(i - 1)] = values.isUtf8(i)
                                       ? writtenIndexTextKey(values.valueBytes(i), regional)
                                       : writtenIndexTextKey(values.value(i), regional);
    const QString header = values.value(0);
    const MethodInfo* info = methodOf(header, valuesName);
    for (const bool ascending : {false, true}) {
        if (info && info->ascending != ascending)
            continue;
        if (isRanking(keys, ascending, written))
            return QString();
    }
    const QString name = info ? methodCode(info->entryText) : header;
    return QCoreApplication::translate(
               "Comparison", "I ranghi del file %1 non corrispondono ai valori del file %2 (i due "
                             "file vengono da elaborazioni diverse): eseguire di nuovo il metodo "
                             "%3.")
        .arg(ranksName, valuesName, name);
}

Failure refused(const QString& message) {
    return failure(FailureKind::File, message);
}

// Reused from one method to the next: the two files being read, and room
// for converting their parts.
struct Reading {
    ResultFileContent values;
    ResultFileContent ranks;
    QByteArray scratch;
    QByteArray otherScratch;
};

// The names of a method's two files and of the first method's values file.
struct FileNames {
    const QString& values;
    const QString& ranks;
    const QString& reference;
};

// The labels of a method's files, compared as texts through their UTF-8
// forms with the first method's (taken as they are for the first) and with
// each other, then its header; the values go to column k.
QString takeLabelsAndValues(const ResultFileContent& values, const ResultFileContent& ranks, int k,
                            ComparisonResult& result, const FileNames& names, Reading& reading) {
    QByteArray& scratch = reading.scratch;
    QByteArray& other = reading.otherScratch;
    const bool first = k == 1;
    if (first)
        result.values.reserve(0, values.bytes.size());
    result.values.reserve(k, values.bytes.size() / 2);
    for (qsizetype i = 0; i < values.lineCount(); ++i) {
        if (first)
            result.values.setCellUtf8(int(i), 0, values.labelUtf8(i, scratch));
        else if (values.labelUtf8(i, scratch) != result.values.cellUtf8(int(i), 0))
            return differentUnits(names.values, names.reference, i + 1);
    }
    for (qsizetype i = 0; i < ranks.lineCount(); ++i)
        if (ranks.labelUtf8(i, scratch) != values.labelUtf8(i, other))
            return differentUnits(names.ranks, names.values, i + 1);
    if (ranks.valueUtf8(0, scratch) != values.valueUtf8(0, other))
        return QCoreApplication::translate(
                   "Comparison", "Il file %1 non ha la stessa intestazione di %2: eseguire di "
                                 "nuovo i metodi.")
            .arg(names.ranks, names.values);
    for (qsizetype i = 0; i < values.lineCount(); ++i)
        result.values.setCellUtf8(int(i), k, values.valueUtf8(i, scratch));
    return QString();
}

// The method in column k of the tables: its two files are read, checked
// against the first method (whose labels are in column 0 of the values
// table, once column 1 is filled) and put in column k.
QString addMethod(const QString& folder, const QString& valuesName, int k, ComparisonResult& result,
                  qsizetype& referenceLines, QString& referenceName, Reading& reading,
                  const Regional& regional) {
    const QString ranksName = ranksFileFor(valuesName);
    const ResultFileContent& values = reading.values;
    const ResultFileContent& ranks = reading.ranks;
    QByteArray& scratch = reading.scratch;
    const FileNames names{valuesName, ranksName, referenceName};
    // The two files are read side by side; the ranks file is looked at
    // only once the values file has passed its checks.
    auto readingRanks = std::async(std::launch::async, [&reading, &folder, &ranksName]() {
        readResultFile(QDir(folder).filePath(ranksName), reading.ranks);
    });
    readResultFile(QDir(folder).filePath(valuesName), reading.values);
    QString problem = readProblem(values, valuesName, false);
    if (!problem.isEmpty())
        return problem;
    const bool first = k == 1;
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
    problem = readProblem(ranks, ranksName, true);
    if (problem.isEmpty())
        problem = checkLines(ranksName, ranks, referenceName, referenceLines);
    if (!problem.isEmpty())
        return problem;

    // The ranks are checked against the values on a second thread while
    // the labels are compared and the values taken; a problem with the
    // labels comes first, as it would one check after the other.
    std::vector<int> found;
    bool plain = true;
    auto checking = std::async(std::launch::async, [&]() {
        QString rankProblem = checkRanks(ranksName, ranks, found, &plain);
        if (rankProblem.isEmpty())
            rankProblem = checkRanksFollowValues(values, valuesName, ranksName, found, regional);
        return rankProblem;
    });
    problem = takeLabelsAndValues(values, ranks, k, result, names, reading);
    const QString rankProblem = checking.get();
    if (!problem.isEmpty())
        return problem;
    if (!rankProblem.isEmpty())
        return rankProblem;

    result.ranks.setCellUtf8(0, k, ranks.valueUtf8(0, scratch));
    if (plain) {
        result.ranks.setWholeNumbers(k, std::move(found));
    } else {
        // Ranks written with leading zeros stay the texts they are.
        for (qsizetype i = 1; i < ranks.lineCount(); ++i)
            result.ranks.setCellUtf8(int(i), k, ranks.valueUtf8(i, scratch));
    }
    if (k == 1)
        result.ranks.shareColumn(0, result.values, 0);
    return QString();
}

} // namespace

Expected<ComparisonResult> compareMethods(const QString& strCartella, const QStringList& entries,
                                          const Regional& regional, WorkProgress* progress) {
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
            readProblem(probeFile(QDir(strCartella).filePath(valuesName)), valuesName, false);
        const QString ranksName = ranksFileFor(valuesName);
        if (problem.isEmpty())
            problem =
                readProblem(probeFile(QDir(strCartella).filePath(ranksName)), ranksName, true);
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
        const QString problem = addMethod(strCartella, entries[k], int(k) + 1, result,
                                          referenceLines, referenceName, reading, regional);
        if (!problem.isEmpty())
            return refused(problem);
    }
    report(QCoreApplication::translate("Comparison", "Calcolo della matrice di cograduazione"), -1);
    result.cograduation = cograduationMatrix(result.ranks, regional);
    return result;
}
