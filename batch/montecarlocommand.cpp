#include "batchload.h"
#include "commands.h"
#include "compositechoice.h"
#include "exitstatus.h"
#include "methodcodes.h"

#include "robustness/montecarlotables.h"
#include "shared/outofmemory.h"
#include "shared/parallelfor.h"
#include "workflow/montecarlorun.h"

#include <QDir>
#include <QFileInfo>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>

namespace {

// The work a Ctrl+C stops: the handler only sets the cancellation flag.
WorkProgress* interrupted = nullptr;

extern "C" void stopOnInterrupt(int) {
    if (interrupted)
        interrupted->cancel();
}

// Ctrl+C cancels progress while the scope lives.
class InterruptScope {
public:
    explicit InterruptScope(WorkProgress* progress) {
        interrupted = progress;
        m_previous = std::signal(SIGINT, stopOnInterrupt);
    }
    ~InterruptScope() {
        std::signal(SIGINT, m_previous);
        interrupted = nullptr;
    }
    InterruptScope(const InterruptScope&) = delete;
    InterruptScope& operator=(const InterruptScope&) = delete;

private:
    void (*m_previous)(int) = nullptr;
};

// A whole number option between its bounds, or a Usage failure naming it.
Expected<qint64> wholeOption(const QCommandLineParser& parser, const QString& name, qint64 fallback,
                             qint64 minimum, qint64 maximum) {
    if (!parser.isSet(name))
        return fallback;
    bool ok = false;
    const qint64 value = parser.value(name).trimmed().toLongLong(&ok);
    if (!ok || value < minimum || value > maximum)
        return failure(FailureKind::Usage,
                       QStringLiteral("Il valore dell'opzione --%1 deve essere un numero intero "
                                      "tra %2 e %3.")
                           .arg(name, QString::number(minimum), QString::number(maximum)));
    return value;
}

// The methods asked for: the nine's set in the setup, the composites' codes
// in codes, to be found once the workbook is read.
Status chooseMethods(const QCommandLineParser& parser, MonteCarloSetup& setup, MethodCodes& codes) {
    const bool all = parser.isSet(QStringLiteral("all"));
    if (all && parser.isSet(QStringLiteral("methods")))
        return failure(FailureKind::Usage,
                       QStringLiteral("Le opzioni --methods e --all si escludono a vicenda."));
    if (all) {
        codes = everyMethodCode();
    } else if (parser.isSet(QStringLiteral("methods"))) {
        const QString list = parser.value(QStringLiteral("methods"));
        codes = splitMethodCodes(list.split(u','));
        if (codes.nine.empty() && codes.others.isEmpty())
            return listedMethods(list).error();
    } else {
        codes.nine = {MethodPosition::MpiPositive};
    }
    setup.methods = codes.nine;
    Expected<std::vector<Normalisation>> normalisations =
        listedNormalisationsOption(parser.value(QStringLiteral("normalisations")));
    if (!normalisations)
        return std::move(normalisations).error();
    setup.normalisations = std::move(*normalisations);
    Expected<std::vector<Aggregation>> aggregations =
        listedAggregationsOption(parser.value(QStringLiteral("aggregations")));
    if (!aggregations)
        return std::move(aggregations).error();
    setup.aggregations = std::move(*aggregations);
    return {};
}

Expected<MonteCarloChoices> choicesOf(const QCommandLineParser& parser, MethodCodes& codes) {
    MonteCarloChoices choices;
    MonteCarloSetup& setup = choices.setup;
    if (Status chosen = chooseMethods(parser, setup, codes); !chosen)
        return std::move(chosen).error();
    if (parser.isSet(QStringLiteral("weights"))) {
        bool ok = false;
        const double spread = parser.value(QStringLiteral("weights")).trimmed().toDouble(&ok);
        if (!ok || !(spread >= 0.0 && spread <= 1.0))
            return failure(FailureKind::Usage,
                           QStringLiteral("Il valore dell'opzione --weights deve essere un numero "
                                          "tra 0 e 1 (ad esempio 0.25)."));
        setup.weightSpread = spread;
    }
    setup.leaveOut = parser.isSet(QStringLiteral("leave-out"));
    choices.outliersFactor = parser.isSet(QStringLiteral("outliers"));
    choices.outliersNominal = parser.isSet(QStringLiteral("outliers-nominal"));
    const Expected<qint64> runs = wholeOption(parser, QStringLiteral("runs"), 1000, 1, 10000000);
    if (!runs)
        return runs.error();
    setup.runs = int(*runs);
    const Expected<qint64> seed =
        wholeOption(parser, QStringLiteral("seed"), 1, 0, std::numeric_limits<qint64>::max());
    if (!seed)
        return seed.error();
    setup.seed = std::uint64_t(*seed);
    setup.sobol = parser.isSet(QStringLiteral("sobol"));
    if (setup.sobol && setup.runs < kMinSobolRuns)
        return tooFewSobolRuns();
    Expected<std::vector<MissingTreatment>> missing =
        treatmentList(parser, QStringLiteral("missing"));
    if (!missing)
        return std::move(missing).error();
    choices.missing = std::move(*missing);
    if (setup.methods.size() + std::size_t(codes.others.size()) < 2 && !codes.everyComposite &&
        setup.weightSpread <= 0.0 && !setup.leaveOut && !choices.outliersFactor &&
        choices.missing.size() < 2 && setup.normalisations.empty() && setup.aggregations.empty())
        return failure(
            FailureKind::Usage,
            QStringLiteral("Nessun fattore d'incertezza: indicare più metodi "
                           "(--methods, --all), --weights, --leave-out, più trattamenti dei "
                           "valori mancanti (--missing), --outliers o, per i metodi "
                           "personalizzati, --normalisations o --aggregations.\n") +
                monteCarloUsage());
    return choices;
}

// Runs the analysis on a thread of its own while this one tells its
// progress on stderr every second; Ctrl+C cancels it.
Expected<MonteCarloRun> runWithProgress(const MatrixBasis& basis, const Matrix& matrix,
                                        const MonteCarloChoices& choices, const Regional& regional,
                                        const Structure* structure) {
    WorkProgress progress;
    std::optional<Expected<MonteCarloRun>> outcome;
    bool ended = false;
    std::mutex mutex;
    std::condition_variable finished;
    const InterruptScope interruptScope(&progress);
    const auto analyse = [&]() -> Expected<MonteCarloRun> {
        try {
            return analyseMonteCarlo(basis, matrix, choices, regional, &progress, structure);
        } catch (const std::bad_alloc&) {
            return failure(FailureKind::File,
                           outOfMemoryMessage(QStringLiteral("l'analisi Monte Carlo")));
        }
    };
    const auto tell = [&]() {
        std::unique_lock<std::mutex> lock(mutex);
        int shown = -1;
        while (!finished.wait_for(lock, std::chrono::seconds(1), [&] { return ended; })) {
            const int percent = progress.percent();
            if (percent >= 0 && percent != shown) {
                printErr(QStringLiteral("Monte Carlo: %1%").arg(percent));
                shown = percent;
            }
        }
    };
    parallelFor(2, 2, nullptr, [&](int task) {
        if (task == 0) {
            tell();
            return;
        }
        // However the analysis ends, the progress stops being told.
        struct EndAtExit {
            std::mutex& mutex;
            bool& ended;
            std::condition_variable& finished;
            ~EndAtExit() {
                const std::lock_guard<std::mutex> lock(mutex);
                ended = true;
                finished.notify_one();
            }
        } endAtExit{mutex, ended, finished};
        Expected<MonteCarloRun> run = analyse();
        const std::lock_guard<std::mutex> lock(mutex);
        outcome.emplace(std::move(run));
    });
    return std::move(*outcome);
}

} // namespace

QString monteCarloUsage() {
    return QStringLiteral("Uso: orvalta-batch montecarlo CARTELLA_DI_LAVORO [--methods "
                          "CODICE[,CODICE...] | --all] [--composites FILE] [--normalisations "
                          "ELENCO] [--aggregations ELENCO] [--weights F] [--leave-out] "
                          "[--outliers-nominal] [--runs N] [--seed S] [--sobol]") +
           matrixUsage(TreatmentOptions::Drawn);
}

// montecarlo WORKBOOK [options]: draws the chosen factors, ranks the units
// under each draw and writes where each unit's rank lies (and with --sobol
// which factor moves the ranks).
int monteCarloCommand(const QCommandLineParser& parser) {
    if (parser.positionalArguments().size() != 1)
        return reportUsage(monteCarloUsage());
    MethodCodes codes;
    Expected<MonteCarloChoices> choices = choicesOf(parser, codes);
    if (!choices)
        return reportFailure(choices.error());
    const Regional regional = Regional::system();
    const QString workbook = QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
    const Expected<std::unique_ptr<Processing>> loaded = loadWorkbook(
        workbook, parser, regional, choices->missing.empty() ? GapsUse::Refuse : GapsUse::Factor);
    if (!loaded)
        return reportFailure(loaded.error());
    Expected<std::vector<Composite>> composites =
        namedComposites(codes, **loaded, parser.value(QStringLiteral("composites")));
    if (!composites)
        return reportFailure(composites.error());
    choices->setup.composites = std::move(*composites);
    choices->setup.compositeNominal = codes.compositeFirst && !choices->setup.composites.empty();
    choices->setup.regional = &regional;
    const Expected<MonteCarloRun> run = runWithProgress(
        (*loaded)->basis(), (*loaded)->matrix(), *choices, regional, (*loaded)->structure().get());
    if (!run)
        return reportFailure(run.error());
    if (run->result.skipped > 0)
        printErr(
            QStringLiteral("%1 estrazioni su %2 scartate: un metodo non ha accettato la "
                           "matrice.")
                .arg(QString::number(run->result.skipped), QString::number(run->result.computed)));
    if (const QString lacking = lackingUnitsNote(run->result); !lacking.isEmpty())
        printErr(lacking);
    for (const QString& file : run->files)
        printOut(QDir::toNativeSeparators(file));
    // In the Saltelli design the unit figures are taken over the runs of
    // two of its k + 2 matrices.
    printOut(choices->setup.sobol ? QStringLiteral("%1 graduatorie (le cifre delle unità su %2)")
                                        .arg(QString::number(run->result.computed),
                                             QString::number(run->result.rankings))
                                  : QStringLiteral("%1 graduatorie").arg(run->result.computed));
    return run->result.skipped > 0 ? exitStatus(FailureKind::MethodRefused) : kExitSuccess;
}
