#pragma once

#include "comparison/texttable.h"
#include "framework/structure.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"
#include "stats/matrix.h"

#include <QString>
#include <QStringList>

#include <vector>

// How the values of one indicator spread over equal bins from its minimum
// to its maximum.
struct Histogram {
    double minimum = 0.0;
    double maximum = 0.0;
    std::vector<int> counts; // empty without available values

    // The lower edge of bin b (the maximum for b = the count of bins),
    // finite for any finite minimum and maximum.
    double edge(int b) const;
};

// A group of the structure, for its outline on the correlation heatmap.
struct GroupOutline {
    QString name;
    std::vector<int> indicators; // from 0, in sheet order
};

// What the statistical audit window shows of a matrix, prepared off the
// window's thread: the tables as the audit files hold them, the two
// correlation matrices, the eigenvalues of every group for its scree chart
// and a histogram per indicator.
struct AuditFigures {
    TextTable indicators;             // the lines of .audit.csv
    TextTable coherence;              // the lines of .coerenza.csv
    std::vector<char> flagged;        // per indicator
    QStringList names;                // the indicator names
    std::vector<double> pearson;      // m x m, row after row
    std::vector<double> spearman;     // m x m
    std::vector<GroupOutline> groups; // the groups of the structure (none without one)
    // Per line of the coherence table, the eigenvalues of the group's
    // correlations from the largest down; empty when some is undefined.
    std::vector<std::vector<double>> eigenvalues;
    std::vector<Histogram> histograms; // per indicator
    QStringList files;                 // the audit files written
    Status written;                    // or why they are not
};

// The audit of the matrix over its structure (null for none), its files
// written beside workbook.
// With progress cancelled before the files are written, written holds
// Cancelled and nothing is written.
AuditFigures auditFigures(const Matrix& matrix, const Structure* structure, const QString& workbook,
                          const Regional& regional, const WorkProgress* progress = nullptr);

// The table of ";"-separated lines, a row a line (quoted fields read back).
TextTable linesTable(const QStringList& lines);

// The cells the outlier treatment changed, unit by unit: a header row
// (the corner label, "Indicatore", "Originale", "Trattato"), then a row per
// changed cell. The two matrices have the same shape.
TextTable changesTable(const Matrix& before, const Matrix& after, const Regional& regional);
