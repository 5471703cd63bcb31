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

// Asks for the destination, runs the output off the window's thread (first
// reading the matrix when none is given), and tells the user.
void produce(Output output, const QString& workbook, std::shared_ptr<const Matrix> matrix,
             std::shared_ptr<const Structure> structure, std::shared_ptr<const GapsRecord> gaps,
             std::shared_ptr<const MethodRun> shown, Dialogs& dialogs, BackgroundWork& work,
             const Regional& regional, std::optional<MatrixBasis> basis) {
    const bool toWorkbook = output == Output::Workbook;
    const QString path = dialogs.saveFile(
        toWorkbook ? QCoreApplication::translate("ResultsOutput", "Esporta risultati")
                   : QCoreApplication::translate("ResultsOutput", "Rapporto PDF"),
        toWorkbook ? QCoreApplication::translate("ResultsOutput", "Cartella di Excel (*.xlsx)")
                   : QCoreApplication::translate("ResultsOutput", "Documento PDF (*.pdf)"),
        suggested(workbook, output));
    if (path.isEmpty())
        return;
    Produced produced;
    setRecordActor({toWorkbook ? QCoreApplication::translate("ResultsOutput", "Esporta risultati")
                               : QCoreApplication::translate("ResultsOutput", "Rapporto PDF"),
                    {}});
    const BackgroundWork::Outcome outcome = work.run(
        toWorkbook ? QCoreApplication::translate("ResultsOutput", "Esportazione dei risultati")
                   : QCoreApplication::translate("ResultsOutput", "Rapporto PDF"),
        [&](WorkProgress& progress) {
            Processing source(regional);
            if (!matrix) {
                if (produced.written = source.load(workbook, &progress); !produced.written)
                    return;
                matrix = source.sharedMatrix();
                structure = source.structure();
                gaps = source.gaps();
                basis = source.basis();
            }
            const std::optional<QJsonObject> expected =
                basis ? std::optional<QJsonObject>(basisSettings(*basis)) : std::nullopt;
            std::optional<MethodInMemory> inMemory;
            if (shown)
                inMemory = MethodInMemory{shown->position, &shown->output};
            if (toWorkbook) {
                ResultsExport exported =
                    exportResults(workbook, *matrix, path, regional, inMemory, &progress,
                                  structure.get(), gaps.get(), basis ? &*basis : nullptr);
                produced = {std::move(exported.warnings), std::move(exported.notices),
                            std::move(exported.written)};
                return;
            }
            ResultsCollection results = collectResults(workbook, *matrix, regional, std::nullopt,
                                                       &progress, structure.get(), expected);
            results.gaps = gaps.get();
            RecordScope scope(workbook, regional);
            scope.recorder().addInput(workbook, InputRole::Matrix);
            for (const QString& read : results.files)
                scope.recorder().addInput(read, InputRole::File);
            produced = {results.warnings, results.notices,
                        writePdfReport(path, results, &progress)};
        },
        true);
    if (outcome == BackgroundWork::Outcome::OutOfMemory) {
        showOutOfMemory(dialogs,
                        toWorkbook
                            ? QCoreApplication::translate("ResultsOutput", "esportare i risultati")
                            : QCoreApplication::translate("ResultsOutput", "scrivere il rapporto"));
        return;
    }
    if (!produced.written) {
        showFailure(dialogs, produced.written.error());
        return;
    }
    QString text =
        (toWorkbook ? QCoreApplication::translate("ResultsOutput", "Risultati esportati in %1.")
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

} // namespace

void exportResultsWorkbook(const QString& workbook, std::shared_ptr<const Matrix> matrix,
                           std::shared_ptr<const MethodRun> shown, Dialogs& dialogs,
                           BackgroundWork& work, const Regional& regional,
                           std::shared_ptr<const Structure> structure,
                           std::shared_ptr<const GapsRecord> gaps,
                           std::optional<MatrixBasis> basis) {
    produce(Output::Workbook, workbook, std::move(matrix), std::move(structure), std::move(gaps),
            std::move(shown), dialogs, work, regional, std::move(basis));
}

void writeReport(const QString& workbook, std::shared_ptr<const Matrix> matrix, Dialogs& dialogs,
                 BackgroundWork& work, const Regional& regional,
                 std::shared_ptr<const Structure> structure, std::shared_ptr<const GapsRecord> gaps,
                 std::optional<MatrixBasis> basis) {
    produce(Output::Report, workbook, std::move(matrix), std::move(structure), std::move(gaps),
            nullptr, dialogs, work, regional, std::move(basis));
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
