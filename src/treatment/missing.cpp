#include "treatment/missing.h"

#include "stats/matrixrefusals.h"
#include "treatment/em.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

Failure refused(const QString& message) {
    return failure(FailureKind::Refused, message);
}

QString noValueOfIndicator(const QString& indicator) {
    return QCoreApplication::translate("Treatment",
                                       "L'indicatore definito nella matrice come %1 non ha alcun "
                                       "valore. Verificare la validità della matrice selezionata!")
        .arg(indicator);
}

QString noValueOfUnit(const QString& unit) {
    return QCoreApplication::translate(
               "Treatment",
               "L'unità %1 non ha alcun valore. Verificare la validità della matrice selezionata!")
        .arg(unit);
}

// The median of values (not empty), which it sorts.
double medianOf(std::vector<double>& values) {
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2.0;
}

// The kept units and indicators of matrix, with their missing cells.
Matrix subMatrix(const Matrix& matrix, const std::vector<int>& units,
                 const std::vector<int>& indicators) {
    Matrix result = Matrix::ofSize(int(units.size()), int(indicators.size()));
    result.corner = matrix.corner;
    for (std::size_t k = 0; k < units.size(); ++k)
        result.units[k] = matrix.units[std::size_t(units[k])];
    result.missing.assign(result.values.size(), 0);
    for (std::size_t c = 0; c < indicators.size(); ++c) {
        const int j = indicators[c];
        result.indicators[c] = matrix.indicators[std::size_t(j)];
        result.negative[c] = matrix.negative[std::size_t(j)];
        result.weights[c] = matrix.weights[std::size_t(j)];
        for (std::size_t k = 0; k < units.size(); ++k) {
            result.value(int(k), int(c)) = matrix.value(units[k], j);
            result.missing[c * units.size() + k] = matrix.isMissing(units[k], j) ? 1 : 0;
        }
    }
    if (std::none_of(result.missing.begin(), result.missing.end(),
                     [](unsigned char flag) { return flag != 0; }))
        result.missing.clear();
    return result;
}

// An indicator of the kept matrix without any value, or constant over its
// available values: the loader's refusal.
std::optional<Failure> unusableIndicator(const Matrix& matrix, const Regional& regional) {
    for (int j = 0; j < matrix.indicatorCount(); ++j) {
        bool found = false;
        double least = 0.0;
        double most = 0.0;
        for (int i = 0; i < matrix.unitCount(); ++i) {
            if (matrix.isMissing(i, j))
                continue;
            const double x = matrix.value(i, j);
            least = found ? std::min(least, x) : x;
            most = found ? std::max(most, x) : x;
            found = true;
        }
        const QString name = regional.generalText(matrix.indicators[std::size_t(j)]);
        if (!found)
            return refused(noValueOfIndicator(name));
        if (least == most)
            return refused(constantIndicatorMessage(name));
    }
    return std::nullopt;
}

} // namespace

std::optional<MissingTreatment> missingTreatmentNamed(const QString& name) {
    for (const MissingTreatment treatment :
         {MissingTreatment::Refuse, MissingTreatment::Available, MissingTreatment::Mean,
          MissingTreatment::Median, MissingTreatment::Em})
        if (missingTreatmentName(treatment) == name)
            return treatment;
    return std::nullopt;
}

QString missingTreatmentName(MissingTreatment treatment) {
    switch (treatment) {
    case MissingTreatment::Refuse:
        return QStringLiteral("refuse");
    case MissingTreatment::Available:
        return QStringLiteral("available");
    case MissingTreatment::Mean:
        return QStringLiteral("mean");
    case MissingTreatment::Median:
        return QStringLiteral("median");
    case MissingTreatment::Em:
        return QStringLiteral("em");
    }
    return QString();
}

QString fillWord(MissingTreatment treatment) {
    switch (treatment) {
    case MissingTreatment::Mean:
        return QStringLiteral("media");
    case MissingTreatment::Median:
        return QStringLiteral("mediana");
    case MissingTreatment::Em:
        return QStringLiteral("em");
    default:
        return QString();
    }
}

QString missingTreatmentLabel(MissingTreatment treatment) {
    switch (treatment) {
    case MissingTreatment::Refuse:
        return QCoreApplication::translate("Treatment", "Rifiuta la matrice");
    case MissingTreatment::Available:
        return QCoreApplication::translate("Treatment", "Sui valori disponibili");
    case MissingTreatment::Mean:
        return QCoreApplication::translate("Treatment", "Media dell'indicatore");
    case MissingTreatment::Median:
        return QCoreApplication::translate("Treatment", "Mediana dell'indicatore");
    case MissingTreatment::Em:
        return QCoreApplication::translate("Treatment", "Massima verosimiglianza (EM)");
    }
    return QString();
}

bool fillsCells(MissingTreatment treatment) {
    return treatment == MissingTreatment::Mean || treatment == MissingTreatment::Median ||
           treatment == MissingTreatment::Em;
}

QString gapsCount(const Coverage& coverage, const Regional& regional) {
    const qint64 cells = coverage.cells();
    const double percent =
        cells > 0 ? 100.0 * double(coverage.missingCells()) / double(cells) : 0.0;
    QString count = QCoreApplication::translate("Treatment", "%1 valori mancanti (%2%)")
                        .arg(coverage.missingCells())
                        .arg(regional.locale().toString(percent, 'f', 1));
    if (const qint64 invalid = coverage.invalidCells(); invalid > 0)
        count += QCoreApplication::translate(
                     "Treatment", " e %1 celle con un testo che non è un numero né un valore "
                                  "mancante")
                     .arg(invalid);
    return count;
}

std::vector<unsigned char> filledMask(const GapsRecord& gaps, const Matrix& matrix) {
    if (gaps.filled.empty())
        return {};
    std::vector<int> unitAt(gaps.units.size(), -1);
    std::vector<int> indicatorAt(gaps.indicators.size(), -1);
    for (std::size_t k = 0; k < gaps.keptUnits.size(); ++k)
        unitAt[std::size_t(gaps.keptUnits[k])] = int(k);
    for (std::size_t c = 0; c < gaps.keptIndicators.size(); ++c)
        indicatorAt[std::size_t(gaps.keptIndicators[c])] = int(c);
    std::vector<unsigned char> result(matrix.values.size(), 0);
    for (const FilledCell& cell : gaps.filled) {
        const int i = unitAt[std::size_t(cell.unit)];
        const int j = indicatorAt[std::size_t(cell.indicator)];
        if (i >= 0 && j >= 0 && i < matrix.unitCount() && j < matrix.indicatorCount())
            result[std::size_t(j) * matrix.units.size() + std::size_t(i)] = 1;
    }
    return result;
}

QString emptiedGroupText(const QString& group) {
    return QCoreApplication::translate(
               "Treatment", "Struttura: il gruppo %1 resta senza indicatori ed è escluso.")
        .arg(group);
}

QString gapsQuestion(const Coverage& coverage, const Regional& regional) {
    return QCoreApplication::translate("Treatment", "La matrice ha %1: come trattarli?")
        .arg(gapsCount(coverage, regional));
}

qint64 Coverage::missingCells() const {
    qint64 sum = 0;
    for (const CoverageCount& count : indicators)
        sum += count.missing;
    return sum;
}

qint64 Coverage::invalidCells() const {
    qint64 sum = 0;
    for (const CoverageCount& count : indicators)
        sum += count.invalid;
    return sum;
}

qint64 Coverage::cells() const {
    qint64 sum = 0;
    for (const CoverageCount& count : indicators)
        sum += count.missing + count.available + count.invalid;
    return sum;
}

Coverage coverageOf(const Matrix& matrix) {
    Coverage coverage;
    coverage.indicators.resize(std::size_t(matrix.indicatorCount()));
    coverage.units.resize(std::size_t(matrix.unitCount()));
    for (int j = 0; j < matrix.indicatorCount(); ++j)
        for (int i = 0; i < matrix.unitCount(); ++i) {
            const unsigned char mark =
                matrix.missing.empty()
                    ? 0
                    : matrix.missing[std::size_t(j) * matrix.units.size() + std::size_t(i)];
            const auto count = [mark](CoverageCount& one) -> int& {
                return mark == 0               ? one.available
                       : mark == kInvalidValue ? one.invalid
                                               : one.missing;
            };
            ++count(coverage.indicators[std::size_t(j)]);
            ++count(coverage.units[std::size_t(i)]);
        }
    return coverage;
}

Coverage ruleCoverage(const Matrix& matrix, double minCoverage) {
    Coverage coverage = coverageOf(matrix);
    std::vector<int> kept;
    for (int j = 0; j < matrix.indicatorCount(); ++j)
        if (coverage.indicators[std::size_t(j)].share() >= minCoverage)
            kept.push_back(j);
    if (kept.empty())
        return coverage;
    for (int i = 0; i < matrix.unitCount(); ++i) {
        CoverageCount& count = coverage.units[std::size_t(i)];
        count = {};
        for (const int j : kept)
            (matrix.isMissing(i, j) ? count.missing : count.available)++;
    }
    return coverage;
}

LeftOut coverageRule(const Matrix& matrix, double minCoverage) {
    LeftOut leftOut;
    const Coverage coverage = ruleCoverage(matrix, minCoverage);
    for (int j = 0; j < matrix.indicatorCount(); ++j)
        if (coverage.indicators[std::size_t(j)].share() < minCoverage)
            leftOut.indicators.push_back(j);
    // With every indicator left out nothing is kept: no unit either.
    const bool none = int(leftOut.indicators.size()) == matrix.indicatorCount();
    for (int i = 0; i < matrix.unitCount(); ++i)
        if (none || coverage.units[std::size_t(i)].share() < minCoverage)
            leftOut.units.push_back(i);
    return leftOut;
}

namespace {

// The matrix as read, every unit and indicator kept: only the loader's
// check of constant indicators is left.
Expected<TreatedMatrix> asRead(Matrix matrix, const Regional& regional) {
    matrix.missing.clear();
    if (std::optional<Failure> unusable = unusableIndicator(matrix, regional))
        return std::move(*unusable);
    TreatedMatrix result;
    for (int i = 0; i < matrix.unitCount(); ++i)
        result.units.push_back(i);
    for (int j = 0; j < matrix.indicatorCount(); ++j)
        result.indicators.push_back(j);
    result.matrix = std::move(matrix);
    return result;
}

// Why a matrix with gaps cannot be treated before any rule applies: the
// treatment refuses gaps, a cell is invalid, or (without a coverage rule) an
// indicator or a unit has no value at all.
std::optional<Failure> gapsRefusal(const Matrix& matrix, MissingTreatment treatment,
                                   double minCoverage, const Regional& regional) {
    // The loader's refusal: the first missing or invalid cell in column order.
    if (treatment == MissingTreatment::Refuse)
        return missingCellsRefusal(matrix, regional);
    if (std::optional<Failure> invalid = invalidValueRefusal(matrix, regional))
        return invalid;
    // Nothing without a single value when no rule leaves it out; with a
    // threshold above 0 the rule leaves it out.
    if (minCoverage <= 0.0) {
        const Coverage coverage = coverageOf(matrix);
        for (int j = 0; j < matrix.indicatorCount(); ++j)
            if (coverage.indicators[std::size_t(j)].available == 0)
                return refused(
                    noValueOfIndicator(regional.generalText(matrix.indicators[std::size_t(j)])));
        for (int i = 0; i < matrix.unitCount(); ++i)
            if (coverage.units[std::size_t(i)].available == 0)
                return refused(noValueOfUnit(regional.generalText(matrix.units[std::size_t(i)])));
    }
    return std::nullopt;
}

// The units and indicators the coverage rule keeps into result, the units
// without an index left out too; refused when nothing is left.
std::optional<Failure> keepCovered(const Matrix& matrix, double minCoverage,
                                   const std::vector<int>& withoutIndex, const Regional& regional,
                                   TreatedMatrix& result) {
    result.leftOut = coverageRule(matrix, minCoverage);
    for (const int i : withoutIndex)
        if (!std::binary_search(result.leftOut.units.begin(), result.leftOut.units.end(), i))
            result.leftOut.unitsWithoutIndex.push_back(i);
    for (int i = 0; i < matrix.unitCount(); ++i)
        if (!std::binary_search(result.leftOut.units.begin(), result.leftOut.units.end(), i) &&
            !std::binary_search(result.leftOut.unitsWithoutIndex.begin(),
                                result.leftOut.unitsWithoutIndex.end(), i))
            result.units.push_back(i);
    for (int j = 0; j < matrix.indicatorCount(); ++j)
        if (!std::binary_search(result.leftOut.indicators.begin(), result.leftOut.indicators.end(),
                                j))
            result.indicators.push_back(j);
    if (result.units.empty() && !result.indicators.empty() &&
        !result.leftOut.unitsWithoutIndex.empty())
        return refused(QCoreApplication::translate(
            "Treatment", "Nessuna unità ha un indice complessivo: a ciascuna mancano tutti gli "
                         "elementi di un gruppo della struttura fino all'indice complessivo."));
    if (result.indicators.empty() || result.units.empty())
        return refused(QCoreApplication::translate(
                           "Treatment", "Con una copertura minima di %1 non resta alcun %2 da "
                                        "elaborare: abbassare la soglia.")
                           .arg(regional.locale().toString(minCoverage, 'f', 2),
                                result.indicators.empty()
                                    ? QCoreApplication::translate("Treatment", "indicatore")
                                    : QCoreApplication::translate("Treatment", "unità")));
    return std::nullopt;
}

// A unit of the kept matrix without any value, or an indicator without
// any or constant: the loader's refusals.
std::optional<Failure> keptRefusal(const Matrix& kept, const Regional& regional) {
    for (int i = 0; i < kept.unitCount(); ++i) {
        bool any = false;
        for (int j = 0; j < kept.indicatorCount() && !any; ++j)
            any = !kept.isMissing(i, j);
        if (!any)
            return refused(noValueOfUnit(regional.generalText(kept.units[std::size_t(i)])));
    }
    return unusableIndicator(kept, regional);
}

// The values of kept with its missing cells filled by the treatment, in
// the matrix's column-major order; the filled cells alone are read.
Expected<std::vector<double>> filledValues(const Matrix& kept, MissingTreatment treatment,
                                           const WorkProgress* progress) {
    if (treatment == MissingTreatment::Em) {
        EmResult em = expectationMaximisation(kept, progress);
        if (em.cancelled)
            return failure(FailureKind::Cancelled,
                           QCoreApplication::translate(
                               "Treatment", "Trattamento dei valori mancanti annullato."));
        return std::move(em.filled);
    }
    const auto n = std::size_t(kept.unitCount());
    std::vector<double> fill = kept.values;
    std::vector<double> available;
    for (int j = 0; j < kept.indicatorCount(); ++j) {
        available.clear();
        double sum = 0.0;
        for (int i = 0; i < kept.unitCount(); ++i)
            if (!kept.isMissing(i, j)) {
                available.push_back(kept.value(i, j));
                sum += kept.value(i, j);
            }
        const double value = treatment == MissingTreatment::Mean ? sum / double(available.size())
                                                                 : medianOf(available);
        for (std::size_t i = 0; i < n; ++i)
            if (kept.isMissing(int(i), j))
                fill[std::size_t(j) * n + i] = value;
    }
    return fill;
}

// Writes the filled values into the missing cells of result's matrix and
// records each cell filled by its place in the matrix as read.
void fillCells(TreatedMatrix& result, const std::vector<double>& fill) {
    Matrix& kept = result.matrix;
    const auto n = std::size_t(kept.unitCount());
    for (int i = 0; i < kept.unitCount(); ++i)
        for (int j = 0; j < kept.indicatorCount(); ++j)
            if (kept.isMissing(i, j)) {
                const double value = fill[std::size_t(j) * n + std::size_t(i)];
                kept.value(i, j) = value;
                result.filled.push_back(
                    {result.units[std::size_t(i)], result.indicators[std::size_t(j)], value});
            }
    kept.missing.clear();
}

} // namespace

Expected<TreatedMatrix> treatMissing(Matrix matrix, MissingTreatment treatment, double minCoverage,
                                     const Regional& regional, const WorkProgress* progress,
                                     const std::vector<int>& withoutIndex) {
    const bool anyMissing = std::any_of(matrix.missing.begin(), matrix.missing.end(),
                                        [](unsigned char flag) { return flag != 0; });
    if (!anyMissing)
        return asRead(std::move(matrix), regional);
    if (std::optional<Failure> refusal = gapsRefusal(matrix, treatment, minCoverage, regional))
        return std::move(*refusal);
    TreatedMatrix result;
    if (std::optional<Failure> refusal =
            keepCovered(matrix, minCoverage, withoutIndex, regional, result))
        return std::move(*refusal);
    result.matrix = subMatrix(matrix, result.units, result.indicators);
    if (std::optional<Failure> refusal = keptRefusal(result.matrix, regional))
        return std::move(*refusal);
    if (result.matrix.missing.empty() || treatment == MissingTreatment::Available)
        return result;
    Expected<std::vector<double>> fill = filledValues(result.matrix, treatment, progress);
    if (!fill)
        return fill.error();
    fillCells(result, *fill);
    return result;
}

QString gapsStatement(const GapsRecord& gaps, const Regional& regional) {
    const auto names = [&regional](const std::vector<CellValue>& cells,
                                   const std::vector<int>& which) {
        QStringList list;
        for (const int k : which)
            list.push_back(regional.generalText(cells[std::size_t(k)]));
        return list.join(QStringLiteral(", "));
    };
    QString text =
        QCoreApplication::translate("Treatment", "La matrice letta ha %1 su %2 celle. Trattamento "
                                                 "dei valori mancanti: %3.")
            .arg(gapsCount(gaps.coverage, regional))
            .arg(gaps.coverage.cells())
            .arg(missingTreatmentLabel(gaps.treatment).toLower());
    if (gaps.treatment == MissingTreatment::Refuse)
        return text;
    text +=
        u' ' + QCoreApplication::translate("Treatment", "Copertura minima richiesta a indicatori e "
                                                        "unità: %1%.")
                   .arg(regional.locale().toString(100.0 * gaps.minCoverage, 'g', 4));
    if (!gaps.leftOut.indicators.empty())
        text += u' ' + QCoreApplication::translate("Treatment", "Indicatori esclusi: %1.")
                           .arg(names(gaps.indicators, gaps.leftOut.indicators));
    if (!gaps.leftOut.units.empty())
        text += u' ' + QCoreApplication::translate("Treatment", "Unità escluse: %1.")
                           .arg(names(gaps.units, gaps.leftOut.units));
    for (const QString& group : gaps.emptiedGroups)
        text += u' ' + emptiedGroupText(group);
    if (!gaps.leftOut.unitsWithoutIndex.empty())
        text += u' ' + QCoreApplication::translate("Treatment",
                                                   "Unità escluse senza indice complessivo: %1.")
                           .arg(names(gaps.units, gaps.leftOut.unitsWithoutIndex));
    if (gaps.leftOut.indicators.empty() && gaps.leftOut.units.empty() &&
        gaps.leftOut.unitsWithoutIndex.empty())
        text += u' ' + QCoreApplication::translate("Treatment", "Nessun indicatore e nessuna "
                                                                "unità esclusi.");
    if (fillsCells(gaps.treatment))
        text +=
            u' ' +
            QCoreApplication::translate("Treatment", "Celle riempite: %1.").arg(gaps.filled.size());
    return text;
}
