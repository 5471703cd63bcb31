#pragma once

#include "shared/workprogress.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class QWidget;

// Records the runs of a window's BackgroundWork (tests set the reveal delay
// to 0, so that every run shows at once): the step each started with, and
// whether the given controls were disabled at that moment. onStart, when
// set, runs at each start inside the window's event loop, while the worker
// goes on.
class WorkRecorder : public QObject {
public:
    WorkRecorder(QWidget* window, const QList<QWidget*>& controls);

    QStringList steps;
    bool controlsOffThroughout = true;
    std::function<void()> onStart;

private:
    QList<QPointer<QWidget>> m_controls;
};

// Holds the worker until progress is cancelled, at most five seconds; true
// when it was cancelled.
bool waitForCancel(const WorkProgress& progress);

// Runs check every 10 ms in the current event loop until it returns true,
// then action; gives up after five seconds.
void whenTrue(std::function<bool()> check, std::function<void()> action);
