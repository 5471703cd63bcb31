#include "commands.h"

#include "batchload.h"
#include "methods/methodrunner.h"
#include "methods/metodi.h"

#include <QDir>

#include <future>
#include <memory>

namespace {

// The list positions of the chosen method codes, in list order; an empty
// list and a message for an unknown code.
std::vector<int> posizioniScelte(const QString& option, QString* error) {
    std::vector<int> positions;
    const auto& table = methodTable();
    if (option.isEmpty()) {
        for (const auto& method : table)
            positions.push_back(method.position);
        return positions;
    }
    const QStringList valid = methodCodes();
    std::vector<bool> chosen(table.size(), false);
    for (const QString& code : option.split(u',', Qt::SkipEmptyParts)) {
        const qsizetype index = valid.indexOf(code.trimmed());
        if (index < 0) {
            *error = QStringLiteral("Codice di metodo sconosciuto: %1. Codici validi: %2")
                         .arg(code.trimmed(), valid.join(QStringLiteral(", ")));
            return {};
        }
        chosen[static_cast<std::size_t>(index)] = true;
    }
    for (std::size_t i = 0; i < chosen.size(); ++i)
        if (chosen[i])
            positions.push_back(static_cast<int>(i));
    if (positions.empty())
        *error = QStringLiteral("Nessun metodo indicato dopo --methods. Codici validi: %1")
                     .arg(valid.join(QStringLiteral(", ")));
    return positions;
}

} // namespace

int comandoRun(const QCommandLineParser& parser) {
    const QString uso =
        QStringLiteral("Uso: orvalta-batch run CARTELLA_DI_LAVORO [--methods CODICE[,CODICE...]]");
    const QStringList args = parser.positionalArguments();
    const QString methods = parser.value(QStringLiteral("methods"));
    if (args.size() != 1 || (parser.isSet(QStringLiteral("methods")) && methods.isEmpty())) {
        scriviErr(uso);
        return 1;
    }
    const QString& workbook = args.first();
    QString error;
    const std::vector<int> positions = posizioniScelte(methods, &error);
    if (positions.empty()) {
        scriviErr(error);
        return 1;
    }

    SharedState s;
    const Regional regional = Regional::system();
    if (const int status = caricaCartella(workbook, s, regional))
        return status;

    // Each method's files are written while the next method is computed;
    // they are reported, and a failure stops the command, in list order.
    const auto labels = std::make_shared<const ResultLabels>(s.matDati, s.nRighe, regional);
    MethodRunner runner;
    int status = 0;
    std::future<QString> writing;
    QString written; // the line that reports the files being written
    const auto finishWriting = [&writing, &written]() {
        if (!writing.valid())
            return true;
        const QString error = writing.get();
        if (!error.isEmpty()) {
            scriviErr(error);
            return false;
        }
        scriviOut(written);
        return true;
    };
    for (const int position : positions) {
        const QString& entry = methodTable()[static_cast<std::size_t>(position)].entryText;
        auto texts = std::make_shared<MethodResultTexts>();
        MethodRunResult result;
        try {
            result = runner.compute(s, position, entry, regional, labels, *texts);
        } catch (...) {
            // Out of memory: the files already being written are reported.
            finishWriting();
            throw;
        }
        if (!finishWriting())
            return 1;
        if (result.status != MethodRunResult::Status::Done) {
            scriviErr(result.message);
            status = 3;
            continue;
        }
        written = QStringLiteral("%1: %2, %3")
                      .arg(methodCode(entry), QDir::toNativeSeparators(result.valuesFile),
                           QDir::toNativeSeparators(result.ranksFile));
        writing = std::async(std::launch::async, [result, texts]() {
            return writeResultFiles(result.valuesFile, result.ranksFile, *texts);
        });
    }
    return finishWriting() ? status : 1;
}
