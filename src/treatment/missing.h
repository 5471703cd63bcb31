#pragma once

#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"
#include "stats/matrix.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What is done with the missing cells of a matrix.
enum class MissingTreatment {
    Refuse,    // a matrix with a missing cell is refused
    Available, // each unit's index over the indicators it has
    Mean,      // a missing cell takes its indicator's mean
    Median,    // ... its indicator's median
    Em,        // ... its conditional mean under a multivariate normal model (EM)
};

// The treatment of a command-line name ("refuse", "available", "mean",
// "median", "em"); nothing for another name.
std::optional<MissingTreatment> missingTreatmentNamed(const QString& name);
QString missingTreatmentName(MissingTreatment treatment);
// The word the files use for a filled cell ("media", "mediana", "em").
QString fillWord(MissingTreatment treatment);
// Every treatment, in the order a choice offers them.
inline constexpr MissingTreatment kMissingTreatments[] = {
    MissingTreatment::Refuse, MissingTreatment::Available, MissingTreatment::Mean,
    MissingTreatment::Median, MissingTreatment::Em};
// The Italian label of a treatment, for a choice and for the report
// ("Sui valori disponibili", "Media dell'indicatore"...).
QString missingTreatmentLabel(MissingTreatment treatment);
// Whether the treatment fills the missing cells (mean, median, EM).
bool fillsCells(MissingTreatment treatment);

// The share of indicators and units below which they are left out by
// default, once a treatment is chosen.
inline constexpr double kDefaultMinCoverage = 0.65;

struct CoverageCount {
    int available = 0;
    int missing = 0;
    int invalid = 0; // a text that is neither a number nor a mark of a missing value
    double share() const {
        const int total = available + missing + invalid;
        return total > 0 ? double(available) / double(total) : 0.0;
    }
};

// The cells available, missing (empty, or a mark of a missing value such
// as "n.d.") and invalid (any other text, which no treatment takes) per
// indicator and per unit of a matrix as read.
struct Coverage {
    std::vector<CoverageCount> indicators;
    std::vector<CoverageCount> units;
    qint64 missingCells() const;
    qint64 invalidCells() const;
    qint64 cells() const;
};
Coverage coverageOf(const Matrix& matrix);
// What the coverage rule compares with its threshold: each indicator over
// every unit (as coverageOf), each unit over the indicators the rule keeps
// (every indicator when it keeps none).
Coverage ruleCoverage(const Matrix& matrix, double minCoverage);

// The question a window asks of a matrix with gaps: "La matrice ha 37
// valori mancanti (2,1%): come trattarli?" (the share with one decimal
// under the regional settings).
QString gapsQuestion(const Coverage& coverage, const Regional& regional);
// The count and share alone: "37 valori mancanti (2,1%)".
QString gapsCount(const Coverage& coverage, const Regional& regional);

// What the coverage rule leaves out: first every indicator whose coverage
// over all units is below minCoverage, then every unit whose coverage over
// the remaining indicators is below it (indices as read, in order). With a
// threshold above 0 an indicator or unit without any value is left out so.
struct LeftOut {
    std::vector<int> indicators;
    std::vector<int> units;
    // Left out after the rule: the units kept by it that get no overall
    // index over the structure (unitsWithoutOverallIndex), as read, in order.
    std::vector<int> unitsWithoutIndex;
};
LeftOut coverageRule(const Matrix& matrix, double minCoverage);

// One cell the treatment filled: its unit and indicator as read.
struct FilledCell {
    int unit = 0;
    int indicator = 0;
    double value = 0.0;
};

// A matrix with its missing cells treated.
struct TreatedMatrix {
    Matrix matrix;               // the units and indicators kept
    std::vector<int> units;      // each kept unit's index as read
    std::vector<int> indicators; // each kept indicator's index as read
    LeftOut leftOut;
    std::vector<FilledCell> filled; // unit by unit, then indicator by indicator
};

// The missing cells of a matrix as read and what their treatment made of
// them: what a coverage file, a record of filled cells or a report states.
struct GapsRecord {
    MissingTreatment treatment = MissingTreatment::Refuse;
    double minCoverage = 0.0;
    CellValue corner;                   // as read
    std::vector<CellValue> units;       // as read, every one
    std::vector<CellValue> indicators;  // as read, every one
    std::vector<unsigned char> missing; // as Matrix::missing of the matrix as read
    Coverage coverage;                  // of the matrix as read (ruleCoverage)
    LeftOut leftOut;                    // by the coverage rule (and the structure)
    std::vector<int> keptIndicators;    // as read, those the treated matrix holds
    std::vector<int> keptUnits;         // as read, those the treated matrix holds
    // The groups of the structure left with no indicator once the
    // indicators left out are gone, and so left out too (their names).
    QStringList emptiedGroups;
    std::vector<FilledCell> filled; // unit by unit, then indicator by indicator
    bool isMissing(int unit, int indicator) const {
        return !missing.empty() &&
               missing[std::size_t(indicator) * units.size() + std::size_t(unit)] != 0;
    }
};

// The cells of matrix (the matrix loaded: the units and indicators the
// coverage rule kept) that a treatment filled, laid out as Matrix::missing:
// 1 for a filled cell; empty when none was filled.
std::vector<unsigned char> filledMask(const GapsRecord& gaps, const Matrix& matrix);

// Treats the missing cells of a matrix read with MissingCells::Marked:
// refuses a value no treatment takes, (with minCoverage 0 only) an
// indicator or unit without any value, and (with Refuse) any missing cell,
// with the loader's messages; applies the coverage rule, and leaves out the
// units of withoutIndex too (as read: those with no overall index over a
// structure, in order; recorded in LeftOut::unitsWithoutIndex unless the
// rule left them out); then fills the cells left (Mean, Median, Em) or
// keeps them marked (Available; no mask is kept when none is missing).
// An indicator constant over its available values is refused as the
// loader refuses it. Without missing cells the matrix comes back as read,
// whatever the treatment (the constant indicators refused as the loader
// refuses them). With Refuse, any missing cell refuses the matrix as the
// loader would have: the first missing or invalid cell in column order.
// Cancelling progress stops the filling (EM) with a Cancelled failure.
Expected<TreatedMatrix> treatMissing(Matrix matrix, MissingTreatment treatment, double minCoverage,
                                     const Regional& regional,
                                     const WorkProgress* progress = nullptr,
                                     const std::vector<int>& withoutIndex = {});

// What is said of a group left out with the indicators left out:
// "Struttura: il gruppo G1 resta senza indicatori ed è escluso."
QString emptiedGroupText(const QString& group);

// What a report states of the gaps: their count and share in the matrix as
// read, the treatment and the coverage threshold, what the coverage rule
// left out and how many cells were filled; one paragraph, in Italian.
QString gapsStatement(const GapsRecord& gaps, const Regional& regional);
