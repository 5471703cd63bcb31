#pragma once

#include "comparison/resultfilereader.h"
#include "framework/structure.h"
#include "methods/methodcomputation.h"
#include "robustness/analysisorigins.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"
#include "stats/matrix.h"
#include "treatment/missing.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Everything the program has computed for one workbook, gathered for the
// outputs that leave it: the results workbook and the report.

// A table read back from one of the ";"-separated files the program writes
// beside the workbook: a header row (the corner label first), then one row
// per unit, its label first. Cells that read as numbers under the regional
// settings are numbers; the others keep their text.
struct DelimitedTable {
    QStringList headers; // headers[0] is the corner label
    QStringList labels;  // one per unit, in the order of the file
    // Row-major, (headers.size() - 1) cells a row; NaN where a cell is no
    // number.
    std::vector<double> numbers;
    // The cells that are texts (not empty, not numbers), by their index in
    // numbers.
    std::vector<std::pair<std::size_t, QString>> texts;

    int rowCount() const { return int(labels.size()); }
    int columnCount() const { return int(headers.size()) - 1; }
    double number(int row, int column) const {
        return numbers[std::size_t(row) * std::size_t(columnCount()) + std::size_t(column)];
    }
};

// Reads such a file within its bounds (a table's, see boundsForMatrix).
// Fields in quotes are read as delimitedfields.h says; in a file written
// before quoting, a line with more fields than the header row has
// semicolons in its label: the extra leading fields belong to the label.
// Nothing when the file does not exist, is empty or has a line with fewer
// fields than the header; a failure (File, the message of readProblem) when
// it cannot be read or is refused by its bounds.
Expected<std::optional<DelimitedTable>>
readDelimitedTable(const QString& path, const Regional& regional, const ResultFileBounds& bounds);
// The same from a file already read (content, read from path).
Expected<std::optional<DelimitedTable>>
delimitedTableOf(const ResultFileContent& content, const QString& path, const Regional& regional);

// One method's results.
struct MethodResults {
    QString code;   // "MPI+"
    QString header; // the index header ("Wroclaw"); a composite's name
    // A composite's definition as its file's record entry holds it
    // ("minmax;mean;upward"); empty for the nine.
    QString definition;
    QStringList labels;
    std::vector<double> values; // one per unit, in the order of the matrix
    std::vector<int> ranks;
    // True when values hold the computed doubles (the method ran last in
    // this session), false when they are read back from the values file.
    bool fullPrecision = false;
    // The transformed matrix of the method when it ran last in this session
    // (laid out as Matrix::values), else null.
    const std::vector<double>* transformed = nullptr;
    // With a structure, every group's index from <workbook>.dim<CODE>.csv (a
    // column per group, in the order of Structure::groups); else nothing.
    std::optional<DelimitedTable> groups;
};

struct ComparisonResults {
    QStringList headers; // the compared methods' index headers, in their order
    QStringList labels;
    DelimitedTable values; // from <workbook>.val.csv
    DelimitedTable ranks;  // from <workbook>.rnk.csv
    // Spearman's coefficient of methods j and k at [j * N + k] (1 on the
    // diagonal), as doubles.
    std::vector<double> cograduation;
    // Kendall's tau laid out alike, when the rank summary exists; else empty.
    std::vector<double> kendall;
    int methodCount() const { return int(headers.size()); }
};

// The statistical audit of the matrix, read back from its files.
struct AuditTables {
    DelimitedTable indicators;   // <workbook>.audit.csv, a row per indicator
    DelimitedTable correlations; // <workbook>.correlazioni.csv, Pearson's lower triangle
    DelimitedTable coherence;    // <workbook>.coerenza.csv, a row per group
    // <workbook>.coerenza.<CODE>.csv of each method audited, a row per
    // element: the nine in list order, then the others by code.
    std::vector<std::pair<QString, DelimitedTable>> methodCoherence;
};

// One variant of the Adjusted MPI over the periods of a panel, read back
// from its files: a row per unit, a column per period.
struct AmpiTables {
    QString sign;                        // "+" or "-"
    DelimitedTable values;               // <workbook>.AMPI<sign>.csv
    std::optional<DelimitedTable> ranks; // <workbook>.AMPI<sign>.rnk.csv, when it fits
};

// A file whose numbers were taken, and the SHA-256 of its bytes as read
// (lower-case hexadecimal).
struct TakenFile {
    QString path;
    QByteArray sha256;
};

struct ResultsCollection {
    QString strMatrice;
    const Matrix* matrix = nullptr;       // the loaded source matrix
    const Regional* regional = nullptr;   // the settings of the number texts
    const Structure* structure = nullptr; // the indicators' structure; null when none
    std::vector<MethodResults> methods;   // in the order of the method list
    std::optional<ComparisonResults> comparison;
    std::optional<DelimitedTable> robustness; // <workbook>.rob.csv
    std::vector<std::pair<QString, DelimitedTable>>
        sensitivities;                              // code, <workbook>.sens<CODE>.csv
    std::optional<DelimitedTable> uncertainty;      // <workbook>.unc.csv
    std::optional<DelimitedTable> monteCarlo;       // <workbook>.mc.csv
    std::optional<AnalysisOrigin> monteCarloOrigin; // its factors and settings, when recorded
    std::optional<DelimitedTable> sobol;            // <workbook>.sobol.csv, a row per factor
    std::optional<DelimitedTable> sobolUnits;       // <workbook>.sobol.unita.csv
    std::optional<AuditTables> audit;               // when the matrix has been audited
    std::vector<AmpiTables> ampi;                   // AMPI+ then AMPI-, those that exist
    // The missing cells of the matrix as read and their treatment; null
    // when it had none and none was chosen.
    const GapsRecord* gaps = nullptr;
    // The files left out, each with the reason, in Italian.
    QStringList warnings;
    // The files whose numbers were taken (full paths), each with the hash of
    // its bytes as read, for the record of what is made from them.
    std::vector<TakenFile> files;
    // The files read whose origin cannot be checked, a line each.
    QStringList notices;

    // Whether no result file at all was found beside the workbook.
    bool isEmpty() const;
};

// The method that ran last in this session, with what it computed: its
// results are taken from there, in full precision, instead of from its
// files. The output must outlive the collection.
struct MethodInMemory {
    MethodPosition position;
    const MethodOutput* output;
};

// Gathers the results of the workbook strMatrice, whose matrix is given:
// every method of the list that has a values and a ranks result file, the
// comparison files, the robustness files, the audit files, each read within the bounds of
// the matrix (boundsForMatrix). A file that does not fit the matrix
// (another number of units, larger than its lines can make, no regular
// file) is left out, and so is a method whose two files the comparison
// would refuse (checkResultPair: ranks that are not 1..n, or not those of
// the values file); each is named in warnings with the reason. matrix and
// regional must outlive the collection. With a structure (which must
// outlive it too), each method's group file is read beside its result
// files, and left out, named in warnings, when it does not fit the matrix
// and the structure.
// Every file is checked against the record beside the workbook first: one
// that is not current, or was computed on a matrix with other settings
// than expected (the structure, the treatments), is left out naming why;
// one without an entry is read, with a line in notices. Each file's
// numbers are read under the regional settings of its entry.
ResultsCollection collectResults(const QString& strMatrice, const Matrix& matrix,
                                 const Regional& regional,
                                 const std::optional<MethodInMemory>& inMemory = std::nullopt,
                                 WorkProgress* progress = nullptr,
                                 const Structure* structure = nullptr,
                                 const std::optional<QJsonObject>& expected = std::nullopt);
