#pragma once

#include "audit/coherence.h"
#include "framework/structure.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "stats/distribution.h"
#include "stats/matrix.h"

#include <QString>
#include <QStringList>

#include <vector>

// How well one group of indicators holds together.
struct GroupAudit {
    QString name;
    std::vector<int> indicators; // the matrix's columns beneath the group, in sheet order
    Coherence coherence;
};

// Two indicators of one group and their Pearson correlation.
struct IndicatorPair {
    int first = 0; // from 0, first < second
    int second = 0;
    double correlation = 0.0;
};

// The statistical audit of a matrix as read: weights do not enter.
struct MatrixAudit {
    std::vector<Distribution> distributions; // per indicator
    std::vector<double> pearson;             // m x m, oriented by polarity
    std::vector<double> spearman;            // m x m, oriented by polarity
    // Every group of the structure (Structure::groups order), then the
    // whole matrix.
    std::vector<GroupAudit> groups;
    // The pairs of indicators with the same parent in the structure (any
    // two without one) whose Pearson correlation, oriented by polarity, is
    // above 0.9 (redundant: they say the same thing) or below -0.3 (in
    // opposition: they pull against each other). A pair below -0.9 is in
    // opposition, never redundant.
    std::vector<IndicatorPair> redundant;
    std::vector<IndicatorPair> opposing;
};

// The name of the line of the whole matrix in the coherence files.
QString allIndicatorsName();

// The audit of the matrix; structure may be null.
MatrixAudit auditMatrix(const Matrix& matrix, const Structure* structure);

// The lines of the audit files as writeAuditFiles writes them, for the
// windows that show them.
struct AuditLines {
    QStringList distributions; // .audit.csv
    QStringList pearson;       // .correlazioni.csv
    QStringList spearman;      // .correlazioni.spearman.csv
    QStringList coherence;     // .coerenza.csv
    QStringList components;    // .pca.csv
};
AuditLines auditLines(const Matrix& matrix, const MatrixAudit& audit, const Regional& regional);

// The files of an audit beside the workbook, written together: the
// distributions (.audit.csv), the two correlation matrices, the coherence
// of every group (.coerenza.csv) and the first-component loadings
// (.pca.csv). Returns the paths written, in that order.
Expected<QStringList> writeAuditFiles(const QString& workbook, const Matrix& matrix,
                                      const MatrixAudit& audit, const Regional& regional);
