#include "workrecorder.h"

#include "ui/platform/backgroundwork.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>
#include <QWidget>

WorkRecorder::WorkRecorder(QWidget* window, const QList<QWidget*>& controls) {
    for (QWidget* control : controls)
        m_controls.append(control);
    auto* work = window->findChild<BackgroundWork*>();
    if (!work)
        qFatal("the window has no BackgroundWork");
    connect(work, &BackgroundWork::started, this, [this](const QString& step) {
        steps.append(step);
        for (const QPointer<QWidget>& control : std::as_const(m_controls))
            if (control && control->isEnabled())
                controlsOffThroughout = false;
        if (onStart)
            onStart();
    });
}

bool waitForCancel(const WorkProgress& progress) {
    const QDeadlineTimer deadline(kPatienceMs);
    while (!progress.cancelled() && !deadline.hasExpired())
        QThread::msleep(2);
    return progress.cancelled();
}

void whenTrue(std::function<bool()> check, std::function<void()> action) {
    auto* timer = new QTimer;
    auto* deadline = new QDeadlineTimer(kPatienceMs);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, check, action] {
        if (!check() && !deadline->hasExpired())
            return;
        timer->stop();
        timer->deleteLater();
        delete deadline;
        action();
    });
    timer->start(10);
}
