#include "commands.h"

#include "batchload.h"
#include "exitstatus.h"
#include "framework/structure.h"
#include "methodcodes.h"
#include "methods/metodi.h"
#include "workflow/compositerun.h"
#include "workflow/processing.h"

#include <QDir>

#include <algorithm>

namespace {

// The methods asked for: the nine's in list order, and the other codes
// (composites, found once the workbook is loaded) in the order given.
// Every method, the composites included, without a list or with --all.
struct MethodChoice {
    std::vector<MethodPosition> positions;
    QStringList compositeCodes;
    bool everyComposite = false;
};

MethodChoice chooseMethods(const QString& option, bool all) {
    MethodChoice choice;
    if (option.isEmpty() || all) {
        for (const auto& method : methodTable())
            choice.positions.push_back(MethodPosition(method.position));
        choice.everyComposite = true;
        return choice;
    }
    const QStringList nine = methodCodes();
    for (const QString& listed : option.split(u',', Qt::SkipEmptyParts)) {
        const QString code = listed.trimmed();
        const qsizetype index = nine.indexOf(code);
        if (index >= 0) {
            if (std::find(choice.positions.begin(), choice.positions.end(),
                          MethodPosition(index)) == choice.positions.end())
                choice.positions.push_back(MethodPosition(index));
        } else if (!code.isEmpty() && !choice.compositeCodes.contains(code, Qt::CaseInsensitive)) {
            choice.compositeCodes.append(code);
        }
    }
    std::sort(choice.positions.begin(), choice.positions.end());
    return choice;
}

// The composites of the codes chosen, in the order given (every one of the
// workbook's when so chosen): a Usage failure for a code of no method.
Expected<std::vector<Composite>> chosenComposites(const MethodChoice& choice,
                                                  const CompositeList& list) {
    if (choice.everyComposite)
        return list.composites;
    std::vector<Composite> chosen;
    for (const QString& code : choice.compositeCodes) {
        const Composite* composite = list.find(code);
        if (!composite) {
            QStringList valid = methodCodes();
            for (const Composite& defined : list.composites)
                valid.append(defined.code);
            return failure(FailureKind::Usage,
                           QStringLiteral("Codice di metodo sconosciuto: %1. Codici validi: %2")
                               .arg(code, valid.join(QStringLiteral(", "))));
        }
        chosen.push_back(*composite);
    }
    return chosen;
}

QString filesLine(const QString& code, const QString& values, const QString& ranks,
                  const QString& groupValues, const QString& groupRanks) {
    QString line =
        QStringLiteral("%1: %2, %3")
            .arg(code, QDir::toNativeSeparators(values), QDir::toNativeSeparators(ranks));
    if (!groupValues.isEmpty())
        line +=
            QStringLiteral(", %1, %2")
                .arg(QDir::toNativeSeparators(groupValues), QDir::toNativeSeparators(groupRanks));
    return line;
}

// Runs the composites after the nine, each one's files written before the
// next; a refusal is reported and the next one runs, a failure to write
// stops them.
int runComposites(const Processing& processing, const std::vector<Composite>& composites,
                  int status) {
    for (const Composite& composite : composites) {
        const Expected<CompositeRun> run = runComposite(processing, composite, Regional::system());
        if (!run) {
            if (run.error().kind != FailureKind::MethodRefused)
                return reportFailure(run.error());
            status = reportFailure(run.error());
            continue;
        }
        printOut(filesLine(composite.code, run->valuesFile, run->ranksFile, run->groupValuesFile,
                           run->groupRanksFile));
    }
    return status;
}

} // namespace

int runCommand(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    const QString methods = parser.value(QStringLiteral("methods"));
    const bool all = parser.isSet(QStringLiteral("all"));
    if (args.size() != 1 || (parser.isSet(QStringLiteral("methods")) && methods.isEmpty()) ||
        (all && parser.isSet(QStringLiteral("methods"))))
        return reportUsage(QStringLiteral("Uso: orvalta-batch run CARTELLA_DI_LAVORO [--methods "
                                          "CODICE[,CODICE...] | --all] [--composites FILE]") +
                           matrixUsage());
    const MethodChoice choice = chooseMethods(methods, all);
    if (choice.positions.empty() && choice.compositeCodes.isEmpty())
        return reportFailure(listedMethods(methods).error());

    const Expected<std::unique_ptr<Processing>> loaded =
        loadWorkbook(args.first(), parser, Regional::system());
    if (!loaded)
        return reportFailure(loaded.error());
    Processing& processing = **loaded;
    std::vector<Composite> composites;
    if (choice.everyComposite || !choice.compositeCodes.isEmpty()) {
        const Expected<CompositeList> list = loadComposites(
            processing, parser.value(QStringLiteral("composites")), Regional::system());
        if (!list)
            return reportFailure(list.error());
        Expected<std::vector<Composite>> chosen = chosenComposites(choice, *list);
        if (!chosen)
            return reportFailure(chosen.error());
        composites = std::move(*chosen);
    }
    if (const int status = prepareRun(processing, parser); status != kExitSuccess)
        return status;

    // Each method's files are written while the next method is computed;
    // they are reported, and a failure stops the command, in list order.
    int status = kExitSuccess;
    const Status done = processing.runAll(
        choice.positions,
        [&status](MethodPosition, const Expected<std::shared_ptr<const MethodRun>>& run) {
            if (!run) {
                if (run.error().kind == FailureKind::MethodRefused)
                    status = reportFailure(run.error());
                return;
            }
            const MethodRun& method = **run;
            printOut(filesLine(methodAt(method.position).code, method.valuesFile, method.ranksFile,
                               method.groupValuesFile, method.groupRanksFile));
        });
    if (!done)
        return reportFailure(done.error());
    return runComposites(processing, composites, status);
}
