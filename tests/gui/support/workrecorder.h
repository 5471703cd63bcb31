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

// How long a test waits for something the windows or their work do before
// it gives up: a wait ends as soon as that happens, so the bound only has to
// hold on a machine loaded by other builds.
inline constexpr int kPatienceMs = 60000;

// Holds the worker until progress is cancelled, at most kPatienceMs; true
// when it was cancelled.
bool waitForCancel(const WorkProgress& progress);

// Runs check every 10 ms in the current event loop until it returns true,
// then action; after kPatienceMs, action runs anyway (the test then sees
// that what it waited for did not happen).
void whenTrue(std::function<bool()> check, std::function<void()> action);
