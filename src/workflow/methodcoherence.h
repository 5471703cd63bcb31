#pragma once

#include "framework/structure.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "stats/matrix.h"
#include "workflow/matrixbasis.h"
#include "workflow/methodvalues.h"

#include <QString>
#include <QStringList>

#include <vector>

// How one element of a structure holds with its group under a method.
struct ElementCoherence {
    int element = 0;
    double pearsonParent = 0.0;  // with its parent's value
    double spearmanParent = 0.0; // the same on ranks
    double pearsonIndex = 0.0;   // with the overall index
    double nominalShare = 0.0;   // its weight's share among its siblings' (Structure::share)
    // Its squared Pearson correlation with the parent over the sum of its
    // siblings' (itself included; those of weight 0 left out): the share
    // of the parent it actually drives. NaN for an element of weight 0 or
    // when some sibling's correlation is undefined.
    double importanceShare = 0.0;
    bool weak = false; // pearsonParent below kWeakCorrelation
};

// A correlation with the parent below which an element is weak: its group
// hardly follows it.
inline constexpr double kWeakCorrelation = 0.3;

// Every element but the overall index, depth first, from the values the
// method computed for each element (elementValues).
std::vector<ElementCoherence> coherenceOfElements(const Structure& structure,
                                                  const std::vector<std::vector<double>>& values);

// The lines of <workbook>.coerenza.<CODE>.csv: the header
// "Elemento;Padre;Pearson padre;Spearman padre;Pearson indice;Quota
// nominale;Quota effettiva;Debole", then a line per element, four decimals
// under the regional settings (empty where undefined), "si" for a weak
// element.
QStringList coherenceOfElementsLines(const Structure& structure,
                                     const std::vector<ElementCoherence>& elements,
                                     const Regional& regional);

// The lines of the method's coherence on the matrix, over its structure or
// none (structureOrFlat): the method's refusal as it words it.
Expected<QStringList> methodCoherenceLines(const AnalysedMethod& method, const Matrix& matrix,
                                           const Structure* structure, const Regional& regional);

// Writes those lines to <workbook>.coerenza.<CODE>.csv, its record entry
// holding the matrix's basis and the method (with a composite's
// definition): the path, or the failure to write.
Expected<QString> writeMethodCoherence(const QString& workbook, const MatrixBasis& basis,
                                       const AnalysedMethod& method, const QStringList& lines,
                                       const Regional& regional);
