#pragma once

#include "framework/structure.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "stats/matrix.h"
#include "workflow/matrixbasis.h"
#include "workflow/methodvalues.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What the weights of a group's elements are made to do.
enum class WeightTarget {
    Balance, // their correlations with the group's value as equal as possible
    Pca,     // proportional to their squared loadings on the first principal component
};

// "balance" or "pca"; nothing for another text.
std::optional<WeightTarget> parseWeightTarget(const QString& text);
QString weightTargetCode(WeightTarget target);

// The structure with weights fitted to the target under the method.
struct WeightsFit {
    Structure structure;              // the weights fitted, the largest of each group's 1
    std::vector<double> sharesBefore; // per element: its share within its parent
    std::vector<double> sharesAfter;
    // Per element, for a group with two or more elements of weight above 0
    // under the balance target: the spread of its elements' correlations
    // with its value (correlationSpread) before and after; NaN otherwise.
    std::vector<double> spreadBefore;
    std::vector<double> spreadAfter;
};

// Fits every group's weights bottom-up, each group's elements' values (a
// group inside it under the weights just fitted) computed by the method
// (elementValues): balance with balanceWeights, pca with
// firstComponentWeights. An element of weight 0 stays left out; a group
// with one element keeps it. Refused (Refused) for a group whose
// correlations are undefined, naming it; the method's own refusal as it
// words it.
Expected<WeightsFit> fitWeights(const AnalysedMethod& method, const Matrix& matrix,
                                const Structure& structure, WeightTarget target,
                                const Regional& regional);

// The structure as a structure file, read back by --structure: Elemento,
// Padre and Peso, then each of Minimo, Massimo, Obiettivo, Trasformazione
// and Aggregazione that some element has; a row per element in the
// structure's order (an overall index without a row of its own has none,
// its elements no Padre), the weights to six decimals under the regional
// settings.
QStringList structureFileLines(const Structure& structure, const Regional& regional);

// The lines of the batch tool about a fit: per element but the overall
// index, its name and its share before and after ("  Salute: 0,3333 ->
// 0,4120"), indented by depth; per balanced group, its spread.
QStringList weightsFitLines(const WeightsFit& fit, const Regional& regional);

// Writes the fitted structure (structureFileLines) to
// <workbook>.pesi.<CODE>.csv, its record entry holding the matrix's basis,
// the method (with a composite's definition) and the target: the path, or
// the failure to write.
Expected<QString> writeWeightsFile(const QString& workbook, const MatrixBasis& basis,
                                   const AnalysedMethod& method, WeightTarget target,
                                   const WeightsFit& fit, const Regional& regional);
