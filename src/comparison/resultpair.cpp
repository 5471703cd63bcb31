#include "comparison/resultpair.h"

#include "comparison/indextextkey.h"
#include "methods/metodi.h"
#include "methods/ranking.h"
#include "shared/resultnames.h"

#include <QCoreApplication>

namespace {

QString number(qsizetype value) {
    return QString::number(value);
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
// collected in line order.
QString checkRanks(const QString& name, const ResultFileContent& ranks, std::vector<int>& found) {
    const qsizetype units = ranks.lineCount() - 1;
    std::vector<qsizetype> lineOfRank(std::size_t(units) + 1, 0);
    found.clear();
    found.reserve(std::size_t(units));
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
// The texts are read as the settings that wrote them did, into keys. Files
// of no known method may rank either way.
QString checkRanksFollowValues(const ResultFileContent& values, const QString& valuesName,
                               const QString& ranksName, const std::vector<int>& written,
                               const Regional& regional, std::vector<double>& keys) {
    const qsizetype units = values.lineCount() - 1;
    keys.resize(static_cast<std::size_t>(units));
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
    const QString name = info ? info->code : header;
    return QCoreApplication::translate(
               "Comparison", "I ranghi del file %1 non corrispondono ai valori del file %2 (i due "
                             "file vengono da elaborazioni diverse): eseguire di nuovo il metodo "
                             "%3.")
        .arg(ranksName, valuesName, name);
}

} // namespace

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

QString checkResultPair(const ResultFileContent& values, const ResultFileContent& ranks,
                        const ResultPairNames& names, const Regional& regional, PairRanks& found) {
    if (QString problem = checkLines(names.ranks, ranks, names.values, values.lineCount());
        !problem.isEmpty())
        return problem;
    QByteArray scratch;
    QByteArray other;
    for (qsizetype i = 0; i < ranks.lineCount(); ++i)
        if (ranks.labelUtf8(i, scratch) != values.labelUtf8(i, other))
            return differentUnits(names.ranks, names.values, i + 1);
    if (ranks.valueUtf8(0, scratch) != values.valueUtf8(0, other))
        return QCoreApplication::translate(
                   "Comparison", "Il file %1 non ha la stessa intestazione di %2: eseguire di "
                                 "nuovo i metodi.")
            .arg(names.ranks, names.values);
    if (QString problem = checkRanks(names.ranks, ranks, found.ranks); !problem.isEmpty())
        return problem;
    return checkRanksFollowValues(values, names.values, names.ranks, found.ranks, regional,
                                  found.values);
}
