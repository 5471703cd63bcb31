#include "ui/report/resultsoutput.h"
#include "shared/expected.h"
#include "shared/resultnames.h"

#include "record/outputrecorder.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/failuremessage.h"
#include "ui/platform/windowsetup.h"
#include "ui/report/pdfreport.h"
#include "workflow/resultsexport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

enum class Output { Workbook, Report };

QString suggested(const QString& workbook, Output output) {
    const QString absolute = QFileInfo(workbook).absoluteFilePath();
    return output == Output::Workbook ? resultsWorkbookFileName(absolute)
                                      : reportFileName(absolute);
}

// What the work off the window's thread leaves.
struct Produced {
    QStringList warnings;
    QStringList notices;
    Status written;
};

// What the output is made from: the source matrix of the workbook and what
// goes with it (read off the window's thread when not given).
struct Source {
    std::shared_ptr<const Matrix> matrix;
    std::shared_ptr<const Structure> structure;
    std::shared_ptr<const GapsRecord> gaps;
    std::optional<MatrixBasis> basis;
};

QString outputTitle(Output output) {
    return output == Output::Workbook
               ? QCoreApplication::translate("ResultsOutput", "Esporta risultati")
               : QCoreApplication::translate("ResultsOutput", "Rapporto PDF");
}

// The file the user chooses for the output; empty when none.
QString askDestination(Output output, const QString& workbook, Dialogs& dialogs) {
    return dialogs.saveFile(
        outputTitle(output),
        output == Output::Workbook
            ? QCoreApplication::translate("ResultsOutput", "Cartella di Excel (*.xlsx)")
            : QCoreApplication::translate("ResultsOutput", "Documento PDF (*.pdf)"),
        suggested(workbook, output));
}

// Reads the matrix of workbook into source, unless it holds one.
Status readSource(Source& source, const QString& workbook, const Regional& regional,
                  WorkProgress& progress) {
    if (source.matrix)
        return {};
    Processing reading(regional);
    if (Status loaded = reading.load(workbook, &progress); !loaded)
        return loaded;
    source = {reading.sharedMatrix(), reading.structure(), reading.gaps(), reading.basis()};
    return {};
}

Produced exportWorkbook(const QString& path, const QString& workbook, const Source& source,
                        const MethodRun* shown, const Regional& regional, WorkProgress& progress) {
    std::optional<MethodInMemory> inMemory;
    if (shown)
        inMemory = MethodInMemory{shown->position, &shown->output};
    ResultsExport exported = exportResults(workbook, *source.matrix, path, regional, inMemory,
                                           &progress, source.structure.get(), source.gaps.get(),
                                           source.basis ? &*source.basis : nullptr);
    return {std::move(exported.warnings), std::move(exported.notices), std::move(exported.written)};
}

Produced reportPdf(const QString& path, const QString& workbook, const Source& source,
                   const Regional& regional, WorkProgress& progress) {
    const std::optional<QJsonObject> expected =
        source.basis ? std::optional<QJsonObject>(basisSettings(*source.basis)) : std::nullopt;
    ResultsCollection results = collectResults(workbook, *source.matrix, regional, std::nullopt,
                                               &progress, source.structure.get(), expected);
    results.gaps = source.gaps.get();
    RecordScope scope(workbook, regional);
    scope.recorder().addInput(workbook, InputRole::Matrix);
    for (const TakenFile& read : results.files)
        scope.recorder().addInput(read.path, InputRole::File, read.sha256);
    return {results.warnings, results.notices, writePdfReport(path, results, &progress)};
}

// Tells the user where the output went, with the files left out, or why it
// was not written.
void tell(Output output, const QString& path, const Produced& produced, Dialogs& dialogs) {
    if (!produced.written) {
        showFailure(dialogs, produced.written.error());
        return;
    }
    QString text = (output == Output::Workbook
                        ? QCoreApplication::translate("ResultsOutput", "Risultati esportati in %1.")
                        : QCoreApplication::translate("ResultsOutput", "Rapporto scritto in %1."))
                       .arg(QDir::toNativeSeparators(path));
    if (!produced.warnings.isEmpty())
        text += QCoreApplication::translate("ResultsOutput", "\n\nFile tralasciati:\n") +
                produced.warnings.join(u'\n');
    if (!produced.notices.isEmpty())
        text += QStringLiteral("\n\n") + produced.notices.join(u'\n');
    dialogs.message(text, childWindowTitle(),
                    produced.warnings.isEmpty() ? Dialogs::Icon::Information
                                                : Dialogs::Icon::Warning);
}

// Asks for the destination, runs the output off the window's thread (first
// reading the matrix when none is given), and tells the user.
void produce(Output output, const QString& workbook, Source source,
             std::shared_ptr<const MethodRun> shown, Dialogs& dialogs, BackgroundWork& work,
             const Regional& regional) {
    const bool toWorkbook = output == Output::Workbook;
    const QString path = askDestination(output, workbook, dialogs);
    if (path.isEmpty())
        return;
    Produced produced;
    setRecordActor({outputTitle(output), {}});
    const BackgroundWork::Outcome outcome = work.run(
        toWorkbook ? QCoreApplication::translate("ResultsOutput", "Esportazione dei risultati")
                   : QCoreApplication::translate("ResultsOutput", "Rapporto PDF"),
        [&](WorkProgress& progress) {
            if (produced.written = readSource(source, workbook, regional, progress);
                !produced.written)
                return;
            produced = toWorkbook
                           ? exportWorkbook(path, workbook, source, shown.get(), regional, progress)
                           : reportPdf(path, workbook, source, regional, progress);
        },
        true);
    if (outcome == BackgroundWork::Outcome::OutOfMemory) {
        showOutOfMemory(dialogs,
                        toWorkbook
                            ? QCoreApplication::translate("ResultsOutput", "esportare i risultati")
                            : QCoreApplication::translate("ResultsOutput", "scrivere il rapporto"));
        return;
    }
    tell(output, path, produced, dialogs);
}

} // namespace

void exportResultsWorkbook(const QString& workbook, std::shared_ptr<const Matrix> matrix,
                           std::shared_ptr<const MethodRun> shown, Dialogs& dialogs,
                           BackgroundWork& work, const Regional& regional,
                           std::shared_ptr<const Structure> structure,
                           std::shared_ptr<const GapsRecord> gaps,
                           std::optional<MatrixBasis> basis) {
    produce(Output::Workbook, workbook,
            Source{std::move(matrix), std::move(structure), std::move(gaps), std::move(basis)},
            std::move(shown), dialogs, work, regional);
}

void writeReport(const QString& workbook, std::shared_ptr<const Matrix> matrix, Dialogs& dialogs,
                 BackgroundWork& work, const Regional& regional,
                 std::shared_ptr<const Structure> structure, std::shared_ptr<const GapsRecord> gaps,
                 std::optional<MatrixBasis> basis) {
    produce(Output::Report, workbook,
            Source{std::move(matrix), std::move(structure), std::move(gaps), std::move(basis)},
            nullptr, dialogs, work, regional);
}

std::shared_ptr<const Matrix> matrixOf(const Processing* processing, const QString& workbook) {
    if (!processing || !processing->hasMatrix() ||
        processing->workbook() != QFileInfo(workbook).absoluteFilePath())
        return nullptr;
    return processing->sharedMatrix();
}

std::shared_ptr<const Structure> structureOf(const Processing* processing,
                                             const QString& workbook) {
    return matrixOf(processing, workbook) ? processing->structure() : nullptr;
}

MatrixBasis basisOf(const Processing* processing, const QString& workbook) {
    return matrixOf(processing, workbook) ? processing->basis()
                                          : workbookBasis(QFileInfo(workbook).absoluteFilePath());
}

std::shared_ptr<const GapsRecord> gapsOf(const Processing* processing, const QString& workbook) {
    return matrixOf(processing, workbook) ? processing->gaps() : nullptr;
}
