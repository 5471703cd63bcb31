#include "export/resultscollection.h"

#include "comparison/comparisonfiles.h"
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
    // Takes note that the numbers of the file were taken.
    void taken(const QString& path) { m_collection.files.append(path); }

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
    const std::optional<Regional> written = gate.admit(valuesPath);
    if (!written || (isThere(ranksPath) && !gate.admit(ranksPath)))
        return std::nullopt;
    const Regional& regional = *written;
    const ResultFileContent values = readResultFile(valuesPath, bounds);
    const ResultFileContent ranks = readResultFile(ranksPath, bounds);
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
    method.code = methodCode(methodAt(run.position).entryText);
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
    const std::optional<Regional> written = gate.admit(valuesPath);
    if (!written || (isThere(ranksPath) && !gate.admit(ranksPath)))
        return std::nullopt;
    const Regional& regional = *written;
    QString valuesFailure;
    QString ranksFailure;
    auto values = readDelimitedTable(valuesPath, regional, bounds, &valuesFailure);
    auto ranks = readDelimitedTable(ranksPath, regional, bounds, &ranksFailure);
    if (!valuesFailure.isEmpty() || !ranksFailure.isEmpty()) {
        warnings.append(QCoreApplication::translate("Export", "%1 e %2 tralasciati. %3")
                            .arg(fileName(valuesPath), fileName(ranksPath),
                                 valuesFailure.isEmpty() ? ranksFailure : valuesFailure));
        return std::nullopt;
    }
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
std::optional<DelimitedTable> unitTable(const QString& path, const Matrix& matrix, Gate& gate,
                                        const ResultFileBounds& bounds, QStringList& warnings) {
    const std::optional<Regional> written = gate.admit(path);
    if (!written)
        return std::nullopt;
    const Regional& regional = *written;
    QString failure;
    auto table = readDelimitedTable(path, regional, bounds, &failure);
    if (!failure.isEmpty()) {
        warnings.append(leftOut(fileName(path), failure));
        return std::nullopt;
    }
    if (!table || table->rowCount() != matrix.unitCount()) {
        warnings.append(
            QCoreApplication::translate("Export", "%1 tralasciato: non corrisponde alla matrice.")
                .arg(fileName(path)));
        return std::nullopt;
    }
    gate.taken(path);
    return table;
}

// The audit files, when .audit.csv exists and the three have a row per
// indicator (the coherence file at least the line of the whole matrix).
// <workbook>.sobol.csv: a line per factor of the Monte Carlo, at most five,
// each with its six indices.
std::optional<DelimitedTable> factorTable(const QString& path, Gate& gate, ResultFileBounds bounds,
                                          QStringList& warnings) {
    const std::optional<Regional> written = gate.admit(path);
    if (!written)
        return std::nullopt;
    const Regional& regional = *written;
    bounds.lines = 6;
    QString failure;
    std::optional<DelimitedTable> table = readDelimitedTable(path, regional, bounds, &failure);
    if (!failure.isEmpty()) {
        warnings.append(leftOut(fileName(path), failure));
        return std::nullopt;
    }
    if (!table || table->columnCount() != 6 || table->rowCount() < 1) {
        warnings.append(
            QCoreApplication::translate("Export", "%1 tralasciato: non corrisponde alla matrice.")
                .arg(fileName(path)));
        return std::nullopt;
    }
    gate.taken(path);
    return table;
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
    std::optional<DelimitedTable> tables[3];
    for (int k = 0; k < 3; ++k) {
        const std::optional<Regional> written = gate.admit(paths[k]);
        if (!written)
            return std::nullopt;
        QString failure;
        tables[k] = readDelimitedTable(paths[k], *written, bounds, &failure);
        if (!failure.isEmpty()) {
            warnings.append(leftOut(fileName(paths[k]), failure));
            return std::nullopt;
        }
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
    return AuditTables{std::move(*tables[0]), std::move(*tables[1]), std::move(*tables[2])};
}

// The AMPI files of both variants that exist and have a row per unit and a
// column per period (at least one); the ranks only when they have the same
// periods.
std::vector<AmpiTables> ampiFromFiles(const QString& strMatrice, const Matrix& matrix, Gate& gate,
                                      const ResultFileBounds& bounds, QStringList& warnings) {
    std::vector<AmpiTables> ampi;
    for (const QString& sign : {QStringLiteral("+"), QStringLiteral("-")}) {
        auto values = unitTable(resultFileName(strMatrice, ResultFileKind::AmpiValues, sign),
                                matrix, gate, bounds, warnings);
        if (!values || values->columnCount() < 1)
            continue;
        auto ranks = unitTable(resultFileName(strMatrice, ResultFileKind::AmpiRanks, sign), matrix,
                               gate, bounds, warnings);
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

std::optional<DelimitedTable> readDelimitedTable(const QString& path, const Regional& regional,
                                                 const ResultFileBounds& bounds,
                                                 QString* readFailure) {
    const ResultFileContent content = readResultFile(path, bounds);
    if (readFailure)
        *readFailure = content.status == ResultFileContent::Status::Unreadable
                           ? readProblem(content, fileName(path), false)
                           : QString();
    if (content.status != ResultFileContent::Status::Read || content.lineCount() == 0)
        return std::nullopt;
    std::vector<FieldSpan> spans;
    DelimitedTable table;
    table.headers = fieldsOf(content, 0, -1, spans);
    const int columns = table.columnCount();
    table.numbers.reserve(std::size_t(content.lineCount() - 1) * std::size_t(columns));
    for (qsizetype i = 1; i < content.lineCount(); ++i) {
        QStringList fields = fieldsOf(content, i, columns + 1, spans);
        if (fields.size() < columns + 1)
            return std::nullopt;
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
    return table;
}

ResultsCollection collectResults(const QString& strMatrice, const Matrix& matrix,
                                 const Regional& regional,
                                 const std::optional<MethodInMemory>& inMemory,
                                 WorkProgress* progress, const Structure* structure,
                                 const std::optional<QJsonObject>& expected) {
    ResultsCollection collection;
    collection.strMatrice = strMatrice;
    Gate gate(collection, regional, expected);
    collection.matrix = &matrix;
    collection.regional = &regional;
    collection.structure = structure;
    const ResultFileBounds resultBounds =
        boundsForMatrix(matrix, ResultFileBounds::Shape::LabelAndValue);
    const ResultFileBounds tableBounds = boundsForMatrix(matrix, ResultFileBounds::Shape::Table);
    const auto& table = methodTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (progress) {
            if (progress->cancelled())
                return collection;
            progress->report(QCoreApplication::translate("Export", "Lettura dei risultati"),
                             percentOf(qint64(i), qint64(table.size()) + 2));
        }
        const QString code = methodCode(table[i].entryText);
        if (inMemory && int(inMemory->position) == int(i)) {
            collection.methods.push_back(methodInMemory(matrix, *inMemory, regional));
        } else if (auto method = methodFromFiles(strMatrice, matrix, code, gate, resultBounds,
                                                 collection.warnings)) {
            collection.methods.push_back(std::move(*method));
        }
        if (structure && !collection.methods.empty() && collection.methods.back().code == code) {
            const QString path = resultFileName(strMatrice, ResultFileKind::GroupValues, code);
            auto groups = unitTable(path, matrix, gate, tableBounds, collection.warnings);
            if (groups && groups->columnCount() != qsizetype(structure->groups.size()))
                collection.warnings.append(
                    QCoreApplication::translate("Export",
                                                "%1 tralasciato: non corrisponde alla struttura.")
                        .arg(fileName(path)));
            else
                collection.methods.back().groups = std::move(groups);
        }
        // The methods' files name the same units: one list of labels held
        // for all of them, not one for each.
        if (collection.methods.size() > 1)
            shareEqual(collection.methods.front().labels, collection.methods.back().labels);
    }
    collection.comparison =
        comparisonFromFiles(strMatrice, matrix, gate, tableBounds, collection.warnings);
    if (collection.comparison && !collection.methods.empty()) {
        ComparisonResults& comparison = *collection.comparison;
        shareEqual(collection.methods.front().labels, comparison.labels);
        shareEqual(comparison.labels, comparison.values.labels);
        shareEqual(comparison.labels, comparison.ranks.labels);
    }
    // The analyses that do not fit the comparison or the structure in use
    // are left out, each named with the reason.
    std::optional<QStringList> compared;
    if (collection.comparison)
        compared = methodCodesOfHeaders(collection.comparison->headers);
    // Without a readable record, no analysis can be told to fit: all are left out.
    Expected<std::map<QString, AnalysisOrigin>> originsRead = readAnalysisOrigins(strMatrice);
    if (!originsRead)
        collection.warnings.append(originsRead.error().message);
    const std::map<QString, AnalysisOrigin> origins =
        originsRead ? std::move(*originsRead) : std::map<QString, AnalysisOrigin>();
    const auto fits = [&](const QString& path, bool ofComparison, bool withStructure) {
        if (!originsRead) {
            if (QFileInfo::exists(path))
                collection.warnings.append(
                    QCoreApplication::translate("Export",
                                                "%1 tralasciato: non si può dire da cosa è stato "
                                                "calcolato.")
                        .arg(fileName(path)));
            return false;
        }
        const auto origin = origins.find(fileName(path));
        if (origin == origins.end())
            return true; // written before origins were recorded
        const Status fit =
            analysisFits(origin->second, ofComparison && compared ? &*compared : nullptr,
                         withStructure ? std::optional<bool>(structure != nullptr) : std::nullopt);
        if (fit)
            return true;
        collection.warnings.append(QCoreApplication::translate("Export", "%1 tralasciato: %2.")
                                       .arg(fileName(path), fit.error().message));
        return false;
    };
    if (const QString path = resultFileName(strMatrice, ResultFileKind::RankSummary);
        fits(path, true, false))
        collection.robustness = unitTable(path, matrix, gate, tableBounds, collection.warnings);
    // Kendall's tau goes with the rank summary, as in the robustness window.
    if (collection.comparison && collection.robustness)
        collection.comparison->kendall =
            pairMatrix<KendallCoefficient>(rankColumns(collection.comparison->ranks));
    for (const MethodInfo& method : table) {
        const QString code = methodCode(method.entryText);
        const QString path = resultFileName(strMatrice, ResultFileKind::Sensitivity, code);
        if (!QFileInfo::exists(path) || !fits(path, false, true))
            continue;
        auto sensitivity = unitTable(path, matrix, gate, tableBounds, collection.warnings);
        if (sensitivity)
            collection.sensitivities.emplace_back(code, std::move(*sensitivity));
    }
    if (const QString path = resultFileName(strMatrice, ResultFileKind::Uncertainty);
        fits(path, true, false))
        collection.uncertainty = unitTable(path, matrix, gate, tableBounds, collection.warnings);
    collection.audit = auditFromFiles(strMatrice, matrix, gate, tableBounds, collection.warnings);
    collection.ampi = ampiFromFiles(strMatrice, matrix, gate, tableBounds, collection.warnings);
    if (const QString path = resultFileName(strMatrice, ResultFileKind::MonteCarlo);
        fits(path, false, true))
        collection.monteCarlo = unitTable(path, matrix, gate, tableBounds, collection.warnings);
    if (collection.monteCarlo) {
        if (const auto origin =
                origins.find(fileName(resultFileName(strMatrice, ResultFileKind::MonteCarlo)));
            origin != origins.end())
            collection.monteCarloOrigin = origin->second;
        collection.sobol = factorTable(resultFileName(strMatrice, ResultFileKind::Sobol), gate,
                                       tableBounds, collection.warnings);
        collection.sobolUnits = unitTable(resultFileName(strMatrice, ResultFileKind::SobolUnits),
                                          matrix, gate, tableBounds, collection.warnings);
    }
    return collection;
}
