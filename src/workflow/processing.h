#pragma once

#include "framework/structure.h"
#include "methods/methodcomputation.h"
#include "methods/resultfiles.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"
#include "stats/matrix.h"
#include "treatment/missing.h"
#include "treatment/outliers.h"
#include "workbook/structuresheet.h"
#include "workflow/matrixaudit.h"
#include "workflow/matrixbasis.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// One method run on the loaded matrix, its result files on disk.
struct MethodRun {
    MethodPosition position;
    // With a structure, the overall index and its ranks; the transformed
    // matrix is always the indicators' (transformColumns).
    MethodOutput output;
    QString valuesFile; // <workbook>.out<CODE>.csv
    QString ranksFile;  // <workbook>.out<CODE>.rnk
    // With a structure: the index and ranks the method computed per group
    // (FrameworkRun::groups, their transformed columns let go; the overall
    // index is in output), and the group files beside the result files.
    // Empty without one.
    std::vector<MethodOutput> groups;
    QString groupValuesFile; // <workbook>.dim<CODE>.csv
    QString groupRanksFile;  // <workbook>.dim<CODE>.rnk.csv
};

// What load() does with the missing cells of a matrix.
struct MissingChoice {
    MissingTreatment treatment = MissingTreatment::Refuse;
    // Indicators, then units, with a smaller share of available cells are
    // left out (coverageRule); only with a treatment.
    double minCoverage = kDefaultMinCoverage;
    // Without a treatment, the gaps are kept as they are rather than
    // refused (the audit describes such a matrix): as Available with
    // nothing left out.
    bool keepGaps = false;
};

// The work of the processing window and of `orvalta-batch run`: the
// matrix of one workbook and its structure, loaded once, and the methods
// run on it, each one leaving its values and ranks result files beside the
// workbook (and, with a structure, its group files).
class Processing {
public:
    // Reads the source matrix of the workbook at path; carica_matrice under
    // the regional settings unless another source is given (a matrix held
    // in memory, in tests, which has no sheet but its matrix).
    using MatrixLoader =
        std::function<Expected<Matrix>(const QString& path, WorkProgress* progress)>;

    explicit Processing(const Regional& regional, MatrixLoader loader = {});
    ~Processing();
    Processing(const Processing&) = delete;
    Processing& operator=(const Processing&) = delete;

    // Where the next load() takes the structure from; by default the
    // workbook's own (readStructure).
    void setStructureChoice(const StructureChoice& choice) { m_structureChoice = choice; }

    // What the next load() does with missing cells; by default they refuse
    // the matrix, as the loader always did.
    void setMissingChoice(const MissingChoice& choice) { m_missingChoice = choice; }
    const MissingChoice& missingChoice() const { return m_missingChoice; }

    // Loads the source matrix of the workbook at path (carica_matrice) and
    // its structure, if any (readStructure, buildStructure): a structure
    // that cannot be read or breaks a rule fails the load as a refused
    // matrix does. The matrix held before is replaced only when the new one
    // loads. Empty and not-available cells are read as missing and treated
    // as the MissingChoice says (treatMissing); without a treatment they
    // refuse the matrix with the loader's own message. With a treatment
    // and a structure, the indicators the coverage rule leaves out leave
    // the structure, and so does every group they empty (keptStructure,
    // named in the gaps record); the units that would get no overall index
    // (unitsWithoutOverallIndex) are left out before the cells are filled,
    // named in the gaps record too.
    Status load(const QString& path, WorkProgress* progress = nullptr);
    // Whether the last load() failed on the structure alone: the matrix
    // read and accepted, the structure not (loading it with the structure
    // ignored would succeed).
    bool structureFailed() const { return m_structureFailed; }
    // Takes a matrix read elsewhere, as the matrix of the workbook at path,
    // with its structure or none.
    void setMatrix(const QString& path, Matrix matrix,
                   std::shared_ptr<const Structure> structure = nullptr);

    // Applies the outlier treatment to the matrix loaded (treatOutliers):
    // the treated matrix takes its place for every later run, and the
    // record of the treatment is written beside the workbook
    // (writeTreatmentFiles). Returns the paths written; on a failure to
    // write, the matrix stays as it was.
    Expected<QStringList> treatOutliers();

    // The statistical audit of the matrix loaded over its structure
    // (auditMatrix), its files written beside the workbook
    // (writeAuditFiles): the audit and the paths written, or the failure to
    // write them.
    struct Audit {
        MatrixAudit audit;
        QStringList files;
    };
    Expected<Audit> audit() const;

    // The missing cells of the matrix last read and what became of them,
    // kept also when they refused it (so that a check can tell the
    // coverage); null when it had none and no treatment was chosen.
    const std::shared_ptr<const GapsRecord>& gaps() const { return m_gaps; }
    // With a treatment, writes the record of the gaps beside the workbook
    // (writeGapsFiles): the paths written, none without a treatment.
    Expected<QStringList> writeGapsFiles() const;

    bool hasMatrix() const { return m_matrix != nullptr; }
    // The matrix loaded; only while hasMatrix().
    const Matrix& matrix() const { return *m_matrix; }
    std::shared_ptr<const Matrix> sharedMatrix() const { return m_matrix; }
    const QString& workbook() const { return m_workbook; }
    // The names of the workbook's sheets, as the last load() read them
    // (none for a matrix set from elsewhere).
    const QStringList& sheetNames() const { return m_sheetNames; }
    // What the matrix loaded was made from, as the record of every file
    // computed on it tells.
    const MatrixBasis& basis() const { return m_basis; }
    // The cells the outlier treatment changed since the load, laid out as
    // Matrix::missing; empty when it changed none.
    const std::vector<unsigned char>& treatedCells() const { return m_treatedCells; }
    // The structure of the matrix; null when it has none.
    const std::shared_ptr<const Structure>& structure() const { return m_structure; }

    // Runs the method at position on the matrix, over its structure when it
    // has one (computeFramework: the result files hold the overall index),
    // and writes its files: the run, or the method's refusal (MethodRefused),
    // or the failure to write (File; the files on disk stay as they were).
    Expected<std::shared_ptr<const MethodRun>> run(MethodPosition position);

    // What became of one method of runAll.
    using Report =
        std::function<void(MethodPosition, const Expected<std::shared_ptr<const MethodRun>>&)>;

    // Runs the methods in the order given, each one's files written on
    // another thread while the next one computes. report is called on this
    // thread for each method in order, once its files are on disk, or with
    // its refusal or the failure to write its files. After a failure to
    // write, no further method runs and that failure is returned; so too a
    // cancellation through progress (Cancelled), checked between methods,
    // once the files under way are written. Progress is told the method
    // under way ("Metodo 3 di 9: WROC"). When memory runs out, the files
    // under way are finished and reported, then std::bad_alloc goes on.
    Status runAll(const std::vector<MethodPosition>& positions, const Report& report,
                  WorkProgress* progress = nullptr);

private:
    // The method computed, its files not yet written: the run and its texts.
    struct Computed {
        std::shared_ptr<MethodRun> run;
        std::shared_ptr<MethodResultTexts> texts;
    };
    Expected<Computed> compute(MethodPosition position);
    // A method's refusal of the matrix, with a line naming the cell that
    // decided it (given where the method's rule is about one cell).
    Failure locatedRefusal(Failure refusal, std::optional<DataCell> cell) const;

    Regional m_regional;
    MatrixLoader m_loader;
    QString m_workbook;
    QStringList m_sheetNames;
    std::shared_ptr<const Matrix> m_matrix;
    std::shared_ptr<const Structure> m_structure;
    StructureChoice m_structureChoice;
    bool m_structureFailed = false;
    MissingChoice m_missingChoice;
    std::shared_ptr<const GapsRecord> m_gaps;
    // The gaps as read over the matrix loaded (as Matrix::missing), with
    // the coverage threshold of m_gaps: the coverage of each unit in each
    // group. Empty without gaps.
    std::vector<unsigned char> m_keptMissing;
    // The coverage threshold of the groups: the treatment's.
    double m_groupMinCoverage = 0.0;
    MatrixBasis m_basis;
    std::vector<unsigned char> m_treatedCells;
    // The label column of the result files, formatted at the first run on
    // the matrix and shared by the runs after it.
    std::shared_ptr<const ResultLabels> m_labels;
};
