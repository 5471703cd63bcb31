#include "workflow/processing.h"

#include "workbook/caricamatrice.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <future>
#include <optional>

Processing::Processing(const Regional& regional, MatrixLoader loader)
    : m_regional(regional), m_loader(std::move(loader)) {
    if (!m_loader)
        m_loader = [regional](const QString& path, WorkProgress* progress) {
            return carica_matrice(path, regional, progress);
        };
}

Processing::~Processing() = default;

Status Processing::load(const QString& path, WorkProgress* progress) {
    const QString workbook = QFileInfo(path).absoluteFilePath();
    Expected<Matrix> matrix = m_loader(workbook, progress);
    if (!matrix)
        return std::move(matrix).error();
    setMatrix(workbook, std::move(*matrix));
    return {};
}

void Processing::setMatrix(const QString& path, Matrix matrix) {
    // The old matrix goes first: the two are never held together.
    m_matrix.reset();
    m_labels.reset();
    m_workbook = path;
    m_matrix = std::make_shared<const Matrix>(std::move(matrix));
}

Expected<Processing::Computed> Processing::compute(MethodPosition position) {
    if (!m_matrix)
        return failure(FailureKind::MethodRefused,
                       QCoreApplication::translate(
                           "Methods", "Nessuna matrice caricata o metodo sconosciuto."));
    Expected<MethodOutput> output = computeMethod(position, m_matrix->view());
    if (!output)
        return std::move(output).error();
    if (!m_labels)
        m_labels = std::make_shared<const ResultLabels>(*m_matrix, m_regional);
    Computed computed;
    computed.texts = std::make_shared<MethodResultTexts>(
        methodResultTexts(position, *output, m_labels, m_regional));
    const QString code = methodCode(methodAt(position).entryText);
    computed.run = std::make_shared<MethodRun>(MethodRun{position, std::move(*output),
                                                         valuesResultFile(m_workbook, code),
                                                         ranksResultFile(m_workbook, code)});
    return computed;
}

Expected<std::shared_ptr<const MethodRun>> Processing::run(MethodPosition position) {
    Expected<Computed> computed = compute(position);
    if (!computed)
        return std::move(computed).error();
    const MethodRun& run = *computed->run;
    if (Status written = writeResultFiles(run.valuesFile, run.ranksFile, *computed->texts);
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
                             [run = computed->value().run, texts = computed->value().texts]() {
                                 return writeResultFiles(run->valuesFile, run->ranksFile, *texts);
                             });
    }
    return finishWriting();
}
