#include "comparison/comparison.h"

#include "comparison/cograduation.h"
#include "comparison/resultfilelisting.h"
#include "comparison/resultfilereader.h"
#include "methods/metodi.h"
#include "methods/ranking.h"

#include <QDir>

#include <vector>

namespace {

// One method's pair of result files as read.
struct MethodFiles {
    QString valuesName;
    QString ranksName;
    ResultFileContent values;
    ResultFileContent ranks;
};

QString number(qsizetype value) {
    return QString::number(value);
}

// Reads one result file into `content`; returns the refusal or empty.
QString readFile(const QString& folder, const QString& name, bool isRanks,
                 ResultFileContent& content) {
    content = readResultFile(QDir(folder).filePath(name));
    switch (content.status) {
    case ResultFileContent::Status::Read:
        return QString();
    case ResultFileContent::Status::Missing:
        return isRanks ? QStringLiteral("Il file dei ranghi %1 non esiste: eseguire di nuovo il "
                                        "metodo.")
                             .arg(name)
                       : QStringLiteral("Il file dei valori %1 non esiste.").arg(name);
    case ResultFileContent::Status::Unreadable:
        return QStringLiteral("Impossibile leggere il file %1: %2").arg(name, content.error);
    }
    return QString();
}

// Every file has as many lines as the reference file, each with a ";".
QString checkLines(const QString& name, const ResultFileContent& file, const QString& referenceName,
                   qsizetype referenceLines) {
    if (file.lines.size() != referenceLines)
        return QStringLiteral("Il file %1 ha %2 righe, mentre %3 ne ha %4: eseguire di nuovo i "
                              "metodi.")
            .arg(name, number(file.lines.size()), referenceName, number(referenceLines));
    for (qsizetype i = 0; i < file.lines.size(); ++i)
        if (!file.lines[i].hasSeparator)
            return QStringLiteral("La riga %1 del file %2 non contiene il separatore \";\": "
                                  "eseguire di nuovo i metodi.")
                .arg(number(i + 1), name);
    return QString();
}

// The label parts agree row by row (both files have the same line count).
QString checkLabels(const QString& name, const ResultFileContent& file,
                    const QString& referenceName, const ResultFileContent& reference) {
    for (qsizetype i = 0; i < file.lines.size(); ++i)
        if (file.lines[i].label != reference.lines[i].label)
            return QStringLiteral("Il file %1 non contiene le stesse unità di %2 (riga %3): "
                                  "eseguire di nuovo i metodi.")
                .arg(name, referenceName, number(i + 1));
    return QString();
}

// The rank of a data line: decimal digits only, 1..units; 0 when it is not.
qsizetype wholeRank(const QString& text, qsizetype units) {
    if (text.isEmpty() || text.size() > 10)
        return 0;
    qint64 value = 0;
    for (const QChar ch : text) {
        if (ch < u'0' || ch > u'9')
            return 0;
        value = value * 10 + (ch.unicode() - u'0');
    }
    return value >= 1 && value <= units ? qsizetype(value) : 0;
}

// Every data line holds a rank from 1 to n, each rank once.
QString checkRanks(const QString& name, const ResultFileContent& ranks) {
    const qsizetype units = ranks.lines.size() - 1;
    std::vector<qsizetype> lineOfRank(std::size_t(units) + 1, 0);
    for (qsizetype i = 1; i < ranks.lines.size(); ++i) {
        const qsizetype rank = wholeRank(ranks.lines[i].value, units);
        if (rank == 0)
            return QStringLiteral("La riga %1 del file %2 non contiene un rango intero da 1 a "
                                  "%3: eseguire di nuovo i metodi.")
                .arg(number(i + 1), name, number(units));
        qsizetype& seen = lineOfRank[std::size_t(rank)];
        if (seen != 0)
            return QStringLiteral("Il rango %1 compare due volte nel file %2 (righe %3 e %4): "
                                  "eseguire di nuovo i metodi.")
                .arg(number(rank), name, number(seen), number(i + 1));
        seen = i + 1;
    }
    return QString();
}

// The method of a pair of result files: the one whose index header the
// files carry, else the one whose code ends the file's name; none for files
// of no known method.
const MethodInfo* methodOf(const MethodFiles& method) {
    const QString& header = method.values.lines[0].value;
    const QString code = method.valuesName.chopped(4).right(4); // <workbook>.out<CODE>.csv
    for (const MethodInfo& info : methodTable())
        if (info.indexHeader == header)
            return &info;
    for (const MethodInfo& info : methodTable())
        if (methodCode(info.entryText) == code)
            return &info;
    return nullptr;
}

// The ranks file holds the ranks that the method gives its values file's
// index texts (both files of one run): a pair left by two runs is refused.
// The texts are read as the settings that wrote them did. Files of no known
// method may rank either way.
QString checkRanksFollowValues(const MethodFiles& method, const Regional& regional) {
    const qsizetype units = method.values.lines.size() - 1;
    std::vector<double> keys(static_cast<std::size_t>(units));
    std::vector<int> written(static_cast<std::size_t>(units));
    for (qsizetype i = 1; i <= units; ++i) {
        keys[std::size_t(i - 1)] = writtenIndexTextKey(method.values.lines[i].value, regional);
        written[std::size_t(i - 1)] = int(wholeRank(method.ranks.lines[i].value, units));
    }
    const MethodInfo* info = methodOf(method);
    for (const bool ascending : {false, true}) {
        if (info && info->ascending != ascending)
            continue;
        if (rankValues(keys, ascending) == written)
            return QString();
    }
    const QString name = info ? methodCode(info->entryText) : method.values.lines[0].value;
    return QStringLiteral("I ranghi del file %1 non corrispondono ai valori del file %2 (i due "
                          "file vengono da elaborazioni diverse): eseguire di nuovo il metodo "
                          "%3.")
        .arg(method.ranksName, method.valuesName, name);
}

// All checks of one method against the first method's values file.
QString checkMethod(const MethodFiles& method, const MethodFiles& first, const Regional& regional) {
    const qsizetype lines = first.values.lines.size();
    QString problem = checkLines(method.valuesName, method.values, first.valuesName, lines);
    if (problem.isEmpty())
        problem = checkLines(method.ranksName, method.ranks, first.valuesName, lines);
    if (problem.isEmpty() && &method != &first)
        problem = checkLabels(method.valuesName, method.values, first.valuesName, first.values);
    if (problem.isEmpty())
        problem = checkLabels(method.ranksName, method.ranks, method.valuesName, method.values);
    if (problem.isEmpty() && method.ranks.lines[0].value != method.values.lines[0].value)
        problem = QStringLiteral("Il file %1 non ha la stessa intestazione di %2: eseguire di "
                                 "nuovo i metodi.")
                      .arg(method.ranksName, method.valuesName);
    if (problem.isEmpty())
        problem = checkRanks(method.ranksName, method.ranks);
    if (problem.isEmpty())
        problem = checkRanksFollowValues(method, regional);
    return problem;
}

ComparisonResult refused(const QString& message) {
    ComparisonResult result;
    result.message = message;
    return result;
}

} // namespace

ComparisonResult compareMethods(const QString& strCartella, const QStringList& entries,
                                const Regional& regional, WorkProgress* progress) {
    const auto report = [progress](const QString& step, int percent) {
        if (progress)
            progress->report(step, percent);
    };
    if (entries.size() < 2)
        return refused(QStringLiteral("Selezionare almeno due metodi da confrontare."));

    std::vector<MethodFiles> methods(std::size_t(entries.size()));
    for (qsizetype k = 0; k < entries.size(); ++k) {
        report(QStringLiteral("Lettura dei risultati"), percentOf(k, entries.size()));
        MethodFiles& method = methods[std::size_t(k)];
        method.valuesName = entries[k];
        if (!method.valuesName.endsWith(QStringLiteral("csv")))
            return refused(QStringLiteral("Il file %1 non è un file dei valori: il nome deve "
                                          "terminare con \"csv\".")
                               .arg(method.valuesName));
        method.ranksName = ranksFileFor(method.valuesName);
        QString problem = readFile(strCartella, method.valuesName, false, method.values);
        if (problem.isEmpty())
            problem = readFile(strCartella, method.ranksName, true, method.ranks);
        if (!problem.isEmpty())
            return refused(problem);
    }

    const MethodFiles& first = methods.front();
    if (first.values.lines.size() < 3)
        return refused(QStringLiteral("Il file %1 deve contenere una riga di intestazione e "
                                      "almeno due unità.")
                           .arg(first.valuesName));
    for (const MethodFiles& method : methods) {
        const QString problem = checkMethod(method, first, regional);
        if (!problem.isEmpty())
            return refused(problem);
    }

    // The checks are done: the texts move from the files into the tables.
    const int rows = int(first.values.lines.size());
    const int columns = int(methods.size()) + 1;
    ComparisonResult result;
    result.values = TextTable(rows, columns);
    result.ranks = TextTable(rows, columns);
    for (int k = 1; k < columns; ++k) {
        MethodFiles& method = methods[std::size_t(k - 1)];
        for (int r = 0; r < rows; ++r) {
            if (k == 1) {
                result.values.setCell(r, 0, std::move(method.values.lines[r].label));
                result.ranks.setCell(r, 0, std::move(method.ranks.lines[r].label));
            }
            result.values.setCell(r, k, std::move(method.values.lines[r].value));
            result.ranks.setCell(r, k, std::move(method.ranks.lines[r].value));
        }
    }
    report(QStringLiteral("Calcolo della matrice di cograduazione"), -1);
    result.cograduation = cograduationMatrix(result.ranks, regional);
    result.ok = true;
    return result;
}
