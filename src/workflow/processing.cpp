#include "workflow/processing.h"

#include "framework/frameworkcomputation.h"
#include "framework/frameworkfiles.h"
#include "shared/parallelfor.h"
#include "shared/resultnames.h"
#include "workbook/caricamatrice.h"
#include "workflow/gapsfiles.h"
#include "workflow/treatmentfiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <exception>
#include <optional>

namespace {

// The record of the gaps of a matrix as read, before its treatment.
std::shared_ptr<GapsRecord> recordGaps(const Matrix& matrix, const MissingChoice& choice) {
    auto record = std::make_shared<GapsRecord>();
    record->treatment = choice.treatment;
    record->minCoverage = choice.minCoverage;
    record->corner = matrix.corner;
    record->units = matrix.units;
    record->indicators = matrix.indicators;
    record->missing = matrix.missing;
    record->coverage = ruleCoverage(matrix, choice.minCoverage);
    record->leftOut = coverageRule(matrix, choice.minCoverage);
    return record;
}

// The structure of the workbook, if any, over the indicators of the
// matrix as read (names), without those the coverage rule leaves out
// (leftOut, as read): every group left with no indicator goes too, its
// name added to emptied.
Expected<std::optional<Structure>>
loadStructure(const QString& workbook, const QStringList& sheetNames, const StructureChoice& choice,
              const std::vector<QString>& names, const std::vector<int>& leftOut,
              const Regional& regional, QStringList& emptied) {
    Expected<std::optional<StructureSheet>> sheet =
        readStructure(workbook, sheetNames, choice, regional);
    if (!sheet)
        return std::move(sheet).error();
    if (!*sheet)
        return std::optional<Structure>();
    Expected<Structure> built = buildStructure(std::move(**sheet), names, regional);
    if (!built)
        return std::move(built).error();
    if (leftOut.empty())
        return std::optional<Structure>(std::move(*built));
    std::vector<int> columnOf(names.size());
    int kept = 0;
    for (std::size_t j = 0; j < names.size(); ++j)
        columnOf[j] = std::binary_search(leftOut.begin(), leftOut.end(), int(j)) ? -1 : kept++;
    std::vector<int> groups;
    std::optional<Structure> structure = keptStructure(*built, columnOf, &groups);
    if (!structure)
        return failure(FailureKind::Refused,
                       QCoreApplication::translate(
                           "Framework", "Struttura: senza gli indicatori esclusi per copertura "
                                        "non resta alcun elemento di peso maggiore di 0."));
    for (const int group : groups)
        emptied.push_back(built->elements[std::size_t(group)].name);
    return structure;
}

// The record of the gaps of a matrix read with some missing cells, or with
// a treatment chosen (as the choice works, effectiveChoice): null when the
// matrix is refused for an invalid value whatever the choice.
std::shared_ptr<GapsRecord> gapsRecordOf(const Matrix& read, const MissingChoice& chosen,
                                         const MissingChoice& choice, const Regional& regional) {
    if (chosen.treatment == MissingTreatment::Refuse && invalidValueRefusal(read, regional))
        return nullptr;
    return recordGaps(read, choice);
}

// The indicators' names of a matrix, as the structure names them.
std::vector<QString> indicatorNames(const Matrix& matrix, const Regional& regional) {
    std::vector<QString> names;
    names.reserve(matrix.indicators.size());
    for (const CellValue& name : matrix.indicators)
        names.push_back(regional.generalText(name));
    return names;
}

// What a matrix loaded from workbook (its bytes' hash given) under choice
// was made from, its structure not yet described.
MatrixBasis loadedBasis(const QString& workbook, const QByteArray& sha,
                        const MissingChoice& choice) {
    MatrixBasis basis;
    basis.workbook = workbook;
    basis.matrix = {QFileInfo(workbook).fileName(), sha, InputRole::Matrix};
    basis.missing = choice.treatment;
    basis.minCoverage = choice.minCoverage;
    return basis;
}

// The choice load() works under: without a treatment, gaps kept as they
// are read as Available with nothing left out.
MissingChoice effectiveChoice(MissingChoice choice) {
    if (choice.treatment == MissingTreatment::Refuse && choice.keepGaps) {
        choice.treatment = MissingTreatment::Available;
        choice.minCoverage = 0.0;
    }
    return choice;
}

// The units of the matrix as read that the coverage rule keeps but that
// would get no overall index over the structure (unitsWithoutOverallIndex),
// over the indicators it keeps (not in ruled); none without a treatment.
std::vector<int> unitsLeftWithoutIndex(const Matrix& read, const Structure& structure,
                                       const LeftOut& ruled, const MissingChoice& choice) {
    if (choice.treatment == MissingTreatment::Refuse)
        return {};
    const auto units = std::size_t(read.unitCount());
    std::vector<unsigned char> mask;
    mask.reserve(units * (std::size_t(read.indicatorCount()) - ruled.indicators.size()));
    for (int j = 0; j < read.indicatorCount(); ++j)
        if (!std::binary_search(ruled.indicators.begin(), ruled.indicators.end(), j))
            for (std::size_t i = 0; i < units; ++i)
                mask.push_back(read.isMissing(int(i), j) ? 1 : 0);
    const std::vector<unsigned char> lacking =
        unitsWithoutOverallIndex(structure, int(units), mask, choice.minCoverage);
    std::vector<int> withoutIndex;
    for (std::size_t i = 0; i < lacking.size(); ++i)
        if (lacking[i])
            withoutIndex.push_back(int(i));
    return withoutIndex;
}

// Completes the record of the gaps with what their treatment did; returns
// the gaps as read over the cells kept (laid out as Matrix::missing), for
// the coverage of groups; empty when none is missing.
std::vector<unsigned char> recordTreatment(GapsRecord& gaps, TreatedMatrix& treated,
                                           const QStringList& emptied) {
    gaps.filled = std::move(treated.filled);
    gaps.keptIndicators = treated.indicators;
    gaps.keptUnits = treated.units;
    gaps.leftOut.unitsWithoutIndex = treated.leftOut.unitsWithoutIndex;
    gaps.emptiedGroups = emptied;
    std::vector<unsigned char> keptMissing;
    if (gaps.missing.empty())
        return keptMissing;
    const std::size_t units = treated.units.size();
    keptMissing.resize(units * treated.indicators.size());
    for (std::size_t c = 0; c < treated.indicators.size(); ++c)
        for (std::size_t k = 0; k < units; ++k)
            keptMissing[c * units + k] =
                gaps.isMissing(treated.units[k], treated.indicators[c]) ? 1 : 0;
    return keptMissing;
}

// The files of a run: its result files, and its group files with a
// structure, written together.
Status writeRunFiles(const MethodRun& run, const MethodResultTexts& texts,
                     const Structure* structure, const Regional& regional,
                     const MatrixBasis& basis) {
    const BasisScope scope(basis, regional,
                           {{QStringLiteral("method"), methodAt(run.position).code}});
    if (!structure)
        return writeResultFiles(run.valuesFile, run.ranksFile, texts);
    auto [groupValues, groupRanks] = groupFileLines(
        *structure, run.groups, qsizetype(run.output.index.size()), *texts.labels, regional);
    return writeTextFilesTogether({{run.valuesFile, texts.valuesLines()},
                                   {run.ranksFile, texts.ranksLines()},
                                   {run.groupValuesFile, std::move(groupValues)},
                                   {run.groupRanksFile, std::move(groupRanks)}});
}

// The indicators' transformed matrix (transformColumns over the whole
// matrix) from the groups' of a structure run: each column is transformed on
// its own, so an indicator's column is the one its group computed. Those in
// no group computed (of weight 0) are transformed here. Each group's
// transformed columns are let go once taken.
std::vector<double> indicatorColumns(MethodPosition position, const Matrix& matrix,
                                     const Structure& structure,
                                     std::vector<MethodOutput>& groups) {
    const auto n = std::size_t(matrix.unitCount());
    const auto m = std::size_t(matrix.indicatorCount());
    std::vector<double> result(n * m);
    std::vector<char> taken(m, 0);
    for (std::size_t g = 0; g < structure.elements.size(); ++g) {
        const StructureElement& group = structure.elements[g];
        std::vector<double> columns = std::move(groups[g].transformed);
        if (!group.isGroup() || columns.empty())
            continue;
        // The group's view holds its elements of weight above 0, in order.
        std::size_t at = 0;
        for (const int child : group.children) {
            const StructureElement& element = structure.elements[std::size_t(child)];
            if (element.weight == 0.0)
                continue;
            if (!element.isGroup() && !taken[std::size_t(element.indicator)]) {
                const auto j = std::size_t(element.indicator);
                std::copy_n(columns.begin() + std::ptrdiff_t(at * n), n,
                            result.begin() + std::ptrdiff_t(j * n));
                taken[j] = 1;
            }
            ++at;
        }
    }
    std::vector<int> rest;
    for (std::size_t j = 0; j < m; ++j)
        if (!taken[j])
            rest.push_back(int(j));
    if (!rest.empty()) {
        const std::vector<double> columns = transformColumns(position, matrix.view(rest));
        for (std::size_t k = 0; k < rest.size(); ++k)
            std::copy_n(columns.begin() + std::ptrdiff_t(k * n), n,
                        result.begin() + std::ptrdiff_t(std::size_t(rest[k]) * n));
    }
    return result;
}

// Where the structure of the matrix of workbook came from, as load() found
// it (readStructure): the file chosen, a sheet of the workbook, or the
// file beside it.
void describeStructure(MatrixBasis& basis, const QString& workbook, const QStringList& sheetNames,
                       const StructureChoice& choice) {
    QString file = choice.file;
    if (file.isEmpty()) {
        for (qsizetype s = 1; s < sheetNames.size(); ++s)
            if (isStructureSheetName(sheetNames[s])) {
                basis.structure = QStringLiteral("foglio ") + sheetNames[s].trimmed();
                return;
            }
        file = resultFileName(workbook, ResultFileKind::Structure);
    }
    const QFileInfo info(file);
    basis.structure = info.absolutePath() == QFileInfo(workbook).absolutePath()
                          ? info.fileName()
                          : info.absoluteFilePath();
    basis.structureFile = RecordInput{basis.structure, fileSha256(file), InputRole::Structure};
}

} // namespace

Processing::Processing(const Regional& regional, MatrixLoader loader)
    : m_regional(regional), m_loader(std::move(loader)) {}

Processing::~Processing() = default;

Status Processing::load(const QString& path, WorkProgress* progress) {
    const QString workbook = QFileInfo(path).absoluteFilePath();
    m_structureFailed = false;
    QStringList sheetNames;
    // The bytes the matrix is read from, as the record tells it.
    const QByteArray workbookSha = fileSha256(workbook);
    Expected<Matrix> read = m_loader ? m_loader(workbook, progress)
                                     : carica_matrice(workbook, m_regional, progress, &sheetNames,
                                                      MissingCells::Marked);
    if (!read)
        return std::move(read).error();
    const MissingChoice choice = effectiveChoice(m_missingChoice);
    // The gaps as treated (kept: nothing is left out for its coverage).
    std::shared_ptr<GapsRecord> gaps;
    if (!read->missing.empty() || m_missingChoice.treatment != MissingTreatment::Refuse)
        gaps = gapsRecordOf(*read, m_missingChoice, choice, m_regional);
    m_gaps = gaps;
    const bool anyMissing = std::any_of(read->missing.begin(), read->missing.end(),
                                        [](unsigned char flag) { return flag != 0; });
    const LeftOut ruled = anyMissing && choice.treatment != MissingTreatment::Refuse
                              ? coverageRule(*read, choice.minCoverage)
                              : LeftOut();
    // The structure over the indicators kept; its failure is told only once
    // the matrix is accepted.
    QStringList emptied;
    Expected<std::optional<Structure>> structure =
        loadStructure(workbook, sheetNames, m_structureChoice, indicatorNames(*read, m_regional),
                      ruled.indicators, m_regional, emptied);
    // The units the coverage rule keeps that would get no overall index
    // are left out with them (not when the gaps are only described).
    const bool describeOnly =
        m_missingChoice.treatment == MissingTreatment::Refuse && m_missingChoice.keepGaps;
    const std::vector<int> withoutIndex =
        structure && *structure && anyMissing && !describeOnly
            ? unitsLeftWithoutIndex(*read, **structure, ruled, choice)
            : std::vector<int>();

    Expected<TreatedMatrix> treated = treatMissing(
        std::move(*read), choice.treatment, choice.minCoverage, m_regional, progress, withoutIndex);
    if (!treated)
        return std::move(treated).error();
    std::vector<unsigned char> keptMissing =
        gaps ? recordTreatment(*gaps, *treated, emptied) : std::vector<unsigned char>();
    if (!structure) {
        // The matrix accepted, the structure not.
        m_structureFailed = true;
        return std::move(structure).error();
    }
    std::shared_ptr<const Structure> shared =
        *structure ? std::make_shared<const Structure>(std::move(**structure)) : nullptr;
    // Gaps only described on a matrix that has none: made as without a
    // treatment, so its files fit those of any run on the same matrix.
    MatrixBasis basis =
        loadedBasis(workbook, workbookSha, describeOnly && !anyMissing ? m_missingChoice : choice);
    if (shared)
        describeStructure(basis, workbook, sheetNames, m_structureChoice);
    setMatrix(workbook, std::move(treated->matrix), std::move(shared));
    m_sheetNames = sheetNames;
    m_basis = std::move(basis);
    m_gaps = std::move(gaps);
    m_keptMissing = std::move(keptMissing);
    m_groupMinCoverage = choice.minCoverage;
    return {};
}

Expected<QStringList> Processing::writeGapsFiles() const {
    if (!m_gaps || m_gaps->treatment == MissingTreatment::Refuse)
        return QStringList();
    const BasisScope scope(m_basis, m_regional);
    return ::writeGapsFiles(m_workbook, *m_gaps, m_structure.get(), m_regional);
}

void Processing::setMatrix(const QString& path, Matrix matrix,
                           std::shared_ptr<const Structure> structure) {
    if (path != m_basis.workbook || !structure != m_basis.structure.isEmpty()) {
        m_basis = workbookBasis(path);
        if (structure)
            m_basis.structure = QCoreApplication::translate("Workflow", "data");
    }
    // The old matrix goes first: the two are never held together.
    m_matrix.reset();
    m_treatedCells.clear();
    m_labels.reset();
    if (path != m_workbook)
        m_sheetNames.clear();
    m_workbook = path;
    m_matrix = std::make_shared<const Matrix>(std::move(matrix));
    m_structure = std::move(structure);
}

Expected<QStringList> Processing::treatOutliers() {
    if (!m_matrix)
        return failure(FailureKind::Refused,
                       QCoreApplication::translate("Methods", "Nessuna matrice caricata."));
    OutlierTreatment treatment = ::treatOutliers(*m_matrix);
    Expected<QStringList> written = QStringList();
    {
        const BasisScope scope(m_basis, m_regional);
        written = writeTreatmentFiles(m_workbook, *m_matrix, treatment, m_regional);
    }
    if (!written)
        return written;
    const int changed = int(treatment.changes.size());
    if (!treatment.changes.empty()) {
        const auto units = std::size_t(m_matrix->unitCount());
        m_treatedCells.resize(m_matrix->values.size());
        for (const OutlierChange& change : treatment.changes)
            m_treatedCells[std::size_t(change.indicator) * units + std::size_t(change.unit)] = 1;
        std::vector<unsigned char> cells = std::move(m_treatedCells);
        setMatrix(m_workbook, std::move(treatment.matrix), m_structure);
        m_treatedCells = std::move(cells);
    }
    m_basis.outliersChanged = std::max(m_basis.outliersChanged, 0) + changed;
    return written;
}

Expected<Processing::Audit> Processing::audit() const {
    if (!m_matrix)
        return failure(FailureKind::Refused,
                       QCoreApplication::translate("Methods", "Nessuna matrice caricata."));
    Audit result{auditMatrix(*m_matrix, m_structure.get()), {}};
    const BasisScope scope(m_basis, m_regional);
    Expected<QStringList> written =
        writeAuditFiles(m_workbook, *m_matrix, result.audit, m_regional);
    if (!written)
        return std::move(written).error();
    result.files = std::move(*written);
    return result;
}

Failure Processing::locatedRefusal(Failure refusal, std::optional<DataCell> cell) const {
    if (refusal.kind != FailureKind::MethodRefused || !cell)
        return refusal;
    const auto unit = std::size_t(cell->unit);
    const auto indicator = std::size_t(cell->column);
    refusal.message +=
        u'\n' + QCoreApplication::translate("Methods", "Prima cella: %1 (%2, %3), valore %4.")
                    .arg(cellReference(cell->unit + 2, cell->column + 2),
                         m_regional.generalText(m_matrix->units[unit]).simplified(),
                         m_regional.generalText(m_matrix->indicators[indicator]).simplified(),
                         m_regional.generalText(m_matrix->value(cell->unit, cell->column)));
    return refusal;
}

Expected<Processing::Computed> Processing::compute(MethodPosition position) {
    if (!m_matrix)
        return failure(FailureKind::MethodRefused,
                       QCoreApplication::translate(
                           "Methods", "Nessuna matrice caricata o metodo sconosciuto."));
    Expected<MethodOutput> output = MethodOutput();
    std::vector<MethodOutput> groups;
    if (m_structure) {
        // The gaps as read, unless the matrix was set from elsewhere since.
        const bool ours = m_keptMissing.size() == m_matrix->values.size();
        const GroupCoverage coverage{ours ? &m_keptMissing : nullptr, m_groupMinCoverage};
        std::optional<DataCell> refused;
        Expected<FrameworkRun> framework =
            computeFramework(position, *m_matrix, *m_structure, coverage, &refused);
        if (!framework)
            return locatedRefusal(std::move(framework).error(), refused);
        groups = std::move(framework->groups);
        // The transformed matrix is the indicators', as without a structure;
        // the groups' are let go.
        std::vector<double> transformed =
            indicatorColumns(position, *m_matrix, *m_structure, groups);
        *output = std::move(groups[std::size_t(m_structure->root)]);
        output->transformed = std::move(transformed);
    } else {
        output = computeMethod(position, m_matrix->view());
        if (!output)
            return locatedRefusal(std::move(output).error(),
                                  refusedCell(position, m_matrix->view()));
    }
    if (!m_labels)
        m_labels = std::make_shared<const ResultLabels>(*m_matrix, m_regional);
    Computed computed;
    computed.texts = std::make_shared<MethodResultTexts>(
        methodResultTexts(position, *output, m_labels, m_regional));
    const QString code = methodAt(position).code;
    MethodRun run{position,
                  std::move(*output),
                  valuesResultFile(m_workbook, code),
                  ranksResultFile(m_workbook, code),
                  {},
                  {},
                  {}};
    if (m_structure) {
        run.groups = std::move(groups);
        run.groupValuesFile = groupValuesFile(m_workbook, code);
        run.groupRanksFile = groupRanksFile(m_workbook, code);
    }
    computed.run = std::make_shared<MethodRun>(std::move(run));
    return computed;
}

Expected<std::shared_ptr<const MethodRun>> Processing::run(MethodPosition position) {
    Expected<Computed> computed = compute(position);
    if (!computed)
        return std::move(computed).error();
    const MethodRun& run = *computed->run;
    if (Status written =
            writeRunFiles(run, *computed->texts, m_structure.get(), m_regional, m_basis);
        !written)
        return std::move(written).error();
    return std::shared_ptr<const MethodRun>(computed->run);
}

namespace {

// "Metodo 3 di 9: WROC": method k (from 0) of count under way.
QString methodUnderWay(int k, int count, MethodPosition position) {
    return QCoreApplication::translate("Methods", "Metodo %1 di %2: %3")
        .arg(k + 1)
        .arg(count)
        .arg(methodAt(position).code);
}

} // namespace

Status Processing::runAll(const std::vector<MethodPosition>& positions, const Report& report,
                          WorkProgress* progress) {
    // The method before, computed, its files not yet written.
    std::optional<Computed> pending;
    const std::shared_ptr<const Structure> structure = m_structure;
    const Regional regional = m_regional;
    const MatrixBasis basis = m_basis;
    const auto writePending = [&]() {
        return writeRunFiles(*pending->run, *pending->texts, structure.get(), regional, basis);
    };
    const auto reportPending = [&](Status written) {
        if (written)
            report(pending->run->position, std::shared_ptr<const MethodRun>(pending->run));
        else
            report(pending->run->position, written.error());
        pending.reset();
        return written;
    };
    const auto finishPending = [&]() { return pending ? reportPending(writePending()) : Status(); };
    const int count = int(positions.size());
    for (int k = 0; k < count; ++k) {
        const MethodPosition position = positions[std::size_t(k)];
        if (progress) {
            if (progress->cancelled()) {
                if (Status written = finishPending(); !written)
                    return written;
                return failure(FailureKind::Cancelled,
                               QCoreApplication::translate("Methods", "Elaborazione annullata."));
            }
            progress->report(methodUnderWay(k, count, position), percentOf(k, count));
        }
        // Computed here while the files of the one before are written.
        std::optional<Expected<Computed>> computed;
        std::exception_ptr computeFailure; // out of memory: the files under way are finished first
        Status written;
        parallelFor(pending ? 2 : 1, 2, nullptr, [&](int task) {
            if (task == 1) {
                written = writePending();
                return;
            }
            try {
                computed = compute(position);
            } catch (...) {
                computeFailure = std::current_exception();
            }
        });
        if (pending)
            written = reportPending(std::move(written));
        if (computeFailure)
            std::rethrow_exception(computeFailure);
        if (!written)
            return written;
        if (!*computed) {
            report(position, computed->error());
            continue;
        }
        pending = std::move(computed->value());
    }
    return finishPending();
}
