#include "ui/processing/methodrunner.h"

#include "methods/metodi.h"
#include "ui/platform/windowsetup.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>

namespace {

const int kNine = int(methodTable().size());

} // namespace

int MethodRunner::count() const {
    return kNine + int(m_composites.composites.size());
}

const Composite* MethodRunner::compositeAt(int position) const {
    if (position < kNine || position >= count())
        return nullptr;
    return &m_composites.composites[std::size_t(position - kNine)];
}

QString MethodRunner::codeAt(int position) const {
    if (const Composite* composite = compositeAt(position))
        return composite->code;
    return methodAt(MethodPosition(position)).code;
}

QString MethodRunner::captionAt(int position) const {
    const Composite* composite = compositeAt(position);
    if (!composite)
        return methodCaption(methodAt(MethodPosition(position)).entryText);
    if (composite->name == composite->code)
        return composite->code;
    return QStringLiteral("%1 - %2").arg(composite->code, composite->name);
}

void MethodRunner::take(Runs& runs, int position,
                        const Expected<std::shared_ptr<const MethodRun>>& run,
                        const Regional& regional) const {
    runs.reported = position;
    if (run) {
        fillRunTables(runs.tables, m_state.matDati, m_processing.matrix(), **run, regional,
                      m_processing.structure().get());
        runs.run = *run;
        runs.filled = position;
        runs.ran.append(codeAt(position));
    } else if (run.error().kind == FailureKind::MethodRefused) {
        runs.refusals.emplace_back(position, run.error());
    } else {
        runs.unwritten = position;
    }
}

void MethodRunner::takeComposite(Runs& runs, int position, const Expected<CompositeRun>& run,
                                 const Regional& regional) const {
    runs.reported = position;
    if (run) {
        fillCompositeTables(runs.tables, m_state.matDati, m_processing.matrix(),
                            compositeAt(position)->name, run->output, regional,
                            m_processing.structure().get());
        runs.run.reset();
        runs.filled = position;
        runs.ran.append(codeAt(position));
    } else if (run.error().kind == FailureKind::MethodRefused) {
        runs.refusals.emplace_back(position, run.error());
    } else {
        runs.unwritten = position;
    }
}

MethodRunner::Runs MethodRunner::runOne(int position) {
    Runs runs;
    runs.outcome = m_work.run(
        QCoreApplication::translate("IndiceMP", "Esecuzione del metodo %1").arg(codeAt(position)),
        // The worker formats with its own copy of the settings: the grids go
        // on using the window's.
        [this, &runs, position, regional = m_regional](WorkProgress&) {
            if (const Composite* composite = compositeAt(position)) {
                const Expected<CompositeRun> run = runComposite(m_processing, *composite, regional);
                takeComposite(runs, position, run, regional);
                if (!run)
                    runs.done = run.error();
                return;
            }
            const Expected<std::shared_ptr<const MethodRun>> run =
                m_processing.run(MethodPosition(position));
            take(runs, position, run, regional);
            if (!run)
                runs.done = run.error();
        });
    return runs;
}

Status MethodRunner::runComposites(Runs& runs, QComboBox* list, WorkProgress& progress,
                                   const Regional& regional) const {
    const int total = count();
    for (int position = kNine; position < total; ++position) {
        if (progress.cancelled())
            return failure(FailureKind::Cancelled,
                           QCoreApplication::translate("Methods", "Elaborazione annullata."));
        progress.report(QCoreApplication::translate("IndiceMP", "Metodo %1 di %2: %3")
                            .arg(position + 1)
                            .arg(total)
                            .arg(codeAt(position)),
                        percentOf(position, total));
        QMetaObject::invokeMethod(
            list, [list, position] { list->setCurrentIndex(position); }, Qt::QueuedConnection);
        const Expected<CompositeRun> run =
            runComposite(m_processing, *compositeAt(position), regional);
        takeComposite(runs, position, run, regional);
        if (!run && run.error().kind != FailureKind::MethodRefused)
            return run.error();
    }
    return Status();
}

MethodRunner::Runs MethodRunner::runAll(QComboBox* list) {
    Runs runs;
    std::vector<MethodPosition> positions;
    for (int i = 0; i < kNine; ++i)
        positions.push_back(MethodPosition(i));
    // The tables are filled again in the same memory for each method.
    runs.outcome = m_work.run(
        QCoreApplication::translate("IndiceMP", "Elaborazione automatica"),
        [&, regional = m_regional](WorkProgress& progress) {
            runs.done = m_processing.runAll(
                positions,
                [&](MethodPosition position,
                    const Expected<std::shared_ptr<const MethodRun>>& run) {
                    const int reported = int(position);
                    // The list follows the methods as they are done.
                    QMetaObject::invokeMethod(
                        list, [list, reported] { list->setCurrentIndex(reported); },
                        Qt::QueuedConnection);
                    take(runs, reported, run, regional);
                },
                &progress);
            if (runs.done)
                runs.done = runComposites(runs, list, progress, regional);
        },
        true);
    QCoreApplication::sendPostedEvents(list, QEvent::MetaCall);
    return runs;
}

QString refusalsSummary(const MethodRunner& runner, const MethodRunner::Runs& runs, bool stopped) {
    const QString ran = runs.ran.isEmpty() ? QCoreApplication::translate("IndiceMP", "nessuno")
                                           : runs.ran.join(QStringLiteral(", "));
    QString summary =
        (stopped ? QCoreApplication::translate("IndiceMP",
                                               "Elaborazione automatica annullata: eseguiti %1 "
                                               "metodi su %2 (%3).")
                 : QCoreApplication::translate(
                       "IndiceMP", "Elaborazione automatica: eseguiti %1 metodi su %2 (%3)."))
            .arg(runs.ran.size())
            .arg(runner.count())
            .arg(ran);
    summary += u'\n' + QCoreApplication::translate("IndiceMP", "Non hanno accettato la matrice:");
    for (const auto& [position, refusal] : runs.refusals)
        summary += QStringLiteral("\n\n") + runner.captionAt(position) + u'\n' + refusal.message;
    return summary;
}
