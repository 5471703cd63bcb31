#include "export/resultscollection.h"

#include "comparison/comparisonfiles.h"
#include "comparison/resultfilelisting.h"
#include "comparison/resultfilereader.h"
#include "comparison/resultpair.h"
#include "comparison/spearman.h"
#include "methods/metodi.h"
#include "methods/resultfiles.h"
#include "record/recordcheck.h"
#include "robustness/analysisorigins.h"
#include "robustness/kendall.h"
#include "shared/delimitedfields.h"
#include "shared/resultnames.h"
#include "shared/textdecoding.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNoNumber = std::numeric_limits<double>::quiet_NaN();

// The fields of line i of a table: split where the writer quoted them when
// they come out as expected (expected < 0: any number), else, as files
// written before quoting hold, at every ";".
QStringList fieldsOf(const ResultFileContent& content, qsizetype i, qsizetype expected,
                     std::vector<FieldSpan>& spans) {
    const QString line = decodeTextLine(content.lineBytes(i));
    if (!splitQuotedFields(QStringView(line), spans) ||
        (expected >= 0 && qsizetype(spans.size()) != expected))
        return line.split(u';');
    QStringList fields;
    fields.reserve(qsizetype(spans.size()));
    for (const FieldSpan& span : spans)
        fields.append(fieldText(line, span));
    return fields;
}

QString fileName(const QString& path) {
    return QFileInfo(path).fileName();
}

// Whether something other than a folder is at the path (a link to
// anything included): what is there is read, or left out with the cause.
bool isThere(const QString& path) {
    const QFileInfo info(path);
    return (info.exists() || info.isSymLink()) && !info.isDir();
}

QString leftOut(const QString& name, const QString& why) {
    return QCoreApplication::translate("Export", "%1 tralasciato. %2").arg(name, why);
}

// Lets in the files that are current for the collection, each with the
// regional settings its numbers were written under; the others are named
// in its warnings with the reason.
class Gate {
public:
    Gate(ResultsCollection& collection, const Regional& regional,
         const std::optional<QJsonObject>& expected)
        : m_collection(collection), m_check(collection.strMatrice, regional, expected) {
        if (!m_check.recordProblem().isEmpty())
            m_collection.notices.append(m_check.recordProblem());
    }
    // Nothing when the file at path is not current (or not there).
    std::optional<Regional> admit(const QString& path) {
        if (!isThere(path))
            return std::nullopt;
        const Currency currency = m_check.check(path);
        if (currency.state == Currency::State::Stale) {
            m_collection.warnings.append(
                QCoreApplication::translate("Export", "%1 tralasciato: %2.")
                    .arg(fileName(path), currency.reason));
            return std::nullopt;
        }
        if (currency.state == Currency::State::Unrecorded)
            m_collection.notices.append(unrecordedNotice(path));
        return m_check.regionalOf(path);
    }
    // A composite's definition as the entry of its file records it; empty
    // for the nine's files and a file without an entry.
    QString definitionOf(const QString& path) const {
        const RecordEntry* entry = m_check.record().find(path);
        return entry ? entry->settings.value(QLatin1StringView("composite")).toString() : QString();
    }

    // Reads the file at path within its bounds, hashing its bytes for the
    // checks: a file is read once, before it is let in. The files written
    // together are read before any of them is let in, since each is checked
    // with the others.
    ResultFileContent read(const QString& path, const ResultFileBounds& bounds) {
        ResultFileContent content = readResultFile(path, bounds, true);
        if (content.status == ResultFileContent::Status::Read)
            m_check.readAs(path, content.sha256);
        return content;
    }
    // Takes note that the numbers of the file were taken.
    void taken(const QString& path) { m_collection.files.push_back({path, m_check.sha256(path)}); }

private:
    ResultsCollection& m_collection;
    RecordCheck m_check;
};

// A method's results from its two files, or why they are left out: the
// checks of the comparison, with as many lines as the matrix has rows.
std::optional<MethodResults> methodFromFiles(const QString& strMatrice, const Matrix& matrix,
                                             const QString& code, Gate& gate,
                                             const ResultFileBounds& bounds,
                                             QStringList& warnings) {
    const QString valuesPath = valuesResultFile(strMatrice, code);
    const QString ranksPath = ranksResultFile(strMatrice, code);
    if (!isThere(valuesPath))
        return std::nullopt;
    const ResultFileContent values = gate.read(valuesPath, bounds);
    const ResultFileContent ranks = gate.read(ranksPath, bounds);
    const std::optional<Regional> written = gate.admit(valuesPath);
    if (!written || (isThere(ranksPath) && !gate.admit(ranksPath)))
        return std::nullopt;
    const Regional& regional = *written;
    const ResultPairNames names{fileName(valuesPath), fileName(ranksPath)};
    const auto refuse = [&warnings](const QString& name, const QString& why) {
        warnings.append(leftOut(name, why));
        return std::nullopt;
    };
    // A line for each row of the matrix's sheet: its header and its units.
    QString problem = readProblem(values, names.values, false);
    if (problem.isEmpty())
        problem = checkLines(names.values, values, fileName(strMatrice), matrix.unitCount() + 1);
    if (!problem.isEmpty())
        return refuse(names.values, problem);
    PairRanks found;
    problem = readProblem(ranks, names.ranks, true);
    if (problem.isEmpty())
        problem = checkResultPair(values, ranks, names, regional, found);
    if (!problem.isEmpty())
        return refuse(names.ranks, problem);

    MethodResults method;
    method.code = code;
    method.header = values.value(0);
    method.definition = gate.definitionOf(valuesPath);
    method.ranks = std::move(found.ranks);
    method.values.reserve(std::size_t(matrix.unitCount()));
    for (qsizetype i = 1; i < values.lineCount(); ++i) {
        method.labels.append(values.label(i));
        const auto number = regional.parseNumber(values.value(i));
        if (!number)
            return refuse(names.values,
                          QCoreApplication::translate(
                              "Export", "La riga %1 del file %2 non ha un valore numerico: "
                                        "eseguire di nuovo il metodo.")
                              .arg(QString::number(i + 1), names.values));
        method.values.push_back(*number);
    }
    gate.taken(valuesPath);
    gate.taken(ranksPath);
    return method;
}

MethodResults methodInMemory(const Matrix& matrix, const MethodInMemory& run,
                             const Regional& regional) {
    MethodResults method;
    method.code = methodAt(run.position).code;
    method.header = methodAt(run.position).indexHeader;
    method.fullPrecision = true;
    method.transformed = &run.output->transformed;
    for (const CellValue& label : matrix.units)
        method.labels.append(regional.generalText(label));
    method.values = run.output->index;
    method.ranks = run.output->ranks;
    return method;
}

// Makes copy share list's storage when the two hold the same texts.
void shareEqual(const QStringList& list, QStringList& copy) {
    if (copy == list)
        copy = list;
}

// The columns of a ranks table, one ranking of the units each.
std::vector<std::vector<int>> rankColumns(const DelimitedTable& ranks) {
    std::vector<std::vector<int>> columns(std::size_t(ranks.columnCount()));
    for (int k = 0; k < ranks.columnCount(); ++k)
        for (int r = 0; r < ranks.rowCount(); ++r)
            columns[std::size_t(k)].push_back(int(ranks.number(r, k)));
    return columns;
}

// The coefficient of every pair of rankings at [j * N + k], 1 on the
// diagonal.
template <typename Coefficient>
std::vector<double> pairMatrix(const std::vector<std::vector<int>>& columns) {
    const std::size_t n = columns.size();
    std::vector<double> matrix(n * n, 1.0);
    for (std::size_t j = 0; j < n; ++j)
        for (std::size_t k = 0; k < j; ++k) {
            const double value = Coefficient(columns[j], columns[k]).value();
            matrix[j * n + k] = value;
            matrix[k * n + j] = value;
        }
    return matrix;
}

bool wholeRanks(const DelimitedTable& ranks) {
    for (double value : ranks.numbers)
        if (!(value >= 1 && value <= ranks.rowCount() && value == std::trunc(value)))
            return false;
    return true;
}

std::optional<ComparisonResults> comparisonFromFiles(const QString& strMatrice,
                                                     const Matrix& matrix, Gate& gate,
                                                     const ResultFileBounds& bounds,
                                                     QStringList& warnings) {
    const QString valuesPath = valuesComparisonFile(strMatrice);
    const QString ranksPath = ranksComparisonFile(strMatrice);
    if (!isThere(valuesPath))
        return std::nullopt;
    const ResultFileContent valuesContent = gate.read(valuesPath, bounds);
    const ResultFileContent ranksContent = gate.read(ranksPath, bounds);
    const std::optional<Regional> written = gate.admit(valuesPath);
    if (!written || (isThere(ranksPath) && !gate.admit(ranksPath)))
        return std::nullopt;
    const Regional& regional = *written;
    Expected<std::optional<DelimitedTable>> valuesRead =
        delimitedTableOf(valuesContent, valuesPath, regional);
    Expected<std::optional<DelimitedTable>> ranksRead =
        delimitedTableOf(ranksContent, ranksPath, regional);
    if (!valuesRead || !ranksRead) {
        warnings.append(QCoreApplication::translate("Export", "%1 e %2 tralasciati. %3")
                            .arg(fileName(valuesPath), fileName(ranksPath),
                                 (!valuesRead ? valuesRead : ranksRead).error().message));
        return std::nullopt;
    }
    std::optional<DelimitedTable>& values = *valuesRead;
    std::optional<DelimitedTable>& ranks = *ranksRead;
    if (!values || !ranks || values->rowCount() != matrix.unitCount() ||
        ranks->rowCount() != values->rowCount() || ranks->headers != values->headers ||
        values->columnCount() < 2 || !wholeRanks(*ranks)) {
        warnings.append(QCoreApplication::translate(
                            "Export", "%1 e %2 tralasciati: non corrispondono alla matrice. "
                                      "Eseguire di nuovo il confronto.")
                            .arg(fileName(valuesPath), fileName(ranksPath)));
        return std::nullopt;
    }
    ComparisonResults comparison;
    comparison.headers = values->headers.mid(1);
    comparison.labels = values->labels;
    comparison.cograduation = pairMatrix<SpearmanCoefficient>(rankColumns(*ranks));
    comparison.values = std::move(*values);
    comparison.ranks = std::move(*ranks);
    gate.taken(valuesPath);
    gate.taken(ranksPath);
    return comparison;
}

// A robustness file when it exists and has a row per unit.
// content: the file as read, or nothing to read it here.
std::optional<DelimitedTable> unitTable(const QString& path, const Matrix& matrix, Gate& gate,
                                        const ResultFileBounds& bounds, QStringList& warnings,
                                        std::optional<ResultFileContent> content = std::nullopt) {
    if (!content)
        content = gate.read(path, bounds);
    const std::optional<Regional> written = gate.admit(path);
    if (!written)
        return std::nullopt;
    const Regional& regional = *written;
    Expected<std::optional<DelimitedTable>> table = delimitedTableOf(*content, path, regional);
    if (!table) {
        warnings.append(leftOut(fileName(path), table.error().message));
        return std::nullopt;
    }
    if (!*table || (*table)->rowCount() != matrix.unitCount()) {
        warnings.append(
            QCoreApplication::translate("Export", "%1 tralasciato: non corrisponde alla matrice.")
                .arg(fileName(path)));
        return std::nullopt;
    }
    gate.taken(path);
    return std::move(*table);
}

// The audit files, when .audit.csv exists and the three have a row per
// indicator (the coherence file at least the line of the whole matrix).
// <workbook>.sobol.csv: a line per factor of the Monte Carlo, at most five,
// each with its six indices.
std::optional<DelimitedTable> factorTable(const QString& path, Gate& gate,
                                          const ResultFileContent& content, QStringList& warnings) {
    const std::optional<Regional> written = gate.admit(path);
    if (!written)
        return std::nullopt;
    const Regional& regional = *written;
    Expected<std::optional<DelimitedTable>> table = delimitedTableOf(content, path, regional);
    if (!table) {
        warnings.append(leftOut(fileName(path), table.error().message));
        return std::nullopt;
    }
    if (!*table || (*table)->columnCount() != 6 || (*table)->rowCount() < 1) {
        warnings.append(
            QCoreApplication::translate("Export", "%1 tralasciato: non corrisponde alla matrice.")
                .arg(fileName(path)));
        return std::nullopt;
    }
    gate.taken(path);
    return std::move(*table);
}

// The coherence files of every method audited that fit: seven columns
// after the element's name, a row or more.
std::vector<std::pair<QString, DelimitedTable>> methodCoherenceFromFiles(const QString& strMatrice,
                                                                         Gate& gate,
                                                                         ResultFileBounds bounds,
                                                                         QStringList& warnings) {
    const QFileInfo workbook(strMatrice);
    QStringList codes;
    for (const QString& name :
         QDir(workbook.absolutePath())
             .entryList({workbook.fileName() + QStringLiteral(".coerenza.*.csv")}, QDir::Files,
                        QDir::Name))
        if (const auto parsed = parseResultFileName(strMatrice, name);
            parsed && parsed->kind == ResultFileKind::MethodCoherence)
            codes.append(parsed->code);
    const QStringList nine = methodCodes();
    std::stable_sort(codes.begin(), codes.end(), [&nine](const QString& a, const QString& b) {
        const auto at = [&nine](const QString& code) {
            const qsizetype k = nine.indexOf(code);
            return k < 0 ? nine.size() : k;
        };
        return at(a) < at(b);
    });
    std::vector<std::pair<QString, DelimitedTable>> tables;
    for (const QString& code : codes) {
        const QString path = resultFileName(strMatrice, ResultFileKind::MethodCoherence, code);
        const std::optional<Regional> written = gate.admit(path);
        if (!written)
            continue;
        Expected<std::optional<DelimitedTable>> read = readDelimitedTable(path, *written, bounds);
        if (!read) {
            warnings.append(leftOut(fileName(path), read.error().message));
            continue;
        }
        if (!*read || (*read)->columnCount() != 7 || (*read)->rowCount() < 1) {
            warnings.append(QCoreApplication::translate(
                                "Export", "%1 tralasciato: non corrisponde alla matrice.")
                                .arg(fileName(path)));
            continue;
        }
        gate.taken(path);
        tables.emplace_back(code, std::move(**read));
    }
    return tables;
}

std::optional<AuditTables> auditFromFiles(const QString& strMatrice, const Matrix& matrix,
                                          Gate& gate, ResultFileBounds bounds,
                                          QStringList& warnings) {
    const QString paths[] = {resultFileName(strMatrice, ResultFileKind::Audit),
                             resultFileName(strMatrice, ResultFileKind::Correlations),
                             resultFileName(strMatrice, ResultFileKind::Coherence)};
    if (!isThere(paths[0]))
        return std::nullopt;
    const int m = matrix.indicatorCount();
    // A group line for every group of a structure: fewer than the units
    // and indicators together.
    bounds.lines = qsizetype(m) + matrix.unitCount() + 2;
    const ResultFileContent contents[3] = {gate.read(paths[0], bounds), gate.read(paths[1], bounds),
                                           gate.read(paths[2], bounds)};
    std::optional<DelimitedTable> tables[3];
    for (int k = 0; k < 3; ++k) {
        const std::optional<Regional> written = gate.admit(paths[k]);
        if (!written)
            return std::nullopt;
        Expected<std::optional<DelimitedTable>> read =
            delimitedTableOf(contents[k], paths[k], *written);
        if (!read) {
            warnings.append(leftOut(fileName(paths[k]), read.error().message));
            return std::nullopt;
        }
        tables[k] = std::move(*read);
        const bool fits =
            tables[k] && (k == 2 ? tables[k]->rowCount() >= 1 : tables[k]->rowCount() == m);
        if (!fits) {
            warnings.append(QCoreApplication::translate(
                                "Export", "%1 tralasciato: non corrisponde alla matrice.")
                                .arg(fileName(paths[k])));
            return std::nullopt;
        }
    }
    for (const QString& path : paths)
        gate.taken(path);
    // An element's line for every indicator and group.
    bounds.lines = 2 * qsizetype(m) + matrix.unitCount() + 2;
    return AuditTables{std::move(*tables[0]), std::move(*tables[1]), std::move(*tables[2]),
                       methodCoherenceFromFiles(strMatrice, gate, bounds, warnings)};
}

// The AMPI files of both variants that exist and have a row per unit and a
// column per period (at least one); the ranks only when they have the same
// periods.
std::vector<AmpiTables> ampiFromFiles(const QString& strMatrice, const Matrix& matrix, Gate& gate,
                                      const ResultFileBounds& bounds, QStringList& warnings) {
    std::vector<AmpiTables> ampi;
    const QString signs[] = {QStringLiteral("+"), QStringLiteral("-")};
    // The four files are written together: each is read before any is let in.
    std::vector<std::pair<QString, ResultFileContent>> files;
    for (const QString& sign : signs)
        for (const ResultFileKind kind : {ResultFileKind::AmpiValues, ResultFileKind::AmpiRanks}) {
            const QString path = resultFileName(strMatrice, kind, sign);
            files.emplace_back(path, gate.read(path, bounds));
        }
    for (std::size_t s = 0; s < 2; ++s) {
        const QString& sign = signs[s];
        auto values = unitTable(files[2 * s].first, matrix, gate, bounds, warnings,
                                std::move(files[2 * s].second));
        if (!values || values->columnCount() < 1)
            continue;
        auto ranks = unitTable(files[2 * s + 1].first, matrix, gate, bounds, warnings,
                               std::move(files[2 * s + 1].second));
        if (ranks && ranks->headers != values->headers)
            ranks.reset();
        ampi.push_back(AmpiTables{sign, std::move(*values), std::move(ranks)});
    }
    return ampi;
}

} // namespace

bool ResultsCollection::isEmpty() const {
    return methods.empty() && !comparison && !robustness && sensitivities.empty() && !uncertainty &&
           !monteCarlo && !audit && ampi.empty();
}

Expected<std::optional<DelimitedTable>>
readDelimitedTable(const QString& path, const Regional& regional, const ResultFileBounds& bounds) {
    return delimitedTableOf(readResultFile(path, bounds), path, regional);
}

Expected<std::optional<DelimitedTable>>
delimitedTableOf(const ResultFileContent& content, const QString& path, const Regional& regional) {
    if (content.status == ResultFileContent::Status::Unreadable)
        return failure(FailureKind::File, readProblem(content, fileName(path), false));
    if (content.status != ResultFileContent::Status::Read || content.lineCount() == 0)
        return std::optional<DelimitedTable>();
    std::vector<FieldSpan> spans;
    DelimitedTable table;
    table.headers = fieldsOf(content, 0, -1, spans);
    const int columns = table.columnCount();
    table.numbers.reserve(std::size_t(content.lineCount() - 1) * std::size_t(columns));
    for (qsizetype i = 1; i < content.lineCount(); ++i) {
        QStringList fields = fieldsOf(content, i, columns + 1, spans);
        if (fields.size() < columns + 1)
            return std::optional<DelimitedTable>();
        const qsizetype extra = fields.size() - (columns + 1);
        table.labels.append(fields.mid(0, extra + 1).join(u';'));
        for (qsizetype k = extra + 1; k < fields.size(); ++k) {
            const QString& field = fields[k];
            if (const auto number = regional.parseNumber(field)) {
                table.numbers.push_back(*number);
            } else {
                if (!field.isEmpty())
                    table.texts.emplace_back(table.numbers.size(), field);
                table.numbers.push_back(kNoNumber);
            }
        }
    }
    return std::optional<DelimitedTable>(std::move(table));
}

namespace {

// The sheet names of the results workbook other than the methods'.
constexpr const char16_t* kOtherSheets[] = {u"Dati",       u"Struttura",  u"Mancanti", u"Confronto",
                                            u"Robustezza", u"Incertezza", u"Audit",    u"Sobol"};

// The codes of the values result files beside the workbook that are none
// of the nine's (the composites'), by name: only codes a composite may
// have, and none that names another sheet.
QStringList compositeCodes(const QString& strMatrice) {
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z0-9+_-]{1,8}$"));
    QStringList codes;
    for (const QString& entry : valuesResultFiles(strMatrice)) {
        const QString code = methodCodeOfResultFile(entry);
        if (methodWithCode(code) || !valid.match(code).hasMatch() ||
            std::any_of(std::begin(kOtherSheets), std::end(kOtherSheets),
                        [&code](const char16_t* sheet) {
                            return code.compare(QStringView(sheet), Qt::CaseInsensitive) == 0;
                        }))
            continue;
        codes.append(code);
    }
    return codes;
}

// The phases of collectResults, over one collection: the methods, the
// comparison, then the analyses, each file let in by the gate.
class Collector {
public:
    Collector(ResultsCollection& collection, const Matrix& matrix, const Regional& regional,
              const std::optional<QJsonObject>& expected)
        : m_collection(collection), m_matrix(matrix), m_workbook(collection.strMatrice),
          m_gate(collection, regional, expected),
          m_resultBounds(boundsForMatrix(matrix, ResultFileBounds::Shape::LabelAndValue)),
          m_tableBounds(boundsForMatrix(matrix, ResultFileBounds::Shape::Table)) {}

    // Every method of the list with its files (or in memory), each with its
    // group file under a structure; false when cancelled.
    bool methods(const std::optional<MethodInMemory>& inMemory, WorkProgress* progress,
                 const Regional& regional);
    void comparison();
    // The analyses that do not fit the comparison or the structure in use
    // are left out, each named with the reason.
    void analyses();

private:
    // content: the group file as read before the method's files, if it was.
    void groupsOf(MethodResults& method, std::optional<ResultFileContent> content);
    QString groupsPath(const QString& code) const {
        return resultFileName(m_workbook, ResultFileKind::GroupValues, code);
    }
    // Whether the analysis file at path was computed on what is collected
    // (the comparison's methods when ofComparison, the structure in use
    // when withStructure), as its recorded origin tells.
    bool fits(const QString& path, bool ofComparison, bool withStructure);
    std::optional<DelimitedTable> unitFile(const QString& path) {
        return unitTable(path, m_matrix, m_gate, m_tableBounds, m_collection.warnings);
    }
    void sensitivities();
    void monteCarlo();

    ResultsCollection& m_collection;
    const Matrix& m_matrix;
    const QString m_workbook;
    Gate m_gate;
    const ResultFileBounds m_resultBounds;
    const ResultFileBounds m_tableBounds;
    // The origins of the analyses, read by analyses(); a failure to read
    // them leaves every analysis out.
    std::optional<Expected<std::map<QString, AnalysisOrigin>>> m_origins;
    std::optional<QStringList> m_compared;
    QStringList m_codes; // the nine's, then the composites' with a values result file
};

bool Collector::methods(const std::optional<MethodInMemory>& inMemory, WorkProgress* progress,
                        const Regional& regional) {
    m_codes = methodCodes();
    const qsizetype nine = m_codes.size();
    m_codes.append(compositeCodes(m_workbook));
    for (qsizetype i = 0; i < m_codes.size(); ++i) {
        if (progress) {
            if (progress->cancelled())
                return false;
            progress->report(QCoreApplication::translate("Export", "Lettura dei risultati"),
                             percentOf(qint64(i), qint64(nine) + 2));
        }
        const QString& code = m_codes[i];
        std::vector<MethodResults>& methods = m_collection.methods;
        // The group file is written with the method's two: it is read
        // before they are let in.
        std::optional<ResultFileContent> groups;
        const bool fromFiles = !inMemory || int(inMemory->position) != int(i);
        if (m_collection.structure && fromFiles && isThere(valuesResultFile(m_workbook, code)))
            groups = m_gate.read(groupsPath(code), m_tableBounds);
        if (!fromFiles) {
            methods.push_back(methodInMemory(m_matrix, *inMemory, regional));
        } else if (auto method = methodFromFiles(m_workbook, m_matrix, code, m_gate, m_resultBounds,
                                                 m_collection.warnings)) {
            methods.push_back(std::move(*method));
        } else {
            continue;
        }
        if (m_collection.structure)
            groupsOf(methods.back(), std::move(groups));
        // The methods' files name the same units: one list of labels held
        // for all of them, not one for each.
        if (methods.size() > 1)
            shareEqual(methods.front().labels, methods.back().labels);
    }
    return true;
}

void Collector::groupsOf(MethodResults& method, std::optional<ResultFileContent> content) {
    const QString path = groupsPath(method.code);
    auto groups =
        unitTable(path, m_matrix, m_gate, m_tableBounds, m_collection.warnings, std::move(content));
    if (groups && groups->columnCount() != qsizetype(m_collection.structure->groups.size()))
        m_collection.warnings.append(
            QCoreApplication::translate("Export", "%1 tralasciato: non corrisponde alla struttura.")
                .arg(fileName(path)));
    else
        method.groups = std::move(groups);
}

void Collector::comparison() {
    m_collection.comparison =
        comparisonFromFiles(m_workbook, m_matrix, m_gate, m_tableBounds, m_collection.warnings);
    if (!m_collection.comparison)
        return;
    ComparisonResults& comparison = *m_collection.comparison;
    m_compared = methodCodesOfHeaders(comparison.headers);
    if (m_collection.methods.empty())
        return;
    shareEqual(m_collection.methods.front().labels, comparison.labels);
    shareEqual(comparison.labels, comparison.values.labels);
    shareEqual(comparison.labels, comparison.ranks.labels);
}

bool Collector::fits(const QString& path, bool ofComparison, bool withStructure) {
    // Without a readable record, no analysis can be told to fit.
    if (!*m_origins) {
        if (QFileInfo::exists(path))
            m_collection.warnings.append(
                QCoreApplication::translate("Export",
                                            "%1 tralasciato: non si può dire da cosa è stato "
                                            "calcolato.")
                    .arg(fileName(path)));
        return false;
    }
    const auto origin = (*m_origins)->find(fileName(path));
    if (origin == (*m_origins)->end())
        return true; // written before origins were recorded
    const Status fit = analysisFits(
        origin->second, ofComparison && m_compared ? &*m_compared : nullptr,
        withStructure ? std::optional<bool>(m_collection.structure != nullptr) : std::nullopt);
    if (fit)
        return true;
    m_collection.warnings.append(QCoreApplication::translate("Export", "%1 tralasciato: %2.")
                                     .arg(fileName(path), fit.error().message));
    return false;
}

void Collector::analyses() {
    m_origins = readAnalysisOrigins(m_workbook);
    if (!*m_origins)
        m_collection.warnings.append(m_origins->error().message);
    // The comparison's codes as its record names them: a composite's
    // header is its name, not its code.
    if (m_compared && *m_origins) {
        const auto origin =
            (*m_origins)
                ->find(fileName(resultFileName(m_workbook, ResultFileKind::ComparisonValues)));
        if (origin != (*m_origins)->end() && origin->second.methods.size() == m_compared->size())
            m_compared = origin->second.methods;
    }
    if (const QString path = resultFileName(m_workbook, ResultFileKind::RankSummary);
        fits(path, true, false))
        m_collection.robustness = unitFile(path);
    // Kendall's tau goes with the rank summary, as in the robustness window.
    if (m_collection.comparison && m_collection.robustness)
        m_collection.comparison->kendall =
            pairMatrix<KendallCoefficient>(rankColumns(m_collection.comparison->ranks));
    sensitivities();
    if (const QString path = resultFileName(m_workbook, ResultFileKind::Uncertainty);
        fits(path, true, false))
        m_collection.uncertainty = unitFile(path);
    m_collection.audit =
        auditFromFiles(m_workbook, m_matrix, m_gate, m_tableBounds, m_collection.warnings);
    m_collection.ampi =
        ampiFromFiles(m_workbook, m_matrix, m_gate, m_tableBounds, m_collection.warnings);
    monteCarlo();
}

void Collector::sensitivities() {
    for (const QString& code : m_codes) {
        const QString path = resultFileName(m_workbook, ResultFileKind::Sensitivity, code);
        if (!QFileInfo::exists(path) || !fits(path, false, true))
            continue;
        if (auto sensitivity = unitFile(path))
            m_collection.sensitivities.emplace_back(code, std::move(*sensitivity));
    }
}

void Collector::monteCarlo() {
    const QString path = resultFileName(m_workbook, ResultFileKind::MonteCarlo);
    if (!fits(path, false, true) || !isThere(path))
        return;
    // The Sobol files are written with the Monte Carlo's: the three are read
    // before any is let in.
    const QString sobolPath = resultFileName(m_workbook, ResultFileKind::Sobol);
    const QString unitsPath = resultFileName(m_workbook, ResultFileKind::SobolUnits);
    ResultFileContent content = m_gate.read(path, m_tableBounds);
    ResultFileBounds factorBounds = m_tableBounds;
    factorBounds.lines = 6;
    const ResultFileContent sobol = m_gate.read(sobolPath, factorBounds);
    ResultFileContent units = m_gate.read(unitsPath, m_tableBounds);
    m_collection.monteCarlo =
        unitTable(path, m_matrix, m_gate, m_tableBounds, m_collection.warnings, std::move(content));
    if (!m_collection.monteCarlo)
        return;
    if (const auto origin = (*m_origins)->find(fileName(path)); origin != (*m_origins)->end())
        m_collection.monteCarloOrigin = origin->second;
    m_collection.sobol = factorTable(sobolPath, m_gate, sobol, m_collection.warnings);
    m_collection.sobolUnits = unitTable(unitsPath, m_matrix, m_gate, m_tableBounds,
                                        m_collection.warnings, std::move(units));
}

} // namespace

ResultsCollection collectResults(const QString& strMatrice, const Matrix& matrix,
                                 const Regional& regional,
                                 const std::optional<MethodInMemory>& inMemory,
                                 WorkProgress* progress, const Structure* structure,
                                 const std::optional<QJsonObject>& expected) {
    ResultsCollection collection;
    collection.strMatrice = strMatrice;
    collection.matrix = &matrix;
    collection.regional = &regional;
    collection.structure = structure;
    Collector collector(collection, matrix, regional, expected);
    if (!collector.methods(inMemory, progress, regional))
        return collection;
    collector.comparison();
    collector.analyses();
    return collection;
}
