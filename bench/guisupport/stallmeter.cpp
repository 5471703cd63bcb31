#include "guisupport/stallmeter.h"

#include <algorithm>

StallMeter::StallMeter() {
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &StallMeter::tick);
}

void StallMeter::start() {
    m_longestNs = 0;
    m_clock.start();
    m_lastNs = 0;
    m_timer.start();
}

void StallMeter::stop() {
    tick();
    m_timer.stop();
}

void StallMeter::tick() {
    const qint64 now = m_clock.nsecsElapsed();
    m_longestNs = std::max(m_longestNs, now - m_lastNs);
    m_lastNs = now;
}
