#include "shared/workprogress.h"

#include <QMutexLocker>

#include <algorithm>

void WorkProgress::report(const QString& step, int percent) {
    {
        const QMutexLocker lock(&m_mutex);
        m_step = step;
    }
    setPercent(percent);
}

QString WorkProgress::step() const {
    const QMutexLocker lock(&m_mutex);
    return m_step;
}

int percentOf(qint64 done, qint64 total) {
    if (total <= 0)
        return 0;
    return static_cast<int>(std::clamp<qint64>(done * 100 / total, 0, 100));
}
