#pragma once

#include "shared/workprogress.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class ClockStatusBar;
class QWidget;

// Runs a window's long work (loading, the methods, a comparison, saving) on
// a worker thread while the window keeps answering: it repaints, its clocks
// run, and once the work has lasted half a second its controls are disabled
// and its status bar says what happens ("Lettura della matrice... 45%").
// The window hands the work everything it needs and takes the results once
// run() has returned, so that only one side touches the shared state at a
// time.
class BackgroundWork : public QObject {
    Q_OBJECT

public:
    enum class Outcome {
        Finished,   // the work returned; what it did is in its own results
        OutOfMemory // std::bad_alloc ended the work
    };
    using Work = std::function<void(WorkProgress&)>;

    // window: whose closing waits for the work (or cancels it); statusBar:
    // where the progress shows. Both outlive this object.
    BackgroundWork(QWidget* window, ClockStatusBar* statusBar);
    ~BackgroundWork() override;

    // The widgets disabled while work runs.
    void setControls(const QList<QWidget*>& controls);
    void addControl(QWidget* control);

    // Runs work on a worker thread, telling it the step it starts with, and
    // returns once it has ended. Until the work has lasted the reveal delay
    // the window repaints but takes no input (what the user does waits);
    // then the controls are disabled, the status bar shows the progress and,
    // for cancellable work, an "Annulla" button, which Esc and closing the
    // window press too. Work that is not cancellable cannot be interrupted:
    // closing the window waits for it. Must not be called while work runs.
    Outcome run(const QString& step, const Work& work, bool cancellable = false);

    // Keeps the controls disabled and the progress on view between the runs
    // of a series (the nine methods one after the other), from the first
    // run that lasts the reveal delay until the series is destroyed.
    class Series {
    public:
        explicit Series(BackgroundWork& work);
        ~Series();
        Series(const Series&) = delete;
        Series& operator=(const Series&) = delete;

    private:
        BackgroundWork& m_work;
    };

    bool busy() const { return m_running; }
    // Asks the running work to stop, when it can.
    void cancel();

    // How long work runs before the window shows it: 500 ms. With 0, every
    // run shows at once (tests).
    static void setRevealDelay(int milliseconds);

    // "Memoria insufficiente per <what>." with what to do about it.
    static QString outOfMemoryText(const QString& what);

Q_SIGNALS:
    // A run starts with this step; the worker has not started yet.
    void started(const QString& step);
    // The controls have just been disabled and the progress shown.
    void revealed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reveal();
    void conceal();
    void showProgress();

    QWidget* m_window;
    ClockStatusBar* m_statusBar;
    QList<QPointer<QWidget>> m_controls;
    QList<QPointer<QWidget>> m_disabled; // the controls this object disabled
    QPointer<QWidget> m_focus;           // where the focus was before
    WorkProgress* m_progress = nullptr;  // the running work's, while it runs
    bool m_running = false;
    bool m_cancellable = false;
    bool m_revealed = false;
    int m_series = 0;
};
