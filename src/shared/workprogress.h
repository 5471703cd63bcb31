#pragma once

#include <QMutex>
#include <QString>

#include <atomic>

// What long work says about how far it has come, and how it learns that it
// should stop. The thread doing the work and the one showing it share one
// object: every member may be called from either.
class WorkProgress {
public:
    // The step under way ("Lettura della matrice") with how much of it is
    // done, 0 to 100, or -1 when that cannot be told.
    void report(const QString& step, int percent = -1);
    // How much of the current step is done; cheap enough for inner loops.
    void setPercent(int percent) { m_percent.store(percent, std::memory_order_relaxed); }

    QString step() const;
    int percent() const { return m_percent.load(std::memory_order_relaxed); }

    // Asks the work to stop at its next check; work that cannot stop part-way
    // goes on to its end.
    void cancel() { m_cancelled.store(true); }
    bool cancelled() const { return m_cancelled.load(); }

private:
    mutable QMutex m_mutex;
    QString m_step;
    std::atomic<int> m_percent{-1};
    std::atomic<bool> m_cancelled{false};
};

// The percentage that done parts of total make, 0 to 100.
int percentOf(qint64 done, qint64 total);
