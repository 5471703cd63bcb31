#pragma once

#include <QString>

#include <optional>

// The names of the files the program writes beside a workbook. Every name
// is the workbook's complete name (strMatrice, extension included) followed
// by a suffix; the suffix rule of each kind lives here and nowhere else.

enum class ResultFileKind {
    MethodValues,     // ".out" CODE ".csv": the values result file of a method
    MethodRanks,      // ".out" CODE ".rnk": the ranks result file of a method
    ComparisonValues, // ".val.csv"
    ComparisonRanks,  // ".rnk.csv"
    RankSummary,      // ".rob.csv"
    Sensitivity,      // ".sens" CODE ".csv": the indicator sensitivity of a method
    Uncertainty,      // ".unc.csv"
    AmpiValues,       // ".AMPI" SIGN ".csv", SIGN "+" or "-"
    AmpiRanks,        // ".AMPI" SIGN ".rnk.csv"
    AmpiGoalposts,    // ".goalposts.csv"
    Structure,        // ".struttura.csv": the structure of the indicators, when not in the workbook
    Composites,       // ".metodi.csv": the composites defined, when not in the workbook
    GroupValues,      // ".dim" CODE ".csv": every group's index under a method
    GroupRanks,       // ".dim" CODE ".rnk.csv"
    AmpiGroupValues,  // ".AMPI" SIGN ".dim.csv"
    AmpiGroupRanks,   // ".AMPI" SIGN ".dim.rnk.csv"
    Audit,            // ".audit.csv": the distribution of every indicator
    Correlations,     // ".correlazioni.csv": Pearson's correlations of the indicators
    SpearmanCorrelations, // ".correlazioni.spearman.csv"
    Coherence,            // ".coerenza.csv": Cronbach's alpha and eigenvalues per group
    Components,           // ".pca.csv": the loadings on the first principal component
    Treatments,           // ".trattamenti.csv": the outlier treatment of each flagged indicator
    TreatedCells,         // ".trattati.csv": every cell the outlier treatment changed
    MonteCarlo,           // ".mc.csv": each unit's rank over the Monte Carlo runs
    Sobol,                // ".sobol.csv": each factor's variance-based indices
    SobolUnits,           // ".sobol.unita.csv": each factor's total index on each unit's rank
    Coverage,             // ".copertura.csv": the available cells per indicator, unit and group
    ImputedCells,         // ".imputati.csv": every missing cell a treatment filled
    MethodCoherence,      // ".coerenza." CODE ".csv": each element against its group under a method
    Weights,              // ".pesi." CODE ".csv": a structure with weights fitted under a method
    Record                // ".registro.json": what each file beside the workbook was computed from
};

// Every kind, in declaration order.
inline constexpr ResultFileKind kResultFileKinds[] = {ResultFileKind::MethodValues,
                                                      ResultFileKind::MethodRanks,
                                                      ResultFileKind::ComparisonValues,
                                                      ResultFileKind::ComparisonRanks,
                                                      ResultFileKind::RankSummary,
                                                      ResultFileKind::Sensitivity,
                                                      ResultFileKind::Uncertainty,
                                                      ResultFileKind::AmpiValues,
                                                      ResultFileKind::AmpiRanks,
                                                      ResultFileKind::AmpiGoalposts,
                                                      ResultFileKind::Structure,
                                                      ResultFileKind::Composites,
                                                      ResultFileKind::GroupValues,
                                                      ResultFileKind::GroupRanks,
                                                      ResultFileKind::AmpiGroupValues,
                                                      ResultFileKind::AmpiGroupRanks,
                                                      ResultFileKind::Audit,
                                                      ResultFileKind::Correlations,
                                                      ResultFileKind::SpearmanCorrelations,
                                                      ResultFileKind::Coherence,
                                                      ResultFileKind::Components,
                                                      ResultFileKind::Treatments,
                                                      ResultFileKind::TreatedCells,
                                                      ResultFileKind::MonteCarlo,
                                                      ResultFileKind::Sobol,
                                                      ResultFileKind::SobolUnits,
                                                      ResultFileKind::Coverage,
                                                      ResultFileKind::ImputedCells,
                                                      ResultFileKind::MethodCoherence,
                                                      ResultFileKind::Weights,
                                                      ResultFileKind::Record};

// Whether the name of a kind carries a code (a method code, or the AMPI sign).
bool hasCode(ResultFileKind kind);

// The file of a kind for the workbook strMatrice: a full path for a full
// path, a bare name for a bare name. code is the method code or the AMPI
// sign for the kinds that carry one and is ignored by the others.
QString resultFileName(const QString& strMatrice, ResultFileKind kind,
                       const QString& code = QString());

struct ResultFileName {
    ResultFileKind kind;
    QString code; // empty for the kinds without a code
    bool operator==(const ResultFileName&) const = default;
};

// What the file name (bare, or the last part of a path) is for the workbook
// strMatrice: the kind and code that build it, none for a name of another
// workbook or of no kind. Codes never hold a ".", which keeps the kinds
// apart ("x.AMPI+.rnk.csv" is the AMPI ranks, not values with code "+.rnk").
std::optional<ResultFileName> parseResultFileName(const QString& strMatrice, const QString& name);

// The method code at the end of the name of a values or ranks result file,
// without knowing the workbook: the text after the last ".out" and before
// ".csv" or ".rnk". Empty when the name has no such ending or the text is
// empty or holds a "." (an analysis file, a comparison file).
QString methodCodeOfResultFile(const QString& name);

// Whether a bare file name is listed by the comparison as a values result
// file of the workbook strMatrice: the workbook's file name, ".out",
// anything, ".csv", except the comparison files (".val.csv", ".rnk.csv").
bool matchesValuesResultPattern(const QString& strMatrice, const QString& name);

// The name of the ranks result file that belongs to a values result file:
// the name with its last three characters ("csv") replaced by "rnk".
QString ranksFileFor(const QString& valuesEntry);

// The files the user asks for in a save dialog, proposed beside the
// workbook under the workbook's complete name so that saving the results
// copies them with the rest.

// "<workbook>.risultati.xlsx": the results workbook.
QString resultsWorkbookFileName(const QString& strMatrice);
// "<workbook>.rapporto.pdf": the PDF report.
QString reportFileName(const QString& strMatrice);

// The charts that can be exported, each under a short name.
enum class ChartFile {
    Histogram,     // "istogramma": the distribution of an indicator
    Correlations,  // "correlazioni": the correlation heatmap
    Eigenvalues,   // "autovalori": the scree plot of a group
    RankIntervals, // "intervalli": the ranks' uncertainty intervals
    Bump,          // "ranghi": the ranks under every method
    Scatter,       // "dispersione": the ranks under two methods
    MonteCarlo,    // "mc": the Monte Carlo rank intervals
    Sobol,         // "sobol": the variance-based indices
    AmpiPlus,      // "AMPI+": the Adjusted MPI over the periods
    AmpiMinus,     // "AMPI-"
    Map            // "mappa": a quantity per unit drawn on the units' boundaries
};

// "<workbook>.<short name>.png".
QString chartFileName(const QString& strMatrice, ChartFile chart);

// Whether a file name (bare, or the last part of a path) is one the program
// writes for some workbook: a result, comparison or analysis file, a
// results workbook, a report or a chart (PNG, SVG or PDF), following a
// workbook name that ends in a matrix extension (.xls, .xlsx, .ods, .csv,
// .txt, .tsv, any letter case). A structure or composites file is the user's and answers
// false, as does a matrix merely named like a result ("spesa.rob.csv").
bool isWrittenByProgram(const QString& name);
