#pragma once

#include "shared/workprogress.h"

#include <QtGlobal>

#include <atomic>
#include <functional>

// The parts of one piece of work done so far out of its total, told to a
// WorkProgress as a percentage. One object may serve several loops of the
// same work, and every thread of each.
class LoopProgress {
public:
    // progress may be null: nothing is told, and the work is never cancelled.
    LoopProgress(WorkProgress* progress, qint64 total) : m_progress(progress), m_total(total) {}

    bool cancelled() const { return m_progress && m_progress->cancelled(); }
    // One more part done.
    void partDone() {
        const qint64 done = ++m_done;
        if (m_progress)
            m_progress->setPercent(percentOf(done, m_total));
    }

private:
    WorkProgress* m_progress;
    qint64 m_total;
    std::atomic<qint64> m_done{0};
};

// Runs body(index) once for every index 0 .. count - 1 on up to `threads`
// threads at once (0 or less: one for each core; never more than count).
// The calling thread is one of them and runs index 0 once the others are
// started; they have ended when parallelFor returns. Indices are taken in
// increasing order, each by the first thread free. When the system gives
// no thread at all,
// std::system_error is thrown before any index runs; when it gives fewer
// than asked, those do the work.
//
// With progress, cancellation is checked before each index is taken and a
// part is counted done after each: a cancelled loop stops taking indices,
// lets those under way end and returns false. Otherwise it returns true.
//
// The first exception a body throws stops the loop the same way and is
// thrown again here once every thread has ended; later ones are dropped.
bool parallelFor(int count, int threads, LoopProgress* progress,
                 const std::function<void(int index)>& body);
