#include "workflow/processing.h"

#include "framework/frameworkcomputation.h"
#include "framework/frameworkfiles.h"
#include "shared/namekey.h"
#include "workbook/caricamatrice.h"
#include "workflow/gapsfiles.h"
#include "workflow/treatmentfiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <future>
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
    record->coverage = coverageOf(matrix);
    record->leftOut = coverageRule(matrix, choice.minCoverage);
    return record;
}

// The rows of a structure sheet without the indicators left out.
StructureSheet withoutLeftOut(StructureSheet sheet, const QSet<QString>& leftOut) {
    if (!leftOut.isEmpty())
        std::erase_if(sheet.rows, [&leftOut](const StructureRow& row) {
            return leftOut.contains(nameKey(row.element));
        });
    return sheet;
}

// The files of a run: its result files, and its group files with a
// structure, written together.
Status writeRunFiles(const MethodRun& run, const MethodResultTexts& texts,
                     const Structure* structure, const Regional& regional) {
    if (!structure)
        return writeResultFiles(run.valuesFile, run.ranksFile, texts);
    auto [groupValues, groupRanks] = groupFileLines(
        *structure, run.groups, qsizetype(run.output.index.size()), *texts.labels, regional);
    return writeTextFilesTogether({{run.valuesFile, texts.valuesLines()},
                                   {run.ranksFile, texts.ranksLines()},
                                   {run.groupValuesFile, std::move(groupValues)},
                                   {run.groupRanksFile, std::move(groupRanks)}});
}

} // namespace

Processing::Processing(const Regional& regional, MatrixLoader loader)
    : m_regional(regional), m_loader(std::move(loader)) {}

Processing::~Processing() = default;

Status Processing::load(const QString& path, WorkProgress* progress) {
    const QString workbook = QFileInfo(path).absoluteFilePath();
    m_structureFailed = false;
    QStringList sheetNames;
    Expected<Matrix> read = m_loader ? m_loader(workbook, progress)
                                     : carica_matrice(workbook, m_regional, progress, &sheetNames,
                                                      MissingCells::Marked);
    if (!read)
        return std::move(read).error();
    MissingChoice choice = m_missingChoice;
    if (choice.treatment == MissingTreatment::Refuse && choice.keepGaps) {
        choice.treatment = MissingTreatment::Available;
        choice.minCoverage = 0.0;
    }
    std::shared_ptr<GapsRecord> gaps;
    if (!read->missing.empty() && !invalidValueRefusal(*read, m_regional))
        gaps = recordGaps(*read, m_missingChoice);
    else if (m_missingChoice.treatment != MissingTreatment::Refuse)
        gaps = recordGaps(*read, m_missingChoice);
    m_gaps = gaps;
    Expected<TreatedMatrix> treated =
        treatMissing(std::move(*read), choice.treatment, choice.minCoverage, m_regional);
    if (!treated)
        return std::move(treated).error();
    std::vector<unsigned char> keptMissing;
    if (gaps) {
        gaps->filled = std::move(treated->filled);
        gaps->keptIndicators = treated->indicators;
        // The gaps as read over the cells kept, for the coverage of groups.
        if (!gaps->missing.empty()) {
            const std::size_t units = treated->units.size();
            keptMissing.resize(units * treated->indicators.size());
            for (std::size_t c = 0; c < treated->indicators.size(); ++c)
                for (std::size_t k = 0; k < units; ++k)
                    keptMissing[c * units + k] =
                        gaps->isMissing(treated->units[k], treated->indicators[c]) ? 1 : 0;
        }
    }
    Matrix& matrix = treated->matrix;
    // From here on a failure is the structure's, not the matrix's.
    m_structureFailed = true;

    Expected<std::optional<StructureSheet>> sheet =
        readStructure(workbook, sheetNames, m_structureChoice, m_regional);
    if (!sheet)
        return std::move(sheet).error();
    std::shared_ptr<const Structure> structure;
    if (*sheet) {
        std::vector<QString> names;
        names.reserve(matrix.indicators.size());
        for (const CellValue& name : matrix.indicators)
            names.push_back(m_regional.generalText(name));
        QSet<QString> leftOut;
        if (gaps)
            for (const int j : gaps->leftOut.indicators)
                leftOut.insert(nameKey(m_regional.generalText(gaps->indicators[std::size_t(j)])));
        // The sheet column of each indicator kept, for messages.
        std::vector<int> columns;
        columns.reserve(treated->indicators.size());
        for (const int j : treated->indicators)
            columns.push_back(j + 2);
        Expected<Structure> built =
            buildStructure(withoutLeftOut(std::move(**sheet), leftOut), names, m_regional, columns);
        if (!built)
            return std::move(built).error();
        structure = std::make_shared<const Structure>(std::move(*built));
    }
    m_structureFailed = false;
    setMatrix(workbook, std::move(matrix), std::move(structure));
    m_gaps = std::move(gaps);
    m_keptMissing = std::move(keptMissing);
    return {};
}

Expected<QStringList> Processing::writeGapsFiles() const {
    if (!m_gaps || m_gaps->treatment == MissingTreatment::Refuse)
        return QStringList();
    return ::writeGapsFiles(m_workbook, *m_gaps, m_structure.get(), m_regional);
}

void Processing::setMatrix(const QString& path, Matrix matrix,
                           std::shared_ptr<const Structure> structure) {
    // The old matrix goes first: the two are never held together.
    m_matrix.reset();
    m_labels.reset();
    m_workbook = path;
    m_matrix = std::make_shared<const Matrix>(std::move(matrix));
    m_structure = std::move(structure);
}

Expected<QStringList> Processing::treatOutliers() {
    if (!m_matrix)
        return failure(FailureKind::Refused,
                       QCoreApplication::translate("Methods", "Nessuna matrice caricata."));
    OutlierTreatment treatment = ::treatOutliers(*m_matrix);
    Expected<QStringList> written =
        writeTreatmentFiles(m_workbook, *m_matrix, treatment, m_regional);
    if (!written)
        return written;
    if (!treatment.changes.empty())
        setMatrix(m_workbook, std::move(treatment.matrix), m_structure);
    return written;
}

Expected<Processing::Audit> Processing::audit() const {
    if (!m_matrix)
        return failure(FailureKind::Refused,
                       QCoreApplication::translate("Methods", "Nessuna matrice caricata."));
    Audit result{auditMatrix(*m_matrix, m_structure.get()), {}};
    Expected<QStringList> written =
        writeAuditFiles(m_workbook, *m_matrix, result.audit, m_regional);
    if (!written)
        return std::move(written).error();
    result.files = std::move(*written);
    return result;
}

Failure Processing::locatedRefusal(MethodPosition position, Failure refusal) const {
    if (refusal.kind != FailureKind::MethodRefused)
        return refusal;
    const std::optional<DataCell> cell = refusedCell(position, m_matrix->view());
    if (!cell)
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
        const GroupCoverage coverage{ours ? &m_keptMissing : nullptr,
                                     m_gaps ? m_gaps->minCoverage : 0.0};
        Expected<FrameworkRun> framework =
            computeFramework(position, *m_matrix, *m_structure, coverage);
        if (!framework)
            return locatedRefusal(position, std::move(framework).error());
        groups = std::move(framework->groups);
        *output = std::move(groups[std::size_t(m_structure->root)]);
        // The transformed matrix is the indicators', as without a structure
        // (each column is transformed on its own); the groups' are let go.
        output->transformed = transformColumns(position, m_matrix->view());
        for (MethodOutput& group : groups)
            std::vector<double>().swap(group.transformed);
    } else {
        output = computeMethod(position, m_matrix->view());
        if (!output)
            return locatedRefusal(position, std::move(output).error());
    }
    if (!m_labels)
        m_labels = std::make_shared<const ResultLabels>(*m_matrix, m_regional);
    Computed computed;
    computed.texts = std::make_shared<MethodResultTexts>(
        methodResultTexts(position, *output, m_labels, m_regional));
    const QString code = methodCode(methodAt(position).entryText);
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
    if (Status written = writeRunFiles(run, *computed->texts, m_structure.get(), m_regional);
        !written)
        return std::move(written).error();
    return std::shared_ptr<const MethodRun>(computed->run);
}

Status Processing::runAll(const std::vector<MethodPosition>& positions, const Report& report,
                          WorkProgress* progress) {
    // The files of the method before, being written.
    std::future<Status> writing;
    std::shared_ptr<const MethodRun> written;
    const auto finishWriting = [&]() -> Status {
        if (!writing.valid())
            return {};
        Status status = writing.get();
        if (status)
            report(written->position, written);
        else
            report(written->position, status.error());
        written.reset();
        return status;
    };
    const int count = int(positions.size());
    for (int k = 0; k < count; ++k) {
        const MethodPosition position = positions[std::size_t(k)];
        if (progress) {
            if (progress->cancelled()) {
                if (Status status = finishWriting(); !status)
                    return status;
                return failure(FailureKind::Cancelled,
                               QCoreApplication::translate("Methods", "Elaborazione annullata."));
            }
            progress->report(QCoreApplication::translate("Methods", "Metodo %1 di %2: %3")
                                 .arg(k + 1)
                                 .arg(count)
                                 .arg(methodCode(methodAt(position).entryText)),
                             percentOf(k, count));
        }
        std::optional<Expected<Computed>> computed;
        try {
            computed = compute(position);
        } catch (...) {
            // Out of memory: the files already being written are reported.
            (void)finishWriting();
            throw;
        }
        if (Status status = finishWriting(); !status)
            return status;
        if (!*computed) {
            report(position, computed->error());
            continue;
        }
        written = computed->value().run;
        writing = std::async(std::launch::async,
                             [run = computed->value().run, texts = computed->value().texts,
                              structure = m_structure, regional = m_regional]() {
                                 return writeRunFiles(*run, *texts, structure.get(), regional);
                             });
    }
    return finishWriting();
}
