#pragma once

#include "record/outputrecorder.h"
#include "treatment/missing.h"

#include <QJsonObject>
#include <QString>

#include <optional>

// What the matrix in memory was made from, as the record tells it of every
// file computed on it: the workbook and the structure file as read (their
// hashes taken when they were read), where the structure came from, the
// treatment of missing cells and its threshold, and the outlier treatment.
struct MatrixBasis {
    QString workbook;
    RecordInput matrix;                       // the workbook as read
    std::optional<RecordInput> structureFile; // a structure read from a file of its own
    // Where the structure came from, the same in every language: "foglio
    // Struttura", a file's name (its full path when not beside the
    // workbook); empty without a structure.
    QString structure;
    MissingTreatment missing = MissingTreatment::Refuse;
    double minCoverage = 0.0;
    int outliersChanged = -1; // the values the outlier treatment changed; -1 untreated
};

// The basis of a matrix read from workbook as it is now, nothing else known.
MatrixBasis workbookBasis(const QString& workbook);

// The settings of the basis, as the record holds them.
QJsonObject basisSettings(const MatrixBasis& basis);

// Gives a recorder the inputs and settings of the basis (beside those it has).
void describeBasis(OutputRecorder& recorder, const MatrixBasis& basis);

// A record scope for files computed on the matrix of basis, with the
// settings that chose their numbers beside those of the basis.
class BasisScope : public RecordScope {
public:
    BasisScope(const MatrixBasis& basis, const Regional& regional,
               const QJsonObject& settings = {});
};

// The basis on one line, in Italian, for the processing window and the
// history: "matrice come letta; struttura dal foglio Struttura".
QString basisDescription(const MatrixBasis& basis);
