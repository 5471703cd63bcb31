#include "ui/report/resultsoutput.h"

#include "export/resultsworkbook.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/dialogs.h"
#include "ui/report/pdfreport.h"
#include "workbook/caricamatrice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

enum class Output { Workbook, Report };

QString suggested(const SharedState& state, Output output) {
    const QFileInfo workbook(state.strMatrice);
    return QDir(workbook.absolutePath())
        .filePath(workbook.completeBaseName() + (output == Output::Workbook
                                                     ? QStringLiteral("-risultati.xlsx")
                                                     : QStringLiteral("-rapporto.pdf")));
}

// Asks for the destination, runs the output off the window's thread (first
// reading the matrix again when fromFile), and tells the user.
void produce(Output output, const SharedState& state, const std::optional<MethodInMemory>& inMemory,
             bool fromFile, Dialogs& dialogs, BackgroundWork& work, const Regional& regional,
             const QString& title) {
    const bool workbook = output == Output::Workbook;
    const QString path = dialogs.saveFile(
        workbook ? QCoreApplication::translate("ResultsOutput", "Esporta risultati")
                 : QCoreApplication::translate("ResultsOutput", "Rapporto PDF"),
        workbook ? QCoreApplication::translate("ResultsOutput", "Cartella di Excel (*.xlsx)")
                 : QCoreApplication::translate("ResultsOutput", "Documento PDF (*.pdf)"),
        suggested(state, output));
    if (path.isEmpty())
        return;
    QString error;
    QStringList warnings;
    const BackgroundWork::Outcome outcome = work.run(
        workbook ? QCoreApplication::translate("ResultsOutput", "Esportazione dei risultati")
                 : QCoreApplication::translate("ResultsOutput", "Rapporto PDF"),
        [&](WorkProgress& progress) {
            SharedState loaded;
            const SharedState* source = &state;
            if (fromFile) {
                loaded.strMatrice = state.strMatrice;
                loaded.strCartella = state.strCartella;
                const LoadResult load = carica_matrice(loaded, regional, &progress);
                if (!load.loaded()) {
                    error = load.message;
                    return;
                }
                source = &loaded;
            }
            const ResultsCollection results =
                collectResults(*source, regional, inMemory, &progress);
            warnings = results.warnings;
            error = workbook ? writeResultsWorkbook(path, results, &progress)
                             : writePdfReport(path, results, &progress);
        },
        true);
    if (outcome == BackgroundWork::Outcome::OutOfMemory) {
        dialogs.message(
            BackgroundWork::outOfMemoryText(
                workbook ? QCoreApplication::translate("ResultsOutput", "esportare i risultati")
                         : QCoreApplication::translate("ResultsOutput", "scrivere il rapporto")),
            title, Dialogs::Icon::Critical);
        return;
    }
    if (!error.isEmpty()) {
        dialogs.message(error, title, Dialogs::Icon::Critical);
        return;
    }
    QString text =
        (workbook ? QCoreApplication::translate("ResultsOutput", "Risultati esportati in %1.")
                  : QCoreApplication::translate("ResultsOutput", "Rapporto scritto in %1."))
            .arg(QDir::toNativeSeparators(path));
    if (!warnings.isEmpty())
        text += QCoreApplication::translate("ResultsOutput", "\n\nFile tralasciati:\n") +
                warnings.join(u'\n');
    dialogs.message(text, title,
                    warnings.isEmpty() ? Dialogs::Icon::Information : Dialogs::Icon::Warning);
}

bool holdsMatrix(const SharedState& state) {
    return state.nRighe >= 2 && state.matDati.isDimensioned();
}

} // namespace

void esportaRisultati(const SharedState& state, const std::optional<MethodInMemory>& inMemory,
                      Dialogs& dialogs, BackgroundWork& work, const Regional& regional,
                      const QString& title) {
    produce(Output::Workbook, state, inMemory, !holdsMatrix(state), dialogs, work, regional, title);
}

void rapportoPdf(const SharedState& state, Dialogs& dialogs, BackgroundWork& work,
                 const Regional& regional, const QString& title) {
    produce(Output::Report, state, std::nullopt, !holdsMatrix(state), dialogs, work, regional,
            title);
}
