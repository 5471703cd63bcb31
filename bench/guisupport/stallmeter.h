#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Measures how long the event loop of the thread it lives in goes without
// processing events: a precise 5 ms timer ticks while it runs, and the
// longest gap between two ticks (or between the last tick and stop()) is
// the longest stall. A loop that never stalls shows gaps of about 5 ms.
class StallMeter : public QObject {
public:
    StallMeter();

    void start();
    // Ends the measuring; the time since the last tick counts as a gap.
    void stop();
    // The longest gap since start(), in milliseconds.
    double longestMs() const { return double(m_longestNs) / 1e6; }

private:
    void tick();

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastNs = 0;
    qint64 m_longestNs = 0;
};
