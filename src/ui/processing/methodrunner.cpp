#include "ui/processing/methodrunner.h"

#include "methods/metodi.h"
#include "ui/platform/windowsetup.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>

QString methodCodeAt(int position) {
    return methodAt(MethodPosition(position)).code;
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
        runs.ran.append(methodCodeAt(position));
    } else if (run.error().kind == FailureKind::MethodRefused) {
        runs.refusals.emplace_back(position, run.error());
    } else {
        runs.unwritten = position;
    }
}

MethodRunner::Runs MethodRunner::runOne(int position) {
    Runs runs;
    runs.outcome = m_work.run(QCoreApplication::translate("IndiceMP", "Esecuzione del metodo %1")
                                  .arg(methodCodeAt(position)),
                              // The worker formats with its own copy of the settings: the grids go
                              // on using the window's.
                              [this, &runs, position, regional = m_regional](WorkProgress&) {
                                  const Expected<std::shared_ptr<const MethodRun>> run =
                                      m_processing.run(MethodPosition(position));
                                  take(runs, position, run, regional);
                                  if (!run)
                                      runs.done = run.error();
                              });
    return runs;
}

MethodRunner::Runs MethodRunner::runAll(QComboBox* list) {
    Runs runs;
    std::vector<MethodPosition> positions;
    for (int i = 0; i < list->count(); ++i)
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
        },
        true);
    QCoreApplication::sendPostedEvents(list, QEvent::MetaCall);
    return runs;
}

QString refusalsSummary(const MethodRunner::Runs& runs, int count, bool stopped) {
    const QString ran = runs.ran.isEmpty() ? QCoreApplication::translate("IndiceMP", "nessuno")
                                           : runs.ran.join(QStringLiteral(", "));
    QString summary =
        (stopped ? QCoreApplication::translate("IndiceMP",
                                               "Elaborazione automatica annullata: eseguiti %1 "
                                               "metodi su %2 (%3).")
                 : QCoreApplication::translate(
                       "IndiceMP", "Elaborazione automatica: eseguiti %1 metodi su %2 (%3)."))
            .arg(runs.ran.size())
            .arg(count)
            .arg(ran);
    summary += u'\n' + QCoreApplication::translate("IndiceMP", "Non hanno accettato la matrice:");
    for (const auto& [position, refusal] : runs.refusals)
        summary += QStringLiteral("\n\n") +
                   methodCaption(methodAt(MethodPosition(position)).entryText) + u'\n' +
                   refusal.message;
    return summary;
}
